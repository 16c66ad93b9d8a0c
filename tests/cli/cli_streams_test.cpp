// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// crashkit-cli's input and output as streams: standard input read to its end and its form
// recognised, output written as it is produced (memory bounded by the project, not by what
// is printed), failed writes reported, empty projects refused.

#include "clitestsupport.h"
#include "projectfile.h"
#include "randomproject.h"
#include "randomsoundproject.h"
#include "schedule.h"

#include <QJsonArray>
#include <QTextStream>

#include <set>

namespace {

using clitest::Cli;
using clitest::Outcome;
using clitest::runCli;
using clitest::RunOptions;

// Microsoft Project XML: A (2 days) and B (3 days) in a summary, then C (1 day): 4 days.
const QByteArray kMspdiRoot
    = "<Project xmlns=\"http://schemas.microsoft.com/project\">\n"
      "<MinutesPerDay>480</MinutesPerDay><Tasks>\n"
      "<Task><UID>1</UID><ID>1</ID><Name>Phase</Name><OutlineLevel>1</OutlineLevel></Task>\n"
      "<Task><UID>2</UID><ID>2</ID><Name>A</Name><OutlineLevel>2</OutlineLevel>"
      "<Duration>PT16H0M0S</Duration></Task>\n"
      "<Task><UID>3</UID><ID>3</ID><Name>B</Name><OutlineLevel>2</OutlineLevel>"
      "<Duration>PT24H0M0S</Duration></Task>\n"
      "<Task><UID>4</UID><ID>4</ID><Name>C</Name><OutlineLevel>1</OutlineLevel>"
      "<Duration>PT8H0M0S</Duration><PredecessorLink><PredecessorUID>1</PredecessorUID>"
      "<Type>1</Type></PredecessorLink></Task>\n</Tasks></Project>\n";
// GanttProject: B (5 days) before A (2 days): 7 days.
const QByteArray kGanRoot = "<project name=\"P\"><tasks>"
                            "<task id=\"1\" name=\"A\" duration=\"2\"><depend id=\"2\" type=\"2\"/>"
                            "</task><task id=\"2\" name=\"B\" duration=\"5\"/></tasks></project>\n";
const QByteArray kBom = "\xEF\xBB\xBF";
const QByteArray kCsvHeader
    = "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n";

int durationOf(const Outcome &outcome)
{
    return outcome.json()[QStringLiteral("project_duration")].toInt(-1);
}

// A chain of ten activities of 1,000,000 days that can each lose 100,000 at 1 to 10 Baht
// a day: a curve of 1,000,001 points from a file of under 400 bytes.
QByteArray longChain()
{
    QByteArray csv = kCsvHeader;
    for (int i = 0; i < 10; ++i)
        csv += QStringLiteral("A%1,%2,1000000,900000,%3\n")
                   .arg(i)
                   .arg(i == 0 ? QStringLiteral("-") : QStringLiteral("A%1").arg(i - 1))
                   .arg(i + 1)
                   .toUtf8();
    return csv;
}

// A ladder of `rungs` pairs of one-day activities, each after both of the pair before:
// 2^rungs critical paths.
QByteArray ladder(int rungs)
{
    QByteArray csv = kCsvHeader;
    for (int r = 0; r < rungs; ++r) {
        const QByteArray before
            = r == 0 ? QByteArray("-") : QStringLiteral("\"T%1,B%1\"").arg(r - 1).toUtf8();
        csv += "T" + QByteArray::number(r) + "," + before + ",1,1,0\n";
        csv += "B" + QByteArray::number(r) + "," + before + ",1,1,0\n";
    }
    return csv;
}

// The address space a run may take: a few times what the program and its libraries map
// (about 150 MiB with Qt and ICU), far below what holding the output would need. Under the
// sanitizers the program reserves terabytes of shadow memory, so there is no limit.
qint64 boundedMemory()
{
#if defined(CRASHKIT_SANITIZED) || !defined(Q_OS_UNIX)
    return 0;
#else
    return qint64 {320} << 20;
#endif
}

TEST_F(Cli, StandardInputIsReadToItsEnd)
{
    // A narrow network, so that its duration needs every row: about 90 KB of CSV.
    testsupport::Random random(64);
    testsupport::ProjectShape shape;
    shape.activities = 3000;
    shape.window = 3;
    const engine::Project project = testsupport::randomProject(random, shape);
    const QByteArray csv = io::write(project, io::FileFormat::Csv);
    ASSERT_GT(csv.size(), 64 * 1024);
    const engine::Network network(project);
    const engine::Duration duration
        = engine::computeSchedule(network, network.normalDurations()).projectDuration;
    const QString file = write(QStringLiteral("big.csv"), csv);

    for (const QStringList &options : {QStringList {QStringLiteral("--json")}, QStringList {}}) {
        SCOPED_TRACE(options.join(u' ').toStdString());
        const Outcome byName = runCli(QStringList {QStringLiteral("cpm"), file} + options);
        ASSERT_EQ(byName.exitCode, 0) << byName.err.toStdString();
        // In five pieces with pauses, as a slow producer writes into a pipe.
        const Outcome piped
            = runCli(QStringList {QStringLiteral("cpm"), QStringLiteral("-")} + options,
                     RunOptions {.input = csv, .inputPieces = 5, .pauseMilliseconds = 150});
        ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
        EXPECT_EQ(piped.outBytes, byName.outBytes);
        if (!options.isEmpty()) {
            EXPECT_EQ(durationOf(piped), duration);
        }
    }
}

// Exactly the size cap is read; one byte more is refused, saying so, with nothing printed.
TEST_F(Cli, StandardInputUpToTheSizeCap)
{
    QByteArray input = kCsvHeader + "A,-,3,1,10\n";
    // Blank lines are skipped, so they fill the input up to the cap.
    input += QByteArray(io::kMaxFileSize - input.size(), '\n');
    const Outcome atCap
        = runCli({QStringLiteral("cpm"), QStringLiteral("-"), QStringLiteral("--json")}, input);
    ASSERT_EQ(atCap.exitCode, 0) << atCap.err.toStdString();
    EXPECT_EQ(durationOf(atCap), 3);

    input += '\n';
    const Outcome beyond = runCli({QStringLiteral("cpm"), QStringLiteral("-")}, input);
    EXPECT_EQ(beyond.exitCode, 2);
    EXPECT_TRUE(beyond.outBytes.isEmpty());
    for (const char *part : {"standard input", "64 MiB", "67108864"})
        EXPECT_TRUE(beyond.err.contains(QLatin1String(part))) << beyond.err.toStdString();
}

// Without --format, standard input's form is its first significant character or element,
// whatever byte order mark, blanks, declarations, comments or processing instructions come
// first, even when those mention the other tool's root element.
TEST_F(Cli, FormOfStandardInputByWhatComesFirst)
{
    engine::Project chain;
    chain.activities.resize(2);
    chain.activities[0].id = "A";
    chain.activities[0].normalDuration = 2;
    chain.activities[1].id = "B";
    chain.activities[1].predecessors = {"A"};
    chain.activities[1].normalDuration = 3;
    const QByteArray crashkit = io::write(chain, io::FileFormat::Crashkit); // 5 days
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    struct Case {
        const char *what;
        QByteArray input;
        int duration;
    };
    const Case cases[] = {
        {".crashkit after a byte order mark", kBom + crashkit, 5},
        {".crashkit after a byte order mark and a line break", kBom + "\r\n  " + crashkit, 5},
        {".crashkit after blanks", "\n\t " + crashkit, 5},
        {"CSV after a byte order mark", kBom + kCsvHeader + "A,-,6,6,0\n", 6},
        {"Microsoft Project after a comment naming <project>",
         declaration + "<!-- exported from a <project> of GanttProject -->\n" + kMspdiRoot, 4},
        {"Microsoft Project after a processing instruction naming <project>",
         kBom + declaration + "<?xml-stylesheet href=\"<project>.xsl\"?>\n\n" + kMspdiRoot, 4},
        {"Microsoft Project alone", kMspdiRoot, 4},
        {"GanttProject after a comment naming <Project>",
         declaration + "<!-- not a <Project> of Microsoft's -->" + kGanRoot, 7},
        {"GanttProject after a byte order mark and blanks", kBom + "  \n" + kGanRoot, 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome outcome = runCli(
            {QStringLiteral("cpm"), QStringLiteral("-"), QStringLiteral("--json")}, c.input);
        ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
        EXPECT_EQ(durationOf(outcome), c.duration);
    }
}

// A project without activities has no schedule to speak of: every command says so.
TEST_F(Cli, EmptyProjectsAreRefusedByEveryCommand)
{
    const QString headerOnly = write(QStringLiteral("empty.csv"), kCsvHeader);
    const QString emptyCrashkit = write(
        QStringLiteral("empty.crashkit"),
        R"({"format": "crashkit-project", "version": 1, "activities": [], "target_duration": 0})");
    const QString emptyGan
        = write(QStringLiteral("empty.gan"), "<project name=\"P\"><tasks></tasks></project>\n");
    const QStringList commands[] = {
        {QStringLiteral("cpm")},
        {QStringLiteral("cpm"), QStringLiteral("--json")},
        {QStringLiteral("crash"), QStringLiteral("--target"), QStringLiteral("0")},
        {QStringLiteral("crash"), QStringLiteral("--target=0"), QStringLiteral("--method=optimal")},
        {QStringLiteral("curve"), QStringLiteral("--json")},
        {QStringLiteral("curve"), QStringLiteral("--indirect-cost"), QStringLiteral("5")},
        {QStringLiteral("pert")},
    };
    struct Input {
        QString file;
        QByteArray standardInput;
    };
    const Input inputs[] = {
        {headerOnly, {}},
        {emptyCrashkit, {}},
        {emptyGan, {}},
        {QStringLiteral("-"), kBom + kCsvHeader},
    };
    for (const Input &input : inputs) {
        for (const QStringList &command : commands) {
            const QStringList arguments
                = QStringList {command.front(), input.file} + command.mid(1);
            SCOPED_TRACE(arguments.join(u' ').toStdString());
            const Outcome outcome = runCli(arguments, input.standardInput);
            EXPECT_EQ(outcome.exitCode, 2);
            EXPECT_TRUE(outcome.outBytes.isEmpty()) << outcome.out.toStdString();
            EXPECT_TRUE(outcome.err.contains(input.file
                                             + QStringLiteral(": the project has no "
                                                              "activities")))
                << outcome.err.toStdString();
        }
    }
}

// Output that cannot be written (a full disk) is a failure with a reason, whether the
// output is written at the end or streamed while it is produced.
TEST_F(Cli, FailedWritesAreReported)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full on this system";
    const QString set1 = setFile(1);
    const QString chain = write(QStringLiteral("chain.csv"), longChain());
    const QStringList cases[] = {
        {QStringLiteral("export-set"), QStringLiteral("1")},
        {QStringLiteral("--help")},
        {QStringLiteral("cpm"), set1},
        {QStringLiteral("cpm"), set1, QStringLiteral("--json")},
        {QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral("27")},
        {QStringLiteral("crash"), set1, QStringLiteral("--target=27"), QStringLiteral("--json")},
        {QStringLiteral("curve"), chain},
        {QStringLiteral("curve"), chain, QStringLiteral("--json")},
    };
    for (const QStringList &arguments : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Outcome outcome
            = runCli(arguments, RunOptions {.outputFile = QStringLiteral("/dev/full")});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("the output could not be written")))
            << outcome.err.toStdString();
    }
}

// The curve of the long chain by hand: cutting the cheapest activity first is optimal on a
// chain, so c days less cost 100,000 Baht a day for each activity fully cut before the
// next, cheapest first.
qint64 chainCostSatang(qint64 cut)
{
    qint64 cost = 0;
    for (qint64 perDay = 1; perDay <= 10 && cut > 0; ++perDay) {
        const qint64 days = std::min<qint64>(cut, 100'000);
        cost += days * perDay * 100;
        cut -= days;
    }
    return cost;
}

// What is printed is written as it is produced: a million lines of curve, or 131,072
// critical paths, from projects of a few hundred bytes run within a few hundred MiB.
TEST_F(Cli, MemoryFollowsTheProjectNotTheOutput)
{
    const QString chain = write(QStringLiteral("chain.csv"), longChain());
    const QString table = path(QStringLiteral("curve.txt"));
    const Outcome text
        = runCli({QStringLiteral("curve"), chain},
                 RunOptions {.outputFile = table, .addressSpaceLimit = boundedMemory()});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QTextStream lines(&file);
    EXPECT_EQ(lines.readLine(),
              QStringLiteral("Least extra cost from the normal duration 10000000 down to the "
                             "shortest 9000000:"));
    EXPECT_EQ(lines.readLine(), QString());
    EXPECT_EQ(lines.readLine(), QStringLiteral("duration  extra cost"));
    for (qint64 duration = 10'000'000; duration >= 9'000'000; --duration) {
        const QString line = lines.readLine();
        const QStringList cells = line.split(u' ', Qt::SkipEmptyParts);
        ASSERT_EQ(cells.size(), 2) << line.toStdString();
        ASSERT_EQ(cells[0].toLongLong(), duration);
        const qint64 satang = chainCostSatang(10'000'000 - duration);
        ASSERT_EQ(cells[1],
                  QStringLiteral("%1.%2").arg(satang / 100).arg(satang % 100, 2, 10, QChar(u'0')));
    }
    EXPECT_EQ(lines.readLine(), QString());
    EXPECT_TRUE(lines.readLine().startsWith(QStringLiteral("Breakpoints: 10000000 (0.00), ")));
    EXPECT_TRUE(lines.atEnd());

    const QString document = path(QStringLiteral("curve.json"));
    const Outcome json
        = runCli({QStringLiteral("curve"), chain, QStringLiteral("--json")},
                 RunOptions {.outputFile = document, .addressSpaceLimit = boundedMemory()});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    QFile jsonFile(document);
    ASSERT_TRUE(jsonFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = jsonFile.readAll();
    // Every point and every breakpoint has its extra cost; the last point is the shortest.
    EXPECT_EQ(bytes.count("\"extra_cost\""), 1'000'001 + 11);
    EXPECT_TRUE(bytes.endsWith("        {\n            \"duration\": 9000000,\n"
                               "            \"extra_cost\": 5500000\n        }\n    ],\n"
                               "    \"shortest_duration\": 9000000,\n    \"title\": \"\"\n}\n"));

    const QString rungs = write(QStringLiteral("ladder.csv"), ladder(17));
    for (const bool inJson : {false, true}) {
        SCOPED_TRACE(inJson ? "JSON" : "text");
        QStringList arguments {QStringLiteral("cpm"), rungs, QStringLiteral("--paths"),
                               QStringLiteral("1000000")};
        if (inJson)
            arguments << QStringLiteral("--json");
        const Outcome paths = runCli(arguments, RunOptions {.addressSpaceLimit = boundedMemory()});
        ASSERT_EQ(paths.exitCode, 0) << paths.err.toStdString();
        std::set<QString> distinct;
        if (inJson) {
            const QJsonObject root = paths.json();
            EXPECT_TRUE(root[QStringLiteral("critical_paths_complete")].toBool());
            for (const QJsonValue path : root[QStringLiteral("critical_paths")].toArray())
                distinct.insert(QString::fromUtf8(
                    QJsonDocument(path.toArray()).toJson(QJsonDocument::Compact)));
        } else {
            const QString list = paths.out.section(QStringLiteral("Critical paths:\n"), 1);
            for (const QString &line : list.split(u'\n', Qt::SkipEmptyParts)) {
                ASSERT_EQ(line.count(QStringLiteral(" - ")), 16) << line.toStdString();
                distinct.insert(line);
            }
        }
        EXPECT_EQ(distinct.size(), std::size_t {1} << 17);
    }
}

// The JSON written as it is produced is, byte for byte, what QJsonDocument writes for the
// same values: read back and written again by Qt, every document comes out the same.
TEST_F(Cli, JsonIsLaidOutAsQtLaysItOut)
{
    for (int k = 0; k < 12; ++k) {
        iotest::RandomSource random(static_cast<std::uint64_t>(k) + 77);
        iotest::RandomProjectOptions options;
        options.activities = static_cast<int>(random.between(1, 40));
        options.largeValues = k % 3 == 0;
        engine::Project project = iotest::randomSoundProject(random, options);
        // Qt's reader drops a U+FEFF that starts a text (see the test below), so the
        // round trip is only the same without one.
        auto withoutLeadingBom = [](std::string &text) {
            if (text.starts_with("\xEF\xBB\xBF"))
                text.replace(0, 3, "x");
        };
        withoutLeadingBom(project.title);
        for (engine::Activity &a : project.activities) {
            withoutLeadingBom(a.id);
            withoutLeadingBom(a.name);
            for (std::string &p : a.predecessors)
                withoutLeadingBom(p);
        }
        const QString file = write(QStringLiteral("p%1.crashkit").arg(k),
                                   io::write(project, io::FileFormat::Crashkit));
        const Outcome cpm = runCli({QStringLiteral("cpm"), file, QStringLiteral("--json")});
        ASSERT_EQ(cpm.exitCode, 0) << cpm.err.toStdString();
        const qint64 normal = cpm.json()[QStringLiteral("project_duration")].toInteger();
        const qint64 shortest = cpm.json()[QStringLiteral("shortest_duration")].toInteger();
        const QString target = QString::number((normal + shortest) / 2);
        const QStringList commands[] = {
            {QStringLiteral("cpm"), file, QStringLiteral("--paths=3")},
            {QStringLiteral("crash"), file, QStringLiteral("--target"), target},
            {QStringLiteral("crash"), file, QStringLiteral("--target"), QString::number(normal)},
            {QStringLiteral("crash"), file, QStringLiteral("--target"), target,
             QStringLiteral("--method=optimal")},
            {QStringLiteral("curve"), file, QStringLiteral("--indirect-cost=12.5")},
            {QStringLiteral("pert"), file, QStringLiteral("--by=7.25"),
             QStringLiteral("--probability=0.9")},
        };
        for (const QStringList &command : commands) {
            SCOPED_TRACE(command.join(u' ').toStdString());
            const Outcome outcome = runCli(command + QStringList {QStringLiteral("--json")});
            // pert refuses a project without estimates, and says so.
            if (outcome.exitCode == 2 && command.front() == QLatin1String("pert"))
                continue;
            ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(outcome.outBytes, &error);
            ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
            EXPECT_EQ(document.toJson(QJsonDocument::Indented), outcome.outBytes);
        }
    }
}

// A text that starts with U+FEFF (allowed in ids and names) is printed whole, and in JSON
// escaped so that Qt's own reader keeps it too.
TEST_F(Cli, LeadingByteOrderMarkInATextIsKept)
{
    engine::Project project;
    project.title = "\xEF\xBB\xBFplan";
    project.activities.resize(1);
    engine::Activity &a = project.activities.front();
    a.id = "\xEF\xBB\xBF"
           "A";
    a.name = "\xEF\xBB\xBF"
             "dig";
    a.normalDuration = 3;
    a.crashDuration = 1;
    a.crashCostPerUnit = 500;
    const QString file
        = write(QStringLiteral("bom.crashkit"), io::write(project, io::FileFormat::Crashkit));
    const Outcome text = runCli({QStringLiteral("cpm"), file});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.outBytes.startsWith("\xEF\xBB\xBFplan\n")) << text.out.toStdString();
    EXPECT_TRUE(text.outBytes.contains("\n  \xEF\xBB\xBF"
                                       "A\n"))
        << text.out.toStdString();
    const QJsonObject json = runCli({QStringLiteral("cpm"), file, QStringLiteral("--json")}).json();
    EXPECT_EQ(json[QStringLiteral("title")].toString(), QStringLiteral(u"\uFEFFplan"));
    const QJsonObject activity = json[QStringLiteral("activities")].toArray()[0].toObject();
    EXPECT_EQ(activity[QStringLiteral("id")].toString(), QStringLiteral(u"\uFEFFA"));
    EXPECT_EQ(activity[QStringLiteral("name")].toString(), QStringLiteral(u"\uFEFFdig"));
}

} // namespace
