// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "activitytable.h"
#include "practicerule.h"

#include <cstdint>

// The working rows of an activity table as the practice rule reads them: each cell is
// converted with the strict whole-number conversion at the moment it is read, so a cell
// that is not a number throws ConversionError right there. Activity 0 is A.
class TableCells : public engine::practice::Cells {
public:
    explicit TableCells(const ActivityTable &table) : m_table(table) { }

    std::int32_t normalDuration(int activity) const override;
    std::int32_t crashDuration(int activity) const override;
    std::int32_t costPerUnit(int activity) const override;

private:
    const ActivityTable &m_table;
};

// Shortens activity `activity` (0 for A) of the working rows by `days`: its NormalDuration
// cell becomes the converted value less the days, in decimal. Throws ConversionError when
// the cell is not a number. Precondition: the result stays in the 32-bit range, as it does
// for any cut the practice rule chooses (never below the crash duration).
void shortenActivity(ActivityTable &table, int activity, std::int32_t days);
