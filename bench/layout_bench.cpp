// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The network drawing with Google Benchmark, each goal a ratio against a baseline measured
// in the same run, printed after the table with the absolute times:
// - a 50-activity project shown in the network view (layout, scene and first paint, a grab
//   at 1200 x 800) against an empty QGraphicsView's first paint: goal under 100 ms;
// - the own-project window opening a 50-activity file and painting it, against an empty main
//   window's first paint: goal under 100 ms;
// - engine::layoutNetwork on 1,000, 10,000 and 100,000 activities against computeSchedule
//   on the same network: goal a few seconds at 100,000 (near linear). Two shapes: narrow
//   (each activity follows some of the ten before it, like a real plan) and wide (links
//   anywhere back, the engine bench's networks, with far more bends).
// Run: layout_bench [Google Benchmark flags] (offscreen unless QT_QPA_PLATFORM says
// otherwise), pinned to one core (taskset -c 0).

#include "randomproject.h"

#include "networklayout.h"
#include "networkview.h"
#include "projectfile.h"
#include "projectwindow.h"
#include "schedule.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMainWindow>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kWidth = 1200, kHeight = 800;

struct Sample {
    engine::Project project;
    std::unique_ptr<engine::Network> network;
};

// Random sound networks, built once per size and shape (window 0: wide).
const Sample &sampleOf(int activities, int window)
{
    static std::map<std::pair<int, int>, Sample> samples;
    Sample &sample = samples[{activities, window}];
    if (!sample.network) {
        testsupport::Random random(static_cast<std::uint64_t>(activities + window));
        testsupport::ProjectShape shape;
        shape.activities = activities;
        shape.predecessors = 2;
        shape.window = window;
        sample.project = testsupport::randomProject(random, shape);
        sample.network = std::make_unique<engine::Network>(sample.project);
    }
    return sample;
}

void BM_EmptyViewFirstPaint(benchmark::State &state)
{
    for (auto _ : state) {
        QGraphicsScene scene;
        QGraphicsView view(&scene);
        view.resize(kWidth, kHeight);
        const QPixmap picture = view.grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}

void BM_NetworkViewFirstPaint(benchmark::State &state)
{
    const Sample &sample = sampleOf(static_cast<int>(state.range(0)), 6);
    for (auto _ : state) {
        project::NetworkView view;
        view.resize(kWidth, kHeight);
        view.showNetwork(sample.project, *sample.network, sample.network->normalDurations());
        view.zoomToFit();
        const QPixmap picture = view.grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}

// The whole own-project window opening a 50-activity CSV file: reading, analysis, table,
// CPM table, crashing panel, layout, scene and the window's first paint.
void BM_ProjectWindowOpen(benchmark::State &state)
{
    const Sample &sample = sampleOf(static_cast<int>(state.range(0)), 6);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("project.csv"));
    if (!io::saveProject(sample.project, path).isEmpty()) {
        state.SkipWithError("could not write the project file");
        return;
    }
    ProjectWindow window;
    window.resize(kWidth, kHeight);
    window.show();
    for (auto _ : state) {
        if (!window.openFile(path)) {
            state.SkipWithError("the project did not open");
            return;
        }
        const QPixmap picture = window.grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}

// Its baseline: an empty main window of the same size painted once.
void BM_EmptyWindowFirstPaint(benchmark::State &state)
{
    for (auto _ : state) {
        QMainWindow window;
        window.resize(kWidth, kHeight);
        window.show();
        const QPixmap picture = window.grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}

void BM_ComputeSchedule(benchmark::State &state)
{
    const engine::Network &network
        = *sampleOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))).network;
    for (auto _ : state) {
        const engine::Schedule schedule
            = engine::computeSchedule(network, network.normalDurations());
        benchmark::DoNotOptimize(schedule.projectDuration);
    }
}

void BM_LayoutNetwork(benchmark::State &state)
{
    const engine::Network &network
        = *sampleOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))).network;
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    std::size_t points = 0;
    for (auto _ : state) {
        const engine::NetworkLayout layout = engine::layoutNetwork(network, schedule);
        points = 0;
        for (const auto &link : layout.links)
            points += link.points.size();
        state.counters["crossings"] = static_cast<double>(layout.crossings);
        state.counters["columns"] = layout.layerCount;
    }
    state.counters["bends"] = static_cast<double>(points - 2 * network.linkCount()) / 2;
}

BENCHMARK(BM_EmptyViewFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetworkViewFirstPaint)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyWindowFirstPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectWindowOpen)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeSchedule)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {10, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutNetwork)
    ->ArgsProduct({{1'000, 10'000, 100'000}, {10, 0}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2);

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
        std::printf("%-66s %10.3f ms / %9.3f ms = %7.2fx (goal %s)\n", what.c_str(),
                    s->second * 1e3, f->second * 1e3, s->second / f->second, goal);
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printRatio("50 activities: layout + scene + first paint / empty view's paint",
                        "BM_NetworkViewFirstPaint/50", "BM_EmptyViewFirstPaint",
                        "absolute time under 100 ms");
    reporter.printRatio("50 activities: window opens the file, analyses, lays out, paints / "
                        "empty window's paint",
                        "BM_ProjectWindowOpen/50", "BM_EmptyWindowFirstPaint",
                        "absolute time under 100 ms");
    for (const int window : {10, 0}) {
        for (const char *size : {"1000", "10000", "100000"}) {
            std::string what = "layoutNetwork / computeSchedule, ";
            what.append(size).append(window > 0 ? " activities, narrow" : " activities, wide");
            std::string suffix = "/";
            suffix.append(size).append("/").append(std::to_string(window));
            reporter.printRatio(what, "BM_LayoutNetwork" + suffix + "/min_time:0.200",
                                "BM_ComputeSchedule" + suffix, "a few seconds at 100,000");
        }
    }
    benchmark::Shutdown();
    return 0;
}
