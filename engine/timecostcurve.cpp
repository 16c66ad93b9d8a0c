// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "timecostcurve.h"

#include "leastcost.h"
#include "schedule.h"

#include <lemon/dijkstra.h>
#include <lemon/maps.h>
#include <lemon/preflow.h>
#include <lemon/smart_graph.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace engine {

namespace {

using Graph = lemon::SmartDigraph;

// Capacity of arcs without a bound. Real flows stay below the total crash cost (10^15
// satang per unit at most), far beneath it; a maximum flow this large means unbounded.
constexpr Satang kUnbounded = Satang {1} << 62;
// The length that keeps Dijkstra off an arc without residual capacity. Every node is also
// reached through unbounded arcs at finite distance, so no shortest path takes one of these.
constexpr Duration kBlocked = Duration {1} << 60;

// An arc of the flow network; the graph holds it twice, forwards (its residual capacity is
// what is left of its capacity) and backwards (the flow it carries, which may be sent back).
struct FlowArc {
    Duration length;
    Satang capacity, flow = 0;
};

class CurveTracer;

// Reduced costs, computed when Dijkstra asks for them: the cost of an arc (minus the length
// forwards, plus it backwards) plus the potential of its tail less that of its head;
// kBlocked where no residual capacity is left.
class ReducedCostMap {
public:
    using Key = Graph::Arc;
    using Value = Duration;
    explicit ReducedCostMap(const CurveTracer &tracer) : m_tracer(tracer) { }
    Value operator[](Key arc) const;

private:
    const CurveTracer &m_tracer;
};

// Only distances are needed. LEMON's default map of predecessor arcs does not build under
// C++20 (it calls allocator members that C++20 removed), so the search keeps none.
struct DistancesOnly : lemon::DijkstraDefaultTraits<Graph, ReducedCostMap> {
    using PredMap = lemon::NullMap<Graph::Node, Graph::Arc>;
    static PredMap *createPredMap(const Graph &) { return new PredMap(); }
};

class CurveTracer {
public:
    explicit CurveTracer(const Network &network) : m_network(network)
    {
        const int n = network.size();
        m_start = m_graph.addNode();
        m_finish = m_graph.addNode();
        m_begin.reserve(static_cast<std::size_t>(n));
        m_end.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            m_begin.push_back(m_graph.addNode());
            m_end.push_back(m_graph.addNode());
        }
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const Duration normal = network.normalDurations()[k];
            const Duration crash = network.crashDurations()[k];
            const Satang cost = network.costsPerUnit()[k];
            if (crash < normal && cost > 0)
                addArc(m_begin[k], m_end[k], normal, cost);
            addArc(m_begin[k], m_end[k], crash < normal ? crash : normal, kUnbounded);
            for (const int p : network.predecessors(i))
                addArc(m_end[static_cast<std::size_t>(p)], m_begin[k], 0, kUnbounded);
            if (network.predecessors(i).empty())
                addArc(m_start, m_begin[k], 0, kUnbounded);
            if (network.successors(i).empty())
                addArc(m_end[k], m_finish, 0, kUnbounded);
        }
        setLongestPathPotentials();
    }

    std::vector<CurvePoint> trace(Duration normalDuration, Duration shortest, JobControl *control)
    {
        const ReducedCostMap reducedCosts(*this);
        lemon::Dijkstra<Graph, ReducedCostMap, DistancesOnly> dijkstra(m_graph, reducedCosts);
        std::vector<CurvePoint> breakpoints = {{normalDuration, 0}};
        Satang slope = 0; // satang per time unit: the flow sent so far
        Satang cost = 0;
        Duration previous = normalDuration;
        while (true) {
            const double span = static_cast<double>(normalDuration - shortest);
            checkpoint(control,
                       span > 0 ? static_cast<double>(normalDuration - previous) / span : 0.0);
            dijkstra.run(m_start);
            for (Graph::NodeIt v(m_graph); v != lemon::INVALID; ++v)
                m_potential[id(v)] += dijkstra.dist(v);

            // The longest augmenting path; a breakpoint of the curve.
            const Duration length = m_potential[id(m_start)] - m_potential[id(m_finish)];
            cost += (previous - length) * slope;
            previous = length;
            if (length < breakpoints.back().duration)
                breakpoints.push_back({length, cost});

            const Satang sent = augment();
            if (sent >= kUnbounded)
                return breakpoints;
            if (sent <= 0)
                throw std::logic_error("timeCostCurve: a phase sent no flow");
            slope += sent;
        }
    }

    Duration reducedCost(Graph::Arc arc) const
    {
        const auto a = static_cast<std::size_t>(m_graph.id(arc));
        const FlowArc &flowArc = m_arcs[a / 2];
        const bool forward = a % 2 == 0;
        if (forward ? flowArc.flow >= flowArc.capacity : flowArc.flow <= 0)
            return kBlocked;
        return (forward ? -flowArc.length : flowArc.length) + m_potential[id(m_graph.source(arc))]
            - m_potential[id(m_graph.target(arc))];
    }

private:
    std::size_t id(Graph::Node v) const { return static_cast<std::size_t>(m_graph.id(v)); }

    void addArc(Graph::Node from, Graph::Node to, Duration length, Satang capacity)
    {
        // Arc ids follow the order of addition: 2k forwards and 2k + 1 backwards.
        m_graph.addArc(from, to);
        m_graph.addArc(to, from);
        m_arcs.push_back({length, capacity});
    }

    // Minus the longest distance from the start: every arc's reduced cost is then
    // non-negative, as Dijkstra needs.
    void setLongestPathPotentials()
    {
        std::vector<Duration> longest(static_cast<std::size_t>(m_graph.maxNodeId() + 1), 0);
        auto relaxFrom = [&](Graph::Node v) {
            for (Graph::OutArcIt arc(m_graph, v); arc != lemon::INVALID; ++arc) {
                const auto a = static_cast<std::size_t>(m_graph.id(arc));
                if (a % 2 == 0) {
                    Duration &to = longest[id(m_graph.target(arc))];
                    to = std::max(to, longest[id(v)] + m_arcs[a / 2].length);
                }
            }
        };
        relaxFrom(m_start);
        for (const int a : m_network.topologicalOrder()) {
            relaxFrom(m_begin[static_cast<std::size_t>(a)]);
            relaxFrom(m_end[static_cast<std::size_t>(a)]);
        }
        m_potential.resize(longest.size());
        for (std::size_t v = 0; v < longest.size(); ++v)
            m_potential[v] = -longest[v];
    }

    // Residual capacity forwards (what is left) or backwards (the flow).
    Satang residual(std::size_t arcId) const
    {
        const FlowArc &arc = m_arcs[arcId / 2];
        if (arcId % 2 == 1)
            return arc.flow;
        return arc.capacity == kUnbounded ? kUnbounded : arc.capacity - arc.flow;
    }

    // A maximum flow through the longest augmenting paths, added to the flow; returns how
    // much. Their arcs (reduced cost 0, capacity left) are found backwards from the finish,
    // which keeps the flow problem to the critical part of the network.
    Satang augment()
    {
        std::vector<int> copyOf(m_potential.size(), -1);
        std::vector<Graph::Node> queue = {m_finish};
        copyOf[id(m_finish)] = 0;
        std::vector<std::pair<std::size_t, std::size_t>> links; // tail and head copies
        std::vector<std::size_t> linkArcs; // their arc ids
        for (std::size_t next = 0; next < queue.size(); ++next) {
            const Graph::Node v = queue[next];
            for (Graph::InArcIt arc(m_graph, v); arc != lemon::INVALID; ++arc) {
                if (reducedCost(arc) != 0)
                    continue;
                const Graph::Node tail = m_graph.source(arc);
                if (copyOf[id(tail)] < 0) {
                    copyOf[id(tail)] = static_cast<int>(queue.size());
                    queue.push_back(tail);
                }
                links.push_back({static_cast<std::size_t>(copyOf[id(tail)]),
                                 static_cast<std::size_t>(copyOf[id(v)])});
                linkArcs.push_back(static_cast<std::size_t>(m_graph.id(arc)));
            }
        }
        if (copyOf[id(m_start)] < 0)
            throw std::logic_error("timeCostCurve: no augmenting path");

        Graph admissible;
        admissible.reserveNode(static_cast<int>(queue.size()) + 1);
        admissible.reserveArc(static_cast<int>(links.size()) + 1);
        std::vector<Graph::Node> nodes;
        for (std::size_t k = 0; k < queue.size(); ++k)
            nodes.push_back(admissible.addNode());
        const Graph::Node entry = admissible.addNode();
        // All flow enters through one arc, so no node's excess in the preflow can pass it.
        const Graph::Arc entryArc
            = admissible.addArc(entry, nodes[static_cast<std::size_t>(copyOf[id(m_start)])]);
        std::vector<Graph::Arc> copies;
        copies.reserve(links.size());
        for (const auto &[tail, head] : links)
            copies.push_back(admissible.addArc(nodes[tail], nodes[head]));
        Graph::ArcMap<Satang> capacity(admissible);
        capacity[entryArc] = kUnbounded;
        for (std::size_t k = 0; k < copies.size(); ++k)
            capacity[copies[k]] = residual(linkArcs[k]);

        lemon::Preflow<Graph, Graph::ArcMap<Satang>> preflow(admissible, capacity, entry, nodes[0]);
        preflow.run();
        for (std::size_t k = 0; k < copies.size(); ++k) {
            const Satang sent = preflow.flow(copies[k]);
            m_arcs[linkArcs[k] / 2].flow += linkArcs[k] % 2 == 0 ? sent : -sent;
        }
        return preflow.flowValue();
    }

    const Network &m_network;
    Graph m_graph;
    Graph::Node m_start, m_finish;
    std::vector<Graph::Node> m_begin, m_end;
    std::vector<FlowArc> m_arcs; // by arc id / 2
    std::vector<Duration> m_potential; // by node id
};

ReducedCostMap::Value ReducedCostMap::operator[](Key arc) const
{
    return m_tracer.reducedCost(arc);
}

// With links of other types the flow above has no path form, so the curve is traced from
// its values: the least cost is convex in the duration, so where the cost at the middle of
// an interval lies on the chord between its ends the curve is that chord all along it, and
// otherwise both halves are searched. That takes a few least-cost solutions per breakpoint.
__extension__ using Wide = __int128; // products of a cost and a span of durations

std::vector<CurvePoint> linkedBreakpoints(const Network &network, Duration normal,
                                          Duration shortest, JobControl *control)
{
    LinkedLeastCost model(network);
    std::vector<CurvePoint> points {{normal, 0}};
    if (shortest == normal)
        return points;
    const CurvePoint last {shortest, model.cost(shortest)};
    // Intervals still to search, the longest durations on top; points collects in order.
    std::vector<std::pair<CurvePoint, CurvePoint>> open {{points.front(), last}};
    while (!open.empty()) {
        const auto [longer, shorter] = open.back();
        open.pop_back();
        checkpoint(control,
                   static_cast<double>(normal - longer.duration)
                       / static_cast<double>(normal - shortest));
        if (longer.duration - shorter.duration >= 2) {
            const Duration middle = shorter.duration + (longer.duration - shorter.duration) / 2;
            const CurvePoint at {middle, model.cost(middle)};
            // On the chord: (at - shorter) / (middle - shorter) = (longer - shorter) / span.
            const Wide left
                = static_cast<Wide>(at.cost - shorter.cost) * (longer.duration - shorter.duration);
            const Wide right
                = static_cast<Wide>(longer.cost - shorter.cost) * (middle - shorter.duration);
            if (left != right) {
                open.push_back({at, shorter});
                open.push_back({longer, at});
                continue;
            }
        }
        // The curve is straight from longer to shorter.
        points.push_back(shorter);
    }
    // Keep only the corners.
    std::vector<CurvePoint> corners;
    for (const CurvePoint &p : points) {
        while (corners.size() >= 2) {
            const CurvePoint &a = corners[corners.size() - 2], &b = corners.back();
            if (static_cast<Wide>(b.cost - a.cost) * (a.duration - p.duration)
                != static_cast<Wide>(p.cost - a.cost) * (a.duration - b.duration))
                break;
            corners.pop_back();
        }
        corners.push_back(p);
    }
    return corners;
}

} // namespace

TimeCostCurve::TimeCostCurve(std::vector<CurvePoint> breakpoints)
    : m_breakpoints(std::move(breakpoints))
{
    if (m_breakpoints.empty())
        throw std::invalid_argument("TimeCostCurve: at least one point");
}

Satang TimeCostCurve::costAt(Duration duration) const
{
    if (empty())
        throw std::out_of_range("TimeCostCurve::costAt: the curve is empty");
    if (duration >= normalDuration())
        return 0;
    if (duration < shortestDuration())
        throw std::out_of_range("TimeCostCurve::costAt: below the shortest duration");
    // Breakpoints run from long to short durations.
    const auto after
        = std::lower_bound(m_breakpoints.begin(), m_breakpoints.end(), duration,
                           [](const CurvePoint &p, Duration d) { return p.duration > d; });
    if (after->duration == duration)
        return after->cost;
    const CurvePoint &longer = *(after - 1), &shorter = *after;
    // Exact: the cost per unit between two breakpoints is a whole number (a flow of the
    // method above), so no fraction and no product beyond the total cost arises.
    const Satang perUnit = (shorter.cost - longer.cost) / (longer.duration - shorter.duration);
    return longer.cost + perUnit * (longer.duration - duration);
}

std::vector<CurvePoint> TimeCostCurve::points() const
{
    std::vector<CurvePoint> all;
    all.reserve(static_cast<std::size_t>(pointCount()));
    visitPoints([&](const CurvePoint &point) { all.push_back(point); });
    return all;
}

TimeCostCurve timeCostCurve(const Network &network, JobControl *control)
{
    const Duration normal = computeSchedule(network, network.normalDurations()).projectDuration;
    if (network.size() == 0)
        return TimeCostCurve({{normal, 0}});
    const Duration shortest = shortestDuration(network);
    if (!network.plainLinks())
        return TimeCostCurve(linkedBreakpoints(network, normal, shortest, control));
    CurveTracer tracer(network);
    std::vector<CurvePoint> breakpoints = tracer.trace(normal, shortest, control);
    if (breakpoints.back().duration != shortest)
        throw std::logic_error(
            "timeCostCurve: the last phase did not end at the shortest duration");
    return TimeCostCurve(std::move(breakpoints));
}

} // namespace engine
