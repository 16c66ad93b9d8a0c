// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "arguments.h"

#include "exercisegenerator.h"
#include "money.h"
#include "mspdiwriter.h"
#include "project.h"
#include "values.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace cli {

namespace {

const QString kUsageHint = QStringLiteral(" (see crashkit-cli --help)");

[[noreturn]] void refuse(const QString &message)
{
    throw UsageError((message + kUsageHint).toStdString());
}

// Blanks around a value are refused rather than dropped: a script that passes " 28" has
// most likely built the argument wrongly.
void refuseBlanks(const QString &option, const QString &text)
{
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        refuse(QStringLiteral("%1: '%2' has blanks around it").arg(option, text));
}

// A whole number in [low, high], as typed after `option`: digits, perhaps after a minus.
qint64 wholeNumber(const QString &option, const QString &text, qint64 low, qint64 high)
{
    refuseBlanks(option, text);
    const QStringView digits = text.startsWith(u'-') ? QStringView(text).mid(1) : text;
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        }))
        refuse(QStringLiteral("%1: '%2' is not a whole number").arg(option, text));
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    // Not ok: beyond 64 bits, and so outside too.
    if (!ok || value < low || value > high)
        refuse(QStringLiteral("%1: %2 is outside %3 to %4").arg(option, text).arg(low).arg(high));
    return value;
}

// A plain decimal ("18", "17.5", "0.95") as typed after `option`.
double decimalNumber(const QString &option, const QString &text)
{
    refuseBlanks(option, text);
    double value = 0;
    if (io::parseEstimate(text.toStdString(), value))
        refuse(QStringLiteral("%1: '%2' is not a number (write it like 18 or 0.95, with a point "
                              "for decimals)")
                   .arg(option, text));
    return value;
}

// A day of the calendar written YYYY-MM-DD, within the dates Microsoft Project schedules.
QDate calendarDay(const QString &option, const QString &text)
{
    refuseBlanks(option, text);
    static const QRegularExpression form(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch fields = form.match(text);
    if (!fields.hasMatch())
        refuse(QStringLiteral("%1: '%2' is not a date written YYYY-MM-DD (e.g. 2026-03-02)")
                   .arg(option, text));
    const QDate day(fields.captured(1).toInt(), fields.captured(2).toInt(),
                    fields.captured(3).toInt());
    if (!day.isValid())
        refuse(QStringLiteral("%1: %2 is not a day of the calendar").arg(option, text));
    if (day < io::mspdiFirstDate() || day > io::mspdiLastDate())
        refuse(QStringLiteral("%1: %2 is outside %3 to %4, the dates Microsoft Project schedules")
                   .arg(option, text, io::mspdiFirstDate().toString(Qt::ISODate),
                        io::mspdiLastDate().toString(Qt::ISODate)));
    return day;
}

Command commandNamed(const QString &name)
{
    if (name == QLatin1String("cpm"))
        return Command::Cpm;
    if (name == QLatin1String("crash"))
        return Command::Crash;
    if (name == QLatin1String("curve"))
        return Command::Curve;
    if (name == QLatin1String("export"))
        return Command::Export;
    if (name == QLatin1String("export-set"))
        return Command::ExportSet;
    if (name == QLatin1String("generate"))
        return Command::Generate;
    if (name == QLatin1String("pert"))
        return Command::Pert;
    if (name == QLatin1String("grade"))
        return Command::Grade;
    if (name == QLatin1String("aoa"))
        return Command::Aoa;
    if (name == QLatin1String("help") || name == QLatin1String("--help")
        || name == QLatin1String("-h"))
        return Command::Help;
    if (name == QLatin1String("--version"))
        return Command::Version;
    refuse(QStringLiteral("unknown command '%1'; the commands are cpm, aoa, crash, curve, pert, "
                          "grade, export, export-set and generate")
               .arg(name));
}

} // namespace

Arguments parseArguments(const QStringList &arguments)
{
    Arguments parsed;
    if (arguments.isEmpty())
        refuse(QStringLiteral("no command given"));
    parsed.command = commandNamed(arguments.front());
    if (parsed.command == Command::Help || parsed.command == Command::Version)
        return parsed;

    QStringList positional;
    QStringList given; // options seen so far
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        QString value;
        bool hasValue = false;
        // "--option=value" and "--option value" mean the same.
        if (argument.startsWith(QLatin1String("--")) && argument.contains(u'=')) {
            const qsizetype equals = argument.indexOf(u'=');
            value = argument.mid(equals + 1);
            argument = argument.left(equals);
            hasValue = true;
        }
        // A second value would silently replace the first: say so instead.
        if (argument.startsWith(u'-') && argument != QLatin1String("-")) {
            if (given.contains(argument))
                refuse(QStringLiteral("%1 is given twice").arg(argument));
            given << argument;
        }
        auto takeValue = [&]() -> QString {
            if (hasValue)
                return value;
            if (i + 1 >= arguments.size())
                refuse(QStringLiteral("%1 needs a value").arg(argument));
            return arguments[++i];
        };
        auto only = [&](Command command) {
            if (parsed.command != command)
                refuse(QStringLiteral("%1 does not belong to the command '%2'")
                           .arg(argument, arguments.front()));
        };
        auto flag = [&]() {
            if (hasValue)
                refuse(QStringLiteral("%1 takes no value").arg(argument));
            only(Command::Generate);
            return true;
        };
        auto notFor = [&](Command command, const QString &why) {
            if (parsed.command == command)
                refuse(QStringLiteral("%1 does not belong to the command '%2'%3")
                           .arg(argument, arguments.front(), why));
        };

        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parsed.command = Command::Help;
            return parsed;
        } else if (argument == QLatin1String("--version")) {
            parsed.command = Command::Version;
            return parsed;
        } else if (argument == QLatin1String("--json")) {
            if (hasValue)
                refuse(QStringLiteral("--json takes no value"));
            notFor(Command::ExportSet, QStringLiteral(" (it writes the set as CSV)"));
            notFor(Command::Export, QStringLiteral(" (it writes the plan as XML)"));
            notFor(Command::Generate,
                   QStringLiteral(" (it writes the project as CSV or, with --format crashkit, as "
                                  "a .crashkit file)"));
            parsed.json = true;
        } else if (argument == QLatin1String("--format")) {
            notFor(Command::ExportSet, QStringLiteral(" (it writes the set as CSV)"));
            const QString format = takeValue();
            if (format == QLatin1String("csv"))
                parsed.format = io::FileFormat::Csv;
            else if (format == QLatin1String("crashkit"))
                parsed.format = io::FileFormat::Crashkit;
            else if (format == QLatin1String("mspdi"))
                parsed.format = io::FileFormat::Mspdi;
            else if (format == QLatin1String("gan"))
                parsed.format = io::FileFormat::Gantt;
            else
                refuse(
                    QStringLiteral("--format: '%1' is not csv, crashkit, mspdi or gan").arg(format));
            if (parsed.command == Command::Generate && parsed.format != io::FileFormat::Csv
                && parsed.format != io::FileFormat::Crashkit)
                refuse(QStringLiteral("--format: generate writes csv or crashkit, not '%1'")
                           .arg(format));
        } else if (argument == QLatin1String("--target")) {
            if (parsed.command != Command::Grade && parsed.command != Command::Export)
                only(Command::Crash);
            parsed.target
                = wholeNumber(argument, takeValue(), 0, engine::kMaxDuration * qint64 {1'000'000});
        } else if (argument == QLatin1String("--method")) {
            if (parsed.command != Command::Export)
                only(Command::Crash);
            const QString method = takeValue();
            parsed.methodGiven = true;
            if (method == QLatin1String("greedy"))
                parsed.method = Method::Greedy;
            else if (method == QLatin1String("optimal"))
                parsed.method = Method::Optimal;
            else
                refuse(QStringLiteral("--method: '%1' is not greedy or optimal").arg(method));
        } else if (argument == QLatin1String("--to")) {
            only(Command::Export);
            const QString format = takeValue();
            if (format != QLatin1String("mspdi"))
                refuse(QStringLiteral("--to: '%1' is not a form export writes; so far it writes "
                                      "only mspdi (Microsoft Project XML)")
                           .arg(format));
            parsed.toMspdi = true;
        } else if (argument == QLatin1String("--start")) {
            only(Command::Export);
            parsed.start = calendarDay(argument, takeValue());
        } else if (argument == QLatin1String("--indirect-cost")) {
            only(Command::Curve);
            const QString text = takeValue();
            refuseBlanks(argument, text);
            const auto amount = engine::parseBaht(text.toStdString());
            if (!amount)
                refuse(QStringLiteral("--indirect-cost: '%1' is not an amount of Baht with at "
                                      "most two decimals")
                           .arg(text));
            if (*amount < 0 || *amount > engine::kMaxCostPerUnit)
                refuse(
                    QStringLiteral("--indirect-cost: %1 is outside 0 to %2 Baht")
                        .arg(text,
                             QString::fromStdString(engine::formatBaht(engine::kMaxCostPerUnit))));
            parsed.indirectCostPerUnit = *amount;
        } else if (argument == QLatin1String("--by")) {
            only(Command::Pert);
            const QString text = takeValue();
            const double day = decimalNumber(argument, text);
            // Any longest path is below kMaxActivities * kMaxDuration time units.
            constexpr double kLatest = static_cast<double>(engine::kMaxActivities)
                * static_cast<double>(engine::kMaxDuration);
            if (day < 0 || day > kLatest)
                refuse(QStringLiteral("--by: %1 is outside 0 to %2")
                           .arg(text)
                           .arg(static_cast<qint64>(kLatest)));
            parsed.byDay = day;
        } else if (argument == QLatin1String("--probability")) {
            only(Command::Pert);
            const QString text = takeValue();
            const double p = decimalNumber(argument, text);
            if (!(p > 0 && p < 1))
                refuse(QStringLiteral("--probability: %1 is not between 0 and 1 (both excluded); "
                                      "write 95% as 0.95")
                           .arg(text));
            parsed.probability = p;
        } else if (argument == QLatin1String("--paths")) {
            only(Command::Cpm);
            parsed.pathLimit = static_cast<int>(wholeNumber(argument, takeValue(), 0, 1'000'000));
        } else if (argument == QLatin1String("--seed")) {
            only(Command::Generate);
            parsed.seed = wholeNumber(argument, takeValue(), 0, std::numeric_limits<qint64>::max());
        } else if (argument == QLatin1String("--activities")) {
            only(Command::Generate);
            parsed.activities = static_cast<int>(wholeNumber(argument, takeValue(),
                                                             engine::kMinExerciseActivities,
                                                             engine::kMaxExerciseActivities));
        } else if (argument == QLatin1String("--critical-paths")) {
            only(Command::Generate);
            parsed.criticalPaths = static_cast<int>(
                wholeNumber(argument, takeValue(), 1, engine::kMaxExerciseCriticalPaths));
        } else if (argument == QLatin1String("--count")) {
            only(Command::Generate);
            parsed.count
                = static_cast<int>(wholeNumber(argument, takeValue(), 1, kMaxClassSetCount));
        } else if (argument == QLatin1String("--out")) {
            only(Command::Generate);
            parsed.outFolder = takeValue();
            if (parsed.outFolder.isEmpty())
                refuse(QStringLiteral("--out needs a folder"));
        } else if (argument == QLatin1String("--joint-step")) {
            parsed.jointStep = flag();
        } else if (argument == QLatin1String("--greedy-overpays")) {
            parsed.greedyOverpays = flag();
        } else if (argument.startsWith(u'-') && argument != QLatin1String("-")) {
            refuse(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            positional << argument;
        }
    }

    if (parsed.command == Command::Generate) {
        if (!positional.isEmpty())
            refuse(QStringLiteral("'generate' takes no file, not '%1'")
                       .arg(positional.join(QLatin1String("' '"))));
        if (!parsed.seed)
            refuse(QStringLiteral("generate needs --seed S"));
        if (given.contains(QLatin1String("--count")) && parsed.outFolder.isEmpty())
            refuse(QStringLiteral("--count needs --out DIR (a class set is written to a folder)"));
        if (!parsed.outFolder.isEmpty() && parsed.format)
            refuse(QStringLiteral("--format does not go with --out (a class set writes its "
                                  "projects as .crashkit files)"));
        if (!parsed.outFolder.isEmpty()
            && *parsed.seed > std::numeric_limits<qint64>::max() - kMaxClassSetSeeds)
            refuse(QStringLiteral("--seed: %1 leaves no room for a class set's seeds after it")
                       .arg(*parsed.seed));
        return parsed;
    }
    if (parsed.command == Command::Grade) {
        if (positional.size() != 2)
            refuse(QStringLiteral("'grade' takes a project file and an answers file"));
        parsed.file = positional[0];
        parsed.answersFile = positional[1];
    } else if (positional.size() != 1) {
        refuse(positional.isEmpty()
                   ? QStringLiteral("'%1' needs %2")
                         .arg(arguments.front(),
                              parsed.command == Command::ExportSet
                                  ? QStringLiteral("a set number (1 to 5)")
                                  : QStringLiteral("a file (or - for standard input)"))
                   : QStringLiteral("'%1' takes one %2, not '%3'")
                         .arg(arguments.front(),
                              parsed.command == Command::ExportSet ? QStringLiteral("set number")
                                                                   : QStringLiteral("file"),
                              positional.join(QLatin1String("' '"))));
    } else if (parsed.command == Command::ExportSet) {
        parsed.setNumber
            = static_cast<int>(wholeNumber(QStringLiteral("export-set"), positional.front(), 1, 5));
    } else {
        parsed.file = positional.front();
    }
    if (parsed.format && parsed.file != QLatin1String("-"))
        refuse(QStringLiteral("--format is for standard input (-) only; a file is read in the "
                              "form its extension names (.csv, .crashkit, .xml, .gan)"));
    if (parsed.command == Command::Crash && !parsed.target)
        refuse(QStringLiteral("crash needs --target N"));
    if (parsed.command == Command::Export && !parsed.toMspdi)
        refuse(QStringLiteral("export needs --to mspdi (the form it writes)"));
    if (parsed.command == Command::Export && given.contains(QLatin1String("--method"))
        && !parsed.target)
        refuse(QStringLiteral("--method needs --target N (without a target the normal plan is "
                              "written)"));
    return parsed;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: crashkit-cli COMMAND [OPTIONS]\n"
        "\n"
        "Answer keys for crashing a project with PERT/CPM. FILE is a project file (.csv,\n"
        ".crashkit, Microsoft Project .xml, GanttProject .gan), or - for standard input.\n"
        "\n"
        "Commands:\n"
        "  cpm FILE [--paths N]        the CPM table (earliest and latest start and finish,\n"
        "                              total float, critical activities), the project\n"
        "                              duration and up to N critical paths (default 100)\n"
        "  aoa FILE                    the network drawn activity on arrow: its events\n"
        "                              (number, earliest and latest time) and arrows\n"
        "                              (from, to, activity or dummy, duration, critical)\n"
        "  crash FILE --target N [--method greedy|optimal]\n"
        "                              crash the project to N time units: the textbook\n"
        "                              greedy steps (default) or the least-cost durations\n"
        "  curve FILE [--indirect-cost C]\n"
        "                              the least extra cost at every whole duration from\n"
        "                              the normal to the shortest one, with its breakpoints;\n"
        "                              with C Baht of indirect cost per time unit also the\n"
        "                              total cost and the duration of least total cost\n"
        "  pert FILE [--by DAY] [--probability P]\n"
        "                              PERT with three time estimates: each activity's\n"
        "                              expected time and variance, the critical path of\n"
        "                              expected times, its mean and standard deviation;\n"
        "                              the chance of finishing by DAY, and the day reached\n"
        "                              with probability P (0 < P < 1, e.g. 0.95). When\n"
        "                              several paths tie for the longest, the one with the\n"
        "                              largest variance is used and the ties are counted\n"
        "  grade FILE ANSWERS [--target N]\n"
        "                              check a student's answers file (the trainer's\n"
        "                              JSON) against the project: each item's verdict,\n"
        "                              the right and the given value and three hints,\n"
        "                              scores per stage; --target N replaces the\n"
        "                              answers' target. Printed in Thai; exit 0 once\n"
        "                              graded, whatever the marks\n"
        "  export FILE --to mspdi [--target N [--method greedy|optimal]]\n"
        "         [--start YYYY-MM-DD]\n"
        "                              the plan as Microsoft Project XML (MSPDI) for\n"
        "                              Microsoft Project, ProjectLibre or GanttProject:\n"
        "                              one task per activity, dated on a Monday to Friday\n"
        "                              calendar of 8-hour days from the start (default\n"
        "                              today); with --target N the durations crashed to N\n"
        "                              (greedy by default, or the least-cost ones) and the\n"
        "                              normal plan as baseline 0\n"
        "  export-set N                practice set N (1 to 5) as CSV\n"
        "  generate --seed S [--activities N] [--critical-paths K] [--joint-step]\n"
        "           [--greedy-overpays] [--format csv|crashkit]\n"
        "                              a crashing exercise made from seed S (0 or more):\n"
        "                              N activities (5 to 30, default 8), K critical\n"
        "                              paths at normal durations (1 to 3, default 1);\n"
        "                              with --joint-step some greedy step cuts two or\n"
        "                              more activities together (without it, none does);\n"
        "                              with --greedy-overpays the greedy pays more than\n"
        "                              the least cost at the target (without it, the\n"
        "                              same). The same seed and options give the same\n"
        "                              project everywhere. Written as CSV (default; the\n"
        "                              target goes to standard error) or as a .crashkit\n"
        "                              file, which holds the target and a title\n"
        "  generate --seed S [options as above] --out DIR [--count C]\n"
        "                              a class set of C variants (1 to 500, default 1)\n"
        "                              in the new or empty folder DIR, from seeds S,\n"
        "                              S+1, ...; a seed the generator refuses is skipped\n"
        "                              (and named), ten refused in a row refuse the set.\n"
        "                              Per variant NN-seedS: the .crashkit project, the\n"
        "                              answer key NN-seedS-key.json (cpm, crash greedy,\n"
        "                              crash optimal and curve as their --json prints\n"
        "                              them), a worksheet and an answer sheet as PDF;\n"
        "                              and moodle.xml, a Moodle question bank (Cloze)\n"
        "\n"
        "Options:\n"
        "  --json                      print one JSON object instead of text\n"
        "  --format csv|crashkit|mspdi|gan\n"
        "                              the form of standard input (without it, input that\n"
        "                              starts with '{' is read as .crashkit, with '<' as\n"
        "                              Microsoft Project XML or, when its first element is\n"
        "                              <project>, GanttProject, else as CSV); a file's form\n"
        "                              is given by its extension\n"
        "  -h, --help                  print this help\n"
        "  --version                   print the program's version\n"
        "\n"
        "Money is in Baht with two decimals, durations in whole time units; PERT's\n"
        "estimates and days may have decimals.\n"
        "Exit status: 0 on success, 1 when the output cannot be written, 2 on bad input\n"
        "(the message says where and what).\n");
}

} // namespace cli
