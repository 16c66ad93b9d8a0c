// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// crashkit-cli export: the plan as Microsoft Project XML, read back through our own reader,
// crashed by either method with the normal plan as baseline; bad arguments refused.

#include "clitestsupport.h"
#include "exercisegenerator.h"
#include "greedy.h"
#include "leastcost.h"
#include "mspdireader.h"
#include "practiceset.h"
#include "projectfile.h"

#include <QXmlStreamReader>

#include <set>
#include <variant>

namespace {

using clitest::Cli;
using clitest::Outcome;
using clitest::runCli;

// The Duration of every Baseline element, in the order of the file.
QStringList exportBaselines(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    QStringList durations;
    bool inBaseline = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"Baseline")
            inBaseline = true;
        else if (reader.isEndElement() && reader.name() == u"Baseline")
            inBaseline = false;
        else if (inBaseline && reader.isStartElement() && reader.name() == u"Duration")
            durations << reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return durations;
}

// The greedy's durations at the target.
std::vector<engine::Duration> greedyDurations(const engine::Network &network,
                                              engine::Duration target)
{
    engine::GreedyCrashing greedy(network);
    greedy.start(target);
    while (greedy.step()) { }
    return greedy.durations();
}

// Practice set 1 and an exercise on which the greedy pays more than the least cost (so that
// the two methods' durations differ), exported plain and crashed: our reader gives back the
// ids, names, links and the durations of the plan, and a crashed plan has the normal one as
// baseline.
TEST_F(Cli, ExportReadsBackAsThePlanCrashedByEitherMethod)
{
    const engine::ExerciseResult generated = engine::generateExercise(
        0, {.activities = 20, .criticalPaths = 3, .jointStep = true, .greedyOverpays = true});
    const auto *exercise = std::get_if<engine::GeneratedExercise>(&generated);
    ASSERT_NE(exercise, nullptr);
    const QString overpays = QString::number(exercise->target);
    struct Plan {
        engine::Project project;
        QString file;
    };
    engine::Project set1 = practiceProject(practiceSet(1));
    set1.title.clear(); // not kept in CSV
    const Plan plans[] = {
        {set1, setFile(1)},
        {exercise->project,
         write(QStringLiteral("overpays.crashkit"),
               io::write(exercise->project, io::FileFormat::Crashkit))},
    };
    struct Case {
        int plan;
        QStringList options;
        engine::Duration target; // 0: the normal plan
        bool optimal;
    };
    const Case cases[] = {
        {0, {}, 0, false},
        {0,
         {QStringLiteral("--target"), QStringLiteral("28"), QStringLiteral("--method"),
          QStringLiteral("optimal")},
         28,
         true},
        {1, {QStringLiteral("--target=") + overpays}, exercise->target, false},
        {1,
         {QStringLiteral("--target=") + overpays, QStringLiteral("--method=optimal")},
         exercise->target,
         true},
        {1,
         {QStringLiteral("--method=greedy"), QStringLiteral("--target=") + overpays},
         exercise->target,
         false},
    };
    std::vector<engine::Duration> greedy, optimal;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const engine::Project &project = plans[c.plan].project;
        const engine::Network network(project);
        const std::span<const engine::Duration> normal = network.normalDurations();
        const std::vector<engine::Duration> expected = c.target == 0
            ? std::vector<engine::Duration>(normal.begin(), normal.end())
            : c.optimal ? engine::leastCost(network, c.target).value().durations
                        : greedyDurations(network, c.target);
        (c.optimal ? optimal : greedy) = expected;

        const Outcome exported = runCli(
            QStringList {QStringLiteral("export"), plans[c.plan].file, QStringLiteral("--to"),
                         QStringLiteral("mspdi"), QStringLiteral("--start=2026-03-02")}
            + c.options);
        ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        EXPECT_TRUE(exported.err.isEmpty()) << exported.err.toStdString();
        const io::ReadResult read = io::readMspdi(exported.outBytes, QStringLiteral("plan.xml"));
        ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
        EXPECT_EQ(read.project().title, project.title);
        ASSERT_EQ(read.project().activities.size(), project.activities.size());
        QStringList normalHours;
        for (std::size_t k = 0; k < project.activities.size(); ++k) {
            const engine::Activity &a = read.project().activities[k], &b = project.activities[k];
            EXPECT_EQ(a.id, b.id);
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(std::set<std::string>(a.predecessors.begin(), a.predecessors.end()),
                      std::set<std::string>(b.predecessors.begin(), b.predecessors.end()));
            EXPECT_EQ(a.normalDuration, expected[k]) << a.id;
            normalHours << QStringLiteral("PT%1H0M0S").arg(8 * normal[k]);
        }
        EXPECT_EQ(exportBaselines(exported.outBytes), c.target == 0 ? QStringList {} : normalHours);
    }
    EXPECT_NE(greedy, optimal);
}

TEST_F(Cli, ExportStartsTodayUnlessTold)
{
    const QDate before = QDate::currentDate();
    const Outcome exported = runCli(
        {QStringLiteral("export"), setFile(2), QStringLiteral("--to"), QStringLiteral("mspdi")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    auto startsOn = [&](QDate day) {
        return exported.out.contains(u"<StartDate>"_qs + day.toString(Qt::ISODate)
                                     + u"T08:00:00</StartDate>"_qs);
    };
    EXPECT_TRUE(startsOn(before) || startsOn(QDate::currentDate()))
        << exported.out.left(400).toStdString();
}

TEST_F(Cli, ExportRefusesWhatItCannotWrite)
{
    const QString set1 = setFile(1);
    const QString endless
        = write(QStringLiteral("endless.csv"),
                "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
                "A,-,1000000,1000000,0\n");
    const QStringList to {QStringLiteral("--to"), QStringLiteral("mspdi")};
    struct Case {
        QStringList arguments;
        QStringList messageHas;
    };
    const QString exportCommand = QStringLiteral("export");
    const Case cases[] = {
        {{exportCommand, set1}, {QStringLiteral("--to mspdi")}},
        {{exportCommand, set1, QStringLiteral("--to"), QStringLiteral("csv")},
         {QStringLiteral("--to"), QStringLiteral("'csv'"), QStringLiteral("only mspdi")}},
        {QStringList {exportCommand, set1, QStringLiteral("--start"), QStringLiteral("2026-02-30")}
             + to,
         {QStringLiteral("--start"), QStringLiteral("2026-02-30"),
          QStringLiteral("not a day of the calendar")}},
        {QStringList {exportCommand, set1, QStringLiteral("--start=2026-3-2")} + to,
         {QStringLiteral("--start"), QStringLiteral("'2026-3-2'"), QStringLiteral("YYYY-MM-DD")}},
        {QStringList {exportCommand, set1, QStringLiteral("--start=1900-01-01")} + to,
         {QStringLiteral("--start"), QStringLiteral("1900-01-01"), QStringLiteral("1984-01-01")}},
        {QStringList {exportCommand, set1, QStringLiteral("--target"), QStringLiteral("26")} + to,
         {QStringLiteral("--target 26"), QStringLiteral("shortest"), QStringLiteral("27")}},
        {QStringList {exportCommand, set1, QStringLiteral("--method=optimal")} + to,
         {QStringLiteral("--method needs --target")}},
        {QStringList {exportCommand, set1, QStringLiteral("--json")} + to,
         {QStringLiteral("--json does not belong to the command 'export'")}},
        {{QStringLiteral("cpm"), set1, QStringLiteral("--start=2026-03-02")},
         {QStringLiteral("--start does not belong to the command 'cpm'")}},
        {{QStringLiteral("crash"), set1, QStringLiteral("--target=28"), QStringLiteral("--to"),
          QStringLiteral("mspdi")},
         {QStringLiteral("--to does not belong to the command 'crash'")}},
        {QStringList {exportCommand, endless, QStringLiteral("--start=2026-03-02")} + to,
         {QStringLiteral("endless.csv"), QStringLiteral("1000000 working days"),
          QStringLiteral("2149-12-31")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_TRUE(outcome.outBytes.isEmpty()) << outcome.out.toStdString();
        for (const QString &part : c.messageHas)
            EXPECT_TRUE(outcome.err.contains(part)) << outcome.err.toStdString();
    }
}

} // namespace
