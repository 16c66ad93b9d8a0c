// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The CSV reader against hand-written files: what it accepts, and where it places what it
// refuses.

#include "iotestsupport.h"

#include <optional>
#include <vector>

namespace {

using io::FileProblemKind;

const std::string kHeader
    = "activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n";
const std::string kTotalsHeader
    = "activity,predecessors,normal_duration,crash_duration,normal_cost,crash_cost\n";

engine::Activity activity(std::string id, std::string name, std::vector<std::string> predecessors,
                          engine::Duration normal, engine::Duration crash, engine::Satang cost)
{
    return {std::move(id), std::move(name), std::move(predecessors), normal, crash, cost};
}

engine::Activity linked(engine::Activity activity, std::vector<engine::LinkTiming> timings)
{
    activity.linkTimings = std::move(timings);
    return activity;
}

struct Accepted {
    const char *name;
    std::string text;
    std::vector<engine::Activity> activities;
    engine::TimeUnit unit = engine::TimeUnit::Day;
};

TEST(CsvReader, AcceptsWhatSpreadsheetsAndPeopleWrite)
{
    const Accepted cases[] = {
        {"plain, LF, no final line end",
         kHeader + "A,Dig,-,5,3,1000\nB,Pour,A,4,4,0",
         {activity("A", "Dig", {}, 5, 3, 100000), activity("B", "Pour", {"A"}, 4, 4, 0)}},
        {"byte order mark and CRLF",
         "\xEF\xBB\xBF"
         "activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit\r\n"
         "A,Dig,-,5,3,1000\r\nB,Pour,A,4,4,0\r\n",
         {activity("A", "Dig", {}, 5, 3, 100000), activity("B", "Pour", {"A"}, 4, 4, 0)}},
        {"semicolons as separators",
         "activity;name;predecessors;normal_duration;crash_duration;crash_cost_per_unit\r\n"
         "A;Dig;;5;3;1000.5\r\nB;\"Pour; wait\";A,C;4;2;12.25\r\nC;;-;1;1;0\r\n",
         {activity("A", "Dig", {}, 5, 3, 100050),
          activity("B", "Pour; wait", {"A", "C"}, 4, 2, 1225), activity("C", "", {}, 1, 1, 0)}},
        {"header in any case, order and spacing, without names",
         " Crash_Cost_Per_Unit ,ACTIVITY,Normal_Duration,crash_duration , Predecessors\n"
         " 250 , A1 ,\t7 ,2, - \n",
         {activity("A1", "", {}, 7, 2, 25000)}},
        {"quoted separators, quotes and line breaks",
         kHeader
             + "A,\"Dig, \"\"deep\"\"\r\nhole\",-,5,3,1000\r\nB,\"multi\nline\",\"A\",\"4\",\"2\","
               "\"7.5\"\r\nC, \"x\" ,\"A; B\",1,0,1\r\n",
         {activity("A", "Dig, \"deep\"\r\nhole", {}, 5, 3, 100000),
          activity("B", "multi\nline", {"A"}, 4, 2, 750),
          activity("C", "x", {"A", "B"}, 1, 0, 100)}},
        {"blank lines and spreadsheet leftovers",
         "\n\nactivity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit,,\n\n"
         "A,,-,1,0,3,,\n,,,,,,,\n   \nB,,A,2,1,4\n\n",
         {activity("A", "", {}, 1, 0, 300), activity("B", "", {"A"}, 2, 1, 400)}},
        {"predecessor lists",
         "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
         "A,,1,1,0\nB, - ,1,1,0\nC,\"A ; B,\",1,1,0\nD,\" A,,C \",1,1,0\n",
         {activity("A", "", {}, 1, 1, 0), activity("B", "", {}, 1, 1, 0),
          activity("C", "", {"A", "B"}, 1, 1, 0), activity("D", "", {"A", "C"}, 1, 1, 0)}},
        {"lone CR line ends",
         "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\r"
         "A,-,1,0,2\rB,A,3,1,4",
         {activity("A", "", {}, 1, 0, 200), activity("B", "", {"A"}, 3, 1, 400)}},
        {"every text quoted, semicolons (LibreOffice)",
         "\"activity\";\"predecessors\";\"normal_duration\";\"crash_duration\";"
         "\"crash_cost_per_unit\"\n\"A\";\"\";5;3;1000.5\n\"B\";\"A\";2;2;0\n",
         {activity("A", "", {}, 5, 3, 100050), activity("B", "", {"A"}, 2, 2, 0)}},
        {"only the header", kHeader, {}},
        {"links with types and lags, the unit on some rows",
         "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit,Unit\n"
         "A,-,1,1,0,\n"
         "Paint walls,A fs-1,1,1,0,HOUR\n"
         "C,\"A, Paint walls SF+3; A SS\",1,1,0,\n"
         "D,\"C FS, A FS+0\",1,1,0, hour \n",
         {activity("A", "", {}, 1, 1, 0),
          linked(activity("Paint walls", "", {"A"}, 1, 1, 0),
                 {{engine::LinkType::FinishToStart, -1}}),
          linked(activity("C", "", {"A", "Paint walls", "A"}, 1, 1, 0),
                 {{}, {engine::LinkType::StartToFinish, 3}, {engine::LinkType::StartToStart, 0}}),
          activity("D", "", {"C", "A"}, 1, 1, 0)},
         engine::TimeUnit::Hour},
        {"the unit in Thai",
         kHeader.substr(0, kHeader.size() - 1)
             + ",unit\nA,,-,1,1,0,\xE0\xB8\x99\xE0\xB8\xB2\xE0\xB8\x97\xE0\xB8\xB5\n",
         {activity("A", "", {}, 1, 1, 0)},
         engine::TimeUnit::Minute},
    };
    for (const Accepted &c : cases) {
        SCOPED_TRACE(c.name);
        const io::ReadResult result = iotest::readText(c.text);
        ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
        EXPECT_TRUE(result.warnings().isEmpty());
        EXPECT_EQ(iotest::difference(result.project(), {"", c.activities, std::nullopt, c.unit}),
                  "");
    }
}

struct Refused {
    const char *name;
    std::string text;
    FileProblemKind kind;
    int line;
    const char *field = "";
    std::optional<engine::ProblemKind> engineKind = std::nullopt;
    const char *activity = ""; // the activity named in the place, for engine problems
};

TEST(CsvReader, PlacesEveryRefusalAtItsLineAndColumn)
{
    const std::string rows = "A,,-,5,3,10\nB,,-,5,3,10\nC,,-,5,3,10\n";
    const Refused cases[] = {
        {"not a number", kHeader + rows + "D,,A,x7,3,10\n", FileProblemKind::NotWholeNumber, 5,
         "normal_duration"},
        {"decimal duration", kHeader + "A,,-,5,2.5,10\n", FileProblemKind::DurationNotWhole, 2,
         "crash_duration"},
        {"negative duration", kHeader + "A,,-,-3,0,10\n", FileProblemKind::NegativeDuration, 2,
         "normal_duration"},
        {"duration too large", kHeader + "A,,-,1000001,0,10\n", FileProblemKind::NumberTooLarge, 2,
         "normal_duration"},
        {"missing cost", kHeader + "A,,-,5,3, \n", FileProblemKind::MissingValue, 2,
         "crash_cost_per_unit"},
        {"thousands separator", kHeader + "A,,-,5,3,\"1,250\"\n", FileProblemKind::AmountGrouped, 2,
         "crash_cost_per_unit"},
        {"decimal comma", kHeader + "A,,-,5,3,\"12,5\"\n", FileProblemKind::AmountGrouped, 2,
         "crash_cost_per_unit"},
        {"three decimals", kHeader + "A,,-,5,3,12.345\n", FileProblemKind::AmountTooPrecise, 2,
         "crash_cost_per_unit"},
        {"exponent", kHeader + "A,,-,5,3,1e3\n", FileProblemKind::AmountExponent, 2,
         "crash_cost_per_unit"},
        {"currency sign",
         kHeader
             + "A,,-,5,3,\xE0\xB8\xBF"
               "100\n",
         FileProblemKind::AmountCurrency, 2, "crash_cost_per_unit"},
        {"currency unit", kHeader + "A,,-,5,3,100 THB\n", FileProblemKind::AmountCurrency, 2,
         "crash_cost_per_unit"},
        {"words", kHeader + "A,,-,5,3,ten\n", FileProblemKind::NotAmount, 2, "crash_cost_per_unit"},
        {"beyond 64 bits", kHeader + "A,,-,5,3,99999999999999999999\n",
         FileProblemKind::AmountTooLarge, 2, "crash_cost_per_unit"},
        {"misspelt column",
         "activity,name,predecessors,normal_duraton,crash_duration,crash_cost_per_unit\n",
         FileProblemKind::UnknownColumn, 1},
        {"repeated column",
         "activity,activity,predecessors,normal_duration,crash_duration,"
         "crash_cost_per_unit\n",
         FileProblemKind::DuplicateColumn, 1},
        {"column without a name",
         "activity,,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n",
         FileProblemKind::UnnamedColumn, 1},
        {"missing column", "activity,normal_duration,crash_duration,crash_cost_per_unit\n",
         FileProblemKind::MissingColumn, 1},
        {"both cost forms",
         std::string("\n").append(kTotalsHeader.substr(0, kTotalsHeader.size() - 1))
             + ",crash_cost_per_unit\n",
         FileProblemKind::BothCostForms, 2},
        {"no costs", "activity,predecessors,normal_duration,crash_duration\n",
         FileProblemKind::NoCostForm, 1},
        {"half the totals", "activity,predecessors,normal_duration,crash_duration,normal_cost\n",
         FileProblemKind::MissingColumn, 1},
        {"quote inside a field", kHeader + "A,Di\"g,-,1,1,0\n", FileProblemKind::StrayQuote, 2},
        {"text after a quote", kHeader + "A,\"Dig\"x,-,1,1,0\n", FileProblemKind::TextAfterQuote,
         2},
        {"quote never closed", kHeader + "A,ok,-,1,1,0\nB,\"never closed,-,1,1,0\nC,,-,1,1,0\n",
         FileProblemKind::UnterminatedQuote, 3},
        {"too few fields", kHeader + "A,,-,1,1\n", FileProblemKind::FieldCount, 2},
        {"too many fields", kHeader + "A,,-,1,1,0,7\n", FileProblemKind::FieldCount, 2},
        {"line after a quoted line break", kHeader + "A,\"two\r\nlines\",-,1,1,0\nB,,-,x,1,0\n",
         FileProblemKind::NotWholeNumber, 4, "normal_duration"},
        {"invalid UTF-8", kHeader + "A,ok,-,1,1,0\nB,caf\xC3(,-,1,1,0\n",
         FileProblemKind::InvalidUtf8, 3},
        {"UTF-16",
         std::string("\xFF\xFE"
                     "a\0c\0",
                     6),
         FileProblemKind::Utf16Text, 1},
        {"empty file", "", FileProblemKind::EmptyFile, 1},
        {"only blank lines", "\r\n  \n", FileProblemKind::EmptyFile, 1},
        {"unknown predecessor", kHeader + "A,,-,1,1,0\nB,,A;X,1,1,0\n", FileProblemKind::Engine, 3,
         "predecessors", engine::ProblemKind::UnknownPredecessor, "B"},
        {"repeated id", kHeader + "A,,-,1,1,0\nB,,-,1,1,0\n A ,,-,1,1,0\n", FileProblemKind::Engine,
         4, "activity", engine::ProblemKind::DuplicateId, "A"},
        {"no id", kHeader + "A,,-,1,1,0\n,named,-,1,1,0\n", FileProblemKind::Engine, 3, "activity",
         engine::ProblemKind::EmptyId},
        {"control character in an id", kHeader + "\"A\x01\",,-,1,1,0\n", FileProblemKind::Engine, 2,
         "activity", engine::ProblemKind::BadIdCharacter, "A\\x01"},
        {"crash longer than normal", kHeader + "A,,-,1,2,0\n", FileProblemKind::Engine, 2,
         "crash_duration", engine::ProblemKind::CrashAboveNormal, "A"},
        {"cost per unit too large", kHeader + "A,,-,1,0,1000000001\n", FileProblemKind::Engine, 2,
         "crash_cost_per_unit", engine::ProblemKind::CostTooLarge, "A"},
        {"crash cost below normal", kTotalsHeader + "A,-,5,3,1000,900\n",
         FileProblemKind::CrashCostBelowNormal, 2, "crash_cost"},
        {"costs differ, nothing to shorten", kTotalsHeader + "A,-,4,4,1000,1100\n",
         FileProblemKind::CostsDifferWithoutShortening, 2, "crash_cost"},
        {"negative total", kTotalsHeader + "A,-,5,3,-10,100\n", FileProblemKind::NegativeAmount, 2,
         "normal_cost"},
        {"lag not whole", kHeader + "A,,-,1,1,0\nB,,\"A FS+1.5\",1,1,0\n",
         FileProblemKind::LinkLagNotWhole, 3, "predecessors"},
        {"lag without its sign", kHeader + "A,,-,1,1,0\nB,,A SS2,1,1,0\n",
         FileProblemKind::LinkLagWithoutSign, 3, "predecessors"},
        {"lag too large", kHeader + "A,,-,1,1,0\nB,,\"A, A FF-1000001\",1,1,0\n",
         FileProblemKind::LinkLagTooLarge, 3, "predecessors"},
        {"unknown unit",
         kTotalsHeader.substr(0, kTotalsHeader.size() - 1) + ",unit\nA,-,1,1,0,0,days\n",
         FileProblemKind::UnknownTimeUnit, 2, "unit"},
        {"two units",
         kHeader.substr(0, kHeader.size() - 1)
             + ",unit\nA,,-,1,1,0,week\nB,,-,1,1,0,\nC,,-,1,1,0,Day\n",
         FileProblemKind::TimeUnitDiffers, 4, "unit"},
        {"slope from totals too large", kTotalsHeader + "A,-,1,0,0,1000000001\n",
         FileProblemKind::Engine, 2, "crash_cost", engine::ProblemKind::CostTooLarge, "A"},
    };
    for (const Refused &c : cases) {
        SCOPED_TRACE(c.name);
        const io::ReadResult result = iotest::readText(c.text);
        ASSERT_FALSE(result.isLoaded());
        const io::Problem *problem = c.engineKind
            ? iotest::findEngineProblem(result.problems(), *c.engineKind)
            : iotest::findProblem(result.problems(), c.kind);
        ASSERT_NE(problem, nullptr) << result.message().toStdString();
        EXPECT_EQ(problem->place.file, u"plan.csv");
        EXPECT_EQ(problem->place.line, c.line);
        EXPECT_EQ(problem->place.field, QString::fromUtf8(c.field));
        EXPECT_EQ(problem->place.activity, QString::fromUtf8(c.activity));
        for (const io::Problem &p : result.problems().kept())
            EXPECT_GT(p.place.line, 0) << testing::PrintToString(p);
    }
}

TEST(CsvReader, MessagesNameTheFileLineColumnAndValue)
{
    const io::ReadResult bad = iotest::readText(kHeader
                                                + "A,,-,5,3,10\nB,,-,5,3,10\nC,,-,5,3,10\n"
                                                  "D,,A,x7,3,10\n");
    EXPECT_EQ(bad.message(), u"plan.csv:5: normal_duration: 'x7' is not a whole number");

    const io::ReadResult typo = iotest::readText(
        "activity,name,predecessors,normal_duraton,crash_duration,crash_cost_per_unit\n");
    const io::Problem *unknown
        = iotest::findProblem(typo.problems(), FileProblemKind::UnknownColumn);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->value, u"normal_duraton");
    for (const char *accepted : {"normal_duration", "crash_cost_per_unit", "normal_cost"})
        EXPECT_TRUE(unknown->names.contains(QString::fromLatin1(accepted))) << accepted;

    // The bad byte is the sixth character of line 3.
    const io::ReadResult utf8 = iotest::readText(kHeader
                                                 + "A,ok,-,1,1,0\nB,caf\xC3(,-,1,1,0\n"
                                                   "C,\xFF,-,1,1,0\n");
    ASSERT_EQ(utf8.problems().count(), 2);
    EXPECT_EQ(utf8.problems().kept()[0].place.column, 6);
    EXPECT_EQ(utf8.problems().kept()[1].place.line, 4);
    EXPECT_EQ(utf8.problems().kept()[1].place.column, 3);
}

// A faulty link names the item as written; a second unit names the first and its line.
TEST(CsvReader, LinkAndUnitProblemsSayWhatWasWritten)
{
    const io::ReadResult result = iotest::readText(
        kHeader.substr(0, kHeader.size() - 1)
        + ",unit\nA,,-,1,1,0, Hour\nB,,\"A, Paint walls FS2 ; C\",1,1,0,week\nC,,-,1,1,0,hour\n");
    ASSERT_EQ(result.problems().count(), 2) << result.message().toStdString();
    const io::Problem &link = result.problems().kept()[0];
    EXPECT_EQ(link.kind, FileProblemKind::LinkLagWithoutSign);
    EXPECT_EQ(link.value, u"Paint walls FS2");
    const io::Problem &unit = result.problems().kept()[1];
    EXPECT_EQ(unit.kind, FileProblemKind::TimeUnitDiffers);
    EXPECT_EQ(unit.value, u"week");
    EXPECT_EQ(unit.names, QStringList {u"Hour"_qs});
    EXPECT_EQ(unit.number, 2);
}

TEST(CsvReader, CycleNamesItsActivitiesInOrderAtTheFirstLine)
{
    // C before A, A before B, B before C.
    const io::ReadResult result
        = iotest::readText(kHeader + "X,,-,1,1,0\nA,,C,1,1,0\nB,,A,1,1,0\nC,,B,1,1,0\n");
    const io::Problem *cycle
        = iotest::findEngineProblem(result.problems(), engine::ProblemKind::Cycle);
    ASSERT_NE(cycle, nullptr);
    EXPECT_EQ(cycle->names, QStringList({u"A"_qs, u"B"_qs, u"C"_qs}));
    EXPECT_EQ(cycle->place.line, 3);
}

TEST(CsvReader, ReportsNothingAboutValuesItCouldNotRead)
{
    // The unread normal duration must not look shorter than the crash duration, and the
    // row that could not be split must not make its id unknown to the rows naming it.
    const char *files[] = {"A,,-,x,3,10\n", "A,,-,1\nB,,A,1,1,0\n"};
    for (const char *rows : files) {
        const io::ReadResult result = iotest::readText(kHeader + rows);
        EXPECT_EQ(result.problems().count(), 1) << result.message().toStdString();
    }
}

TEST(CsvReader, TotalsGiveTheSlopeRoundedToWholeSatang)
{
    // A: (1100 - 1000) / (5 - 2) = 100/3 = 33.33 Baht; B: 0.05 / 2 = 2.5 satang, a half,
    // rounded away from zero to 3; C: 300 / 2 = 150 exactly; D cannot be shortened.
    const io::ReadResult result
        = iotest::readText(kTotalsHeader
                           + "A,-,5,2,1000,1100\nB,A,3,1,0,0.05\nC,A,4,2,1000,1300\n"
                             "D,-,6,6,500,500\n");
    ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
    const std::vector<engine::Activity> &a = result.project().activities;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(a[0].crashCostPerUnit, 3333);
    EXPECT_EQ(a[1].crashCostPerUnit, 3);
    EXPECT_EQ(a[2].crashCostPerUnit, 15000);
    EXPECT_EQ(a[3].crashCostPerUnit, 0);

    ASSERT_EQ(result.warnings().count(), 2);
    const io::Problem &first = result.warnings().kept()[0];
    EXPECT_EQ(first.kind, FileProblemKind::SlopeRounded);
    EXPECT_EQ(first.place.line, 2);
    EXPECT_EQ(first.place.activity, u"A");
    EXPECT_EQ(first.number, 10000); // satang over
    EXPECT_EQ(first.bound, 3); // units
    EXPECT_EQ(first.rounded, 3333);
    EXPECT_TRUE(result.message().contains(u"100/3")) << result.message().toStdString();
    EXPECT_TRUE(result.message().contains(u"33.33"));
    EXPECT_EQ(result.warnings().kept()[1].place.activity, u"B");
}

TEST(CsvReader, ListsEveryProblemButShowsAFew)
{
    std::string text = kHeader;
    for (int i = 0; i < 1000; ++i) {
        text += 'A';
        text += std::to_string(i) + ",,-,?,1,0\n";
    }
    const io::ReadResult result = iotest::readText(text);
    EXPECT_EQ(result.problems().count(), 1000);
    EXPECT_EQ(result.problems().kept().size(), io::ProblemList::kKept);
    const QStringList lines = result.message(20).split(u'\n');
    ASSERT_EQ(lines.size(), 21);
    EXPECT_TRUE(lines[0].startsWith(u"plan.csv:2:"));
    EXPECT_TRUE(lines[19].startsWith(u"plan.csv:21:"));
    EXPECT_EQ(lines[20], u"and 980 more problems");
}

} // namespace
