// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace io {

// The columns a CSV project file may have, in kCsvColumns's order. Adding one (the three PERT
// estimates, say) is a row in kCsvColumns and a case where the reader takes its value.
enum class CsvColumn {
    Activity,
    Name,
    Predecessors,
    NormalDuration,
    CrashDuration,
    CrashCostPerUnit,
    NormalCost,
    CrashCost,
    Optimistic,
    MostLikely,
    Pessimistic,
    Unit, // the project's time unit, the same on every row that gives it
};

enum class CsvNeed {
    Required,
    Optional,
    PerUnitCost, // the cost given per time unit...
    TotalCosts, // ...or as the totals at normal and at crash duration: one form or the other
    Estimate, // PERT's three time estimates: all three columns or none
};

struct CsvColumnInfo {
    CsvColumn column;
    const char *name; // lower case, as written in the header
    CsvNeed need;
};

inline constexpr std::array kCsvColumns = {
    CsvColumnInfo {CsvColumn::Activity, "activity", CsvNeed::Required},
    CsvColumnInfo {CsvColumn::Name, "name", CsvNeed::Optional},
    CsvColumnInfo {CsvColumn::Predecessors, "predecessors", CsvNeed::Required},
    CsvColumnInfo {CsvColumn::NormalDuration, "normal_duration", CsvNeed::Required},
    CsvColumnInfo {CsvColumn::CrashDuration, "crash_duration", CsvNeed::Required},
    CsvColumnInfo {CsvColumn::CrashCostPerUnit, "crash_cost_per_unit", CsvNeed::PerUnitCost},
    CsvColumnInfo {CsvColumn::NormalCost, "normal_cost", CsvNeed::TotalCosts},
    CsvColumnInfo {CsvColumn::CrashCost, "crash_cost", CsvNeed::TotalCosts},
    CsvColumnInfo {CsvColumn::Optimistic, "optimistic", CsvNeed::Estimate},
    CsvColumnInfo {CsvColumn::MostLikely, "most_likely", CsvNeed::Estimate},
    CsvColumnInfo {CsvColumn::Pessimistic, "pessimistic", CsvNeed::Estimate},
    CsvColumnInfo {CsvColumn::Unit, "unit", CsvNeed::Optional},
};

inline constexpr std::array kCsvEstimateColumns
    = {CsvColumn::Optimistic, CsvColumn::MostLikely, CsvColumn::Pessimistic};

QString csvColumnName(CsvColumn column);
QStringList csvColumnNames();

// What a header row says: which column each field position holds.
struct CsvHeader {
    // The fields up to the last named one; empty header cells after it (spreadsheets save
    // those) and their fields are ignored.
    std::size_t named = 0;
    // The field position of every column, or -1 when the header lacks it.
    std::array<int, kCsvColumns.size()> position {};
    bool totalCosts = false; // costs as normal_cost and crash_cost
    bool estimates = false; // the three estimate columns

    int positionOf(CsvColumn column) const { return position[static_cast<std::size_t>(column)]; }
    bool has(CsvColumn column) const { return positionOf(column) >= 0; }
};

// Reads the header's fields; names are matched ignoring case and blanks around them.
// Adds a problem at `place` (its line) for every unknown, repeated, unnamed or missing
// column (one estimate column asks for the other two), and for a missing or doubled cost
// form; returns whether the header is usable.
bool readCsvHeader(const std::vector<std::string> &fields, std::size_t count, const Place &place,
                   CsvHeader &header, ProblemList &problems);

} // namespace io
