// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Writes PNG pictures of every window in its key states, for looking at layouts without
// a display:  snapshots [output directory]   (default: ./snapshots)

#include "forms.h"
#include "messagebox.h"
#include "snapshotfile.h"
#include "windowmanagement.h"

#include "exercisewindow.h"
#include "tform1.h"
#include "tform2.h"
#include "tforms.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QStyleFactory>

#include <cstdio>

void snapshotPrimer(const QString &outputDir);
void snapshotExerciseScenarios(ExerciseWindow *window, const QString &outputDir);
void snapshotProjectWindow(const QString &outputDir);
void snapshotTrainerWindow(const QString &outputDir);

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    const QString outputDir
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("snapshots");
    QDir().mkpath(outputDir);
    // Message boxes are answered at once so scenarios run to their end.
    platform::setMessageBoxAnswerer([](const platform::MessageRecord &record) {
        if (record.buttons.testFlag(QMessageBox::Discard))
            return QMessageBox::Discard;
        return record.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });

    createForms();
    Form1->show();
    saveSnapshot(Form1, outputDir, QStringLiteral("form1-main"));

    snapshotPrimer(outputDir);

    ExerciseWindow *exercises[] = {Form3, Form4, Form5, Form6, Form7};
    for (ExerciseWindow *window : exercises) {
        platform::showModeless(window);
        const QString name = QStringLiteral("form%1-set%2")
                                 .arg(window->set().practice.number + 2)
                                 .arg(window->set().practice.number);
        saveSnapshot(window, outputDir, name);
        snapshotExerciseScenarios(window, outputDir);
        window->hide();
    }
    snapshotProjectWindow(outputDir);
    snapshotTrainerWindow(outputDir);
    destroyForms();
    return snapshotFailures() == 0 ? 0 : 1;
}
