// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "answercheck.h"

#include "crashcut.h"
#include "greedy.h"
#include "leastcost.h"
#include "money.h"
#include "schedule.h"

#include <algorithm>
#include <limits>
#include <set>
#include <stdexcept>

namespace engine {

namespace {

// A student may type any whole number; the rules must not overflow on it.
std::optional<Duration> plus(Duration a, Duration b)
{
    return checkedAdd(a, b);
}

std::optional<Duration> minus(Duration a, Duration b)
{
    constexpr Duration lowest = std::numeric_limits<Duration>::min();
    constexpr Duration highest = std::numeric_limits<Duration>::max();
    if ((b > 0 && a < lowest + b) || (b < 0 && a > highest + b))
        return std::nullopt;
    return a - b;
}

Verdict judge(std::optional<Duration> given, Duration expected, std::optional<Duration> fromOwn)
{
    if (!given)
        return Verdict::Unanswered;
    if (*given == expected)
        return Verdict::Right;
    if (fromOwn && *given == *fromOwn)
        return Verdict::RightFromOwn;
    return Verdict::Wrong;
}

std::optional<Duration> answered(const Answers &answers, int activity, ScheduleField field)
{
    if (activity < 0 || static_cast<std::size_t>(activity) >= answers.schedule.size())
        return std::nullopt;
    const ScheduleAnswer &a = answers.schedule[static_cast<std::size_t>(activity)];
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
        return a.totalFloat;
    }
    return std::nullopt;
}

// The maximum (or minimum) of the student's values of `field` over `activities`, when every one
// of them is answered.
std::optional<Duration> extremeOfOwn(const Answers &answers, std::span<const int> activities,
                                     ScheduleField field, bool largest)
{
    std::optional<Duration> extreme;
    for (const int a : activities) {
        const std::optional<Duration> value = answered(answers, a, field);
        if (!value)
            return std::nullopt;
        if (!extreme || (largest ? *value > *extreme : *value < *extreme))
            extreme = value;
    }
    return extreme;
}

// One critical path that passes no chosen activity, found in one pass over the critical
// network in topological order; empty when every critical path passes a chosen one.
std::vector<int> criticalPathAvoiding(const Network &network, const Schedule &schedule,
                                      const std::vector<bool> &chosen)
{
    constexpr int kUnreached = -2, kStartsHere = -1;
    std::vector<int> from(static_cast<std::size_t>(network.size()), kUnreached);
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        if (chosen[i] || !schedule.isCritical(a))
            continue;
        if (network.predecessors(a).empty()) {
            from[i] = kStartsHere;
        } else {
            for (const int p : network.predecessors(a)) {
                // Only critical activities are ever reached, so a reached predecessor is one.
                if (from[static_cast<std::size_t>(p)] != kUnreached
                    && schedule.earliestFinish[static_cast<std::size_t>(p)]
                        == schedule.earliestStart[i]) {
                    from[i] = p;
                    break;
                }
            }
        }
        if (from[i] != kUnreached && network.successors(a).empty()
            && schedule.earliestFinish[i] == schedule.projectDuration) {
            std::vector<int> path;
            for (int at = a; at >= 0; at = from[static_cast<std::size_t>(at)])
                path.push_back(at);
            std::reverse(path.begin(), path.end());
            return path;
        }
    }
    return {};
}

bool isSuccessor(const Network &network, int from, int to)
{
    const std::span<const int> next = network.successors(from);
    return std::find(next.begin(), next.end(), to) != next.end();
}

// The path's first problem other than a repeat, in PathProblem's order.
void checkPathShape(const Network &network, const Schedule &schedule, PathCheck &check)
{
    const std::vector<int> &path = check.path;
    const int n = network.size();
    auto found = [&](PathProblem problem, std::size_t at) {
        check.problem = problem;
        check.at = static_cast<int>(at);
        check.activity = path[at];
    };
    if (path.empty()) {
        check.problem = PathProblem::Empty;
        return;
    }
    for (std::size_t k = 0; k < path.size(); ++k) {
        if (path[k] < 0 || path[k] >= n)
            return found(PathProblem::UnknownActivity, k);
    }
    for (std::size_t k = 0; k + 1 < path.size(); ++k) {
        if (!isSuccessor(network, path[k], path[k + 1]))
            return found(PathProblem::NotLinked, k);
    }
    // A chain of links never repeats an activity (the network has no cycle), so this sum is
    // at most activities x the longest duration.
    for (const int a : path)
        check.length += network.normalDurations()[static_cast<std::size_t>(a)];
    if (!network.predecessors(path.front()).empty())
        return found(PathProblem::NotFromStart, 0);
    if (!network.successors(path.back()).empty())
        return found(PathProblem::NotToFinish, path.size() - 1);
    for (std::size_t k = 0; k < path.size(); ++k) {
        if (!schedule.isCritical(path[k])) {
            found(PathProblem::HasFloat, k);
            check.floatOf = schedule.totalFloat(path[k]);
            return;
        }
    }
    if (check.length < schedule.projectDuration) {
        // Critical activities from start to finish, back to back all the way, would add up
        // to the project duration: some link must wait.
        for (std::size_t k = 0; k + 1 < path.size(); ++k) {
            if (schedule.earliestFinish[static_cast<std::size_t>(path[k])]
                < schedule.earliestStart[static_cast<std::size_t>(path[k + 1])])
                return found(PathProblem::NotLongest, k);
        }
        return found(PathProblem::NotLongest, path.size() - 1);
    }
}

std::vector<Duration> normalOf(const Network &network)
{
    return {network.normalDurations().begin(), network.normalDurations().end()};
}

} // namespace

ScheduleCheck checkSchedule(const Network &network, const Answers &answers)
{
    const int n = network.size();
    const Schedule truth = computeSchedule(network, network.normalDurations());
    const Duration ownDuration = answers.projectDuration.value_or(truth.projectDuration);
    ScheduleCheck check;
    check.cells.reserve(static_cast<std::size_t>(n) * 5);
    auto add = [&](int activity, ScheduleField field, Duration expected,
                   std::optional<Duration> fromOwn, std::vector<int> sources) {
        CellCheck cell;
        cell.activity = activity;
        cell.field = field;
        cell.expected = expected;
        cell.given = answered(answers, activity, field);
        cell.fromOwn = fromOwn;
        cell.sources = std::move(sources);
        cell.verdict = judge(cell.given, expected, fromOwn);
        check.cells.push_back(std::move(cell));
    };
    for (int a = 0; a < n; ++a) {
        const auto i = static_cast<std::size_t>(a);
        const Duration duration = network.normalDurations()[i];
        const std::span<const int> before = network.predecessors(a), after = network.successors(a);
        const std::optional<Duration> es = answered(answers, a, ScheduleField::EarliestStart);
        const std::optional<Duration> ls = answered(answers, a, ScheduleField::LatestStart);
        const std::optional<Duration> lf = answered(answers, a, ScheduleField::LatestFinish);

        add(a, ScheduleField::EarliestStart, truth.earliestStart[i],
            before.empty() ? std::optional<Duration>(0)
                           : extremeOfOwn(answers, before, ScheduleField::EarliestFinish, true),
            {before.begin(), before.end()});
        add(a, ScheduleField::EarliestFinish, truth.earliestFinish[i],
            es ? plus(*es, duration) : std::nullopt, {a});
        add(a, ScheduleField::LatestStart, truth.latestStart[i],
            lf ? minus(*lf, duration) : std::nullopt, {a});
        add(a, ScheduleField::LatestFinish, truth.latestFinish[i],
            after.empty() ? std::optional<Duration>(ownDuration)
                          : extremeOfOwn(answers, after, ScheduleField::LatestStart, false),
            {after.begin(), after.end()});
        add(a, ScheduleField::TotalFloat, truth.totalFloat(a),
            ls && es ? minus(*ls, *es) : std::nullopt, {a});
    }

    CellCheck &total = check.projectDuration;
    total.activity = -1;
    total.field = ScheduleField::EarliestFinish;
    total.expected = truth.projectDuration;
    total.given = answers.projectDuration;
    for (int a = 0; a < n; ++a) {
        if (network.successors(a).empty())
            total.sources.push_back(a);
    }
    total.fromOwn = n == 0
        ? std::optional<Duration>(0)
        : extremeOfOwn(answers, total.sources, ScheduleField::EarliestFinish, true);
    total.verdict = judge(total.given, total.expected, total.fromOwn);

    for (const CellCheck &cell : check.cells)
        check.right += countsRight(cell.verdict) ? 1 : 0;
    check.right += countsRight(total.verdict) ? 1 : 0;
    check.total = static_cast<int>(check.cells.size()) + 1;
    return check;
}

CriticalCheck checkCriticalPaths(const Network &network, const Answers &answers,
                                 std::size_t pathLimit)
{
    const int n = network.size();
    const Schedule truth = computeSchedule(network, network.normalDurations());
    CriticalCheck check;
    check.projectDuration = truth.projectDuration;
    check.criticalActivities = criticalActivities(truth);

    int rightActivities = 0;
    if (answers.criticalActivities) {
        std::vector<bool> ticked(static_cast<std::size_t>(n), false);
        bool unknown = false;
        for (const int a : *answers.criticalActivities) {
            if (a >= 0 && a < n)
                ticked[static_cast<std::size_t>(a)] = true;
            else
                unknown = true;
        }
        for (int a = 0; a < n; ++a) {
            const bool critical = truth.isCritical(a);
            if (critical == ticked[static_cast<std::size_t>(a)])
                ++rightActivities;
            else if (critical)
                check.missedActivities.push_back(a);
            else
                check.wronglyTicked.push_back({a, truth.totalFloat(a)});
        }
        check.ticks = unknown || !check.missedActivities.empty() || !check.wronglyTicked.empty()
            ? Verdict::Wrong
            : Verdict::Right;
    }

    const CriticalPaths listed = listCriticalPaths(network, truth, pathLimit);
    const std::set<std::vector<int>> listedSet(listed.paths.begin(), listed.paths.end());
    std::set<std::vector<int>> given;
    int rightPaths = 0, wrongPaths = 0, rightUnlisted = 0;
    if (answers.criticalPaths) {
        for (const std::vector<int> &path : *answers.criticalPaths) {
            PathCheck pathCheck;
            pathCheck.path = path;
            checkPathShape(network, truth, pathCheck);
            if (pathCheck.problem == PathProblem::None && !given.insert(path).second)
                pathCheck.problem = PathProblem::Repeated;
            given.insert(path);
            if (pathCheck.problem == PathProblem::None) {
                pathCheck.verdict = Verdict::Right;
                ++rightPaths;
                rightUnlisted += listedSet.count(path) == 0 ? 1 : 0;
            } else {
                ++wrongPaths;
            }
            check.paths.push_back(std::move(pathCheck));
        }
    }
    for (const std::vector<int> &path : listed.paths) {
        if (given.count(path) == 0)
            check.missedPaths.push_back(path);
    }
    check.missedPathsComplete = listed.complete;
    check.right = rightActivities + rightPaths;
    check.total = n + static_cast<int>(listed.paths.size()) + wrongPaths + rightUnlisted;
    return check;
}

StepCheck checkStep(const Network &network, std::span<const Duration> durations, Duration target,
                    const StepAnswer &step, int number)
{
    const int n = network.size();
    if (durations.size() != static_cast<std::size_t>(n))
        throw std::invalid_argument("checkStep: one duration per activity");
    StepCheck check;
    check.number = number;
    check.shorten = step.shorten;
    check.target = target;
    check.givenCost = step.cost;
    check.givenDuration = step.duration;
    check.durationsBefore.assign(durations.begin(), durations.end());
    check.durationsAfter = check.durationsBefore;
    const Schedule before = computeSchedule(network, durations);
    check.durationBefore = before.projectDuration;
    check.expectedDuration = before.projectDuration;
    check.criticalBefore = criticalActivities(before);
    if (!step.shorten.empty())
        check.units = step.shorten.front().second;

    if (before.projectDuration <= target) {
        check.problem = StepProblem::AfterTarget;
        return check;
    }

    // The greedy's own step from here: what the cheapest choice costs, and the answer.
    check.cheapestSet = cheapestCut(network, before, durations);
    for (const int a : check.cheapestSet)
        check.cheapestPerUnit += network.costsPerUnit()[static_cast<std::size_t>(a)];
    if (!check.cheapestSet.empty()) {
        check.cheapestUnits
            = stepLimit(network, before, durations, check.cheapestSet, target, false).units;
        std::vector<Duration> after = check.durationsBefore;
        for (const int a : check.cheapestSet)
            after[static_cast<std::size_t>(a)] -= check.cheapestUnits;
        check.cheapestDurationAfter = computeSchedule(network, after).projectDuration;
    }

    auto stop = [&](StepProblem problem, int activity) {
        check.problem = problem;
        check.activity = activity;
        return check;
    };
    if (step.shorten.empty())
        return stop(StepProblem::NothingShortened, -1);
    for (const auto &[a, units] : step.shorten) {
        if (a < 0 || a >= n)
            return stop(StepProblem::UnknownActivity, a);
    }
    std::vector<bool> chosen(static_cast<std::size_t>(n), false);
    for (const auto &[a, units] : step.shorten) {
        if (chosen[static_cast<std::size_t>(a)])
            return stop(StepProblem::Repeated, a);
        chosen[static_cast<std::size_t>(a)] = true;
    }
    for (const auto &[a, units] : step.shorten) {
        if (units <= 0)
            return stop(StepProblem::NotPositive, a);
    }
    for (const auto &[a, units] : step.shorten) {
        const auto k = static_cast<std::size_t>(a);
        const Duration left = durations[k] - network.crashDurations()[k];
        if (units > left) {
            check.allowedUnits = left;
            return stop(StepProblem::BelowCrash, a);
        }
    }

    // Every activity can take its units now; the sums below stay within what crashing every
    // activity fully costs, which validation keeps inside 64 bits.
    std::vector<int> set;
    for (const auto &[a, units] : step.shorten) {
        const auto k = static_cast<std::size_t>(a);
        set.push_back(a);
        check.givenPerUnit += network.costsPerUnit()[k];
        check.expectedCost += units * network.costsPerUnit()[k];
    }
    std::sort(set.begin(), set.end());

    auto found = [&](StepProblem problem, int activity) {
        if (check.problem == StepProblem::None) {
            check.problem = problem;
            check.activity = activity;
        }
    };
    for (const auto &[a, units] : step.shorten) {
        if (units != check.units) {
            found(StepProblem::UnequalUnits, a);
            break;
        }
    }
    const std::vector<int> missed = criticalPathAvoiding(network, before, chosen);
    check.applicable = missed.empty();
    if (!check.applicable) {
        found(StepProblem::PathNotShortened, -1);
        check.path = missed;
    }
    bool allCritical = true;
    for (const auto &[a, units] : step.shorten) {
        if (!before.isCritical(a)) {
            if (check.problem == StepProblem::None)
                check.activityFloat = before.totalFloat(a);
            found(StepProblem::NonCritical, a);
            allCritical = false;
            break;
        }
    }
    if (check.applicable && allCritical) {
        StepLimit limit = stepLimit(network, before, durations, set, target, true);
        check.allowedUnits = limit.units;
        check.limitByTarget = limit.byTarget;
        check.limitByCrash = limit.byCrash;
        check.limitByPath = limit.byPath;
        if (check.givenPerUnit > check.cheapestPerUnit)
            found(StepProblem::NotCheapest, -1);
        if (check.problem == StepProblem::None && check.units > limit.units) {
            found(StepProblem::TooManyUnits, -1);
            check.path = std::move(limit.path);
        }
    }
    if (check.applicable) {
        for (const auto &[a, units] : step.shorten)
            check.durationsAfter[static_cast<std::size_t>(a)] -= units;
        check.expectedDuration = computeSchedule(network, check.durationsAfter).projectDuration;
    }
    if (check.givenCost && *check.givenCost != check.expectedCost)
        found(StepProblem::WrongCost, -1);
    if (check.givenDuration && *check.givenDuration != check.expectedDuration)
        found(StepProblem::WrongDuration, -1);
    return check;
}

CrashingCheck checkCrashing(const Network &network, const Answers &answers)
{
    CrashingCheck check;
    const std::vector<Duration> normal = normalOf(network);
    check.normalDuration = computeSchedule(network, normal).projectDuration;
    check.shortestDuration = shortestDuration(network);
    check.reachedDuration = check.normalDuration;
    check.givenTarget = answers.target;
    if (answers.target) {
        const Duration target = *answers.target;
        check.target = target >= check.shortestDuration && target <= check.normalDuration
            ? Verdict::Right
            : Verdict::Wrong;
    }
    if (check.target != Verdict::Right) {
        check.total = static_cast<int>(answers.steps.size()) + 1;
        return check;
    }
    const Duration target = *answers.target;

    std::vector<Duration> state = normal;
    for (std::size_t k = 0; k < answers.steps.size(); ++k) {
        StepCheck step
            = checkStep(network, state, target, answers.steps[k], static_cast<int>(k) + 1);
        check.right += step.problem == StepProblem::None ? 1 : 0;
        if (step.applicable) {
            state = step.durationsAfter;
            check.studentTotal += step.expectedCost;
            check.reachedDuration = step.expectedDuration;
        }
        check.steps.push_back(std::move(step));
    }
    check.reachedTarget = check.reachedDuration <= target;
    const std::vector<GreedyStep> greedy = crashGreedily(network, target);
    check.greedyTotal = greedy.empty() ? 0 : greedy.back().totalCost;
    if (const std::optional<LeastCost> least = leastCost(network, target))
        check.leastCost = least->cost;
    check.total = static_cast<int>(answers.steps.size()) + (check.reachedTarget ? 0 : 1);
    return check;
}

Answers modelAnswers(const Network &network, std::optional<Duration> target, std::size_t pathLimit)
{
    const Schedule schedule = computeSchedule(network, network.normalDurations());
    Answers answers;
    answers.projectDuration = schedule.projectDuration;
    for (int a = 0; a < network.size(); ++a) {
        const auto i = static_cast<std::size_t>(a);
        answers.schedule.push_back({schedule.earliestStart[i], schedule.earliestFinish[i],
                                    schedule.latestStart[i], schedule.latestFinish[i],
                                    schedule.totalFloat(a)});
    }
    answers.criticalActivities = criticalActivities(schedule);
    answers.criticalPaths = listCriticalPaths(network, schedule, pathLimit).paths;
    answers.target = target;
    if (target) {
        for (const GreedyStep &step : crashGreedily(network, *target)) {
            StepAnswer answer;
            for (const Cut &cut : step.cuts)
                answer.shorten.push_back({cut.activity, cut.units});
            answer.cost = step.cost;
            answer.duration = step.durationAfter;
            answers.steps.push_back(std::move(answer));
        }
    }
    return answers;
}

} // namespace engine
