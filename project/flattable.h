// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QAbstractItemModel>
#include <QString>

#include <functional>

class QTableView;

namespace project {

// Whether the index is a cell of the model, a flat table (quietly: views and testers ask
// about other indexes too).
inline bool isCellOf(const QAbstractItemModel *model, const QModelIndex &index)
{
    return index.isValid() && index.model() == model && !index.parent().isValid()
        && index.row() < model->rowCount() && index.column() < model->columnCount();
}

// Sets each column of the view as wide as its header and the widest text `widest(column)`
// names, so that no number is cut off. A model knows its widest texts from its numbers in one
// pass; QHeaderView::ResizeToContents would measure up to a thousand rows at every change,
// which takes the window a tenth of a second at thousands of activities. The last column
// still takes what is left when the header stretches it.
void fitColumnsToWidest(QTableView *view, const std::function<QString(int column)> &widest);

} // namespace project
