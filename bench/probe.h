// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

// What both start-up probes share: where they end, and optional phase timestamps.
//
// End point: the first QEvent::Paint delivered to any widget of the watched window marks
// the first frame as begun; a zero timer queued then fires once the event that is painting
// has returned, i.e. once every widget of the frame has been painted and flushed. The
// probe leaves with _Exit(0) there, so the figures hold start-up only, no tear-down.
//
// Phases: started as `probe <spawn-ns>` (CLOCK_MONOTONIC just before the parent spawned
// it), the probe prints "<phase> <microseconds since spawn>" lines for the marks it passes;
// without the argument marking costs nothing and prints nothing.
class Probe : public QObject {
public:
    Probe(int argc, char **argv)
    {
        if (argc > 1) {
            m_spawnNs = std::strtoll(argv[1], nullptr, 10);
            m_recording = m_spawnNs > 0;
        }
        mark("main entered");
    }

    void mark(const char *phase)
    {
        if (m_recording)
            m_marks.emplace_back(phase, nowNs());
    }

    // Watches every widget of window; call after QApplication exists.
    void endAfterFirstPaint(QWidget *window)
    {
        m_window = window;
        qApp->installEventFilter(this);
        // A window that never paints is a broken probe, not a slow one.
        QTimer::singleShot(30000, qApp, [] {
            std::fputs("probe: no paint within 30 s\n", stderr);
            std::_Exit(3);
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painting && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            m_painting = true;
            mark("first paint event");
            QTimer::singleShot(0, qApp, [this] {
                mark("first frame done");
                finish();
            });
        }
        return false;
    }

private:
    static long long nowNs()
    {
        timespec now {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return now.tv_sec * 1000000000LL + now.tv_nsec;
    }

    [[noreturn]] void finish()
    {
        for (const auto &[phase, ns] : m_marks)
            std::printf("%s\t%lld\n", phase.c_str(), (ns - m_spawnNs) / 1000);
        std::fflush(stdout);
        std::_Exit(0);
    }

    long long m_spawnNs = 0;
    bool m_recording = false;
    bool m_painting = false;
    QWidget *m_window = nullptr;
    std::vector<std::pair<std::string, long long>> m_marks;
};
