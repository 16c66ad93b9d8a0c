// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashcut.h"

#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>

namespace engine {

namespace {

using Graph = lemon::SmartDigraph;

} // namespace

// A minimum cut of the critical network, in which every critical activity is an arc from its
// in-node to its out-node with its cost per unit as capacity (unbounded when it is already at
// its crash duration), and links run from the finish of one critical activity to the start of
// another that begins the moment it ends.
std::vector<int> cheapestCut(const Network &network, const Schedule &schedule,
                             std::span<const Duration> durations)
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

AvoidingPath longestPathAvoiding(const Network &network, std::span<const Duration> durations,
                                 const std::vector<bool> &blocked, bool withPath)
{
    const auto n = static_cast<std::size_t>(network.size());
    std::vector<Duration> finish(n, -1); // -1: not reachable without a blocked activity
    // The predecessor each longest chain came through, kept only when the chain is asked for.
    std::vector<int> from(withPath ? n : 0, -1);
    AvoidingPath longest;
    int last = -1;
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        if (blocked[i])
            continue;
        Duration start = network.predecessors(a).empty() ? 0 : -1;
        int through = -1;
        for (const int p : network.predecessors(a)) {
            if (finish[static_cast<std::size_t>(p)] > start) {
                start = finish[static_cast<std::size_t>(p)];
                through = p;
            }
        }
        if (start < 0)
            continue;
        finish[i] = start + durations[i];
        if (withPath)
            from[i] = through;
        if (network.successors(a).empty() && finish[i] > longest.length) {
            longest.length = finish[i];
            last = a;
        }
    }
    if (withPath) {
        for (int a = last; a >= 0; a = from[static_cast<std::size_t>(a)])
            longest.path.push_back(a);
        std::reverse(longest.path.begin(), longest.path.end());
    }
    return longest;
}

StepLimit stepLimit(const Network &network, const Schedule &schedule,
                    std::span<const Duration> durations, const std::vector<int> &set,
                    Duration target, bool withPath)
{
    StepLimit limit;
    limit.byTarget = schedule.projectDuration - target;
    limit.units = limit.byTarget;
    limit.byCrash = limit.byTarget;
    std::vector<bool> blocked(static_cast<std::size_t>(network.size()), false);
    for (const int a : set) {
        const auto k = static_cast<std::size_t>(a);
        blocked[k] = true;
        limit.byCrash = std::min(limit.byCrash, durations[k] - network.crashDurations()[k]);
    }
    limit.units = std::min(limit.units, limit.byCrash);
    AvoidingPath avoiding = longestPathAvoiding(network, durations, blocked, withPath);
    if (avoiding.length >= 0) {
        limit.byPath = schedule.projectDuration - avoiding.length;
        limit.units = std::min(limit.units, limit.byPath);
        if (limit.byPath == limit.units)
            limit.path = std::move(avoiding.path);
    }
    return limit;
}

} // namespace engine
