// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// Checking a student's own work on a project, step by step: the CPM schedule, the critical
// paths, and crashing to a target one step at a time. The checks give verdicts as codes and
// numbers (never words): the trainer window and crashkit-cli word them, in Thai, through one
// module. A mistake is carried forward: a value that follows by the method from the student's
// own earlier values is right in method, and each crashing step is judged from the durations
// the student's own earlier steps left.

namespace engine {

// What a student answered. Every part is optional; a missing part is unanswered. Activities
// are indices into the project's activities.
struct ScheduleAnswer {
    std::optional<Duration> earliestStart, earliestFinish, latestStart, latestFinish, totalFloat;
    bool operator==(const ScheduleAnswer &) const = default;
};

struct StepAnswer {
    // The activities shortened in this step and by how many time units each (> 0).
    std::vector<std::pair<int, Duration>> shorten;
    std::optional<Satang> cost; // the step's cost as the student worked it out
    std::optional<Duration> duration; // the project duration after the step, as worked out
    bool operator==(const StepAnswer &) const = default;
};

struct Answers {
    std::optional<Duration> projectDuration;
    std::vector<ScheduleAnswer> schedule; // one per activity, or empty for none at all
    std::optional<std::vector<int>> criticalActivities; // the activities ticked as critical
    std::optional<std::vector<std::vector<int>>> criticalPaths; // each from start to finish
    std::optional<Duration> target;
    std::vector<StepAnswer> steps;
    bool operator==(const Answers &) const = default;
};

enum class Verdict {
    Right,
    RightFromOwn, // wrong value, but what the method gives from the student's own earlier values
    Wrong,
    Unanswered,
};

// Right and right from the student's own values both count as right.
inline bool countsRight(Verdict verdict)
{
    return verdict == Verdict::Right || verdict == Verdict::RightFromOwn;
}

// --- 1. The schedule --------------------------------------------------------------------

enum class ScheduleField { EarliestStart, EarliestFinish, LatestStart, LatestFinish, TotalFloat };

// One cell of the schedule grid, or the project duration (activity -1).
struct CellCheck {
    int activity = -1;
    ScheduleField field = ScheduleField::EarliestFinish; // the project duration: EarliestFinish
    Verdict verdict = Verdict::Unanswered;
    Duration expected = 0; // the true value at normal durations
    std::optional<Duration> given;
    // What the rule gives from the student's own values of the cells it takes (set when
    // they are all answered), e.g. for an earliest finish: the student's earliest start plus
    // the duration.
    std::optional<Duration> fromOwn;
    // The cells the rule takes, for the hint: ES from the predecessors' EF (none: 0), EF from
    // the activity's ES, LF from the successors' LS (none: the project duration), LS from
    // the activity's LF, the float from its LS and ES; the project duration from the EF of
    // the activities without successors.
    std::vector<int> sources;
};

struct ScheduleCheck {
    std::vector<CellCheck> cells; // per activity the five fields in ScheduleField's order
    CellCheck projectDuration;
    int right = 0; // cells and project duration that count right
    int total = 0; // all of them
};

// Checks the schedule at normal durations. A value that differs from the true one but equals
// fromOwn is RightFromOwn. Linear in activities + links.
ScheduleCheck checkSchedule(const Network &network, const Answers &answers);

// --- 2. The critical activities and paths -------------------------------------------------

enum class PathProblem {
    None,
    UnknownActivity, // an index outside the project (at: its position in the path)
    NotLinked, // at and at + 1 are not predecessor and successor
    NotFromStart, // the first activity has predecessors
    NotToFinish, // the last activity has successors
    HasFloat, // a path, but activity `activity` on it has float `floatOf`
    Repeated, // the same path was given before
};

struct PathCheck {
    std::vector<int> path; // as given
    Verdict verdict = Verdict::Wrong; // Right for a critical path given once
    PathProblem problem = PathProblem::None;
    int at = -1; // position in the path the problem is at
    int activity = -1; // the activity there
    Duration floatOf = 0; // HasFloat: that activity's total float
    Duration length = 0; // a path's length at normal durations (0 when not a path)
};

struct CriticalCheck {
    Verdict ticks = Verdict::Unanswered; // Right when exactly the critical activities
    std::vector<int> missedActivities; // critical but not ticked, ascending
    std::vector<std::pair<int, Duration>> wronglyTicked; // ticked, with their float > 0
    std::vector<PathCheck> paths; // one per path given
    std::vector<std::vector<int>> missedPaths; // critical paths not given, up to the limit
    bool missedPathsComplete = true;
    int right = 0; // ticked activities right + paths right
    int total = 0; // activities + critical paths (up to the limit) + wrong paths given
};

// Checks the ticks and the paths at normal durations; lists at most `pathLimit` missed paths.
CriticalCheck checkCriticalPaths(const Network &network, const Answers &answers,
                                 std::size_t pathLimit = 100);

// --- 3. Crashing to the target, step by step ---------------------------------------------------

// The first thing wrong with a step, in the order a student should hear it.
enum class StepProblem {
    None, // the step is right: a cheapest one, by as many units as it may, reckoned right
    AfterTarget, // the project already meets the target
    NothingShortened,
    UnknownActivity, // an index outside the project (activity)
    NotPositive, // units of an activity are 0 or below (activity)
    BelowCrash, // the activity would go below its crash duration (activity, allowedUnits: its
                // remaining units)
    UnequalUnits, // the activities of one step are shortened by the same units (activity: one
                  // that differs)
    PathNotShortened, // a critical path keeps its length (path)
    NonCritical, // a non-critical activity is shortened: money wasted (activity)
    NotCheapest, // a cheaper set meets every critical path (cheapestSet, cheapestPerUnit)
    TooManyUnits, // more units than the step allows (allowedUnits; path: the one that turns
                  // critical, empty when the crash durations or the target set the limit)
    WrongCost, // expectedCost
    WrongDuration, // expectedDuration
};

struct StepCheck {
    int number = 0; // 1 for the first step
    StepProblem problem = StepProblem::None;
    // The project gets shorter with it (no activity below crash, every critical path
    // shortened): the student may go on from it even when it is not the best step.
    bool applicable = false;
    int activity = -1;
    std::vector<int> path;
    Duration units = 0; // the units the step shortens its activities by
    Duration allowedUnits = 0; // the most units this set may take in one step
    Satang givenPerUnit = 0; // the chosen set's cost per unit
    Satang cheapestPerUnit = 0;
    std::vector<int> cheapestSet; // one cheapest set, ascending
    Satang expectedCost = 0; // units x the chosen set's cost per unit
    std::optional<Satang> givenCost;
    Duration expectedDuration = 0; // the project duration after the step
    std::optional<Duration> givenDuration;
    std::vector<Duration> durationsBefore, durationsAfter; // the student's own state
    std::vector<int> criticalBefore; // critical activities before the step, ascending
};

// One step from the given durations (the student's state) towards the target.
// Preconditions: durations has one value per activity, each between crash and normal.
StepCheck checkStep(const Network &network, std::span<const Duration> durations, Duration target,
                    const StepAnswer &step, int number = 1);

struct CrashingCheck {
    // The target: Unanswered, Right when between the shortest and the normal duration,
    // else Wrong (and no step is judged).
    Verdict target = Verdict::Unanswered;
    Duration normalDuration = 0, shortestDuration = 0;
    std::vector<StepCheck> steps; // each from the state the applicable steps before it left
    bool reachedTarget = false;
    Duration reachedDuration = 0;
    Satang studentTotal = 0; // the expected costs of the applicable steps
    Satang greedyTotal = 0; // the textbook greedy's total to the target
    Satang leastCost = 0; // the exact least cost for the target
    int right = 0; // steps without a problem
    int total = 0; // steps given, and 1 when the target is not reached
};

// All steps in order; an inapplicable step leaves the state as it was.
CrashingCheck checkCrashing(const Network &network, const Answers &answers);

// The student's answers that the engine's own work gives: the true schedule, the critical
// activities and paths (up to pathLimit), the target and the textbook greedy's steps to it
// (none without a target). Full marks by construction; tests use it as a reference.
Answers modelAnswers(const Network &network, std::optional<Duration> target,
                     std::size_t pathLimit = 100);

} // namespace engine
