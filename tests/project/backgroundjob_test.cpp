// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Jobs off the window's thread: where the work runs and where its result arrives, what a
// cancel keeps, what a new job or the job's end drops, and a failure reported instead of
// thrown into the event loop.

#include "backgroundjob.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <stdexcept>

using project::BackgroundJob;

namespace {

// Restores the inline limit a test changes.
class InlineLimit {
public:
    explicit InlineLimit(std::size_t activities) : m_before(BackgroundJob::inlineLimit())
    {
        BackgroundJob::setInlineLimit(activities);
    }
    ~InlineLimit() { BackgroundJob::setInlineLimit(m_before); }

private:
    std::size_t m_before;
};

// A gate a job waits at until the test opens it (so that the test decides when it ends).
struct Gate {
    std::atomic<bool> open {false};
    void wait(engine::JobControl &control) const
    {
        while (!open && !control.stopRequested())
            QThread::msleep(1);
    }
};

} // namespace

class BackgroundJobTest : public QObject {
    Q_OBJECT

private slots:
    void smallJobsRunAtOnceLargeOnesElsewhere_data()
    {
        QTest::addColumn<std::size_t>("activities");
        QTest::addColumn<bool>("inBackground");
        QTest::newRow("at the limit") << std::size_t {100} << false;
        QTest::newRow("above it") << std::size_t {101} << true;
    }
    void smallJobsRunAtOnceLargeOnesElsewhere()
    {
        QFETCH(std::size_t, activities);
        QFETCH(bool, inBackground);
        const InlineLimit limit(100);
        BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
        QSignalSpy running(&job, &BackgroundJob::runningChanged);
        std::atomic<QThread *> workedOn {nullptr};
        QThread *doneOn = nullptr;
        int result = 0;
        job.start<int>(
            activities,
            [&workedOn](engine::JobControl &) {
                workedOn = QThread::currentThread();
                return 42;
            },
            [&](int value) {
                doneOn = QThread::currentThread();
                result = value;
            });
        // A small job is over when start returns; a large one is not, even when its work is
        // done already: its result comes through the window's event loop.
        QCOMPARE(result != 0, !inBackground);
        QCOMPARE(job.isRunning(), inBackground);
        QTRY_COMPARE(result, 42);
        QCOMPARE(doneOn, QThread::currentThread());
        QCOMPARE(workedOn != QThread::currentThread(), inBackground);
        QVERIFY(!job.isRunning());
        QCOMPARE(running.size(), inBackground ? 2 : 0);
    }

    // A cancel asks the work to stop and hands over what it returns: a run keeps its steps.
    void aCancelKeepsWhatTheWorkReturns()
    {
        const InlineLimit limit(0);
        BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
        QSignalSpy cancelled(&job, &BackgroundJob::cancelled);
        std::atomic<int> steps {0};
        std::optional<int> delivered;
        job.start<int>(
            1,
            [&steps](engine::JobControl &control) {
                while (!control.stopRequested()) {
                    ++steps;
                    QThread::msleep(1);
                }
                return steps.load();
            },
            [&](int value) { delivered = value; });
        QTRY_VERIFY(steps > 3);
        job.cancel();
        QTRY_VERIFY(delivered.has_value());
        QVERIFY(*delivered >= 3);
        QCOMPARE(cancelled.size(), 1);
        QVERIFY(!job.isRunning());
    }

    // A job that leaves through JobStopped delivers nothing.
    void aStoppedWorkDeliversNothing()
    {
        const InlineLimit limit(0);
        BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
        QSignalSpy cancelled(&job, &BackgroundJob::cancelled);
        QSignalSpy running(&job, &BackgroundJob::runningChanged);
        bool delivered = false;
        Gate gate;
        job.start<int>(
            1,
            [&gate](engine::JobControl &control) {
                gate.wait(control);
                control.checkpoint();
                return 1;
            },
            [&](int) { delivered = true; });
        job.cancel();
        QTRY_COMPARE(cancelled.size(), 1);
        QVERIFY(!delivered);
        QCOMPARE(running.size(), 2);
    }

    // A new job abandons the one running: only the new one's result arrives, whenever the old
    // one ends.
    void aNewJobDropsTheRunningOne()
    {
        const InlineLimit limit(0);
        BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
        auto gate = std::make_shared<Gate>();
        std::vector<int> delivered;
        std::atomic<bool> firstSawStop {false};
        job.start<int>(
            1,
            [gate, &firstSawStop](engine::JobControl &control) {
                gate->wait(control);
                firstSawStop = control.stopRequested();
                return 1;
            },
            [&](int value) { delivered.push_back(value); });
        job.start<int>(
            1, [](engine::JobControl &) { return 2; },
            [&](int value) { delivered.push_back(value); });
        QTRY_COMPARE(delivered, std::vector<int> {2});
        QTRY_VERIFY(firstSawStop);
        QTest::qWait(50);
        QCOMPARE(delivered, std::vector<int> {2});
    }

    // An exception in the work is reported, never rethrown into the event loop.
    void aFailureIsReported_data()
    {
        QTest::addColumn<std::size_t>("activities");
        QTest::newRow("at once") << std::size_t {1};
        QTest::newRow("in the background") << std::size_t {1000};
    }
    void aFailureIsReported()
    {
        QFETCH(std::size_t, activities);
        const InlineLimit limit(10);
        BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
        QSignalSpy failed(&job, &BackgroundJob::failed);
        bool delivered = false;
        job.start<int>(
            activities,
            [](engine::JobControl &) -> int { throw std::runtime_error("the network broke"); },
            [&](int) { delivered = true; });
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed.front().at(0).toString(), QStringLiteral("the network broke"));
        QVERIFY(!delivered);
    }

    // The job's owner goes while the work runs: the work is asked to stop and ends without
    // touching anything of the owner's.
    void theOwnerGoesFirst()
    {
        const InlineLimit limit(0);
        auto sawStop = std::make_shared<std::atomic<bool>>(false);
        bool delivered = false;
        {
            BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
            job.start<int>(
                1,
                [sawStop](engine::JobControl &control) {
                    while (!control.stopRequested())
                        QThread::msleep(1);
                    *sawStop = true;
                    return 1;
                },
                [&](int) { delivered = true; });
        }
        QTRY_VERIFY(*sawStop);
        QTest::qWait(30);
        QVERIFY(!delivered);
    }

    // Progress as the work reports it reaches the window.
    void progressReachesTheWindow()
    {
        const InlineLimit limit(0);
        BackgroundJob job(QStringLiteral("งานทดสอบ"), nullptr);
        QSignalSpy progress(&job, &BackgroundJob::progressChanged);
        Gate gate;
        job.start<int>(
            1,
            [&gate](engine::JobControl &control) {
                control.setProgress(0.25);
                gate.wait(control);
                return 1;
            },
            [](int) {});
        QTRY_COMPARE(job.permille(), 250);
        QTRY_VERIFY(!progress.isEmpty() && progress.back().at(0).toInt() == 250);
        gate.open = true;
        QTRY_VERIFY(!job.isRunning());
    }
};

QTEST_GUILESS_MAIN(BackgroundJobTest)
#include "backgroundjob_test.moc"
