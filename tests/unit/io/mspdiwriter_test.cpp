// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Microsoft Project XML written for the planning tools: read back through our own reader
// (ids, names, links, durations), elements in the order of the published schema, and dates on
// the Monday to Friday calendar worked out by hand.

#include "iotestsupport.h"
#include "mspdireader.h"
#include "mspdiwriter.h"
#include "network.h"
#include "practiceset.h"
#include "randomproject.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>
#include <set>
#include <tuple>

namespace {

// An element as QXmlStreamReader finds it, independently of io::parseXml.
struct WrittenElement {
    QString name, namespaceUri, text;
    std::vector<WrittenElement> children;

    const WrittenElement *child(const QString &childName) const
    {
        for (const WrittenElement &c : children) {
            if (c.name == childName)
                return &c;
        }
        return nullptr;
    }
    QString textOf(const QString &childName) const
    {
        const WrittenElement *c = child(childName);
        return c ? c->text : QStringLiteral("(absent)");
    }
    std::vector<const WrittenElement *> all(const QString &childName) const
    {
        std::vector<const WrittenElement *> found;
        for (const WrittenElement &c : children) {
            if (c.name == childName)
                found.push_back(&c);
        }
        return found;
    }
};

WrittenElement parseWritten(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    std::vector<WrittenElement> open(1);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            open.push_back({xml.name().toString(), xml.namespaceUri().toString(), {}, {}});
        } else if (xml.isCharacters()) {
            open.back().text += xml.text();
        } else if (xml.isEndElement()) {
            WrittenElement done = std::move(open.back());
            open.pop_back();
            open.back().children.push_back(std::move(done));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(open.size(), 1u);
    return open.front().children.empty() ? WrittenElement {} : open.front().children.front();
}

io::ReadResult readBack(const QByteArray &bytes)
{
    return io::readMspdi(bytes, QStringLiteral("plan.xml"));
}

// Working minutes in a unit of the written calendar.
std::int64_t minutesIn(engine::TimeUnit unit)
{
    const std::map<engine::TimeUnit, std::int64_t> minutes {{engine::TimeUnit::Minute, 1},
                                                            {engine::TimeUnit::Hour, 60},
                                                            {engine::TimeUnit::Day, 480},
                                                            {engine::TimeUnit::Week, 2400}};
    return minutes.at(unit);
}

// Each activity's links as predecessor, type and lag in minutes: a list naming one link twice
// is one link.
using WrittenLinks
    = std::map<std::string, std::set<std::tuple<std::string, engine::LinkType, std::int64_t>>>;
WrittenLinks linksOf(const engine::Project &project)
{
    WrittenLinks links;
    for (const engine::Activity &a : project.activities) {
        auto &set = links[a.id];
        for (std::size_t k = 0; k < a.predecessors.size(); ++k)
            set.emplace(a.predecessors[k], a.linkTiming(k).type,
                        a.linkTiming(k).lag * minutesIn(project.timeUnit));
    }
    return links;
}

// What a planning tool keeps of the project: ids, names, links and the durations written,
// the same working time though perhaps in a larger unit (the reader takes the largest whole).
void expectReadBack(const engine::Project &project, std::span<const engine::Duration> durations,
                    const QByteArray &written)
{
    const io::ReadResult read = readBack(written);
    ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
    const engine::Project &back = read.project();
    EXPECT_EQ(back.title, project.title);
    ASSERT_EQ(back.activities.size(), project.activities.size());
    for (std::size_t k = 0; k < project.activities.size(); ++k) {
        const engine::Activity &a = project.activities[k], &b = back.activities[k];
        SCOPED_TRACE(a.id);
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.normalDuration * minutesIn(back.timeUnit),
                  (durations.empty() ? a.normalDuration : durations[k])
                      * minutesIn(project.timeUnit));
    }
    EXPECT_EQ(linksOf(back), linksOf(project));
}

TEST(MspdiWriter, PlansReadBackThroughOurReader)
{
    std::vector<engine::Project> projects;
    for (int set = 1; set <= 5; ++set)
        projects.push_back(practiceProject(practiceSet(set)));
    testsupport::Random random(20260302);
    for (int i = 0; i < 80; ++i) {
        testsupport::ProjectShape shape;
        shape.activities = static_cast<int>(testsupport::between(random, 1, 40));
        shape.window = i % 2 == 0 ? 0 : 3;
        // Links of every type with lags in half of them, in each unit.
        shape.linkPercent = i % 4 < 2 ? 0 : 40;
        engine::Project project = testsupport::randomProject(random, shape);
        project.timeUnit = static_cast<engine::TimeUnit>(i / 4 % 4);
        projects.push_back(std::move(project));
    }
    const QDate start(2026, 3, 2);
    for (std::size_t p = 0; p < projects.size(); ++p) {
        SCOPED_TRACE(p < 5 ? "practice set " + std::to_string(p + 1)
                           : "random project " + std::to_string(p));
        const engine::Project &project = projects[p];
        expectReadBack(project, {}, io::writeMspdi(project, start));
        // Any durations from crash to normal are a crashed plan.
        std::vector<engine::Duration> crashed;
        for (const engine::Activity &a : project.activities)
            crashed.push_back(testsupport::between(random, a.crashDuration, a.normalDuration));
        expectReadBack(project, crashed, io::writeMspdi(project, start, crashed));
    }
}

// Texts reach the tool as they are; only what XML cannot hold, or the reader drops, differs.
TEST(MspdiWriter, AwkwardTextsKeepTheirCharacters)
{
    struct Case {
        std::string name;
        std::string readBack;
    };
    const Case cases[] = {
        {"<b> & \"c\" 'd' ]]>", "<b> & \"c\" 'd' ]]>"},
        {"two\r\nlines\rand\nmore", "two\r\nlines\rand\nmore"},
        {"tab\there", "tab\there"},
        {"\xE0\xB8\x82\xE0\xB8\xB8\xE0\xB8\x94 \xF0\x9F\x98\x80", // ขุด and an emoji
         "\xE0\xB8\x82\xE0\xB8\xB8\xE0\xB8\x94 \xF0\x9F\x98\x80"},
        {std::string("nul\0bell\a", 9),
         "nul\xEF\xBF\xBD"
         "bell\xEF\xBF\xBD"}, // U+FFFD
        {" blanks ", "blanks"}, // the reader takes a name without blanks at either end
        {"", ""},
        {"B", ""}, // named by its id alone: the same as no name
    };
    engine::Project project {.title = "T & <t>", .activities = {}, .target = std::nullopt};
    for (std::size_t k = 0; k < std::size(cases); ++k)
        project.activities.push_back(
            {k == 7 ? "B" : "a&<" + std::to_string(k) + ">", cases[k].name, {}, 1, 1, 0});
    const io::ReadResult read = readBack(io::writeMspdi(project, QDate(2026, 3, 2)));
    ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
    EXPECT_EQ(read.project().title, project.title);
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        EXPECT_EQ(read.project().activities.at(k).id, project.activities[k].id);
        EXPECT_EQ(read.project().activities.at(k).name, cases[k].readBack) << k;
    }
}

// The ids come from Text1 only where the file names it "Activity"; a task without a value,
// such as one added in the tool, keeps its ID.
TEST(MspdiWriter, ActivityFieldOnlyWhereTheFileNamesIt)
{
    const engine::Project project {.title = "",
                                   .activities
                                   = {{"X", "Dig", {}, 2, 2, 0}, {"Y", "", {"X"}, 3, 3, 0}},
                                   .target = std::nullopt};
    const QString written = QString::fromUtf8(io::writeMspdi(project, QDate(2026, 3, 2)));
    const QString alias = QStringLiteral("<Alias>Activity</Alias>");
    const QString added = QStringLiteral("<Task><UID>9</UID><ID>3</ID><Name>Added</Name>"
                                         "<Duration>PT8H0M0S</Duration></Task></Tasks>");
    struct Case {
        QString text;
        std::vector<std::pair<std::string, std::string>> activities; // id, name
    };
    const Case cases[] = {
        {written, {{"X", "Dig"}, {"Y", ""}}},
        {QString(written).replace(alias, QStringLiteral("<Alias>Cost centre</Alias>")),
         {{"1", "Dig"}, {"2", "Y"}}},
        {QString(written).replace(QStringLiteral("</Tasks>"), added),
         {{"X", "Dig"}, {"Y", ""}, {"3", "Added"}}},
    };
    for (const Case &c : cases) {
        const io::ReadResult read = readBack(c.text.toUtf8());
        ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
        std::vector<std::pair<std::string, std::string>> found;
        for (const engine::Activity &a : read.project().activities)
            found.emplace_back(a.id, a.name);
        EXPECT_EQ(found, c.activities);
    }
}

// The child elements of each element the file writes, in the order of the xs:sequence that
// Microsoft's "Project XML Data Interchange Schema Reference" gives for Microsoft Office
// Project 2007 (mspdi_pj12.xsd): the pages "XML Schema for the Project Element", "... for the
// Calendars Element", "... for the Tasks Element" and "... for the ExtendedAttributes Element"
// of MicrosoftDocs/office-developer-msproject-xml-docs. Microsoft Project drops elements that
// come out of this order.
const std::map<QString, QStringList> kSchemaSequences = [] {
    const std::pair<const char *, const char *> sequences[] = {
        {"Project",
         "SaveVersion UID Name Title Subject Category Company Manager Author CreationDate "
         "Revision LastSaved ScheduleFromStart StartDate FinishDate FYStartDate "
         "CriticalSlackLimit CurrencyDigits CurrencySymbol CurrencyCode CurrencySymbolPosition "
         "CalendarUID DefaultStartTime DefaultFinishTime MinutesPerDay MinutesPerWeek "
         "DaysPerMonth DefaultTaskType DefaultFixedCostAccrual DefaultStandardRate "
         "DefaultOvertimeRate DurationFormat WorkFormat EditableActualCosts HonorConstraints "
         "EarnedValueMethod InsertedProjectsLikeSummary MultipleCriticalPaths "
         "NewTasksEffortDriven NewTasksEstimated SplitsInProgressTasks SpreadActualCost "
         "SpreadPercentComplete TaskUpdatesResource FiscalYearStart WeekStartDay "
         "MoveCompletedEndsBack MoveRemainingStartsBack MoveRemainingStartsForward "
         "MoveCompletedEndsForward BaselineForEarnedValue AutoAddNewResourcesAndTasks "
         "StatusDate CurrentDate MicrosoftProjectServerURL Autolink NewTaskStartDate "
         "DefaultTaskEVMethod ProjectExternallyEdited ExtendedCreationDate ActualsInSync "
         "RemoveFileProperties AdminProject OutlineCodes WBSMasks ExtendedAttributes Calendars "
         "Tasks Resources Assignments"},
        {"ExtendedAttributes/ExtendedAttribute",
         "FieldID FieldName CFType Guid ElemType MaxMultiValues UserDef Alias SecondaryPID "
         "AutoRollDown DefaultGuid Ltuid PhoneticAlias RollupType CalculationType Formula "
         "RestrictValues ValuelistSortOrder AppendNewValues Default ValueList"},
        {"Calendar", "UID Name IsBaseCalendar BaseCalendarUID WeekDays Exceptions WorkWeeks"},
        {"WeekDay", "DayType DayWorking TimePeriod WorkingTimes"},
        {"WorkingTime", "FromTime ToTime"},
        {"Task",
         "UID ID Name Type IsNull CreateDate Contact WBS WBSLevel OutlineNumber OutlineLevel "
         "Priority Start Finish Duration DurationFormat Work Stop Resume ResumeValid "
         "EffortDriven Recurring OverAllocated Estimated Milestone Summary Critical "
         "IsSubproject IsSubprojectReadOnly SubprojectName ExternalTask ExternalTaskProject "
         "EarlyStart EarlyFinish LateStart LateFinish StartVariance FinishVariance "
         "WorkVariance FreeSlack TotalSlack FixedCost FixedCostAccrual PercentComplete "
         "PercentWorkComplete Cost OvertimeCost OvertimeWork ActualStart ActualFinish "
         "ActualDuration ActualCost ActualOvertimeCost ActualWork ActualOvertimeWork "
         "RegularWork RemainingDuration RemainingCost RemainingWork RemainingOvertimeCost "
         "RemainingOvertimeWork ACWP CV ConstraintType CalendarUID ConstraintDate Deadline "
         "LevelAssignments LevelingCanSplit LevelingDelay LevelingDelayFormat PreLeveledStart "
         "PreLeveledFinish Hyperlink HyperlinkAddress HyperlinkSubAddress "
         "IgnoreResourceCalendar Notes HideBar Rollup BCWS BCWP PhysicalPercentComplete "
         "EarnedValueMethod PredecessorLink ActualWorkProtected ActualOvertimeWorkProtected "
         "ExtendedAttribute Baseline OutlineCode IsPublished StatusManager CommitmentStart "
         "CommitmentFinish CommitmentType TimephasedData"},
        {"PredecessorLink", "PredecessorUID Type CrossProject CrossProjectName LinkLag LagFormat"},
        {"Task/ExtendedAttribute", "FieldID Value ValueGUID DurationFormat"},
        {"Baseline",
         "TimephasedData Number Interim Start Finish Duration DurationFormat EstimatedDuration "
         "Work Cost BCWS BCWP FixedCost"},
    };
    std::map<QString, QStringList> lists;
    for (const auto &[element, children] : sequences)
        lists[QLatin1String(element)] = QString::fromLatin1(children).split(u' ');
    return lists;
}();

// Checks the children of `element` (and theirs) against the sequences; counts the elements
// checked by name.
void checkOrder(const WrittenElement &element, const QString &parent, std::map<QString, int> &seen)
{
    EXPECT_EQ(element.namespaceUri, u"http://schemas.microsoft.com/project")
        << element.name.toStdString();
    auto sequence = kSchemaSequences.find(parent + u'/' + element.name);
    if (sequence == kSchemaSequences.end())
        sequence = kSchemaSequences.find(element.name);
    if (sequence != kSchemaSequences.end()) {
        ++seen[sequence->first];
        qsizetype last = -1;
        for (const WrittenElement &c : element.children) {
            const qsizetype at = sequence->second.indexOf(c.name);
            EXPECT_GE(at, 0) << c.name.toStdString() << " is no child of "
                             << sequence->first.toStdString();
            EXPECT_GE(at, last) << c.name.toStdString() << " comes too late in "
                                << sequence->first.toStdString();
            last = std::max(last, at);
        }
    }
    for (const WrittenElement &c : element.children)
        checkOrder(c, element.name, seen);
}

TEST(MspdiWriter, ElementsComeInTheSchemasOrder)
{
    const engine::Project project = practiceProject(practiceSet(1));
    const engine::Network network(project);
    std::vector<engine::Duration> crashed(network.crashDurations().begin(),
                                          network.crashDurations().end());
    const WrittenElement root = parseWritten(io::writeMspdi(project, QDate(2026, 3, 7), crashed));
    ASSERT_EQ(root.name, u"Project");
    std::map<QString, int> seen;
    checkOrder(root, {}, seen);
    // Every sequence was met, each as often as the plan has such elements.
    const int activities = static_cast<int>(project.activities.size());
    const int links = static_cast<int>(network.linkCount());
    const std::map<QString, int> expected {{u"Project"_qs, 1},
                                           {u"ExtendedAttributes/ExtendedAttribute"_qs, 1},
                                           {u"Calendar"_qs, 1},
                                           {u"WeekDay"_qs, 7},
                                           {u"WorkingTime"_qs, 10},
                                           {u"Task"_qs, activities},
                                           {u"PredecessorLink"_qs, links},
                                           {u"Task/ExtendedAttribute"_qs, activities},
                                           {u"Baseline"_qs, activities}};
    EXPECT_EQ(seen, expected);
}

// A plan worked by hand on the calendar from Thursday 5 March 2026: A (3 days), B after A
// (2), C after B (0, a milestone), D (1), E after D (3). Working days: Thu 5, Fri 6, Mon 9,
// Tue 10, Wed 11 ... A runs Thu 5 to Mon 9, B Tue 10 to Wed 11, C at the end of Wed 11; D on
// Thu 5, E Fri 6 to Tue 10 with a day of float. Crashing A to 2 days moves B to Mon 9 - Tue 10.
TEST(MspdiWriter, DatesSkipWeekends)
{
    const engine::Project project {.title = "by hand",
                                   .activities = {{"A", "", {}, 3, 2, 100},
                                                  {"B", "", {"A"}, 2, 2, 0},
                                                  {"C", "", {"B"}, 0, 0, 0},
                                                  {"D", "", {}, 1, 1, 0},
                                                  {"E", "", {"D"}, 3, 3, 0}},
                                   .target = std::nullopt};
    struct Expected {
        const char *start, *finish, *duration, *critical;
        const char *crashedStart, *crashedFinish;
    };
    const Expected expected[] = {
        {"2026-03-05T08:00:00", "2026-03-09T17:00:00", "PT24H0M0S", "1", "2026-03-05T08:00:00",
         "2026-03-06T17:00:00"},
        {"2026-03-10T08:00:00", "2026-03-11T17:00:00", "PT16H0M0S", "1", "2026-03-09T08:00:00",
         "2026-03-10T17:00:00"},
        {"2026-03-11T17:00:00", "2026-03-11T17:00:00", "PT0H0M0S", "1", "2026-03-10T17:00:00",
         "2026-03-10T17:00:00"},
        {"2026-03-05T08:00:00", "2026-03-05T17:00:00", "PT8H0M0S", "0", "2026-03-05T08:00:00",
         "2026-03-05T17:00:00"},
        {"2026-03-06T08:00:00", "2026-03-10T17:00:00", "PT24H0M0S", "0", "2026-03-06T08:00:00",
         "2026-03-10T17:00:00"},
    };
    const QDate thursday(2026, 3, 5);
    const WrittenElement normal = parseWritten(io::writeMspdi(project, thursday));
    EXPECT_EQ(normal.textOf(u"StartDate"_qs), u"2026-03-05T08:00:00");
    EXPECT_EQ(normal.textOf(u"FinishDate"_qs), u"2026-03-11T17:00:00");
    const std::vector<engine::Duration> crashed {2, 2, 0, 1, 3};
    const WrittenElement shorter = parseWritten(io::writeMspdi(project, thursday, crashed));
    ASSERT_NE(normal.child(u"Tasks"_qs), nullptr);
    ASSERT_NE(shorter.child(u"Tasks"_qs), nullptr);
    const auto tasks = normal.child(u"Tasks"_qs)->all(u"Task"_qs);
    const auto crashedTasks = shorter.child(u"Tasks"_qs)->all(u"Task"_qs);
    ASSERT_EQ(tasks.size(), std::size(expected));
    ASSERT_EQ(crashedTasks.size(), std::size(expected));
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        SCOPED_TRACE(project.activities[k].id);
        const Expected &e = expected[k];
        EXPECT_EQ(tasks[k]->textOf(u"Start"_qs), QLatin1String(e.start));
        EXPECT_EQ(tasks[k]->textOf(u"Finish"_qs), QLatin1String(e.finish));
        EXPECT_EQ(tasks[k]->textOf(u"Duration"_qs), QLatin1String(e.duration));
        EXPECT_EQ(tasks[k]->textOf(u"Critical"_qs), QLatin1String(e.critical));
        EXPECT_EQ(tasks[k]->child(u"Baseline"_qs), nullptr);
        EXPECT_EQ(crashedTasks[k]->textOf(u"Start"_qs), QLatin1String(e.crashedStart));
        EXPECT_EQ(crashedTasks[k]->textOf(u"Finish"_qs), QLatin1String(e.crashedFinish));
        // Baseline 0 is the normal plan.
        const WrittenElement *baseline = crashedTasks[k]->child(u"Baseline"_qs);
        ASSERT_NE(baseline, nullptr);
        EXPECT_EQ(baseline->textOf(u"Number"_qs), u"0");
        EXPECT_EQ(baseline->textOf(u"Start"_qs), QLatin1String(e.start));
        EXPECT_EQ(baseline->textOf(u"Finish"_qs), QLatin1String(e.finish));
        EXPECT_EQ(baseline->textOf(u"Duration"_qs), QLatin1String(e.duration));
    }

    // A start on a weekend begins on the Monday; months, leap days and years roll over.
    struct Span {
        QDate start;
        engine::Duration days;
        const char *taskStart, *taskFinish;
    };
    const Span spans[] = {
        {QDate(2026, 3, 7), 3, "2026-03-09T08:00:00", "2026-03-11T17:00:00"}, // Saturday
        {QDate(2026, 3, 8), 0, "2026-03-09T08:00:00", "2026-03-09T08:00:00"}, // Sunday
        {QDate(2028, 2, 25), 3, "2028-02-25T08:00:00", "2028-02-29T17:00:00"}, // leap day
        {QDate(2027, 12, 30), 6, "2027-12-30T08:00:00", "2028-01-06T17:00:00"},
        {QDate(2026, 3, 2), 10, "2026-03-02T08:00:00", "2026-03-13T17:00:00"}, // two weeks
    };
    for (const Span &s : spans) {
        SCOPED_TRACE(s.start.toString(Qt::ISODate).toStdString());
        const engine::Project one {.title = "",
                                   .activities = {{"A", "", {}, s.days, 0, 0}},
                                   .target = std::nullopt};
        const WrittenElement root = parseWritten(io::writeMspdi(one, s.start));
        ASSERT_NE(root.child(u"Tasks"_qs), nullptr);
        const WrittenElement *task = root.child(u"Tasks"_qs)->child(u"Task"_qs);
        ASSERT_NE(task, nullptr);
        EXPECT_EQ(task->textOf(u"Start"_qs), QLatin1String(s.taskStart));
        EXPECT_EQ(task->textOf(u"Finish"_qs), QLatin1String(s.taskFinish));
        EXPECT_EQ(io::mspdiFinishDay(s.start, s.days),
                  QDate::fromString(QLatin1String(s.taskFinish).left(10), Qt::ISODate));
    }
}

// A plan in hours worked by hand from Thursday 5 March 2026 (08:00-12:00, 13:00-17:00): A
// (6 h) runs 08:00 to 15:00; B starts 2 h after A starts (10:00) and lasts 10 h: 2 h to
// noon, 4 h in the afternoon, 4 h on Friday to 12:00. C finishes 1 h before B finishes and
// lasts 1 h: Friday 10:00 to 11:00.
TEST(MspdiWriter, LinksAndPartDaysKeepTheirDates)
{
    using T = engine::LinkType;
    engine::Project project {
        .title = "",
        .activities
        = {{"A", "", {}, 6, 6, 0}, {"B", "", {"A"}, 10, 10, 0}, {"C", "", {"B"}, 1, 1, 0}},
        .target = std::nullopt,
        .timeUnit = engine::TimeUnit::Hour};
    project.activities[1].linkTimings = {{T::StartToStart, 2}};
    project.activities[2].linkTimings = {{T::FinishToFinish, -1}};
    const WrittenElement root = parseWritten(io::writeMspdi(project, QDate(2026, 3, 5)));
    EXPECT_EQ(root.textOf(u"FinishDate"_qs), u"2026-03-06T12:00:00");
    ASSERT_NE(root.child(u"Tasks"_qs), nullptr);
    const auto tasks = root.child(u"Tasks"_qs)->all(u"Task"_qs);
    ASSERT_EQ(tasks.size(), 3u);
    const struct {
        const char *start, *finish, *duration, *type, *lag;
    } expected[] = {
        {"2026-03-05T08:00:00", "2026-03-05T15:00:00", "PT6H0M0S", nullptr, nullptr},
        {"2026-03-05T10:00:00", "2026-03-06T12:00:00", "PT10H0M0S", "3", "1200"},
        {"2026-03-06T10:00:00", "2026-03-06T11:00:00", "PT1H0M0S", "0", "-600"},
    };
    for (std::size_t k = 0; k < tasks.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(tasks[k]->textOf(u"Start"_qs), QLatin1String(expected[k].start));
        EXPECT_EQ(tasks[k]->textOf(u"Finish"_qs), QLatin1String(expected[k].finish));
        EXPECT_EQ(tasks[k]->textOf(u"Duration"_qs), QLatin1String(expected[k].duration));
        EXPECT_EQ(tasks[k]->textOf(u"DurationFormat"_qs), u"5"); // hours
        const WrittenElement *link = tasks[k]->child(u"PredecessorLink"_qs);
        ASSERT_EQ(link != nullptr, expected[k].type != nullptr);
        if (link) {
            EXPECT_EQ(link->textOf(u"Type"_qs), QLatin1String(expected[k].type));
            EXPECT_EQ(link->textOf(u"LinkLag"_qs), QLatin1String(expected[k].lag));
            EXPECT_EQ(link->textOf(u"LagFormat"_qs), u"5");
        }
    }
}

TEST(MspdiWriter, SaveWritesTheFileOrSaysWhy)
{
    QTemporaryDir dir;
    const engine::Project project = practiceProject(practiceSet(2));
    const QString path = dir.filePath(u"plan.xml"_qs);
    ASSERT_TRUE(io::saveMspdi(project, QDate(2026, 3, 2), {}, path).isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), io::writeMspdi(project, QDate(2026, 3, 2)));

    engine::Project cyclic = project;
    cyclic.activities[0].predecessors = {cyclic.activities.back().id};
    const QString refused = dir.filePath(u"cyclic.xml"_qs);
    const io::ProblemList problems = io::saveMspdi(cyclic, QDate(2026, 3, 2), {}, refused);
    EXPECT_NE(iotest::findEngineProblem(problems, engine::ProblemKind::Cycle), nullptr)
        << problems.message().toStdString();
    EXPECT_FALSE(QFile::exists(refused));

    const io::ProblemList failed
        = io::saveMspdi(project, QDate(2026, 3, 2), {}, path + u"/inside.xml"_qs);
    EXPECT_NE(iotest::findProblem(failed, io::FileProblemKind::CannotSave), nullptr);
}

} // namespace
