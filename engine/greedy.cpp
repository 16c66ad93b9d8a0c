// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "greedy.h"

#include "crashcut.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace engine {

GreedyCrashing::GreedyCrashing(const Network &network)
    : GreedyCrashing(
        network,
        std::vector<Duration>(network.normalDurations().begin(), network.normalDurations().end()))
{
}

GreedyCrashing::GreedyCrashing(const Network &network, std::vector<Duration> durations)
    : m_network(&network), m_durations(std::move(durations))
{
    if (!network.plainLinks())
        throw std::invalid_argument("GreedyCrashing: the greedy rule needs finish-to-start links "
                                    "without lags");
    if (m_durations.size() != static_cast<std::size_t>(network.size()))
        throw std::invalid_argument("GreedyCrashing: one duration per activity");
    for (std::size_t i = 0; i < m_durations.size(); ++i) {
        if (m_durations[i] < network.crashDurations()[i]
            || m_durations[i] > network.normalDurations()[i])
            throw std::invalid_argument("GreedyCrashing: durations between crash and normal");
    }
    m_schedule = computeSchedule(network, m_durations);
    m_shortest = shortestDuration(network);
}

GreedyCrashing::StartResult GreedyCrashing::start(Duration target)
{
    if (target > m_schedule.projectDuration)
        return StartResult::TargetAboveDuration;
    if (target < m_shortest)
        return StartResult::TargetBelowShortest;
    m_target = target;
    m_running = true;
    m_steps = 0;
    m_totalCost = 0;
    return StartResult::Started;
}

std::optional<GreedyStep> GreedyCrashing::step()
{
    if (finished())
        return std::nullopt;
    const Network &network = *m_network;
    const std::vector<int> cut = cheapestCut(network, m_schedule, m_durations);
    if (cut.empty())
        throw std::logic_error("GreedyCrashing: a critical path cannot be shortened above the "
                               "shortest duration");

    GreedyStep step;
    step.number = ++m_steps;
    step.criticalBefore = criticalActivities(m_schedule);
    step.durationBefore = m_schedule.projectDuration;

    const Duration units = stepLimit(network, m_schedule, m_durations, cut, m_target, false).units;

    for (const int a : cut) {
        const auto k = static_cast<std::size_t>(a);
        m_durations[k] -= units;
        step.cuts.push_back({a, units, network.costsPerUnit()[k]});
        step.costPerUnit += network.costsPerUnit()[k];
    }
    step.units = units;
    step.cost = step.costPerUnit * units;
    m_totalCost += step.cost;
    step.totalCost = m_totalCost;

    computeSchedule(network, m_durations, m_schedule);
    step.durationAfter = m_schedule.projectDuration;
    step.criticalAfter = criticalActivities(m_schedule);
    return step;
}

std::vector<GreedyStep> crashGreedily(const Network &network, Duration target, JobControl *control)
{
    GreedyCrashing greedy(network);
    std::vector<GreedyStep> steps;
    if (greedy.start(target) != GreedyCrashing::StartResult::Started)
        return steps;
    const Duration normal = greedy.schedule().projectDuration;
    while (true) {
        checkpoint(control,
                   normal > target ? static_cast<double>(normal - greedy.schedule().projectDuration)
                           / static_cast<double>(normal - target)
                                   : 1.0);
        std::optional<GreedyStep> step = greedy.step();
        if (!step)
            break;
        steps.push_back(std::move(*step));
    }
    return steps;
}

} // namespace engine
