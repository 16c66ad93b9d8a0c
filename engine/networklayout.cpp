// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "networklayout.h"

#include <algorithm>
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

long long totalCrossings(const LayeredGraph &g, std::vector<int> &position)
{
    for (const std::vector<int> &column : g.columns)
        for (std::size_t k = 0; k < column.size(); ++k)
            position[static_cast<std::size_t>(column[k])] = static_cast<int>(k);
    long long crossings = 0;
    for (std::size_t l = 0; l + 1 < g.columns.size(); ++l)
        crossings += crossingsBetween(g, g.columns[l], position, g.columns[l + 1].size());
    return crossings;
}

// Orders one column by the mean position of each node's neighbours in the column before
// (or after); nodes without such neighbours keep their place.
void orderByBarycentre(LayeredGraph &g, std::size_t column, bool fromLeft,
                       const std::vector<int> &position)
{
    std::vector<int> &nodes = g.columns[column];
    std::vector<std::pair<double, int>> keyed;
    keyed.reserve(nodes.size());
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const int v = nodes[k];
        const std::vector<int> &next
            = fromLeft ? g.up[static_cast<std::size_t>(v)] : g.down[static_cast<std::size_t>(v)];
        double key = static_cast<double>(k);
        if (!next.empty()) {
            double sum = 0;
            for (const int w : next)
                sum += position[static_cast<std::size_t>(w)];
            key = sum / static_cast<double>(next.size());
        }
        keyed.push_back({key, v});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t k = 0; k < nodes.size(); ++k)
        nodes[k] = keyed[k].second;
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

// Swaps neighbours in a column while that removes crossings with both neighbouring columns
// (the "transpose" step of layered drawing); `position` must hold every node's place.
void transpose(LayeredGraph &g, std::vector<int> &position)
{
    for (int pass = 0; pass < 4; ++pass) {
        bool improved = false;
        for (std::vector<int> &column : g.columns) {
            for (std::size_t k = 0; k + 1 < column.size(); ++k) {
                const auto u = static_cast<std::size_t>(column[k]);
                const auto v = static_cast<std::size_t>(column[k + 1]);
                const long long kept = pairCrossings(g.up[u], g.up[v], position)
                    + pairCrossings(g.down[u], g.down[v], position);
                const long long swapped = pairCrossings(g.up[v], g.up[u], position)
                    + pairCrossings(g.down[v], g.down[u], position);
                if (swapped < kept) {
                    std::swap(column[k], column[k + 1]);
                    position[u] = static_cast<int>(k + 1);
                    position[v] = static_cast<int>(k);
                    improved = true;
                }
            }
        }
        if (!improved)
            return;
    }
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

    const std::vector<int> layer = columnsOf(network, schedule);
    LayeredGraph g;
    g.activities = static_cast<int>(n);
    for (std::size_t i = 0; i < n; ++i)
        g.addNode(layer[i]);
    // Each link's chain of nodes from predecessor to activity, bends included.
    std::vector<std::vector<int>> chains;
    for (int a = 0; a < network.size(); ++a) {
        for (const int p : network.predecessors(a)) {
            std::vector<int> chain = {p};
            for (int l = layer[static_cast<std::size_t>(p)] + 1;
                 l < layer[static_cast<std::size_t>(a)]; ++l)
                chain.push_back(g.addNode(l));
            chain.push_back(a);
            for (std::size_t k = 0; k + 1 < chain.size(); ++k)
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

    // Crossing reduction: sweeps to the right and back, keeping the best order seen.
    std::vector<int> position(g.layerOf.size(), 0);
    long long best = totalCrossings(g, position);
    std::vector<std::vector<int>> bestColumns = g.columns;
    for (int sweep = 0; sweep < options.sweeps && best > 0; ++sweep) {
        const bool right = sweep % 2 == 0;
        const std::size_t count = g.columns.size();
        for (std::size_t step = 1; step < count; ++step) {
            const std::size_t column = right ? step : count - 1 - step;
            const std::vector<int> &neighbours = g.columns[right ? column - 1 : column + 1];
            for (std::size_t k = 0; k < neighbours.size(); ++k)
                position[static_cast<std::size_t>(neighbours[k])] = static_cast<int>(k);
            orderByBarycentre(g, column, right, position);
        }
        totalCrossings(g, position);
        transpose(g, position);
        const long long crossings = totalCrossings(g, position);
        if (crossings < best) {
            best = crossings;
            bestColumns = g.columns;
        }
    }
    g.columns = bestColumns;
    layout.crossings = totalCrossings(g, position);

    // Heights: each node pulled towards its neighbours, a few passes from both sides, the
    // columns kept in order and apart.
    std::vector<double> y(g.layerOf.size(), 0);
    const double rowPitch = options.nodeHeight + options.rowGap;
    for (const std::vector<int> &column : g.columns)
        for (std::size_t k = 0; k < column.size(); ++k)
            y[static_cast<std::size_t>(column[k])] = static_cast<double>(k) * rowPitch;
    auto heightOf = [&](int v) { return v < g.activities ? options.nodeHeight : 0.0; };
    std::vector<double> wanted, gapAbove, placed;
    for (int pass = 0; pass < 8; ++pass) {
        for (const std::vector<int> &column : g.columns) {
            wanted.assign(column.size(), 0);
            gapAbove.assign(column.size(), 0);
            for (std::size_t k = 0; k < column.size(); ++k) {
                const auto v = static_cast<std::size_t>(column[k]);
                double sum = 0;
                std::size_t count = 0;
                for (const int w : g.up[v]) {
                    sum += y[static_cast<std::size_t>(w)];
                    ++count;
                }
                for (const int w : g.down[v]) {
                    sum += y[static_cast<std::size_t>(w)];
                    ++count;
                }
                wanted[k] = count > 0 ? sum / static_cast<double>(count) : y[v];
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
        for (std::size_t k = 1; k + 1 < chain.size(); ++k)
            link.points.push_back({xOf(g.layerOf[static_cast<std::size_t>(chain[k])]),
                                   y[static_cast<std::size_t>(chain[k])] + shift});
        link.points.push_back({to.x - options.nodeWidth / 2, to.y});
    }
    layout.width = 2 * options.layerGap + static_cast<double>(layout.layerCount) * columnPitch
        - options.layerGap;
    layout.height = bottom - top + 2 * options.rowGap;
    return layout;
}

} // namespace engine
