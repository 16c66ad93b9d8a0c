// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "leastcost.h"
#include "projectanalysis.h"

#include <QAbstractTableModel>

#include <optional>

namespace project {

// The exact least-cost answer for a target, read only: per activity its least-cost duration
// first (the answer), then its normal duration, the units cut and what they cost, and a last
// row with the total. Headers in Thai; numbers right-aligned.
class LeastCostTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ActivityColumn,
        DurationColumn,
        NormalColumn,
        CutColumn,
        CostColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    // The answer for the analysis's project (its durations one per activity); nothing shows
    // no rows.
    void showAnswer(AnalysisSnapshot analysis, std::optional<engine::LeastCost> answer);
    // The widest text the column shows (by its number of characters), for fitting the column.
    QString widestText(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    AnalysisSnapshot m_analysis;
    std::optional<engine::LeastCost> m_answer;
};

} // namespace project
