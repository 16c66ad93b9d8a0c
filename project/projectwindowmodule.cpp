// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The loadable module's one export: the program finds the window through it.

#include "projectwindowentry.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const ProjectWindowEntryPoints *crashkitProjectWindowEntryPoints()
{
    static const ProjectWindowEntryPoints points = linkedProjectWindow();
    return &points;
}
