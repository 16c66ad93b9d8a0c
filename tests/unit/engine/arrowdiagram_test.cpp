// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The activity-on-arrow drawing checked by its properties on random projects and on projects
// whose least number of dummies is argued by hand: the drawing is valid (enginetest's check
// works from the predecessor lists alone), no dummy can be merged away or dropped, never
// fewer dummies than the exact least, and event times that say what CPM says.

#include "arrowcases.h"
#include "fewestdummies.h"
#include "randomproject.h"

#include "arrowdiagram.h"
#include "schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace {

using engine::ArrowDiagram;
using engine::Duration;
using enginetest::arrowDiagramProblem;
using enginetest::PredecessorLists;

struct RandomArrowCase {
    int activities;
    int window; // 0: wide; > 0: narrow
    int predecessors;
    std::uint64_t seed;
};

std::vector<RandomArrowCase> randomArrowCases()
{
    std::vector<RandomArrowCase> all;
    std::uint64_t seed = 7;
    for (const int activities : {1, 2, 3, 4, 6, 9, 14, 20, 30, 45, 60})
        for (const int window : {0, 3})
            for (const int predecessors : {1, 3})
                for (int k = 0; k < 4; ++k)
                    all.push_back({activities, window, predecessors, seed++});
    return all;
}

engine::Project arrowTestProject(const RandomArrowCase &c)
{
    testsupport::Random random(c.seed);
    testsupport::ProjectShape shape;
    shape.activities = c.activities;
    shape.window = c.window;
    shape.predecessors = c.predecessors;
    return testsupport::randomProject(random, shape);
}

// A project with these lists, every activity taking one unit.
engine::Project arrowTestProject(const PredecessorLists &lists)
{
    engine::Project project;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        engine::Activity a;
        a.id = testsupport::activityId(static_cast<int>(i));
        for (const int p : lists[i])
            a.predecessors.push_back(testsupport::activityId(p));
        a.normalDuration = a.crashDuration = 1;
        project.activities.push_back(a);
    }
    return project;
}

std::string describeArrowCase(const RandomArrowCase &c)
{
    return std::to_string(c.activities) + " activities, window " + std::to_string(c.window)
        + ", about " + std::to_string(c.predecessors) + " predecessors, seed "
        + std::to_string(c.seed);
}

// The drawing with dummy k (an index into arrows) gone: merged (its two events made one) or
// simply removed. A dummy the merge leaves joining the same two events as another arrow is
// dropped as well, since it would be needless then.
ArrowDiagram withoutDummy(const ArrowDiagram &d, std::size_t k, bool merge)
{
    ArrowDiagram result;
    const int from = d.arrows[k].from, to = d.arrows[k].to;
    auto renumber = [&](int e) {
        if (merge && e == to)
            e = from;
        return merge && e > to ? e - 1 : e;
    };
    result.eventCount = merge ? d.eventCount - 1 : d.eventCount;
    std::set<std::pair<int, int>> activityEnds;
    for (std::size_t i = 0; i < d.arrows.size(); ++i) {
        if (!d.arrows[i].isDummy())
            activityEnds.insert({renumber(d.arrows[i].from), renumber(d.arrows[i].to)});
    }
    std::set<std::pair<int, int>> dummyEnds;
    for (std::size_t i = 0; i < d.arrows.size(); ++i) {
        ArrowDiagram::Arrow arrow = d.arrows[i];
        arrow.from = renumber(arrow.from);
        arrow.to = renumber(arrow.to);
        if (arrow.isDummy()) {
            const std::pair ends(arrow.from, arrow.to);
            if (i == k || activityEnds.count(ends) || !dummyEnds.insert(ends).second)
                continue;
        }
        result.arrows.push_back(arrow);
    }
    return result;
}

TEST(ArrowDiagram, ProjectWithoutActivities)
{
    const engine::Network network(engine::Project {});
    const ArrowDiagram diagram = engine::buildArrowDiagram(network);
    EXPECT_EQ(diagram.eventCount, 0);
    EXPECT_TRUE(diagram.arrows.empty());
    EXPECT_EQ(diagram.dummyCount(), 0u);
    EXPECT_EQ(engine::computeEventTimes(diagram, {}).projectDuration, 0);
}

// Valid (paths exactly where the table has precedences, no two arrows on the same two events,
// arrows to higher numbers, event 0 the only start and the last the only finish, activity i's
// arrow at index i), dummies after the activities in the order of their events, and every
// dummy needed: merging its two events adds a precedence, makes a cycle or puts two
// activities on the same two events; removing it loses a precedence or leaves an event
// without a way on.
TEST(ArrowDiagram, RandomProjectsDrawnValidlyWithoutNeedlessDummies)
{
    for (const RandomArrowCase &c : randomArrowCases()) {
        SCOPED_TRACE(describeArrowCase(c));
        const engine::Network network(arrowTestProject(c));
        const PredecessorLists lists = enginetest::predecessorLists(network);
        const ArrowDiagram d = engine::buildArrowDiagram(network);
        ASSERT_EQ(arrowDiagramProblem(lists, d), "");
        const std::size_t n = lists.size();
        EXPECT_EQ(d.dummyCount(), d.arrows.size() - n);
        EXPECT_TRUE(std::is_sorted(d.arrows.begin() + static_cast<std::ptrdiff_t>(n),
                                   d.arrows.end(), [](const auto &a, const auto &b) {
                                       return std::pair(a.from, a.to) < std::pair(b.from, b.to);
                                   }));
        ASSERT_TRUE(d.fullyReduced) << "every project here is within kArrowDiagramFullLimit";
        for (std::size_t k = n; k < d.arrows.size(); ++k) {
            SCOPED_TRACE(::testing::Message()
                         << "dummy " << d.arrows[k].from << " -> " << d.arrows[k].to);
            EXPECT_NE(arrowDiagramProblem(lists, withoutDummy(d, k, true), false), "")
                << "merging its events keeps the drawing valid";
            EXPECT_NE(arrowDiagramProblem(lists, withoutDummy(d, k, false), false), "")
                << "the drawing is valid without it";
        }
    }
}

// The dummies against the exact least by merging (the least of all drawings unless the hand
// case says otherwise) on every hand case and, on random projects of up to 7 activities,
// never fewer (which would mean the search missed a drawing or the construction made an
// event the plain diagram has no set for) nor a drawing the check rejects.
TEST(ArrowDiagram, DummiesAgainstTheLeast)
{
    for (const auto &c : enginetest::arrowHandCases()) {
        SCOPED_TRACE(c.what);
        const ArrowDiagram d
            = engine::buildArrowDiagram(engine::Network(arrowTestProject(c.predecessors)));
        EXPECT_EQ(arrowDiagramProblem(c.predecessors, d), "");
        EXPECT_EQ(d.dummyCount(), static_cast<std::size_t>(c.byMerging));
    }
    testsupport::Random random(31);
    for (int n = 1; n <= 7; ++n) {
        for (const int predecessors : {1, 2, 3}) {
            for (int k = 0; k < (n <= 6 ? 30 : 5); ++k) {
                testsupport::ProjectShape shape;
                shape.activities = n;
                shape.predecessors = predecessors;
                const engine::Network network(testsupport::randomProject(random, shape));
                const PredecessorLists lists = enginetest::predecessorLists(network);
                const ArrowDiagram d = engine::buildArrowDiagram(network);
                SCOPED_TRACE(::testing::Message() << n << " activities, #" << k);
                ASSERT_EQ(arrowDiagramProblem(lists, d), "");
                EXPECT_GE(d.dummyCount(),
                          static_cast<std::size_t>(enginetest::fewestDummies(
                                                       lists, enginetest::EventSets::OfPlainDiagram)
                                                       .dummies));
            }
        }
    }
}

// The event times against CPM's for normal and crash durations: an activity's tail holds its
// earliest start, its head its latest finish, and an arrow is critical exactly when its
// activity has no float. Every event's times are also worked out from the schedule and the
// drawing's paths alone: the earliest is the latest earliest finish of the activities that
// reach it, the latest the earliest latest start of those it reaches. A dummy is critical
// when its two events' times leave no slack. At normal durations a higher event number never
// has an earlier time.
TEST(ArrowDiagram, EventTimesAreCpmTimes)
{
    for (const RandomArrowCase &c : randomArrowCases()) {
        SCOPED_TRACE(describeArrowCase(c));
        const engine::Network network(arrowTestProject(c));
        const ArrowDiagram d = engine::buildArrowDiagram(network);
        const auto events = static_cast<std::size_t>(d.eventCount);
        std::vector<std::vector<int>> out(events);
        for (const auto &arrow : d.arrows)
            out[static_cast<std::size_t>(arrow.from)].push_back(arrow.to);
        // reaches[e][f]: a path leads from e to f (arrows run to higher numbers).
        std::vector<std::vector<bool>> reaches(events, std::vector<bool>(events, false));
        for (std::size_t e = events; e-- > 0;) {
            reaches[e][e] = true;
            for (const int to : out[e])
                for (std::size_t f = 0; f < events; ++f)
                    if (reaches[static_cast<std::size_t>(to)][f])
                        reaches[e][f] = true;
        }
        for (const bool crash : {false, true}) {
            SCOPED_TRACE(crash ? "crash durations" : "normal durations");
            const auto durations = crash ? network.crashDurations() : network.normalDurations();
            const engine::Schedule s = engine::computeSchedule(network, durations);
            const engine::EventTimes t = engine::computeEventTimes(d, durations);
            ASSERT_EQ(t.earliest.size(), events);
            ASSERT_EQ(t.latest.size(), events);
            ASSERT_EQ(t.criticalArrow.size(), d.arrows.size());
            EXPECT_EQ(t.projectDuration, s.projectDuration);
            for (int a = 0; a < network.size(); ++a) {
                const auto &arrow = d.arrows[static_cast<std::size_t>(a)];
                const auto i = static_cast<std::size_t>(a);
                EXPECT_EQ(t.earliest[static_cast<std::size_t>(arrow.from)], s.earliestStart[i]);
                EXPECT_EQ(t.latest[static_cast<std::size_t>(arrow.to)], s.latestFinish[i]);
                EXPECT_EQ(t.criticalArrow[i], s.isCritical(a)) << "activity " << a;
            }
            for (std::size_t e = 0; e < events; ++e) {
                Duration earliest = 0, latest = s.projectDuration;
                for (int a = 0; a < network.size(); ++a) {
                    const auto &arrow = d.arrows[static_cast<std::size_t>(a)];
                    const auto i = static_cast<std::size_t>(a);
                    if (reaches[static_cast<std::size_t>(arrow.to)][e])
                        earliest = std::max(earliest, s.earliestFinish[i]);
                    if (reaches[e][static_cast<std::size_t>(arrow.from)])
                        latest = std::min(latest, s.latestStart[i]);
                }
                EXPECT_EQ(t.earliest[e], earliest) << "event " << e;
                EXPECT_EQ(t.latest[e], latest) << "event " << e;
                EXPECT_EQ(t.isCritical(static_cast<int>(e)), earliest == latest);
                if (!crash && e > 0) {
                    EXPECT_LE(t.earliest[e - 1], t.earliest[e]) << "event " << e;
                }
            }
            for (std::size_t k = static_cast<std::size_t>(network.size()); k < d.arrows.size(); ++k)
                EXPECT_EQ(t.criticalArrow[k],
                          t.latest[static_cast<std::size_t>(d.arrows[k].to)]
                              == t.earliest[static_cast<std::size_t>(d.arrows[k].from)])
                    << "dummy " << k;
        }
    }
}

TEST(ArrowDiagram, StopsWhenAsked)
{
    testsupport::Random random(5);
    testsupport::ProjectShape shape;
    shape.activities = 2'000;
    const engine::Network network(testsupport::randomProject(random, shape));
    engine::JobControl control;
    control.requestStop();
    EXPECT_THROW(engine::buildArrowDiagram(network, &control), engine::JobStopped);
}

} // namespace
