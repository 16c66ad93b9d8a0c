// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "scheduletablemodel.h"

#include "thaitext.h"

#include "flattable.h"

#include "projectanalysis.h"

#include <QColor>

#include <algorithm>

namespace project {

void ScheduleTableModel::showSchedule(const engine::Project &project,
                                      std::vector<engine::Duration> durations,
                                      const engine::Schedule &schedule)
{
    const std::size_t n = project.activities.size();
    const bool fits = durations.size() == n && schedule.earliestStart.size() == n
        && schedule.earliestFinish.size() == n && schedule.latestStart.size() == n
        && schedule.latestFinish.size() == n;
    beginResetModel();
    m_ids.clear();
    m_names.clear();
    m_unit = project.timeUnit;
    if (fits) {
        for (const engine::Activity &a : project.activities) {
            m_ids.push_back(textOf(a.id));
            m_names.push_back(textOf(a.name));
        }
        m_durations = std::move(durations);
        m_schedule = schedule;
    } else {
        m_durations.clear();
        m_schedule = {};
    }
    endResetModel();
}

void ScheduleTableModel::clear()
{
    beginResetModel();
    m_ids.clear();
    m_names.clear();
    m_durations.clear();
    m_schedule = {};
    endResetModel();
}

QString ScheduleTableModel::widestText(int column) const
{
    auto widestNumber = [](const std::vector<engine::Duration> &values) {
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        if (low == values.end())
            return QString();
        const QString a = QString::number(*low), b = QString::number(*high);
        return a.size() > b.size() ? a : b;
    };
    switch (column) {
    case ActivityColumn: {
        const auto longest
            = std::max_element(m_ids.begin(), m_ids.end(), [](const QString &a, const QString &b) {
                  return a.size() < b.size();
              });
        return longest == m_ids.end() ? QString() : *longest;
    }
    case DurationColumn:
        return widestNumber(m_durations);
    case EarliestStartColumn:
        return widestNumber(m_schedule.earliestStart);
    case EarliestFinishColumn:
        return widestNumber(m_schedule.earliestFinish);
    case LatestStartColumn:
        return widestNumber(m_schedule.latestStart);
    case LatestFinishColumn:
    case FloatColumn:
        // A float is at most the latest finish.
        return widestNumber(m_schedule.latestFinish);
    case CriticalColumn:
        return QStringLiteral("ใช่");
    default:
        return {};
    }
}

int ScheduleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_ids.size());
}

int ScheduleTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleTableModel::data(const QModelIndex &index, int role) const
{
    if (!isCellOf(this, index))
        return {};
    const int row = index.row();
    const auto at = static_cast<std::size_t>(row);
    const bool critical = m_schedule.isCritical(row);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ActivityColumn:
            return m_ids[at];
        case DurationColumn:
            return QVariant::fromValue<qlonglong>(m_durations[at]);
        case EarliestStartColumn:
            return QVariant::fromValue<qlonglong>(m_schedule.earliestStart[at]);
        case EarliestFinishColumn:
            return QVariant::fromValue<qlonglong>(m_schedule.earliestFinish[at]);
        case LatestStartColumn:
            return QVariant::fromValue<qlonglong>(m_schedule.latestStart[at]);
        case LatestFinishColumn:
            return QVariant::fromValue<qlonglong>(m_schedule.latestFinish[at]);
        case FloatColumn:
            return QVariant::fromValue<qlonglong>(m_schedule.totalFloat(row));
        case CriticalColumn:
            return critical ? QStringLiteral("ใช่") : QString();
        default:
            return {};
        }
    case Qt::ToolTipRole:
        if (index.column() == ActivityColumn && !m_names[at].isEmpty())
            return m_names[at];
        return {};
    case Qt::ForegroundRole:
        return critical ? QVariant(QColor(200, 0, 0)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == ActivityColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                : QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant ScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case ActivityColumn:
            return QStringLiteral("กิจกรรม");
        case DurationColumn:
            return QStringLiteral("เวลา (%1)").arg(thaiUnitWord(m_unit));
        case EarliestStartColumn:
            return QStringLiteral("ES");
        case EarliestFinishColumn:
            return QStringLiteral("EF");
        case LatestStartColumn:
            return QStringLiteral("LS");
        case LatestFinishColumn:
            return QStringLiteral("LF");
        case FloatColumn:
            return QStringLiteral("เวลาลอยตัว (%1)").arg(thaiUnitWord(m_unit));
        case CriticalColumn:
            return QStringLiteral("วิกฤต");
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case ActivityColumn:
            return QStringLiteral("รหัสกิจกรรม");
        case DurationColumn:
            return QStringLiteral("เวลาของกิจกรรมที่ใช้คำนวณ");
        case EarliestStartColumn:
            return QStringLiteral("เวลาเริ่มต้นเร็วที่สุด (Earliest Start)");
        case EarliestFinishColumn:
            return QStringLiteral("เวลาเสร็จเร็วที่สุด (Earliest Finish)");
        case LatestStartColumn:
            return QStringLiteral("เวลาเริ่มต้นช้าที่สุด (Latest Start)");
        case LatestFinishColumn:
            return QStringLiteral("เวลาเสร็จช้าที่สุด (Latest Finish)");
        case FloatColumn:
            return QStringLiteral("เวลาลอยตัวรวม (Total Float) = LS − ES");
        case CriticalColumn:
            return QStringLiteral("อยู่บนสายงานวิกฤต (เวลาลอยตัวเป็น 0)");
        default:
            return {};
        }
    }
    return {};
}

} // namespace project
