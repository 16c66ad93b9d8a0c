// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "greedy.h"
#include "project.h"
#include "schedule.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The texts of the crashing panel: the greedy rule's log in the practice sets' style (a
// "ตรวจสอบครั้งที่ n" heading per step, the critical paths with their lengths, one selection
// line per cut activity, the step's cost, the new duration and the running total, a closing
// line after the last step), the target's range message and the totals. Money is exact
// satang shown as Baht with two decimals and "," between thousands; unitWord is the
// project's time unit ("วัน", "สัปดาห์").
namespace project {

// "1,150.00", "-0.50": satang as Baht, two decimals, groups of three.
QString bahtText(engine::Satang amount);

// "B, F, I": the activities' ids (indices into project.activities) in the given order.
QString activityList(const engine::Project &project, std::span<const int> activities);

// "ตรวจสอบครั้งที่ 3"; number is 1-based.
QString stepHeader(int number);

// "    สายงานวิกฤตที่ 1 : B+F+I = 32" for each path (activity indices from start to finish),
// then "    ... และสายงานวิกฤตอื่นอีก" when `complete` is false.
QStringList criticalPathLines(const engine::Project &project, const engine::CriticalPaths &paths,
                              engine::Duration length);

// One step's lines after its heading: critical activities, one selection line per cut
// ("เลือกกิจกรรม I ค่าใช้จ่าย 125.00 บาทต่อวัน  จำนวน 1 วัน  = 125.00 บาท"), the step's cost,
// the duration before and after and the running total.
QStringList stepLines(const engine::Project &project, const engine::GreedyStep &step,
                      const QString &unitWord);

// The whole block of one step: heading, the critical paths when known, stepLines.
QStringList stepBlock(const engine::Project &project, const engine::GreedyStep &step,
                      const engine::CriticalPaths *pathsBefore, const QString &unitWord);

// "สิ้นสุดการเร่งโครงการ.... ระยะเวลา 28 วัน ค่าเร่งรวม 725.00 บาท": after the last step.
QString closingText(engine::Duration duration, engine::Satang total, const QString &unitWord);

// Why a target cannot be crashed to: above the normal duration or below the shortest
// reachable one; both bounds are named. Precondition: shortest <= normal.
QString targetOutOfRangeText(engine::Duration target, engine::Duration shortest,
                             engine::Duration normal, const QString &unitWord);

// The greedy total against the least total: the difference in Baht and in percent of the
// least total (two decimals); a least total of 0 is said in words, nothing is divided by
// it. Nothing about a run that has not reached its target: `reached` false says so.
QString differenceText(engine::Satang greedyTotal, engine::Satang leastTotal, bool reached);

// The difference in percent of the least total, two decimals ("3.45"); nothing when the
// least total is 0 (or negative, which a sound project never gives).
std::optional<QString> differencePercent(engine::Satang greedyTotal, engine::Satang leastTotal);

} // namespace project
