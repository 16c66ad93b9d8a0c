// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "greedy.h"
#include "leastcost.h"
#include "network.h"
#include "project.h"
#include "schedule.h"
#include "timecostcurve.h"

#include <string>
#include <vector>

namespace worksheets {

// Everything a sheet or a quiz shows about one exercise, computed once with the engine.
struct WorkedSolution {
    engine::Network network;
    engine::Schedule schedule; // at the normal durations
    engine::CriticalPaths criticalPaths; // at the normal durations, at most kMaxListedPaths
    engine::Duration target = 0;
    std::vector<engine::GreedyStep> greedySteps; // the textbook greedy down to the target
    engine::Satang greedyCost = 0;
    engine::LeastCost leastCost; // the exact least extra cost at the target
    engine::TimeCostCurve curve;
};

inline constexpr std::size_t kMaxListedPaths = 20;

// The solution of `project` crashed to `target`, which must lie between its shortest and
// its normal duration (a generated exercise's does). Throws std::invalid_argument otherwise.
WorkedSolution solve(const engine::Project &project, engine::Duration target);

// A path as its activities' ids joined with '-', e.g. "B-F-I".
std::string pathText(const engine::Project &project, const std::vector<int> &path);

// A sum of money in Baht as a plain number: "1250", "12.5"; no thousands separator.
std::string bahtNumber(engine::Satang amount);

} // namespace worksheets
