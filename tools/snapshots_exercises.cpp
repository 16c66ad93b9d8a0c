// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Exercise-window scenarios for the snapshot tool.

#include "exercisewindow.h"
#include "snapshotfile.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace {

QString prefix(const ExerciseWindow *window)
{
    return QStringLiteral("form%1-set%2")
        .arg(window->set().practice.number + 2)
        .arg(window->set().practice.number);
}

void click(ExerciseWindow *window, const char *name)
{
    window->findChild<QPushButton *>(QString::fromLatin1(name))->click();
}

} // namespace

// The edit panel, the built network, each path highlighted over it, and a crashing run
// to the shortest duration.
void snapshotExerciseScenarios(ExerciseWindow *window, const QString &outputDir)
{
    click(window, "BitBtn1");
    saveSnapshot(window, outputDir, prefix(window) + QStringLiteral("-editpanel"));
    click(window, "BitBtn6");
    click(window, "BitBtn5");
    saveSnapshot(window, outputDir, prefix(window) + QStringLiteral("-built"));
    for (int path = 1; path <= static_cast<int>(window->set().practice.paths.size()); ++path) {
        window->DrawNetwork();
        window->highlightPath(path);
        saveSnapshot(window, outputDir, prefix(window) + QStringLiteral("-path%1").arg(path));
    }
    click(window, "BitBtn6");
    window->findChild<QLineEdit *>(QStringLiteral("Edit28"))
        ->setText(QString::number(window->analysis().minimumDuration));
    click(window, "BitBtn4");
    saveSnapshot(window, outputDir, prefix(window) + QStringLiteral("-crashed"));
}
