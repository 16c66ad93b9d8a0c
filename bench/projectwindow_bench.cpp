// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The own-project window on a large project, as a student uses it: how long one cell edit
// takes until the window is repainted, how long removing 200 selected rows takes, and how
// often the window paints while a long job (laying out the network, the greedy run to the
// target, the time-cost curve) runs. Each figure is printed beside a baseline measured in
// the same run: a repaint of the same window with nothing changed.
// Run: projectwindow_bench [activities] (10,000 by default; offscreen unless QT_QPA_PLATFORM
// says otherwise), pinned to one core (taskset -c 0) like the other benchmarks.

#include "randomproject.h"

#include "activitytablemodel.h"
#include "projectdocument.h"
#include "projectfile.h"
#include "projectwindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 1280, kHeight = 800;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The window's background jobs are shown by its job indicator while they run.
bool busy(ProjectWindow &window)
{
    static QWidget *indicator = window.findChild<QWidget *>(QStringLiteral("jobIndicator"));
    return indicator && indicator->isVisible();
}

// Processes events until no job runs (at most `seconds`); the time it took in ms.
double waitIdle(ProjectWindow &window, double seconds = 600)
{
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (busy(window) && static_cast<double>(clock.elapsed()) < seconds * 1000);
    QCoreApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double msSince(const QElapsedTimer &clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Notes the longest events of a stretch of time: what keeps the window from painting.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        // Named before: the event may delete its receiver.
        const int type = event->type();
        const char *className = receiver->metaObject()->className();
        const QString name = receiver->objectName();
        ++m_depth;
        QElapsedTimer clock;
        clock.start();
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        const double ms = msSince(clock);
        if (m_depth == 0 && ms > m_longest) {
            m_longest = ms;
            m_what = QStringLiteral("%1 to %2 '%3'")
                         .arg(type)
                         .arg(QString::fromLatin1(className), name);
        }
        return result;
    }
    void reset()
    {
        m_longest = 0;
        m_what.clear();
    }
    QString longest() const
    {
        return QStringLiteral("%1 ms: event %2").arg(m_longest, 0, 'f', 1).arg(m_what);
    }

private:
    int m_depth = 0;
    double m_longest = 0;
    QString m_what;
};

// Records when the window paints, while something asks it to every 10 ms.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *window) : m_window(window)
    {
        qApp->installEventFilter(this);
        m_ticker.setInterval(10);
        QObject::connect(&m_ticker, &QTimer::timeout, window, [window] { window->update(); });
        m_clock.start();
        m_ticker.start();
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    // The longest time between two paints (or between the start and the first paint, and
    // the last paint and now), in ms.
    double longestGap() const
    {
        double longest = 0, last = 0;
        for (const double at : m_paints) {
            if (at - last > longest) {
                longest = at - last;
                m_gapEnd = at;
            }
            last = at;
        }
        if (msSince(m_clock) - last > longest) {
            longest = msSince(m_clock) - last;
            m_gapEnd = msSince(m_clock);
        }
        return longest;
    }
    // When the longest gap ended, ms after the watch began.
    double gapEnd() const { return m_gapEnd; }
    int paints() const { return static_cast<int>(m_paints.size()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == m_window)
            m_paints.push_back(msSince(m_clock));
        return false;
    }

private:
    QWidget *m_window;
    QTimer m_ticker;
    QElapsedTimer m_clock;
    std::vector<double> m_paints;
    mutable double m_gapEnd = 0;
};

void printRow(const char *what, double ms, double baseline, const char *goal)
{
    std::printf("%-58s %10.1f ms  %8.1fx repaint  (goal %s)\n", what, ms,
                baseline > 0 ? ms / baseline : 0.0, goal);
}

struct JobFigures {
    double duration = 0; // ms until the window was idle again
    double longestGap = 0; // ms
    int paints = 0;
    double repaint = 0; // ms: a repaint of the window after the job, the first one excepted
};

// Runs `begin` and watches the window paint until its jobs are done.
template<typename Begin> JobFigures watchJob(ProjectWindow &window, Begin begin)
{
    PaintWatch watch(&window);
    QElapsedTimer clock;
    clock.start();
    static_cast<TimedApplication *>(qApp)->reset();
    begin();
    waitIdle(window);
    JobFigures figures {msSince(clock), watch.longestGap(), watch.paints()};
    window.repaint();
    std::vector<double> repaints;
    for (int k = 0; k < 3; ++k) {
        clock.restart();
        window.repaint();
        repaints.push_back(msSince(clock));
    }
    figures.repaint = median(repaints);
    if (qEnvironmentVariableIsSet("CRASHKIT_BENCH_LONGEST"))
        std::printf("  longest: %s; the longest gap ended at %.0f ms\n",
                    qPrintable(static_cast<TimedApplication *>(qApp)->longest()), watch.gapEnd());
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int activities = argc > 1 ? std::max(10, atoi(argv[1])) : 10'000;

    testsupport::Random random(20261209);
    testsupport::ProjectShape shape;
    shape.activities = activities;
    shape.predecessors = 2;
    shape.window = 10;
    const engine::Project project = testsupport::randomProject(random, shape);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.crashkit"));
    if (!io::saveProject(project, path).isEmpty()) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }

    ProjectWindow window;
    window.resize(kWidth, kHeight);
    window.show();
    QElapsedTimer clock;
    clock.start();
    if (!window.openFile(path)) {
        std::fprintf(stderr, "the project did not open\n");
        return 1;
    }
    window.repaint();
    const double opened = msSince(clock);
    const double openedIdle = opened + waitIdle(window);

    std::vector<double> repaints;
    for (int k = 0; k < 9; ++k) {
        clock.restart();
        window.repaint();
        repaints.push_back(msSince(clock));
    }
    const double repaint = median(repaints);

    project::ActivityTableModel *model = window.document()->table();
    std::vector<double> edits, durationEdits;
    for (int k = 0; k < 7; ++k) {
        const int row = activities / 3 + 17 * k;
        clock.restart();
        model->setData(model->index(row, project::NameColumn), QStringLiteral("งาน %1").arg(k));
        QCoreApplication::processEvents();
        window.repaint();
        edits.push_back(msSince(clock));
        waitIdle(window);
        const QString normal
            = model->rows()[static_cast<std::size_t>(row)][project::NormalDurationColumn];
        clock.restart();
        model->setData(model->index(row, project::NormalDurationColumn),
                       QString::number(normal.toLongLong() + 1));
        QCoreApplication::processEvents();
        window.repaint();
        durationEdits.push_back(msSince(clock));
        waitIdle(window);
    }

    auto *table = window.findChild<QTableView *>(QStringLiteral("activityTable"));
    auto *remove = window.findChild<QAction *>(QStringLiteral("removeRowAction"));
    std::vector<double> removals;
    for (int k = 0; k < 3 && table && remove; ++k) {
        table->clearSelection();
        QItemSelection rows;
        for (int i = 0; i < 200; ++i) {
            const int row = 100 + 20 * i + k;
            rows.select(model->index(row, 0), model->index(row, project::ColumnCount - 1));
        }
        table->selectionModel()->select(rows, QItemSelectionModel::Select);
        clock.restart();
        remove->trigger();
        QCoreApplication::processEvents();
        window.repaint();
        removals.push_back(msSince(clock));
        waitIdle(window);
        window.document()->undoStack()->undo();
        waitIdle(window);
    }

    std::printf("\nThe own-project window, %d activities (%s):\n\n", activities,
                qPrintable(QGuiApplication::platformName()));
    printRow("repaint of the window, nothing changed (baseline)", repaint, repaint, "-");
    printRow("open the file until the first paint", opened, repaint, "-");
    printRow("open the file until every job is done", openedIdle, repaint, "-");
    printRow("edit a name, until the window is repainted", median(edits), repaint, "< 100 ms");
    printRow("edit a duration, until the window is repainted", median(durationEdits), repaint,
             "< 100 ms");
    printRow("remove 200 selected rows, until repainted", median(removals), repaint, "< 200 ms");

    // Long jobs: the window must keep painting.
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("viewTabs"));
    auto *run = window.findChild<QAbstractButton *>(QStringLiteral("runButton"));
    auto *target = window.findChild<QAbstractSpinBox *>(QStringLiteral("targetSpinBox"));
    std::printf("\n%-58s %10s %12s %8s %12s\n", "long job (goal: a paint at least every 100 ms)",
                "job", "longest gap", "paints", "repaint after");
    auto printJob = [](const char *what, const JobFigures &figures) {
        std::printf("%-58s %7.0f ms %9.0f ms %8d %9.1f ms\n", what, figures.duration,
                    figures.longestGap, figures.paints, figures.repaint);
    };
    if (tabs) {
        tabs->setCurrentIndex(0);
        waitIdle(window);
        printJob(
            "lay out the network after a duration edit", watchJob(window, [&] {
                const int row = activities / 2;
                const QString normal
                    = model->rows()[static_cast<std::size_t>(row)][project::NormalDurationColumn];
                model->setData(model->index(row, project::NormalDurationColumn),
                               QString::number(normal.toLongLong() + 2));
            }));
        tabs->setCurrentIndex(2);
        waitIdle(window);
        if (run && target) {
            printJob("greedy run to the shortest duration", watchJob(window, [&] {
                         if (auto *line = target->findChild<QLineEdit *>()) {
                             line->setText(
                                 QString::number(window.document()->analysis().shortestDuration));
                             target->interpretText();
                         }
                         QCoreApplication::processEvents();
                         waitIdle(window);
                         run->click();
                     }));
        }
        printJob("open the time-cost curve tab",
                 watchJob(window, [&] { tabs->setCurrentIndex(3); }));
    }
    return 0;
}
