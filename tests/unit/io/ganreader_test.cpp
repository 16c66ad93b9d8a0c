// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "ganreader.h"
#include "iotestsupport.h"
#include "network.h"
#include "schedule.h"

#include <map>

namespace {

using io::FileProblemKind;

// GanttProject documents written by hand: a depend element sits in the predecessor and
// names its successor.
std::string depend(int successor, int type = 2, int difference = 0)
{
    return "<depend id=\"" + std::to_string(successor) + "\" type=\"" + std::to_string(type)
        + "\" difference=\"" + std::to_string(difference) + "\" hardness=\"Strong\"/>";
}

std::string task(int id, const std::string &name, int duration, const std::string &inside = {},
                 bool milestone = false)
{
    return "<task id=\"" + std::to_string(id) + "\" name=\"" + name + "\" meeting=\""
        + (milestone ? "true" : "false") + "\" start=\"2026-01-05\" duration=\""
        + std::to_string(duration) + "\" complete=\"0\" expand=\"true\">" + inside + "</task>\n";
}

std::string gan(const std::string &tasks)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<project name=\"Warehouse\" company=\"\" view-date=\"2026-01-01\" version=\"3.0\">\n"
           "<description/>\n<calendars><day-types><day-type id=\"0\"/></day-types></calendars>\n"
           "<tasks empty-milestones=\"true\">\n<taskproperties><taskproperty id=\"tpd0\" "
           "name=\"type\" type=\"default\" valuetype=\"icon\"/></taskproperties>\n"
        + tasks + "</tasks>\n<resources/>\n<allocations/>\n</project>\n";
}

io::ReadResult readGan(const std::string &text)
{
    return io::read(QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                    QStringLiteral("plan.gan"), io::FileFormat::Gantt);
}

std::map<std::string, std::vector<std::string>> predecessorsOf(const engine::Project &project)
{
    std::map<std::string, std::vector<std::string>> result;
    for (const engine::Activity &a : project.activities) {
        std::vector<std::string> list = a.predecessors;
        std::sort(list.begin(), list.end());
        result[a.id] = list;
    }
    return result;
}

engine::Duration cpmDuration(const engine::Project &project)
{
    const engine::Network network(project);
    std::vector<engine::Duration> durations;
    for (const engine::Activity &a : project.activities)
        durations.push_back(a.normalDuration);
    return engine::computeSchedule(network, durations).projectDuration;
}

std::string message(const io::ReadResult &result)
{
    return result.message().toStdString();
}

// 0 Design (3) -> 1 Build {2 Base (2) -> 3 Walls (4); 4 Signs (1)} -> 5 Opening (milestone).
// By hand: Design 3 + Base 2 + Walls 4 = 9 days to the opening.
TEST(GanReader, TasksNestedSummariesAndMilestones)
{
    const std::string tasks = task(0, "Design", 3, depend(1))
        + task(1, "Build", 6,
               depend(5) + task(2, "Base", 2, depend(3)) + task(3, "Walls", 4)
                   + task(4, "Signs", 1))
        + task(5, "Opening", 1, {}, true);
    const io::ReadResult result = readGan(gan(tasks));
    ASSERT_TRUE(result.isLoaded()) << message(result);
    const engine::Project &p = result.project();
    EXPECT_EQ(p.title, "Warehouse");
    const std::map<std::string, std::vector<std::string>> links {{"0", {}},
                                                                 {"2", {"0"}},
                                                                 {"3", {"2"}},
                                                                 {"4", {"0"}},
                                                                 {"5", {"3", "4"}}};
    EXPECT_EQ(predecessorsOf(p), links);
    std::map<std::string, engine::Duration> durations;
    for (const engine::Activity &a : p.activities) {
        durations[a.id] = a.normalDuration;
        EXPECT_EQ(a.crashDuration, a.normalDuration);
        EXPECT_EQ(a.crashCostPerUnit, 0);
    }
    EXPECT_EQ(durations,
              (std::map<std::string,
                        engine::Duration> {{"0", 3}, {"2", 2}, {"3", 4}, {"4", 1}, {"5", 0}}));
    EXPECT_EQ(cpmDuration(p), 9);
    ASSERT_EQ(result.warnings().count(), 5);
    for (const io::Problem &w : result.warnings().kept()) {
        EXPECT_EQ(w.kind, FileProblemKind::CrashDataMissing);
        EXPECT_FALSE(w.place.activity.isEmpty());
    }
}

// GanttProject's types: 1 start to start, 2 finish to start, 3 finish to finish, 4 start to
// finish, each with its difference in days. Pour lasts 2 days and Cure 3; the plan's length
// is worked out by hand from the link's meaning.
TEST(GanReader, DependTypesAndDifferences)
{
    using T = engine::LinkType;
    struct Case {
        int type;
        const char *difference;
        T read;
        engine::Duration lag, length; // length -1: refused
    };
    const Case cases[] = {
        {2, "0", T::FinishToStart, 0, 5},   {2, "2", T::FinishToStart, 2, 7},
        {2, "-1", T::FinishToStart, -1, 4}, {1, "0", T::StartToStart, 0, 3},
        {1, "1", T::StartToStart, 1, 4},    {3, "0", T::FinishToFinish, 0, 3},
        {3, "2", T::FinishToFinish, 2, 4},  {4, "0", T::StartToFinish, 0, 3},
        {4, "5", T::StartToFinish, 5, 5},   {2, "1.5", T::FinishToStart, 0, -1},
        {2, "x", T::FinishToStart, 0, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " difference " << c.difference);
        const std::string depend = "<depend id=\"8\" type=\"" + std::to_string(c.type)
            + "\" difference=\"" + c.difference + "\" hardness=\"Strong\"/>";
        const io::ReadResult result = readGan(gan(task(7, "Pour", 2, depend) + task(8, "Cure", 3)));
        if (c.length < 0) {
            ASSERT_FALSE(result.isLoaded());
            ASSERT_EQ(result.problems().count(), 1) << message(result);
            const io::Problem &p = result.problems().kept().at(0);
            EXPECT_EQ(p.kind, FileProblemKind::LinkLagRefused);
            EXPECT_EQ(p.names, (QStringList {u"7 (Pour)"_qs, u"8 (Cure)"_qs}));
            EXPECT_TRUE(result.message().contains(QString::fromLatin1(c.difference)));
            continue;
        }
        ASSERT_TRUE(result.isLoaded()) << message(result);
        const engine::Activity &cure = result.project().activities.at(1);
        EXPECT_EQ(cure.predecessors, std::vector<std::string> {"7"});
        EXPECT_EQ(cure.linkTiming(0), (engine::LinkTiming {c.read, c.lag}));
        EXPECT_EQ(cpmDuration(result.project()), c.length);
        EXPECT_EQ(result.project().timeUnit, engine::TimeUnit::Day);
    }
    // Days that are all whole weeks stay days: a plan is crashed a unit at a time.
    const io::ReadResult weeks
        = readGan(gan(task(7, "Pour", 5, depend(8, 2, 5)) + task(8, "Cure", 10)));
    ASSERT_TRUE(weeks.isLoaded()) << message(weeks);
    EXPECT_EQ(weeks.project().timeUnit, engine::TimeUnit::Day);
    EXPECT_EQ(cpmDuration(weeks.project()), 20);
}

TEST(GanReader, BrokenFilesAreRefusedWithPlaces)
{
    struct Case {
        std::string text;
        FileProblemKind kind;
        const char *said;
    };
    std::string deep;
    for (int i = 0; i < 70; ++i)
        deep += task(i, "T", 1).substr(0, task(i, "T", 1).find('>') + 1);
    const Case cases[] = {
        {gan(task(1, "A", 1) + task(1, "B", 1)), FileProblemKind::DuplicateTaskId, "'1'"},
        {gan(task(1, "A", 1, depend(9))), FileProblemKind::UnknownLinkTask, "task '9'"},
        {gan(task(1, "A", 1, depend(2)) + task(2, "B", 1, depend(1))), FileProblemKind::Engine,
         "cycle"},
        {gan(task(1, "A", 1) + "<task id=\"2\" duration=\"1.5\"/>"),
         FileProblemKind::DurationNotWhole, "'1.5'"},
        {gan(task(1, "A", 1, task(2, "B", 1, depend(1)))), FileProblemKind::SummaryLinkInexact,
         "2 (B)"},
        {gan("<task id=\"1\" name=\"A & B\" duration=\"1\"/>"), FileProblemKind::XmlSyntax,
         "plan.gan:7:"},
        {"<!DOCTYPE project SYSTEM \"http://example.com/x.dtd\"><project/>",
         FileProblemKind::XmlDoctype, "DOCTYPE"},
        {gan(deep), FileProblemKind::XmlTooDeep, "64"},
        {"<Project/>", FileProblemKind::NotPlanFile, "<project>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.said);
        const io::ReadResult result = readGan(c.text);
        ASSERT_FALSE(result.isLoaded());
        const io::Problem *p = iotest::findProblem(result.problems(), c.kind);
        ASSERT_NE(p, nullptr) << message(result);
        EXPECT_GT(p->place.line, 0) << message(result);
        EXPECT_TRUE(result.message().contains(QString::fromLatin1(c.said))) << message(result);
    }
}

// A type GanttProject does not have is named as such, with the types it has.
TEST(GanReader, UnknownDependTypeIsNamed)
{
    for (const char *type : {"0", "5", "x", "", "2.0"}) {
        SCOPED_TRACE(type);
        const io::ReadResult result
            = readGan(gan("<task id=\"7\" name=\"Pour\" duration=\"2\"><depend id=\"8\" type=\""
                          + std::string(type) + "\"/></task>\n" + task(8, "Cure", 3)));
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1) << message(result);
        const io::Problem &p = result.problems().kept().at(0);
        EXPECT_EQ(p.kind, FileProblemKind::UnknownLinkType);
        EXPECT_EQ(p.value, QString::fromLatin1(type));
        EXPECT_EQ(p.place.activity, u"7");
        EXPECT_EQ(p.place.line, 7);
        // Finish to start, start to start, finish to finish, start to finish.
        EXPECT_EQ(p.names, (QStringList {u"2"_qs, u"1"_qs, u"3"_qs, u"4"_qs}));
        EXPECT_FALSE(result.message().contains(u"whole number")) << message(result);
        EXPECT_TRUE(result.message().contains(u"2 (finish to start)")) << message(result);
    }
}

// A duration is told once, at the task's duration, with its own limit: an imported activity
// cannot be crashed, so its crash duration is its duration and no second problem of its own.
TEST(GanReader, DurationProblemsAreToldOnce)
{
    const struct {
        const char *duration;
        FileProblemKind kind;
    } cases[] = {
        {"1000001", FileProblemKind::NumberTooLarge},
        {"99999999999999999999999", FileProblemKind::NumberTooLarge},
        {"-4", FileProblemKind::NegativeDuration},
        {"1.5", FileProblemKind::DurationNotWhole},
        {"5d", FileProblemKind::NotWholeNumber},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.duration);
        const io::ReadResult result = readGan(
            gan("<task id=\"1\" name=\"A\" duration=\"" + std::string(c.duration) + "\"/>"));
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1) << message(result);
        const io::Problem &p = result.problems().kept().at(0);
        EXPECT_EQ(p.kind, c.kind) << message(result);
        EXPECT_EQ(p.place.field, u"duration");
        if (c.kind == FileProblemKind::NumberTooLarge) {
            EXPECT_EQ(p.bound, engine::kMaxDuration);
        }
    }
    const io::ReadResult longest = readGan(gan(task(1, "A", 999'999)));
    ASSERT_TRUE(longest.isLoaded()) << message(longest);
    EXPECT_EQ(longest.project().activities.at(0).normalDuration, 999'999);
}

TEST(GanReader, ChosenByExtension)
{
    EXPECT_EQ(io::formatOfPath(QStringLiteral("/a/b/plan.GAN")), io::FileFormat::Gantt);
    const io::ReadResult result = readGan(gan(task(1, "A", 1)));
    ASSERT_TRUE(result.isLoaded()) << message(result);
    // Old GanttProject saved its files as .xml as well: read as what they are.
    const std::string text = gan(task(1, "A", 4) + task(2, "B", 3, depend(1)));
    const io::ReadResult asXml = io::read(QByteArray::fromStdString(text),
                                          QStringLiteral("old.xml"), io::FileFormat::Mspdi);
    ASSERT_TRUE(asXml.isLoaded()) << message(asXml);
    EXPECT_EQ(cpmDuration(asXml.project()), 7);
    const io::ProblemList refused
        = io::checkSavable(result.project(), QStringLiteral("plan.gan"), io::FileFormat::Gantt);
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.kept().at(0).kind, FileProblemKind::ImportOnly);
}

} // namespace
