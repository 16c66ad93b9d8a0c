// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "jobcontrol.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace project {

// One kind of long computation of a window (laying out the network, the least cost, the
// greedy run, the curve), run off the window's thread on Qt's thread pool so that the window
// keeps painting and answering. The work gets an engine::JobControl that it consults between
// its steps; it must only read data that nothing else changes while it runs, such as an
// analysis snapshot it holds a shared pointer to. Its result is handed to `done` on the
// window's thread. Starting a new job abandons the one running: it is asked to stop and
// whatever it returns is dropped. Small jobs (up to inlineLimit() activities) run at once on
// the calling thread: they take less than a blink, and a window of a few dozen activities
// then never shows a job at all.
class BackgroundJob : public QObject {
    Q_OBJECT
public:
    // `description`: what the job does, in Thai, for the window's job indicator.
    BackgroundJob(const QString &description, QObject *parent);
    ~BackgroundJob() override;

    QString description() const { return m_description; }
    bool isRunning() const { return m_running != nullptr; }
    // Thousandths of the work done, as the running job last said.
    int permille() const;

    // Runs work(control) for a project of `activities` activities, on the thread pool above
    // the inline limit, else at once; `done(result)` follows on this object's thread unless
    // the job is abandoned first. The work may return early with what it has when a stop is
    // requested, or throw engine::JobStopped to return nothing. An exception of another kind
    // (a fault, out of memory) is reported through failed(), not rethrown.
    template<typename Result>
    void start(std::size_t activities, std::function<Result(engine::JobControl &)> work,
               std::function<void(Result)> done);

    // Asks the running job to stop; what it returns is still handed over (a greedy run keeps
    // its steps so far). The student's cancel button.
    void cancel();
    // Asks the running job to stop and forgets it: its result is dropped.
    void abandon();

    // Projects above this many activities compute off the window's thread (tests set 0 to
    // run every job in the background).
    static std::size_t inlineLimit();
    static void setInlineLimit(std::size_t activities);

signals:
    void runningChanged(bool running);
    void progressChanged(int permille);
    // Every time the window looks at the running job (about 50 times a second): a job that
    // hands over partial results (a greedy run's log) passes them on here.
    void tick();
    // The job stopped with an unexpected exception; its message.
    void failed(const QString &message);
    // A cancel() took effect: the job ended early.
    void cancelled();

private:
    struct Run {
        engine::JobControl control;
        std::atomic<bool> finished {false};
        std::exception_ptr error;
        bool stopped = false; // ended by JobStopped
        std::function<void()> deliver; // hands the result to `done`, on this thread
        bool cancelRequested = false;
    };
    template<typename Result> struct TypedRun : Run {
        std::optional<Result> result;
    };

    void begin(std::shared_ptr<Run> run, std::function<void()> work);
    void poll();
    void finish(const std::shared_ptr<Run> &run);

    QString m_description;
    std::shared_ptr<Run> m_running;
    QTimer m_poll;
    int m_lastPermille = -1;
};

template<typename Result>
void BackgroundJob::start(std::size_t activities, std::function<Result(engine::JobControl &)> work,
                          std::function<void(Result)> done)
{
    abandon();
    auto run = std::make_shared<TypedRun<Result>>();
    // The run is reached only through the shared pointers of this object and of the task, so
    // a task still running after the window has gone writes into memory it owns.
    run->deliver = [raw = run.get(), done = std::move(done)] {
        if (raw->result)
            done(std::move(*raw->result));
    };
    auto task = [raw = run.get(), work = std::move(work)] {
        try {
            raw->result.emplace(work(raw->control));
        } catch (const engine::JobStopped &) {
            raw->stopped = true;
        } catch (...) {
            raw->error = std::current_exception();
        }
    };
    if (activities <= inlineLimit()) {
        task();
        run->finished = true;
        finish(run);
        return;
    }
    begin(run, std::move(task));
}

} // namespace project
