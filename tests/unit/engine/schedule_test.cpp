// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "enginetestsupport.h"
#include "randomproject.h"

#include "schedule.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <unordered_map>

using engine::Duration;
using enginetest::projectOf;

namespace {

struct Times {
    Duration es, ef, ls, lf;
};

struct HandCase {
    const char *what;
    engine::Project project;
    Duration duration;
    std::vector<Times> times; // per activity
    std::vector<std::vector<int>> paths; // every critical path, depth-first order
};

std::vector<std::string> idsOf(const engine::Project &project, const std::vector<int> &path)
{
    std::vector<std::string> ids;
    for (const int a : path)
        ids.push_back(project.activities[static_cast<std::size_t>(a)].id);
    return ids;
}

// How many chains from an activity without predecessors to one without successors are as
// long as the longest, counted by dynamic programming over the project's own lists (index
// order is a topological order) and capped at `cap`.
std::size_t countLongestChains(const engine::Project &project, std::span<const Duration> durations,
                               std::size_t cap)
{
    const std::size_t n = project.activities.size();
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < n; ++i)
        index[project.activities[i].id] = i;
    std::vector<Duration> longest(n);
    std::vector<std::size_t> count(n);
    std::vector<bool> hasSuccessor(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        std::set<std::size_t> predecessors;
        for (const std::string &p : project.activities[i].predecessors)
            predecessors.insert(index.at(p));
        Duration start = 0;
        for (const std::size_t p : predecessors) {
            start = std::max(start, longest[p]);
            hasSuccessor[p] = true;
        }
        longest[i] = start + durations[i];
        count[i] = predecessors.empty() ? 1 : 0;
        for (const std::size_t p : predecessors) {
            if (longest[p] == start)
                count[i] = std::min(cap, count[i] + count[p]);
        }
    }
    const Duration duration = n == 0 ? 0 : *std::max_element(longest.begin(), longest.end());
    std::size_t total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!hasSuccessor[i] && longest[i] == duration)
            total = std::min(cap, total + count[i]);
    }
    return total;
}

// Rungs of two parallel activities, each rung after both of the one before: 2^rungs
// critical paths.
engine::Project ladder(int rungs)
{
    engine::Project project;
    for (int r = 0; r < rungs; ++r) {
        for (const char *side : {"U", "L"}) {
            engine::Activity a;
            a.id = side + std::to_string(r);
            if (r > 0)
                a.predecessors = {"U" + std::to_string(r - 1), "L" + std::to_string(r - 1)};
            a.normalDuration = a.crashDuration = 1;
            project.activities.push_back(a);
        }
    }
    return project;
}

} // namespace

TEST(Schedule, HandWorkedNetworks)
{
    const HandCase cases[] = {
        // Routes: A-C-G 29, A-D-H 31, B-E-H 29, B-F-I 32. Latest times counted back from
        // 32: G, H end at 32 and I too; F must end when I starts (18), so B by 8; A must end
        // by D's latest start 19 - 11 = 8.
        {"practice set 1",
         enginetest::practiceSet1(),
         32,
         {{0, 7, 1, 8},
          {0, 8, 0, 8},
          {7, 16, 10, 19},
          {7, 18, 8, 19},
          {8, 16, 11, 19},
          {8, 18, 8, 18},
          {16, 29, 19, 32},
          {18, 31, 19, 32},
          {18, 32, 18, 32}},
         {{1, 5, 8}}},
        // Every activity is critical, but A-D is no critical link: D waits for B.
        {"milestones of zero duration",
         projectOf({{"S", "", 0, 0, 0},
                    {"A", "S", 3, 3, 0},
                    {"B", "S", 5, 5, 0},
                    {"C", "A", 4, 4, 0},
                    {"D", "A,B", 2, 2, 0},
                    {"M", "C,D", 0, 0, 0}}),
         7,
         {{0, 0, 0, 0}, {0, 3, 0, 3}, {0, 5, 0, 5}, {3, 7, 3, 7}, {5, 7, 5, 7}, {7, 7, 7, 7}},
         {{0, 1, 3, 5}, {0, 2, 4, 5}}},
        // Unconnected activities: each is a path of its own; Z has 2 of float.
        {"no links",
         projectOf({{"X", "", 4, 4, 0}, {"Y", "", 4, 4, 0}, {"Z", "", 2, 2, 0}}),
         4,
         {{0, 4, 0, 4}, {0, 4, 0, 4}, {0, 2, 2, 4}},
         {{0}, {1}}},
        {"nothing but zero durations",
         projectOf({{"P", "", 0, 0, 0}, {"Q", "P", 0, 0, 0}, {"R", "", 0, 0, 0}}),
         0,
         {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
         {{0, 1}, {2}}},
    };
    for (const HandCase &c : cases) {
        SCOPED_TRACE(c.what);
        const engine::Network network(c.project);
        const engine::Schedule s = engine::computeSchedule(network, network.normalDurations());
        EXPECT_EQ(s.projectDuration, c.duration);
        for (std::size_t i = 0; i < c.times.size(); ++i) {
            SCOPED_TRACE(c.project.activities[i].id);
            EXPECT_EQ(s.earliestStart[i], c.times[i].es);
            EXPECT_EQ(s.earliestFinish[i], c.times[i].ef);
            EXPECT_EQ(s.latestStart[i], c.times[i].ls);
            EXPECT_EQ(s.latestFinish[i], c.times[i].lf);
            EXPECT_EQ(s.totalFloat(static_cast<int>(i)), c.times[i].ls - c.times[i].es);
        }
        const engine::CriticalPaths paths = engine::listCriticalPaths(network, s, 100);
        EXPECT_TRUE(paths.complete);
        EXPECT_EQ(paths.paths, c.paths);
    }
}

TEST(Schedule, EmptyNetworkAndWrongSizes)
{
    const engine::Network empty {engine::Project {}};
    const engine::Schedule s = engine::computeSchedule(empty, {});
    EXPECT_EQ(s.projectDuration, 0);
    EXPECT_TRUE(engine::listCriticalPaths(empty, s, 10).paths.empty());
    EXPECT_EQ(engine::shortestDuration(empty), 0);

    const engine::Network set1(enginetest::practiceSet1());
    const std::vector<Duration> tooFew(8, 1);
    EXPECT_THROW(engine::computeSchedule(set1, tooFew), std::invalid_argument);
    // Every activity at its crash duration: A-D-H gives 6 + 9 + 12.
    EXPECT_EQ(engine::shortestDuration(set1), 27);
}

TEST(Schedule, PropertiesOnRandomNetworks)
{
    testsupport::Random random(7);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        testsupport::ProjectShape shape;
        shape.activities = 1 + static_cast<int>(testsupport::below(random, 80));
        shape.predecessors = static_cast<int>(testsupport::below(random, 4));
        shape.window = testsupport::chance(random, 50)
            ? 0
            : 1 + static_cast<int>(testsupport::below(random, 6));
        shape.maxDuration = testsupport::chance(random, 30) ? 3 : 30;
        const engine::Project project = testsupport::randomProject(random, shape);
        const engine::Network network(project);
        const auto n = static_cast<std::size_t>(network.size());
        std::vector<Duration> durations(n);
        for (std::size_t i = 0; i < n; ++i)
            durations[i] = testsupport::between(random, network.crashDurations()[i],
                                                network.normalDurations()[i]);

        const engine::Schedule s = engine::computeSchedule(network, durations);
        EXPECT_EQ(s.projectDuration, enginetest::longestPath(project, durations));
        bool anyCritical = false;
        for (std::size_t i = 0; i < n; ++i) {
            const int a = static_cast<int>(i);
            EXPECT_EQ(s.earliestFinish[i], s.earliestStart[i] + durations[i]);
            EXPECT_EQ(s.latestFinish[i], s.latestStart[i] + durations[i]);
            EXPECT_GE(s.totalFloat(a), 0);
            EXPECT_LE(s.latestFinish[i], s.projectDuration);
            anyCritical = anyCritical || s.isCritical(a);
            // Starts as soon as its last predecessor ends, and ends as late as its first
            // successor allows.
            Duration start = 0;
            for (const int p : network.predecessors(a)) {
                EXPECT_GE(s.earliestStart[i], s.earliestFinish[static_cast<std::size_t>(p)]);
                EXPECT_LE(s.latestFinish[static_cast<std::size_t>(p)], s.latestStart[i]);
                start = std::max(start, s.earliestFinish[static_cast<std::size_t>(p)]);
            }
            EXPECT_EQ(s.earliestStart[i], start);
            if (network.successors(a).empty()) {
                EXPECT_EQ(s.latestFinish[i], s.projectDuration);
            }
        }
        EXPECT_TRUE(anyCritical);

        const std::size_t limit = 2000;
        const engine::CriticalPaths paths = engine::listCriticalPaths(network, s, limit);
        const std::size_t expected = countLongestChains(project, durations, limit + 1);
        EXPECT_EQ(paths.complete, expected <= limit);
        EXPECT_EQ(paths.paths.size(), std::min(expected, limit));
        std::set<std::vector<int>> distinct;
        for (const std::vector<int> &path : paths.paths) {
            ASSERT_FALSE(path.empty());
            EXPECT_TRUE(
                project.activities[static_cast<std::size_t>(path.front())].predecessors.empty());
            EXPECT_TRUE(network.successors(path.back()).empty());
            Duration length = 0;
            for (std::size_t k = 0; k < path.size(); ++k) {
                const auto a = static_cast<std::size_t>(path[k]);
                EXPECT_TRUE(s.isCritical(path[k]));
                length += durations[a];
                if (k > 0) {
                    const std::vector<std::string> &before = project.activities[a].predecessors;
                    EXPECT_NE(
                        std::find(before.begin(), before.end(),
                                  project.activities[static_cast<std::size_t>(path[k - 1])].id),
                        before.end());
                }
            }
            EXPECT_EQ(length, s.projectDuration) << testing::PrintToString(idsOf(project, path));
            distinct.insert(path);
        }
        EXPECT_EQ(distinct.size(), paths.paths.size());
        EXPECT_EQ(engine::shortestDuration(network),
                  enginetest::longestPath(project, enginetest::crashDurations(project)));
    }
}

TEST(Schedule, CriticalPathLimitOnLadders)
{
    struct Case {
        int rungs;
        std::size_t limit;
        std::size_t listed;
        bool complete;
    };
    const Case cases[] = {
        {1, 2, 2, true},
        {1, 1, 1, false},
        {10, 1024, 1024, true},
        {10, 1023, 1023, false},
        {10, 5000, 1024, true},
        {10, 0, 0, false},
        // 2^62 paths: the limit must stop the walk long before.
        {62, 100, 100, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rungs << " rungs, limit " << c.limit);
        const engine::Project project = ladder(c.rungs);
        const engine::Network network(project);
        const engine::Schedule s = engine::computeSchedule(network, network.normalDurations());
        EXPECT_EQ(s.projectDuration, c.rungs);
        const engine::CriticalPaths paths = engine::listCriticalPaths(network, s, c.limit);
        EXPECT_EQ(paths.paths.size(), c.listed);
        EXPECT_EQ(paths.complete, c.complete);
        std::set<std::vector<int>> distinct(paths.paths.begin(), paths.paths.end());
        EXPECT_EQ(distinct.size(), paths.paths.size());
        for (const std::vector<int> &path : paths.paths)
            EXPECT_EQ(path.size(), static_cast<std::size_t>(c.rungs));
    }
}
