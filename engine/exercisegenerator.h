// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <cstdint>
#include <string>
#include <variant>

// Seeded exercises for a whole class: textbook-like projects to crash, each a pure function of
// a seed and the settings, so that the same seed gives the same project on every machine. The
// random numbers come from a SplitMix64 of our own, used without any standard distribution,
// and nothing that decides the output iterates an unordered container.
//
// What a generated project looks like:
// - ids A, B, ..., Z, AA, AB, ... in an order where every predecessor comes first; names empty;
// - the network reads as a textbook's activity-on-arrow drawing with one start event and one
//   finish event: it is connected (no separate sub-projects), one to three activities have no
//   predecessors (they all leave the start event) and one to three have no successors (they
//   all enter the finish event); no link is implied by others (A->C is never given beside
//   A->B->C);
// - whole normal durations of 2 to 20; crash durations 1 or more and strictly below the
//   normal one, except at most one activity in five that cannot be crashed (crash = normal,
//   cost 0);
// - the costs per unit of the crashable activities are whole multiples of one round step
//   (5, 10, 25 or 50 Baht) chosen per project;
// - a target duration below the normal one that the textbook greedy reaches in two or more
//   steps (at most six), each with exactly one cheapest set of activities (no tie that would leave
//   two right answers for a step).

namespace engine {

inline constexpr int kMinExerciseActivities = 5;
inline constexpr int kMaxExerciseActivities = 30;
inline constexpr int kMaxExerciseCriticalPaths = 3;
// Candidate projects drawn for one exercise before it is refused.
inline constexpr int kExerciseAttempts = 600;

// What the exercise is to practise. Each setting holds exactly, both ways.
struct ExerciseSettings {
    int activities = 8; // kMinExerciseActivities to kMaxExerciseActivities
    int criticalPaths = 1; // critical paths at the normal durations, 1 to 3
    // true: some step of the greedy to the target cuts two or more activities together;
    // false: every step cuts one.
    bool jointStep = false;
    // true: the greedy's total at the target is above the exact least cost; false: equal.
    bool greedyOverpays = false;
    bool operator==(const ExerciseSettings &) const = default;
};

// A generated exercise and the facts about it, each verified with the engine (schedule.h,
// greedy.h, leastcost.h) before it is returned. Durations in time units, money in satang.
struct GeneratedExercise {
    std::uint64_t seed = 0;
    ExerciseSettings settings;
    Project project; // with a title naming the seed and the settings, and the target
    Duration target = 0;
    Duration normalDuration = 0;
    Duration shortestDuration = 0;
    int criticalPaths = 0; // at the normal durations
    int greedySteps = 0; // steps of the textbook greedy to the target
    bool jointStep = false; // some greedy step cuts two or more activities
    Satang greedyCost = 0; // the greedy's total to the target
    Satang leastCost = 0; // the exact least extra cost at the target
    int attempts = 0; // candidate projects drawn, this one included
};

enum class ExerciseRefusalReason {
    ActivitiesOutOfRange, // settings.activities outside 5 to 30
    CriticalPathsOutOfRange, // settings.criticalPaths outside 1 to 3
    NotFound, // no candidate met every setting within kExerciseAttempts
};

// Why no exercise came out: a code for a window to word in its own language, and one English
// sentence for the command line.
struct ExerciseRefusal {
    ExerciseRefusalReason reason;
    std::string message;
};

using ExerciseResult = std::variant<GeneratedExercise, ExerciseRefusal>;

// The exercise for this seed and these settings: always the same one, on every machine.
// Settings that cannot be met (out of range, or met by none of kExerciseAttempts candidates,
// drawn one after another from the seed) give a refusal, never an exception. Where the greedy
// is to overpay, most candidates are built around the pattern that makes it; that pattern
// needs 5 activities with a joint step and one critical path, one more without a joint step
// and one more per further critical path (8 at most), and smaller projects are only tried at
// random, which seldom or never finds one (the refusal then names the size that would do). Takes
// some milliseconds at most for settings that can be met at all.
ExerciseResult generateExercise(std::uint64_t seed, const ExerciseSettings &settings);

// The id of the activity at `index` (from 0): A to Z, then AA, AB, ..., AZ, BA, ...
std::string exerciseActivityId(int index);

} // namespace engine
