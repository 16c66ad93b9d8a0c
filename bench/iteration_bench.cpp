// Microbenchmarks of the exercise window on practice set 1 (Form3), shown on the offscreen
// platform as the student sees it: one crashing iteration, one full build and the logic
// alone. Run: iteration_bench [Google Benchmark flags].

#include "activitytable.h"
#include "controls.h"
#include "crashlog.h"
#include "crashselection.h"
#include "exercisewindow.h"
#include "forms.h"
#include "messagebox.h"
#include "pathanalysis.h"
#include "sets.h"
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

// Set 1 runs 32 days on path 4 (B+F+I); a target of 31 takes exactly one iteration,
// which shortens B by one day at 75 Baht.
constexpr std::int32_t kOneIterationTarget = 31;

// The body of the crashing loop (ExerciseWindow::RunCrashing) for one iteration, through
// the window's public operations and its controls found by name: logs, drawing, highlight,
// selection, the cut, grid refill, analysis, total and the message text. The message box
// itself is left out: it waits for the student.
void crashingIteration(ExerciseWindow *window, QListWidget *listBox1, QListWidget *listBox2,
                       platform::AutoSizeLabel *label51)
{
    const SetDefinition &set = window->set();
    const AnalysisState &analysis = window->analysis();
    const std::int32_t round = 1;
    const std::int32_t remaining = analysis.projectDuration - kOneIterationTarget;

    listBox1->addItem(iterationHeader(round));
    for (std::size_t i = 0; i < set.paths.size(); ++i)
        listBox1->addItem(pathLogLine(pathLabel(static_cast<int>(i + 1), set.paths[i]),
                                      analysis.pathLength[i], analysis.pathMarker[i]));
    window->DrawNetwork();
    window->HighlightCriticalPath();
    listBox2->addItem(iterationHeader(round));

    const std::size_t critical = static_cast<std::size_t>(analysis.criticalPath - 1);
    CrashSelection selection
        = selectActivity(window->activityTable(), set.paths.at(critical).activities);
    selection.cutDays = limitCut(selection.cutDays, remaining);
    ActivityRow &row = window->activityTable().working(activityNumber(selection.activity));
    row.normalDuration = QString::number(toWholeNumber(row.normalDuration) - selection.cutDays);

    window->FillActivityGrid();
    window->AnalysePaths();
    const std::int32_t left = analysis.projectDuration - kOneIterationTarget;
    const std::int64_t cost = iterationCost(selection.cost, selection.cutDays);
    label51->setCaption(formatTotalCost(static_cast<double>(cost), QLocale::system()));
    listBox2->addItem(selectionLine(selection.activity, selection.cost, selection.cutDays,
                                    QString::fromUtf8(set.unitPiece), cost));
    QString message = left > 0 ? remainingMessage(left) : finishedMessage();
    benchmark::DoNotOptimize(message);
}

void prepareRound(ExerciseWindow *window)
{
    window->ResetExercise();
    window->AnalysePaths();
}

void BM_CrashingIteration(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    auto *listBox1 = child<QListWidget>(window, "ListBox1");
    auto *listBox2 = child<QListWidget>(window, "ListBox2");
    auto *label51 = child<platform::AutoSizeLabel>(window, "Label51");
    for (auto _ : state) {
        state.PauseTiming();
        prepareRound(window);
        state.ResumeTiming();
        crashingIteration(window, listBox1, listBox2, label51);
    }
    if (window->analysis().projectDuration != kOneIterationTarget)
        state.SkipWithError("the iteration did not shorten the project by one day");
}

// The same iteration and then the window's repaint, which the message box's own event
// loop carries out in the program before the student can answer it.
void BM_CrashingIterationRepainted(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    auto *listBox1 = child<QListWidget>(window, "ListBox1");
    auto *listBox2 = child<QListWidget>(window, "ListBox2");
    auto *label51 = child<platform::AutoSizeLabel>(window, "Label51");
    for (auto _ : state) {
        state.PauseTiming();
        prepareRound(window);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        crashingIteration(window, listBox1, listBox2, label51);
        QCoreApplication::processEvents();
    }
}

// The start button with a one-iteration target: the real RunCrashing, message boxes
// answered at once; includes the analysis before the check and the closing log lines.
void BM_StartButtonOneIteration(benchmark::State &state)
{
    ExerciseWindow *window = Form3;
    auto *edit28 = child<QLineEdit>(window, "Edit28");
    for (auto _ : state) {
        state.PauseTiming();
        window->ResetExercise();
        edit28->setText(QString::number(kOneIterationTarget));
        state.ResumeTiming();
        window->BitBtn4Click();
    }
    if (window->analysis().projectDuration != kOneIterationTarget)
        state.SkipWithError("the start button did not crash to the target");
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

// The computing alone: analysis of set 1 and the choice on its critical path.
void BM_AnalysisAndSelection(benchmark::State &state)
{
    const SetDefinition &set = set1Definition();
    ActivityTable table(set.capacity);
    for (std::size_t i = 0; i < set.rows.size(); ++i) {
        const BuiltInRow &builtIn = set.rows[i];
        table.working(static_cast<int>(i + 1)) = ActivityRow {
            QString::fromUtf8(builtIn.activity), QString::fromUtf8(builtIn.predecessor),
            QString::fromUtf8(builtIn.normalDuration), QString::fromUtf8(builtIn.crashDuration),
            QString::fromUtf8(builtIn.crashCostPerDay)};
    }
    AnalysisState analysis;
    for (auto _ : state) {
        analysePaths(table, set.paths, analysis);
        const auto critical = static_cast<std::size_t>(analysis.criticalPath - 1);
        CrashSelection selection = selectActivity(table, set.paths[critical].activities);
        benchmark::DoNotOptimize(selection);
    }
    if (analysis.projectDuration != 32)
        state.SkipWithError("set 1 should run 32 days");
}

BENCHMARK(BM_CrashingIteration)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CrashingIterationRepainted)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartButtonOneIteration)->Unit(benchmark::kMicrosecond);
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
