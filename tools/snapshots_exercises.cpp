// Exercise-window scenarios for the snapshot tool.

#include "exercisewindow.h"

#include <QDir>
#include <QPushButton>

#include <cstdio>

namespace {

void save(QWidget *window, const QString &outputDir, const QString &name)
{
    const QString path = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    if (window->grab().save(path))
        std::printf("%s\n", qPrintable(path));
}

QString prefix(const ExerciseWindow *window)
{
    return QStringLiteral("form%1-set%2").arg(window->set().number + 2).arg(window->set().number);
}

} // namespace

void snapshotExerciseScenarios(ExerciseWindow *window, const QString &outputDir)
{
    // The edit panel open over the grid.
    window->findChild<QWidget *>(QStringLiteral("Panel3"))->show();
    save(window, outputDir, prefix(window) + QStringLiteral("-editpanel"));
    window->findChild<QWidget *>(QStringLiteral("Panel3"))->hide();
}
