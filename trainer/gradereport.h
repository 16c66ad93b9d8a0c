// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "answercheck.h"
#include "project.h"

#include <QJsonObject>
#include <QString>

#include <cstddef>

// A student's whole work checked at once, and the report of it: in Thai for people (what
// crashkit-cli grade prints), and as JSON with English keys for scripts.

namespace trainer {

struct Grade {
    engine::ScheduleCheck schedule;
    engine::CriticalCheck critical;
    engine::CrashingCheck crashing;
    int right() const { return schedule.right + critical.right + crashing.right; }
    int total() const { return schedule.total + critical.total + crashing.total; }
};

// Every stage of the answers checked against the project. Precondition: the project is sound
// (engine::validate finds nothing); at most `pathLimit` missed critical paths are listed.
Grade gradeAnswers(const engine::Project &project, const engine::Answers &answers,
                   std::size_t pathLimit = 100);

// Each item with its verdict, the given and the right value, and for every item not plainly
// right its message and three hints; per stage and in all, how many are right.
QString gradeReportText(const engine::Project &project, const Grade &grade);

// The same as one JSON object: durations as integers, money as Baht with at most two
// decimals, every item's message and hints.
QJsonObject gradeReportJson(const engine::Project &project, const Grade &grade);

} // namespace trainer
