// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Start-up benchmark: launches minimal_probe, startup_probe and sized_minimal_probe (found
// next to this program) alternately on the offscreen platform and compares their wall time from
// spawn to exit, their CPU time and their peak resident memory. Then runs minimal_probe and
// startup_phases once more per round with phase timestamps and prints where the time goes.
// Linux only: wait4 reports the child's peak memory.
//
// Usage: startup_bench [runs-per-program, default 20]

#include <fcntl.h>
#include <sched.h>
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
#include <utility>
#include <vector>

extern char **environ;

namespace {

struct Run {
    double milliseconds = 0; // wall time
    double cpuMilliseconds = 0; // user and system time of the child
    double peakMiB = 0;
    std::string output; // phase lines, when asked for
};

long long nowNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

std::string directoryOfThisProgram()
{
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return ".";
    std::string text(path.data(), static_cast<std::size_t>(length));
    return text.substr(0, text.rfind('/'));
}

[[noreturn]] void fail(const std::string &what)
{
    std::fprintf(stderr, "startup_bench: %s\n", what.c_str());
    std::exit(1);
}

// Spawns program, waits for it and measures it. With phases the child gets the spawn time
// and its standard output is collected; otherwise its output goes to /dev/null.
Run runOnce(const std::string &program, bool phases)
{
    int pipeEnds[2] = {-1, -1};
    if (pipe(pipeEnds) != 0)
        fail("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (phases) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    // Qt's notes about the offscreen platform would only clutter the table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    const long long start = nowNs();
    std::string spawnTime = std::to_string(start);
    std::vector<char *> arguments = {const_cast<char *>(program.c_str())};
    if (phases)
        arguments.push_back(spawnTime.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int error
        = posix_spawn(&child, program.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (error != 0)
        fail("cannot start " + program);

    Run run;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, static_cast<std::size_t>(count));
    close(pipeEnds[0]);

    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child)
        fail("wait4 failed");
    run.milliseconds = static_cast<double>(nowNs() - start) / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(program + " did not end normally (run it with QT_QPA_PLATFORM=offscreen to see why)");
    const auto toMs = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
    };
    run.cpuMilliseconds = toMs(usage.ru_utime) + toMs(usage.ru_stime);
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series {
    Series(const char *seriesName, std::string path)
        : name(seriesName), program(std::move(path)) { }

    const char *name;
    std::string program;
    std::vector<double> milliseconds, cpuMilliseconds, peakMiB;
    std::vector<std::string> phaseOrder;
    std::map<std::string, std::vector<double>> phaseMilliseconds;

    void add(const Run &run)
    {
        milliseconds.push_back(run.milliseconds);
        cpuMilliseconds.push_back(run.cpuMilliseconds);
        peakMiB.push_back(run.peakMiB);
    }

    void addPhases(const Run &run)
    {
        std::size_t from = 0;
        while (from < run.output.size()) {
            std::size_t end = run.output.find('\n', from);
            if (end == std::string::npos)
                end = run.output.size();
            const std::string line = run.output.substr(from, end - from);
            const std::size_t tab = line.find('\t');
            if (tab != std::string::npos) {
                const std::string phase = line.substr(0, tab);
                if (!phaseMilliseconds.count(phase))
                    phaseOrder.push_back(phase);
                phaseMilliseconds[phase].push_back(std::atof(line.c_str() + tab + 1) / 1000.0);
            }
            from = end + 1;
        }
    }

    void print() const
    {
        std::printf("%-20s %8.1f %8.1f %8.1f %8.1f %10.1f %8.1f\n", name, median(milliseconds),
                    *std::min_element(milliseconds.begin(), milliseconds.end()),
                    *std::max_element(milliseconds.begin(), milliseconds.end()),
                    median(cpuMilliseconds), median(peakMiB),
                    *std::max_element(peakMiB.begin(), peakMiB.end()));
    }

    void printPhases() const
    {
        std::printf("  %s (median ms since spawn, and the step from the previous mark)\n", name);
        double previous = 0;
        for (const std::string &phase : phaseOrder) {
            const double at = median(phaseMilliseconds.at(phase));
            std::printf("    %-20s %8.1f %+8.1f\n", phase.c_str(), at, at - previous);
            previous = at;
        }
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    if (runs < 1)
        fail("the number of runs must be at least 1");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Virtual machines' cores can differ in speed by half; a run that lands on the slow
    // one would pass for a slow start. Both programs run on the same single core (the
    // children inherit this).
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) {
        int core = 0;
        while (core < CPU_SETSIZE && !CPU_ISSET(core, &allowed))
            ++core;
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(core, &one);
        if (core < CPU_SETSIZE && sched_setaffinity(0, sizeof one, &one) == 0)
            std::printf("All runs on core %d.\n", core);
    }

    const std::string directory = directoryOfThisProgram();
    Series minimal("minimal Qt program", directory + "/minimal_probe");
    Series program("crashkit", directory + "/startup_probe");
    Series sized("minimal, 1016x736", directory + "/sized_minimal_probe");

    // One discarded run each warms the file cache and the font configuration cache.
    for (Series *series : {&minimal, &program, &sized})
        runOnce(series->program, false);
    // Alternate, and rotate who goes first, so that drifts of the machine hit all alike.
    for (int round = 0; round < runs; ++round) {
        Series *order[] = {&minimal, &program, &sized};
        std::rotate(order, order + round % 3, order + 3);
        for (Series *series : order)
            series->add(runOnce(series->program, false));
    }

    std::printf("Start-up until the first frame of the main window, QT_QPA_PLATFORM=offscreen,\n"
                "%d runs each, alternating\n\n",
                runs);
    std::printf("%-20s %8s %8s %8s %8s %10s %8s\n", "", "wall ms", "", "", "CPU ms", "peak MiB",
                "");
    std::printf("%-20s %8s %8s %8s %8s %10s %8s\n", "", "median", "min", "max", "median", "median",
                "max");
    minimal.print();
    program.print();
    sized.print();
    const double ratio = median(program.milliseconds) / median(minimal.milliseconds);
    const double minimumRatio
        = *std::min_element(program.milliseconds.begin(), program.milliseconds.end())
        / *std::min_element(minimal.milliseconds.begin(), minimal.milliseconds.end());
    const double cpuRatio = median(program.cpuMilliseconds) / median(minimal.cpuMilliseconds);
    const double extraMiB = median(program.peakMiB) - median(minimal.peakMiB);
    std::printf("\nratio of wall medians %.2fx   (goal: at most 1.30x)  %s\n", ratio,
                ratio <= 1.30 ? "met" : "MISSED");
    std::printf("ratio of wall minima  %.2fx\n", minimumRatio);
    std::printf("ratio of CPU medians  %.2fx\n", cpuRatio);
    std::printf("peak memory above     %.1f MiB (goal: at most 15 MiB) %s\n", extraMiB,
                extraMiB <= 15.0 ? "met" : "MISSED");
    std::printf("against the minimal program with a window as large as the main window:\n"
                "ratio of wall medians %.2fx, peak memory above %.1f MiB\n\n",
                median(program.milliseconds) / median(sized.milliseconds),
                median(program.peakMiB) - median(sized.peakMiB));

    // The program's phases come from startup_phases, which creates the windows one by one.
    Series phases("crashkit, window by window", directory + "/startup_phases");
    for (int round = 0; round < runs; ++round) {
        minimal.addPhases(runOnce(minimal.program, true));
        phases.addPhases(runOnce(phases.program, true));
    }
    std::printf("Phases (separate runs with timestamps):\n");
    minimal.printPhases();
    phases.printPhases();
    return 0;
}
