// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The network drawing of engine::layoutNetwork against Graphviz dot, the field's standard,
// run as a separate program (dot -Tplain) on the same networks: the five practice sets and
// random networks of 10 to 200 activities, narrow (textbook-like: each activity follows
// some of the few just before it) and wide. Two comparisons:
// - same layers: dot is given our columns and bend nodes (rank=same, every edge between
//   neighbouring columns) and only orders the columns; both orders are counted by one
//   brute-force count of inverted edge pairs between neighbouring columns;
// - free: dot ranks, orders and draws splines as it likes; the crossings are counted
//   geometrically on the drawn lines (dot's B-splines sampled into short segments), pairs
//   of links that share an activity left out; drawing area and aspect beside them.
// Times: ours in the process, dot including its process start.
// Run: layout_compare [path of dot, default /usr/bin/dot] [seeds per size, default 5].

#include "randomproject.h"

#include "networklayout.h"
#include "practiceset.h"
#include "schedule.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Polyline = std::vector<engine::LayoutPoint>;

struct Segment {
    engine::LayoutPoint a, b;
};

double cross(const engine::LayoutPoint &o, const engine::LayoutPoint &p,
             const engine::LayoutPoint &q)
{
    return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
}

// Proper crossing: each segment's ends strictly on both sides of the other's line.
bool properlyCross(const Segment &s, const Segment &t)
{
    const double d1 = cross(s.a, s.b, t.a), d2 = cross(s.a, s.b, t.b);
    const double d3 = cross(t.a, t.b, s.a), d4 = cross(t.a, t.b, s.b);
    const double eps = 1e-9;
    return ((d1 > eps && d2 < -eps) || (d1 < -eps && d2 > eps))
        && ((d3 > eps && d4 < -eps) || (d3 < -eps && d4 > eps));
}

struct Drawn {
    int from, to;
    Polyline line;
};

// Crossing points between the lines of links that share no activity.
long long geometricCrossings(const std::vector<Drawn> &links)
{
    struct Box {
        double x0, y0, x1, y1;
    };
    std::vector<Box> boxes;
    for (const Drawn &d : links) {
        Box b {1e300, 1e300, -1e300, -1e300};
        for (const auto &p : d.line) {
            b.x0 = std::min(b.x0, p.x);
            b.y0 = std::min(b.y0, p.y);
            b.x1 = std::max(b.x1, p.x);
            b.y1 = std::max(b.y1, p.y);
        }
        boxes.push_back(b);
    }
    long long count = 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
        for (std::size_t j = i + 1; j < links.size(); ++j) {
            const Drawn &u = links[i], &v = links[j];
            if (u.from == v.from || u.from == v.to || u.to == v.from || u.to == v.to)
                continue;
            const Box &a = boxes[i], &b = boxes[j];
            if (a.x1 < b.x0 || b.x1 < a.x0 || a.y1 < b.y0 || b.y1 < a.y0)
                continue;
            for (std::size_t p = 0; p + 1 < u.line.size(); ++p)
                for (std::size_t q = 0; q + 1 < v.line.size(); ++q)
                    count += properlyCross({u.line[p], u.line[p + 1]}, {v.line[q], v.line[q + 1]});
        }
    }
    return count;
}

// The layered graph of a layout: columns and one bend node per column a link passes.
struct Layered {
    std::vector<int> layerOf; // activities first, then bends
    std::vector<std::pair<int, int>> edges; // between neighbouring columns
};

Layered layeredOf(const engine::Network &network, const engine::NetworkLayout &layout)
{
    Layered g;
    for (const auto &node : layout.nodes)
        g.layerOf.push_back(node.layer);
    for (int a = 0; a < network.size(); ++a) {
        for (const int p : network.predecessors(a)) {
            int previous = p;
            for (int l = layout.nodes[static_cast<std::size_t>(p)].layer + 1;
                 l < layout.nodes[static_cast<std::size_t>(a)].layer; ++l) {
                g.layerOf.push_back(l);
                const int bend = static_cast<int>(g.layerOf.size()) - 1;
                g.edges.push_back({previous, bend});
                previous = bend;
            }
            g.edges.push_back({previous, a});
        }
    }
    return g;
}

// Pairs of edges between the same two columns whose ends are in opposite orders.
long long inversions(const Layered &g, const std::vector<double> &height)
{
    std::map<int, std::vector<std::pair<double, double>>> byLayer;
    for (const auto &[u, v] : g.edges)
        byLayer[g.layerOf[static_cast<std::size_t>(u)]].push_back(
            {height[static_cast<std::size_t>(u)], height[static_cast<std::size_t>(v)]});
    long long count = 0;
    for (const auto &[layer, edges] : byLayer)
        for (std::size_t i = 0; i < edges.size(); ++i)
            for (std::size_t j = i + 1; j < edges.size(); ++j)
                count
                    += (edges[i].first - edges[j].first) * (edges[i].second - edges[j].second) < 0;
    return count;
}

std::string runDot(const std::string &dot, const std::string &graph, double &milliseconds)
{
    const std::string input = "/tmp/crashkit_layout_compare.gv";
    std::ofstream(input) << graph;
    const auto start = Clock::now();
    FILE *pipe = popen((dot + " -Tplain " + input).c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run dot");
    std::string out;
    std::array<char, 65536> buffer {};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        out.append(buffer.data(), got);
    if (pclose(pipe) != 0)
        throw std::runtime_error("dot failed");
    milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return out;
}

struct DotDrawing {
    double width = 0, height = 0; // points
    std::map<std::string, engine::LayoutPoint> nodes; // centres, points
    std::vector<std::pair<std::pair<std::string, std::string>, Polyline>> edges;
};

DotDrawing readPlain(const std::string &plain)
{
    DotDrawing d;
    std::istringstream in(plain);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "graph") {
            double scale = 1;
            words >> scale >> d.width >> d.height;
            d.width *= 72;
            d.height *= 72;
        } else if (kind == "node") {
            std::string name;
            double x = 0, y = 0;
            words >> name >> x >> y;
            d.nodes[name] = {x * 72, y * 72};
        } else if (kind == "edge") {
            std::string tail, head;
            int count = 0;
            words >> tail >> head >> count;
            std::vector<engine::LayoutPoint> control(static_cast<std::size_t>(count));
            for (auto &p : control) {
                words >> p.x >> p.y;
                p.x *= 72;
                p.y *= 72;
            }
            // Piecewise cubic Bezier: p0, then three points a piece; 8 samples a piece.
            Polyline sampled = {control.front()};
            for (std::size_t k = 0; k + 3 < control.size(); k += 3) {
                for (int s = 1; s <= 8; ++s) {
                    const double t = s / 8.0, u = 1 - t;
                    const auto &p0 = control[k], &p1 = control[k + 1], &p2 = control[k + 2],
                               &p3 = control[k + 3];
                    sampled.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x
                                           + 3 * u * t * t * p2.x + t * t * t * p3.x,
                                       u * u * u * p0.y + 3 * u * u * t * p1.y
                                           + 3 * u * t * t * p2.y + t * t * t * p3.y});
                }
            }
            d.edges.push_back({{tail, head}, std::move(sampled)});
        }
    }
    return d;
}

// Appended rather than added: GCC 12 at -O3 warns falsely (-Wrestrict) about "n" + text.
std::string nodeName(std::size_t v)
{
    std::string name = "n";
    name += std::to_string(v);
    return name;
}

std::string header(const engine::LayoutOptions &o)
{
    std::ostringstream s;
    s << "digraph G {\nrankdir=LR;\nnodesep=" << o.rowGap / 72 << ";\nranksep=" << o.layerGap / 72
      << ";\nnode [shape=box, fixedsize=true, label=\"\", width=" << o.nodeWidth / 72
      << ", height=" << o.nodeHeight / 72 << "];\n";
    return s.str();
}

struct Figures {
    long long oursLayered = 0, dotLayered = 0;
    long long oursDrawn = 0, dotDrawn = 0;
    double oursArea = 0, dotArea = 0, oursAspect = 0, dotAspect = 0;
    double oursMs = 0, dotMs = 0;
    int cases = 0;

    void add(const Figures &f)
    {
        oursLayered += f.oursLayered;
        dotLayered += f.dotLayered;
        oursDrawn += f.oursDrawn;
        dotDrawn += f.dotDrawn;
        oursArea += f.oursArea;
        dotArea += f.dotArea;
        oursAspect += f.oursAspect;
        dotAspect += f.dotAspect;
        oursMs += f.oursMs;
        dotMs += f.dotMs;
        cases += f.cases;
    }
};

Figures compare(const std::string &dot, const engine::Network &network)
{
    Figures f;
    f.cases = 1;
    const engine::LayoutOptions options;
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    engine::NetworkLayout layout;
    int repeats = 0;
    const auto start = Clock::now();
    do {
        layout = engine::layoutNetwork(network, schedule, options);
        ++repeats;
    } while (Clock::now() - start < std::chrono::milliseconds(20));
    f.oursMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeats;

    // Same layers: our bend nodes as points, our columns as ranks.
    const Layered g = layeredOf(network, layout);
    {
        std::vector<double> height(g.layerOf.size(), 0);
        std::vector<int> orderInLayer(g.layerOf.size(), 0);
        // Our heights of the bend nodes are the link's points at the column's centre.
        for (std::size_t a = 0; a < layout.nodes.size(); ++a)
            height[a] = layout.nodes[a].centre.y;
        std::size_t bend = layout.nodes.size();
        for (const auto &link : layout.links) {
            const int first = layout.nodes[static_cast<std::size_t>(link.from)].layer;
            const int last = layout.nodes[static_cast<std::size_t>(link.to)].layer;
            for (int l = first + 1; l < last; ++l) {
                // The link passes column l at one height: take the point nearest its centre.
                const double x = layout.nodes[static_cast<std::size_t>(link.from)].centre.x
                    + (l - first) * (options.nodeWidth + options.layerGap);
                double best = 1e300;
                for (const auto &p : link.points)
                    if (std::abs(p.x - x) < best) {
                        best = std::abs(p.x - x);
                        height[bend] = p.y;
                    }
                ++bend;
            }
        }
        f.oursLayered = inversions(g, height);
        // dot on the same layered graph.
        std::ostringstream graph;
        graph << header(options);
        std::map<int, std::vector<std::size_t>> layers;
        for (std::size_t v = 0; v < g.layerOf.size(); ++v) {
            layers[g.layerOf[v]].push_back(v);
            if (v >= layout.nodes.size())
                graph << "n" << v << " [shape=point, width=0.05, height=0.05];\n";
        }
        for (const auto &[layer, nodes] : layers) {
            graph << "{rank=same;";
            for (const std::size_t v : nodes)
                graph << " n" << v << ";";
            graph << "}\n";
        }
        for (const auto &[u, v] : g.edges)
            graph << "n" << u << " -> n" << v << ";\n";
        graph << "}\n";
        double ms = 0;
        if (dot == "none")
            return f;
        const DotDrawing d = readPlain(runDot(dot, graph.str(), ms));
        std::vector<double> dotHeight(g.layerOf.size(), 0);
        for (std::size_t v = 0; v < g.layerOf.size(); ++v)
            dotHeight[v] = -d.nodes.at(nodeName(v)).y;
        f.dotLayered = inversions(g, dotHeight);
    }

    // Free drawings.
    {
        std::vector<Drawn> ours;
        for (const auto &link : layout.links)
            ours.push_back({link.from, link.to, link.points});
        f.oursDrawn = geometricCrossings(ours);
        f.oursArea = layout.width * layout.height;
        f.oursAspect = layout.width / layout.height;
        std::ostringstream graph;
        graph << header(options);
        for (int a = 0; a < network.size(); ++a)
            graph << "n" << a << ";\n";
        for (int a = 0; a < network.size(); ++a)
            for (const int p : network.predecessors(a))
                graph << "n" << p << " -> n" << a << ";\n";
        graph << "}\n";
        const DotDrawing d = readPlain(runDot(dot, graph.str(), f.dotMs));
        std::vector<Drawn> theirs;
        for (const auto &[ends, line] : d.edges)
            theirs.push_back(
                {std::stoi(ends.first.substr(1)), std::stoi(ends.second.substr(1)), line});
        f.dotDrawn = geometricCrossings(theirs);
        f.dotArea = d.width * d.height;
        f.dotAspect = d.width / d.height;
    }
    return f;
}

void print(const char *what, const Figures &f)
{
    const double n = f.cases;
    std::printf("%-22s %4d | %7lld %7lld | %7lld %7lld | %8.2f %8.2f | %5.2f %5.2f | %8.2f "
                "%8.2f\n",
                what, f.cases, f.oursLayered, f.dotLayered, f.oursDrawn, f.dotDrawn,
                f.oursArea / n / 1e6, f.dotArea / n / 1e6, f.oursAspect / n, f.dotAspect / n,
                f.oursMs / n, f.dotMs / n);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string dot = argc > 1 ? argv[1] : "/usr/bin/dot";
    const int seeds = argc > 2 ? std::stoi(argv[2]) : 5;
    std::printf("%-22s %4s | %15s | %15s | %17s | %11s | %17s\n", "", "", "crossings,",
                "crossings,", "area per case", "aspect w/h", "ms per layout");
    std::printf("%-22s %4s | %15s | %15s | %17s | %11s | %17s\n", "networks", "n", "same layers",
                "free drawing", "(10^6 pt^2)", "", "");
    std::printf("%-22s %4s | %7s %7s | %7s %7s | %8s %8s | %5s %5s | %8s %8s\n", "", "", "ours",
                "dot", "ours", "dot", "ours", "dot", "ours", "dot", "ours", "dot");
    Figures all;
    for (int s = 1; s <= 5; ++s) {
        const engine::Network network(practiceProject(practiceSet(s)));
        const Figures f = compare(dot, network);
        all.add(f);
        std::string what = "practice set ";
        what += std::to_string(s);
        print(what.c_str(), f);
    }
    for (const int window : {4, 0}) {
        for (const int size : {10, 20, 50, 100, 200}) {
            Figures sum;
            for (int seed = 1; seed <= seeds; ++seed) {
                testsupport::Random random(static_cast<std::uint64_t>(size * 1000 + seed));
                testsupport::ProjectShape shape;
                shape.activities = size;
                shape.predecessors = window > 0 ? 1 : 2;
                shape.window = window;
                sum.add(compare(dot, engine::Network(testsupport::randomProject(random, shape))));
            }
            all.add(sum);
            std::string what = window > 0 ? "narrow " : "wide ";
            what += std::to_string(size);
            print(what.c_str(), sum);
        }
    }
    print("all", all);
    return 0;
}
