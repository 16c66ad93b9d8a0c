// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The long computations with a job control: asked to stop, each leaves without a result; not
// asked, each gives exactly what it gives without a control and ends with its progress near
// the end; a stop asked from another thread takes effect within one step.

#include "randomproject.h"

#include "greedy.h"
#include "jobcontrol.h"
#include "networklayout.h"
#include "schedule.h"
#include "timecostcurve.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

namespace {

engine::Project projectOf(int activities, std::uint64_t seed)
{
    testsupport::Random random(seed);
    testsupport::ProjectShape shape;
    shape.activities = activities;
    shape.window = 8;
    return testsupport::randomProject(random, shape);
}

struct Computation {
    const char *name;
    // Runs the computation on the network with the control; returns a fingerprint of its
    // result to compare with a run without control.
    std::function<std::uint64_t(const engine::Network &, engine::JobControl *)> run;
};

const Computation computations[] = {
    {"layout",
     [](const engine::Network &network, engine::JobControl *control) {
         engine::LayoutOptions options;
         options.control = control;
         const engine::Schedule schedule
             = engine::computeSchedule(network, network.normalDurations());
         const engine::NetworkLayout layout = engine::layoutNetwork(network, schedule, options);
         std::uint64_t sum = static_cast<std::uint64_t>(layout.crossings);
         for (const auto &node : layout.nodes)
             sum = sum * 31 + static_cast<std::uint64_t>(node.layer * 1000 + node.order);
         return sum;
     }},
    {"curve",
     [](const engine::Network &network, engine::JobControl *control) {
         std::uint64_t sum = 0;
         const engine::TimeCostCurve curve = engine::timeCostCurve(network, control);
         for (const engine::CurvePoint &p : curve.breakpoints())
             sum = sum * 31 + static_cast<std::uint64_t>(p.duration * 7 + p.cost);
         return sum;
     }},
    {"greedy",
     [](const engine::Network &network, engine::JobControl *control) {
         std::uint64_t sum = 0;
         for (const engine::GreedyStep &step :
              engine::crashGreedily(network, engine::shortestDuration(network), control))
             sum = sum * 31 + static_cast<std::uint64_t>(step.durationAfter * 7 + step.totalCost);
         return sum;
     }},
};

} // namespace

TEST(JobControl, AStopBeforeTheStartLeavesWithoutAResult)
{
    const engine::Project project = projectOf(60, 11);
    const engine::Network network(project);
    for (const Computation &c : computations) {
        SCOPED_TRACE(c.name);
        engine::JobControl control;
        control.requestStop();
        EXPECT_THROW(c.run(network, &control), engine::JobStopped);
    }
}

TEST(JobControl, ARunWithAControlGivesTheSameResultAndEndsNearTheEnd)
{
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        const engine::Project project = projectOf(40 + 20 * static_cast<int>(seed), seed);
        const engine::Network network(project);
        for (const Computation &c : computations) {
            SCOPED_TRACE(testing::Message() << c.name << " seed " << seed);
            engine::JobControl control;
            EXPECT_EQ(c.run(network, &control), c.run(network, nullptr));
            EXPECT_GE(control.permille(), 0);
            EXPECT_LE(control.permille(), 1000);
            // The last checkpoint of each comes late in its work (the layout's at its last
            // height pass, the others before their last step).
            if (std::string(c.name) == "layout") {
                EXPECT_GE(control.permille(), 900);
            }
            EXPECT_FALSE(control.stopRequested());
        }
    }
}

TEST(JobControl, AStopFromAnotherThreadEndsTheRunEarly)
{
    // Long enough that a stop after 20 ms comes in the middle of every computation.
    const engine::Project project = projectOf(6000, 5);
    const engine::Network network(project);
    for (const Computation &c : computations) {
        SCOPED_TRACE(c.name);
        engine::JobControl control;
        std::atomic<bool> started {false};
        bool stopped = false;
        std::thread runner([&] {
            started = true;
            try {
                c.run(network, &control);
            } catch (const engine::JobStopped &) {
                stopped = true;
            }
        });
        while (!started)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        control.requestStop();
        runner.join();
        // Each takes far longer than 20 ms at this size: it ended by the stop, not by itself.
        EXPECT_TRUE(stopped);
    }
}

TEST(JobControl, ProgressIsClampedToWholeThousandths)
{
    struct Case {
        double fraction;
        int permille;
    };
    for (const Case c : {Case {-1.0, 0}, Case {0.0, 0}, Case {0.5, 500}, Case {0.9999, 999},
                         Case {1.0, 1000}, Case {7.0, 1000}, Case {std::nan(""), 0}}) {
        engine::JobControl control;
        control.setProgress(c.fraction);
        EXPECT_EQ(control.permille(), c.permille) << c.fraction;
    }
}
