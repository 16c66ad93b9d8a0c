// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "pert.h"
#include "validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using engine::ThreeTimeEstimate;

struct EstimateRow {
    const char *id;
    std::vector<std::string> predecessors;
    double a, m, b;
};

engine::Project projectOf(const std::vector<EstimateRow> &rows)
{
    engine::Project project;
    for (const EstimateRow &row : rows) {
        engine::Activity activity;
        activity.id = row.id;
        activity.predecessors = row.predecessors;
        activity.normalDuration = 1; // never used where estimates are given
        activity.crashDuration = 1;
        activity.estimate = ThreeTimeEstimate {row.a, row.m, row.b};
        project.activities.push_back(activity);
    }
    return project;
}

// Every path from an activity without predecessors to one without successors, found by
// walking the predecessor lists by id: independent of the engine's network.
std::vector<std::vector<int>> allPaths(const engine::Project &project)
{
    const int n = static_cast<int>(project.activities.size());
    auto indexOf = [&](const std::string &id) {
        for (int i = 0; i < n; ++i) {
            if (project.activities[static_cast<std::size_t>(i)].id == id)
                return i;
        }
        return -1;
    };
    std::vector<std::vector<int>> successors(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        for (const std::string &p : project.activities[static_cast<std::size_t>(i)].predecessors)
            successors[static_cast<std::size_t>(indexOf(p))].push_back(i);
    }
    std::vector<std::vector<int>> paths;
    std::vector<int> path;
    auto walk = [&](auto &self, int at) -> void {
        path.push_back(at);
        if (successors[static_cast<std::size_t>(at)].empty())
            paths.push_back(path);
        for (const int next : successors[static_cast<std::size_t>(at)])
            self(self, next);
        path.pop_back();
    };
    for (int i = 0; i < n; ++i) {
        if (project.activities[static_cast<std::size_t>(i)].predecessors.empty())
            walk(walk, i);
    }
    return paths;
}

// The textbook formulas, written out here rather than taken from the engine.
double teOf(const EstimateRow &r)
{
    return (r.a + 4 * r.m + r.b) / 6;
}
double varianceOf(const EstimateRow &r)
{
    return (r.b - r.a) * (r.b - r.a) / 36;
}

engine::PertAnalysis analyse(const engine::Project &project)
{
    const engine::Network network(project);
    return engine::analysePert(project, network);
}

// A six-activity network worked by hand: paths A-C-E-F (4 + 31/6 + 31/6 + 4.5 = 18 5/6),
// A-D-F (14 5/6) and B-E-F (15).
const std::vector<EstimateRow> kWorked = {
    {"A", {}, 2, 4, 6},     {"B", {}, 3, 5, 9},         {"C", {"A"}, 4, 5, 7},
    {"D", {"A"}, 4, 6, 10}, {"E", {"B", "C"}, 4, 5, 7}, {"F", {"D", "E"}, 3, 4, 8},
};

TEST(Pert, WorkedExampleMatchesTheLongestOfAllPaths)
{
    const engine::Project project = projectOf(kWorked);
    const engine::PertAnalysis pert = analyse(project);

    for (std::size_t i = 0; i < kWorked.size(); ++i) {
        EXPECT_DOUBLE_EQ(pert.expected[i], teOf(kWorked[i])) << kWorked[i].id;
        EXPECT_DOUBLE_EQ(pert.variance[i], varianceOf(kWorked[i])) << kWorked[i].id;
    }
    EXPECT_NEAR(pert.expected[3], 38.0 / 6, 1e-12);
    EXPECT_NEAR(pert.variance[5], 25.0 / 36, 1e-12);

    const std::vector<std::vector<int>> paths = allPaths(project);
    ASSERT_EQ(paths.size(), 3u);
    std::size_t longest = 0;
    std::vector<double> lengths;
    for (const std::vector<int> &path : paths) {
        double length = 0;
        for (const int a : path)
            length += teOf(kWorked[static_cast<std::size_t>(a)]);
        lengths.push_back(length);
        if (length > lengths[longest])
            longest = lengths.size() - 1;
    }
    EXPECT_EQ(pert.criticalPath, paths[longest]);
    EXPECT_EQ(pert.criticalPath, (std::vector<int> {0, 2, 4, 5}));
    EXPECT_NEAR(pert.expectedDuration, 18.0 + 5.0 / 6, 1e-9);
    const double variance = 16.0 / 36 + 9.0 / 36 + 9.0 / 36 + 25.0 / 36;
    EXPECT_NEAR(pert.pathVariance, variance, 1e-12);
    EXPECT_NEAR(pert.standardDeviation, std::sqrt(variance), 1e-12);
    EXPECT_EQ(pert.tiedPaths, 1u);
    EXPECT_TRUE(pert.tiedPathsComplete);
}

// Phi(z) for a few z, from the series Phi(z) = 1/2 + phi(z) (z + z^3/3 + z^5/(3*5) + ...),
// which converges for every z: no erf involved.
double phiBySeries(double z)
{
    const double pi = std::acos(-1.0);
    double term = z, sum = z;
    for (int k = 1; k < 200; ++k) {
        term *= z * z / (2 * k + 1);
        sum += term;
    }
    return 0.5 + std::exp(-z * z / 2) / std::sqrt(2 * pi) * sum;
}

TEST(Pert, ProbabilityIsTheNormalDistribution)
{
    // Values of the standard normal distribution as printed in tables.
    const struct {
        double z, phi;
    } table[] = {{0.0, 0.5},          {1.0, 0.841344746},  {-1.0, 0.158655254}, {2.0, 0.977249868},
                 {1.96, 0.975002105}, {-2.5, 0.006209665}, {1.645, 0.950015}};
    engine::PertAnalysis pert;
    pert.expectedDuration = 18.5;
    pert.standardDeviation = 1.25;
    for (const auto &row : table) {
        EXPECT_NEAR(phiBySeries(row.z), row.phi, 1e-6) << row.z;
        const double day = pert.expectedDuration + row.z * pert.standardDeviation;
        EXPECT_NEAR(engine::probabilityOfFinishingBy(pert, day), row.phi, 1e-6) << row.z;
    }
    for (double z = -6; z <= 6; z += 0.25)
        EXPECT_NEAR(engine::probabilityOfFinishingBy(pert, 18.5 + 1.25 * z), phiBySeries(z), 1e-12)
            << z;

    // The worked example by day 20: Z = (20 - 18 5/6) / sqrt(59/36) = 0.9113...
    const engine::PertAnalysis worked = analyse(projectOf(kWorked));
    const double z = (20 - (18.0 + 5.0 / 6)) / std::sqrt(59.0 / 36);
    EXPECT_NEAR(engine::probabilityOfFinishingBy(worked, 20), phiBySeries(z), 1e-9);
} // namespace

TEST(Pert, DayForProbabilityInvertsProbability)
{
    const engine::PertAnalysis pert = analyse(projectOf(kWorked));
    std::mt19937 random(20260);
    std::uniform_real_distribution<double> uniform(1e-6, 1 - 1e-6);
    for (int i = 0; i < 1000; ++i) {
        const double p = uniform(random);
        const std::optional<double> day = engine::dayForProbability(pert, p);
        ASSERT_TRUE(day.has_value()) << p;
        EXPECT_NEAR(engine::probabilityOfFinishingBy(pert, *day), p, 1e-12 + 1e-9 * p) << p;
    }
    // Textbook quantiles: z(0.95) = 1.6449, z(0.5) = 0.
    EXPECT_NEAR(*engine::dayForProbability(pert, 0.5), pert.expectedDuration, 1e-9);
    EXPECT_NEAR(*engine::dayForProbability(pert, 0.95),
                pert.expectedDuration + 1.644853627 * pert.standardDeviation, 1e-8);

    for (const double bad : {0.0, 1.0, -0.5, 1.5, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(engine::dayForProbability(pert, bad).has_value()) << bad;
}

TEST(Pert, WithoutSpreadTheDurationIsCertain)
{
    const engine::PertAnalysis pert
        = analyse(projectOf({{"A", {}, 3, 3, 3}, {"B", {"A"}, 2, 2, 2}}));
    EXPECT_DOUBLE_EQ(pert.expectedDuration, 5);
    EXPECT_EQ(pert.standardDeviation, 0);
    EXPECT_EQ(engine::probabilityOfFinishingBy(pert, 5), 1);
    EXPECT_EQ(engine::probabilityOfFinishingBy(pert, 4.999), 0);
    EXPECT_EQ(engine::probabilityOfFinishingBy(pert, 6), 1);
    EXPECT_DOUBLE_EQ(*engine::dayForProbability(pert, 0.9), 5);
}

TEST(Pert, ActivitiesWithoutEstimatesCountWithTheirNormalDuration)
{
    engine::Project project = projectOf({{"A", {}, 1, 2, 9}, {"B", {"A"}, 0, 0, 0}});
    project.activities[1].estimate.reset();
    project.activities[1].normalDuration = 7;
    const engine::PertAnalysis pert = analyse(project);
    EXPECT_DOUBLE_EQ(pert.expected[1], 7);
    EXPECT_EQ(pert.variance[1], 0);
    EXPECT_DOUBLE_EQ(pert.expectedDuration, (1 + 8 + 9) / 6.0 + 7);
    EXPECT_DOUBLE_EQ(pert.pathVariance, 64.0 / 36);
    EXPECT_EQ(pert.criticalPath, (std::vector<int> {0, 1}));
}

TEST(Pert, TiedPathsTakeTheLargestVariance)
{
    // Two paths of expected time 4 + 1 into C, and two ends of expected time 5, each listed in
    // both orders so that neither the first nor the last activity wins by position.
    const struct {
        const char *name;
        std::vector<EstimateRow> rows;
        std::vector<int> expectedPath;
        double variance;
    } cases[] = {
        {"join, wide first",
         {{"W", {}, 1, 4, 7}, {"N", {}, 2, 4, 6}, {"C", {"W", "N"}, 1, 1, 1}},
         {0, 2},
         1.0},
        {"join, wide last",
         {{"N", {}, 2, 4, 6}, {"W", {}, 1, 4, 7}, {"C", {"N", "W"}, 1, 1, 1}},
         {1, 2},
         1.0},
        {"two ends, wide first", {{"W", {}, 0, 5, 10}, {"N", {}, 4, 5, 6}}, {0}, 100.0 / 36},
        {"two ends, wide last", {{"N", {}, 4, 5, 6}, {"W", {}, 0, 5, 10}}, {1}, 100.0 / 36},
        // The same mean by different sums: 3 x 0.1 against 0.3, which differ in the last bit.
        {"decimals",
         {{"P1", {}, 0, 0.1, 0.2},
          {"P2", {"P1"}, 0, 0.1, 0.2},
          {"P3", {"P2"}, 0, 0.1, 0.2},
          {"Q", {}, 0.3, 0.3, 0.3}},
         {0, 1, 2},
         3 * 0.04 / 36},
    };
    for (const auto &c : cases) {
        const engine::Project project = projectOf(c.rows);
        const engine::PertAnalysis pert = analyse(project);
        EXPECT_EQ(pert.criticalPath, c.expectedPath) << c.name;
        EXPECT_NEAR(pert.pathVariance, c.variance, 1e-12) << c.name;
        EXPECT_EQ(pert.tiedPaths, 2u) << c.name;
        EXPECT_TRUE(pert.tiedPathsComplete) << c.name;
        // The tie is real: every path listed by hand is that long.
        for (const std::vector<int> &path : allPaths(project)) {
            double length = 0;
            for (const int a : path)
                length += teOf(c.rows[static_cast<std::size_t>(a)]);
            EXPECT_NEAR(length, pert.expectedDuration, 1e-9) << c.name;
        }
    }
}

// k stages of two equal activities in parallel, each stage after both of the one before:
// 2^k paths, all of the same expected time.
engine::Project ladder(int stages)
{
    std::vector<EstimateRow> rows;
    std::vector<std::string> ids;
    std::vector<std::string> before;
    for (int s = 0; s < stages; ++s) {
        ids.push_back("U" + std::to_string(s));
        ids.push_back("L" + std::to_string(s));
    }
    for (int s = 0; s < stages; ++s) {
        const std::vector<std::string> predecessors = before;
        rows.push_back({ids[static_cast<std::size_t>(2 * s)].c_str(), predecessors, 1, 2, 3});
        rows.push_back({ids[static_cast<std::size_t>(2 * s + 1)].c_str(), predecessors, 1, 2, 3});
        before = {ids[static_cast<std::size_t>(2 * s)], ids[static_cast<std::size_t>(2 * s + 1)]};
    }
    return projectOf(rows);
}

TEST(Pert, TiedPathsAreCountedUpToTheLimit)
{
    const engine::Project small = ladder(5);
    const engine::PertAnalysis pert = analyse(small);
    EXPECT_EQ(pert.tiedPaths, allPaths(small).size());
    EXPECT_EQ(pert.tiedPaths, 32u);
    EXPECT_TRUE(pert.tiedPathsComplete);
    EXPECT_EQ(pert.criticalPath.size(), 5u);
    EXPECT_NEAR(pert.expectedDuration, 10, 1e-12);

    const engine::PertAnalysis large = analyse(ladder(11)); // 2048 paths
    EXPECT_EQ(large.tiedPaths, engine::kPertTiedPathLimit);
    EXPECT_FALSE(large.tiedPathsComplete);
    const engine::PertAnalysis huge = analyse(ladder(200)); // 2^200: the count must not wrap
    EXPECT_EQ(huge.tiedPaths, engine::kPertTiedPathLimit);
    EXPECT_FALSE(huge.tiedPathsComplete);
    EXPECT_NEAR(huge.expectedDuration, 400, 1e-9);
}

TEST(Pert, EmptyProject)
{
    const engine::PertAnalysis pert = analyse(engine::Project {});
    EXPECT_EQ(pert.expectedDuration, 0);
    EXPECT_TRUE(pert.criticalPath.empty());
    EXPECT_EQ(pert.tiedPaths, 0u);
}

TEST(PertValidation, BadEstimatesAreProblemsOfTheirActivity)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double top = static_cast<double>(engine::kMaxDuration);
    // The kind reported and the estimate it is placed on (0 a, 1 m, 2 b): one that has
    // that fault, even when another has a fault tried later.
    const struct {
        ThreeTimeEstimate estimate;
        std::optional<engine::ProblemKind> kind;
        std::size_t atFault = 0;
    } cases[] = {
        {{1, 2, 3}, std::nullopt},
        {{0, 0, 0}, std::nullopt},
        {{-0.0, 0, 0}, std::nullopt},
        {{2.5, 2.5, 2.5}, std::nullopt},
        {{0, top, top}, std::nullopt},
        {{nan, 2, 3}, engine::ProblemKind::EstimateNotFinite, 0},
        {{1, 2, inf}, engine::ProblemKind::EstimateNotFinite, 2},
        {{-1, 2, inf}, engine::ProblemKind::EstimateNotFinite, 2},
        {{-1, 2, 3}, engine::ProblemKind::EstimateNegative, 0},
        {{-3, -2, -1}, engine::ProblemKind::EstimateNegative, 0},
        {{top + 1, -1, 5}, engine::ProblemKind::EstimateNegative, 1},
        {{1, 2, top + 0.5}, engine::ProblemKind::EstimateTooLarge, 2},
        {{5, top + 1, 3}, engine::ProblemKind::EstimateTooLarge, 1},
        {{3, 2, 4}, engine::ProblemKind::EstimateOrder, 1},
        {{1, 5, 4}, engine::ProblemKind::EstimateOrder, 2},
        {{5, 4, 3}, engine::ProblemKind::EstimateOrder, 1},
        {{1, 1, 0.5}, engine::ProblemKind::EstimateOrder, 2},
    };
    for (const auto &c : cases) {
        engine::Project project = projectOf({{"A", {}, 1, 2, 3}, {"B", {"A"}, 1, 2, 3}});
        project.activities[1].estimate = c.estimate;
        const std::vector<engine::Problem> problems = engine::validate(project);
        const std::string shown = std::to_string(c.estimate.optimistic) + " "
            + std::to_string(c.estimate.mostLikely) + " " + std::to_string(c.estimate.pessimistic);
        EXPECT_EQ(engine::estimateAtFault(c.estimate), c.atFault) << shown;
        if (!c.kind) {
            EXPECT_TRUE(problems.empty()) << shown;
            continue;
        }
        ASSERT_EQ(problems.size(), 1u) << shown;
        EXPECT_EQ(problems[0].kind, *c.kind) << shown;
        EXPECT_EQ(problems[0].activity, 1) << shown;
        EXPECT_NE(engine::describe(problems[0], project).find("activity B"), std::string::npos);
        EXPECT_THROW(engine::Network {project}, std::invalid_argument) << shown;
    }
}

} // namespace
