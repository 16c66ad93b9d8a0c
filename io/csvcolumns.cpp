// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "csvcolumns.h"

#include "values.h"

#include <algorithm>

namespace io {

QString csvColumnName(CsvColumn column)
{
    return QString::fromLatin1(kCsvColumns[static_cast<std::size_t>(column)].name);
}

QStringList csvColumnNames()
{
    QStringList names;
    for (const CsvColumnInfo &info : kCsvColumns)
        names << QString::fromLatin1(info.name);
    return names;
}

bool readCsvHeader(const std::vector<std::string> &fields, std::size_t count, const Place &place,
                   CsvHeader &header, ProblemList &problems)
{
    const std::int64_t before = problems.count();
    header = {};
    header.position.fill(-1);
    std::size_t named = count;
    while (named > 0 && trimmed(fields[named - 1]).empty())
        --named;
    header.named = named;

    for (std::size_t i = 0; i < named; ++i) {
        const std::string name = asciiLowered(trimmed(fields[i]));
        if (name.empty()) {
            problems.add({.kind = FileProblemKind::UnnamedColumn,
                          .place = place,
                          .number = static_cast<std::int64_t>(i + 1)});
            continue;
        }
        const CsvColumnInfo *found = nullptr;
        for (const CsvColumnInfo &info : kCsvColumns) {
            if (name == info.name)
                found = &info;
        }
        if (!found) {
            problems.add({.kind = FileProblemKind::UnknownColumn,
                          .place = place,
                          .value = shownValue(trimmed(fields[i])),
                          .names = csvColumnNames()});
            continue;
        }
        int &position = header.position[static_cast<std::size_t>(found->column)];
        if (position >= 0) {
            problems.add({.kind = FileProblemKind::DuplicateColumn,
                          .place = place,
                          .value = QString::fromLatin1(found->name)});
            continue;
        }
        position = static_cast<int>(i);
    }

    bool perUnit = false, totals = false;
    for (const CsvColumnInfo &info : kCsvColumns) {
        const bool present = header.has(info.column);
        perUnit = perUnit || (present && info.need == CsvNeed::PerUnitCost);
        totals = totals || (present && info.need == CsvNeed::TotalCosts);
    }
    if (perUnit && totals)
        problems.add({.kind = FileProblemKind::BothCostForms, .place = place});
    else if (!perUnit && !totals)
        problems.add({.kind = FileProblemKind::NoCostForm, .place = place});
    header.totalCosts = totals && !perUnit;
    header.estimates = std::any_of(kCsvEstimateColumns.begin(), kCsvEstimateColumns.end(),
                                   [&](CsvColumn c) { return header.has(c); });

    for (const CsvColumnInfo &info : kCsvColumns) {
        const bool needed = info.need == CsvNeed::Required
            || (header.totalCosts && info.need == CsvNeed::TotalCosts)
            || (header.estimates && info.need == CsvNeed::Estimate);
        if (needed && !header.has(info.column))
            problems.add({.kind = FileProblemKind::MissingColumn,
                          .place = place,
                          .value = QString::fromLatin1(info.name)});
    }
    return problems.count() == before;
}

} // namespace io
