// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// crashkit-cli at scale: random CSV projects of 10^4 to 10^6 activities, each command run as
// a child process with its output thrown away, against a baseline run in the same way and
// in the same run: this program reading and validating the same file (io::openProject) and
// nothing else. Wall and CPU time and peak resident memory come from wait4.
// Linux only.
//
// Usage: cli_bench [--cli PATH] [--sizes 10000,100000] [--commands cpm,cpm-json,...]
//                  [--runs N] [--timeout SECONDS]
//        cli_bench --write ACTIVITIES FILE   (only writes the random project, as CSV)
// Commands: cpm, cpm-json, optimal (least cost halfway between the normal and the shortest
// duration), optimal-far (least cost at the shortest), greedy (to the shortest), curve.

#include "projectfile.h"
#include "randomproject.h"
#include "schedule.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Run {
    double seconds = 0; // wall time
    double cpuSeconds = 0; // user and system time of the child
    double peakMiB = 0;
    bool finished = true; // false: stopped at the timeout
    int status = 0;
};

double nowSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string thisProgram()
{
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    return length > 0 ? std::string(path.data(), static_cast<std::size_t>(length)) : "cli_bench";
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "cli_bench: %s\n", what.c_str());
    std::exit(1);
}

// Runs the program with its standard output and error thrown away, stopping it after
// `timeout` seconds.
Run runOnce(const std::vector<std::string> &command, double timeout)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> arguments;
    for (const std::string &argument : command)
        arguments.push_back(const_cast<char *>(argument.c_str()));
    arguments.push_back(nullptr);

    const double start = nowSeconds();
    pid_t child = 0;
    const int error = posix_spawn(&child, command.front().c_str(), &actions, nullptr,
                                  arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        fail("cannot start " + command.front());

    Run run;
    rusage usage {};
    while (true) {
        const pid_t ended = wait4(child, &run.status, WNOHANG, &usage);
        if (ended == child)
            break;
        if (ended < 0)
            fail("wait4 failed");
        if (nowSeconds() - start > timeout && run.finished) {
            kill(child, SIGKILL);
            run.finished = false;
        }
        usleep(2000);
    }
    run.seconds = nowSeconds() - start;
    const auto toSeconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    run.cpuSeconds = toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    if (run.finished && (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0)) {
        std::string joined;
        for (const std::string &argument : command)
            joined += argument + ' ';
        fail("failed: " + joined);
    }
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<std::string> split(const std::string &text)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        if (comma > from)
            parts.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    return parts;
}

// The baseline: what every command does before its own work.
int readOnly(const char *path)
{
    const io::ReadResult read = io::openProject(QString::fromLocal8Bit(path));
    return read.isLoaded() ? 0 : 1;
}

// The random project of `size` activities that the benchmark measures, with about two
// predecessors each among all earlier activities.
engine::Project projectOf(int size)
{
    testsupport::Random random(static_cast<std::uint64_t>(size));
    testsupport::ProjectShape shape;
    shape.activities = size;
    shape.predecessors = 2;
    return testsupport::randomProject(random, shape);
}

bool writeCsv(const engine::Project &project, const std::string &path)
{
    QFile out(QString::fromStdString(path));
    return out.open(QIODevice::WriteOnly) && out.write(io::write(project, io::FileFormat::Csv)) >= 0
        && out.flush();
}

struct Measured {
    std::vector<double> seconds, cpuSeconds, peakMiB;
    bool finished = true;
    void add(const Run &run)
    {
        seconds.push_back(run.seconds);
        cpuSeconds.push_back(run.cpuSeconds);
        peakMiB.push_back(run.peakMiB);
        finished = finished && run.finished;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::string(argv[1]) == "--read")
        return readOnly(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "--write")
        return writeCsv(projectOf(std::atoi(argv[2])), argv[3]) ? 0 : 1;

    std::string cli = thisProgram();
    cli = cli.substr(0, cli.rfind('/')) + "/../cli/crashkit-cli";
    std::vector<int> sizes {10'000, 100'000};
    std::vector<std::string> commands {"cpm", "cpm-json", "optimal", "greedy", "curve"};
    int runs = 3;
    double timeout = 600;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        if (option == "--cli")
            cli = value;
        else if (option == "--sizes") {
            sizes.clear();
            for (const std::string &size : split(value))
                sizes.push_back(std::atoi(size.c_str()));
        } else if (option == "--commands")
            commands = split(value);
        else if (option == "--runs")
            runs = std::max(1, std::atoi(value.c_str()));
        else if (option == "--timeout")
            timeout = std::atof(value.c_str());
        else
            fail("unknown option " + option);
    }

    QTemporaryDir folder;
    if (!folder.isValid())
        fail("no temporary folder");
    std::printf("crashkit-cli: %s\n%d run(s) each, median; wall and CPU seconds, peak resident "
                "memory;\nratio: wall time against reading and validating the same file\n\n",
                cli.c_str(), runs);
    std::printf("%-10s %-12s %9s %9s %9s %8s %12s\n", "activities", "command", "wall s", "CPU s",
                "peak MiB", "ratio", "bytes/activ.");
    for (const int size : sizes) {
        std::map<std::string, std::vector<std::string>> arguments;
        std::string file;
        {
            const engine::Project project = projectOf(size);
            const engine::Network network(project);
            const engine::Duration normal
                = engine::computeSchedule(network, network.normalDurations()).projectDuration;
            const engine::Duration shortest = engine::shortestDuration(network);
            file = folder.filePath(QStringLiteral("random%1.csv").arg(size)).toStdString();
            if (!writeCsv(project, file))
                fail("cannot write " + file);
            arguments["cpm"] = {"cpm", file};
            arguments["cpm-json"] = {"cpm", file, "--json"};
            arguments["optimal"] = {"crash",   file,       "--method",
                                    "optimal", "--target", std::to_string((normal + shortest) / 2)};
            arguments["optimal-far"]
                = {"crash", file, "--method", "optimal", "--target", std::to_string(shortest)};
            arguments["greedy"] = {"crash", file, "--target", std::to_string(shortest)};
            arguments["curve"] = {"curve", file};
        }

        Measured baseline;
        std::map<std::string, Measured> measured;
        for (int round = 0; round < runs; ++round) {
            baseline.add(runOnce({thisProgram(), "--read", file}, timeout));
            for (const std::string &command : commands) {
                if (!arguments.count(command))
                    fail("unknown command " + command);
                if (!measured[command].finished)
                    continue;
                std::vector<std::string> line {cli};
                line.insert(line.end(), arguments[command].begin(), arguments[command].end());
                measured[command].add(runOnce(line, timeout));
            }
        }
        const double base = median(baseline.seconds);
        auto print = [&](const char *name, const Measured &m) {
            std::printf("%-10d %-12s %8s%.2f %9.2f %9.1f %7.2fx %12.0f\n", size, name,
                        m.finished ? "" : ">", median(m.seconds), median(m.cpuSeconds),
                        median(m.peakMiB), median(m.seconds) / base,
                        median(m.peakMiB) * 1048576.0 / size);
        };
        print("read", baseline);
        for (const std::string &command : commands)
            print(command.c_str(), measured[command]);
        std::fflush(stdout);
    }
    return 0;
}
