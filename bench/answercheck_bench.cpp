// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The trainer's checks on a 50-activity project, with Google Benchmark: the whole schedule
// checked, one crashing step checked (the greedy's own first step, cheapest cut included) and
// all the crashing to the shortest duration, each reported against computeSchedule on the
// same network in the same run. Goal: a schedule or a step checked in under 10 ms, so that
// the window can check as the student types.
// Run: answercheck_bench [Google Benchmark flags], pinned to one core (taskset -c 0).

#include "randomproject.h"

#include "answercheck.h"
#include "greedy.h"
#include "network.h"
#include "schedule.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using engine::Duration;

struct Fixture {
    engine::Network network;
    engine::Answers answers;
    Duration shortest = 0;
    std::vector<Duration> normal;
};

const Fixture &fixture()
{
    static const std::unique_ptr<Fixture> made = [] {
        testsupport::Random random(50);
        testsupport::ProjectShape shape;
        shape.activities = 50;
        shape.predecessors = 2;
        auto f = std::make_unique<Fixture>();
        f->network = engine::Network(testsupport::randomProject(random, shape));
        f->shortest = engine::shortestDuration(f->network);
        f->answers = engine::modelAnswers(f->network, f->shortest);
        f->normal.assign(f->network.normalDurations().begin(), f->network.normalDurations().end());
        return f;
    }();
    return *made;
}

void BM_ComputeSchedule(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::computeSchedule(f.network, f.normal).projectDuration);
}

void BM_CheckSchedule(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::checkSchedule(f.network, f.answers).right);
}

void BM_CheckStep(benchmark::State &state)
{
    const Fixture &f = fixture();
    if (f.answers.steps.empty()) {
        state.SkipWithError("the project cannot be crashed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(
            engine::checkStep(f.network, f.normal, f.shortest, f.answers.steps.front()).problem);
}

void BM_CheckCrashingToShortest(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(engine::checkCrashing(f.network, f.answers).right);
    state.counters["steps"] = static_cast<double>(f.answers.steps.size());
}

BENCHMARK(BM_ComputeSchedule)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckSchedule)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckCrashingToShortest)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's CPU time per iteration for the lines printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_seconds[run.benchmark_name()]
                    = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printAgainstSchedule(const char *what, const char *name, const char *goal) const
    {
        const auto check = m_seconds.find(name), base = m_seconds.find("BM_ComputeSchedule");
        if (check == m_seconds.end() || base == m_seconds.end())
            return;
        std::printf("%-52s %9.3f ms = %7.1fx computeSchedule (%6.3f ms) (goal %s: %s)\n", what,
                    check->second * 1e3, check->second / base->second, base->second * 1e3, goal,
                    check->second < 0.010 ? "met" : "missed");
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
    reporter.printAgainstSchedule("50 activities: checkSchedule", "BM_CheckSchedule",
                                  "under 10 ms");
    reporter.printAgainstSchedule("50 activities: checkStep (the greedy's first step)",
                                  "BM_CheckStep", "under 10 ms");
    reporter.printAgainstSchedule("50 activities: checkCrashing to the shortest duration",
                                  "BM_CheckCrashingToShortest", "under 10 ms");
    benchmark::Shutdown();
    return 0;
}
