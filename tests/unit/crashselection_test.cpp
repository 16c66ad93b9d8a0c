// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashlog.h"
#include "pathanalysis.h"
#include "practicerule.h"
#include "sets.h"
#include "tablecells.h"
#include "tablecrashing.h"
#include "wholenumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

namespace {

using engine::practice::Selection;
using platform::ConversionError;
using platform::toWholeNumber;

// The selection's activity letter, or a blank when none was chosen.
char letterOf(const Selection &selection)
{
    return selection.isMade() ? static_cast<char>('A' + selection.activity) : ' ';
}

Selection selectOn(const ActivityTable &table, std::string_view letters)
{
    engine::practice::Path candidates;
    for (const char letter : letters)
        candidates.push_back(letter - 'A');
    return engine::practice::selectOnPath(candidates, TableCells(table));
}

// Activities A, B, ... with normal duration, crash duration and cost per day.
struct Cells {
    const char *normal, *crash, *cost;
};

ActivityTable cellTable(const std::vector<Cells> &cells)
{
    ActivityTable table(static_cast<int>(cells.size()));
    for (int k = 1; k <= table.capacity(); ++k) {
        const Cells &c = cells[static_cast<std::size_t>(k - 1)];
        table.working(k)
            = {QString(QChar(u'A' + k - 1)), QStringLiteral("-"), QString::fromUtf8(c.normal),
               QString::fromUtf8(c.crash), QString::fromUtf8(c.cost)};
    }
    return table;
}

struct IterationRecord {
    std::int32_t criticalPath;
    char chosen;
    std::int32_t cost, cutDays;
    std::int64_t iterationCost;
    std::vector<std::int32_t> lengthsAfter;
    std::int32_t remainingAfter;
    std::int64_t totalAfter;

    bool operator==(const IterationRecord &) const = default;
};

void PrintTo(const IterationRecord &i, std::ostream *out)
{
    *out << "{path " << i.criticalPath << ", " << i.chosen << ", cost " << i.cost << ", cut "
         << i.cutDays << ", " << i.iterationCost << " Baht, lengths";
    for (const std::int32_t length : i.lengthsAfter)
        *out << ' ' << length;
    *out << ", remaining " << i.remainingAfter << ", total " << i.totalAfter << '}';
}

// Records what every iteration of the practice rule's loop chose, on the table alone.
class Recorder : public TableIteration {
public:
    Recorder(ActivityTable &table, const PracticeSet &set, AnalysisState &analysis)
        : TableIteration(table, set.routes, analysis), m_set(set), m_analysis(analysis)
    {
    }
    void begin(const engine::practice::RunState &) override
    {
        m_critical = m_analysis.criticalPath;
    }
    void end(const engine::practice::RunState &run, const Selection &selection,
             std::int64_t cost) override
    {
        iterations.push_back(
            {m_critical,
             letterOf(selection),
             selection.cost,
             selection.cutDays,
             cost,
             {m_analysis.pathLength.begin(),
              m_analysis.pathLength.begin() + static_cast<std::ptrdiff_t>(m_set.paths.size())},
             run.remainingReduction,
             run.totalCrashCost.toInt64().value()});
    }
    std::vector<IterationRecord> iterations;

private:
    const PracticeSet &m_set;
    AnalysisState &m_analysis;
    std::int32_t m_critical = 0;
};

std::vector<IterationRecord> crash(ActivityTable &table, const PracticeSet &set,
                                   std::int32_t target)
{
    AnalysisState analysis;
    engine::practice::RunState run;
    Recorder recorder(table, set, analysis);
    EXPECT_TRUE(crashTable(table, set.routes, target, analysis, run, recorder).has_value());
    return recorder.iterations;
}

TEST(Crashing, SetOneDownToTwentyEight)
{
    ActivityTable table = builtInTable(practiceSet(1));
    const std::vector<IterationRecord> expected = {
        {4, 'B', 75, 2, 150, {29, 31, 27, 30}, 3, 150},
        {2, 'H', 100, 1, 100, {29, 30, 26, 30}, 2, 250},
        {2, 'D', 125, 2, 250, {29, 28, 26, 30}, 2, 500},
        {4, 'F', 100, 2, 200, {29, 28, 26, 28}, 1, 700},
        {1, 'A', 150, 1, 150, {28, 27, 26, 28}, 0, 850},
    };
    EXPECT_EQ(crash(table, practiceSet(1), 28), expected);
    // Cuts never go below the crash durations.
    for (int k = 1; k <= 9; ++k)
        EXPECT_GE(toWholeNumber(table.working(k).normalDuration),
                  toWholeNumber(table.working(k).crashDuration));
}

TEST(Crashing, SetOneDownToItsMinimum)
{
    ActivityTable table = builtInTable(practiceSet(1));
    const std::vector<IterationRecord> expected = {
        {4, 'B', 75, 2, 150, {29, 31, 27, 30}, 4, 150},
        {2, 'H', 100, 1, 100, {29, 30, 26, 30}, 3, 250},
        {2, 'D', 125, 2, 250, {29, 28, 26, 30}, 3, 500},
        {4, 'F', 100, 3, 300, {29, 28, 26, 27}, 2, 800},
        {1, 'A', 150, 1, 150, {28, 27, 26, 27}, 1, 950},
        {1, 'C', 200, 1, 200, {27, 27, 26, 27}, 0, 1150},
    };
    EXPECT_EQ(crash(table, practiceSet(1), 27), expected);
}

TEST(Crashing, EqualCostKeepsTheEarlierCandidate)
{
    // Set 2, path 1 A+B+D+E+H: A (2200) is replaced by B (2000), then D (1800); E costs
    // 1800 too and does not replace D.
    const PracticeSet &set = practiceSet(2);
    const ActivityTable table = builtInTable(set);
    AnalysisState state;
    analysePaths(table, set.routes, state);
    ASSERT_EQ(state.criticalPath, 1);
    const Selection selection = engine::practice::selectOnPath(
        set.routes[static_cast<std::size_t>(state.criticalPath - 1)], TableCells(table));
    EXPECT_EQ(letterOf(selection), 'D');
    EXPECT_EQ(selection.cost, 1800);
    EXPECT_EQ(selection.cutDays, 1);
}

TEST(Crashing, SelectionRule)
{
    constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char *name;
        std::vector<Cells> cells; // candidates A, B, C in this order
        struct {
            char activity = ' '; // blank: none chosen
            std::int32_t cost = 999999, cutDays = 0;
        } expected;
    };
    const Case cases[] = {
        {"first taken at any cost",
         {{"5", "3", "5000000"}, {"5", "3", "5000000"}, {"5", "5", "1"}},
         {'A', 5000000, 2}},
        {"cheaper later candidate replaces",
         {{"5", "3", "300"}, {"4", "1", "200"}, {"9", "8", "100"}},
         {'C', 100, 1}},
        {"equal cost keeps the earlier",
         {{"5", "3", "300"}, {"4", "1", "200"}, {"9", "8", "200"}},
         {'B', 200, 3}},
        {"cheaper without days does not replace",
         {{"5", "3", "300"}, {"4", "4", "200"}, {"9", "10", "100"}},
         {'A', 300, 2}},
        {"first without days, the rest compete",
         {{"5", "5", "1"}, {"4", "1", "300"}, {"9", "8", "200"}},
         {'C', 200, 1}},
        {"first with a negative difference",
         {{"5", "7", "1"}, {"4", "1", "300"}, {"9", "9", "1"}},
         {'B', 300, 3}},
        {"999999 never beats the start",
         {{"5", "5", "1"}, {"4", "1", "999999"}, {"9", "8", "1000000"}},
         {}},
        {"first candidate at 999999 with days is taken",
         {{"5", "4", "999999"}, {"4", "1", "999999"}, {"9", "9", "1"}},
         {'A', 999999, 1}},
        {"nothing left anywhere", {{"5", "5", "1"}, {"4", "4", "1"}, {"9", "9", "1"}}, {}},
        {"difference beyond 32 bits held at the largest value",
         {{"2000000000", "-2000000000", "7"}, {"1", "1", "1"}, {"1", "1", "1"}},
         {'A', 7, int32Max}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Selection selection = selectOn(cellTable(c.cells), "ABC");
        EXPECT_EQ(letterOf(selection), c.expected.activity);
        EXPECT_EQ(selection.cost, c.expected.cost);
        EXPECT_EQ(selection.cutDays, c.expected.cutDays);
    }
}

// Cells are converted only when the rule looks at them.
TEST(Crashing, BadCellsMeetOnlyWhenExamined)
{
    struct Case {
        const char *name;
        std::vector<Cells> cells;
        const char *badText; // nullptr: nothing converted is bad
    };
    const Case cases[] = {
        {"first without days: its cost is not read", {{"5", "5", "x"}, {"4", "1", "9"}}, nullptr},
        {"first with days: its cost is read", {{"5", "4", "x"}, {"4", "1", "9"}}, "x"},
        {"first candidate's duration", {{"5.0", "4", "1"}, {"4", "1", "9"}}, "5.0"},
        {"later cost is read before its durations", {{"5", "4", "9"}, {"4", "4", "1 "}}, "1 "},
        {"later not cheaper: durations not read", {{"5", "4", "9"}, {"x", "y", "9"}}, nullptr},
        {"later cheaper: durations read", {{"5", "4", "9"}, {"4", "y", "8"}}, "y"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ActivityTable table = cellTable(c.cells);
        if (!c.badText) {
            EXPECT_NO_THROW(selectOn(table, "AB"));
            continue;
        }
        try {
            selectOn(table, "AB");
            ADD_FAILURE() << "no conversion error";
        } catch (const ConversionError &error) {
            EXPECT_EQ(error.text(), QString::fromUtf8(c.badText));
        }
    }
}

TEST(Crashing, CutAndCost)
{
    struct Cut {
        std::int32_t days, remaining, expected;
    };
    for (const Cut &c : {Cut {3, 2, 2}, Cut {2, 2, 2}, Cut {1, 5, 1},
                         Cut {std::numeric_limits<std::int32_t>::max(), 4, 4}})
        EXPECT_EQ(engine::practice::limitCut(c.days, c.remaining), c.expected)
            << c.days << " " << c.remaining;

    EXPECT_EQ(engine::practice::iterationCost(75, 2), 150);
    EXPECT_EQ(engine::practice::iterationCost(999999, 0), 0);
    // Beyond 32 bits: the product of two large edited values stays exact.
    EXPECT_EQ(engine::practice::iterationCost(2000000000, 3), std::int64_t {6000000000});
    EXPECT_EQ(engine::practice::iterationCost(-2000000000, 2000000000),
              std::int64_t {-4000000000000000000});
}

// Carries and borrows between the two words of the total: the sums are those of plain
// integer arithmetic.
TEST(Crashing, CostTotalIsExactBeyondTheInt64Range)
{
    constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
    using Magnitude = engine::practice::CostTotal::Magnitude;
    struct Case {
        const char *name;
        std::vector<std::int64_t> amounts;
        std::optional<std::int64_t> value; // nothing: beyond the 64-bit range
        bool negative;
        Magnitude magnitude;
    };
    const Case cases[] = {
        {"nothing added", {}, 0, false, {0, 0}},
        {"below zero", {5, -7}, -2, true, {0, 2}},
        {"back to zero", {-1, 1}, 0, false, {0, 0}},
        {"one past the largest", {int64Max, 1}, std::nullopt, false, {0, std::uint64_t {1} << 63}},
        {"one past the largest and back",
         {int64Max, 1, -1},
         int64Max,
         false,
         {0, static_cast<std::uint64_t>(int64Max)}},
        {"one below the smallest",
         {int64Min, -1},
         std::nullopt,
         true,
         {0, (std::uint64_t {1} << 63) + 1}},
        {"one below the smallest and back",
         {int64Min, -1, 1},
         int64Min,
         true,
         {0, std::uint64_t {1} << 63}},
        {"2^64", {int64Max, int64Max, 2}, std::nullopt, false, {1, 0}},
        {"-2^64", {int64Min, int64Min}, std::nullopt, true, {1, 0}},
        {"-2^64 - 1", {int64Min, int64Min, -1}, std::nullopt, true, {1, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        engine::practice::CostTotal total;
        for (const std::int64_t amount : c.amounts)
            total.add(amount);
        EXPECT_EQ(total.toInt64(), c.value);
        EXPECT_EQ(total.isNegative(), c.negative);
        EXPECT_EQ(total.magnitude().high, c.magnitude.high);
        EXPECT_EQ(total.magnitude().low, c.magnitude.low);
    }
}

// Two one-activity paths that can each be cut by nearly 2^32 days at the largest cost per
// day: six iterations, four of them at (2^31 - 1)^2 Baht, take the total past 2^64 - 2^33.
TEST(Crashing, RunWhoseTotalLeavesThe64BitRange)
{
    ActivityTable table = cellTable(
        {{"2147483647", "-2147483648", "2147483647"}, {"2147483647", "-2147483648", "2147483647"}});
    const std::vector<engine::practice::Path> routes = {{0}, {1}};
    AnalysisState analysis;
    engine::practice::RunState run;
    TableIteration iteration(table, routes, analysis);
    ASSERT_EQ(crashTable(table, routes, std::numeric_limits<std::int32_t>::min(), analysis, run,
                         iteration),
              engine::practice::RunEnd::Reached);
    EXPECT_EQ(run.checkRound, 7);
    EXPECT_EQ(table.working(1).normalDuration, QStringLiteral("-2147483648"));
    EXPECT_EQ(table.working(2).normalDuration, QStringLiteral("-2147483648"));
    constexpr std::uint64_t most = std::uint64_t {2147483647} * 2147483647;
    EXPECT_FALSE(run.totalCrashCost.toInt64().has_value());
    EXPECT_EQ(run.totalCrashCost.magnitude().high, 0u);
    EXPECT_EQ(run.totalCrashCost.magnitude().low, 4 * most + 2 * std::uint64_t {2147483647});
    EXPECT_EQ(formatTotalCost(run.totalCrashCost, QLocale::c()),
              QStringLiteral("18,446,744,060,824,600,000.00"));
}

} // namespace
