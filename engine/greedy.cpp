// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "greedy.h"

#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace engine {

namespace {

using Graph = lemon::SmartDigraph;

// The cheapest set of critical activities that meets every critical path: a minimum cut of
// the critical network, in which every critical activity is an arc from its in-node to its
// out-node with its cost per unit as capacity (unbounded when it is already at its crash
// duration), and links run from the finish of one critical activity to the start of
// another that begins the moment it ends.
std::vector<int> cheapestCut(const Network &network, const Schedule &schedule,
                             const std::vector<Duration> &durations)
{
    const int n = network.size();
    Satang finiteSum = 0;
    for (int i = 0; i < n; ++i)
        finiteSum += network.costsPerUnit()[static_cast<std::size_t>(i)];
    // Larger than any cut of finite arcs: a cut this large means nothing can be shortened.
    const Satang unbounded = finiteSum + 1;

    Graph graph;
    Graph::ArcMap<Satang> capacity(graph);
    const Graph::Node source = graph.addNode(), sink = graph.addNode();
    // All flow enters through one arc: the preflow first fills every arc leaving the source,
    // and with one unbounded arc per starting activity a node's excess could add up past
    // 64 bits.
    const Graph::Node entry = graph.addNode();
    std::vector<Graph::Node> in(static_cast<std::size_t>(n), lemon::INVALID),
        out(static_cast<std::size_t>(n), lemon::INVALID);
    std::vector<std::pair<Graph::Arc, int>> activityArcs;
    auto addArc = [&](Graph::Node from, Graph::Node to, Satang c) {
        const Graph::Arc arc = graph.addArc(from, to);
        capacity[arc] = c;
        return arc;
    };
    for (int i = 0; i < n; ++i) {
        if (!schedule.isCritical(i))
            continue;
        const auto k = static_cast<std::size_t>(i);
        in[k] = graph.addNode();
        out[k] = graph.addNode();
        const bool shortenable = durations[k] > network.crashDurations()[k];
        activityArcs.push_back(
            {addArc(in[k], out[k], shortenable ? network.costsPerUnit()[k] : unbounded), i});
    }
    addArc(source, entry, unbounded);
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (in[k] == lemon::INVALID)
            continue;
        if (network.predecessors(i).empty())
            addArc(entry, in[k], unbounded);
        if (network.successors(i).empty() && schedule.earliestFinish[k] == schedule.projectDuration)
            addArc(out[k], sink, unbounded);
        for (const int s : network.successors(i)) {
            const auto j = static_cast<std::size_t>(s);
            if (in[j] != lemon::INVALID && schedule.earliestStart[j] == schedule.earliestFinish[k])
                addArc(out[k], in[j], unbounded);
        }
    }

    lemon::Preflow<Graph, Graph::ArcMap<Satang>> preflow(graph, capacity, source, sink);
    preflow.runMinCut();
    if (preflow.flowValue() >= unbounded)
        return {};
    std::vector<int> cut;
    for (const auto &[arc, activity] : activityArcs) {
        if (preflow.minCut(graph.source(arc)) && !preflow.minCut(graph.target(arc)))
            cut.push_back(activity);
    }
    std::sort(cut.begin(), cut.end());
    return cut;
}

// The longest path from the network's start to its end that passes none of the blocked
// activities; -1 when every path passes one.
Duration longestPathAvoiding(const Network &network, const std::vector<Duration> &durations,
                             const std::vector<bool> &blocked)
{
    const auto n = static_cast<std::size_t>(network.size());
    std::vector<Duration> finish(n, -1); // -1: not reachable without a blocked activity
    Duration longest = -1;
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        if (blocked[i])
            continue;
        Duration start = network.predecessors(a).empty() ? 0 : -1;
        for (const int p : network.predecessors(a))
            start = std::max(start, finish[static_cast<std::size_t>(p)]);
        if (start < 0)
            continue;
        finish[i] = start + durations[i];
        if (network.successors(a).empty())
            longest = std::max(longest, finish[i]);
    }
    return longest;
}

} // namespace

GreedyCrashing::GreedyCrashing(const Network &network)
    : GreedyCrashing(
        network,
        std::vector<Duration>(network.normalDurations().begin(), network.normalDurations().end()))
{
}

GreedyCrashing::GreedyCrashing(const Network &network, std::vector<Duration> durations)
    : m_network(&network), m_durations(std::move(durations))
{
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

    std::vector<bool> blocked(static_cast<std::size_t>(network.size()), false);
    Duration units = m_schedule.projectDuration - m_target;
    for (const int a : cut) {
        const auto k = static_cast<std::size_t>(a);
        blocked[k] = true;
        units = std::min(units, m_durations[k] - network.crashDurations()[k]);
    }
    const Duration avoiding = longestPathAvoiding(network, m_durations, blocked);
    if (avoiding >= 0)
        units = std::min(units, m_schedule.projectDuration - avoiding);

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
