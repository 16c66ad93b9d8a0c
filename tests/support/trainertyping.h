// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

// Typing a student's work into the trainer window's controls, for its tests and the snapshot
// tool: a schedule into the grid, a crashing step into the step editor.

#include "answercheck.h"
#include "money.h"

#include <QLineEdit>
#include <QString>
#include <QTableWidget>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

namespace trainertyping {

template<typename T> T *part(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

// One row per activity: ES EF LS LF float; then the project duration.
inline void typeSchedule(QWidget *window, const engine::Answers &answers)
{
    auto *grid = part<QTableWidget>(window, "scheduleGrid");
    for (int row = 0; row < grid->rowCount(); ++row) {
        const engine::ScheduleAnswer &a = answers.schedule[static_cast<std::size_t>(row)];
        const std::optional<engine::Duration> cells[]
            = {a.earliestStart, a.earliestFinish, a.latestStart, a.latestFinish, a.totalFloat};
        for (int column = 0; column < 5; ++column)
            grid->item(row, column)
                ->setText(cells[column] ? QString::number(*cells[column]) : QString());
    }
    part<QLineEdit>(window, "projectDurationEdit")
        ->setText(answers.projectDuration ? QString::number(*answers.projectDuration) : QString());
}

// The units to shorten each activity by (the step table's last column), the step's cost and
// the project duration after it; what is not given is left empty.
inline void typeStep(QWidget *window, const std::vector<std::pair<int, engine::Duration>> &cuts,
                     std::optional<engine::Satang> cost, std::optional<engine::Duration> duration)
{
    auto *table = part<QTableWidget>(window, "stepTable");
    for (int row = 0; row < table->rowCount(); ++row)
        table->item(row, 4)->setText(QString());
    for (const auto &[activity, units] : cuts)
        table->item(activity, 4)->setText(QString::number(units));
    part<QLineEdit>(window, "stepCostEdit")
        ->setText(cost ? QString::fromStdString(engine::formatBaht(*cost)) : QString());
    part<QLineEdit>(window, "stepDurationEdit")
        ->setText(duration ? QString::number(*duration) : QString());
}

} // namespace trainertyping
