// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The baseline for start-up: a minimal Qt Widgets program with one window holding one
// Thai label in a Thai font, so that it loads fonts as the program does. Ended after
// its first frame, exactly as startup_probe (see probe.h).
//
// Built a second time as sized_minimal_probe with PROBE_WINDOW_WIDTH/HEIGHT set to the
// main window's client size: the same program with a window as large as the program's,
// which tells how much of the difference is only the size of the window (its pixels
// are allocated and painted once at the first frame).

#include "probe.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    Probe probe(argc, argv);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    probe.mark("QApplication");
    QWidget window;
    auto *label = new QLabel(QStringLiteral("ชุดเสริมทักษะความรู้ด้านเทคนิค PERT/CPM"), &window);
    QFont font(QStringLiteral("Laksaman"));
    font.setPixelSize(24);
    label->setFont(font);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(label);
#ifdef PROBE_WINDOW_WIDTH
    window.resize(PROBE_WINDOW_WIDTH, PROBE_WINDOW_HEIGHT);
#endif
    probe.mark("window built");
    probe.endAfterFirstPaint(&window);
    window.show();
    probe.mark("window shown");
    return QApplication::exec();
}
