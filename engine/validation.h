// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <string>
#include <vector>

namespace engine {

// What can be wrong with a project. Each problem names the activity it concerns by its
// index in Project::activities (none for problems of the whole project).
enum class ProblemKind {
    TooManyActivities, // more than kMaxActivities
    EmptyId,
    IdTooLong, // longer than kMaxIdLength bytes
    BadIdCharacter, // a comma, a semicolon, a control character or a blank at either end
    NameTooLong, // longer than kMaxNameLength bytes
    DuplicateId, // the second and every later activity with an id already used
    UnknownPredecessor, // detail: the id that names no activity
    OwnPredecessor,
    LinkTimingCount, // link timings given, but not one per predecessor
    LagTooLarge, // a lag beyond kMaxLag either way; detail: the predecessor's id
    Cycle, // cycle: the activities around it, each a predecessor of the next
    NegativeNormalDuration,
    NegativeCrashDuration,
    NegativeCost,
    NormalDurationTooLarge, // above kMaxDuration
    CrashDurationTooLarge,
    CostTooLarge, // above kMaxCostPerUnit
    CrashAboveNormal,
    TotalCrashCostTooLarge, // crashing everything fully would cost more than kMaxTotalCrashCost
    NegativeTarget, // a saved target below 0
    // PERT's three estimates (one problem per activity, the first of these that applies):
    EstimateNotFinite, // not a number or infinite
    EstimateNegative,
    EstimateTooLarge, // above kMaxDuration
    EstimateOrder, // not optimistic <= most likely <= pessimistic
};

struct Problem {
    ProblemKind kind;
    int activity = -1; // index into Project::activities, or -1 for the whole project
    std::string detail; // the unknown predecessor's id
    std::vector<int> cycle; // for Cycle: activity indices in order around the cycle
};

// Every problem of the project, in activity order, then the cycles, then the project's
// own. Empty means the project is sound: it can be built into a Network. Linear in
// activities + predecessor links.
std::vector<Problem> validate(const Project &project);

// Which of an activity's three estimates (0 optimistic, 1 most likely, 2 pessimistic) the
// estimate problem validate() reports for it is about, so that a reader can place it on its
// cell: the first value with that fault, and for EstimateOrder the most likely time when it
// is below the optimistic one, else the pessimistic time. 0 when the estimates are sound.
std::size_t estimateAtFault(const ThreeTimeEstimate &estimate);

// One sentence in English naming the activity (by id, or by row number when the id is
// empty) and what is wrong, e.g. "activity F: predecessor 'X' is not an activity".
std::string describe(const Problem &problem, const Project &project);

} // namespace engine
