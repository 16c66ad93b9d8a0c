// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "iotestsupport.h"
#include "mspdireader.h"
#include "network.h"
#include "schedule.h"

#include <QTemporaryDir>

#include <map>
#include <set>
#include <tuple>

namespace {

using io::FileProblemKind;

// Small MSPDI documents written by hand from the schema's element names.
std::string link(int predecessor, int type = 1, int lag = 0, int lagFormat = 7)
{
    return "<PredecessorLink><PredecessorUID>" + std::to_string(predecessor)
        + "</PredecessorUID><Type>" + std::to_string(type) + "</Type><LinkLag>"
        + std::to_string(lag) + "</LinkLag><LagFormat>" + std::to_string(lagFormat)
        + "</LagFormat></PredecessorLink>";
}

std::string task(int uid, const std::string &name, int level, const std::string &duration,
                 const std::string &inside = {})
{
    return "<Task><UID>" + std::to_string(uid) + "</UID><ID>" + std::to_string(uid) + "</ID><Name>"
        + name + "</Name><OutlineLevel>" + std::to_string(level) + "</OutlineLevel><Duration>"
        + duration + "</Duration><DurationFormat>7</DurationFormat>" + inside + "</Task>";
}

std::string project(const std::string &tasks, const std::string &head = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<Project xmlns=\"http://schemas.microsoft.com/project\">\n"
           "<Name>plan.xml</Name><Title>Warehouse</Title>"
        + head + "<Calendars><Calendar><UID>1</UID><Name>Standard</Name></Calendar></Calendars>\n"
        + "<Tasks>\n<Task><UID>0</UID><ID>0</ID><Name>Warehouse</Name><OutlineLevel>0</"
          "OutlineLevel>"
          "<Duration>PT400H0M0S</Duration></Task>\n"
        + tasks + "</Tasks>\n<Resources><Resource><UID>1</UID><Name>Crew</Name></Resource>"
        + "</Resources>\n</Project>\n";
}

io::ReadResult readMspdi(const std::string &text)
{
    return io::readMspdi(QByteArray(text.data(), static_cast<qsizetype>(text.size())),
                         QStringLiteral("plan.xml"));
}

// Each activity's predecessors, sorted, keyed by id.
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

// Working minutes in a unit, as the files count them by default.
std::int64_t minutesIn(engine::TimeUnit unit)
{
    const std::map<engine::TimeUnit, std::int64_t> minutes {{engine::TimeUnit::Minute, 1},
                                                            {engine::TimeUnit::Hour, 60},
                                                            {engine::TimeUnit::Day, 480},
                                                            {engine::TimeUnit::Week, 2400}};
    return minutes.at(unit);
}

// A network of finish-to-start links: A; B and C after A; D after B and C. By hand the
// longest path is A, C, D: 2 + 4 + 1 = 7 days.
TEST(MspdiReader, FinishStartLinksBecomePredecessors)
{
    const io::ReadResult result = readMspdi(
        project(task(1, "Dig", 1, "PT16H0M0S") + task(2, "Pour", 1, "PT24H0M0S", link(1))
                + task(3, "Frame", 1, "PT32H0M0S", link(1))
                + task(4, "Roof", 1, "PT8H0M0S", link(2) + link(3))));
    ASSERT_TRUE(result.isLoaded()) << message(result);
    const engine::Project &p = result.project();
    EXPECT_EQ(p.title, "Warehouse");
    ASSERT_EQ(p.activities.size(), 4u); // the project's own task, UID 0, is left out
    const std::vector<std::pair<std::string, engine::Duration>> expected {{"Dig", 2},
                                                                          {"Pour", 3},
                                                                          {"Frame", 4},
                                                                          {"Roof", 1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const engine::Activity &a = p.activities[i];
        EXPECT_EQ(a.id, std::to_string(i + 1));
        EXPECT_EQ(a.name, expected[i].first);
        EXPECT_EQ(a.normalDuration, expected[i].second);
        EXPECT_EQ(a.crashDuration, a.normalDuration);
        EXPECT_EQ(a.crashCostPerUnit, 0);
    }
    const std::map<std::string, std::vector<std::string>> links {{"1", {}},
                                                                 {"2", {"1"}},
                                                                 {"3", {"1"}},
                                                                 {"4", {"2", "3"}}};
    EXPECT_EQ(predecessorsOf(p), links);
    EXPECT_EQ(cpmDuration(p), 7);

    // One crash-data warning for each activity, placed at it.
    ASSERT_EQ(result.warnings().count(), 4);
    std::vector<std::string> warned;
    for (const io::Problem &w : result.warnings().kept()) {
        EXPECT_EQ(w.kind, FileProblemKind::CrashDataMissing);
        EXPECT_GT(w.place.line, 0);
        warned.push_back(w.place.activity.toStdString());
    }
    EXPECT_EQ(warned, (std::vector<std::string> {"1", "2", "3", "4"}));
}

// Summary tasks vanish; their links go to the tasks inside that nothing inside waits
// for, and come from those inside that nothing inside follows.
TEST(MspdiReader, SummaryLinksGoToTheirTasks)
{
    // 1 Survey (1d) -> 2 Build {3 Walls (2d) -> 4 Roof (3d); 5 Paint (1d) after 3;
    //                          6 Wiring {7 Cable (2d)} } -> 8 Handover (4d)
    const std::string tasks = task(1, "Survey", 1, "PT8H0M0S")
        + task(2, "Build", 1, "PT48H0M0S", link(1)) + task(3, "Walls", 2, "PT16H0M0S")
        + task(4, "Roof", 2, "PT24H0M0S", link(3)) + task(5, "Paint", 2, "PT8H0M0S", link(3))
        + task(6, "Wiring", 2, "PT16H0M0S") + task(7, "Cable", 3, "PT16H0M0S")
        + task(8, "Handover", 1, "PT32H0M0S", link(2));
    const io::ReadResult result = readMspdi(project(tasks));
    ASSERT_TRUE(result.isLoaded()) << message(result);
    // Into Build: Walls and Cable wait for nothing inside it. Out of Build: Roof, Paint and
    // Cable are followed by nothing inside it.
    const std::map<std::string, std::vector<std::string>> links {
        {"1", {}}, {"3", {"1"}}, {"4", {"3"}}, {"5", {"3"}}, {"7", {"1"}}, {"8", {"4", "5", "7"}}};
    EXPECT_EQ(predecessorsOf(result.project()), links);
    // Survey 1 + Walls 2 + Roof 3 + Handover 4.
    EXPECT_EQ(cpmDuration(result.project()), 10);
    EXPECT_EQ(result.warnings().count(), 6);

    // A link between two summaries, and a nested summary linked inside its parent.
    const io::ReadResult nested = readMspdi(
        project(task(1, "Phase 1", 1, "PT0H0M0S") + task(2, "A", 2, "PT8H0M0S")
                + task(3, "B", 2, "PT8H0M0S") + task(4, "Phase 2", 1, "PT0H0M0S", link(1))
                + task(5, "Stage", 2, "PT0H0M0S") + task(6, "C", 3, "PT8H0M0S")
                + task(7, "D", 2, "PT16H0M0S", link(5))));
    ASSERT_TRUE(nested.isLoaded()) << message(nested);
    const std::map<std::string, std::vector<std::string>> nestedLinks {{"2", {}},
                                                                       {"3", {}},
                                                                       {"6", {"2", "3"}},
                                                                       {"7", {"6"}}};
    EXPECT_EQ(predecessorsOf(nested.project()), nestedLinks);
    EXPECT_EQ(cpmDuration(nested.project()), 4);

    // A summary linked with a task inside it cannot be made exact.
    const io::ReadResult inside = readMspdi(
        project(task(1, "Phase", 1, "PT8H0M0S") + task(2, "A", 2, "PT8H0M0S", link(1))));
    ASSERT_FALSE(inside.isLoaded());
    const io::Problem *p
        = iotest::findProblem(inside.problems(), FileProblemKind::SummaryLinkInexact);
    ASSERT_NE(p, nullptr) << message(inside);
    EXPECT_EQ(p->names, (QStringList {QStringLiteral("1 (Phase)"), QStringLiteral("2 (A)")}));
}

// Durations are working time: the project counts in the largest of day (the file's
// MinutesPerDay), hour and minute they are all whole numbers of, and says so unless that is
// days (whole weeks stay days); a milestone lasts nothing, and seconds are refused.
TEST(MspdiReader, DurationsChooseTheTimeUnit)
{
    using Unit = engine::TimeUnit;
    struct Case {
        const char *head; // MinutesPerDay and MinutesPerWeek elements
        std::vector<const char *> durations; // "M": a milestone
        Unit unit;
        std::vector<engine::Duration> read; // empty: refused
    };
    const char *day450 = "<MinutesPerDay>450</MinutesPerDay>";
    const Case cases[] = {
        {"", {"PT16H0M0S", "PT24H0M0S"}, Unit::Day, {2, 3}},
        {"", {"PT40H0M0S", "PT80H0M0S", "M"}, Unit::Day, {5, 10, 0}},
        {"", {"P5D", "PT0H0M0S"}, Unit::Day, {5, 0}},
        {"", {"PT4H0M0S", "PT16H0M0S"}, Unit::Hour, {4, 16}},
        {"", {"PT1H30M0S", "PT8H0M0S"}, Unit::Minute, {90, 480}},
        {"", {"PT0H0M0S", "M"}, Unit::Day, {0, 0}},
        {"", {"PT7H59M60S"}, Unit::Day, {1}},
        {day450, {"PT7H30M0S", "P1DT7H30M0S"}, Unit::Day, {1, 2}},
        {day450, {"PT8H0M0S"}, Unit::Hour, {8}},
        {"<MinutesPerDay>600</MinutesPerDay>", {"PT1800M"}, Unit::Day, {3}},
        {"", {"PT8H0M0S", "PT7H59M59.5S"}, Unit::Day, {}},
        {"", {"PT0H0M30S"}, Unit::Day, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.head << " " << c.durations.front());
        std::string tasks;
        for (std::size_t k = 0; k < c.durations.size(); ++k) {
            const bool milestone = std::string(c.durations[k]) == "M";
            tasks += task(static_cast<int>(k) + 1, "T", 1, milestone ? "PT0H0M0S" : c.durations[k],
                          milestone ? "<Milestone>1</Milestone>" : "");
        }
        const io::ReadResult result = readMspdi(project(tasks, c.head));
        if (c.read.empty()) {
            ASSERT_FALSE(result.isLoaded());
            ASSERT_EQ(result.problems().count(), 1) << message(result);
            const io::Problem &p = result.problems().kept().at(0);
            EXPECT_EQ(p.kind, FileProblemKind::DurationNotWholeMinutes);
            EXPECT_EQ(p.place.activity, QString::number(c.durations.size()));
            EXPECT_EQ(p.value, QString::fromLatin1(c.durations.back()));
            continue;
        }
        ASSERT_TRUE(result.isLoaded()) << message(result);
        EXPECT_EQ(result.project().timeUnit, c.unit);
        std::vector<engine::Duration> read;
        for (const engine::Activity &a : result.project().activities)
            read.push_back(a.normalDuration);
        EXPECT_EQ(read, c.read);
        const bool told
            = iotest::findProblem(result.warnings(), FileProblemKind::TimeUnitChosen) != nullptr;
        EXPECT_EQ(told, c.unit != Unit::Day) << message(result);
    }
}

// The ISO 8601 form that MSPDI's durations have (XML Schema's duration): each unit at most
// once and in order, days before the T, hours, minutes and seconds after it, decimals only
// on seconds. Anything else is refused, however large its numbers.
TEST(MspdiReader, DurationsAreReadStrictly)
{
    std::string repeated = "PT";
    for (int i = 0; i < 3000; ++i)
        repeated += "999999999H";
    const struct {
        std::string duration;
        engine::Duration days; // -1: refused
        FileProblemKind refusal = FileProblemKind::BadTaskDuration;
    } cases[] = {
        {"PT8H", 1},
        {"PT8H0M0S", 1},
        {" PT16H0M0S ", 2},
        {"P1D", 1},
        {"P1DT8H", 2},
        {"P0D", 0},
        {"PT0S", 0},
        {"PT480M", 1},
        {"PT28800S", 1},
        {"PT28800.000S", 1},
        {"PT7H59M59.5S", -1, FileProblemKind::DurationNotWholeMinutes},
        {"PT7H59M60S", 1},
        {"PT0008H", 1},
        {"P1000000D", 1'000'000},
        {"PT8000000H", 1'000'000},
        {"P1000001D", -1, FileProblemKind::TaskDurationTooLong},
        {"PT8000008H", -1, FileProblemKind::TaskDurationTooLong},
        {"PT99999999999999999999999H", -1, FileProblemKind::TaskDurationTooLong},
        {"P99999999999999999999999DT99999999999999999999999H", -1,
         FileProblemKind::TaskDurationTooLong},
        {"PT8H8H8H", -1},
        {"PT8H8H", -1},
        {"P1DT8H1D", -1},
        {"PT8M8H", -1},
        {"PT8S8M", -1},
        {"PT8H0S0M", -1},
        {repeated, -1},
        {"P", -1},
        {"PT", -1},
        {"P1DT", -1},
        {"", -1},
        {"PT8", -1},
        {"PT8.5H", -1},
        {"PT480.5M", -1},
        {"PT28800,0S", -1},
        {"PT.5S", -1},
        {"PT5.S", -1},
        {"PT28800.0001S", -1},
        {"P1Y", -1},
        {"P1M", -1},
        {"P1W", -1},
        {"P1H", -1},
        {"PT1D", -1},
        {"-PT8H", -1},
        {"PT-8H", -1},
        {"PT+8H", -1},
        {"pt8h", -1},
        {"PT 8H", -1},
        {"P T8H", -1},
        {"8H", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.duration.substr(0, 60));
        const io::ReadResult result = readMspdi(project(task(1, "Only", 1, c.duration)));
        if (c.days >= 0) {
            ASSERT_TRUE(result.isLoaded()) << message(result);
            const engine::Project &read = result.project();
            EXPECT_EQ(read.activities.at(0).normalDuration * minutesIn(read.timeUnit),
                      c.days * 480);
            continue;
        }
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1) << message(result);
        const io::Problem &p = result.problems().kept().at(0);
        EXPECT_EQ(p.kind, c.refusal) << message(result);
        EXPECT_EQ(p.place.field, u"Duration");
        EXPECT_EQ(p.place.activity, u"1");
        if (c.refusal == FileProblemKind::TaskDurationTooLong) {
            EXPECT_EQ(p.bound, engine::kMaxDuration);
        }
    }
}

// Every link type is read with its lag, in tenths of a minute of working time; a lag of
// elapsed time, a percentage or part of a minute is refused, naming both tasks. Pour lasts
// 2 days and Cure 3; the plan's length is worked out by hand from the link's meaning.
TEST(MspdiReader, LinkTypesAndLags)
{
    using T = engine::LinkType;
    struct Case {
        int type, lag, format;
        T read;
        engine::Duration readLag, length; // in the project's unit; length -1: refused
        engine::TimeUnit unit = engine::TimeUnit::Day;
    };
    const Case cases[] = {
        {1, 0, 7, T::FinishToStart, 0, 5},
        {1, 4800, 7, T::FinishToStart, 1, 6}, // Cure from 3 to 6
        {1, -4800, 7, T::FinishToStart, -1, 4}, // Cure from 1 to 4
        {1, 4800, 5, T::FinishToStart, 1, 6}, // shown in hours, still 480 minutes
        {3, 0, 7, T::StartToStart, 0, 3},
        {3, 4800, 7, T::StartToStart, 1, 4},
        {0, 0, 7, T::FinishToFinish, 0, 3}, // Cure may end with Pour but lasts longer
        {0, 9600, 7, T::FinishToFinish, 2, 4}, // Cure ends at 4 or later
        {2, 0, 7, T::StartToFinish, 0, 3},
        {2, 24000, 7, T::StartToFinish, 5, 5}, // Cure ends 5 days after Pour starts
        {1, 2400, 7, T::FinishToStart, 4, 44, engine::TimeUnit::Hour}, // 16 + 4 + 24 hours
        {1, 0, 8, T::FinishToStart, 0, 5}, // no lag in an elapsed unit is no lag
        {1, 15, 7, T::FinishToStart, 0, -1}, // a minute and a half
        {1, 4800, 8, T::FinishToStart, 0, -1}, // elapsed days
        {1, 4800, 20, T::FinishToStart, 0, -1}, // percent
        {1, 4800, 99, T::FinishToStart, 0, -1}, // no format of the schema
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "type " << c.type << " lag " << c.lag << " format " << c.format);
        const io::ReadResult result = readMspdi(
            project(task(1, "Pour", 1, "PT16H0M0S")
                    + task(2, "Cure", 1, "PT24H0M0S", link(1, c.type, c.lag, c.format))));
        if (c.length < 0) {
            ASSERT_FALSE(result.isLoaded());
            ASSERT_EQ(result.problems().count(), 1) << message(result);
            const io::Problem &p = result.problems().kept().at(0);
            EXPECT_EQ(p.kind, FileProblemKind::LinkLagRefused);
            EXPECT_EQ(p.names, (QStringList {u"1 (Pour)"_qs, u"2 (Cure)"_qs}));
            EXPECT_TRUE(p.value.contains(QString::number(c.lag))) << message(result);
            continue;
        }
        ASSERT_TRUE(result.isLoaded()) << message(result);
        const engine::Project &p = result.project();
        EXPECT_EQ(p.timeUnit, c.unit);
        const engine::Activity &cure = p.activities.at(1);
        EXPECT_EQ(cure.predecessors, std::vector<std::string> {"1"});
        EXPECT_EQ(cure.linkTiming(0), (engine::LinkTiming {c.read, c.readLag}));
        EXPECT_EQ(cure.linkTimings.empty(), cure.linkTiming(0).plain());
        EXPECT_EQ(cpmDuration(p), c.length);
    }
}

// A link of a summary task becomes links of its tasks, each of the same type and lag, where
// that says the same: into its start (to every task nothing inside it waits for) and out of
// its finish (from every task nothing inside it follows). A finish-to-finish link inside does
// not keep its successor from starting first, so that task is linked into too.
TEST(MspdiReader, SummaryLinksKeepTheirTypes)
{
    // 1 X (1d) -> 2 Phase {3 A (2d); 4 B (1d) finish-to-finish after A} -> 5 C (1d), lag 1d.
    const auto plan = [](const std::string &intoPhase, const std::string &outOfPhase) {
        return project(task(1, "X", 1, "PT8H0M0S") + task(2, "Phase", 1, "PT16H0M0S", intoPhase)
                       + task(3, "A", 2, "PT16H0M0S") + task(4, "B", 2, "PT8H0M0S", link(3, 0))
                       + task(5, "C", 1, "PT8H0M0S", outOfPhase));
    };
    const io::ReadResult result = readMspdi(plan(link(1), link(2, 1, 4800)));
    ASSERT_TRUE(result.isLoaded()) << message(result);
    using T = engine::LinkType;
    // Each activity's links as predecessor, type and lag.
    std::map<std::string, std::set<std::tuple<std::string, T, engine::Duration>>> links;
    for (const engine::Activity &a : result.project().activities) {
        auto &set = links[a.id];
        for (std::size_t k = 0; k < a.predecessors.size(); ++k)
            set.emplace(a.predecessors[k], a.linkTiming(k).type, a.linkTiming(k).lag);
    }
    const decltype(links) expected {
        {"1", {}},
        {"3", {{"1", T::FinishToStart, 0}}},
        {"4", {{"1", T::FinishToStart, 0}, {"3", T::FinishToFinish, 0}}},
        {"5", {{"4", T::FinishToStart, 1}}}};
    EXPECT_EQ(links, expected);
    // X 0-1, A 1-3, B 2-3 (ends with A), C 4-5: Phase ends at 3, C a day later.
    EXPECT_EQ(cpmDuration(result.project()), 5);

    // From a summary's start or to its finish: whichever of its tasks comes first or last.
    const struct {
        std::string into, outOf, type;
    } refused[] = {{link(1, 0), link(2), "finish to finish"},
                   {link(1, 2), link(2), "start to finish"},
                   {link(1), link(2, 3), "start to start"}};
    for (const auto &r : refused) {
        const io::ReadResult read = readMspdi(plan(r.into, r.outOf));
        ASSERT_FALSE(read.isLoaded());
        const io::Problem *p
            = iotest::findProblem(read.problems(), FileProblemKind::LinkTypeRefused);
        ASSERT_NE(p, nullptr) << message(read);
        EXPECT_TRUE(read.message().contains(QString::fromStdString(r.type))) << message(read);
    }
}

// A split task pauses its work, which an activity cannot: it is refused by name, found in the
// timephased work of its assignment (a period without work between two with work).
TEST(MspdiReader, SplitTasksAreRefused)
{
    const auto period = [](const char *start, const char *value) {
        return std::string("<TimephasedData><Type>1</Type><UID>1</UID><Start>") + start
            + "</Start><Finish>" + start + "</Finish><Unit>2</Unit><Value>" + value
            + "</Value></TimephasedData>";
    };
    const auto assignment = [](int task, const std::string &periods) {
        return "<Assignment><UID>" + std::to_string(task) + "</UID><TaskUID>" + std::to_string(task)
            + "</TaskUID><ResourceUID>-65535</ResourceUID>" + periods + "</Assignment>";
    };
    const std::string work = period("2026-03-02T08:00:00", "PT8H0M0S");
    const std::string pause = period("2026-03-03T08:00:00", "PT0H0M0S");
    const std::string more = period("2026-03-04T08:00:00", "PT8H0M0S");
    const std::string after = period("2026-03-05T08:00:00", "PT0H0M0S");
    const std::string tasks = task(1, "Dig", 1, "PT16H0M0S") + task(2, "Pour", 1, "PT16H0M0S");
    const auto withAssignments = [&](const std::string &assignments) {
        std::string text = project(tasks);
        text.insert(text.find("</Project>"), "<Assignments>" + assignments + "</Assignments>\n");
        return text;
    };
    // In the file's order or not, the pause between work is found; a pause after the work
    // is not a split.
    const io::ReadResult split = readMspdi(
        withAssignments(assignment(1, work + more + after) + assignment(2, more + pause + work)));
    ASSERT_TRUE(readMspdi(withAssignments(assignment(1, work + more + after))).isLoaded());
    ASSERT_FALSE(split.isLoaded());
    ASSERT_EQ(split.problems().count(), 1) << message(split);
    const io::Problem &p = split.problems().kept().at(0);
    EXPECT_EQ(p.kind, FileProblemKind::TaskSplit);
    EXPECT_EQ(p.place.activity, u"2");
    EXPECT_GT(p.place.line, 0);
}

// A type the schema does not have is named as such, with the types it has.
TEST(MspdiReader, UnknownLinkTypeIsNamed)
{
    for (const char *type : {"4", "7", "-1", "x", "1.0"}) {
        SCOPED_TRACE(type);
        const std::string link = "<PredecessorLink><PredecessorUID>1</PredecessorUID><Type>"
            + std::string(type) + "</Type></PredecessorLink>";
        const io::ReadResult result = readMspdi(
            project(task(1, "Pour", 1, "PT16H0M0S") + task(2, "Cure", 1, "PT24H0M0S", link)));
        ASSERT_FALSE(result.isLoaded());
        ASSERT_EQ(result.problems().count(), 1) << message(result);
        const io::Problem &p = result.problems().kept().at(0);
        EXPECT_EQ(p.kind, FileProblemKind::UnknownLinkType);
        EXPECT_EQ(p.value, QString::fromLatin1(type));
        EXPECT_EQ(p.place.field, u"Type");
        EXPECT_EQ(p.place.activity, u"2");
        // Finish to start, start to start, finish to finish, start to finish.
        EXPECT_EQ(p.names, (QStringList {u"1"_qs, u"3"_qs, u"0"_qs, u"2"_qs}));
        EXPECT_TRUE(result.message().contains(u"0 (finish to finish)")) << message(result);
    }
}

// Broken files are refused whole, with every problem placed.
TEST(MspdiReader, BrokenFilesAreRefusedWithPlaces)
{
    struct Case {
        std::string text;
        FileProblemKind kind;
        int line; // 0: not checked
        const char *said;
    };
    std::string deep = "<Project>";
    for (int i = 0; i < 100; ++i)
        deep += "<Extra>";
    const Case cases[] = {
        {"<Project>\n<Tasks>\n<Task><UID>1</UID></Tsk>\n</Tasks></Project>",
         FileProblemKind::XmlSyntax, 3, "plan.xml:3:"},
        {"<Project><Tasks>", FileProblemKind::XmlSyntax, 1, "plan.xml:1:"},
        {"", FileProblemKind::XmlSyntax, 0, "plan.xml"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE Project [<!ENTITY big \"xxxxxxxx\">]>\n"
         "<Project><Title>&big;</Title></Project>",
         FileProblemKind::XmlDoctype, 2, "DOCTYPE"},
        {deep, FileProblemKind::XmlTooDeep, 1, "64"},
        {"<html><body/></html>", FileProblemKind::NotPlanFile, 1, "<html>"},
        {project(task(1, "A", 1, "PT8H") + "\n" + task(1, "B", 1, "PT8H")),
         FileProblemKind::DuplicateTaskId, 7, "'1'"},
        {project(task(1, "A", 1, "PT8H") + "\n" + task(2, "B", 1, "PT8H", link(99))),
         FileProblemKind::UnknownLinkTask, 7, "99"},
        {project(task(1, "A", 1, "PT8H", "<IsNull>1</IsNull>") + task(2, "B", 1, "PT8H", link(1))),
         FileProblemKind::UnknownLinkTask, 0, "task '1'"},
        {project("<Task><ID>4</ID><Name>No UID</Name></Task>"), FileProblemKind::MissingValue, 0,
         "activity 4: UID"},
        {project(task(1, "A", 1, "PT8H"), "<MinutesPerDay>0</MinutesPerDay>"),
         FileProblemKind::NotWholeNumber, 0, "MinutesPerDay"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.said);
        const io::ReadResult result = readMspdi(c.text);
        ASSERT_FALSE(result.isLoaded());
        const io::Problem *p = iotest::findProblem(result.problems(), c.kind);
        ASSERT_NE(p, nullptr) << message(result);
        EXPECT_EQ(p->place.file, QStringLiteral("plan.xml"));
        if (c.line > 0) {
            EXPECT_EQ(p->place.line, c.line) << message(result);
        }
        EXPECT_TRUE(result.message().contains(QString::fromLatin1(c.said))) << message(result);
    }

    // Every problem of a file is told, not only the first.
    const io::ReadResult many
        = readMspdi(project(task(1, "A", 1, "PT12H0M1S") + task(2, "B", 1, "PT8H", link(1, 3, 5))
                            + task(3, "C", 1, "PT8H", link(7))));
    ASSERT_FALSE(many.isLoaded());
    EXPECT_EQ(many.problems().count(), 3) << message(many);

    // The column of a syntax error is where the reader stopped, on the line it names.
    const io::ReadResult column = readMspdi("<Project>\n  <Title>a</Titel>\n</Project>");
    ASSERT_FALSE(column.isLoaded());
    EXPECT_EQ(column.problems().kept().at(0).place.line, 2);
    EXPECT_GE(column.problems().kept().at(0).place.column, 12);
    EXPECT_LE(column.problems().kept().at(0).place.column, 18);

    // Nesting up to the bound is read.
    std::string nested = "<Project>";
    for (int i = 0; i < 60; ++i)
        nested += "<Extra>";
    for (int i = 0; i < 60; ++i)
        nested += "</Extra>";
    nested += "<Tasks>" + task(1, "A", 1, "PT8H") + "</Tasks></Project>";
    EXPECT_TRUE(readMspdi(nested).isLoaded()) << message(readMspdi(nested));
}

// A cycle of links is the engine's to find, as in the other files.
TEST(MspdiReader, CycleIsNamed)
{
    const io::ReadResult result
        = readMspdi(project(task(1, "A", 1, "PT8H", link(3)) + task(2, "B", 1, "PT8H", link(1))
                            + task(3, "C", 1, "PT8H", link(2))));
    ASSERT_FALSE(result.isLoaded());
    const io::Problem *p = iotest::findEngineProblem(result.problems(), engine::ProblemKind::Cycle);
    ASSERT_NE(p, nullptr) << message(result);
    EXPECT_EQ(p->names.size(), 3);
    EXPECT_GT(p->place.line, 0);
}

// Opened by its extension; never saved in it.
TEST(MspdiReader, OpenedByExtensionButNotSaved)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("Plan.XML"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(project(task(1, "A", 1, "PT8H"))));
    }
    EXPECT_EQ(io::formatOfPath(path), io::FileFormat::Mspdi);
    const io::ReadResult result = io::openProject(path);
    ASSERT_TRUE(result.isLoaded()) << message(result);
    const io::ProblemList refused = io::saveProject(result.project(), path);
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.kept().at(0).kind, FileProblemKind::ImportOnly);
    EXPECT_TRUE(io::openProject(path).isLoaded()); // left as it was
}

} // namespace

namespace {

// Dates a file fixes otherwise than by links (manual scheduling, a date constraint other than
// "as soon as possible") are not kept: each such task's activity is warned about, by name.
TEST(MspdiReader, FixedDatesAreToldNotKept)
{
    const io::ReadResult result = readMspdi(project(
        task(1, "Survey", 1, "PT8H0M0S", "<Manual>1</Manual>")
        + task(2, "Dig", 1, "PT16H0M0S", "<ConstraintType>4</ConstraintType>")
        + task(3, "Pour", 1, "PT8H0M0S", "<ConstraintType>0</ConstraintType><Manual>0</Manual>")));
    ASSERT_TRUE(result.isLoaded()) << message(result);
    QStringList told;
    for (const io::Problem &p : result.warnings().kept()) {
        if (p.kind == FileProblemKind::FixedDatesIgnored)
            told << p.place.activity + u' ' + p.value;
    }
    EXPECT_EQ(told, (QStringList {u"1 Manual"_qs, u"2 ConstraintType 4"_qs}));
}

} // namespace
