// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "networklayout.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace engine {

namespace {

// The drawing's graph: the activities and, for a link that spans several columns, one bend
// node in each column between, so that every edge joins neighbouring columns.
struct LayeredGraph {
    std::vector<int> layerOf; // per node; activities first, then bends
    std::vector<std::vector<int>> up, down; // neighbours in the previous and the next column
    std::vector<std::vector<int>> columns; // nodes of each column, in drawing order
    int activities = 0;
    // For a connected part of a drawing: its first column, and each node's number there.
    int firstLayer = 0;
    std::vector<int> global;

    int addNode(int layer)
    {
        layerOf.push_back(layer);
        up.emplace_back();
        down.emplace_back();
        return static_cast<int>(layerOf.size()) - 1;
    }
    void addEdge(int left, int right)
    {
        down[static_cast<std::size_t>(left)].push_back(right);
        up[static_cast<std::size_t>(right)].push_back(left);
    }
};

// Columns by earliest start: activities that start at the same time share a column, unless a
// predecessor in that column (a zero-duration one) pushes them one further.
std::vector<int> columnsOf(const Network &network, const Schedule &schedule)
{
    const auto n = static_cast<std::size_t>(network.size());
    std::vector<Duration> starts(schedule.earliestStart.begin(), schedule.earliestStart.end());
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    std::vector<int> layer(n, 0);
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        int at = static_cast<int>(
            std::lower_bound(starts.begin(), starts.end(), schedule.earliestStart[i])
            - starts.begin());
        for (const int p : network.predecessors(a))
            at = std::max(at, layer[static_cast<std::size_t>(p)] + 1);
        layer[i] = at;
    }
    // Columns left empty by those pushes are closed up.
    std::vector<int> used(layer);
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    for (int &l : layer)
        l = static_cast<int>(std::lower_bound(used.begin(), used.end(), l) - used.begin());
    return layer;
}

// How many bends the links need with these columns, by the number of bends of a link:
// entry k holds k times the number of links with k bends.
std::vector<std::size_t> bendsBySpanOf(const Network &network, const std::vector<int> &layer)
{
    std::vector<std::size_t> bends;
    for (int a = 0; a < network.size(); ++a)
        for (const int p : network.predecessors(a)) {
            const auto k = static_cast<std::size_t>(layer[static_cast<std::size_t>(a)]
                                                    - layer[static_cast<std::size_t>(p)] - 1);
            if (bends.size() <= k)
                bends.resize(k + 1, 0);
            bends[k] += k;
        }
    return bends;
}

// Columns by links alone, for drawings too large for columns by time: each activity one
// column after its latest predecessor, and each activity without predecessors one column
// before its first successor, so that links stay short.
std::vector<int> compactColumnsOf(const Network &network)
{
    std::vector<int> layer(static_cast<std::size_t>(network.size()), 0);
    for (const int a : network.topologicalOrder())
        for (const int p : network.predecessors(a))
            layer[static_cast<std::size_t>(a)] = std::max(layer[static_cast<std::size_t>(a)],
                                                          layer[static_cast<std::size_t>(p)] + 1);
    for (int a = 0; a < network.size(); ++a) {
        if (!network.predecessors(a).empty() || network.successors(a).empty())
            continue;
        int first = std::numeric_limits<int>::max();
        for (const int s : network.successors(a))
            first = std::min(first, layer[static_cast<std::size_t>(s)]);
        layer[static_cast<std::size_t>(a)] = first - 1;
    }
    return layer;
}

// Crossings between two neighbouring columns (Barth, Jünger and Mutzel's accumulator tree):
// the edges sorted by their left end, counted by how many earlier ones end lower on the right.
long long crossingsBetween(const LayeredGraph &g, const std::vector<int> &left,
                           const std::vector<int> &positionRight, std::size_t rightSize)
{
    std::vector<int> ends;
    for (const int v : left) {
        std::vector<int> mine;
        for (const int w : g.down[static_cast<std::size_t>(v)])
            mine.push_back(positionRight[static_cast<std::size_t>(w)]);
        std::sort(mine.begin(), mine.end());
        ends.insert(ends.end(), mine.begin(), mine.end());
    }
    std::size_t size = 1;
    while (size < rightSize)
        size *= 2;
    std::vector<long long> tree(2 * size, 0);
    long long crossings = 0;
    for (const int end : ends) {
        std::size_t index = static_cast<std::size_t>(end) + size;
        ++tree[index];
        while (index > 1) {
            if (index % 2 == 0)
                crossings += tree[index + 1];
            index /= 2;
            ++tree[index];
        }
    }
    return crossings;
}

// Crossings between the edges of u and those of v towards one neighbouring column when u
// stands above v.
long long pairCrossings(const std::vector<int> &edgesOfU, const std::vector<int> &edgesOfV,
                        const std::vector<int> &position)
{
    long long crossings = 0;
    for (const int a : edgesOfU)
        for (const int b : edgesOfV)
            crossings
                += position[static_cast<std::size_t>(a)] > position[static_cast<std::size_t>(b)];
    return crossings;
}

// The median of a node's neighbours' positions in one neighbouring column, weighted towards
// the side where they lie closer together when their number is even (Gansner et al.); -1
// for a node without neighbours there.
double medianOf(const std::vector<int> &neighbours, const std::vector<int> &position,
                std::vector<double> &scratch)
{
    scratch.clear();
    for (const int w : neighbours)
        scratch.push_back(position[static_cast<std::size_t>(w)]);
    const std::size_t count = scratch.size();
    if (count == 0)
        return -1;
    std::sort(scratch.begin(), scratch.end());
    const std::size_t m = count / 2;
    if (count % 2 == 1)
        return scratch[m];
    if (count == 2)
        return (scratch[0] + scratch[1]) / 2;
    const double left = scratch[m - 1] - scratch[0], right = scratch[count - 1] - scratch[m];
    if (left + right <= 0)
        return (scratch[m - 1] + scratch[m]) / 2;
    return (scratch[m - 1] * right + scratch[m] * left) / (left + right);
}

// The crossing reduction of layered drawing: median sweeps to the right and back, each
// followed by transposing neighbours, keeping the best order seen.
class Orderer {
public:
    // `budget`: roughly how many node, edge and neighbour-pair visits one improve() may make.
    Orderer(LayeredGraph &g, std::size_t budget)
        : m_g(g), m_position(g.layerOf.size(), 0), m_budget(budget)
    {
        for (const std::vector<int> &next : g.down)
            m_size += next.size() + 1;
    }

    // Looks at the control between sweeps, reporting progress from `from` towards `to` as the
    // work budget is spent.
    void watch(JobControl *control, double from, double to)
    {
        m_control = control;
        m_from = from;
        m_to = to;
    }

    long long count()
    {
        m_work += m_size;
        placeAll();
        long long crossings = 0;
        for (std::size_t l = 0; l + 1 < m_g.columns.size(); ++l)
            crossings
                += crossingsBetween(m_g, m_g.columns[l], m_position, m_g.columns[l + 1].size());
        return crossings;
    }

    // Improves the current order for at most `iterations` sweeps, stopping early when
    // `patience` sweeps in a row find nothing better; leaves the best order in the graph.
    long long improve(int iterations, int patience, int transposePasses)
    {
        m_work = 0;
        long long best = count();
        std::vector<std::vector<int>> bestColumns = m_g.columns;
        int idle = 0;
        for (int iteration = 0;
             iteration < iterations && best > 0 && idle < patience && m_work < m_budget;
             ++iteration) {
            const double spent = static_cast<double>(m_work)
                / static_cast<double>(std::max<std::size_t>(m_budget, 1));
            checkpoint(m_control, m_from + (m_to - m_from) * std::min(1.0, spent));
            const bool right = iteration % 2 == 0;
            // Every other pair of sweeps lets equal neighbours trade places, which walks
            // across plateaus where no single swap helps.
            const bool reverseTies = iteration % 4 >= 2;
            sweep(right, reverseTies);
            transpose(reverseTies, transposePasses);
            const long long crossings = count();
            if (crossings < best) {
                best = crossings;
                bestColumns = m_g.columns;
                idle = 0;
            } else {
                ++idle;
            }
        }
        m_g.columns = std::move(bestColumns);
        placeAll();
        return best;
    }

private:
    void placeAll()
    {
        for (const std::vector<int> &column : m_g.columns)
            numberColumn(column);
    }
    void numberColumn(const std::vector<int> &column)
    {
        for (std::size_t k = 0; k < column.size(); ++k)
            m_position[static_cast<std::size_t>(column[k])] = static_cast<int>(k);
    }

    void sweep(bool right, bool reverseTies)
    {
        const std::size_t count = m_g.columns.size();
        for (std::size_t step = 1; step < count; ++step) {
            const std::size_t c = right ? step : count - 1 - step;
            numberColumn(m_g.columns[right ? c - 1 : c + 1]);
            orderByMedian(m_g.columns[c], right, reverseTies);
            numberColumn(m_g.columns[c]);
        }
    }

    // Nodes with neighbours on the given side move to the order of their medians; those
    // without keep their places.
    void orderByMedian(std::vector<int> &nodes, bool fromLeft, bool reverseTies)
    {
        m_keyed.clear();
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            const auto v = static_cast<std::size_t>(nodes[k]);
            m_work += 1 + (fromLeft ? m_g.up[v] : m_g.down[v]).size();
            const double key = medianOf(fromLeft ? m_g.up[v] : m_g.down[v], m_position, m_scratch);
            if (key >= 0)
                m_keyed.push_back({key, static_cast<int>(k)});
        }
        if (reverseTies)
            std::sort(m_keyed.begin(), m_keyed.end(), [](const auto &a, const auto &b) {
                return a.first < b.first || (a.first == b.first && a.second > b.second);
            });
        else
            std::sort(m_keyed.begin(), m_keyed.end());
        m_moved.clear();
        for (const auto &[key, k] : m_keyed)
            m_moved.push_back(nodes[static_cast<std::size_t>(k)]);
        std::size_t next = 0;
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            const auto v = static_cast<std::size_t>(nodes[k]);
            if (!(fromLeft ? m_g.up[v] : m_g.down[v]).empty())
                nodes[k] = m_moved[next++];
        }
    }

    // Swaps neighbours in a column while that removes crossings with both neighbouring
    // columns (with reverseTies also when it changes nothing); only columns next to one
    // that changed are looked at again. `m_position` must hold every node's place.
    void transpose(bool reverseTies, int passes)
    {
        const std::size_t count = m_g.columns.size();
        std::vector<char> candidate(count, 1);
        for (int pass = 0; pass < passes; ++pass) {
            long long gained = 0;
            for (std::size_t c = 0; c < count; ++c) {
                if (!candidate[c])
                    continue;
                candidate[c] = 0;
                std::vector<int> &column = m_g.columns[c];
                for (std::size_t k = 0; k + 1 < column.size(); ++k) {
                    const auto u = static_cast<std::size_t>(column[k]);
                    const auto v = static_cast<std::size_t>(column[k + 1]);
                    m_work += 1 + m_g.up[u].size() * m_g.up[v].size()
                        + m_g.down[u].size() * m_g.down[v].size();
                    const long long kept = pairCrossings(m_g.up[u], m_g.up[v], m_position)
                        + pairCrossings(m_g.down[u], m_g.down[v], m_position);
                    if (kept == 0 && !reverseTies)
                        continue;
                    const long long swapped = pairCrossings(m_g.up[v], m_g.up[u], m_position)
                        + pairCrossings(m_g.down[v], m_g.down[u], m_position);
                    if (swapped < kept || (reverseTies && kept > 0 && swapped == kept)) {
                        std::swap(column[k], column[k + 1]);
                        m_position[u] = static_cast<int>(k + 1);
                        m_position[v] = static_cast<int>(k);
                        gained += kept - swapped;
                        candidate[c] = 1;
                        if (c > 0)
                            candidate[c - 1] = 1;
                        if (c + 1 < count)
                            candidate[c + 1] = 1;
                    }
                }
            }
            if (gained <= 0 || m_work >= m_budget)
                return;
        }
    }

    LayeredGraph &m_g;
    std::vector<int> m_position;
    std::vector<std::pair<double, int>> m_keyed;
    std::vector<int> m_moved;
    std::vector<double> m_scratch;
    std::size_t m_size = 0; // nodes + edges
    std::size_t m_work = 0, m_budget = 0;
    JobControl *m_control = nullptr;
    double m_from = 0, m_to = 0;
};

// A first order as dot makes it: the columns filled in breadth-first order from the
// activities without predecessors, so that linked nodes start near each other.
std::vector<std::vector<int>> breadthFirstOrder(const LayeredGraph &g)
{
    std::vector<std::vector<int>> columns(g.columns.size());
    std::vector<char> seen(g.layerOf.size(), 0);
    std::vector<int> queue;
    queue.reserve(g.layerOf.size());
    auto visitFrom = [&](int start) {
        if (seen[static_cast<std::size_t>(start)])
            return;
        seen[static_cast<std::size_t>(start)] = 1;
        queue.clear();
        queue.push_back(start);
        for (std::size_t head = 0; head < queue.size(); ++head) {
            const auto v = static_cast<std::size_t>(queue[head]);
            columns[static_cast<std::size_t>(g.layerOf[v])].push_back(static_cast<int>(v));
            for (const int w : g.down[v])
                if (!seen[static_cast<std::size_t>(w)]) {
                    seen[static_cast<std::size_t>(w)] = 1;
                    queue.push_back(w);
                }
        }
    };
    for (const std::vector<int> &column : g.columns)
        for (const int v : column)
            if (g.up[static_cast<std::size_t>(v)].empty())
                visitFrom(v);
    // Every node is reached from one without predecessors; this is only a safeguard.
    for (const std::vector<int> &column : g.columns)
        for (const int v : column)
            visitFrom(v);
    return columns;
}

// Orders one connected part from two first orders, the network's and a breadth-first one,
// keeping the better. Each start may spend a fixed amount of work plus a few visits per node
// and edge, so that large parts stay linear (one start and a few sweeps).
// Returns the part's crossings.
long long orderPart(LayeredGraph &g, const LayoutOptions &options, double from, double to)
{
    std::size_t size = g.layerOf.size();
    for (const std::vector<int> &next : g.down)
        size += next.size();
    const bool large = size > 100'000;
    const int patience = std::max(4, options.sweeps / 2);
    Orderer orderer(g, 1'500'000 + 3 * size);
    const double middle = large ? to : (from + to) / 2;
    orderer.watch(options.control, from, middle);
    long long best = orderer.improve(options.sweeps, patience, 1000);
    if (!large && best > 0) {
        orderer.watch(options.control, middle, to);
        std::vector<std::vector<int>> first = g.columns;
        g.columns = breadthFirstOrder(g);
        const long long other = orderer.improve(options.sweeps, patience, 1000);
        if (other < best)
            best = other;
        else
            g.columns = std::move(first);
    }
    return best;
}

// The connected parts of the drawing's graph, each with its own node numbers (`global`
// gives the drawing's) and only the columns it spans, from `firstLayer`; nodes keep their
// order within each column. Parts come in the order of their first node in the columns.
std::vector<LayeredGraph> splitIntoParts(const LayeredGraph &g)
{
    const std::size_t n = g.layerOf.size();
    std::vector<int> partOf(n, -1);
    std::vector<LayeredGraph> parts;
    std::vector<int> local(n, -1), stack;
    for (const std::vector<int> &column : g.columns) {
        for (const int start : column) {
            if (partOf[static_cast<std::size_t>(start)] >= 0)
                continue;
            const int p = static_cast<int>(parts.size());
            LayeredGraph &part = parts.emplace_back();
            partOf[static_cast<std::size_t>(start)] = p;
            stack.assign(1, start);
            int lo = g.layerOf[static_cast<std::size_t>(start)], hi = lo;
            while (!stack.empty()) {
                const auto v = static_cast<std::size_t>(stack.back());
                stack.pop_back();
                part.global.push_back(static_cast<int>(v));
                lo = std::min(lo, g.layerOf[v]);
                hi = std::max(hi, g.layerOf[v]);
                for (const std::vector<int> *next : {&g.up[v], &g.down[v]})
                    for (const int w : *next)
                        if (partOf[static_cast<std::size_t>(w)] < 0) {
                            partOf[static_cast<std::size_t>(w)] = p;
                            stack.push_back(w);
                        }
            }
            part.firstLayer = lo;
            part.columns.resize(static_cast<std::size_t>(hi - lo + 1));
        }
    }
    for (LayeredGraph &part : parts) {
        // Local numbers in the order of the columns, so that the columns keep their order.
        part.global.clear();
    }
    for (const std::vector<int> &column : g.columns)
        for (const int v : column) {
            LayeredGraph &part
                = parts[static_cast<std::size_t>(partOf[static_cast<std::size_t>(v)])];
            local[static_cast<std::size_t>(v)]
                = part.addNode(g.layerOf[static_cast<std::size_t>(v)]);
            part.global.push_back(v);
            part.columns[static_cast<std::size_t>(g.layerOf[static_cast<std::size_t>(v)]
                                                  - part.firstLayer)]
                .push_back(local[static_cast<std::size_t>(v)]);
        }
    for (std::size_t v = 0; v < n; ++v) {
        LayeredGraph &part = parts[static_cast<std::size_t>(partOf[v])];
        for (const int w : g.down[v])
            part.addEdge(local[v], local[static_cast<std::size_t>(w)]);
    }
    return parts;
}

// How hard a piece of a link pulls its ends to one height: between two bends of one link
// most, between two activities least.
double linkWeight(bool fromBend, bool toBend)
{
    return fromBend && toBend ? 8 : fromBend || toBend ? 2 : 1;
}

// Places one column's nodes as near their wanted heights as the order and the gaps allow:
// least squares under "each node at least `gap` below the one above", solved exactly by
// pooling neighbours that press against each other (isotonic regression).
void placeColumn(const std::vector<double> &wanted, const std::vector<double> &gapAbove,
                 std::vector<double> &placed)
{
    const std::size_t n = wanted.size();
    // With offset(k) the sum of the gaps above node k, z(k) = y(k) - offset(k) must not fall.
    std::vector<double> offset(n, 0);
    for (std::size_t k = 1; k < n; ++k)
        offset[k] = offset[k - 1] + gapAbove[k];
    struct Block {
        double sum;
        std::size_t count;
        double mean() const { return sum / static_cast<double>(count); }
    };
    std::vector<Block> blocks;
    for (std::size_t k = 0; k < n; ++k) {
        blocks.push_back({wanted[k] - offset[k], 1});
        while (blocks.size() > 1 && blocks[blocks.size() - 2].mean() > blocks.back().mean()) {
            blocks[blocks.size() - 2].sum += blocks.back().sum;
            blocks[blocks.size() - 2].count += blocks.back().count;
            blocks.pop_back();
        }
    }
    placed.resize(n);
    std::size_t k = 0;
    for (const Block &block : blocks)
        for (std::size_t c = 0; c < block.count; ++c, ++k)
            placed[k] = block.mean() + offset[k];
}

} // namespace

NetworkLayout layoutNetwork(const Network &network, const Schedule &schedule,
                            const LayoutOptions &options)
{
    const auto n = static_cast<std::size_t>(network.size());
    if (schedule.earliestStart.size() != n)
        throw std::invalid_argument("layoutNetwork: the schedule is not of this network");
    NetworkLayout layout;
    layout.nodes.resize(n);
    if (n == 0)
        return layout;

    // Columns by time, unless their links would need too many bends (in networks far larger
    // than anyone reads): then the compact columns, and if those still need too many, the
    // longest links run straight without bends and take no part in the ordering.
    checkpoint(options.control, 0);
    std::vector<int> layer = columnsOf(network, schedule);
    const std::size_t bendBudget = 100'000 + 4 * (n + network.linkCount());
    std::vector<std::size_t> bendsBySpan = bendsBySpanOf(network, layer);
    if (std::accumulate(bendsBySpan.begin(), bendsBySpan.end(), std::size_t {0}) > bendBudget) {
        layer = compactColumnsOf(network);
        bendsBySpan = bendsBySpanOf(network, layer);
    }
    std::size_t straightAbove = bendsBySpan.size(); // links with more bends run straight
    for (std::size_t bends = 0, total = 0; bends < bendsBySpan.size(); ++bends) {
        total += bendsBySpan[bends];
        if (total > bendBudget) {
            straightAbove = bends - 1;
            break;
        }
    }
    LayeredGraph g;
    g.activities = static_cast<int>(n);
    for (std::size_t i = 0; i < n; ++i)
        g.addNode(layer[i]);
    // Each link's chain of nodes from predecessor to activity, bends included.
    std::vector<std::vector<int>> chains;
    for (int a = 0; a < network.size(); ++a) {
        for (const int p : network.predecessors(a)) {
            std::vector<int> chain = {p};
            const int span
                = layer[static_cast<std::size_t>(a)] - layer[static_cast<std::size_t>(p)];
            const bool straight = static_cast<std::size_t>(span - 1) > straightAbove;
            for (int l = layer[static_cast<std::size_t>(p)] + 1;
                 !straight && l < layer[static_cast<std::size_t>(a)]; ++l)
                chain.push_back(g.addNode(l));
            chain.push_back(a);
            for (std::size_t k = 0; !straight && k + 1 < chain.size(); ++k)
                g.addEdge(chain[k], chain[k + 1]);
            layout.links.push_back({p, a, {}});
            chains.push_back(std::move(chain));
        }
    }
    layout.layerCount = *std::max_element(layer.begin(), layer.end()) + 1;
    g.columns.assign(static_cast<std::size_t>(layout.layerCount), {});
    // First order: activities in the network's topological order, each bend after them.
    for (const int a : network.topologicalOrder())
        g.columns[static_cast<std::size_t>(layer[static_cast<std::size_t>(a)])].push_back(a);
    for (std::size_t v = n; v < g.layerOf.size(); ++v)
        g.columns[static_cast<std::size_t>(g.layerOf[v])].push_back(static_cast<int>(v));

    // Crossing reduction, one connected part of the drawing at a time (parts stacked one
    // under the other never cross), in the order of their first activities.
    std::vector<std::vector<int>> ordered(g.columns.size());
    std::vector<LayeredGraph> parts = splitIntoParts(g);
    for (std::size_t k = 0; k < parts.size(); ++k) {
        LayeredGraph &part = parts[k];
        // The ordering is most of the work: progress from 5 % to 90 % over the parts.
        const double share = 0.85 / static_cast<double>(parts.size());
        layout.crossings += orderPart(part, options, 0.05 + share * static_cast<double>(k),
                                      0.05 + share * static_cast<double>(k + 1));
        for (std::size_t c = 0; c < part.columns.size(); ++c)
            for (const int v : part.columns[c])
                ordered[static_cast<std::size_t>(part.firstLayer) + c].push_back(
                    part.global[static_cast<std::size_t>(v)]);
    }
    g.columns = std::move(ordered);

    // Heights: each node pulled towards its neighbours, a few passes from both sides, the
    // columns kept in order and apart.
    std::vector<double> y(g.layerOf.size(), 0);
    const double rowPitch = options.nodeHeight + options.rowGap;
    for (const std::vector<int> &column : g.columns)
        for (std::size_t k = 0; k < column.size(); ++k)
            y[static_cast<std::size_t>(column[k])] = static_cast<double>(k) * rowPitch;
    auto heightOf = [&](int v) { return v < g.activities ? options.nodeHeight : 0.0; };
    std::vector<double> wanted, gapAbove, placed;
    // Large drawings get fewer passes: each is linear, but not free.
    const int passes = g.layerOf.size() > 100'000 ? 3 : 8;
    for (int pass = 0; pass < passes; ++pass) {
        checkpoint(options.control, 0.9 + 0.1 * pass / passes);
        // Left to right, then back.
        for (std::size_t step = 0; step < g.columns.size(); ++step) {
            const std::vector<int> &column
                = g.columns[pass % 2 == 0 ? step : g.columns.size() - 1 - step];
            wanted.assign(column.size(), 0);
            gapAbove.assign(column.size(), 0);
            for (std::size_t k = 0; k < column.size(); ++k) {
                const auto v = static_cast<std::size_t>(column[k]);
                // Long links pull harder, so that they run straight (weights as in dot).
                double sum = 0, weights = 0;
                for (const std::vector<int> *next : {&g.up[v], &g.down[v]})
                    for (const int w : *next) {
                        const double weight
                            = linkWeight(static_cast<int>(v) >= g.activities, w >= g.activities);
                        sum += weight * y[static_cast<std::size_t>(w)];
                        weights += weight;
                    }
                wanted[k] = weights > 0 ? sum / weights : y[v];
                if (k > 0)
                    gapAbove[k]
                        = (heightOf(column[k - 1]) + heightOf(column[k])) / 2 + options.rowGap;
            }
            placed.clear();
            placeColumn(wanted, gapAbove, placed);
            for (std::size_t k = 0; k < column.size(); ++k)
                y[static_cast<std::size_t>(column[k])] = placed[k];
        }
    }

    // Shift everything so that the top box sits one row gap below 0.
    double top = 0, bottom = 0;
    bool first = true;
    for (std::size_t v = 0; v < y.size(); ++v) {
        const double half = heightOf(static_cast<int>(v)) / 2;
        if (first || y[v] - half < top)
            top = y[v] - half;
        if (first || y[v] + half > bottom)
            bottom = y[v] + half;
        first = false;
    }
    const double shift = options.rowGap - top;
    const double columnPitch = options.nodeWidth + options.layerGap;
    auto xOf = [&](int l) {
        return options.layerGap + static_cast<double>(l) * columnPitch + options.nodeWidth / 2;
    };
    for (std::size_t c = 0; c < g.columns.size(); ++c) {
        for (std::size_t k = 0; k < g.columns[c].size(); ++k) {
            const int v = g.columns[c][k];
            if (v < g.activities)
                layout.nodes[static_cast<std::size_t>(v)]
                    = {static_cast<int>(c),
                       static_cast<int>(k),
                       {xOf(static_cast<int>(c)), y[static_cast<std::size_t>(v)] + shift}};
        }
    }
    for (std::size_t e = 0; e < chains.size(); ++e) {
        const std::vector<int> &chain = chains[e];
        NetworkLayout::Link &link = layout.links[e];
        const LayoutPoint from = layout.nodes[static_cast<std::size_t>(chain.front())].centre;
        const LayoutPoint to = layout.nodes[static_cast<std::size_t>(chain.back())].centre;
        link.points.push_back({from.x + options.nodeWidth / 2, from.y});
        for (std::size_t k = 1; k + 1 < chain.size(); ++k) {
            // Across a column level with its bend, between the boxes there.
            const double x = xOf(g.layerOf[static_cast<std::size_t>(chain[k])]);
            const double at = y[static_cast<std::size_t>(chain[k])] + shift;
            link.points.push_back({x - options.nodeWidth / 2, at});
            link.points.push_back({x + options.nodeWidth / 2, at});
        }
        link.points.push_back({to.x - options.nodeWidth / 2, to.y});
    }
    layout.width = 2 * options.layerGap + static_cast<double>(layout.layerCount) * columnPitch
        - options.layerGap;
    layout.height = bottom - top + 2 * options.rowGap;
    return layout;
}

} // namespace engine
