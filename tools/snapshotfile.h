#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

#include <cstdio>

// Writes a picture of the window as <outputDir>/<name>.png and names the file written.
inline void saveSnapshot(QWidget *window, const QString &outputDir, const QString &name)
{
    const QString path = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    if (window->grab().save(path))
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}
