// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"
#include "schedule.h"

#include <QAbstractTableModel>

#include <vector>

namespace project {

// The CPM table, read only: activity, duration, ES, EF, LS, LF, total float and whether it
// is critical (critical rows in red), headers in Thai.
class ScheduleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ActivityColumn,
        DurationColumn,
        EarliestStartColumn,
        EarliestFinishColumn,
        LatestStartColumn,
        LatestFinishColumn,
        FloatColumn,
        CriticalColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows the schedule of the project with the given durations (one per activity, in the
    // project's time units), computed with those durations; sizes that do not match the
    // project show no rows.
    void showSchedule(const engine::Project &project, std::vector<engine::Duration> durations,
                      const engine::Schedule &schedule);
    // No rows (a table with problems).
    void clear();
    // The widest text the column shows (by its number of characters), for fitting the column.
    QString widestText(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<QString> m_ids;
    std::vector<QString> m_names;
    std::vector<engine::Duration> m_durations;
    engine::Schedule m_schedule;
    engine::TimeUnit m_unit = engine::TimeUnit::Day; // named in the headers of the times
};

} // namespace project
