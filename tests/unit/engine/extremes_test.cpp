// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "enginetestsupport.h"

#include "greedy.h"
#include "leastcost.h"
#include "timecostcurve.h"
#include "validation.h"

#include <gtest/gtest.h>

using engine::Duration;
using engine::Satang;

namespace {

// `count` activities side by side, all predecessors of one last activity "Z".
engine::Project fan(int count, Duration normal, Duration crash, Satang cost, Duration lastNormal,
                    Duration lastCrash, Satang lastCost)
{
    engine::Project project;
    engine::Activity last;
    last.id = "Z";
    for (int i = 0; i < count; ++i) {
        engine::Activity a;
        a.id = 'S' + std::to_string(i);
        a.normalDuration = normal;
        a.crashDuration = crash;
        a.crashCostPerUnit = cost;
        last.predecessors.push_back(a.id);
        project.activities.push_back(std::move(a));
    }
    last.normalDuration = lastNormal;
    last.crashDuration = lastCrash;
    last.crashCostPerUnit = lastCost;
    project.activities.push_back(std::move(last));
    return project;
}

} // namespace

// Numbers at the bounds validate() allows must give exact answers, with no overflow on the
// way (the sanitizer build reports any).
TEST(Extremes, CostsAtTheBounds)
{
    {
        // 10,000 activities that cannot be shortened but carry the largest cost per unit,
        // all before the one activity that can be: a day less costs 1 satang.
        const engine::Project project = fan(10'000, 1, 1, engine::kMaxCostPerUnit, 2, 1, 1);
        ASSERT_TRUE(engine::validate(project).empty());
        const engine::Network network(project);
        const std::vector<engine::GreedyStep> steps = engine::crashGreedily(network, 2);
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].cost, 1);
        ASSERT_EQ(steps[0].cuts.size(), 1u);
        EXPECT_EQ(steps[0].cuts[0].activity, 10'000);
        EXPECT_EQ(engine::leastCost(network, 2)->cost, 1);
    }
    {
        // 10,000 parallel activities whose full crashing costs exactly the largest total
        // allowed, 10^15 satang, for one day less on a project of 10,000 days.
        const engine::Project project
            = fan(10'000, 10'000, 9'999, engine::kMaxCostPerUnit, 0, 0, 0);
        ASSERT_TRUE(engine::validate(project).empty());
        const engine::Network network(project);
        const Satang all = engine::kMaxTotalCrashCost;
        EXPECT_EQ(engine::leastCost(network, 9'999)->cost, all);
        const std::vector<engine::GreedyStep> steps = engine::crashGreedily(network, 9'999);
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].totalCost, all);
        const engine::TimeCostCurve curve = engine::timeCostCurve(network);
        EXPECT_EQ(curve.breakpoints(),
                  (std::vector<engine::CurvePoint> {{10'000, 0}, {9'999, all}}));
    }
    {
        // Long durations: a chain of 1,000 activities of a million days each, one of them
        // crashable by a day at the largest cost.
        engine::Project project;
        for (int i = 0; i < 1'000; ++i) {
            engine::Activity a;
            a.id = 'C' + std::to_string(i);
            if (i > 0)
                a.predecessors = {'C' + std::to_string(i - 1)};
            a.normalDuration = a.crashDuration = engine::kMaxDuration;
            project.activities.push_back(std::move(a));
        }
        project.activities[500].crashDuration = engine::kMaxDuration - 1;
        project.activities[500].crashCostPerUnit = engine::kMaxCostPerUnit;
        const engine::Network network(project);
        const Duration normal = 1'000 * engine::kMaxDuration;
        EXPECT_EQ(engine::leastCost(network, normal - 1)->cost, engine::kMaxCostPerUnit);
        EXPECT_EQ(engine::timeCostCurve(network).costAt(normal - 1), engine::kMaxCostPerUnit);
        EXPECT_EQ(engine::crashGreedily(network, normal - 1).back().totalCost,
                  engine::kMaxCostPerUnit);
    }
}
