// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "activitytablemodel.h"

#include "flattable.h"

#include "thaiproblems.h"

#include <QColor>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>

namespace project {

// One edit of the table: what redo and undo do, made by the model's edit functions.
class TableCommand : public QUndoCommand {
public:
    TableCommand(const QString &text, std::function<void()> redo, std::function<void()> undo)
        : m_redo(std::move(redo)), m_undo(std::move(undo))
    {
        setText(text);
    }
    void redo() override { m_redo(); }
    void undo() override { m_undo(); }

private:
    std::function<void()> m_redo, m_undo;
};

namespace {

bool validColumn(int column)
{
    return column >= 0 && column < ColumnCount;
}

} // namespace

ActivityTableModel::ActivityTableModel(QUndoStack *undoStack, QObject *parent)
    : QAbstractTableModel(parent), m_undoStack(undoStack ? undoStack : new QUndoStack(this))
{
}

const std::vector<ActivityRow> &ActivityTableModel::rows() const
{
    return m_rows;
}

QString ActivityTableModel::title() const
{
    return m_title;
}

void ActivityTableModel::push(const QString &text, std::function<void()> redo,
                              std::function<void()> undo)
{
    m_undoStack->push(new TableCommand(text, std::move(redo), std::move(undo)));
}

void ActivityTableModel::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    push(
        QStringLiteral("แก้ชื่อโครงการ"), [this, title] { applyTitle(title); },
        [this, old = m_title] { applyTitle(old); });
}

void ActivityTableModel::insertBlankRows(int row, int count)
{
    if (row < 0 || row > rowCount() || count < 1)
        return;
    const std::vector<ActivityRow> blank(static_cast<std::size_t>(count));
    push(
        count == 1 ? QStringLiteral("เพิ่มแถว") : QStringLiteral("เพิ่ม %1 แถว").arg(count),
        [this, row, blank] { applyInsert(row, blank); },
        [this, row, count] { applyRemove(row, count); });
}

void ActivityTableModel::removeRowsAt(int row, int count)
{
    if (row < 0 || count < 1 || count > rowCount() - row)
        return;
    const std::vector<ActivityRow> removed(m_rows.begin() + row, m_rows.begin() + row + count);
    push(
        count == 1 ? QStringLiteral("ลบแถวที่ %1").arg(row + 1)
                   : QStringLiteral("ลบ %1 แถว").arg(count),
        [this, row, count] { applyRemove(row, count); },
        [this, row, removed] { applyInsert(row, removed); });
}

void ActivityTableModel::removeRowSet(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [this](int row) { return row < 0 || row >= rowCount(); }),
               rows.end());
    if (rows.empty())
        return;
    if (rows.size() == 1) {
        removeRowsAt(rows.front(), 1);
        return;
    }
    // Runs of neighbouring rows, each with the rows it held, top first.
    struct Run {
        int first;
        std::vector<ActivityRow> rows;
    };
    std::vector<Run> runs;
    for (const int row : rows) {
        if (runs.empty() || runs.back().first + static_cast<int>(runs.back().rows.size()) != row)
            runs.push_back({row, {}});
        runs.back().rows.push_back(m_rows[static_cast<std::size_t>(row)]);
    }
    push(
        QStringLiteral("ลบ %1 แถว").arg(rows.size()),
        [this, runs] {
            // From the bottom, so that the rows above keep their numbers.
            for (auto run = runs.rbegin(); run != runs.rend(); ++run)
                applyRemove(run->first, static_cast<int>(run->rows.size()), false);
            emit rowsEdited();
        },
        [this, runs] {
            for (const Run &run : runs)
                applyInsert(run.first, run.rows, false);
            emit rowsEdited();
        });
}

void ActivityTableModel::moveRowTo(int from, int to)
{
    if (from < 0 || to < 0 || from >= rowCount() || to >= rowCount() || from == to)
        return;
    push(
        QStringLiteral("ย้ายแถวที่ %1 ไปเป็นแถวที่ %2").arg(from + 1).arg(to + 1),
        [this, from, to] { applyMove(from, to); }, [this, from, to] { applyMove(to, from); });
}

void ActivityTableModel::resetRows(std::vector<ActivityRow> rows, const QString &title)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_problemText.assign(m_rows.size(), std::vector<QString>(ColumnCount));
    m_markText.assign(m_rows.size(), std::vector<QString>(ColumnCount));
    const bool titleChanges = title != m_title;
    m_title = title;
    endResetModel();
    if (titleChanges)
        emit titleChanged(m_title);
    emit rowsEdited();
}

void ActivityTableModel::setProblems(const std::vector<CellProblem> &problems)
{
    m_problemText.assign(m_rows.size(), std::vector<QString>(ColumnCount));
    auto add = [](QString &text, const QString &reason) {
        if (!text.isEmpty())
            text += u'\n';
        text += reason;
    };
    for (const CellProblem &problem : problems) {
        if (problem.row < 0 || problem.row >= rowCount())
            continue;
        std::vector<QString> &row = m_problemText[static_cast<std::size_t>(problem.row)];
        if (validColumn(problem.column)) {
            add(row[static_cast<std::size_t>(problem.column)], problem.reason);
        } else {
            for (QString &cell : row)
                add(cell, problem.reason);
        }
    }
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1),
                         {Qt::ToolTipRole, Qt::BackgroundRole, Qt::AccessibleDescriptionRole});
}

void ActivityTableModel::markCellsToFill(const std::vector<std::pair<int, int>> &cells,
                                         const QString &reason)
{
    for (const auto &[row, column] : cells) {
        if (row < 0 || row >= rowCount() || !validColumn(column))
            continue;
        m_markText[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = reason;
        const QModelIndex at = index(row, column);
        emit dataChanged(at, at,
                         {Qt::ToolTipRole, Qt::BackgroundRole, Qt::AccessibleDescriptionRole});
    }
}

void ActivityTableModel::clearMarks()
{
    m_markText.assign(m_rows.size(), std::vector<QString>(ColumnCount));
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1),
                         {Qt::ToolTipRole, Qt::BackgroundRole, Qt::AccessibleDescriptionRole});
}

QString ActivityTableModel::markOf(int row, int column) const
{
    if (row < 0 || row >= rowCount() || !validColumn(column))
        return {};
    return m_markText[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ActivityTableModel::clearMark(int row, int column)
{
    QString &mark = m_markText[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (mark.isEmpty())
        return;
    mark.clear();
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::ToolTipRole, Qt::BackgroundRole, Qt::AccessibleDescriptionRole});
}

int ActivityTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ActivityTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ActivityTableModel::data(const QModelIndex &index, int role) const
{
    if (!isCellOf(this, index))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    const QString problem = row < m_problemText.size() ? m_problemText[row][column] : QString();
    const QString mark = row < m_markText.size() ? m_markText[row][column] : QString();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_rows[row][column];
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        // A problem first: it is what keeps the project from being analysed.
        QString tip = problem;
        if (!mark.isEmpty())
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + mark;
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::BackgroundRole:
        if (!problem.isEmpty())
            return QColor(255, 214, 214);
        return mark.isEmpty() ? QVariant() : QVariant(QColor(255, 244, 176));
    default:
        return {};
    }
}

QVariant ActivityTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return section + 1;
        return {};
    }
    if (!validColumn(section))
        return {};
    const bool estimate = section >= OptimisticColumn && section <= PessimisticColumn;
    if (role == Qt::DisplayRole)
        return estimate ? thaiEstimateColumnName(section) : thaiColumnName(section);
    if (role == Qt::ToolTipRole)
        return estimate ? thaiEstimateColumnHint(section) : thaiColumnHint(section);
    return {};
}

Qt::ItemFlags ActivityTableModel::flags(const QModelIndex &index) const
{
    if (!isCellOf(this, index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ActivityTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !isCellOf(this, index))
        return false;
    const int row = index.row(), column = index.column();
    const QString text = value.toString();
    const QString old = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    // The student has seen to the cell, even when keeping its text.
    clearMark(row, column);
    if (text == old)
        return true;
    const QString what = headerData(column, Qt::Horizontal).toString();
    push(
        QStringLiteral("แก้%1 แถวที่ %2").arg(what).arg(row + 1),
        [this, row, column, text] { applyCell(row, column, text); },
        [this, row, column, old] { applyCell(row, column, old); });
    return true;
}

bool ActivityTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1)
        return false;
    insertBlankRows(row, count);
    return true;
}

bool ActivityTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || count > rowCount() - row)
        return false;
    removeRowsAt(row, count);
    return true;
}

void ActivityTableModel::applyCell(int row, int column, const QString &text)
{
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    emit rowsEdited();
}

void ActivityTableModel::applyInsert(int row, const std::vector<ActivityRow> &rows, bool announce)
{
    const auto count = static_cast<int>(rows.size());
    beginInsertRows({}, row, row + count - 1);
    m_rows.insert(m_rows.begin() + row, rows.begin(), rows.end());
    m_problemText.insert(m_problemText.begin() + row, rows.size(),
                         std::vector<QString>(ColumnCount));
    m_markText.insert(m_markText.begin() + row, rows.size(), std::vector<QString>(ColumnCount));
    endInsertRows();
    if (announce)
        emit rowsEdited();
}

void ActivityTableModel::applyRemove(int row, int count, bool announce)
{
    beginRemoveRows({}, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    m_problemText.erase(m_problemText.begin() + row, m_problemText.begin() + row + count);
    m_markText.erase(m_markText.begin() + row, m_markText.begin() + row + count);
    endRemoveRows();
    if (announce)
        emit rowsEdited();
}

void ActivityTableModel::applyMove(int from, int to)
{
    // Qt counts the destination before the move: the row goes before `destination`.
    const int destination = to > from ? to + 1 : to;
    beginMoveRows({}, from, from, {}, destination);
    auto moveIn = [from, to](auto &list) {
        if (from < to)
            std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
        else
            std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
    };
    moveIn(m_rows);
    moveIn(m_problemText);
    moveIn(m_markText);
    endMoveRows();
    emit rowsEdited();
}

void ActivityTableModel::applyTitle(const QString &title)
{
    m_title = title;
    emit titleChanged(m_title);
    emit rowsEdited();
}

} // namespace project
