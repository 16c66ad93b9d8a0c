// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"
#include "solution.h"

#include <QByteArray>
#include <QString>

namespace worksheets {

// What heads every page of a variant's sheets, e.g. "ชุดที่ 3 (seed 1002)".
struct SheetHeading {
    QString setName; // the class set's name
    QString variant; // this variant within the set
};

// The worksheet as a PDF (A4): the activity table, the question with the target, the network
// with empty time cells, and blank grids for the schedule and for the crashing steps.
QByteArray worksheetPdf(const SheetHeading &heading, const engine::Project &project,
                        const WorkedSolution &solution);

// The answer sheet as a PDF (A4): the CPM table, the network with its times, the critical
// paths, every step of the textbook greedy, the least cost at the target with its durations
// and the time-cost curve as a table.
QByteArray answerSheetPdf(const SheetHeading &heading, const engine::Project &project,
                          const WorkedSolution &solution);

} // namespace worksheets
