// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// crashkit-cli: CPM tables, crashing steps, least costs and time-cost curves for answer keys
// and scripts, on the same engine and project files as the program.

#include "arguments.h"
#include "classset.h"
#include "commands.h"
#include "console.h"
#include "exercisegenerator.h"
#include "grade.h"
#include "output.h"
#include "practiceset.h"
#include "projectfile.h"
#include "standardinput.h"

#include "linknotation.h"
#include "network.h"

#include <QGuiApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <optional>
#include <variant>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kSuccess = 0;
constexpr int kOutputFailed = 1;
constexpr int kBadInput = 2;
constexpr int kInternalError = 3;

void printError(const QString &text)
{
    platform::writeText(stderr, text);
    std::fflush(stderr);
}

// The project on standard input, or nothing when the input itself could not be had (the
// message is then printed).
std::optional<io::ReadResult> readStandardInput(const std::optional<io::FileFormat> &format)
{
    const cli::StreamBytes input = cli::readToEnd(stdin);
    if (!input.problem.isEmpty()) {
        printError(QStringLiteral("crashkit-cli: -: standard input %1\n").arg(input.problem));
        return std::nullopt;
    }
    return io::read(input.bytes, QStringLiteral("-"),
                    format.value_or(cli::guessFormat(input.bytes)));
}

// The textbook's methods (the greedy, PERT, activity on arrow, a worksheet's steps) take
// finish-to-start links without lag only: a project with another is refused, naming the
// first such link.
void requirePlainLinks(const engine::Project &project, const QString &what, const QString &instead)
{
    for (const engine::Activity &a : project.activities) {
        for (std::size_t k = 0; k < a.predecessors.size(); ++k) {
            if (a.linkTiming(k).plain())
                continue;
            throw cli::UsageError(
                QStringLiteral("%1 needs every link finish-to-start without lag; activity %2 has "
                               "'%3'%4")
                    .arg(what, QString::fromStdString(a.id),
                         QString::fromStdString(io::linkItem(a.predecessors[k], a.linkTiming(k))),
                         instead.isEmpty() ? QString() : QStringLiteral(" (") + instead + u')')
                    .toStdString());
        }
    }
}

// Runs the command on the project. Throws UsageError (before anything is written) and
// OutputError.
void runCommand(cli::Arguments parsed, const engine::Project &project, cli::Output &output)
{
    const engine::Network network(project);
    if (!network.plainLinks()) {
        const QString optimal = QStringLiteral("--method optimal gives the least cost exactly");
        switch (parsed.command) {
        case cli::Command::Crash:
        case cli::Command::Export:
            // Without --method such a project is crashed at the least cost.
            if (parsed.methodGiven && parsed.method == cli::Method::Greedy)
                requirePlainLinks(project, QStringLiteral("--method greedy (the textbook rule)"),
                                  optimal);
            parsed.method = cli::Method::Optimal;
            break;
        case cli::Command::Pert:
            requirePlainLinks(project, QStringLiteral("pert (the textbook method)"), QString());
            break;
        case cli::Command::Aoa:
            requirePlainLinks(project, QStringLiteral("aoa (activity on arrow)"),
                              QStringLiteral("cpm gives the schedule of any links"));
            break;
        case cli::Command::Grade:
            requirePlainLinks(project, QStringLiteral("grade (the worksheets' method)"), QString());
            break;
        default:
            break;
        }
    }
    switch (parsed.command) {
    case cli::Command::Cpm:
        cli::writeCpm(output, project, network, parsed.pathLimit, parsed.json);
        break;
    case cli::Command::Aoa:
        cli::writeAoa(output, project, network, parsed.json);
        break;
    case cli::Command::Crash:
        cli::writeCrash(output, project, network, *parsed.target, parsed.method, parsed.json);
        break;
    case cli::Command::Export:
        cli::writeExport(output, project, network, parsed.target, parsed.method,
                         parsed.start.value_or(QDate::currentDate()));
        break;
    case cli::Command::Curve:
        cli::writeCurve(output, project, network, parsed.indirectCostPerUnit, parsed.json);
        break;
    case cli::Command::Pert:
        cli::writePert(output, project, network, parsed.byDay, parsed.probability, parsed.json);
        break;
    case cli::Command::Grade:
        cli::writeGrade(output, project, network, parsed.answersFile, parsed.target, parsed.json);
        break;
    default:
        break;
    }
}

// An exercise from its seed, written as CSV (its target on standard error, since CSV holds
// the activities only) or as a .crashkit file, which holds the target and the title too.
int generate(const cli::Arguments &parsed, cli::Output &output)
{
    const engine::ExerciseSettings settings {parsed.activities, parsed.criticalPaths,
                                             parsed.jointStep, parsed.greedyOverpays};
    const engine::ExerciseResult result
        = engine::generateExercise(static_cast<std::uint64_t>(*parsed.seed), settings);
    if (const auto *refusal = std::get_if<engine::ExerciseRefusal>(&result)) {
        printError(QStringLiteral("crashkit-cli: generate: %1\n")
                       .arg(QString::fromStdString(refusal->message)));
        return kBadInput;
    }
    const auto &exercise = std::get<engine::GeneratedExercise>(result);
    const io::FileFormat format = parsed.format.value_or(io::FileFormat::Csv);
    output.write(io::write(exercise.project, format));
    output.finish();
    if (format == io::FileFormat::Csv)
        printError(QStringLiteral("target: %1 (normal duration %2, shortest %3)\n")
                       .arg(exercise.target)
                       .arg(exercise.normalDuration)
                       .arg(exercise.shortestDuration));
    return kSuccess;
}

int run(const QStringList &arguments, int &argc, char **argv)
{
    cli::Arguments parsed;
    try {
        parsed = cli::parseArguments(arguments);
    } catch (const cli::UsageError &error) {
        printError(QStringLiteral("crashkit-cli: %1\n").arg(QString::fromStdString(error.what())));
        return kBadInput;
    }
    cli::Output output(stdout);
    if (parsed.command == cli::Command::Help) {
        output.write(cli::helpText());
        output.finish();
        return kSuccess;
    }
    if (parsed.command == cli::Command::Version) {
        output.write(QStringLiteral("crashkit-cli " CRASHKIT_VERSION "\n"));
        output.finish();
        return kSuccess;
    }
    if (parsed.command == cli::Command::ExportSet) {
        const engine::Project project = practiceProject(practiceSet(parsed.setNumber));
        // The file's own bytes, byte order mark included, so `> set1.csv` is what the program
        // saves and Excel reads the Thai names as UTF-8.
        output.write(io::write(project, io::FileFormat::Csv));
        output.finish();
        return kSuccess;
    }

    if (parsed.command == cli::Command::Generate && !parsed.outFolder.isEmpty()) {
        // The sheets and pictures are painted with QtGui, which needs a platform; nothing is
        // shown, so the offscreen one serves, with or without a display. On Windows the
        // windows platform is always there (the zip carries no offscreen plugin) and reads the
        // installed fonts, which the offscreen one there does not. The other commands stay
        // QtCore only.
#ifndef _WIN32
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        const QGuiApplication application(argc, argv);
        return cli::writeClassSet(parsed, [](const QString &line) { printError(line + u'\n'); });
    }
    if (parsed.command == cli::Command::Generate)
        return generate(parsed, output);

    engine::Project project;
    {
        std::optional<io::ReadResult> read = parsed.file == QLatin1String("-")
            ? readStandardInput(parsed.format)
            : io::openProject(parsed.file);
        if (!read)
            return kBadInput;
        if (!read->isLoaded()) {
            printError(read->message() + u'\n');
            return kBadInput;
        }
        if (!read->warnings().isEmpty())
            printError(QStringLiteral("warning: ") + read->message() + u'\n');
        project = read->takeProject();
    }
    if (project.activities.empty()) {
        printError(
            QStringLiteral("crashkit-cli: %1: the project has no activities\n").arg(parsed.file));
        return kBadInput;
    }

    try {
        runCommand(parsed, project, output);
    } catch (const cli::AnswersFileError &error) {
        printError(QString::fromStdString(error.what()) + u'\n');
        return kBadInput;
    } catch (const cli::UsageError &error) {
        printError(QStringLiteral("crashkit-cli: %1: %2\n")
                       .arg(parsed.file, QString::fromStdString(error.what())));
        return kBadInput;
    }
    output.finish();
    return kSuccess;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef _WIN32
    // The same bytes in and out as on every other system: a text-mode stream would turn the
    // CSV's CRLF into CR CR LF on the way out and end a piped file at its first Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    try {
        return run(arguments, argc, argv);
    } catch (const cli::OutputError &error) {
        printError(QStringLiteral("crashkit-cli: the output could not be written: %1\n")
                       .arg(QString::fromLocal8Bit(error.what())));
        return kOutputFailed;
    } catch (const std::exception &error) {
        // Not a fault of the input: report it rather than end in a crash.
        printError(QStringLiteral("crashkit-cli: internal error: %1\n")
                       .arg(QString::fromStdString(error.what())));
        return kInternalError;
    }
}
