// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The planning engine at scale, with Google Benchmark. Each goal is a ratio against a
// baseline measured in the same run, printed after the table:
// - CPM (forward and backward pass) on 100,000 activities against one bare forward pass
//   over the same arrays: goal within 3x;
// - the exact time-cost curve of 1,000 activities against GLPK's simplex solving the
//   linear programme at every whole duration from normal down to the shortest, each on its
//   own: goal at least 10x faster; and, a stronger baseline, against GLPK built once with
//   only the deadline's bound changed, each solve starting from the last basis;
// - the least cost once and the greedy rule down to the shortest duration on 10,000 and
//   100,000 activities, for the record;
// - with a third of the links of other types and lags: CPM against the plain CPM (goal
//   within 3x), the least cost and the curve against the plain ones, for the record.
// Run: engine_bench [Google Benchmark flags], pinned to one core (taskset -c 0).

#include "randomproject.h"

#include "greedy.h"
#include "leastcost.h"
#include "network.h"
#include "schedule.h"
#include "timecostcurve.h"

#include <benchmark/benchmark.h>
#include <glpk.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using engine::Duration;
using engine::Satang;

// Random networks of about two predecessors per activity, built once per size; linked ones
// with a third of the links of a random type and lag (-5 .. 5).
const engine::Network &networkOf(int activities, bool linked = false)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<engine::Network>> networks;
    std::unique_ptr<engine::Network> &network = networks[{activities, linked}];
    if (!network) {
        testsupport::Random random(static_cast<std::uint64_t>(activities));
        testsupport::ProjectShape shape;
        shape.activities = activities;
        shape.predecessors = 2;
        shape.linkPercent = linked ? 33 : 0;
        network = std::make_unique<engine::Network>(testsupport::randomProject(random, shape));
    }
    return *network;
}

const engine::Network &linkedNetworkOf(int activities)
{
    return networkOf(activities, true);
}

// The least cost halfway between the shortest and the normal duration, solved over and over.
void leastCostHalfway(benchmark::State &state, const engine::Network &network)
{
    const Duration normal
        = engine::computeSchedule(network, network.normalDurations()).projectDuration;
    const Duration shortest = engine::shortestDuration(network);
    const Duration target = shortest + (normal - shortest) / 2;
    Satang cost = 0;
    for (auto _ : state)
        cost = engine::leastCost(network, target)->cost;
    state.counters["Baht"] = static_cast<double>(cost) / 100;
}

void BM_LinkedSchedule(benchmark::State &state)
{
    const engine::Network &network = linkedNetworkOf(static_cast<int>(state.range(0)));
    engine::Schedule schedule;
    for (auto _ : state) {
        engine::computeSchedule(network, network.normalDurations(), schedule);
        benchmark::DoNotOptimize(schedule.projectDuration);
    }
}

void BM_LinkedLeastCost(benchmark::State &state)
{
    leastCostHalfway(state, linkedNetworkOf(static_cast<int>(state.range(0))));
}

void BM_LinkedTimeCostCurve(benchmark::State &state)
{
    const engine::Network &network = linkedNetworkOf(static_cast<int>(state.range(0)));
    std::size_t breakpoints = 0;
    for (auto _ : state)
        breakpoints = engine::timeCostCurve(network).breakpoints().size();
    state.counters["breakpoints"] = static_cast<double>(breakpoints);
}

void BM_ComputeSchedule(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    // Like the baseline, into memory allocated once.
    engine::Schedule schedule;
    for (auto _ : state) {
        engine::computeSchedule(network, network.normalDurations(), schedule);
        benchmark::DoNotOptimize(schedule.projectDuration);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The least a CPM can do: one forward max-plus pass in topological order over the
// network's arrays, into a buffer it only allocates once.
void BM_BareForwardPass(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    const std::span<const Duration> durations = network.normalDurations();
    std::vector<Duration> finish(durations.size());
    for (auto _ : state) {
        Duration longest = 0;
        for (const int a : network.topologicalOrder()) {
            Duration start = 0;
            for (const int p : network.predecessors(a))
                start = std::max(start, finish[static_cast<std::size_t>(p)]);
            finish[static_cast<std::size_t>(a)] = start + durations[static_cast<std::size_t>(a)];
            longest = std::max(longest, finish[static_cast<std::size_t>(a)]);
        }
        benchmark::DoNotOptimize(longest);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The time-cost linear programme in GLPK, written from the definition: per activity a
// start s_i >= 0 and a reduction 0 <= x_i <= normal_i - crash_i; s_j - s_i + x_i >= normal_i
// for every link i -> j; s_i - x_i - F <= -normal_i for every activity, with the finish F
// bounded by the deadline; minimise the sum of cost_i * x_i.
class GlpkTimeCost {
public:
    explicit GlpkTimeCost(const engine::Network &network) : m_problem(glp_create_prob())
    {
        const int n = network.size();
        glp_set_obj_dir(m_problem, GLP_MIN);
        glp_add_cols(m_problem, 2 * n + 1);
        m_finish = 2 * n + 1;
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            glp_set_col_bnds(m_problem, start(i), GLP_LO, 0, 0);
            const auto range
                = static_cast<double>(network.normalDurations()[k] - network.crashDurations()[k]);
            glp_set_col_bnds(m_problem, reduction(i), range > 0 ? GLP_DB : GLP_FX, 0, range);
            glp_set_obj_coef(m_problem, reduction(i),
                             static_cast<double>(network.costsPerUnit()[k]));
        }
        std::vector<int> columns = {0};
        std::vector<double> values = {0};
        auto addRow
            = [&](int type, double bound, std::initializer_list<std::pair<int, double>> row) {
                  const int r = glp_add_rows(m_problem, 1);
                  glp_set_row_bnds(m_problem, r, type, bound, bound);
                  columns.resize(1);
                  values.resize(1);
                  for (const auto &[column, value] : row) {
                      columns.push_back(column);
                      values.push_back(value);
                  }
                  glp_set_mat_row(m_problem, r, static_cast<int>(row.size()), columns.data(),
                                  values.data());
              };
        for (int i = 0; i < n; ++i) {
            const auto normal
                = static_cast<double>(network.normalDurations()[static_cast<std::size_t>(i)]);
            for (const int s : network.successors(i))
                addRow(GLP_LO, normal, {{start(s), 1}, {start(i), -1}, {reduction(i), 1}});
            addRow(GLP_UP, -normal, {{start(i), 1}, {reduction(i), -1}, {m_finish, -1}});
        }
        glp_init_smcp(&m_parameters);
        m_parameters.msg_lev = GLP_MSG_OFF;
        // After a tighter deadline the last basis stays dual feasible: the dual simplex
        // starts from it.
        m_parameters.meth = GLP_DUALP;
    }
    ~GlpkTimeCost() { glp_delete_prob(m_problem); }
    GlpkTimeCost(const GlpkTimeCost &) = delete;
    GlpkTimeCost &operator=(const GlpkTimeCost &) = delete;

    // The least extra cost in satang for the deadline, rounded to whole satang.
    Satang solve(Duration deadline)
    {
        glp_set_col_bnds(m_problem, m_finish, GLP_DB, 0, static_cast<double>(deadline));
        if (glp_simplex(m_problem, &m_parameters) != 0 || glp_get_status(m_problem) != GLP_OPT)
            throw std::runtime_error("GLPK found no optimum");
        return static_cast<Satang>(glp_get_obj_val(m_problem) + 0.5);
    }

private:
    static int start(int activity) { return 2 * activity + 1; }
    static int reduction(int activity) { return 2 * activity + 2; }

    glp_prob *m_problem;
    glp_smcp m_parameters;
    int m_finish = 0;
};

Duration normalDuration(const engine::Network &network)
{
    return engine::computeSchedule(network, network.normalDurations()).projectDuration;
}

void BM_TimeCostCurve(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    std::size_t breakpoints = 0;
    for (auto _ : state) {
        const engine::TimeCostCurve curve = engine::timeCostCurve(network);
        breakpoints = curve.breakpoints().size();
    }
    state.counters["durations"]
        = static_cast<double>(normalDuration(network) - engine::shortestDuration(network) + 1);
    state.counters["breakpoints"] = static_cast<double>(breakpoints);
}

void BM_GlpkEveryDuration(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    const Duration normal = normalDuration(network), shortest = engine::shortestDuration(network);
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    long long disagreements = 0;
    for (auto _ : state) {
        GlpkTimeCost lp(network);
        for (Duration d = normal; d >= shortest; --d)
            disagreements += lp.solve(d) != curve.costAt(d);
    }
    // The baseline must solve the same problem: any disagreement makes the ratio meaningless.
    state.counters["disagreements"] = static_cast<double>(disagreements);
    if (disagreements > 0)
        state.SkipWithError("GLPK and the engine disagree");
}

// The plain reading of "solving the LP at every duration": every duration's programme built
// and solved on its own, as a glpsol run per duration would.
void BM_GlpkEveryDurationFromScratch(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    const Duration normal = normalDuration(network), shortest = engine::shortestDuration(network);
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    long long disagreements = 0;
    for (auto _ : state) {
        for (Duration d = normal; d >= shortest; --d) {
            GlpkTimeCost lp(network);
            disagreements += lp.solve(d) != curve.costAt(d);
        }
    }
    state.counters["disagreements"] = static_cast<double>(disagreements);
    if (disagreements > 0)
        state.SkipWithError("GLPK and the engine disagree");
}

void BM_LeastCost(benchmark::State &state)
{
    leastCostHalfway(state, networkOf(static_cast<int>(state.range(0))));
}

// The same least cost with GLPK from scratch (the problem built and solved once, as the
// engine does): what the choice of LEMON's network simplex is measured against.
void BM_GlpkLeastCost(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    const Duration normal = normalDuration(network), shortest = engine::shortestDuration(network);
    const Duration target = shortest + (normal - shortest) / 2;
    Satang cost = 0;
    for (auto _ : state) {
        GlpkTimeCost lp(network);
        cost = lp.solve(target);
    }
    state.counters["Baht"] = static_cast<double>(cost) / 100;
    if (cost != engine::leastCost(network, target)->cost)
        state.SkipWithError("GLPK and the engine disagree");
}

void BM_GreedyToShortest(benchmark::State &state)
{
    const engine::Network &network = networkOf(static_cast<int>(state.range(0)));
    const Duration shortest = engine::shortestDuration(network);
    std::size_t steps = 0;
    for (auto _ : state)
        steps = engine::crashGreedily(network, shortest).size();
    state.counters["steps"] = static_cast<double>(steps);
}

BENCHMARK(BM_ComputeSchedule)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareForwardPass)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimeCostCurve)->Arg(1'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlpkEveryDuration)->Arg(1'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GlpkEveryDurationFromScratch)->Arg(1'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LeastCost)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlpkLeastCost)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkedSchedule)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkedLeastCost)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkedTimeCostCurve)->Arg(1'000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GreedyToShortest)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Keeps each benchmark's mean CPU time per iteration for the ratios printed at the end.
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

    void printRatio(const char *what, const char *slow, const char *fast, const char *goal) const
    {
        const auto s = m_seconds.find(slow), f = m_seconds.find(fast);
        if (s == m_seconds.end() || f == m_seconds.end())
            return;
        std::printf("%-70s %10.3f ms / %10.3f ms = %6.2fx (goal %s)\n", what, s->second * 1e3,
                    f->second * 1e3, s->second / f->second, goal);
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
    reporter.printRatio("CPM, 100,000 activities: computeSchedule / bare forward pass",
                        "BM_ComputeSchedule/100000", "BM_BareForwardPass/100000", "at most 3x");
    reporter.printRatio("Curve, 1,000 activities: GLPK solving every duration / timeCostCurve",
                        "BM_GlpkEveryDurationFromScratch/1000/iterations:1",
                        "BM_TimeCostCurve/1000", "at least 10x");
    reporter.printRatio("Curve, 1,000 activities: GLPK warm-started, duration after duration",
                        "BM_GlpkEveryDuration/1000/iterations:3", "BM_TimeCostCurve/1000",
                        "none: a stronger baseline than asked");
    reporter.printRatio("Least cost once, 1,000 activities: GLPK / leastCost",
                        "BM_GlpkLeastCost/1000", "BM_LeastCost/1000", "none, for the choice");
    reporter.printRatio("Least cost once, 10,000 activities: GLPK / leastCost",
                        "BM_GlpkLeastCost/10000", "BM_LeastCost/10000", "none, for the choice");
    reporter.printRatio("Linked links, 100,000 activities: CPM / plain CPM",
                        "BM_LinkedSchedule/100000", "BM_ComputeSchedule/100000", "at most 3x");
    reporter.printRatio("Linked links, 10,000 activities: least cost / plain least cost",
                        "BM_LinkedLeastCost/10000", "BM_LeastCost/10000", "none, for the record");
    reporter.printRatio("Linked links, 1,000 activities: curve / plain curve",
                        "BM_LinkedTimeCostCurve/1000/iterations:1", "BM_TimeCostCurve/1000",
                        "none, for the record");
    benchmark::Shutdown();
    return 0;
}
