// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

#include <cstdio>

// Pictures that could not be written; the tool's exit status tells whether any failed.
inline int &snapshotFailures()
{
    static int failures = 0;
    return failures;
}

// Writes a picture of the window as <outputDir>/<name>.png and names the file written.
inline void saveSnapshot(QWidget *window, const QString &outputDir, const QString &name)
{
    const QString path = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    if (window->grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        ++snapshotFailures();
    }
}
