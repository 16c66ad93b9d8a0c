// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The activity-on-arrow drawing with Google Benchmark: engine::buildArrowDiagram on 1,000
// and 10,000 activities against computeSchedule on the same network, measured in the same
// run, printed after the table as a ratio with the absolute times (goal: 1,000 activities
// under 100 ms). Two shapes: narrow (each activity follows some of the ten before it, like
// a real plan) and wide (links anywhere back).
// Run: arrowdiagram_bench [Google Benchmark flags], pinned to one core (taskset -c 0).

#include "randomproject.h"

#include "arrowdiagram.h"
#include "network.h"
#include "schedule.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Random sound networks, built once per size and shape (window 0: wide).
const engine::Network &networkOf(int activities, int window)
{
    static std::map<std::pair<int, int>, std::unique_ptr<engine::Network>> networks;
    std::unique_ptr<engine::Network> &network = networks[{activities, window}];
    if (!network) {
        testsupport::Random random(static_cast<std::uint64_t>(activities + window));
        testsupport::ProjectShape shape;
        shape.activities = activities;
        shape.predecessors = 2;
        shape.window = window;
        network = std::make_unique<engine::Network>(testsupport::randomProject(random, shape));
    }
    return *network;
}

void BM_ComputeSchedule(benchmark::State &state)
{
    const engine::Network &network
        = networkOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const engine::Schedule schedule
            = engine::computeSchedule(network, network.normalDurations());
        benchmark::DoNotOptimize(schedule.projectDuration);
    }
}

void BM_BuildArrowDiagram(benchmark::State &state)
{
    const engine::Network &network
        = networkOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        const engine::ArrowDiagram diagram = engine::buildArrowDiagram(network);
        state.counters["dummies"] = static_cast<double>(diagram.dummyCount());
        state.counters["events"] = diagram.eventCount;
        benchmark::DoNotOptimize(diagram.arrows.data());
    }
}

BENCHMARK(BM_ComputeSchedule)
    ->ArgsProduct({{1'000, 10'000}, {10, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildArrowDiagram)
    ->ArgsProduct({{1'000, 10'000}, {10, 0}})
    ->Unit(benchmark::kMillisecond);

// Keeps each benchmark's mean wall time per iteration for the ratios printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_seconds[run.benchmark_name()]
                    = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const std::string &what, const std::string &slow, const std::string &fast,
                    const char *goal) const
    {
        const auto s = m_seconds.find(slow), f = m_seconds.find(fast);
        if (s == m_seconds.end() || f == m_seconds.end())
            return;
        std::printf("%-58s %10.3f ms / %8.3f ms = %8.1fx (goal %s)\n", what.c_str(),
                    s->second * 1e3, f->second * 1e3, s->second / f->second, goal);
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    for (const int window : {10, 0}) {
        for (const char *size : {"1000", "10000"}) {
            std::string what = "buildArrowDiagram / computeSchedule, ";
            what.append(size).append(window > 0 ? " activities, narrow" : " activities, wide");
            const std::string suffix
                = std::string("/").append(size).append("/").append(std::to_string(window));
            reporter.printRatio(what, "BM_BuildArrowDiagram" + suffix,
                                "BM_ComputeSchedule" + suffix,
                                std::string(size) == "1000" ? "under 100 ms" : "for the record");
        }
    }
    benchmark::Shutdown();
    return 0;
}
