// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The checking of a student's own work: practice set 1 worked by hand (a mistake carried
// forward, paths of every kind, each problem of a crashing step), and on random projects the
// engine's own answers at full marks, every cheapest cut accepted and every dearer one refused
// (against all subsets by brute force), a wrong cell followed by the method leaving every
// later cell right from the student's own values, and random answers checked without harm.

#include "enginetestsupport.h"
#include "randomproject.h"

#include "answercheck.h"
#include "greedy.h"
#include "practiceset.h"
#include "schedule.h"

#include <gtest/gtest.h>

#include <limits>
#include <unordered_map>

using engine::Answers;
using engine::Duration;
using engine::PathProblem;
using engine::Satang;
using engine::ScheduleField;
using engine::StepAnswer;
using engine::StepProblem;
using engine::Verdict;

namespace {

// Practice set 1: A..I are activities 0..8.
enum { A, B, C, D, E, F, G, H, I };

const engine::Project &setOne()
{
    static const engine::Project project = practiceProject(practiceSet(1));
    return project;
}

const engine::CellCheck &cellOf(const engine::ScheduleCheck &check, int activity,
                                ScheduleField field)
{
    return check.cells[static_cast<std::size_t>(activity) * 5 + static_cast<std::size_t>(field)];
}

std::optional<Duration> &answerOf(Answers &answers, int activity, ScheduleField field)
{
    engine::ScheduleAnswer &a = answers.schedule[static_cast<std::size_t>(activity)];
    switch (field) {
    case ScheduleField::EarliestStart:
        return a.earliestStart;
    case ScheduleField::EarliestFinish:
        return a.earliestFinish;
    case ScheduleField::LatestStart:
        return a.latestStart;
    case ScheduleField::LatestFinish:
        return a.latestFinish;
    case ScheduleField::TotalFloat:
        break;
    }
    return a.totalFloat;
}

StepAnswer stepOf(std::vector<std::pair<int, Duration>> shorten,
                  std::optional<Satang> cost = std::nullopt,
                  std::optional<Duration> duration = std::nullopt)
{
    return {std::move(shorten), cost, duration};
}

engine::Project smallRandomProject(testsupport::Random &random, int most)
{
    testsupport::ProjectShape shape;
    shape.activities = 1 + static_cast<int>(testsupport::below(random, most));
    shape.predecessors = static_cast<int>(testsupport::below(random, 3)) + 1;
    shape.window
        = testsupport::chance(random, 50) ? 0 : 1 + static_cast<int>(testsupport::below(random, 3));
    shape.maxDuration = 9;
    shape.maxCost = testsupport::chance(random, 30) ? 3 : 10'000;
    shape.specialPercent = static_cast<int>(testsupport::below(random, 25));
    return testsupport::randomProject(random, shape);
}

// Durations between crash and normal, drawn at random.
std::vector<Duration> randomState(testsupport::Random &random, const engine::Project &project)
{
    std::vector<Duration> durations;
    for (const engine::Activity &a : project.activities)
        durations.push_back(testsupport::chance(random, 50)
                                ? a.normalDuration
                                : testsupport::between(random, a.crashDuration, a.normalDuration));
    return durations;
}

// Index of every id, and the successors, read from the project's own lists.
struct Links {
    explicit Links(const engine::Project &project)
    {
        const std::size_t n = project.activities.size();
        std::unordered_map<std::string, int> index;
        for (std::size_t i = 0; i < n; ++i)
            index[project.activities[i].id] = static_cast<int>(i);
        predecessors.resize(n);
        successors.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            for (const std::string &p : project.activities[i].predecessors) {
                const int from = index.at(p);
                if (std::find(predecessors[i].begin(), predecessors[i].end(), from)
                    == predecessors[i].end()) {
                    predecessors[i].push_back(from);
                    successors[static_cast<std::size_t>(from)].push_back(static_cast<int>(i));
                }
            }
        }
    }
    std::vector<std::vector<int>> predecessors, successors;
};

// Whether `path` is a chain of links from an activity without predecessors to one without
// successors whose durations add up to `length`.
bool isFullChainOf(const Links &links, const std::vector<int> &path,
                   std::span<const Duration> durations, Duration length)
{
    if (path.empty() || !links.predecessors[static_cast<std::size_t>(path.front())].empty()
        || !links.successors[static_cast<std::size_t>(path.back())].empty())
        return false;
    Duration sum = 0;
    for (std::size_t k = 0; k < path.size(); ++k) {
        sum += durations[static_cast<std::size_t>(path[k])];
        if (k + 1 < path.size()) {
            const auto &next = links.successors[static_cast<std::size_t>(path[k])];
            if (std::find(next.begin(), next.end(), path[k + 1]) == next.end())
                return false;
        }
    }
    return sum == length;
}

} // namespace

// Set 1 at normal durations: ES of C typed as 8 instead of 7, and the student goes on from it.
TEST(AnswerCheck, ScheduleCarriesAMistakeForward)
{
    const engine::Network network(setOne());
    Answers answers = engine::modelAnswers(network, std::nullopt);
    answerOf(answers, C, ScheduleField::EarliestStart) = 8;
    answerOf(answers, C, ScheduleField::EarliestFinish) = 8 + 9;
    answerOf(answers, G, ScheduleField::EarliestStart) = 17;
    answerOf(answers, G, ScheduleField::EarliestFinish) = 17 + 13;

    const engine::ScheduleCheck check = engine::checkSchedule(network, answers);
    const struct {
        int activity;
        ScheduleField field;
        Verdict verdict;
        Duration expected;
        std::optional<Duration> fromOwn;
        std::vector<int> sources;
    } cases[] = {
        {C, ScheduleField::EarliestStart, Verdict::Wrong, 7, 7, {A}},
        {C, ScheduleField::EarliestFinish, Verdict::RightFromOwn, 16, 17, {C}},
        {G, ScheduleField::EarliestStart, Verdict::RightFromOwn, 16, 17, {C}},
        {G, ScheduleField::EarliestFinish, Verdict::RightFromOwn, 29, 30, {G}},
        {H, ScheduleField::EarliestStart, Verdict::Right, 18, 18, {D, E}},
        {A, ScheduleField::EarliestStart, Verdict::Right, 0, 0, {}},
        // G has no successor: its LF is the project duration, 32, which G's EF of 30 leaves.
        {G, ScheduleField::LatestFinish, Verdict::Right, 32, 32, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.activity << " " << static_cast<int>(c.field));
        const engine::CellCheck &cell = cellOf(check, c.activity, c.field);
        EXPECT_EQ(cell.verdict, c.verdict);
        EXPECT_EQ(cell.expected, c.expected);
        EXPECT_EQ(cell.fromOwn, c.fromOwn);
        EXPECT_EQ(cell.sources, c.sources);
    }
    // The project duration takes G's 30 among the last activities' EF: still 32 from I.
    EXPECT_EQ(check.projectDuration.verdict, Verdict::Right);
    EXPECT_EQ(check.projectDuration.sources, (std::vector<int> {G, H, I}));
    EXPECT_EQ(check.total, 9 * 5 + 1);
    EXPECT_EQ(check.right, check.total - 1);

    // Unanswered cells are neither right nor given.
    answers.schedule.clear();
    answers.projectDuration.reset();
    const engine::ScheduleCheck blank = engine::checkSchedule(network, answers);
    EXPECT_EQ(blank.right, 0);
    EXPECT_EQ(blank.projectDuration.verdict, Verdict::Unanswered);
    EXPECT_EQ(cellOf(blank, A, ScheduleField::EarliestStart).verdict, Verdict::Unanswered);
}

// Paths of every kind on set 1 (one critical path, B-F-I, 32 days) and on a network where a
// path of critical activities is not critical: A (1) and B (3) before C (1), A before D (3).
TEST(AnswerCheck, CriticalPathsOfEveryKind)
{
    const engine::Network network(setOne());
    const struct {
        std::vector<int> path;
        PathProblem problem;
        int at;
        Duration floatOf;
    } cases[] = {
        {{B, F, I}, PathProblem::None, -1, 0},
        {{}, PathProblem::Empty, -1, 0},
        {{B, 42, I}, PathProblem::UnknownActivity, 1, 0},
        {{B, I}, PathProblem::NotLinked, 0, 0},
        {{C, G}, PathProblem::NotFromStart, 0, 0},
        {{A, C}, PathProblem::NotToFinish, 1, 0},
        {{A, D, H}, PathProblem::HasFloat, 0, 1},
        {{B, F, I}, PathProblem::Repeated, -1, 0},
    };
    Answers answers;
    answers.criticalPaths.emplace();
    for (const auto &c : cases)
        answers.criticalPaths->push_back(c.path);
    answers.criticalActivities = {B, F, I, E};
    const engine::CriticalCheck check = engine::checkCriticalPaths(network, answers);
    ASSERT_EQ(check.paths.size(), std::size(cases));
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(check.paths[k].problem, cases[k].problem);
        EXPECT_EQ(check.paths[k].verdict,
                  cases[k].problem == PathProblem::None ? Verdict::Right : Verdict::Wrong);
        EXPECT_EQ(check.paths[k].at, cases[k].at);
        EXPECT_EQ(check.paths[k].floatOf, cases[k].floatOf);
    }
    EXPECT_EQ(check.paths[0].length, 32);
    EXPECT_EQ(check.paths[6].length, 31);
    EXPECT_EQ(check.ticks, Verdict::Wrong);
    EXPECT_TRUE(check.missedActivities.empty());
    // E: ES 8, LS 11 (H must start at 19).
    EXPECT_EQ(check.wronglyTicked, (std::vector<std::pair<int, Duration>> {{E, 3}}));
    EXPECT_TRUE(check.missedPaths.empty());
    // Eight activities ticked right and one path; nine activities, one critical path and
    // seven wrong paths given.
    EXPECT_EQ(check.right, 8 + 1);
    EXPECT_EQ(check.total, 9 + 1 + 7);

    Answers none;
    const engine::CriticalCheck missed = engine::checkCriticalPaths(network, none);
    EXPECT_EQ(missed.ticks, Verdict::Unanswered);
    EXPECT_EQ(missed.missedPaths, (std::vector<std::vector<int>> {{B, F, I}}));

    const engine::Network crossing(enginetest::projectOf({
        {"A", "", 1, 1, 0},
        {"B", "", 3, 3, 0},
        {"C", "A,B", 1, 1, 0},
        {"D", "A", 3, 3, 0},
    }));
    Answers crossed;
    crossed.criticalPaths = {{0, 2}, {1, 2}, {0, 3}};
    const engine::CriticalCheck shorter = engine::checkCriticalPaths(crossing, crossed);
    EXPECT_EQ(shorter.paths[0].problem, PathProblem::NotLongest);
    EXPECT_EQ(shorter.paths[0].at, 0);
    EXPECT_EQ(shorter.paths[0].length, 2);
    EXPECT_EQ(shorter.paths[1].problem, PathProblem::None);
    EXPECT_EQ(shorter.paths[2].problem, PathProblem::None);
}

// Set 1 crashed towards 28 days. Step 1 from the normal durations: only B-F-I (32) is critical
// and B is its cheapest activity (75 Baht a day); after one day A-D-H (31) is critical too.
// Step 2 then needs an activity of each: B (75) and H (100) are the cheapest at 175 a day.
TEST(AnswerCheck, StepsOnSetOneByHand)
{
    const engine::Network network(setOne());
    const std::vector<Duration> normal = enginetest::normalDurations(setOne());
    std::vector<Duration> afterB = normal;
    afterB[B] -= 1;
    const struct {
        const char *what;
        bool second; // from the state after step 1, B shortened by one day
        Duration target;
        StepAnswer step;
        StepProblem problem;
        int activity;
        bool applicable;
        std::vector<int> path;
    } cases[] = {
        {"right", false, 28, stepOf({{B, 1}}, 7500, 31), StepProblem::None, -1, true, {}},
        {"right, nothing reckoned", false, 28, stepOf({{B, 1}}), StepProblem::None, -1, true, {}},
        {"target met", false, 32, stepOf({{B, 1}}), StepProblem::AfterTarget, -1, false, {}},
        {"nothing", false, 28, stepOf({}), StepProblem::NothingShortened, -1, false, {}},
        {"unknown",
         false,
         28,
         stepOf({{B, 1}, {42, 1}}),
         StepProblem::UnknownActivity,
         42,
         false,
         {}},
        {"twice", false, 28, stepOf({{B, 1}, {B, 1}}), StepProblem::Repeated, B, false, {}},
        {"zero", false, 28, stepOf({{B, 0}}), StepProblem::NotPositive, B, false, {}},
        {"below crash", false, 28, stepOf({{B, 3}}), StepProblem::BelowCrash, B, false, {}},
        {"unequal", true, 28, stepOf({{D, 2}, {F, 1}}), StepProblem::UnequalUnits, F, true, {}},
        {"B alone at step 2",
         true,
         28,
         stepOf({{B, 1}}),
         StepProblem::PathNotShortened,
         -1,
         false,
         {A, D, H}},
        {"E is not critical",
         false,
         28,
         stepOf({{B, 1}, {E, 1}}),
         StepProblem::NonCritical,
         E,
         true,
         {}},
        {"D and F at step 2",
         true,
         28,
         stepOf({{D, 1}, {F, 1}}),
         StepProblem::NotCheapest,
         -1,
         true,
         {}},
        {"B and H at step 2",
         true,
         28,
         stepOf({{H, 1}, {B, 1}}, 17500, 30),
         StepProblem::None,
         -1,
         true,
         {}},
        {"two days of B",
         false,
         28,
         stepOf({{B, 2}}),
         StepProblem::TooManyUnits,
         -1,
         true,
         {A, D, H}},
        {"cost", false, 28, stepOf({{B, 1}}, 7000, 31), StepProblem::WrongCost, -1, true, {}},
        {"duration", false, 28, stepOf({{B, 1}}, 7500, 30), StepProblem::WrongDuration, -1, true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const engine::StepCheck check
            = engine::checkStep(network, c.second ? afterB : normal, c.target, c.step, 2);
        EXPECT_EQ(check.problem, c.problem);
        EXPECT_EQ(check.activity, c.activity);
        EXPECT_EQ(check.applicable, c.applicable);
        EXPECT_EQ(check.path, c.path);
        EXPECT_EQ(check.number, 2);
        if (c.applicable) {
            EXPECT_LT(check.expectedDuration, check.durationBefore);
        } else {
            EXPECT_EQ(check.durationsAfter, check.durationsBefore);
        }
    }

    const engine::StepCheck dearer
        = engine::checkStep(network, afterB, 28, stepOf({{D, 1}, {F, 1}}));
    EXPECT_EQ(dearer.givenPerUnit, 22500);
    EXPECT_EQ(dearer.cheapestPerUnit, 17500);
    EXPECT_EQ(dearer.cheapestSet, (std::vector<int> {B, H}));
    // B and H each have one day left.
    EXPECT_EQ(dearer.cheapestUnits, 1);
    EXPECT_EQ(dearer.cheapestDurationAfter, 30);

    const engine::StepCheck tooMany = engine::checkStep(network, normal, 28, stepOf({{B, 2}}));
    EXPECT_EQ(tooMany.allowedUnits, 1);
    EXPECT_EQ(tooMany.limitByPath, 1);
    EXPECT_EQ(tooMany.limitByCrash, 2);
    EXPECT_EQ(tooMany.limitByTarget, 4);
    EXPECT_EQ(tooMany.expectedDuration, 31); // A-D-H holds it at 31
    EXPECT_EQ(tooMany.expectedCost, 15000);

    // Past the target: one activity alone, 5 days down to 1, target 4.
    const engine::Network single(enginetest::projectOf({{"X", "", 5, 1, 100}}));
    const engine::StepCheck past
        = engine::checkStep(single, std::vector<Duration> {5}, 4, stepOf({{0, 2}}));
    EXPECT_EQ(past.problem, StepProblem::TooManyUnits);
    EXPECT_EQ(past.allowedUnits, 1);
    EXPECT_EQ(past.limitByPath, -1);
    EXPECT_TRUE(past.path.empty());

    const engine::StepCheck below = engine::checkStep(network, normal, 28, stepOf({{B, 3}}));
    EXPECT_EQ(below.allowedUnits, 2);
    const engine::StepCheck wasted
        = engine::checkStep(network, normal, 28, stepOf({{B, 1}, {E, 1}}));
    EXPECT_EQ(wasted.activityFloat, 3);
}

// Set 1 to 28 days: the engine's steps cost 75 + 175 + 225 + 250 = 725 Baht, the least cost
// too; a step that shortens nothing leaves the state for the next one.
TEST(AnswerCheck, CrashingToTheTarget)
{
    const engine::Network network(setOne());
    Answers model = engine::modelAnswers(network, 28);
    const engine::CrashingCheck check = engine::checkCrashing(network, model);
    EXPECT_EQ(check.target, Verdict::Right);
    EXPECT_EQ(check.normalDuration, 32);
    EXPECT_EQ(check.shortestDuration, 27);
    ASSERT_EQ(check.steps.size(), 4u);
    EXPECT_EQ(check.studentTotal, 72500);
    EXPECT_EQ(check.greedyTotal, 72500);
    EXPECT_EQ(check.leastCost, 72500);
    EXPECT_TRUE(check.reachedTarget);
    EXPECT_EQ(check.right, 4);
    EXPECT_EQ(check.total, 4);

    Answers own;
    own.target = 28;
    own.steps = {stepOf({{B, 1}}), stepOf({{B, 1}}), stepOf({{B, 1}, {H, 1}})};
    const engine::CrashingCheck partial = engine::checkCrashing(network, own);
    ASSERT_EQ(partial.steps.size(), 3u);
    EXPECT_EQ(partial.steps[1].problem, StepProblem::PathNotShortened);
    EXPECT_EQ(partial.steps[2].problem, StepProblem::None);
    EXPECT_EQ(partial.steps[2].durationBefore, 31);
    EXPECT_EQ(partial.studentTotal, 7500 + 17500);
    EXPECT_EQ(partial.reachedDuration, 30);
    EXPECT_FALSE(partial.reachedTarget);
    EXPECT_EQ(partial.right, 2);
    EXPECT_EQ(partial.total, 4);

    for (const std::optional<Duration> target :
         {std::optional<Duration>(26), std::optional<Duration>(33), std::optional<Duration>()}) {
        Answers off = model;
        off.target = target;
        const engine::CrashingCheck refused = engine::checkCrashing(network, off);
        EXPECT_EQ(refused.target, target ? Verdict::Wrong : Verdict::Unanswered);
        EXPECT_TRUE(refused.steps.empty());
        EXPECT_EQ(refused.right, 0);
        EXPECT_EQ(refused.total, 5);
    }
}

// The engine's own work gets full marks in every stage, on any project and target.
TEST(AnswerCheck, ModelAnswersGetFullMarks)
{
    testsupport::Random random(2024);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const engine::Project project = smallRandomProject(random, 25);
        const engine::Network network(project);
        const Duration normal
            = enginetest::longestPath(project, enginetest::normalDurations(project));
        const Duration shortest
            = enginetest::longestPath(project, enginetest::crashDurations(project));
        const Duration target = testsupport::between(random, shortest, normal);
        const Answers answers = engine::modelAnswers(network, target);

        const engine::ScheduleCheck schedule = engine::checkSchedule(network, answers);
        EXPECT_EQ(schedule.right, schedule.total);
        const engine::CriticalCheck critical = engine::checkCriticalPaths(network, answers);
        EXPECT_EQ(critical.ticks, Verdict::Right);
        EXPECT_EQ(critical.right, critical.total);
        EXPECT_TRUE(critical.missedPaths.empty());
        const engine::CrashingCheck crashing = engine::checkCrashing(network, answers);
        EXPECT_EQ(crashing.target, Verdict::Right);
        EXPECT_EQ(crashing.right, crashing.total);
        EXPECT_TRUE(crashing.reachedTarget);
        EXPECT_EQ(crashing.reachedDuration, target);
        EXPECT_EQ(crashing.studentTotal, crashing.greedyTotal);
        EXPECT_LE(crashing.leastCost, crashing.greedyTotal);
        for (const engine::StepCheck &step : crashing.steps)
            EXPECT_EQ(step.problem, StepProblem::None) << step.number;
    }
}

// From random states, every set of critical activities with time left is tried by one unit:
// it is right exactly when it meets every critical path at the least cost any such set has;
// a dearer one is told that least cost; one that misses a path is shown a critical path it
// misses. A cheapest set by more units than it may is told how many it may, and the path
// that would turn critical is that long.
TEST(AnswerCheck, EveryCheapestCutIsRightAndEveryDearerOneIsNot)
{
    testsupport::Random random(1977);
    int cheapest = 0, dearer = 0, missing = 0;
    for (int round = 0; round < 1500; ++round) {
        SCOPED_TRACE(round);
        const engine::Project project = smallRandomProject(random, 12);
        const engine::Network network(project);
        const Links links(project);
        const std::vector<Duration> state = randomState(random, project);
        const engine::Schedule schedule = engine::computeSchedule(network, state);
        const Duration duration = schedule.projectDuration;
        const Duration shortest
            = enginetest::longestPath(project, enginetest::crashDurations(project));
        if (duration == shortest)
            continue;
        std::vector<int> candidates;
        for (int a = 0; a < network.size(); ++a) {
            if (schedule.isCritical(a)
                && state[static_cast<std::size_t>(a)]
                    > project.activities[static_cast<std::size_t>(a)].crashDuration)
                candidates.push_back(a);
        }
        if (candidates.size() > 10)
            continue;

        struct Tried {
            std::vector<int> set;
            Satang cost = 0;
            bool meets = false;
        };
        std::vector<Tried> tried;
        std::optional<Satang> least;
        for (std::uint32_t bits = 1; bits < (1u << candidates.size()); ++bits) {
            Tried t;
            std::vector<bool> blocked(state.size(), false);
            for (std::size_t k = 0; k < candidates.size(); ++k) {
                if (bits & (1u << k)) {
                    t.set.push_back(candidates[k]);
                    blocked[static_cast<std::size_t>(candidates[k])] = true;
                    t.cost += project.activities[static_cast<std::size_t>(candidates[k])]
                                  .crashCostPerUnit;
                }
            }
            t.meets = enginetest::longestPath(project, state, blocked) < duration;
            if (t.meets && (!least || t.cost < *least))
                least = t.cost;
            tried.push_back(std::move(t));
        }
        ASSERT_TRUE(least.has_value()) << "every critical path can be shortened";

        for (const Tried &t : tried) {
            StepAnswer step;
            for (const int a : t.set)
                step.shorten.push_back({a, 1});
            const engine::StepCheck check = engine::checkStep(network, state, shortest, step);
            if (!t.meets) {
                ++missing;
                ASSERT_EQ(check.problem, StepProblem::PathNotShortened);
                EXPECT_TRUE(isFullChainOf(links, check.path, state, duration));
                for (const int a : check.path)
                    EXPECT_EQ(std::count(t.set.begin(), t.set.end(), a), 0);
            } else if (t.cost == *least) {
                ++cheapest;
                EXPECT_EQ(check.problem, StepProblem::None);
                EXPECT_GE(check.allowedUnits, 1);
                // One unit more than it may: too many, and the limit is explained.
                step.shorten.clear();
                for (const int a : t.set)
                    step.shorten.push_back({a, check.allowedUnits + 1});
                const engine::StepCheck more = engine::checkStep(network, state, shortest, step);
                if (more.problem == StepProblem::BelowCrash)
                    continue;
                ASSERT_EQ(more.problem, StepProblem::TooManyUnits);
                EXPECT_EQ(more.allowedUnits, check.allowedUnits);
                if (!more.path.empty()) {
                    EXPECT_TRUE(
                        isFullChainOf(links, more.path, state, duration - more.allowedUnits));
                    for (const int a : more.path)
                        EXPECT_EQ(std::count(t.set.begin(), t.set.end(), a), 0);
                } else {
                    EXPECT_EQ(more.allowedUnits, std::min(more.limitByTarget, more.limitByCrash));
                }
            } else {
                ++dearer;
                EXPECT_EQ(check.problem, StepProblem::NotCheapest);
                EXPECT_EQ(check.cheapestPerUnit, *least);
                EXPECT_EQ(check.givenPerUnit, t.cost);
                EXPECT_TRUE(check.applicable);
            }
        }
    }
    EXPECT_GT(cheapest, 300);
    EXPECT_GT(dearer, 300);
    EXPECT_GT(missing, 100);
}

// A student who types one wrong value and then follows the method from their own values
// gets that cell wrong and every other cell right, those that differ from the truth right
// from their own values.
TEST(AnswerCheck, OneWrongCellFollowedByTheMethod)
{
    testsupport::Random random(31);
    int carried = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const engine::Project project = smallRandomProject(random, 15);
        const engine::Network network(project);
        const Links links(project);
        const auto n = static_cast<int>(project.activities.size());
        const std::vector<Duration> d = enginetest::normalDurations(project);
        const Answers truth = engine::modelAnswers(network, std::nullopt);
        Answers copy = truth;
        // The planted cell: activity * 5 + field, or 5n for the project duration.
        const int planted = static_cast<int>(testsupport::below(random, 5 * std::int64_t {n} + 1));
        const Duration shift = testsupport::chance(random, 50)
            ? testsupport::between(random, 1, 9)
            : -testsupport::between(random, 1, 9);
        auto at = [&](int cell, Duration value) {
            if (cell != planted)
                return value;
            const int activity = cell / 5;
            const Duration right = cell == 5 * n
                ? *truth.projectDuration
                : *answerOf(copy, activity, static_cast<ScheduleField>(cell % 5));
            return right + shift;
        };

        // The method by hand, in index order (a topological order here).
        Answers own;
        own.schedule.resize(static_cast<std::size_t>(n));
        std::vector<Duration> es(n), ef(n), ls(n), lf(n);
        Duration duration = std::numeric_limits<Duration>::min();
        for (int a = 0; a < n; ++a) {
            const auto &before = links.predecessors[static_cast<std::size_t>(a)];
            Duration start = before.empty() ? 0 : std::numeric_limits<Duration>::min();
            for (const int p : before)
                start = std::max(start, ef[static_cast<std::size_t>(p)]);
            es[a] = at(5 * a, start);
            ef[a] = at(5 * a + 1, es[a] + d[static_cast<std::size_t>(a)]);
            if (links.successors[static_cast<std::size_t>(a)].empty())
                duration = std::max(duration, ef[a]);
        }
        duration = at(5 * n, duration);
        for (int a = n - 1; a >= 0; --a) {
            const auto &next = links.successors[static_cast<std::size_t>(a)];
            Duration finish = duration;
            if (!next.empty()) {
                finish = std::numeric_limits<Duration>::max();
                for (const int s : next)
                    finish = std::min(finish, ls[static_cast<std::size_t>(s)]);
            }
            lf[a] = at(5 * a + 3, finish);
            ls[a] = at(5 * a + 2, lf[a] - d[static_cast<std::size_t>(a)]);
        }
        for (int a = 0; a < n; ++a)
            own.schedule[static_cast<std::size_t>(a)]
                = {es[a], ef[a], ls[a], lf[a], at(5 * a + 4, ls[a] - es[a])};
        own.projectDuration = duration;

        const engine::ScheduleCheck check = engine::checkSchedule(network, own);
        for (int cell = 0; cell <= 5 * n; ++cell) {
            const engine::CellCheck &c = cell == 5 * n
                ? check.projectDuration
                : check.cells[static_cast<std::size_t>(cell)];
            SCOPED_TRACE(cell);
            if (cell == planted) {
                EXPECT_EQ(c.verdict, Verdict::Wrong);
            } else if (*c.given != c.expected) {
                ++carried;
                EXPECT_EQ(c.verdict, Verdict::RightFromOwn);
            } else {
                EXPECT_EQ(c.verdict, Verdict::Right);
            }
        }
        EXPECT_EQ(check.right, check.total - 1);
    }
    EXPECT_GT(carried, 200);
}

// Answers of any shape, with any numbers: the checks stay consistent with themselves and
// never fail (run under the sanitizers too).
TEST(AnswerCheck, RandomAnswersAreCheckedWithoutHarm)
{
    testsupport::Random random(7);
    auto anyNumber = [&]() -> Duration {
        switch (testsupport::below(random, 4)) {
        case 0:
            return testsupport::between(random, -3, 40);
        case 1:
            return testsupport::chance(random, 50) ? std::numeric_limits<Duration>::max()
                                                   : std::numeric_limits<Duration>::min();
        default:
            return static_cast<Duration>(random());
        }
    };
    auto maybe = [&]() -> std::optional<Duration> {
        if (testsupport::chance(random, 20))
            return std::nullopt;
        return anyNumber();
    };
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const engine::Project project = smallRandomProject(random, 15);
        const engine::Network network(project);
        const int n = network.size();
        auto anyIndex = [&]() { return static_cast<int>(testsupport::between(random, -2, n + 1)); };
        Answers answers;
        answers.projectDuration = maybe();
        const auto rows = testsupport::below(random, n + 3);
        for (std::int64_t k = 0; k < rows; ++k)
            answers.schedule.push_back({maybe(), maybe(), maybe(), maybe(), maybe()});
        if (testsupport::chance(random, 80)) {
            answers.criticalActivities.emplace();
            for (auto k = testsupport::below(random, n + 2); k > 0; --k)
                answers.criticalActivities->push_back(anyIndex());
        }
        if (testsupport::chance(random, 80)) {
            answers.criticalPaths.emplace();
            for (auto k = testsupport::below(random, 4); k > 0; --k) {
                std::vector<int> path;
                for (auto m = testsupport::below(random, 6); m > 0; --m)
                    path.push_back(anyIndex());
                answers.criticalPaths->push_back(path);
            }
        }
        answers.target = testsupport::chance(random, 80)
            ? std::optional<Duration>(testsupport::between(random, 0, 60))
            : maybe();
        for (auto k = testsupport::below(random, 6); k > 0; --k) {
            StepAnswer step;
            for (auto m = testsupport::below(random, 4); m > 0; --m)
                step.shorten.push_back({anyIndex(),
                                        testsupport::chance(random, 60)
                                            ? testsupport::between(random, 1, 3)
                                            : anyNumber()});
            step.cost = maybe();
            step.duration = maybe();
            answers.steps.push_back(step);
        }

        const engine::ScheduleCheck schedule = engine::checkSchedule(network, answers);
        EXPECT_LE(schedule.right, schedule.total);
        for (const engine::CellCheck &cell : schedule.cells) {
            EXPECT_EQ(cell.verdict == Verdict::Right, cell.given && *cell.given == cell.expected);
            if (cell.verdict == Verdict::RightFromOwn) {
                EXPECT_EQ(cell.given, cell.fromOwn);
            }
        }
        const engine::CriticalCheck critical = engine::checkCriticalPaths(network, answers, 5);
        EXPECT_LE(critical.right, critical.total);
        EXPECT_LE(critical.missedPaths.size(), 5u);
        const engine::CrashingCheck crashing = engine::checkCrashing(network, answers);
        EXPECT_LE(crashing.right, crashing.total);
        Satang total = 0;
        for (const engine::StepCheck &step : crashing.steps) {
            if (step.applicable) {
                total += step.expectedCost;
                EXPECT_LT(step.expectedDuration, step.durationBefore);
            } else {
                EXPECT_EQ(step.durationsAfter, step.durationsBefore);
            }
        }
        EXPECT_EQ(crashing.studentTotal, total);
    }
}
