// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "project.h"
#include "schedule.h"

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace project {

// The columns of the activity table, in the order the window shows them.
enum Column {
    IdColumn,
    NameColumn,
    PredecessorsColumn,
    NormalDurationColumn,
    CrashDurationColumn,
    CostPerUnitColumn,
    // PERT's three time estimates: all three blank, or all three typed (a <= m <= b).
    OptimisticColumn,
    MostLikelyColumn,
    PessimisticColumn,
    ColumnCount
};

// One row of the activity table exactly as typed: a bad number stays in its cell, with
// its problem marked, until the student mends it.
using ActivityRow = std::array<QString, ColumnCount>;

// One thing wrong with the table, in Thai, placed on the cell that has it. row -1: the
// whole project; column -1: the whole row (e.g. an activity on a cycle).
struct CellProblem {
    int row = -1;
    int column = -1;
    QString reason;
};

// What the table means: the project it holds and, when it is sound, its network, its CPM
// schedule at normal durations and the shortest reachable duration.
struct ProjectAnalysis {
    std::vector<CellProblem> problems; // in row order, then the cycles, then the whole project
    engine::Project project; // the rows converted; holds only what converted when unsound
    engine::Network network; // empty unless sound()
    engine::Schedule schedule; // at normal durations; empty unless sound()
    engine::Duration shortestDuration = 0; // with every activity crashed; 0 unless sound()

    bool sound() const { return problems.empty(); }
};

// An analysis that no one changes any more, shared by the window and the jobs that work on
// it off the window's thread; the next edit makes a new one instead.
using AnalysisSnapshot = std::shared_ptr<const ProjectAnalysis>;

// Converts the rows (blank rows are ignored) and checks them: every cell that does not
// convert and every engine::validate problem becomes a CellProblem in Thai. The predecessors
// cell reads as io::parsePredecessorCell does ("A, B FS+2, C SS-1"). The three
// estimate cells of a row are all blank (no estimate) or all plain decimals as the project
// files take them (io::parseEstimate; Thai digits too), checked by engine::validate:
// 0 <= a <= m <= b <= engine::kMaxDuration. Linear in rows and predecessor links.
ProjectAnalysis analyseRows(const std::vector<ActivityRow> &rows, const QString &title);

// The analysis of a project made elsewhere (a practice set, a file read, a test): its rows as
// rowsOfProject shows them, analysed as the table would be.
AnalysisSnapshot analysisOf(const engine::Project &project);

// When `after` is `before` with one activity's normal duration shortened and nothing else
// changed, and its project got longer all the same (links other than finish-to-start can do
// that): why, in Thai ("ลดเวลา B แล้วโครงการยาวขึ้น 2 วัน เพราะ ..."). Empty otherwise. Linear in
// activities and links.
QString longerAfterShortening(const ProjectAnalysis &before, const ProjectAnalysis &after);

// The rows a project is shown by: numbers as whole numbers, costs in Baht with two
// decimals only when they have satang ("1200", "1200.50"), predecessors as
// io::predecessorCell writes them ("A, B FS+2"),
// estimates as the shortest decimal that reads back exactly (io::formatEstimate: "4", "2.5",
// "2.125"; blank without an estimate).
std::vector<ActivityRow> rowsOfProject(const engine::Project &project);

// UTF-8 text of the engine as a QString, exactly: unlike QString::fromStdString it keeps a
// byte order mark at the start, so an id or a name comes back byte for byte.
QString textOf(const std::string &utf8);
// The other way: a QString as UTF-8.
std::string utf8Of(const QString &text);

} // namespace project
