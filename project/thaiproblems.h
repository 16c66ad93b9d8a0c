// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "linknotation.h"
#include "problem.h"
#include "validation.h"

#include <QString>
#include <QStringList>

#include <cstdint>

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

// The sentences of this file with what they name passed in rather than looked up in the
// table, so that a problem in a file (thaifileproblems.h) reads as the same problem typed in
// a cell.

// What a value cell of `column` holds, as the subject of a sentence ("เวลาปกติ"); for other
// columns "ค่าในช่องนี้".
QString thaiValueNoun(int column);
// As thaiValueProblem for a value that is `noun` (empty: "ค่าในช่องนี้"), whose largest
// accepted value is `largest` (for NumberTooLarge).
QString thaiValueText(io::FileProblemKind kind, const QString &noun, const QString &typed,
                      std::int64_t largest);

// What the sentence of an engine problem names. Ids are as io::shownValue shows them.
struct EngineProblemFacts {
    engine::ProblemKind kind = engine::ProblemKind::EmptyId;
    QString id {}; // the activity's id; empty when not known
    QString unknownPredecessor {}; // for UnknownPredecessor
    QStringList cycle {}; // for Cycle: the ids in order around it, the first not repeated
    std::int64_t activityCount = 0; // for TooManyActivities
    int otherRow = 0; // for DuplicateId: the 1-based table row that has the id first (0: not known)
    const engine::Activity *activity = nullptr; // its values, when known
    bool inFile = false; // the activities are a file's rather than the table's
};
QString thaiEngineText(const EngineProblemFacts &facts);

// The whole-project problem of a table without activities.
QString thaiNoActivities();

// An item of the predecessors cell that does not read ("B FS2"), quoted as typed.
QString thaiLinkNotationProblem(const io::LinkNotationProblem &problem);

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
// The same for an estimate that is `noun` (for Missing: the estimates not given, e.g.
// "เวลาช้าที่สุด (b)").
QString thaiEstimateText(EstimateProblem problem, const QString &noun, const QString &typed);

} // namespace project
