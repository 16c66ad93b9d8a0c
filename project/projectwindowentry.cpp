// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectwindowentry.h"

#include "projectwindow.h"

namespace {

QMainWindow *create()
{
    return new ProjectWindow;
}

bool openFile(QMainWindow *window, const QString &path)
{
    return static_cast<ProjectWindow *>(window)->openFile(path);
}

bool confirmClose(QMainWindow *window)
{
    return static_cast<ProjectWindow *>(window)->confirmClose();
}

} // namespace

ProjectWindowEntryPoints linkedProjectWindow()
{
    return {&create, &openFile, &confirmClose};
}
