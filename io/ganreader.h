// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "readresult.h"

#include <QByteArray>

namespace io {

// Reads a project from a GanttProject file (.gan): each task without subtasks becomes an
// activity with the task's id and name and its duration in days; a milestone lasts 0 days.
// Links keep their type and their difference, a lag in whole days (see buildPlan for the
// time unit).
// Tasks holding others are summary tasks (see buildPlan). The activities cannot be crashed:
// each has a CrashDataMissing warning. `file` is the name problems are placed in.
ReadResult readGan(const QByteArray &bytes, const QString &file);

} // namespace io
