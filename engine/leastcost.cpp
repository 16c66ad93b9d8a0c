// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "leastcost.h"

#include "schedule.h"

#include <lemon/network_simplex.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

namespace engine {

namespace {

using Graph = lemon::SmartDigraph;
// Flows are satang per time unit (the costs per unit are the capacities); costs and
// potentials are time units.
using Simplex = lemon::NetworkSimplex<Graph, Satang, Duration>;

// The potentials may make activities that cost nothing shorter than the target needs, so
// that the project would end early. Gives every activity back as much of its normal
// duration as the deadline allows, the last ones first; this never costs more, and leaves
// a chain without slack from start to deadline (an activity kept below normal has none).
// Precondition: the durations finish by the deadline.
void lengthenWithinDeadline(const Network &network, std::vector<Duration> &durations,
                            Duration deadline)
{
    const Schedule early = computeSchedule(network, durations);
    std::vector<Duration> latestStart(durations.size());
    const std::span<const int> order = network.topologicalOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const auto i = static_cast<std::size_t>(*it);
        Duration finish = deadline;
        for (const int next : network.successors(*it))
            finish = std::min(finish, latestStart[static_cast<std::size_t>(next)]);
        durations[i] = std::min(network.normalDurations()[i], finish - early.earliestStart[i]);
        latestStart[i] = finish - durations[i];
    }
}

// The linear programme
//   minimise  sum c_i (n_i - y_i)
//   subject to  crash_i <= y_i <= n_i,  t(end_i) - t(start_i) >= y_i,
//               t(start_j) >= t(end_i) for every link i -> j,
//               t(start) <= t(start_i), t(end_i) <= t(finish),  t(finish) - t(start) <= T
// is, with y eliminated, the dual of a minimum-cost circulation: an event node at the start
// and at the end of every activity, and for each constraint an arc against it. A unit of
// circulation runs start -> finish (cost T) and back along a path of the network against
// its direction, earning each activity's normal duration for up to c_i units and its crash
// duration beyond. The optimal potentials are event times; the circulation's cost is minus
// the least extra cost, and its flow through the deadline arc a slope of the curve.
class TradeOffModel {
public:
    explicit TradeOffModel(const Network &network)
        : m_network(network), m_cost(m_graph), m_capacity(m_graph)
    {
        const int n = network.size();
        m_graph.reserveNode(2 * n + 2);
        m_graph.reserveArc(static_cast<int>(2 * static_cast<std::size_t>(n) + network.linkCount())
                           + n + 1);
        m_start = m_graph.addNode();
        m_finish = m_graph.addNode();
        m_begin.reserve(static_cast<std::size_t>(n));
        m_end.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            m_begin.push_back(m_graph.addNode());
            m_end.push_back(m_graph.addNode());
        }
        const Satang unbounded = std::numeric_limits<Satang>::max();
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const Duration normal = network.normalDurations()[k];
            const Duration crash = network.crashDurations()[k];
            if (crash < normal)
                addArc(m_end[k], m_begin[k], -normal, network.costsPerUnit()[k]);
            addArc(m_end[k], m_begin[k], -crash, unbounded);
            for (const int p : network.predecessors(i))
                addArc(m_begin[k], m_end[static_cast<std::size_t>(p)], 0, unbounded);
            if (network.predecessors(i).empty())
                addArc(m_begin[k], m_start, 0, unbounded);
            if (network.successors(i).empty())
                addArc(m_finish, m_end[k], 0, unbounded);
        }
        m_deadline = addArc(m_start, m_finish, 0, unbounded);
        m_simplex.emplace(m_graph);
        m_simplex->upperMap(m_capacity);
    }

    // Precondition: shortest reachable duration <= target.
    LeastCost solve(Duration target)
    {
        m_cost[m_deadline] = target;
        m_simplex->costMap(m_cost);
        if (m_simplex->run() != Simplex::OPTIMAL)
            throw std::logic_error("leastCost: the circulation has no optimum");

        LeastCost result;
        result.target = target;
        result.marginalCost = m_simplex->flow(m_deadline);
        const int n = m_network.size();
        result.durations.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const Duration span = m_simplex->potential(m_end[k]) - m_simplex->potential(m_begin[k]);
            result.durations[k] = std::min(m_network.normalDurations()[k], span);
        }
        lengthenWithinDeadline(m_network, result.durations, target);
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            result.cost += m_network.costsPerUnit()[k]
                * (m_network.normalDurations()[k] - result.durations[k]);
        }
        result.projectDuration = computeSchedule(m_network, result.durations).projectDuration;
        // Strong duality: the durations read off the potentials must cost exactly minus the
        // circulation's cost and reach the target. Anything else is a fault of this model.
        if (result.cost != -circulationCost() || result.projectDuration > target)
            throw std::logic_error("leastCost: primal and dual answers disagree");
        return result;
    }

private:
    // The circulation's cost, summed modulo 2^64: one term (a flow of up to 10^15 satang per
    // unit through a deadline of up to 10^12 units) may leave 64 bits, while the sum, minus
    // the least cost, stays within the total crash cost. LEMON's totalCost() would overflow.
    Satang circulationCost() const
    {
        std::uint64_t sum = 0;
        for (Graph::ArcIt arc(m_graph); arc != lemon::INVALID; ++arc)
            sum += static_cast<std::uint64_t>(m_simplex->flow(arc))
                * static_cast<std::uint64_t>(m_cost[arc]);
        return static_cast<Satang>(sum);
    }

    Graph::Arc addArc(Graph::Node from, Graph::Node to, Duration cost, Satang capacity)
    {
        const Graph::Arc arc = m_graph.addArc(from, to);
        m_cost[arc] = cost;
        m_capacity[arc] = capacity;
        return arc;
    }

    const Network &m_network;
    Graph m_graph;
    Graph::ArcMap<Duration> m_cost;
    Graph::ArcMap<Satang> m_capacity;
    Graph::Node m_start, m_finish;
    std::vector<Graph::Node> m_begin, m_end;
    Graph::Arc m_deadline;
    std::optional<Simplex> m_simplex;
};

} // namespace

// With links of every type an activity's duration is exactly its finish less its start:
// stretching it, as the model above may, would let a finish-to-finish link into it hold its
// finish late while a start-to-start link out of it keeps its start early. So the durations
// are the differences of the event times, bounded by crash and normal on both sides:
//   minimise  sum c_i (n_i - (t(end_i) - t(begin_i)))
//   subject to  crash_i <= t(end_i) - t(begin_i) <= n_i,  each link's difference of times,
//               t(start) <= t(begin_i), t(end_i) <= t(finish),  t(finish) - t(start) <= T.
// The objective is linear in the times, so this is again the dual of a minimum-cost flow:
// c_i units enter at begin_i and leave at end_i, every constraint an uncapacitated arc
// against it. Among the cheapest answers the one that shortens the fewest units is taken
// (each cost scaled by K, plus one per unit, K above any total of units), when the scaled
// costs fit; so activities that cost nothing keep their normal durations where they can.
class LinkedLeastCost::Model {
public:
    explicit Model(const Network &network) : m_network(network), m_cost(m_graph), m_supply(m_graph)
    {
        const int n = network.size();
        const auto count = static_cast<std::size_t>(n);
        Duration units = n;
        Satang costs = 0; // within the total crash cost's bound
        for (std::size_t k = 0; k < count; ++k) {
            units += network.normalDurations()[k] - network.crashDurations()[k];
            costs += network.costsPerUnit()[k];
        }
        // Roughly is enough here: the scaled supplies must stay well inside 64 bits.
        if (static_cast<double>(costs) * static_cast<double>(units + 1) + n < 0x1p59)
            m_scale = units + 1;

        m_start = m_graph.addNode();
        m_finish = m_graph.addNode();
        for (int i = 0; i < n; ++i) {
            m_begin.push_back(m_graph.addNode());
            m_end.push_back(m_graph.addNode());
        }
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const Satang weight = m_network.costsPerUnit()[k] * m_scale + (m_scale > 1 ? 1 : 0);
            m_supply[m_begin[k]] = weight;
            m_supply[m_end[k]] = -weight;
            // t(v) - t(u) >= w is the arc v -> u of cost -w.
            addArc(m_end[k], m_begin[k], -network.crashDurations()[k]);
            addArc(m_begin[k], m_end[k], network.normalDurations()[k]);
            addArc(m_begin[k], m_start, 0);
            addArc(m_finish, m_end[k], 0);
            const std::span<const int> before = network.predecessors(i);
            const std::span<const LinkTiming> timing = network.predecessorTimings(i);
            for (std::size_t j = 0; j < before.size(); ++j) {
                const auto p = static_cast<std::size_t>(before[j]);
                const LinkTiming t = timing[j];
                addArc(toStart(t.type) ? m_begin[k] : m_end[k],
                       fromFinish(t.type) ? m_end[p] : m_begin[p], -t.lag);
            }
        }
        m_deadline = addArc(m_start, m_finish, 0);
        m_simplex.emplace(m_graph);
        m_simplex->supplyMap(m_supply);
    }

    // Precondition: shortest (the shortest reachable duration) <= target.
    LeastCost solve(Duration target, Duration shortest)
    {
        std::vector<Duration> durations = solveDurations(target);
        LeastCost result;
        result.target = target;
        result.durations = std::move(durations);
        result.cost = costOf(result.durations);
        result.projectDuration = computeSchedule(m_network, result.durations).projectDuration;
        if (result.projectDuration > target)
            throw std::logic_error("leastCost: the event times miss the target");
        // One unit less: the slope to the left of the target.
        if (target > shortest)
            result.marginalCost = costOf(solveDurations(target - 1)) - result.cost;
        return result;
    }

    std::vector<Duration> solveDurations(Duration target)
    {
        m_cost[m_deadline] = target;
        m_simplex->costMap(m_cost);
        if (m_simplex->run() != Simplex::OPTIMAL)
            throw std::logic_error("leastCost: the flow has no optimum");
        const auto n = static_cast<std::size_t>(m_network.size());
        std::vector<Duration> durations(n);
        std::uint64_t scaledCost = 0;
        for (std::size_t k = 0; k < n; ++k) {
            durations[k] = m_simplex->potential(m_end[k]) - m_simplex->potential(m_begin[k]);
            if (durations[k] < m_network.crashDurations()[k]
                || durations[k] > m_network.normalDurations()[k])
                throw std::logic_error("leastCost: a duration outside crash and normal");
            const auto weight = static_cast<std::uint64_t>(m_supply[m_begin[k]]);
            scaledCost += weight * static_cast<std::uint64_t>(durations[k]);
        }
        // Strong duality: the flow's cost equals the scaled durations' value (sums modulo
        // 2^64, as in the model above).
        std::uint64_t flowCost = 0;
        for (Graph::ArcIt arc(m_graph); arc != lemon::INVALID; ++arc)
            flowCost += static_cast<std::uint64_t>(m_simplex->flow(arc))
                * static_cast<std::uint64_t>(m_cost[arc]);
        if (flowCost != scaledCost)
            throw std::logic_error("leastCost: primal and dual answers disagree");
        return durations;
    }

public:
    Satang costOf(const std::vector<Duration> &durations) const
    {
        Satang cost = 0;
        for (std::size_t k = 0; k < durations.size(); ++k)
            cost += m_network.costsPerUnit()[k] * (m_network.normalDurations()[k] - durations[k]);
        return cost;
    }

private:
    Graph::Arc addArc(Graph::Node from, Graph::Node to, Duration cost)
    {
        const Graph::Arc arc = m_graph.addArc(from, to);
        m_cost[arc] = cost;
        return arc;
    }

    const Network &m_network;
    Graph m_graph;
    Graph::ArcMap<Duration> m_cost;
    Graph::NodeMap<Satang> m_supply;
    Satang m_scale = 1;
    Graph::Node m_start, m_finish;
    std::vector<Graph::Node> m_begin, m_end;
    Graph::Arc m_deadline;
    std::optional<Simplex> m_simplex;
};

LinkedLeastCost::LinkedLeastCost(const Network &network) : m_model(std::make_unique<Model>(network))
{
}

LinkedLeastCost::~LinkedLeastCost() = default;

Satang LinkedLeastCost::cost(Duration target)
{
    return m_model->costOf(m_model->solveDurations(target));
}

std::optional<LeastCost> leastCost(const Network &network, Duration target)
{
    const Duration shortest = shortestDuration(network);
    if (target < shortest)
        return std::nullopt;
    const Schedule normal = computeSchedule(network, network.normalDurations());
    if (target >= normal.projectDuration) {
        LeastCost result;
        result.target = target;
        result.durations.assign(network.normalDurations().begin(), network.normalDurations().end());
        result.projectDuration = normal.projectDuration;
        return result;
    }
    if (!network.plainLinks()) {
        LinkedLeastCost::Model model(network);
        return model.solve(target, shortest);
    }
    TradeOffModel model(network);
    return model.solve(target);
}

} // namespace engine
