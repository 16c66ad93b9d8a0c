// A what-if for start-up: the program's start with only the main window created, ended
// after its first frame like startup_probe. It shows what start-up would cost if the
// other six windows were built on first use; startup_bench prints it for comparison only.

#include "probe.h"

#include "forms.h"
#include "tform1.h"

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
    probe.endAfterFirstPaint(Form1);
    Form1->show();
    probe.mark("Form1 shown");
    return QApplication::exec();
}
