// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "enginetestsupport.h"
#include "lpreference.h"
#include "randomproject.h"

#include "greedy.h"
#include "leastcost.h"
#include "practiceset.h"
#include "schedule.h"
#include "timecostcurve.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

using engine::Duration;
using engine::Satang;

namespace {

// What every answer of leastCost must satisfy whatever the optimum is: durations between
// crash and normal that finish by the target (exactly at it when it is below normal) and
// cost what the answer says.
void expectFeasible(const engine::Project &project, const engine::LeastCost &answer,
                    Duration target)
{
    const std::size_t n = project.activities.size();
    ASSERT_EQ(answer.durations.size(), n);
    EXPECT_EQ(answer.target, target);
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_GE(answer.durations[i], project.activities[i].crashDuration) << i;
        EXPECT_LE(answer.durations[i], project.activities[i].normalDuration) << i;
    }
    const Duration duration = enginetest::longestPath(project, answer.durations);
    const Duration normal = enginetest::longestPath(project, enginetest::normalDurations(project));
    EXPECT_EQ(answer.projectDuration, duration);
    EXPECT_EQ(duration, std::min(target, normal));
    EXPECT_EQ(answer.cost, enginetest::extraCost(project, answer.durations));
    EXPECT_GE(answer.marginalCost, 0);
}

struct Shaped {
    engine::Project project;
    std::vector<Duration> targets;
};

// Random projects of 1 to 40 activities, each with targets at both ends of its range (the
// normal duration, one below it, the shortest, one above that) and two between.
std::vector<Shaped> randomCases(int count, std::uint64_t seed)
{
    testsupport::Random random(seed);
    std::vector<Shaped> cases;
    for (int k = 0; k < count; ++k) {
        testsupport::ProjectShape shape;
        shape.activities = 1 + static_cast<int>(testsupport::below(random, 40));
        shape.predecessors = static_cast<int>(testsupport::below(random, 4));
        shape.window = testsupport::chance(random, 50)
            ? 0
            : 1 + static_cast<int>(testsupport::below(random, 5));
        shape.maxDuration = std::array<Duration, 3> {3, 10, 30}[static_cast<std::size_t>(k % 3)];
        shape.maxCost
            = std::array<Satang, 3> {10, 5000, 1'000'000}[static_cast<std::size_t>(k / 3 % 3)];
        shape.specialPercent = static_cast<int>(testsupport::between(random, 0, 30));
        Shaped c {testsupport::randomProject(random, shape), {}};
        const Duration normal
            = enginetest::longestPath(c.project, enginetest::normalDurations(c.project));
        const Duration shortest
            = enginetest::longestPath(c.project, enginetest::crashDurations(c.project));
        std::set<Duration> targets
            = {normal, std::max(shortest, normal - 1), shortest, std::min(normal, shortest + 1)};
        for (int t = 0; t < 2; ++t)
            targets.insert(testsupport::between(random, shortest, normal));
        c.targets.assign(targets.begin(), targets.end());
        cases.push_back(std::move(c));
    }
    return cases;
}

} // namespace

TEST(LeastCost, PracticeSet1ByHand)
{
    // From 32 days: B (75 Baht) alone; then H and B (175) as A-D-H turns critical; then D
    // and F (225); then A and F (250) once A-C-G is critical too; then C or G, D and F (425).
    const engine::Project project = enginetest::practiceSet1();
    const engine::Network network(project);
    const Satang expected[] = {0, 7'500, 25'000, 47'500, 72'500, 115'000};
    for (Duration days = 32; days >= 27; --days) {
        SCOPED_TRACE(days);
        const std::optional<engine::LeastCost> answer = engine::leastCost(network, days);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->cost, expected[32 - days]);
        expectFeasible(project, *answer, days);
    }
    EXPECT_FALSE(engine::leastCost(network, 26));
    const std::optional<engine::LeastCost> above = engine::leastCost(network, 40);
    ASSERT_TRUE(above);
    EXPECT_EQ(above->cost, 0);
    expectFeasible(project, *above, 40);

    // The slope changes at every day, so every day is a breakpoint.
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    std::vector<engine::CurvePoint> all;
    for (Duration days = 32; days >= 27; --days)
        all.push_back({days, expected[32 - days]});
    EXPECT_EQ(curve.breakpoints(), all);
    EXPECT_EQ(curve.points(), all);

    const std::vector<engine::GreedyStep> steps = engine::crashGreedily(network, 27);
    std::vector<Satang> perUnit;
    for (const engine::GreedyStep &step : steps)
        perUnit.push_back(step.costPerUnit);
    EXPECT_EQ(perUnit, (std::vector<Satang> {7'500, 17'500, 22'500, 25'000, 42'500}));
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back().totalCost, 115'000);
}

TEST(LeastCost, MatchesGlpkOnRandomNetworks)
{
    std::vector<Shaped> cases = randomCases(300, 1961);
    // The five practice sets at every whole duration they can reach.
    for (int number = 1; number <= 5; ++number) {
        Shaped set {practiceProject(practiceSet(number)), {}};
        const engine::Network network(set.project);
        const Duration normal
            = engine::computeSchedule(network, network.normalDurations()).projectDuration;
        for (Duration d = engine::shortestDuration(network); d <= normal; ++d)
            set.targets.push_back(d);
        cases.push_back(std::move(set));
    }

    std::vector<enginetest::LpProblem> problems;
    std::vector<Satang> answers;
    for (const Shaped &c : cases) {
        const engine::Network network(c.project);
        for (const Duration target : c.targets) {
            SCOPED_TRACE(testing::Message()
                         << c.project.activities.size() << " activities, target " << target);
            const std::optional<engine::LeastCost> answer = engine::leastCost(network, target);
            ASSERT_TRUE(answer);
            expectFeasible(c.project, *answer, target);
            problems.push_back({&c.project, target});
            answers.push_back(answer->cost);
        }
    }

    // Batches keep each glpsol run small while sparing most of the process start-ups.
    const std::size_t batch = 60;
    std::size_t nonZero = 0;
    for (std::size_t first = 0; first < problems.size(); first += batch) {
        const std::vector<enginetest::LpProblem> part(
            problems.begin() + static_cast<std::ptrdiff_t>(first),
            problems.begin()
                + static_cast<std::ptrdiff_t>(std::min(problems.size(), first + batch)));
        const std::vector<double> optima = enginetest::solveWithGlpsol(part);
        for (std::size_t k = 0; k < part.size(); ++k) {
            const double optimum = optima[k];
            // The optimum is a whole number of satang; glpsol's floating point may miss it
            // by far less than one.
            const double rounded = std::round(optimum);
            EXPECT_LT(std::abs(optimum - rounded), 1e-3) << optimum;
            EXPECT_EQ(answers[first + k], static_cast<Satang>(rounded))
                << "problem " << first + k << ": " << part[k].project->activities.size()
                << " activities, target " << part[k].target;
            nonZero += answers[first + k] > 0;
        }
    }
    // The cases must be worth checking: most cost something.
    EXPECT_GT(nonZero, problems.size() / 2);
}
