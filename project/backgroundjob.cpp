// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "backgroundjob.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>

#include <new>
#include <stdexcept>

namespace project {

namespace {

// About the size at which the slowest job (the greedy run on a long, narrow network) stops
// being a blink on a slow machine.
std::atomic<std::size_t> inlineActivities {150};

// How often the window looks at a running job: often enough that a result shows without a
// visible delay, rarely enough to cost nothing.
constexpr int kPollMilliseconds = 20;

// The jobs' own threads. Not Qt's global pool: Qt paints with tasks on that one (the raster
// engine draws lines and converts images in parallel there) and waits for them, so a long
// job holding a thread of it would stop the window from painting, on one core at once.
QThreadPool &jobThreads()
{
    static QThreadPool *pool = [] {
        auto *threads = new QThreadPool;
        // Each window runs at most four kinds of job; one at a time each.
        threads->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        return threads;
    }();
    return *pool;
}

QString messageOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc &) {
        return QStringLiteral("หน่วยความจำไม่พอ");
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("ข้อผิดพลาดที่ไม่รู้จัก");
    }
}

} // namespace

BackgroundJob::BackgroundJob(const QString &description, QObject *parent)
    : QObject(parent), m_description(description)
{
    m_poll.setInterval(kPollMilliseconds);
    connect(&m_poll, &QTimer::timeout, this, &BackgroundJob::poll);
}

BackgroundJob::~BackgroundJob()
{
    if (m_running)
        m_running->control.requestStop();
}

int BackgroundJob::permille() const
{
    return m_running ? m_running->control.permille() : 0;
}

std::size_t BackgroundJob::inlineLimit()
{
    return inlineActivities.load();
}

void BackgroundJob::setInlineLimit(std::size_t activities)
{
    inlineActivities.store(activities);
}

void BackgroundJob::begin(std::shared_ptr<Run> run, std::function<void()> work)
{
    m_running = run;
    m_lastPermille = -1;
    // The task holds the run too, so that an abandoned run lives until its task ends.
    jobThreads().start([run, work = std::move(work)] {
        work();
        run->finished.store(true, std::memory_order_release);
    });
    m_poll.start();
    emit runningChanged(true);
    emit progressChanged(0);
}

void BackgroundJob::cancel()
{
    if (!m_running)
        return;
    m_running->cancelRequested = true;
    m_running->control.requestStop();
}

void BackgroundJob::abandon()
{
    if (!m_running)
        return;
    m_running->control.requestStop();
    m_running.reset();
    m_poll.stop();
    emit runningChanged(false);
}

void BackgroundJob::poll()
{
    if (!m_running) {
        m_poll.stop();
        return;
    }
    if (!m_running->finished.load(std::memory_order_acquire)) {
        emit tick();
        if (!m_running)
            return; // abandoned by a slot of tick()
        const int now = m_running->control.permille();
        if (now != m_lastPermille) {
            m_lastPermille = now;
            emit progressChanged(now);
        }
        return;
    }
    const std::shared_ptr<Run> run = std::move(m_running);
    m_poll.stop();
    emit runningChanged(false);
    finish(run);
}

void BackgroundJob::finish(const std::shared_ptr<Run> &run)
{
    if (run->error) {
        emit failed(messageOf(run->error));
        return;
    }
    if (run->cancelRequested || run->stopped)
        emit cancelled();
    run->deliver();
}

} // namespace project
