// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "clitestsupport.h"
#include "exercisegenerator.h"
#include "leastcost.h"
#include "money.h"
#include "network.h"
#include "practiceset.h"
#include "projectfile.h"
#include "schedule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <variant>

namespace {

using clitest::Cli;
using clitest::Outcome;
using clitest::runCli;

// The export is the project file's own bytes, byte order mark and CRLF rows included, on every
// system (a text-mode standard output on Windows would double the carriage returns).
TEST_F(Cli, ExportIsTheFileWritersBytes)
{
    for (int number = 1; number <= 5; ++number) {
        SCOPED_TRACE(number);
        const Outcome exported = runCli({QStringLiteral("export-set"), QString::number(number)});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        EXPECT_EQ(exported.outBytes,
                  io::write(practiceProject(practiceSet(number)), io::FileFormat::Csv));
    }
}

// Every exported set reads back as the set's own project.
TEST_F(Cli, ExportedSetsReadBackAsTheSets)
{
    for (int number = 1; number <= 5; ++number) {
        SCOPED_TRACE(number);
        const Outcome exported = runCli({QStringLiteral("export-set"), QString::number(number)});
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        const io::ReadResult read
            = io::read(exported.out.toUtf8(), QStringLiteral("set.csv"), io::FileFormat::Csv);
        ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
        const engine::Project expected = practiceProject(practiceSet(number));
        ASSERT_EQ(read.project().activities.size(), expected.activities.size());
        for (std::size_t k = 0; k < expected.activities.size(); ++k) {
            const engine::Activity &a = read.project().activities[k], &b = expected.activities[k];
            EXPECT_EQ(a.id, b.id);
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.predecessors, b.predecessors);
            EXPECT_EQ(a.normalDuration, b.normalDuration);
            EXPECT_EQ(a.crashDuration, b.crashDuration);
            EXPECT_EQ(a.crashCostPerUnit, b.crashCostPerUnit);
        }
    }
}

// Set 1 worked by hand: the longest route B-F-I is 8 + 10 + 14 = 32 days; fully crashed,
// A-D-H is the longest at 6 + 9 + 12 = 27. Cutting the cheapest way costs 75 (B), then 175
// (B and H, as A-D-H turns critical at 31), 225 (D and F), 250 (A and F) and 425 Baht.
TEST_F(Cli, SetOneByHand)
{
    const QString file = setFile(1);
    const QJsonObject cpm = runCli({QStringLiteral("cpm"), file, QStringLiteral("--json")}).json();
    EXPECT_EQ(cpm[QStringLiteral("project_duration")].toInt(), 32);
    EXPECT_EQ(cpm[QStringLiteral("shortest_duration")].toInt(), 27);
    EXPECT_EQ(
        cpm[QStringLiteral("critical_paths")].toArray(),
        QJsonArray({QJsonArray({QStringLiteral("B"), QStringLiteral("F"), QStringLiteral("I")})}));

    const QJsonObject curve = runCli({QStringLiteral("curve"), file, QStringLiteral("--json"),
                                      QStringLiteral("--indirect-cost"), QStringLiteral("300")})
                                  .json();
    const double expected[] = {0, 75, 250, 475, 725, 1150}; // for 32 down to 27 days
    const QJsonArray points = curve[QStringLiteral("points")].toArray();
    ASSERT_EQ(points.size(), 6);
    for (qsizetype k = 0; k < points.size(); ++k) {
        EXPECT_EQ(points[k][QStringLiteral("duration")].toInt(), 32 - k);
        EXPECT_EQ(points[k][QStringLiteral("extra_cost")].toDouble(), expected[k]);
    }
    // Totals 9600, 9375, 9250, 9175, 9125, 9250: least at 28 days.
    EXPECT_EQ(curve[QStringLiteral("least_total_cost")].toDouble(), 9125);
    EXPECT_EQ(curve[QStringLiteral("least_total_durations")].toArray(), QJsonArray({28}));

    for (int target = 27; target <= 32; ++target) {
        SCOPED_TRACE(target);
        const QStringList base {QStringLiteral("crash"), file, QStringLiteral("--json"),
                                QStringLiteral("--target"), QString::number(target)};
        const QJsonObject greedy = runCli(base).json();
        const QJsonObject optimal
            = runCli(base + QStringList {QStringLiteral("--method=optimal")}).json();
        EXPECT_EQ(greedy[QStringLiteral("reached_duration")].toInt(), target);
        EXPECT_EQ(optimal[QStringLiteral("reached_duration")].toInt(), target);
        EXPECT_EQ(optimal[QStringLiteral("extra_cost")].toDouble(), expected[32 - target]);
        EXPECT_GE(greedy[QStringLiteral("extra_cost")].toDouble(), expected[32 - target]);
        double stepTotal = 0;
        for (const QJsonValue step : greedy[QStringLiteral("steps")].toArray())
            stepTotal += step[QStringLiteral("cost")].toDouble();
        EXPECT_EQ(stepTotal, greedy[QStringLiteral("extra_cost")].toDouble());
    }
}

// The activity-on-arrow data against the CPM table of the same file, for every practice set and
// a file with parallel activities: each activity's tail event holds its earliest start and its
// head event its latest finish, critical arrows are the critical activities, every arrow runs
// to a higher number and the numbers run 1 .. events; the text form lists the same arrows.
TEST_F(Cli, AoaAgreesWithTheCpmTable)
{
    QTemporaryDir dir;
    const QString parallel = dir.filePath(QStringLiteral("parallel.csv"));
    QFile file(parallel);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
               "A,,-,3,3,0\nB,,-,3,3,0\nC,,\"A, B\",2,2,0\n");
    file.close();
    QStringList files {parallel};
    for (int set = 1; set <= 5; ++set)
        files << setFile(set);
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        const QJsonObject aoa
            = runCli({QStringLiteral("aoa"), path, QStringLiteral("--json")}).json();
        const QJsonObject cpm
            = runCli({QStringLiteral("cpm"), path, QStringLiteral("--json")}).json();
        EXPECT_EQ(aoa[QStringLiteral("project_duration")], cpm[QStringLiteral("project_duration")]);
        const QJsonArray events = aoa[QStringLiteral("events")].toArray();
        for (qsizetype e = 0; e < events.size(); ++e)
            EXPECT_EQ(events[e][QStringLiteral("number")].toInt(), e + 1);
        std::map<QString, QJsonObject> arrowOf;
        int dummies = 0;
        for (const QJsonValue arrow : aoa[QStringLiteral("arrows")].toArray()) {
            EXPECT_LT(arrow[QStringLiteral("from")].toInt(), arrow[QStringLiteral("to")].toInt());
            if (arrow[QStringLiteral("dummy")].toBool())
                ++dummies;
            else
                arrowOf[arrow[QStringLiteral("activity")].toString()] = arrow.toObject();
        }
        EXPECT_EQ(aoa[QStringLiteral("dummies")].toInt(), dummies);
        const QString text = runCli({QStringLiteral("aoa"), path}).out;
        for (const QJsonValue row : cpm[QStringLiteral("activities")].toArray()) {
            const QString id = row[QStringLiteral("id")].toString();
            ASSERT_EQ(arrowOf.count(id), 1U) << id.toStdString();
            const QJsonObject &arrow = arrowOf[id];
            const auto tail = events[arrow[QStringLiteral("from")].toInt() - 1];
            const auto head = events[arrow[QStringLiteral("to")].toInt() - 1];
            EXPECT_EQ(tail[QStringLiteral("earliest")], row[QStringLiteral("earliest_start")]);
            EXPECT_EQ(head[QStringLiteral("latest")], row[QStringLiteral("latest_finish")]);
            EXPECT_EQ(arrow[QStringLiteral("critical")], row[QStringLiteral("critical")]);
            EXPECT_EQ(arrow[QStringLiteral("duration")], row[QStringLiteral("duration")]);
            const QString line = QStringLiteral("%1 +%2 +%3 +%4")
                                     .arg(arrow[QStringLiteral("from")].toInt())
                                     .arg(arrow[QStringLiteral("to")].toInt())
                                     .arg(id)
                                     .arg(arrow[QStringLiteral("duration")].toInt());
            EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("(^|\\n)") + line)))
                << line.toStdString();
        }
        if (path == parallel) {
            EXPECT_EQ(dummies, 1); // A and B would otherwise join the same two events
        }
    }
}

// One activity of 10 days that can lose 6 at 50 Baht each: the curve is one segment, so an
// indirect cost of 50 Baht a day makes every duration from 10 down to 4 cost 500 Baht.
TEST_F(Cli, LeastTotalListsEveryTiedDuration)
{
    const QString file = write(QStringLiteral("one.csv"),
                               "activity,predecessors,normal_duration,crash_duration,"
                               "crash_cost_per_unit\nA,-,10,4,50\n");
    struct Case {
        const char *indirect;
        double total;
        QJsonArray durations;
        const char *sentence;
    };
    const Case cases[] = {
        {"49.99", 499.9, {10}, "the least total cost is 499.90 Baht, at duration 10.\n"},
        {"50",
         500,
         {10, 9, 8, 7, 6, 5, 4},
         "the least total cost is 500.00 Baht, at duration 10, 9, 8, 7, 6, 5, 4.\n"},
        {"50.01", 500.04, {4}, "the least total cost is 500.04 Baht, at duration 4.\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.indirect);
        const QStringList arguments {QStringLiteral("curve"), file,
                                     QStringLiteral("--indirect-cost"),
                                     QString::fromLatin1(c.indirect)};
        const Outcome text = runCli(arguments);
        ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
        EXPECT_TRUE(text.out.endsWith(QString::fromLatin1(c.sentence))) << text.out.toStdString();
        const QJsonObject json = runCli(arguments + QStringList {QStringLiteral("--json")}).json();
        EXPECT_EQ(json[QStringLiteral("least_total_cost")].toDouble(), c.total);
        EXPECT_EQ(json[QStringLiteral("least_total_durations")].toArray(), c.durations);
    }

    // 100,000 days at a billion Baht a day is beyond what a JSON number holds exactly.
    const QString longFile = write(QStringLiteral("long.csv"),
                                   "activity,predecessors,normal_duration,crash_duration,"
                                   "crash_cost_per_unit\nA,-,100000,99990,0\n");
    const Outcome tooLarge
        = runCli({QStringLiteral("curve"), longFile, QStringLiteral("--indirect-cost"),
                  QStringLiteral("1000000000")});
    EXPECT_EQ(tooLarge.exitCode, 2);
    EXPECT_TRUE(tooLarge.err.contains(QStringLiteral("at duration 100000 exceeds")))
        << tooLarge.err.toStdString();
    EXPECT_TRUE(tooLarge.out.isEmpty());
}

TEST_F(Cli, StandardInputInEitherForm)
{
    const QByteArray csv
        = "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
          "A,-,3,1,10.50\nB,A,2,2,0\n";
    Outcome outcome
        = runCli({QStringLiteral("crash"), QStringLiteral("-"), QStringLiteral("--target"),
                  QStringLiteral("3"), QStringLiteral("--json")},
                 csv);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.json()[QStringLiteral("extra_cost")].toDouble(), 21.0); // A cut by 2

    const io::ReadResult read = io::read(csv, QStringLiteral("-"), io::FileFormat::Csv);
    ASSERT_TRUE(read.isLoaded());
    outcome = runCli({QStringLiteral("cpm"), QStringLiteral("-"), QStringLiteral("--json")},
                     io::write(read.project(), io::FileFormat::Crashkit));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.json()[QStringLiteral("project_duration")].toInt(), 5);
}

// Bad input of every kind ends with status 2 and a message on standard error that says
// where and what; nothing on standard output. An argument is taken as given or refused.
TEST_F(Cli, BadInputSaysWhereAndWhat)
{
    const QString set1 = setFile(1);
    const QString badRow
        = write(QStringLiteral("bad.csv"),
                "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
                "A,-,3,1,10\nB,A,two,1,5\n");
    struct Case {
        QStringList arguments;
        QStringList messageHas;
    };
    const Case cases[] = {
        {{}, {QStringLiteral("no command")}},
        {{QStringLiteral("schedule"), set1}, {QStringLiteral("unknown command 'schedule'")}},
        {{QStringLiteral("crash"), set1}, {QStringLiteral("--target")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral("soon")},
         {QStringLiteral("--target"), QStringLiteral("'soon'")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral("26")},
         {QStringLiteral("26"), QStringLiteral("shortest"), QStringLiteral("27")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral("33")},
         {QStringLiteral("33"), QStringLiteral("normal"), QStringLiteral("32")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target=28"),
          QStringLiteral("--method=fast")},
         {QStringLiteral("'fast'")}},
        {{QStringLiteral("curve"), set1, QStringLiteral("--indirect-cost"),
          QStringLiteral("1,000")},
         {QStringLiteral("--indirect-cost"), QStringLiteral("'1,000'")}},
        {{QStringLiteral("curve"), set1, QStringLiteral("--target"), QStringLiteral("3")},
         {QStringLiteral("--target"), QStringLiteral("curve")}},
        {{QStringLiteral("cpm"), set1, QStringLiteral("--colour")}, {QStringLiteral("--colour")}},
        {{QStringLiteral("cpm"), set1, set1}, {QStringLiteral("one file")}},
        {{QStringLiteral("cpm"), QStringLiteral("/no/such/plan.csv")},
         {QStringLiteral("/no/such/plan.csv")}},
        {{QStringLiteral("cpm"), badRow}, {QStringLiteral("bad.csv:3"), QStringLiteral("'two'")}},
        {{QStringLiteral("export-set"), QStringLiteral("6")},
         {QStringLiteral("6"), QStringLiteral("1 to 5")}},
        // What cannot be honoured as asked is refused, not silently changed.
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral("28"),
          QStringLiteral("--target"), QStringLiteral("30")},
         {QStringLiteral("--target is given twice")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target=28"),
          QStringLiteral("--method=greedy"), QStringLiteral("--method"), QStringLiteral("optimal")},
         {QStringLiteral("--method is given twice")}},
        {{QStringLiteral("cpm"), set1, QStringLiteral("--json"), QStringLiteral("--json")},
         {QStringLiteral("--json is given twice")}},
        {{QStringLiteral("export-set"), QStringLiteral("1"), QStringLiteral("--json")},
         {QStringLiteral("--json does not belong to the command 'export-set'")}},
        {{QStringLiteral("export-set"), QStringLiteral("1"), QStringLiteral("--format=csv")},
         {QStringLiteral("--format does not belong to the command 'export-set'")}},
        {{QStringLiteral("cpm"), set1, QStringLiteral("--format"), QStringLiteral("crashkit")},
         {QStringLiteral("--format is for standard input")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral(" 28")},
         {QStringLiteral("--target: ' 28' has blanks around it")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target=28\t")},
         {QStringLiteral("--target"), QStringLiteral("blanks")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target=+28")},
         {QStringLiteral("--target: '+28' is not a whole number")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target=28=30")},
         {QStringLiteral("--target: '28=30' is not a whole number")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"), QStringLiteral("-5")},
         {QStringLiteral("--target: -5 is outside")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target"),
          QStringLiteral("99999999999999999999")},
         {QStringLiteral("--target: 99999999999999999999 is outside")}},
        {{QStringLiteral("cpm"), set1, QStringLiteral("--paths"), QStringLiteral("3 ")},
         {QStringLiteral("--paths: '3 ' has blanks around it")}},
        {{QStringLiteral("curve"), set1, QStringLiteral("--indirect-cost"), QStringLiteral(" 300")},
         {QStringLiteral("--indirect-cost: ' 300' has blanks around it")}},
        {{QStringLiteral("pert"), set1, QStringLiteral("--by"), QStringLiteral("7 ")},
         {QStringLiteral("--by: '7 ' has blanks around it")}},
        {{QStringLiteral("pert"), set1, QStringLiteral("--probability= 0.9")},
         {QStringLiteral("--probability"), QStringLiteral("blanks")}},
        {{QStringLiteral("export-set"), QStringLiteral(" 1")},
         {QStringLiteral("export-set: ' 1' has blanks around it")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_TRUE(outcome.out.isEmpty()) << outcome.out.toStdString();
        for (const QString &part : c.messageHas)
            EXPECT_TRUE(outcome.err.contains(part)) << outcome.err.toStdString();
    }
}

TEST_F(Cli, HelpNamesEveryCommand)
{
    const Outcome outcome = runCli({QStringLiteral("--help")});
    EXPECT_EQ(outcome.exitCode, 0);
    for (const char *command : {"cpm", "aoa", "crash", "curve", "pert", "export-set", "generate",
                                "--joint-step", "--json", "--version"})
        EXPECT_TRUE(outcome.out.contains(QLatin1String(command))) << command;
}

// The version alone, as a first argument or after a command, and nothing else runs.
TEST_F(Cli, VersionIsTheProjectsVersion)
{
    for (const QStringList &arguments :
         {QStringList {QStringLiteral("--version")},
          QStringList {QStringLiteral("cpm"), QStringLiteral("--version")}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Outcome outcome = runCli(arguments);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_EQ(outcome.out, QStringLiteral("crashkit-cli " CRASHKIT_TEST_VERSION "\n"));
        EXPECT_TRUE(outcome.err.isEmpty()) << outcome.err.toStdString();
    }
}

// PERT on a file worked by hand: A-C-E-F is the longest path of expected times,
// 4 + 31/6 + 31/6 + 27/6 = 18 5/6, with variance (16 + 9 + 9 + 25) / 36.
const QByteArray kPertFile
    = "activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit,"
      "optimistic,most_likely,pessimistic\n"
      "A,,-,4,3,1000,2,4,6\nB,,-,5,4,500,3,5,9\nC,,A,5,4,800,4,5,7\n"
      "D,,A,6,5,700,4,6,10\nE,,\"B, C\",5,4,900,4,5,7\nF,,\"D, E\",4,3,600,3,4,8\n";

TEST_F(Cli, PertTextOnAHandWorkedFile)
{
    const Outcome outcome = runCli({QStringLiteral("pert"), write(u"pert.csv"_qs, kPertFile)});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    // te = (a + 4m + b) / 6 and ((b - a) / 6)^2 with two decimals: D 38/6 and 1, F 4.5 and 25/36.
    for (const char *part :
         {"D         4  6  10  6.33  1.00", "F         3  4  8   4.50  0.69",
          "Critical path of expected times: A - C - E - F", "Expected project duration: 18.83",
          "Variance of the path: 1.64", "Standard deviation: 1.28"})
        EXPECT_TRUE(outcome.out.contains(QLatin1String(part))) << part << "\n"
                                                               << outcome.out.toStdString();
    EXPECT_FALSE(outcome.out.contains(u"tied"_qs));
}

TEST_F(Cli, PertAnswersByDayAndProbability)
{
    // A chain of mean 5 and standard deviation 1: A (0, 3, 6) has te 3 and variance 1,
    // B (2, 2, 2) has te 2 and none; Phi(1) = 0.841344746 from a table.
    const QString file = write(u"chain.csv"_qs,
                               "activity,predecessors,normal_duration,crash_duration,"
                               "crash_cost_per_unit,optimistic,most_likely,pessimistic\n"
                               "A,-,3,3,0,0,3,6\nB,A,2,2,0,2,2,2\n");
    const Outcome text = runCli({u"pert"_qs, file, u"--by"_qs, u"6"_qs, u"--probability=0.5"_qs});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains(u"Probability of finishing by 6: 84.13%"_qs))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(u"Day reached with probability 50.00%: 5.00"_qs))
        << text.out.toStdString();

    const Outcome json = runCli(
        {u"pert"_qs, file, u"--by=4"_qs, u"--probability"_qs, u"0.841344746"_qs, u"--json"_qs});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject root = json.json();
    EXPECT_NEAR(root[u"expected_duration"_qs].toDouble(), 5, 1e-12);
    EXPECT_NEAR(root[u"standard_deviation"_qs].toDouble(), 1, 1e-12);
    EXPECT_EQ(root[u"critical_path"_qs].toArray(), (QJsonArray {u"A"_qs, u"B"_qs}));
    EXPECT_NEAR(root[u"by"_qs][u"probability"_qs].toDouble(), 1 - 0.841344746, 1e-9);
    EXPECT_NEAR(root[u"by"_qs][u"z"_qs].toDouble(), -1, 1e-12);
    EXPECT_NEAR(root[u"for_probability"_qs][u"day"_qs].toDouble(), 6, 1e-8);
    const QJsonArray activities = root[u"activities"_qs].toArray();
    ASSERT_EQ(activities.size(), 2);
    EXPECT_EQ(activities[0][u"pessimistic"_qs].toDouble(), 6);
    EXPECT_EQ(activities[1][u"variance"_qs].toDouble(), 0);
}

TEST_F(Cli, PertReportsTiedPathsAndTakesTheWidest)
{
    // N (2, 4, 6) and W (1, 4, 7) both expect 4; W's variance 1 is larger than N's 4/9.
    const QString file = write(u"tie.crashkit"_qs,
                               R"({"format": "crashkit-project", "version": 1, "activities": [
             {"id": "N", "normal_duration": 4, "crash_duration": 4, "crash_cost_per_unit": 0,
              "estimate": {"optimistic": 2, "most_likely": 4, "pessimistic": 6}},
             {"id": "W", "normal_duration": 4, "crash_duration": 4, "crash_cost_per_unit": 0,
              "estimate": {"optimistic": 1, "most_likely": 4, "pessimistic": 7}}]})");
    const Outcome text = runCli({u"pert"_qs, file});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains(u"Critical path of expected times: W\n"_qs))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(u"Paths tied for the longest: 2"_qs)) << text.out.toStdString();
    const QJsonObject json = runCli({u"pert"_qs, file, u"--json"_qs}).json();
    EXPECT_EQ(json[u"tied_paths"_qs].toInt(), 2);
    EXPECT_NEAR(json[u"path_variance"_qs].toDouble(), 1, 1e-12);
}

TEST_F(Cli, PertRefusesWhatItCannotAnswer)
{
    const QString pert = write(u"pert.csv"_qs, kPertFile);
    const struct {
        QStringList arguments;
        QStringList parts; // in the message
    } cases[] = {
        {{u"pert"_qs, setFile(1)}, {u"no activity has three time estimates"_qs}},
        {{u"pert"_qs, pert, u"--probability"_qs, u"1"_qs},
         {u"--probability"_qs, u"between 0 and 1"_qs}},
        {{u"pert"_qs, pert, u"--probability"_qs, u"0"_qs}, {u"--probability"_qs}},
        {{u"pert"_qs, pert, u"--probability"_qs, u"95%"_qs}, {u"'95%'"_qs, u"not a number"_qs}},
        {{u"pert"_qs, pert, u"--by"_qs, u"1e3"_qs}, {u"--by"_qs, u"not a number"_qs}},
        {{u"pert"_qs, pert, u"--by"_qs, u"17,5"_qs}, {u"--by"_qs, u"not a number"_qs}},
        {{u"pert"_qs, pert, u"--by=-2"_qs}, {u"--by"_qs, u"outside"_qs}},
        {{u"pert"_qs, pert, u"--by"_qs}, {u"--by needs a value"_qs}},
        {{u"cpm"_qs, pert, u"--by"_qs, u"3"_qs}, {u"--by does not belong"_qs}},
    };
    for (const auto &c : cases) {
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
        for (const QString &part : c.parts)
            EXPECT_TRUE(outcome.err.contains(part)) << outcome.err.toStdString();
    }
}

// Links other than plain finish-to-start: the schedule, the curve and the exact least cost
// follow them; the textbook's methods (the greedy, PERT, activity on arrow, a worksheet)
// refuse the project with the link they stumble on, as bad input. A 10; B 4 finishing with
// A; C 10 starting with B: 16 units by hand.
TEST_F(Cli, LinksOtherThanPlain)
{
    const QString file = write(u"links.csv"_qs,
                               "activity,name,predecessors,normal_duration,crash_duration,"
                               "crash_cost_per_unit\n"
                               "A,,-,10,8,100\nB,,A FF,4,2,50\nC,,B SS,10,9,300\n");
    const Outcome cpm = runCli({u"cpm"_qs, file, u"--json"_qs});
    if (cpm.exitCode != 0 && cpm.err.contains(u"'A FF' is not an activity"_qs))
        GTEST_SKIP() << "the CSV reader does not read link types yet";
    ASSERT_EQ(cpm.exitCode, 0) << cpm.err.toStdString();
    EXPECT_EQ(cpm.json()[u"project_duration"_qs].toInt(), 16);

    engine::Project project;
    project.activities
        = {{"A", "", {}, 10, 8, 10000},
           {"B", "", {"A"}, 4, 2, 5000, {}, {{engine::LinkType::FinishToFinish, 0}}},
           {"C", "", {"B"}, 10, 9, 30000, {}, {{engine::LinkType::StartToStart, 0}}}};
    const engine::Network network(project);
    const engine::Duration shortest = engine::shortestDuration(network);
    for (engine::Duration target = shortest; target <= 16; ++target) {
        const QStringList crash {u"crash"_qs, file, u"--json"_qs, u"--target"_qs,
                                 QString::number(target)};
        for (const QStringList &arguments : {crash, crash + QStringList {u"--method=optimal"_qs}}) {
            const Outcome outcome = runCli(arguments);
            ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
            EXPECT_EQ(outcome.json()[u"method"_qs].toString(), u"optimal"_qs);
            EXPECT_EQ(engine::parseBaht(
                          QString::number(outcome.json()[u"extra_cost"_qs].toDouble(), 'f', 2)
                              .toStdString()),
                      engine::leastCost(network, target)->cost);
        }
    }
    EXPECT_EQ(runCli({u"curve"_qs, file}).exitCode, 0);

    const QStringList refused[]
        = {{u"crash"_qs, file, u"--target"_qs, u"16"_qs, u"--method"_qs, u"greedy"_qs},
           {u"pert"_qs, file},
           {u"aoa"_qs, file}};
    for (const QStringList &arguments : refused) {
        const Outcome outcome = runCli(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_TRUE(outcome.err.contains(u"finish-to-start"_qs)
                    && outcome.err.contains(u"'A FF'"_qs))
            << outcome.err.toStdString();
    }
}

// The text reports name the project's time unit with its durations.
TEST_F(Cli, TextReportsNameTheUnit)
{
    const QString file = setFile(1);
    EXPECT_TRUE(runCli({u"cpm"_qs, file}).out.contains(u"Project duration: 32 days\n"_qs));
    EXPECT_TRUE(runCli({u"crash"_qs, file, u"--target"_qs, u"30"_qs})
                    .out.contains(u"Project duration reached: 30 days\n"_qs));
    EXPECT_TRUE(runCli({u"curve"_qs, file, u"--indirect-cost"_qs, u"300"_qs})
                    .out.contains(u"indirect cost per day"_qs));
}

// Files of other planning tools are read through their extension or, on standard input,
// by their first element; their activities come with a warning that crash data is missing.
TEST_F(Cli, PlanningToolFiles)
{
    // A (2 days) and B (3 days) in a summary, then C (1 day) after the summary: 3 + 1 days.
    const QByteArray mspdi
        = "<?xml version=\"1.0\"?>\n<Project xmlns=\"http://schemas.microsoft.com/project\">\n"
          "<MinutesPerDay>480</MinutesPerDay><Tasks>\n"
          "<Task><UID>1</UID><ID>1</ID><Name>Phase</Name><OutlineLevel>1</OutlineLevel></Task>\n"
          "<Task><UID>2</UID><ID>2</ID><Name>A</Name><OutlineLevel>2</OutlineLevel>"
          "<Duration>PT16H0M0S</Duration></Task>\n"
          "<Task><UID>3</UID><ID>3</ID><Name>B</Name><OutlineLevel>2</OutlineLevel>"
          "<Duration>PT24H0M0S</Duration></Task>\n"
          "<Task><UID>4</UID><ID>4</ID><Name>C</Name><OutlineLevel>1</OutlineLevel>"
          "<Duration>PT8H0M0S</Duration><PredecessorLink><PredecessorUID>1</PredecessorUID>"
          "<Type>1</Type></PredecessorLink></Task>\n</Tasks></Project>\n";
    const QByteArray gan
        = "<project name=\"P\"><tasks>"
          "<task id=\"1\" name=\"A\" duration=\"2\"><depend id=\"2\" type=\"2\"/></task>"
          "<task id=\"2\" name=\"B\" duration=\"5\"/></tasks></project>";
    struct Case {
        QStringList arguments;
        QByteArray input;
        int duration;
    };
    const Case cases[] = {
        {{write(QStringLiteral("plan.xml"), mspdi)}, {}, 4},
        {{write(QStringLiteral("plan.gan"), gan)}, {}, 7},
        {{QStringLiteral("-")}, mspdi, 4},
        {{QStringLiteral("-")}, gan, 7},
        {{QStringLiteral("-"), QStringLiteral("--format"), QStringLiteral("gan")}, gan, 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome outcome = runCli(QStringList {QStringLiteral("cpm")} + c.arguments
                                           + QStringList {QStringLiteral("--json")},
                                       c.input);
        ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
        EXPECT_EQ(outcome.json()[QStringLiteral("project_duration")].toInt(), c.duration);
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("crash"))) << outcome.err.toStdString();
    }

    // A start-to-start link is refused, naming both tasks.
    QByteArray startToStart = mspdi;
    startToStart.replace("<Type>1</Type>", "<Type>3</Type>");
    const Outcome refused
        = runCli({QStringLiteral("cpm"), write(QStringLiteral("ss.xml"), startToStart)});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.out.isEmpty());
    for (const char *part : {"ss.xml:", "1 (Phase)", "4 (C)", "start to start"})
        EXPECT_TRUE(refused.err.contains(QString::fromLatin1(part))) << refused.err.toStdString();
}

// generate writes the project the engine generates for the same seed and settings, in the
// file writers' own bytes, so the output reads back as that project; the same seed gives the
// same bytes every time.
TEST_F(Cli, GenerateWritesTheEnginesExercise)
{
    struct Case {
        QStringList options;
        engine::ExerciseSettings settings;
    };
    const Case cases[] = {
        {{}, {}},
        {{QStringLiteral("--activities"), QStringLiteral("12"),
          QStringLiteral("--critical-paths=2"), QStringLiteral("--joint-step")},
         {12, 2, true, false}},
        {{QStringLiteral("--activities=20"), QStringLiteral("--greedy-overpays"),
          QStringLiteral("--joint-step"), QStringLiteral("--critical-paths"), QStringLiteral("3")},
         {20, 3, true, true}},
    };
    for (const Case &c : cases) {
        for (const char *seed : {"0", "41"}) {
            const QStringList arguments
                = QStringList {QStringLiteral("generate"), QStringLiteral("--seed"),
                               QLatin1String(seed)}
                + c.options;
            SCOPED_TRACE(arguments.join(u' ').toStdString());
            const engine::ExerciseResult result
                = engine::generateExercise(QByteArray(seed).toULongLong(), c.settings);
            const auto *exercise = std::get_if<engine::GeneratedExercise>(&result);
            ASSERT_NE(exercise, nullptr);

            const Outcome csv = runCli(arguments);
            ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
            EXPECT_EQ(csv.outBytes, io::write(exercise->project, io::FileFormat::Csv));
            EXPECT_EQ(runCli(arguments).outBytes, csv.outBytes);
            EXPECT_TRUE(csv.err.contains(QStringLiteral("target: %1").arg(exercise->target)))
                << csv.err.toStdString();
            const io::ReadResult read
                = io::read(csv.outBytes, QStringLiteral("exercise.csv"), io::FileFormat::Csv);
            ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
            ASSERT_EQ(read.project().activities.size(), exercise->project.activities.size());
            for (std::size_t k = 0; k < exercise->project.activities.size(); ++k) {
                const engine::Activity &a = read.project().activities[k],
                                       &b = exercise->project.activities[k];
                EXPECT_EQ(a.id, b.id);
                EXPECT_EQ(a.predecessors, b.predecessors);
                EXPECT_EQ(a.normalDuration, b.normalDuration);
                EXPECT_EQ(a.crashDuration, b.crashDuration);
                EXPECT_EQ(a.crashCostPerUnit, b.crashCostPerUnit);
            }

            // The .crashkit form carries the target and the title as well, and nothing goes
            // to standard error.
            const Outcome whole
                = runCli(arguments + QStringList {QStringLiteral("--format=crashkit")});
            ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
            EXPECT_TRUE(whole.err.isEmpty()) << whole.err.toStdString();
            const io::ReadResult file = io::read(
                whole.outBytes, QStringLiteral("exercise.crashkit"), io::FileFormat::Crashkit);
            ASSERT_TRUE(file.isLoaded()) << file.message().toStdString();
            EXPECT_EQ(file.project().target, exercise->target);
            EXPECT_EQ(file.project().title, exercise->project.title);
            EXPECT_EQ(io::write(file.project(), io::FileFormat::Csv), csv.outBytes);
        }
    }
}

TEST_F(Cli, GenerateRefusesBadArguments)
{
    const QString generate = QStringLiteral("generate");
    const QString seed = QStringLiteral("--seed=3");
    struct Case {
        QStringList arguments;
        QStringList messageHas;
    };
    const Case cases[] = {
        {{generate}, {QStringLiteral("generate needs --seed")}},
        {{generate, QStringLiteral("--seed"), QStringLiteral("-1")},
         {QStringLiteral("--seed: -1 is outside")}},
        {{generate, QStringLiteral("--seed"), QStringLiteral("seven")},
         {QStringLiteral("--seed: 'seven' is not a whole number")}},
        {{generate, QStringLiteral("--seed= 3")}, {QStringLiteral("--seed: ' 3' has blanks")}},
        {{generate, seed, QStringLiteral("--seed=4")}, {QStringLiteral("--seed is given twice")}},
        {{generate, seed, QStringLiteral("--activities"), QStringLiteral("4")},
         {QStringLiteral("--activities: 4 is outside 5 to 30")}},
        {{generate, seed, QStringLiteral("--activities=31")},
         {QStringLiteral("--activities: 31 is outside 5 to 30")}},
        {{generate, seed, QStringLiteral("--activities=8 ")},
         {QStringLiteral("--activities: '8 ' has blanks")}},
        {{generate, seed, QStringLiteral("--critical-paths=4")},
         {QStringLiteral("--critical-paths: 4 is outside 1 to 3")}},
        {{generate, seed, QStringLiteral("--critical-paths=1"),
          QStringLiteral("--critical-paths=2")},
         {QStringLiteral("--critical-paths is given twice")}},
        {{generate, seed, QStringLiteral("--joint-step"), QStringLiteral("--joint-step")},
         {QStringLiteral("--joint-step is given twice")}},
        {{generate, seed, QStringLiteral("--greedy-overpays=yes")},
         {QStringLiteral("--greedy-overpays takes no value")}},
        {{generate, seed, QStringLiteral("--json")},
         {QStringLiteral("--json does not belong to the command 'generate'")}},
        {{generate, seed, QStringLiteral("--format=mspdi")},
         {QStringLiteral("--format: generate writes csv or crashkit")}},
        {{generate, seed, QStringLiteral("--target=5")},
         {QStringLiteral("--target does not belong to the command 'generate'")}},
        {{generate, seed, QStringLiteral("plan.csv")}, {QStringLiteral("takes no file")}},
        {{QStringLiteral("cpm"), QStringLiteral("-"), QStringLiteral("--joint-step")},
         {QStringLiteral("--joint-step does not belong to the command 'cpm'")}},
        {{QStringLiteral("crash"), QStringLiteral("-"), QStringLiteral("--seed=1")},
         {QStringLiteral("--seed does not belong to the command 'crash'")}},
        // In range, but not met from this seed: the engine's refusal, as bad input.
        {{generate, seed, QStringLiteral("--activities=5"), QStringLiteral("--greedy-overpays")},
         {QStringLiteral("generate: no project of 5 activities"), QStringLiteral("joint step")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_TRUE(outcome.out.isEmpty()) << outcome.out.toStdString();
        for (const QString &part : c.messageHas)
            EXPECT_TRUE(outcome.err.contains(part)) << outcome.err.toStdString();
    }
}

} // namespace
