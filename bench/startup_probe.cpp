// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The program's start-up as main performs it, ended after the main window's first frame
// (see probe.h). main itself takes no arguments, so the start-up benchmark runs this.

#include "probe.h"

#include "forms.h"
#include "tform1.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    Probe probe(argc, argv);
    // Qt would take the spawn time for one of its own options otherwise.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    probe.mark("QApplication");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    probe.mark("style");
    createForms();
    probe.mark("createForms");
    probe.endAfterFirstPaint(Form1);
    Form1->show();
    probe.mark("Form1 shown");
    return QApplication::exec();
}
