// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// crashkit-cli: CPM tables, crashing steps, least costs and time-cost curves for answer keys
// and scripts, on the same engine and project files as the program.

#include "arguments.h"
#include "commands.h"
#include "grade.h"
#include "practiceset.h"
#include "projectfile.h"

#include <QFile>
#include <QJsonDocument>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <exception>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kSuccess = 0;
constexpr int kBadInput = 2;
constexpr int kInternalError = 3;

void print(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void print(std::FILE *stream, const QString &text)
{
    print(stream, text.toUtf8());
}

io::ReadResult readStandardInput(std::optional<io::FileFormat> format)
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return io::read({}, QStringLiteral("-"), format.value_or(io::FileFormat::Csv));
    // One byte beyond the cap is enough for the reader to refuse the input as too large.
    const QByteArray bytes = input.read(io::kMaxFileSize + 1);
    if (!format) {
        const QByteArray start = bytes.left(64).trimmed();
        const bool json = start.startsWith('{') || start.startsWith("\xEF\xBB\xBF{");
        const bool xml = start.startsWith('<') || start.startsWith("\xEF\xBB\xBF<");
        format = json ? io::FileFormat::Crashkit : io::FileFormat::Csv;
        // GanttProject's root is <project>, Microsoft Project's <Project>.
        if (xml)
            format = bytes.left(4096).contains("<project") ? io::FileFormat::Gantt
                                                           : io::FileFormat::Mspdi;
    }
    return io::read(bytes, QStringLiteral("-"), *format);
}

int run(const QStringList &arguments)
{
    cli::Arguments parsed;
    try {
        parsed = cli::parseArguments(arguments);
    } catch (const cli::UsageError &error) {
        print(stderr,
              QStringLiteral("crashkit-cli: %1\n").arg(QString::fromStdString(error.what())));
        return kBadInput;
    }
    if (parsed.command == cli::Command::Help) {
        print(stdout, cli::helpText());
        return kSuccess;
    }
    if (parsed.command == cli::Command::ExportSet) {
        const engine::Project project = practiceProject(practiceSet(parsed.setNumber));
        // The file's own bytes, byte order mark included, so `> set1.csv` is what the program
        // saves and Excel reads the Thai names as UTF-8.
        print(stdout, io::write(project, io::FileFormat::Csv));
        return kSuccess;
    }

    io::ReadResult read = parsed.file == QLatin1String("-") ? readStandardInput(parsed.format)
                                                            : io::openProject(parsed.file);
    if (!read.isLoaded()) {
        print(stderr, read.message() + u'\n');
        return kBadInput;
    }
    if (!read.warnings().isEmpty())
        print(stderr, QStringLiteral("warning: ") + read.message() + u'\n');

    cli::Report report;
    try {
        switch (parsed.command) {
        case cli::Command::Cpm:
            report = cli::cpmReport(read.project(), parsed.pathLimit);
            break;
        case cli::Command::Crash:
            report = cli::crashReport(read.project(), *parsed.target, parsed.method);
            break;
        case cli::Command::Curve:
            report = cli::curveReport(read.project(), parsed.indirectCostPerUnit);
            break;
        case cli::Command::Pert:
            report = cli::pertReport(read.project(), parsed.byDay, parsed.probability);
            break;
        case cli::Command::Grade:
            report = cli::gradeReport(read.project(), parsed.answersFile, parsed.target);
            break;
        default:
            break;
        }
    } catch (const cli::AnswersFileError &error) {
        print(stderr, QString::fromStdString(error.what()) + u'\n');
        return kBadInput;
    } catch (const cli::UsageError &error) {
        print(stderr,
              QStringLiteral("crashkit-cli: %1: %2\n")
                  .arg(parsed.file, QString::fromStdString(error.what())));
        return kBadInput;
    }
    print(stdout,
          parsed.json
              ? QString::fromUtf8(QJsonDocument(report.json).toJson(QJsonDocument::Indented))
              : report.text);
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
        return run(arguments);
    } catch (const std::exception &error) {
        // Not a fault of the input: report it rather than end in a crash.
        print(stderr,
              QStringLiteral("crashkit-cli: internal error: %1\n")
                  .arg(QString::fromStdString(error.what())));
        return kInternalError;
    }
}
