// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "activitytable.h"

#include <stdexcept>

ActivityTable::ActivityTable(int capacity)
    : m_capacity(capacity), m_rows(static_cast<std::size_t>(2 * capacity))
{
}

ActivityRow &ActivityTable::row(int number)
{
    if (number < 1 || number > rowCount())
        throw std::out_of_range("activity table row");
    return m_rows[static_cast<std::size_t>(number - 1)];
}

const ActivityRow &ActivityTable::row(int number) const
{
    if (number < 1 || number > rowCount())
        throw std::out_of_range("activity table row");
    return m_rows[static_cast<std::size_t>(number - 1)];
}

ActivityRow builtInRow(const BuiltInRow &row)
{
    return {QString::fromUtf8(row.activity), QString::fromUtf8(row.predecessor),
            QString::fromUtf8(row.normalDuration), QString::fromUtf8(row.crashDuration),
            QString::fromUtf8(row.crashCostPerDay)};
}

ActivityTable builtInTable(const PracticeSet &set)
{
    ActivityTable table(set.capacity);
    for (std::size_t k = 0; k < set.rows.size(); ++k) {
        const int activity = static_cast<int>(k + 1);
        table.pristine(activity) = builtInRow(set.rows[k]);
        table.working(activity) = table.pristine(activity);
    }
    return table;
}
