// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The module the program loads when the own-project window or "ฝึกทำเอง" is first opened:
// the windows and what only they need (Qt Charts, Svg, PrintSupport) cost start-up nothing.

#include "projectwindowentry.h"
#include "trainerentry.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT const ProjectWindowEntryPoints *crashkitProjectWindowEntryPoints()
{
    static const ProjectWindowEntryPoints points = linkedProjectWindow();
    return &points;
}

extern "C" Q_DECL_EXPORT const TrainerEntryPoints *crashkitTrainerEntryPoints()
{
    static const TrainerEntryPoints points = linkedTrainerWindow();
    return &points;
}
