// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "flattable.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace project {

void fitColumnsToWidest(QTableView *view, const std::function<QString(int column)> &widest)
{
    QHeaderView *header = view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QFontMetrics cells(view->font());
    const QFontMetrics captions(header->font());
    // Room for the cell's and the header's margins, as the style draws them.
    constexpr int kCellPadding = 16, kHeaderPadding = 18;
    for (int column = 0; column < model->columnCount(); ++column) {
        const QString caption = model->headerData(column, Qt::Horizontal).toString();
        const int width = std::max(captions.horizontalAdvance(caption) + kHeaderPadding,
                                   cells.horizontalAdvance(widest(column)) + kCellPadding);
        header->resizeSection(column, std::max(width, header->minimumSectionSize()));
    }
}

} // namespace project
