// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Links of every type with lags: the schedule worked by hand, the case where shortening an
// activity lengthens the project, and the exact least cost and curve against two independent
// answers: every combination of durations tried on tiny networks, and glpsol's linear
// programme on larger ones.

#include "leastcost.h"
#include "lpreference.h"
#include "randomproject.h"
#include "schedule.h"
#include "timecostcurve.h"
#include "validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using engine::Duration;
using engine::LinkType;
using engine::Satang;

struct LinkRow {
    const char *id;
    Duration normal, crash;
    Satang cost;
    std::vector<std::pair<const char *, engine::LinkTiming>> links;
};

engine::Project linkedProject(std::initializer_list<LinkRow> rows)
{
    engine::Project project;
    for (const LinkRow &row : rows) {
        engine::Activity a {row.id, "", {}, row.normal, row.crash, row.cost};
        for (const auto &[id, timing] : row.links) {
            a.predecessors.emplace_back(id);
            a.linkTimings.push_back(timing);
        }
        project.activities.push_back(a);
    }
    return project;
}

constexpr LinkType FS = LinkType::FinishToStart, SS = LinkType::StartToStart,
                   FF = LinkType::FinishToFinish, SF = LinkType::StartToFinish;

// Every type once, with lags of both signs. Worked by hand:
//   A 0-4; B SS+2 after A: 2-5; C FF+1 after A: finish >= 5, so 0-5; D FS-1 after B: 4-6;
//   E SF+3 after C: finish >= 3, so 0-6; F FS after D and FF+2 after E: start >= 6 and
//   finish >= 8, so 7-8. Backwards from 8: F 7-8; E by FF+2 finishes by 6: 0-6; D by FS
//   finishes by 7: 5-7; C by SF+3 finishes by 6 - 3 + 5 = 8: 3-8; B by FS-1 finishes by
//   5 + 1 = 6: 3-6; A by SS+2 finishes by 3 - 2 + 4 = 5 and by FF+1 by 8 - 1 = 7: 1-5.
TEST(Links, ScheduleWorkedByHand)
{
    const engine::Project project = linkedProject({
        {"A", 4, 4, 0, {}},
        {"B", 3, 3, 0, {{"A", {SS, 2}}}},
        {"C", 5, 5, 0, {{"A", {FF, 1}}}},
        {"D", 2, 2, 0, {{"B", {FS, -1}}}},
        {"E", 6, 6, 0, {{"C", {SF, 3}}}},
        {"F", 1, 1, 0, {{"D", {FS, 0}}, {"E", {FF, 2}}}},
    });
    const engine::Network network(project);
    ASSERT_FALSE(network.plainLinks());
    const engine::Schedule s = engine::computeSchedule(network, network.normalDurations());
    const std::vector<Duration> es {0, 2, 0, 4, 0, 7}, lf {5, 6, 8, 7, 6, 8};
    EXPECT_EQ(s.projectDuration, 8);
    EXPECT_EQ(s.earliestStart, es);
    EXPECT_EQ(s.latestFinish, lf);
    const engine::CriticalPaths paths = engine::listCriticalPaths(network, s, 10);
    EXPECT_EQ(paths.paths, (std::vector<std::vector<int>> {{4, 5}}));
}

// A finish-to-finish link into B and a start-to-start link out of it: B's start is its
// finish less its duration, so a shorter B starts later and so does C.
engine::Project reverseCase()
{
    return linkedProject({
        {"A", 10, 8, 10000, {}},
        {"B", 4, 2, 5000, {{"A", {FF, 0}}}},
        {"C", 10, 10, 0, {{"B", {SS, 0}}}},
    });
}

TEST(Links, ShorteningCanLengthenTheProject)
{
    const engine::Project project = reverseCase();
    const engine::Network network(project);
    EXPECT_EQ(engine::computeSchedule(network, std::vector<Duration> {10, 4, 10}).projectDuration,
              16);
    EXPECT_EQ(engine::computeSchedule(network, std::vector<Duration> {10, 2, 10}).projectDuration,
              18);
    // Crashing everything is not the shortest: B must stay at its normal 4.
    EXPECT_EQ(engine::computeSchedule(network, network.crashDurations()).projectDuration, 16);
    EXPECT_EQ(engine::shortestDuration(network), 14);
    EXPECT_EQ(engine::shortestDurations(network), (std::vector<Duration> {8, 4, 10}));

    const auto at14 = engine::leastCost(network, 14);
    ASSERT_TRUE(at14);
    EXPECT_EQ(at14->cost, 20000);
    EXPECT_EQ(at14->durations, (std::vector<Duration> {8, 4, 10}));
    EXPECT_FALSE(engine::leastCost(network, 13));
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    EXPECT_EQ(curve.breakpoints(), (std::vector<engine::CurvePoint> {{16, 0}, {14, 20000}}));
}

TEST(Links, RepeatedAndFaultyLinks)
{
    // The same link twice is one; two timings after one activity are two constraints.
    engine::Project project = linkedProject({
        {"A", 4, 4, 0, {}},
        {"B", 2, 2, 0, {{"A", {SS, 1}}, {"A", {SS, 1}}, {"A", {FF, 3}}}},
    });
    const engine::Network network(project);
    EXPECT_EQ(network.predecessors(1).size(), 2u);
    EXPECT_EQ(engine::computeSchedule(network, network.normalDurations()).earliestStart[1], 5);

    project.activities[1].linkTimings.pop_back();
    project.activities[1].linkTimings.front().lag = engine::kMaxLag + 1;
    std::vector<engine::ProblemKind> kinds;
    for (const engine::Problem &p : engine::validate(project))
        kinds.push_back(p.kind);
    EXPECT_EQ(kinds,
              (std::vector<engine::ProblemKind> {engine::ProblemKind::LinkTimingCount,
                                                 engine::ProblemKind::LagTooLarge}));
}

// The schedule of a random linked network is the earliest one: every constraint holds, and
// every start is 0 or held by a link; likewise backwards for the latest finishes.
TEST(Links, ScheduleIsEarliestAndLatest)
{
    testsupport::Random random(11);
    for (int round = 0; round < 200; ++round) {
        const engine::Project project = testsupport::randomProject(
            random, {.activities = 1 + round % 30, .linkPercent = 60, .maxLag = 6});
        const engine::Network network(project);
        const engine::Schedule s = engine::computeSchedule(network, network.normalDurations());
        const auto d = network.normalDurations();
        Duration end = 0;
        for (int i = 0; i < network.size(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            end = std::max(end, s.earliestFinish[k]);
            bool startHeld = s.earliestStart[k] == 0,
                 finishHeld = s.latestFinish[k] == s.projectDuration;
            const auto before = network.predecessors(i);
            const auto timing = network.predecessorTimings(i);
            for (std::size_t m = 0; m < before.size(); ++m) {
                const auto p = static_cast<std::size_t>(before[m]);
                const engine::LinkTiming t = timing.empty() ? engine::LinkTiming {} : timing[m];
                const bool fromFinish = t.type == FS || t.type == FF;
                const bool toStart = t.type == FS || t.type == SS;
                // Early: the linked ends of both, and the same for the late schedule.
                const Duration from = fromFinish ? s.earliestFinish[p] : s.earliestStart[p];
                const Duration to = toStart ? s.earliestStart[k] : s.earliestFinish[k];
                EXPECT_GE(to, from + t.lag) << "round " << round;
                startHeld = startHeld || to == from + t.lag;
            }
            for (const int next : network.successors(i)) {
                const auto j = static_cast<std::size_t>(next);
                const auto after = network.predecessors(next);
                const auto timing2 = network.predecessorTimings(next);
                for (std::size_t m = 0; m < after.size(); ++m) {
                    if (after[m] != i)
                        continue;
                    const engine::LinkTiming t
                        = timing2.empty() ? engine::LinkTiming {} : timing2[m];
                    const bool fromFinish = t.type == FS || t.type == FF;
                    const bool toStart = t.type == FS || t.type == SS;
                    const Duration from = fromFinish ? s.latestFinish[k] : s.latestStart[k];
                    const Duration to = toStart ? s.latestStart[j] : s.latestFinish[j];
                    EXPECT_GE(to, from + t.lag) << "round " << round;
                    finishHeld = finishHeld || to == from + t.lag;
                }
            }
            EXPECT_TRUE(startHeld) << "round " << round << " activity " << i;
            EXPECT_TRUE(finishHeld) << "round " << round << " activity " << i;
            EXPECT_EQ(s.earliestFinish[k] - s.earliestStart[k], d[k]);
            EXPECT_EQ(s.latestFinish[k] - s.latestStart[k], d[k]);
            EXPECT_GE(s.latestStart[k], s.earliestStart[k]);
        }
        EXPECT_EQ(s.projectDuration, end);
    }
}

// Tiny networks, every combination of durations: the shortest duration, the least cost of
// every duration from there to the normal one, and the curve.
TEST(Links, LeastCostEqualsEveryCombinationTried)
{
    testsupport::Random random(5);
    int reverse = 0;
    for (int round = 0; round < 300; ++round) {
        const engine::Project project = testsupport::randomProject(random,
                                                                   {.activities = 3 + round % 4,
                                                                    .maxDuration = 4,
                                                                    .maxCost = 50,
                                                                    .linkPercent = 100,
                                                                    .maxLag = 3});
        const engine::Network network(project);
        const auto n = static_cast<std::size_t>(network.size());
        // Least cost for each project duration over all duration vectors.
        std::vector<Satang> best(64, std::numeric_limits<Satang>::max());
        std::vector<Duration> durations(network.crashDurations().begin(),
                                        network.crashDurations().end());
        Duration crashed = engine::computeSchedule(network, durations).projectDuration;
        for (;;) {
            Satang cost = 0;
            for (std::size_t k = 0; k < n; ++k)
                cost += network.costsPerUnit()[k] * (network.normalDurations()[k] - durations[k]);
            const Duration length = engine::computeSchedule(network, durations).projectDuration;
            best[static_cast<std::size_t>(length)]
                = std::min(best[static_cast<std::size_t>(length)], cost);
            std::size_t k = 0;
            while (k < n && durations[k] == network.normalDurations()[k]) {
                durations[k] = network.crashDurations()[k];
                ++k;
            }
            if (k == n)
                break;
            ++durations[k];
        }
        for (std::size_t t = 1; t < best.size(); ++t)
            best[t] = std::min(best[t], best[t - 1]);
        Duration shortest = 0;
        while (best[static_cast<std::size_t>(shortest)] == std::numeric_limits<Satang>::max())
            ++shortest;
        ASSERT_EQ(engine::shortestDuration(network), shortest) << "round " << round;
        reverse += crashed > shortest;
        const engine::TimeCostCurve curve = engine::timeCostCurve(network);
        EXPECT_EQ(curve.shortestDuration(), shortest);
        for (Duration t = shortest; t <= curve.normalDuration(); ++t) {
            const auto answer = engine::leastCost(network, t);
            ASSERT_TRUE(answer);
            EXPECT_EQ(answer->cost, best[static_cast<std::size_t>(t)])
                << "round " << round << " target " << t;
            EXPECT_LE(engine::computeSchedule(network, answer->durations).projectDuration, t);
            EXPECT_EQ(curve.costAt(t), answer->cost) << "round " << round << " target " << t;
        }
    }
    // The reverse effect must be among the cases, or the test shows little.
    EXPECT_GE(reverse, 5);
}

// Larger networks against glpsol's linear programme, written from the definition.
TEST(Links, LeastCostAgreesWithGlpsol)
{
    testsupport::Random random(23);
    std::vector<engine::Project> projects;
    std::vector<enginetest::LpProblem> problems;
    std::vector<Satang> answers;
    projects.reserve(40);
    for (int round = 0; round < 40; ++round) {
        projects.push_back(testsupport::randomProject(random,
                                                      {.activities = 10 + round,
                                                       .window = round % 2 ? 5 : 0,
                                                       .linkPercent = 50,
                                                       .maxLag = 8}));
        const engine::Network network(projects.back());
        const Duration shortest = engine::shortestDuration(network);
        const Duration normal
            = engine::computeSchedule(network, network.normalDurations()).projectDuration;
        for (const Duration target : {shortest, (shortest + normal) / 2, normal - 1}) {
            if (target < shortest)
                continue;
            problems.push_back({&projects.back(), target});
            answers.push_back(engine::leastCost(network, target)->cost);
        }
    }
    const std::vector<double> optima = enginetest::solveWithGlpsol(problems);
    int nonZero = 0;
    for (std::size_t k = 0; k < problems.size(); ++k) {
        EXPECT_NEAR(optima[k], static_cast<double>(answers[k]), 1e-3)
            << "problem " << k << ", target " << problems[k].target;
        nonZero += answers[k] > 0;
    }
    EXPECT_GT(nonZero, static_cast<int>(problems.size()) / 2);
}

} // namespace
