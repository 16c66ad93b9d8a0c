// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Microbenchmarks of the exercise window on practice set 1 (Form3), shown on the offscreen
// platform as the student sees it: one crashing iteration through the start button, one
// full build and the logic alone. Run: iteration_bench [Google Benchmark flags].

#include "activitytable.h"
#include "controls.h"
#include "crashlog.h"
#include "exercisewindow.h"
#include "forms.h"
#include "messagebox.h"
#include "pathanalysis.h"
#include "referencemodel.h"
#include "sets.h"
#include "tablecells.h"
#include "tforms.h"
#include "wholenumber.h"
#include "windowmanagement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QStyleFactory>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

template<typename T> T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "iteration_bench: no control %s\n", name);
        std::exit(1);
    }
    return found;
}

// Set 1's real duration in days, by the tests' reference model: the longest route through
// the network of its built-in rows (32 days, on path 4, B+F+I).
std::int32_t setOneDuration()
{
    static const auto duration = static_cast<std::int32_t>(
        testsupport::longestRoute(testsupport::builtInRows(practiceSet(1))).value());
    return duration;
}

// One day less takes exactly one iteration, which shortens B by one day at 75 Baht.
std::int32_t oneIterationTarget()
{
    return setOneDuration() - 1;
}

void prepareRound(ExerciseWindow *window)
{
    window->ResetExercise();
    window->AnalysePaths();
}

// The start button with a one-iteration target: the real RunCrashing with its logs,
// drawing, highlight, selection, cut, grid refill, analysis, total and message (answered
// at once); includes the analysis before the check and the closing log lines.
void BM_StartButtonOneIteration(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    auto *edit28 = child<QLineEdit>(window, "Edit28");
    for (auto _ : state) {
        state.PauseTiming();
        window->ResetExercise();
        edit28->setText(QString::number(oneIterationTarget()));
        state.ResumeTiming();
        window->BitBtn4Click();
    }
    if (window->analysis().projectDuration != oneIterationTarget())
        state.SkipWithError("the start button did not crash to the target");
}

// The same and then the window's repaint, which the message box's own event loop carries
// out in the program before the student can answer it.
void BM_StartButtonOneIterationRepainted(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    auto *edit28 = child<QLineEdit>(window, "Edit28");
    for (auto _ : state) {
        state.PauseTiming();
        window->ResetExercise();
        edit28->setText(QString::number(oneIterationTarget()));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->BitBtn4Click();
        QCoreApplication::processEvents();
    }
}

// The build button: network drawn, paths analysed.
void BM_FullBuild(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    window->ResetExercise();
    for (auto _ : state)
        window->BitBtn5Click();
}

void BM_DrawNetworkAndHighlight(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    prepareRound(window);
    for (auto _ : state) {
        window->DrawNetwork();
        window->HighlightCriticalPath();
    }
}

void BM_FillActivityGrid(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    window->ResetExercise();
    for (auto _ : state)
        window->FillActivityGrid();
}

// The computing alone: analysis of set 1 and the choice on its critical path, on the
// table's text cells as the window does it.
void BM_AnalysisAndSelection(benchmark::State &state)
{
    const PracticeSet &set = practiceSet(1);
    const ActivityTable table = builtInTable(set);
    AnalysisState analysis;
    for (auto _ : state) {
        analysePaths(table, set.routes, analysis);
        const auto critical = static_cast<std::size_t>(analysis.criticalPath - 1);
        const engine::practice::Selection selection
            = engine::practice::selectOnPath(set.routes[critical], TableCells(table));
        benchmark::DoNotOptimize(selection);
    }
    if (analysis.projectDuration != setOneDuration())
        state.SkipWithError("set 1 should run as long as its longest route");
}

BENCHMARK(BM_StartButtonOneIteration)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartButtonOneIterationRepainted)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawNetworkAndHighlight)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillActivityGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisAndSelection)->Unit(benchmark::kMicrosecond);

bool waitUntilExposed(QWidget *window)
{
    QElapsedTimer timer;
    timer.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed())) {
        if (timer.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    createForms();
    platform::showModeless(Form3);
    if (!waitUntilExposed(Form3)) {
        std::fputs("iteration_bench: the window of set 1 was never shown\n", stderr);
        return 1;
    }
    platform::setMessageBoxAnswerer(
        [](const platform::MessageRecord &) { return QMessageBox::Ok; });
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::setMessageBoxAnswerer({});
    destroyForms();
    return 0;
}
