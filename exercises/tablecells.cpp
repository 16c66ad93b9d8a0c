// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "tablecells.h"

#include "wholenumber.h"

using platform::toWholeNumber;

std::int32_t TableCells::normalDuration(int activity) const
{
    return toWholeNumber(m_table.working(activity + 1).normalDuration);
}

std::int32_t TableCells::crashDuration(int activity) const
{
    return toWholeNumber(m_table.working(activity + 1).crashDuration);
}

std::int32_t TableCells::costPerUnit(int activity) const
{
    return toWholeNumber(m_table.working(activity + 1).crashCostPerDay);
}

void shortenActivity(ActivityTable &table, int activity, std::int32_t days)
{
    ActivityRow &row = table.working(activity + 1);
    row.normalDuration = QString::number(toWholeNumber(row.normalDuration) - days);
}
