// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "leastcosttablemodel.h"

#include "flattable.h"
#include "greedylog.h"

#include <QBrush>
#include <QFont>

#include <algorithm>

namespace project {

void LeastCostTableModel::showAnswer(AnalysisSnapshot analysis,
                                     std::optional<engine::LeastCost> answer)
{
    beginResetModel();
    const bool fits
        = analysis && answer && answer->durations.size() == analysis->project.activities.size();
    m_analysis = fits ? std::move(analysis) : nullptr;
    m_answer = fits ? std::move(answer) : std::nullopt;
    endResetModel();
}

QString LeastCostTableModel::widestText(int column) const
{
    if (!m_answer)
        return {};
    const std::vector<engine::Activity> &activities = m_analysis->project.activities;
    switch (column) {
    case ActivityColumn: {
        std::size_t longest = 0;
        for (std::size_t i = 1; i < activities.size(); ++i)
            if (activities[i].id.size() > activities[longest].id.size())
                longest = i;
        const QString id
            = activities.empty() ? QString() : QString::fromStdString(activities[longest].id);
        return id.size() > 3 ? id : QStringLiteral("รวม");
    }
    case DurationColumn:
    case NormalColumn:
    case CutColumn: {
        // None of them is above the largest normal duration.
        const auto normal = m_analysis->network.normalDurations();
        const auto largest = std::max_element(normal.begin(), normal.end());
        return largest == normal.end() ? QString() : QString::number(*largest);
    }
    case CostColumn:
        // The total is the largest amount of the column.
        return bahtText(m_answer->cost);
    default:
        return {};
    }
}

int LeastCostTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_answer)
        return 0;
    return static_cast<int>(m_answer->durations.size()) + 1;
}

int LeastCostTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LeastCostTableModel::data(const QModelIndex &index, int role) const
{
    if (!isCellOf(this, index))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const bool total = row == m_answer->durations.size();
    if (role == Qt::TextAlignmentRole)
        return index.column() == ActivityColumn ? QVariant()
                                                : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && (total || index.column() == DurationColumn)) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole)
        return {};
    if (total) {
        if (index.column() == ActivityColumn)
            return QStringLiteral("รวม");
        return index.column() == CostColumn ? QVariant(bahtText(m_answer->cost)) : QVariant();
    }
    const engine::Network &network = m_analysis->network;
    const engine::Duration normal = network.normalDurations()[row];
    const engine::Duration duration = m_answer->durations[row];
    switch (index.column()) {
    case ActivityColumn:
        return QString::fromStdString(m_analysis->project.activities[row].id);
    case DurationColumn:
        return QString::number(duration);
    case NormalColumn:
        return QString::number(normal);
    case CutColumn:
        return QString::number(normal - duration);
    case CostColumn:
        return bahtText((normal - duration) * network.costsPerUnit()[row]);
    default:
        return {};
    }
}

QVariant LeastCostTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    static const QString names[]
        = {QStringLiteral("กิจกรรม"), QStringLiteral("ระยะเวลา"), QStringLiteral("ปกติ"),
           QStringLiteral("เร่ง"), QStringLiteral("ค่าเร่ง")};
    static const QString hints[] = {
        QStringLiteral("รหัสกิจกรรม"),
        QStringLiteral("ระยะเวลาของกิจกรรมในคำตอบค่าเร่งต่ำสุด"),
        QStringLiteral("ระยะเวลาปกติของกิจกรรม"),
        QStringLiteral("จำนวนหน่วยเวลาที่เร่ง"),
        QStringLiteral("ค่าเร่งของกิจกรรมนี้ เป็นบาท"),
    };
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return names[section];
    if (role == Qt::ToolTipRole)
        return hints[section];
    return {};
}

} // namespace project
