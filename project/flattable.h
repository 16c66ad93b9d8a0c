// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QAbstractItemModel>

namespace project {

// Whether the index is a cell of the model, a flat table (quietly: views and testers ask
// about other indexes too).
inline bool isCellOf(const QAbstractItemModel *model, const QModelIndex &index)
{
    return index.isValid() && index.model() == model && !index.parent().isValid()
        && index.row() < model->rowCount() && index.column() < model->columnCount();
}

} // namespace project
