// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"
#include "validation.h"

#include <QString>

namespace project {

// The activity table's column headers in Thai, for column 0 .. ColumnCount - 1 of
// projectanalysis.h (empty for any other column).
QString thaiColumnName(int column);
// How a column's cells are typed, one short Thai sentence (the header's tooltip).
QString thaiColumnHint(int column);

// One short Thai sentence saying why the text typed in the cell of `column` did not convert
// (the kinds io::parseDuration and io::parseAmount give), naming the text as typed, e.g.
// "'x7' ไม่ใช่จำนวนเต็ม".
QString thaiValueProblem(io::FileProblemKind kind, int column, const QString &typed);

// One short Thai sentence for a problem engine::validate found in `project`. For
// DuplicateId, `otherRow` is the 1-based table row that has the id first (0: not known).
QString thaiEngineProblem(const engine::Problem &problem, const engine::Project &project,
                          int otherRow = 0);

// The whole-project problem of a table without activities.
QString thaiNoActivities();

// What can be wrong with one of an activity's three PERT estimate cells.
enum class EstimateProblem {
    Missing, // one or two of the three are typed: the blank ones
    NotNumber,
    Negative,
    TooLarge, // above engine::kMaxDuration
    BelowOptimistic, // the most likely time is less than the optimistic one
    BelowMostLikely, // the pessimistic time is less than the most likely one
};

// The header and its tooltip of the estimate columns OptimisticColumn .. PessimisticColumn
// (empty for any other column).
QString thaiEstimateColumnName(int column);
QString thaiEstimateColumnHint(int column);
// One short Thai sentence for an estimate cell of `column` holding `typed`.
QString thaiEstimateProblem(EstimateProblem problem, int column, const QString &typed);

} // namespace project
