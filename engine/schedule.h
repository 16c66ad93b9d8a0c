// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace engine {

// The critical path method's times for one set of durations: every activity starts as
// early as its predecessors allow (project start 0); latest times are counted back from
// the project duration. A network without activities has duration 0.
struct Schedule {
    std::vector<Duration> earliestStart, earliestFinish, latestStart, latestFinish;
    Duration projectDuration = 0;

    Duration totalFloat(int activity) const
    {
        return latestStart[static_cast<std::size_t>(activity)]
            - earliestStart[static_cast<std::size_t>(activity)];
    }
    bool isCritical(int activity) const { return totalFloat(activity) == 0; }
};

// CPM forward and backward pass; durations holds one whole number per activity (>= 0).
// Linear in activities + links.
Schedule computeSchedule(const Network &network, std::span<const Duration> durations);
// The same into an existing schedule, reusing its memory: for analyses repeated many times.
void computeSchedule(const Network &network, std::span<const Duration> durations,
                     Schedule &schedule);

// The critical activities, ascending.
std::vector<int> criticalActivities(const Schedule &schedule);

// Critical paths, each a list of activities from one without predecessors to one without
// successors whose durations add up to the project duration, in depth-first order (lower
// activity indices first). Their number can grow exponentially with the network, so at
// most `limit` are listed; `complete` says whether that was all of them. Time linear in
// the paths' total length once the critical network is marked.
struct CriticalPaths {
    std::vector<std::vector<int>> paths;
    bool complete = true;
};
CriticalPaths listCriticalPaths(const Network &network, const Schedule &schedule,
                                std::size_t limit);
// The same paths in the same order, each handed to `visit` (activity indices from start to
// end, valid during the call) instead of kept, so memory stays linear in the network
// however many are asked for. Returns whether that was all of them (false when a path
// beyond `limit` exists).
bool visitCriticalPaths(const Network &network, const Schedule &schedule, std::size_t limit,
                        const std::function<void(std::span<const int> path)> &visit);

// The shortest reachable project duration. With plain links it is every activity fully
// crashed; with links of other types a shorter activity can make the project longer (a
// finish-to-finish link into it and a start-to-start link out of it), so it is the least
// over all durations between crash and normal.
Duration shortestDuration(const Network &network);
// Durations, one per activity between its crash and normal duration, that reach it.
std::vector<Duration> shortestDurations(const Network &network);

} // namespace engine
