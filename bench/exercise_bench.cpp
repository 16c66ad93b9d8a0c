// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The seeded exercise generator, with Google Benchmark: 1,000 exercises (seeds 0 to 999) at
// the default settings and at harder ones, each against the baseline of working the answer
// key of the same 1,000 exercises in the same run (CPM and the critical paths, the greedy to
// the target and the least cost: what a worksheet's key needs). Goal: 1,000 exercises in
// under 2 s.
// Run: exercise_bench [Google Benchmark flags], pinned to one core (taskset -c 0).

#include "exercisegenerator.h"
#include "greedy.h"
#include "leastcost.h"
#include "network.h"
#include "schedule.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr int kVariants = 1000;

// The settings measured, by benchmark argument.
const engine::ExerciseSettings kSettings[] = {
    {}, // 8 activities, 1 critical path, no joint step, the greedy at the least cost
    {30, 3, true, false},
    {12, 2, true, true},
    {30, 3, true, true}, // the hardest that every seed meets
};

const engine::ExerciseSettings &settingsOf(const benchmark::State &state)
{
    return kSettings[static_cast<std::size_t>(state.range(0))];
}

void BM_Generate(benchmark::State &state)
{
    int refused = 0;
    long attempts = 0;
    for (auto _ : state) {
        refused = 0;
        attempts = 0;
        for (int seed = 0; seed < kVariants; ++seed) {
            const engine::ExerciseResult result
                = engine::generateExercise(static_cast<std::uint64_t>(seed), settingsOf(state));
            if (const auto *e = std::get_if<engine::GeneratedExercise>(&result))
                attempts += e->attempts;
            else
                ++refused;
        }
    }
    state.counters["refused"] = refused;
    state.counters["attempts"] = static_cast<double>(attempts) / (kVariants - refused);
}

// The answer key of every exercise BM_Generate makes, worked once per iteration.
void BM_AnswerKeys(benchmark::State &state)
{
    std::vector<engine::GeneratedExercise> made;
    for (int seed = 0; seed < kVariants; ++seed) {
        const engine::ExerciseResult result
            = engine::generateExercise(static_cast<std::uint64_t>(seed), settingsOf(state));
        if (const auto *e = std::get_if<engine::GeneratedExercise>(&result))
            made.push_back(*e);
    }
    for (auto _ : state) {
        for (const engine::GeneratedExercise &e : made) {
            const engine::Network network(e.project);
            const engine::Schedule schedule
                = engine::computeSchedule(network, network.normalDurations());
            benchmark::DoNotOptimize(engine::listCriticalPaths(network, schedule, 100));
            benchmark::DoNotOptimize(engine::crashGreedily(network, e.target));
            benchmark::DoNotOptimize(engine::leastCost(network, e.target));
        }
    }
}

BENCHMARK(BM_Generate)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AnswerKeys)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

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

    void printRatio(int settings) const
    {
        const auto g = m_seconds.find("BM_Generate/" + std::to_string(settings) + "/iterations:1");
        const auto k = m_seconds.find("BM_AnswerKeys/" + std::to_string(settings));
        if (g == m_seconds.end() || k == m_seconds.end())
            return;
        const engine::ExerciseSettings &s = kSettings[settings];
        std::printf("%2d activities, %d critical path(s), joint step %-3s, greedy overpays %-3s: "
                    "1,000 in %7.3f s (%6.3f ms each; goal under 2 s), %6.1fx the answer keys "
                    "(%6.3f s)\n",
                    s.activities, s.criticalPaths, s.jointStep ? "yes" : "no",
                    s.greedyOverpays ? "yes" : "no", g->second, g->second, g->second / k->second,
                    k->second);
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
    for (int settings = 0; settings < static_cast<int>(std::size(kSettings)); ++settings)
        reporter.printRatio(settings);
    benchmark::Shutdown();
    return 0;
}
