// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "answercheck.h"
#include "project.h"

#include <QString>

// The trainer's verdicts in plain Thai, in the student's own numbers: one module for the
// trainer window and crashkit-cli, so that both say the same. Each item has a message and
// three hints, each telling more than the last: a nudge, the rule (worked with the student's
// own values where they answered), and the answer. QtCore only.

namespace trainer {

struct Hints {
    QString nudge; // where to look
    QString rule; // the rule, worked with the student's own numbers
    QString answer; // the right value or step
};

struct ItemText {
    QString message;
    Hints hints;
};

// "ถูก", "ถูกตามวิธี", "ผิด", "ยังไม่ได้ตอบ".
QString verdictWord(engine::Verdict verdict);

// "ES", "EF", "LS", "LF", "เวลาลอย".
QString fieldName(engine::ScheduleField field);

// The cell as the student reads it: "ES ของ C", or "ระยะเวลาโครงการ" (activity -1).
QString cellName(const engine::Project &project, const engine::CellCheck &cell);

// One cell of the schedule, or its project duration. Precondition: `check` is
// engine::checkSchedule of this project, and `cell` one of its cells.
ItemText cellText(const engine::Project &project, const engine::ScheduleCheck &check,
                  const engine::CellCheck &cell);

// The critical activities ticked; one path given (its position among them, from 0); the
// critical paths not given. Precondition: `check` is engine::checkCriticalPaths of this project.
ItemText ticksText(const engine::Project &project, const engine::CriticalCheck &check);
ItemText pathText(const engine::Project &project, const engine::CriticalCheck &check,
                  std::size_t position);
ItemText missedPathsText(const engine::Project &project, const engine::CriticalCheck &check);

// The target chosen for crashing.
ItemText targetText(const engine::CrashingCheck &check);

// One crashing step. Precondition: `step` is engine::checkStep of this project.
ItemText stepText(const engine::Project &project, const engine::StepCheck &step);

// Where crashing ended and what it cost: the student's steps, the textbook greedy and the
// least cost at the target.
QString totalsText(const engine::CrashingCheck &check);

// The activity's id, or "ลำดับที่ n" for an index outside the project.
QString activityName(const engine::Project &project, int activity);
// Ids joined by "-": "B-F-I".
QString pathName(const engine::Project &project, const std::vector<int> &path);

} // namespace trainer
