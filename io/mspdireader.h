// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "readresult.h"

#include <QByteArray>
#include <QStringView>

namespace io {

// The custom task field that keeps activity ids (Text1, by its field id) and the name the file
// gives it.
inline constexpr QStringView kMspdiActivityFieldId = u"188743731";
inline constexpr QStringView kMspdiActivityFieldName = u"Text1";
inline constexpr QStringView kMspdiActivityFieldAlias = u"Activity";

// Reads a project from Microsoft Project XML (MSPDI), as Microsoft Project, ProjectLibre and
// GanttProject write it. Each task without subtasks becomes an activity whose id is the
// task's ID (its UID where it has none) and whose duration is its working time, in whole
// minutes (a day is the file's MinutesPerDay, 480 when absent; a week its MinutesPerWeek,
// 2400 when absent); a milestone lasts 0. Links keep their type and their lag (LinkLag, in
// tenths of a minute of working time; an elapsed or percentage lag is refused). A task split
// into parts (a pause in its assignment's timephased work) is refused. Where the file
// names the custom task field Text1 "Activity", as writeMspdi does, a task's value of it is
// the activity's id instead, and a task named by that id alone has no name of its own. The
// task of UID 0 (the project itself) and blank rows are left out; see buildPlan for summary
// tasks, links and the time unit. The activities cannot be crashed: each has a
// CrashDataMissing warning. `file` is the name problems are placed in. Linear in the file's
// size but for summary links.
ReadResult readMspdi(const QByteArray &bytes, const QString &file);

} // namespace io
