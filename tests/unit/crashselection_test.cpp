#include "crashselection.h"
#include "pathanalysis.h"
#include "sets.h"
#include "wholenumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

ActivityTable builtInTable(const SetDefinition &set)
{
    ActivityTable table(set.capacity);
    for (int k = 1; k <= static_cast<int>(set.rows.size()); ++k) {
        const BuiltInRow &source = set.rows[static_cast<std::size_t>(k - 1)];
        table.working(k) = {QString::fromUtf8(source.activity), QString::fromUtf8(source.predecessor),
                            QString::fromUtf8(source.normalDuration),
                            QString::fromUtf8(source.crashDuration),
                            QString::fromUtf8(source.crashCostPerDay)};
    }
    return table;
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
        table.working(k) = {QString(QChar(u'A' + k - 1)), QStringLiteral("-"),
                            QString::fromUtf8(c.normal), QString::fromUtf8(c.crash),
                            QString::fromUtf8(c.cost)};
    }
    return table;
}

struct Iteration {
    std::int32_t criticalPath;
    char chosen;
    std::int32_t cost, cutDays;
    std::int64_t iterationCost;
    std::vector<std::int32_t> lengthsAfter;
    std::int32_t remainingAfter;
    double totalAfter;

    bool operator==(const Iteration &) const = default;
};

void PrintTo(const Iteration &i, std::ostream *out)
{
    *out << "{path " << i.criticalPath << ", " << i.chosen << ", cost " << i.cost << ", cut "
         << i.cutDays << ", " << i.iterationCost << " Baht, lengths";
    for (const std::int32_t length : i.lengthsAfter)
        *out << ' ' << length;
    *out << ", remaining " << i.remainingAfter << ", total " << i.totalAfter << '}';
}

// The crashing loop as the exercise window runs it, on the table alone: pick, cut, write
// the new duration back, analyse again, charge. Stops early if nothing can be picked.
std::vector<Iteration> crash(ActivityTable &table, const SetDefinition &set, std::int32_t target)
{
    AnalysisState state;
    analysePaths(table, set.paths, state);
    std::int32_t remaining = state.projectDuration - target;
    double total = 0;
    std::vector<Iteration> iterations;
    while (remaining > 0) {
        const std::int32_t critical = state.criticalPath;
        const CrashSelection selection =
                selectActivity(table, set.paths[static_cast<std::size_t>(critical - 1)].activities);
        if (!selection.isMade())
            break;
        const std::int32_t cut = limitCut(selection.cutDays, remaining);
        ActivityRow &row = table.working(activityNumber(selection.activity));
        row.normalDuration = QString::number(toWholeNumber(row.normalDuration) - cut);
        analysePaths(table, set.paths, state);
        remaining = state.projectDuration - target;
        const std::int64_t cost = iterationCost(selection.cost, cut);
        total += static_cast<double>(cost);
        iterations.push_back({critical, selection.activity, selection.cost, cut, cost,
                              {state.pathLength.begin(),
                               state.pathLength.begin() + static_cast<std::ptrdiff_t>(set.paths.size())},
                              remaining, total});
    }
    return iterations;
}

TEST(Crashing, SetOneDownToTwentyEight)
{
    ActivityTable table = builtInTable(setDefinition(1));
    const std::vector<Iteration> expected = {
        {4, 'B', 75, 2, 150, {29, 31, 27, 30}, 3, 150},
        {2, 'H', 100, 1, 100, {29, 30, 26, 30}, 2, 250},
        {2, 'D', 125, 2, 250, {29, 28, 26, 30}, 2, 500},
        {4, 'F', 100, 2, 200, {29, 28, 26, 28}, 1, 700},
        {1, 'A', 150, 1, 150, {28, 27, 26, 28}, 0, 850},
    };
    EXPECT_EQ(crash(table, setDefinition(1), 28), expected);
    // Cuts never go below the crash durations.
    for (int k = 1; k <= 9; ++k)
        EXPECT_GE(toWholeNumber(table.working(k).normalDuration),
                  toWholeNumber(table.working(k).crashDuration));
}

TEST(Crashing, SetOneDownToItsMinimum)
{
    ActivityTable table = builtInTable(setDefinition(1));
    const std::vector<Iteration> expected = {
        {4, 'B', 75, 2, 150, {29, 31, 27, 30}, 4, 150},
        {2, 'H', 100, 1, 100, {29, 30, 26, 30}, 3, 250},
        {2, 'D', 125, 2, 250, {29, 28, 26, 30}, 3, 500},
        {4, 'F', 100, 3, 300, {29, 28, 26, 27}, 2, 800},
        {1, 'A', 150, 1, 150, {28, 27, 26, 27}, 1, 950},
        {1, 'C', 200, 1, 200, {27, 27, 26, 27}, 0, 1150},
    };
    EXPECT_EQ(crash(table, setDefinition(1), 27), expected);
}

TEST(Crashing, EqualCostKeepsTheEarlierCandidate)
{
    // Set 2, path 1 A+B+D+E+H: A (2200) is replaced by B (2000), then D (1800); E costs
    // 1800 too and does not replace D.
    const SetDefinition &set = setDefinition(2);
    const ActivityTable table = builtInTable(set);
    AnalysisState state;
    analysePaths(table, set.paths, state);
    ASSERT_EQ(state.criticalPath, 1);
    const CrashSelection selection =
            selectActivity(table, set.paths[static_cast<std::size_t>(state.criticalPath - 1)].activities);
    EXPECT_EQ(selection.activity, 'D');
    EXPECT_EQ(selection.cost, 1800);
    EXPECT_EQ(selection.cutDays, 1);
}

TEST(Crashing, SelectionRule)
{
    constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char *name;
        std::vector<Cells> cells; // candidates A, B, C in this order
        CrashSelection expected;
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
        const CrashSelection selection = selectActivity(cellTable(c.cells), "ABC");
        EXPECT_EQ(selection.activity, c.expected.activity);
        EXPECT_EQ(selection.cost, c.expected.cost);
        EXPECT_EQ(selection.cutDays, c.expected.cutDays);
        EXPECT_EQ(selection.isMade(), c.expected.activity != ' ');
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
            EXPECT_NO_THROW(selectActivity(table, "AB"));
            continue;
        }
        try {
            selectActivity(table, "AB");
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
    for (const Cut &c : {Cut{3, 2, 2}, Cut{2, 2, 2}, Cut{1, 5, 1},
                         Cut{std::numeric_limits<std::int32_t>::max(), 4, 4}})
        EXPECT_EQ(limitCut(c.days, c.remaining), c.expected) << c.days << " " << c.remaining;

    EXPECT_EQ(iterationCost(75, 2), 150);
    EXPECT_EQ(iterationCost(999999, 0), 0);
    // Beyond 32 bits: the product of two large edited values stays exact.
    EXPECT_EQ(iterationCost(2000000000, 3), std::int64_t{6000000000});
    EXPECT_EQ(iterationCost(-2000000000, 2000000000), std::int64_t{-4000000000000000000});
}

} // namespace
