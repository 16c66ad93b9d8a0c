// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The layered network drawing, checked by its properties on random networks: links run left
// to right with one level run per column crossed, boxes never overlap, no link passes over
// a box, columns follow the earliest starts, and the crossings it reports are the crossings
// a brute-force intersection of the drawn pieces finds.

#include "randomproject.h"

#include "networklayout.h"
#include "practiceset.h"
#include "schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

namespace {

using engine::LayoutPoint;

struct Case {
    int activities;
    int window; // 0: wide networks; > 0: narrow, textbook-like ones
    int zeroPercent; // how often an activity takes no time
    std::uint64_t seed;
};

std::vector<Case> cases()
{
    std::vector<Case> all;
    std::uint64_t seed = 1;
    for (const int activities : {1, 2, 5, 12, 30, 60})
        for (const int window : {0, 3})
            for (const int zeroPercent : {0, 10, 40})
                all.push_back({activities, window, zeroPercent, seed++});
    return all;
}

engine::Network networkOf(const Case &c)
{
    testsupport::Random random(c.seed);
    testsupport::ProjectShape shape;
    shape.activities = c.activities;
    shape.window = c.window;
    shape.specialPercent = 0;
    engine::Project project = testsupport::randomProject(random, shape);
    for (engine::Activity &a : project.activities) {
        a.normalDuration
            = testsupport::chance(random, c.zeroPercent) ? 0 : testsupport::between(random, 1, 9);
        a.crashDuration = a.normalDuration;
    }
    return engine::Network(project);
}

double cross(const LayoutPoint &o, const LayoutPoint &p, const LayoutPoint &q)
{
    return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
}

// Each piece's ends strictly on both sides of the other's line.
bool properlyCross(const LayoutPoint &a, const LayoutPoint &b, const LayoutPoint &c,
                   const LayoutPoint &d)
{
    const double d1 = cross(a, b, c), d2 = cross(a, b, d);
    const double d3 = cross(c, d, a), d4 = cross(c, d, b);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

long long bruteForceCrossings(const engine::NetworkLayout &layout)
{
    long long count = 0;
    for (std::size_t i = 0; i < layout.links.size(); ++i)
        for (std::size_t j = i + 1; j < layout.links.size(); ++j) {
            const auto &p = layout.links[i].points, &q = layout.links[j].points;
            for (std::size_t a = 0; a + 1 < p.size(); ++a)
                for (std::size_t b = 0; b + 1 < q.size(); ++b)
                    count += properlyCross(p[a], p[a + 1], q[b], q[b + 1]);
        }
    return count;
}

class LayoutProperties : public ::testing::TestWithParam<Case> { };

TEST_P(LayoutProperties, DrawsEveryLinkAndBoxAsPromised)
{
    const engine::Network network = networkOf(GetParam());
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    const engine::LayoutOptions o;
    const engine::NetworkLayout layout = engine::layoutNetwork(network, schedule, o);
    const auto n = static_cast<std::size_t>(network.size());
    ASSERT_EQ(layout.nodes.size(), n);
    ASSERT_EQ(layout.links.size(), network.linkCount());
    const double pitch = o.nodeWidth + o.layerGap;
    const double eps = 1e-6;

    // Boxes: inside the drawing, the column's x, and apart from each other in a column.
    std::map<int, std::vector<std::size_t>> columns;
    for (std::size_t a = 0; a < n; ++a) {
        const auto &node = layout.nodes[a];
        ASSERT_GE(node.layer, 0);
        ASSERT_LT(node.layer, layout.layerCount);
        EXPECT_NEAR(node.centre.x, o.layerGap + o.nodeWidth / 2 + node.layer * pitch, eps);
        EXPECT_GE(node.centre.y - o.nodeHeight / 2, -eps);
        EXPECT_LE(node.centre.y + o.nodeHeight / 2, layout.height + eps);
        EXPECT_LE(node.centre.x + o.nodeWidth / 2, layout.width + eps);
        columns[node.layer].push_back(a);
    }
    for (auto &[layer, members] : columns) {
        std::sort(members.begin(), members.end(), [&](std::size_t a, std::size_t b) {
            return layout.nodes[a].centre.y < layout.nodes[b].centre.y;
        });
        for (std::size_t k = 0; k + 1 < members.size(); ++k) {
            const auto &upper = layout.nodes[members[k]], &lower = layout.nodes[members[k + 1]];
            EXPECT_GE(lower.centre.y - upper.centre.y, o.nodeHeight + o.rowGap - eps);
            EXPECT_LT(upper.order, lower.order);
        }
    }

    // Links: side to side, left to right, level across each column crossed, between boxes.
    std::size_t e = 0;
    for (int a = 0; a < network.size(); ++a) {
        for (const int p : network.predecessors(a)) {
            const auto &link = layout.links[e++];
            ASSERT_EQ(link.from, p);
            ASSERT_EQ(link.to, a);
            const auto &from = layout.nodes[static_cast<std::size_t>(p)];
            const auto &to = layout.nodes[static_cast<std::size_t>(a)];
            ASSERT_GT(to.layer, from.layer);
            const auto crossed = static_cast<std::size_t>(to.layer - from.layer - 1);
            ASSERT_EQ(link.points.size(), 2 + 2 * crossed);
            EXPECT_NEAR(link.points.front().x, from.centre.x + o.nodeWidth / 2, eps);
            EXPECT_NEAR(link.points.front().y, from.centre.y, eps);
            EXPECT_NEAR(link.points.back().x, to.centre.x - o.nodeWidth / 2, eps);
            EXPECT_NEAR(link.points.back().y, to.centre.y, eps);
            for (std::size_t k = 0; k < crossed; ++k) {
                const LayoutPoint &in = link.points[1 + 2 * k], &out = link.points[2 + 2 * k];
                const int layer = from.layer + 1 + static_cast<int>(k);
                const double centre = o.layerGap + o.nodeWidth / 2 + layer * pitch;
                EXPECT_NEAR(in.x, centre - o.nodeWidth / 2, eps);
                EXPECT_NEAR(out.x, centre + o.nodeWidth / 2, eps);
                EXPECT_EQ(in.y, out.y);
                for (const std::size_t b : columns[layer])
                    EXPECT_GE(std::abs(in.y - layout.nodes[b].centre.y),
                              o.nodeHeight / 2 + o.rowGap - eps);
            }
        }
    }
    EXPECT_EQ(layout.crossings, bruteForceCrossings(layout));
}

// Columns follow the earliest starts: a successor always right of its predecessors, the
// first column holds only activities starting at 0, and when no activity takes zero time
// (so none pushes its successor on) each distinct earliest start is one column, in order.
TEST_P(LayoutProperties, ColumnsFollowEarliestStarts)
{
    const Case c = GetParam();
    const engine::Network network = networkOf(c);
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    const engine::NetworkLayout layout = engine::layoutNetwork(network, schedule);
    std::set<int> used;
    for (int a = 0; a < network.size(); ++a) {
        const auto i = static_cast<std::size_t>(a);
        used.insert(layout.nodes[i].layer);
        for (const int p : network.predecessors(a))
            EXPECT_GT(layout.nodes[i].layer, layout.nodes[static_cast<std::size_t>(p)].layer);
        if (layout.nodes[i].layer == 0) {
            EXPECT_EQ(schedule.earliestStart[i], 0);
        }
    }
    EXPECT_EQ(static_cast<int>(used.size()), layout.layerCount); // no empty column
    if (c.zeroPercent == 0) {
        std::set<engine::Duration> starts(schedule.earliestStart.begin(),
                                          schedule.earliestStart.end());
        for (std::size_t i = 0; i < schedule.earliestStart.size(); ++i)
            EXPECT_EQ(layout.nodes[i].layer,
                      std::distance(starts.begin(), starts.find(schedule.earliestStart[i])));
    }
}

TEST_P(LayoutProperties, IsDeterministic)
{
    const engine::Network network = networkOf(GetParam());
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    const engine::NetworkLayout first = engine::layoutNetwork(network, schedule);
    const engine::NetworkLayout second = engine::layoutNetwork(network, schedule);
    ASSERT_EQ(first.nodes.size(), second.nodes.size());
    for (std::size_t i = 0; i < first.nodes.size(); ++i) {
        EXPECT_EQ(first.nodes[i].order, second.nodes[i].order);
        EXPECT_EQ(first.nodes[i].centre.y, second.nodes[i].centre.y);
    }
    for (std::size_t e = 0; e < first.links.size(); ++e)
        for (std::size_t k = 0; k < first.links[e].points.size(); ++k)
            EXPECT_EQ(first.links[e].points[k].y, second.links[e].points[k].y);
    EXPECT_EQ(first.crossings, second.crossings);
}

INSTANTIATE_TEST_SUITE_P(RandomNetworks, LayoutProperties, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &param) {
                             std::string name = "n";
                             name.append(std::to_string(param.param.activities))
                                 .append("_window")
                                 .append(std::to_string(param.param.window))
                                 .append("_zero")
                                 .append(std::to_string(param.param.zeroPercent));
                             return name;
                         });

// Practice set 1 can be drawn without a crossing; the layout finds such a drawing.
TEST(NetworkLayout, PracticeSetOneHasNoCrossing)
{
    const engine::Network network(practiceProject(practiceSet(1)));
    const engine::NetworkLayout layout = engine::layoutNetwork(
        network, engine::computeSchedule(network, network.normalDurations()));
    EXPECT_EQ(layout.crossings, 0);
    EXPECT_EQ(bruteForceCrossings(layout), 0);
}

// Two chains side by side, first drawn crossed by the network's own order: A1 -> B2 and
// A2 -> B1 with A1 above A2 as listed; the drawing must uncross them.
TEST(NetworkLayout, UncrossesTwoCrossedChains)
{
    engine::Project project;
    auto add = [&](const char *id, std::vector<std::string> before) {
        engine::Activity a;
        a.id = id;
        a.predecessors = std::move(before);
        a.normalDuration = a.crashDuration = 2;
        project.activities.push_back(a);
    };
    add("A1", {});
    add("A2", {});
    add("B1", {"A2"});
    add("B2", {"A1"});
    add("C", {"B1", "B2"});
    const engine::Network network(project);
    const engine::NetworkLayout layout = engine::layoutNetwork(
        network, engine::computeSchedule(network, network.normalDurations()));
    EXPECT_EQ(layout.crossings, 0);
    EXPECT_EQ(bruteForceCrossings(layout), 0);
}

TEST(NetworkLayout, RejectsAScheduleOfAnotherNetworkAndDrawsAnEmptyOne)
{
    const engine::Network network(practiceProject(practiceSet(2)));
    engine::Schedule wrong = engine::computeSchedule(network, network.normalDurations());
    wrong.earliestStart.pop_back();
    EXPECT_THROW(engine::layoutNetwork(network, wrong), std::invalid_argument);

    const engine::Network empty(engine::Project {});
    const engine::NetworkLayout layout
        = engine::layoutNetwork(empty, engine::computeSchedule(empty, {}));
    EXPECT_TRUE(layout.nodes.empty());
    EXPECT_TRUE(layout.links.empty());
    EXPECT_EQ(layout.crossings, 0);
}

} // namespace
