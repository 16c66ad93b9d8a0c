// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "pathanalysis.h"
#include "sets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A table whose activities A, B, ... have the given normal and crash durations.
ActivityTable durationTable(const std::vector<std::pair<QString, QString>> &durations)
{
    ActivityTable table(static_cast<int>(durations.size()));
    for (int k = 1; k <= table.capacity(); ++k) {
        const auto &[normal, crash] = durations[static_cast<std::size_t>(k - 1)];
        table.working(k) = {QString(QChar(u'A' + k - 1)), QStringLiteral("-"), normal, crash,
                            QStringLiteral("100")};
    }
    return table;
}

std::vector<engine::practice::Path> pathsOf(std::initializer_list<std::string_view> activities)
{
    std::vector<engine::practice::Path> paths;
    for (const std::string_view letters : activities) {
        engine::practice::Path path;
        for (const char letter : letters)
            path.push_back(letter - 'A');
        paths.push_back(path);
    }
    return paths;
}

// A state that no analysis of the test data can produce, to see what an analysis kept.
AnalysisState earlierState()
{
    AnalysisState state;
    state.pathLength = {101, 102, 103, 104};
    state.pathCrashLength = {201, 202, 203, 204};
    state.projectDuration = 301;
    state.criticalPath = 3;
    state.minimumDuration = 302;
    state.marked = {true, true, true, true};
    return state;
}

std::vector<std::int32_t> firstOf(const std::array<std::int32_t, 4> &values, int count)
{
    return {values.begin(), values.begin() + count};
}

// The markers of a finished analysis: the critical path's marker and nothing else.
void expectSingleMarker(const AnalysisState &state, int pathCount)
{
    for (int k = 1; k <= pathCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(pathMarker(state, static_cast<std::size_t>(k - 1)),
                  k == state.criticalPath ? criticalPathMarker() : QString());
    }
}

TEST(PathAnalysis, BuiltInDataOfEverySet)
{
    struct Expected {
        int set;
        std::vector<std::int32_t> lengths;
        std::int32_t project, critical;
        std::vector<std::int32_t> crashLengths;
        std::int32_t minimum;
    };
    const Expected cases[] = {
        {1, {29, 31, 29, 32}, 32, 4, {24, 27, 23, 23}, 27},
        {2, {52, 44, 52, 44}, 52, 1, {46, 38, 46, 38}, 46},
        {3, {27, 29}, 29, 2, {21, 23}, 23},
        {4, {37, 29}, 37, 1, {28, 23}, 28},
        {5, {19, 14, 21}, 21, 3, {14, 11, 17}, 17},
    };
    for (const Expected &expected : cases) {
        SCOPED_TRACE(expected.set);
        const SetDefinition &set = setDefinition(expected.set);
        const int pathCount = static_cast<int>(expected.lengths.size());
        ASSERT_EQ(set.practice.routes.size(), expected.lengths.size());

        AnalysisState state;
        analysePaths(builtInTable(set.practice), set.practice.routes, state);
        EXPECT_EQ(firstOf(state.pathLength, pathCount), expected.lengths);
        EXPECT_EQ(state.projectDuration, expected.project);
        EXPECT_EQ(state.criticalPath, expected.critical);
        EXPECT_EQ(firstOf(state.pathCrashLength, pathCount), expected.crashLengths);
        EXPECT_EQ(state.minimumDuration, expected.minimum);
        expectSingleMarker(state, pathCount);
        for (int k = pathCount; k < 4; ++k) {
            EXPECT_EQ(state.pathLength[static_cast<std::size_t>(k)], 0);
            EXPECT_EQ(state.pathCrashLength[static_cast<std::size_t>(k)], 0);
            EXPECT_FALSE(state.marked[static_cast<std::size_t>(k)]);
        }
    }
}

TEST(PathAnalysis, MinimumDurationCaption)
{
    EXPECT_EQ(minimumDurationCaption(27), QStringLiteral("ควร >= 27"));
    EXPECT_EQ(minimumDurationCaption(-4), QStringLiteral("ควร >= -4"));
}

TEST(PathAnalysis, EqualLengthsGoToTheLowestPath)
{
    ActivityTable set3 = builtInTable(setDefinition(3).practice);
    set3.working(activityNumber('A')).normalDuration = QStringLiteral("12");
    AnalysisState state;
    analysePaths(set3, setDefinition(3).practice.routes, state);
    EXPECT_EQ(state.pathLength[0], 29);
    EXPECT_EQ(state.pathLength[1], 29);
    EXPECT_EQ(state.criticalPath, 1);
    expectSingleMarker(state, 2);

    // A tie between later paths goes to the lower of them, not to the last one.
    const ActivityTable table = durationTable({{"1", "1"}, {"5", "1"}, {"5", "1"}});
    analysePaths(table, pathsOf({"A", "B", "C"}), state);
    EXPECT_EQ(state.criticalPath, 2);
    EXPECT_EQ(state.projectDuration, 5);
    expectSingleMarker(state, 3);
}

TEST(PathAnalysis, MarkerMovesWithTheCriticalPath)
{
    const SetDefinition &set = setDefinition(1);
    ActivityTable table = builtInTable(set.practice);
    AnalysisState state;
    analysePaths(table, set.practice.routes, state);
    ASSERT_EQ(state.criticalPath, 4);

    table.working(activityNumber('D')).normalDuration = QStringLiteral("15"); // A+D+H = 35
    analysePaths(table, set.practice.routes, state);
    EXPECT_EQ(state.criticalPath, 2);
    EXPECT_EQ(state.projectDuration, 35);
    expectSingleMarker(state, 4);
}

TEST(PathAnalysis, ReadsOnlyTheDurationsOfListedActivities)
{
    const SetDefinition &set = setDefinition(1);
    ActivityTable table = builtInTable(set.practice);
    AnalysisState before;
    analysePaths(table, set.practice.routes, before);

    for (int k = 1; k <= 9; ++k) {
        ActivityRow &row = table.working(k);
        row.crashCostPerDay = QStringLiteral("not a cost");
        row.predecessor = QStringLiteral("?");
        row.activity = QStringLiteral("??");
    }
    table.working(10).normalDuration = QStringLiteral("junk"); // row of no activity
    table.pristine(activityNumber('A')).normalDuration = QStringLiteral("junk");

    AnalysisState after;
    analysePaths(table, set.practice.routes, after);
    EXPECT_EQ(after.pathLength, before.pathLength);
    EXPECT_EQ(after.pathCrashLength, before.pathCrashLength);
    EXPECT_EQ(after.minimumDuration, before.minimumDuration);
}

TEST(PathAnalysis, AcceptedTextsAndSigns)
{
    // Negative durations are numbers like any other; a crash duration above the normal
    // one may make the minimum exceed the project duration.
    const ActivityTable table
        = durationTable({{QStringLiteral(" 7"), "9"}, {"-3", "-1"}, {"+4", "20"}});
    AnalysisState state;
    analysePaths(table, pathsOf({"AB", "C"}), state);
    EXPECT_EQ(state.pathLength[0], 4);
    EXPECT_EQ(state.pathLength[1], 4);
    EXPECT_EQ(state.criticalPath, 1);
    EXPECT_EQ(state.pathCrashLength[0], 8);
    EXPECT_EQ(state.pathCrashLength[1], 20);
    EXPECT_EQ(state.minimumDuration, 20);
    EXPECT_GT(state.minimumDuration, state.projectDuration);
}

// A bad cell stops the analysis where it is converted and keeps what came before.
TEST(PathAnalysis, BadCellLeavesThePartialState)
{
    const QString badTexts[] = {QStringLiteral("7 "),    QString(),
                                QStringLiteral("7.5"),   QStringLiteral("เจ็ด"),
                                QStringLiteral("seven"), QStringLiteral("99999999999")};
    struct Place {
        char activity;
        bool crashColumn;
        int failingPath; // the first path that holds the activity
    };
    // Set 1: A lies on paths 1 and 2, D only on path 2, E only on path 3.
    const Place places[] = {{'A', false, 1}, {'D', false, 2}, {'E', false, 3},
                            {'A', true, 1},  {'D', true, 2},  {'E', true, 3}};
    const std::array<std::int32_t, 4> lengths {29, 31, 29, 32};
    const std::array<std::int32_t, 4> crashLengths {24, 27, 23, 23};

    const SetDefinition &set = setDefinition(1);
    for (const QString &bad : badTexts) {
        for (const Place &place : places) {
            SCOPED_TRACE(std::string(1, place.activity)
                         + (place.crashColumn ? " crash " : " normal ") + bad.toStdString());
            ActivityTable table = builtInTable(set.practice);
            ActivityRow &row = table.working(activityNumber(place.activity));
            (place.crashColumn ? row.crashDuration : row.normalDuration) = bad;

            const AnalysisState old = earlierState();
            AnalysisState state = old;
            try {
                analysePaths(table, set.practice.routes, state);
                ADD_FAILURE() << "no conversion error";
            } catch (const platform::ConversionError &error) {
                EXPECT_EQ(error.text(), bad);
            }

            const auto done = static_cast<std::size_t>(place.failingPath - 1);
            for (std::size_t k = 0; k < 4; ++k) {
                SCOPED_TRACE(k + 1);
                if (!place.crashColumn) {
                    EXPECT_EQ(state.pathLength[k], k < done ? lengths[k] : old.pathLength[k]);
                    EXPECT_EQ(state.marked[k], k < done ? false : old.marked[k]);
                } else {
                    EXPECT_EQ(state.pathLength[k], lengths[k]);
                    EXPECT_EQ(state.marked[k], k == 3);
                }
                const bool crashDone = place.crashColumn && k < done;
                EXPECT_EQ(state.pathCrashLength[k],
                          crashDone ? crashLengths[k] : old.pathCrashLength[k]);
            }
            EXPECT_EQ(state.projectDuration, place.crashColumn ? 32 : old.projectDuration);
            EXPECT_EQ(state.criticalPath, place.crashColumn ? 4 : old.criticalPath);
            EXPECT_EQ(state.minimumDuration, old.minimumDuration);
        }
    }
}

TEST(PathAnalysis, SumsOutsideThe32BitRange)
{
    struct Case {
        const char *name;
        std::vector<std::pair<QString, QString>> durations; // A, B, C, D
        bool crashColumn;
    };
    // Path 1 is A, path 2 is B+C+D; D is 0 unless a case needs a third term.
    const Case overflowing[] = {
        {"normal above", {{"1", "1"}, {"2000000000", "1"}, {"2000000000", "1"}, {"0", "0"}}, false},
        {"normal below",
         {{"1", "1"}, {"-2000000000", "1"}, {"-2000000000", "1"}, {"0", "0"}},
         false},
        {"one past the top", {{"1", "1"}, {"2147483647", "1"}, {"1", "1"}, {"0", "0"}}, false},
        {"crash above", {{"5", "1"}, {"1", "2000000000"}, {"1", "2000000000"}, {"0", "0"}}, true},
    };
    const auto paths = pathsOf({"A", "BCD"});
    for (const Case &c : overflowing) {
        SCOPED_TRACE(c.name);
        const AnalysisState old = earlierState();
        AnalysisState state = old;
        try {
            analysePaths(durationTable(c.durations), paths, state);
            ADD_FAILURE() << "no overflow error";
        } catch (const PathSumOverflowError &error) {
            EXPECT_EQ(error.pathNumber(), 2);
            EXPECT_TRUE(error.message().contains(QStringLiteral("สายงานที่ 2")));
            EXPECT_EQ(error.column(),
                      c.crashColumn ? PathSumOverflowError::Column::CrashDuration
                                    : PathSumOverflowError::Column::NormalDuration);
        }
        EXPECT_EQ(state.pathLength[0], c.crashColumn ? 5 : 1);
        EXPECT_EQ(state.pathLength[1], c.crashColumn ? 2 : old.pathLength[1]);
        EXPECT_EQ(state.marked[0], c.crashColumn);
        EXPECT_EQ(state.marked[1], c.crashColumn ? false : old.marked[1]);
        EXPECT_EQ(state.pathCrashLength[0], c.crashColumn ? 1 : old.pathCrashLength[0]);
        EXPECT_EQ(state.pathCrashLength[1], old.pathCrashLength[1]);
        EXPECT_EQ(state.minimumDuration, old.minimumDuration);
    }

    // Only the whole sum counts: a detour outside the range that ends inside it is fine,
    // and so are the extremes themselves.
    AnalysisState state;
    analysePaths(durationTable({{"2147483647", "-2147483648"},
                                {"2000000000", "-2000000000"},
                                {"2000000000", "-2000000000"},
                                {"-2000000000", "2000000000"}}),
                 paths, state);
    EXPECT_EQ(state.pathLength[0], 2147483647);
    EXPECT_EQ(state.pathLength[1], 2000000000);
    EXPECT_EQ(state.pathCrashLength[0], -2147483647 - 1);
    EXPECT_EQ(state.pathCrashLength[1], -2000000000);
    EXPECT_EQ(state.criticalPath, 1);
}

} // namespace
