// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "solution.h"

#include "money.h"

#include <stdexcept>

namespace worksheets {

WorkedSolution solve(const engine::Project &project, engine::Duration target)
{
    WorkedSolution solution;
    solution.network = engine::Network(project);
    const engine::Network &network = solution.network;
    solution.schedule = engine::computeSchedule(network, network.normalDurations());
    solution.criticalPaths = engine::listCriticalPaths(network, solution.schedule, kMaxListedPaths);
    solution.target = target;
    if (target > solution.schedule.projectDuration || target < engine::shortestDuration(network))
        throw std::invalid_argument("the target lies outside the project's durations");
    solution.greedySteps = engine::crashGreedily(network, target);
    solution.greedyCost = solution.greedySteps.empty() ? 0 : solution.greedySteps.back().totalCost;
    const auto least = engine::leastCost(network, target);
    if (!least)
        throw std::invalid_argument("no least cost at the target");
    solution.leastCost = *least;
    solution.curve = engine::timeCostCurve(network);
    return solution;
}

std::string pathText(const engine::Project &project, const std::vector<int> &path)
{
    std::string text;
    for (const int activity : path) {
        if (!text.empty())
            text += '-';
        text += project.activities[static_cast<std::size_t>(activity)].id;
    }
    return text;
}

std::string bahtNumber(engine::Satang amount)
{
    // The engine's "1250.50", without the zeros that add nothing: "1250.5", "1250".
    std::string text = engine::formatBaht(amount);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace worksheets
