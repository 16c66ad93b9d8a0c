// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "jobcontrol.h"
#include "network.h"
#include "schedule.h"

#include <optional>
#include <vector>

namespace engine {

// One activity shortened in one step of the greedy rule.
struct Cut {
    int activity;
    Duration units; // by how much it was shortened in this step
    Satang costPerUnit;
};

// One step: every critical path shortened by `units` at the least cost per unit that no
// lengthening allows. Money in satang.
struct GreedyStep {
    int number = 0; // 1 for the first step of a run
    std::vector<int> criticalBefore; // critical activities when the step was chosen, ascending
    std::vector<Cut> cuts; // the cheapest set of critical activities meeting every critical path
    Duration units = 0; // time units every critical path lost
    Satang costPerUnit = 0; // sum of the cut activities' costs per unit
    Satang cost = 0; // costPerUnit * units
    Duration durationBefore = 0, durationAfter = 0;
    std::vector<int> criticalAfter; // critical activities after the step, ascending
    Satang totalCost = 0; // of the run so far, this step included
};

// The textbook's greedy crashing, one step at a time: each step takes the cheapest set of
// critical activities that meets every critical path (a minimum cut of the critical
// network, costs per unit as capacities, activities at their crash duration uncuttable),
// cuts them by as many units as that set allows before another path turns critical, an
// activity reaches its crash duration or the target is reached, then analyses again. It
// never lengthens an activity, so it may pay more than the least cost (leastcost.h).
class GreedyCrashing {
public:
    enum class StartResult { Started, TargetAboveDuration, TargetBelowShortest };

    // Begins at the network's normal durations.
    explicit GreedyCrashing(const Network &network);
    // Begins at the given durations, each between crash and normal.
    GreedyCrashing(const Network &network, std::vector<Duration> durations);

    // Sets the target (whole time units) and restarts the step count and the total. A target
    // above the current duration or below the shortest reachable one is refused and
    // changes nothing.
    StartResult start(Duration target);

    // The next step, or nothing when the target is reached (or no run was started).
    std::optional<GreedyStep> step();
    bool finished() const { return !m_running || m_schedule.projectDuration <= m_target; }

    const std::vector<Duration> &durations() const { return m_durations; }
    const Schedule &schedule() const { return m_schedule; }
    Duration target() const { return m_target; }
    Satang totalCost() const { return m_totalCost; }

private:
    const Network *m_network;
    std::vector<Duration> m_durations;
    Schedule m_schedule;
    Duration m_shortest = 0;
    Duration m_target = 0;
    bool m_running = false;
    int m_steps = 0;
    Satang m_totalCost = 0;
};

// Runs the greedy rule from the normal durations to the target and returns every step;
// empty when the target is the normal duration or out of range. With a control, each step
// first looks whether to stop (JobStopped) and reports how far the duration has come down.
std::vector<GreedyStep> crashGreedily(const Network &network, Duration target,
                                      JobControl *control = nullptr);

} // namespace engine
