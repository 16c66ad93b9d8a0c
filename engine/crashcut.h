// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "schedule.h"

#include <span>
#include <vector>

// The pieces of one step of the textbook greedy that the greedy itself and the checking of a
// student's own step share, so that both judge a step by the same rule.

namespace engine {

// The cheapest set of critical activities that meets every critical path at the given
// durations (time units, one per activity, each between crash and normal; `schedule` is
// their CPM): a minimum cut of the critical network with costs per unit as capacities,
// activities at their crash duration uncuttable. Ascending; empty when no such set exists.
std::vector<int> cheapestCut(const Network &network, const Schedule &schedule,
                             std::span<const Duration> durations);

// The longest chain of links from an activity without predecessors to one without successors
// that passes none of the blocked activities (one flag per activity), at the given durations:
// its length in time units, -1 when every chain passes a blocked activity, and the chain
// itself when asked for. Linear in activities + links.
struct AvoidingPath {
    Duration length = -1;
    std::vector<int> path;
};
AvoidingPath longestPathAvoiding(const Network &network, std::span<const Duration> durations,
                                 const std::vector<bool> &blocked, bool withPath);

// How many time units one step may cut every activity of `set` by: until the target is
// reached, an activity of the set reaches its crash duration, or a chain that avoids the set
// turns critical (`path`, asked for with withPath, when that is what stops it).
// Preconditions: `set` holds critical activities that meet every critical path, each above
// its crash duration, and target < schedule.projectDuration.
struct StepLimit {
    Duration units = 0;
    Duration byTarget = 0; // the project duration minus the target
    Duration byCrash = 0; // the fewest units left to an activity of the set
    Duration byPath = -1; // the project duration minus the longest chain avoiding the set
    std::vector<int> path; // that chain, when it sets the limit
};
StepLimit stepLimit(const Network &network, const Schedule &schedule,
                    std::span<const Duration> durations, const std::vector<int> &set,
                    Duration target, bool withPath);

} // namespace engine
