// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectanalysis.h"

#include <QAbstractTableModel>

#include <functional>
#include <utility>
#include <vector>

class QUndoStack;

namespace project {

// The activity table as typed, for a QTableView. Every change (a cell, rows added,
// removed or moved, the title) is an undo command on the given stack, so undo and redo
// restore it exactly. Headers and problem tooltips in Thai; a cell with a problem has a
// light red background and the reason as its tooltip; a cell marked to fill a light yellow
// one.
class ActivityTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Edits are pushed on `undoStack` (the model keeps one of its own when it is null).
    ActivityTableModel(QUndoStack *undoStack, QObject *parent = nullptr);

    const std::vector<ActivityRow> &rows() const;
    QString title() const;

    // Undoable edits; each is one command ("undo" takes back exactly this). Rows are
    // 0-based; insertion needs 0 <= row <= rowCount() and count >= 1, removal rows that
    // exist; anything else (and a title equal to the present one) changes nothing.
    void setTitle(const QString &title);
    void insertBlankRows(int row, int count);
    void removeRowsAt(int row, int count);
    // Removes the given rows, in any order and wherever they are, as one command (a
    // selection of rows removed together is one step to undo and one change to analyse).
    // Rows that do not exist are ignored; nothing happens when none is left.
    void removeRowSet(std::vector<int> rows);
    // Moves one row to the position `to` (0 .. rowCount() - 1).
    void moveRowTo(int from, int to);

    // Replaces everything without an undo command (opening a file, a new project).
    void resetRows(std::vector<ActivityRow> rows, const QString &title);
    // The problems to mark (the document passes them after every analysis).
    void setProblems(const std::vector<CellProblem> &problems);
    // Cells (row, column) the student still has to fill in or check, e.g. crash data a
    // planning file did not have: shown with a light yellow background and `reason` as the
    // tooltip until the cell is edited (an edit, even to the same text, clears its mark; undo
    // does not bring it back). Cells outside the table are ignored. Not undoable, not part of
    // the project; resetRows and clearMarks remove every mark.
    void markCellsToFill(const std::vector<std::pair<int, int>> &cells, const QString &reason);
    void clearMarks();
    // The reason a cell is marked with; empty when it is not marked.
    QString markOf(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Pushes one undo command; a text equal to the cell's is no change.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // Generic item-model edits: blank rows inserted or rows removed as one undo command.
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

signals:
    // After every change of the rows or the title, undo and redo included.
    void rowsEdited();
    // After the title changed (an edit, undo, redo or resetRows).
    void titleChanged(const QString &title);

private:
    friend class TableCommand;
    // The changes themselves, with the model's signals; commands call them.
    void applyCell(int row, int column, const QString &text);
    // The rows changes; `announce`: emit rowsEdited after it (one signal per command).
    void applyInsert(int row, const std::vector<ActivityRow> &rows, bool announce = true);
    void applyRemove(int row, int count, bool announce = true);
    void applyMove(int from, int to);
    void applyTitle(const QString &title);
    void clearMark(int row, int column);
    void push(const QString &text, std::function<void()> redo, std::function<void()> undo);

    QUndoStack *m_undoStack;
    std::vector<ActivityRow> m_rows;
    QString m_title;
    std::vector<std::vector<QString>> m_problemText; // per row, per column
    std::vector<std::vector<QString>> m_markText; // per row, per column: why it is marked
};

} // namespace project
