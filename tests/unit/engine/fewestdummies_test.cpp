// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The yardsticks of the arrow-diagram tests checked before they judge anything: the exact
// search finds the least number of dummies argued by hand, its drawings pass the check, its
// answer does not change when the project is renumbered or turned around, and the check
// rejects drawings with a planted fault.

#include "arrowcases.h"
#include "fewestdummies.h"
#include "randomproject.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using engine::ArrowDiagram;
using enginetest::arrowDiagramProblem;
using enginetest::fewestDummies;
using enginetest::PredecessorLists;

TEST(FewestDummies, HandCases)
{
    for (const auto &c : enginetest::arrowHandCases()) {
        SCOPED_TRACE(c.what);
        const auto found = fewestDummies(c.predecessors);
        EXPECT_EQ(found.dummies, c.fewestDummies);
        EXPECT_EQ(arrowDiagramProblem(c.predecessors, found.diagram), "");
        EXPECT_EQ(found.diagram.arrows.size(),
                  c.predecessors.size() + static_cast<std::size_t>(found.dummies));
        const auto byMerging = fewestDummies(c.predecessors, enginetest::EventSets::OfPlainDiagram);
        EXPECT_EQ(byMerging.dummies, c.byMerging) << "by merging";
        EXPECT_EQ(arrowDiagramProblem(c.predecessors, byMerging.diagram), "");
    }
    EXPECT_EQ(fewestDummies({}).dummies, 0);
}

// Random lists of up to 7 activities, at several densities, with their activities
// renumbered (any order that keeps predecessors first is as good) and with every link turned
// around (arrows reversed give a drawing of the reversed project with the same dummies). The
// search builds drawings forwards and treats tails and heads differently, so a drawing it
// misses in one direction shows up as a different answer in the other.
TEST(FewestDummies, SameAnswerRenumberedAndReversed)
{
    testsupport::Random random(20260611);
    for (int n = 1; n <= 7; ++n) {
        for (const int percent : {15, 35, 60}) {
            const int samples = n <= 6 ? 6 : 2;
            for (int k = 0; k < samples; ++k) {
                PredecessorLists lists(static_cast<std::size_t>(n));
                for (int y = 0; y < n; ++y)
                    for (int x = 0; x < y; ++x)
                        if (testsupport::chance(random, percent))
                            lists[static_cast<std::size_t>(y)].push_back(x);
                SCOPED_TRACE(::testing::Message()
                             << n << " activities, " << percent << "%, #" << k);
                const auto found = fewestDummies(lists);
                ASSERT_EQ(arrowDiagramProblem(lists, found.diagram), "");

                // New number of y: n-1-y reverses the order, which stays topological for the
                // reversed links.
                PredecessorLists reversed(lists.size());
                for (int y = 0; y < n; ++y)
                    for (const int x : lists[static_cast<std::size_t>(y)])
                        reversed[static_cast<std::size_t>(n - 1 - x)].push_back(n - 1 - y);
                EXPECT_EQ(fewestDummies(reversed).dummies, found.dummies) << "reversed";

                // A random topological renumbering: repeatedly take a random ready activity.
                std::vector<int> newNumber(lists.size(), -1), waiting(lists.size());
                for (std::size_t y = 0; y < lists.size(); ++y)
                    waiting[y] = static_cast<int>(lists[y].size());
                for (int next = 0; next < n; ++next) {
                    std::vector<int> ready;
                    for (int y = 0; y < n; ++y)
                        if (newNumber[static_cast<std::size_t>(y)] < 0
                            && waiting[static_cast<std::size_t>(y)] == 0)
                            ready.push_back(y);
                    const int pick = ready[static_cast<std::size_t>(
                        testsupport::below(random, static_cast<std::int64_t>(ready.size())))];
                    newNumber[static_cast<std::size_t>(pick)] = next;
                    for (int y = 0; y < n; ++y)
                        waiting[static_cast<std::size_t>(y)] -= static_cast<int>(
                            std::count(lists[static_cast<std::size_t>(y)].begin(),
                                       lists[static_cast<std::size_t>(y)].end(), pick));
                }
                PredecessorLists renumbered(lists.size());
                for (int y = 0; y < n; ++y)
                    for (const int x : lists[static_cast<std::size_t>(y)])
                        renumbered[static_cast<std::size_t>(newNumber[static_cast<std::size_t>(y)])]
                            .push_back(newNumber[static_cast<std::size_t>(x)]);
                EXPECT_EQ(fewestDummies(renumbered).dummies, found.dummies) << "renumbered";
            }
        }
    }
}

// The check against drawings of the N shape (a before c; a, b before d) with one fault each.
TEST(ArrowDiagramCheck, FindsPlantedFaults)
{
    const PredecessorLists n = {{}, {}, {0}, {0, 1}};
    using A = ArrowDiagram::Arrow;
    // a: 0->1, b: 0->2, the dummy 1->2, c: 1->3, d: 2->3.
    const ArrowDiagram good {4, {A {0, 1, 0}, A {0, 2, 1}, A {1, 3, 2}, A {2, 3, 3}, A {1, 2}}};
    ASSERT_EQ(arrowDiagramProblem(n, good), "");

    struct Fault {
        const char *what;
        ArrowDiagram diagram;
    };
    const Fault faults[] = {
        {"dummy turned round (b before c, and a no longer before d)",
         {4, {A {0, 1, 0}, A {0, 2, 1}, A {1, 3, 2}, A {2, 3, 3}, A {2, 1}}}},
        {"dummy missing (a no longer before d, head(b) a second finish)",
         {4, {A {0, 1, 0}, A {0, 2, 1}, A {1, 3, 2}, A {2, 3, 3}}}},
        {"c and d parallel", {4, {A {0, 1, 0}, A {0, 2, 1}, A {2, 3, 2}, A {2, 3, 3}, A {1, 2}}}},
        {"dummy parallel to an activity",
         {4, {A {0, 1, 0}, A {0, 2, 1}, A {1, 3, 2}, A {2, 3, 3}, A {1, 2}, A {0, 1}}}},
        {"arrow to a lower event",
         {4, {A {0, 2, 0}, A {0, 1, 1}, A {2, 3, 2}, A {1, 3, 3}, A {2, 1}}}},
        {"activities out of place",
         {4, {A {0, 2, 1}, A {0, 1, 0}, A {1, 3, 2}, A {2, 3, 3}, A {1, 2}}}},
        {"event out of range", {4, {A {0, 1, 0}, A {0, 2, 1}, A {1, 3, 2}, A {2, 4, 3}, A {1, 2}}}},
        {"a second start event",
         {5, {A {0, 1, 0}, A {4, 2, 1}, A {1, 3, 2}, A {2, 3, 3}, A {1, 2}}}},
    };
    for (const Fault &fault : faults)
        EXPECT_NE(arrowDiagramProblem(n, fault.diagram), "") << fault.what;
    // The same fault but with events in another order: found without the ascending rule too.
    EXPECT_NE(arrowDiagramProblem(n, faults[0].diagram, false), "");
    EXPECT_EQ(arrowDiagramProblem(n, faults[4].diagram, false), "") << "a valid drawing";
    EXPECT_NE(arrowDiagramProblem({}, good), "") << "events without activities";
}

} // namespace
