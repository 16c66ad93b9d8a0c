// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "enginetestsupport.h"
#include "randomproject.h"

#include "greedy.h"
#include "leastcost.h"
#include "schedule.h"
#include "timecostcurve.h"

#include <gtest/gtest.h>

#include <stdexcept>

using engine::Duration;
using engine::Satang;

namespace {

engine::Project randomSmallProject(testsupport::Random &random, int maxActivities,
                                   Duration maxDuration)
{
    testsupport::ProjectShape shape;
    shape.activities = 1 + static_cast<int>(testsupport::below(random, maxActivities));
    shape.predecessors = static_cast<int>(testsupport::below(random, 4));
    shape.window
        = testsupport::chance(random, 50) ? 0 : 1 + static_cast<int>(testsupport::below(random, 4));
    shape.maxDuration = maxDuration;
    shape.maxCost = testsupport::chance(random, 30) ? 5 : 10'000;
    shape.specialPercent = static_cast<int>(testsupport::between(random, 0, 30));
    return testsupport::randomProject(random, shape);
}

// The cheapest set of shortenable activities that leaves no chain as long as `duration`,
// found by trying every set of the critical shortenable ones; nothing when there are more
// than `most` of them.
std::optional<Satang> cheapestCutByBruteForce(const engine::Project &project,
                                              const std::vector<Duration> &durations,
                                              const engine::Schedule &schedule, Duration duration,
                                              std::size_t most)
{
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < durations.size(); ++i) {
        if (schedule.isCritical(static_cast<int>(i))
            && durations[i] > project.activities[i].crashDuration)
            candidates.push_back(i);
    }
    if (candidates.size() > most)
        return std::nullopt;
    std::optional<Satang> best;
    for (std::uint32_t set = 0; set < (1u << candidates.size()); ++set) {
        std::vector<bool> blocked(durations.size(), false);
        Satang cost = 0;
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            if (set & (1u << k)) {
                blocked[candidates[k]] = true;
                cost += project.activities[candidates[k]].crashCostPerUnit;
            }
        }
        if ((!best || cost < *best)
            && enginetest::longestPath(project, durations, blocked) < duration)
            best = cost;
    }
    return best;
}

} // namespace

TEST(Greedy, StepsAreCheapestCutsAndNeverBeatTheOptimum)
{
    testsupport::Random random(1961);
    int steps = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const engine::Project project = randomSmallProject(random, 30, 12);
        const engine::Network network(project);
        const Duration normal
            = enginetest::longestPath(project, enginetest::normalDurations(project));
        const Duration shortest
            = enginetest::longestPath(project, enginetest::crashDurations(project));
        const Duration target = testsupport::chance(random, 25)
            ? shortest
            : testsupport::between(random, shortest, normal);

        engine::GreedyCrashing greedy(network);
        EXPECT_EQ(greedy.start(normal + 1),
                  engine::GreedyCrashing::StartResult::TargetAboveDuration);
        EXPECT_EQ(greedy.start(shortest - 1),
                  engine::GreedyCrashing::StartResult::TargetBelowShortest);
        EXPECT_FALSE(greedy.step());
        ASSERT_EQ(greedy.start(target), engine::GreedyCrashing::StartResult::Started);

        Satang total = 0;
        int number = 0;
        while (true) {
            const std::vector<Duration> before = greedy.durations();
            const engine::Schedule schedule = greedy.schedule();
            const Duration duration = enginetest::longestPath(project, before);
            const std::optional<engine::GreedyStep> step = greedy.step();
            if (!step)
                break;
            ++steps;
            EXPECT_EQ(step->number, ++number);
            EXPECT_EQ(step->durationBefore, duration);
            EXPECT_GE(step->units, 1);
            EXPECT_LE(step->units, duration - target);

            std::vector<bool> cut(before.size(), false);
            Satang perUnit = 0;
            for (const engine::Cut &c : step->cuts) {
                const auto a = static_cast<std::size_t>(c.activity);
                EXPECT_FALSE(cut[a]) << "cut twice";
                cut[a] = true;
                EXPECT_TRUE(schedule.isCritical(c.activity));
                EXPECT_EQ(c.units, step->units);
                EXPECT_EQ(c.costPerUnit, project.activities[a].crashCostPerUnit);
                perUnit += c.costPerUnit;
            }
            // The cut meets every chain as long as the project.
            EXPECT_LT(enginetest::longestPath(project, before, cut), duration);
            for (std::size_t i = 0; i < before.size(); ++i) {
                const Duration expected = cut[i] ? before[i] - step->units : before[i];
                EXPECT_EQ(greedy.durations()[i], expected) << i;
                EXPECT_GE(greedy.durations()[i], project.activities[i].crashDuration) << i;
            }
            EXPECT_EQ(step->costPerUnit, perUnit);
            const std::optional<Satang> cheapest
                = cheapestCutByBruteForce(project, before, schedule, duration, 12);
            if (cheapest) {
                EXPECT_EQ(step->costPerUnit, *cheapest);
            }
            EXPECT_EQ(step->cost, perUnit * step->units);
            total += step->cost;
            EXPECT_EQ(step->totalCost, total);
            EXPECT_EQ(step->durationAfter, enginetest::longestPath(project, greedy.durations()));
            EXPECT_EQ(step->durationAfter, duration - step->units);
            ASSERT_LT(number, 10'000) << "no end";
        }
        EXPECT_TRUE(greedy.finished());
        EXPECT_EQ(enginetest::longestPath(project, greedy.durations()), target);
        EXPECT_EQ(greedy.totalCost(), enginetest::extraCost(project, greedy.durations()));

        const std::optional<engine::LeastCost> optimum = engine::leastCost(network, target);
        ASSERT_TRUE(optimum);
        EXPECT_EQ(optimum->projectDuration, target);
        EXPECT_GE(greedy.totalCost(), optimum->cost);
    }
    EXPECT_GT(steps, 400);
}

TEST(Greedy, CanPayMoreThanTheOptimum)
{
    // Chains W-X-Y (10 days), W-V and U-Y (8 each). The greedy rule first buys two days of
    // X at 1 Baht, then needs W and Y (10 Baht) for the last day: 12 Baht for 7 days. The
    // optimum crashes W, Y and X by one day each: W-X-Y 2 + 3 + 2, W-V 2 + 5, U-Y 5 + 2, for
    // 11 Baht.
    const engine::Project project = enginetest::projectOf({{"W", "", 3, 2, 500},
                                                           {"X", "W", 4, 2, 100},
                                                           {"U", "", 5, 5, 10'000},
                                                           {"Y", "X,U", 3, 2, 500},
                                                           {"V", "W", 5, 5, 10'000}});
    const engine::Network network(project);
    const std::vector<engine::GreedyStep> steps = engine::crashGreedily(network, 7);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].units, 2);
    EXPECT_EQ(steps[0].cost, 200);
    EXPECT_EQ(steps[1].cost, 1'000);
    EXPECT_EQ(steps.back().totalCost, 1'200);
    const std::optional<engine::LeastCost> optimum = engine::leastCost(network, 7);
    ASSERT_TRUE(optimum);
    EXPECT_EQ(optimum->cost, 1'100);
    EXPECT_EQ(optimum->durations, (std::vector<Duration> {2, 3, 5, 2, 5}));
}

TEST(Greedy, StartsFromGivenDurations)
{
    const engine::Network network(enginetest::practiceSet1());
    // B and F already at their crash durations: B-F-I takes 6 + 7 + 14 = 27, A-D-H 31.
    std::vector<Duration> durations(network.normalDurations().begin(),
                                    network.normalDurations().end());
    durations[1] = 6;
    durations[5] = 7;
    engine::GreedyCrashing greedy(network, durations);
    EXPECT_EQ(greedy.schedule().projectDuration, 31);
    EXPECT_EQ(greedy.start(32), engine::GreedyCrashing::StartResult::TargetAboveDuration);
    ASSERT_EQ(greedy.start(30), engine::GreedyCrashing::StartResult::Started);
    const std::optional<engine::GreedyStep> step = greedy.step();
    ASSERT_TRUE(step);
    // A-D-H alone is critical and H (100 Baht) is its cheapest activity.
    ASSERT_EQ(step->cuts.size(), 1u);
    EXPECT_EQ(step->cuts[0].activity, 7);
    EXPECT_EQ(step->totalCost, 10'000);
    EXPECT_FALSE(greedy.step());

    durations[0] = 5; // below A's crash duration
    EXPECT_THROW(engine::GreedyCrashing(network, durations), std::invalid_argument);
    durations[0] = 8; // above its normal one
    EXPECT_THROW(engine::GreedyCrashing(network, durations), std::invalid_argument);
    EXPECT_THROW(engine::GreedyCrashing(network, std::vector<Duration>(3, 1)),
                 std::invalid_argument);
    EXPECT_TRUE(engine::crashGreedily(network, 32).empty());
    EXPECT_TRUE(engine::crashGreedily(network, 26).empty());
}

TEST(TimeCostCurve, AgreesWithLeastCostAtEveryDuration)
{
    testsupport::Random random(1961);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        const engine::Project project = randomSmallProject(random, 15, 8);
        const engine::Network network(project);
        const Duration normal
            = enginetest::longestPath(project, enginetest::normalDurations(project));
        const Duration shortest
            = enginetest::longestPath(project, enginetest::crashDurations(project));
        const engine::TimeCostCurve curve = engine::timeCostCurve(network);
        EXPECT_EQ(curve.normalDuration(), normal);
        EXPECT_EQ(curve.shortestDuration(), shortest);

        // cost[d - shortest] is the least cost at d, one more on each side for the slopes.
        std::vector<Satang> cost;
        std::vector<Satang> marginal;
        for (Duration d = shortest; d <= normal; ++d) {
            const std::optional<engine::LeastCost> answer = engine::leastCost(network, d);
            ASSERT_TRUE(answer);
            cost.push_back(answer->cost);
            marginal.push_back(answer->marginalCost);
        }
        auto at = [&](Duration d) { return cost[static_cast<std::size_t>(d - shortest)]; };
        EXPECT_EQ(at(normal), 0);

        std::vector<engine::CurvePoint> points, breakpoints;
        for (Duration d = normal; d >= shortest; --d) {
            EXPECT_EQ(curve.costAt(d), at(d)) << d;
            points.push_back({d, at(d)});
            if (d < normal) {
                // Non-increasing, and convex: each day less costs at least as much as the one
                // before it.
                const Satang fall = at(d) - at(d + 1);
                EXPECT_GE(fall, 0);
                if (d + 1 < normal) {
                    EXPECT_GE(fall, at(d + 1) - at(d + 2)) << d;
                }
            }
            const bool bends
                = d == normal || d == shortest || at(d - 1) - at(d) != at(d) - at(d + 1);
            if (bends)
                breakpoints.push_back({d, at(d)});
            // The deadline's flow is a slope at d: between the falls on either side.
            if (d < normal) {
                EXPECT_GE(marginal[static_cast<std::size_t>(d - shortest)], at(d) - at(d + 1));
                if (d > shortest) {
                    EXPECT_LE(marginal[static_cast<std::size_t>(d - shortest)], at(d - 1) - at(d));
                }
            }
        }
        EXPECT_EQ(curve.points(), points);
        EXPECT_EQ(curve.breakpoints(), breakpoints);
        EXPECT_EQ(curve.costAt(normal + 7), 0);
        EXPECT_THROW((void)curve.costAt(shortest - 1), std::out_of_range);
    }
}

TEST(TimeCostCurve, LargerNetworksAtSampledDurations)
{
    testsupport::Random random(2026);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        testsupport::ProjectShape shape;
        shape.activities = 300;
        shape.window = round % 2 == 0 ? 0 : 12;
        shape.maxDuration = 40;
        const engine::Project project = testsupport::randomProject(random, shape);
        const engine::Network network(project);
        const engine::TimeCostCurve curve = engine::timeCostCurve(network);
        const std::vector<engine::CurvePoint> &b = curve.breakpoints();
        ASSERT_GE(b.size(), 1u);
        for (std::size_t k = 1; k < b.size(); ++k) {
            EXPECT_LT(b[k].duration, b[k - 1].duration);
            EXPECT_GE(b[k].cost, b[k - 1].cost);
            // Strictly convex at each breakpoint: slopes fall from short to long durations.
            if (k + 1 < b.size()) {
                EXPECT_GT((b[k + 1].cost - b[k].cost) * (b[k - 1].duration - b[k].duration),
                          (b[k].cost - b[k - 1].cost) * (b[k].duration - b[k + 1].duration));
            }
        }
        for (int sample = 0; sample < 8; ++sample) {
            const Duration d
                = testsupport::between(random, curve.shortestDuration(), curve.normalDuration());
            EXPECT_EQ(curve.costAt(d), engine::leastCost(network, d)->cost) << d;
        }
    }
}
