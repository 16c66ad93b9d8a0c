// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practiceset.h"
#include "projectfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

Outcome runCli(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(CRASHKIT_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "crashkit-cli did not finish: " << arguments.join(u' ').toStdString();
        process.kill();
        process.waitForFinished();
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << arguments.join(u' ').toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString setFile(int number)
    {
        return write(QStringLiteral("set%1.csv").arg(number),
                     runCli({QStringLiteral("export-set"), QString::number(number)}).out.toUtf8());
    }

private:
    QTemporaryDir m_folder;
};

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
// where and what; nothing on standard output.
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
    for (const char *command : {"cpm", "crash", "curve", "export-set", "--json"})
        EXPECT_TRUE(outcome.out.contains(QLatin1String(command))) << command;
}

} // namespace
