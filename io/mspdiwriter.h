// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"
#include "project.h"

#include <QByteArray>
#include <QDate>

#include <optional>
#include <span>

namespace io {

// The dates Microsoft Project schedules between: 1 January 1984 and 31 December 2149.
QDate mspdiFirstDate();
QDate mspdiLastDate();

// The file's calendar works Monday to Friday, 08:00-12:00 and 13:00-17:00, from `start` or,
// when that is a Saturday or Sunday, from the Monday after. The last working day of a plan
// of `workingDays` days on it (the first working day when the plan lasts 0 days), or nullopt
// beyond the dates QDate holds.
std::optional<QDate> mspdiFinishDay(QDate start, engine::Duration workingDays);

// The project as Microsoft Project XML (MSPDI) in UTF-8, for Microsoft Project, ProjectLibre
// and GanttProject: the title as the project's Name and Title, `start` as its StartDate, the
// calendar above (UID 1, the project's), and one task per activity in table order (UID and ID
// 1 .. n) with its duration in working time (a day of 8 hours, a week of 5 days) shown in the
// project's unit, its start and finish from the critical path method's earliest times on that
// calendar, a link of its type and lag (in the project's unit) from each predecessor and
// whether it is critical. The activity's id is kept in the custom field Text1, named
// "Activity", and is the task's Name where the activity has no name; readMspdi gives ids,
// names, links and the working time of durations and lags back (in the largest unit they
// are whole in). With `crashed` (one duration per activity) those are the tasks'
// durations and the plan at normal durations is baseline 0 of every task. Elements come in
// the order of the schema's sequences, which Microsoft Project insists on. A text character
// that XML cannot hold (a control character other than tab and line breaks) is written as
// U+FFFD. Precondition: the project is sound (engine::validate is empty), its texts are UTF-8,
// `start` is valid and `crashed` is empty or holds one duration from 0 to kMaxDuration per
// activity. Dates past the year 9999 have more digits.
QByteArray writeMspdi(const engine::Project &project, QDate start,
                      std::span<const engine::Duration> crashed = {});

// Saves writeMspdi(project, start, crashed) at `path` through QSaveFile: the file is replaced
// whole or not at all. Returns what keeps the project from being written so that it reads back
// the same (as checkSavable finds it for a .crashkit file) or the system's reason for a failed
// write; empty on success. Whether a planning tool takes the dates is the caller's matter
// (mspdiFirstDate, mspdiLastDate, mspdiFinishDay). Precondition: as for writeMspdi but
// soundness, which is checked.
[[nodiscard]] ProblemList saveMspdi(const engine::Project &project, QDate start,
                                    std::span<const engine::Duration> crashed, const QString &path);

} // namespace io
