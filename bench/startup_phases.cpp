// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The program's start-up split window by window: creates the seven windows one at a time,
// as createForms does, with a timestamp after each. For finding where start-up time goes;
// startup_bench runs it with the spawn time as its argument and prints the medians.

#include "probe.h"

#include "forms.h"
#include "tform1.h"
#include "tform2.h"
#include "tforms.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    Probe probe(argc, argv);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    probe.mark("QApplication");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    probe.mark("style");
    Form1 = new TForm1;
    probe.mark("TForm1 main");
    Form2 = new TForm2;
    probe.mark("TForm2 primer");
    Form3 = new TForm3;
    probe.mark("TForm3 set 1");
    Form4 = new TForm4;
    probe.mark("TForm4 set 2");
    Form5 = new TForm5;
    probe.mark("TForm5 set 3");
    Form6 = new TForm6;
    probe.mark("TForm6 set 4");
    Form7 = new TForm7;
    probe.mark("TForm7 set 5");
    probe.endAfterFirstPaint(Form1);
    Form1->show();
    probe.mark("Form1 shown");
    return QApplication::exec();
}
