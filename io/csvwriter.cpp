// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "csvwriter.h"

#include "csvcolumns.h"
#include "linknotation.h"
#include "money.h"
#include "values.h"

#include <algorithm>
#include <string_view>

namespace io {

namespace {

// Quotes a field when it holds a separator of either kind, a quote or a line break (the
// reader takes those literally only inside quotes), or begins or ends with a blank.
void appendField(QByteArray &out, std::string_view text)
{
    const bool quote = text.find_first_of(",;\"\r\n") != std::string_view::npos
        || (!text.empty()
            && (text.front() == ' ' || text.front() == '\t' || text.back() == ' '
                || text.back() == '\t'));
    if (!quote) {
        out.append(text.data(), static_cast<qsizetype>(text.size()));
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendBaht(QByteArray &out, engine::Satang amount)
{
    std::string text = engine::formatBaht(amount);
    if (text.ends_with(".00"))
        text.resize(text.size() - 3);
    out.append(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QByteArray writeCsv(const engine::Project &project)
{
    QByteArray out("\xEF\xBB\xBF");
    const CsvColumn columns[]
        = {CsvColumn::Activity,       CsvColumn::Name,          CsvColumn::Predecessors,
           CsvColumn::NormalDuration, CsvColumn::CrashDuration, CsvColumn::CrashCostPerUnit};
    for (const CsvColumn column : columns) {
        if (column != columns[0])
            out += ',';
        out += kCsvColumns[static_cast<std::size_t>(column)].name;
    }
    // The estimate columns only when an activity has estimates: other files stay as they were.
    const bool estimates = std::any_of(project.activities.begin(), project.activities.end(),
                                       [](const engine::Activity &a) { return a.estimate; });
    if (estimates) {
        for (const CsvColumn column : kCsvEstimateColumns) {
            out += ',';
            out += kCsvColumns[static_cast<std::size_t>(column)].name;
        }
    }
    // The unit only when it is not the day, which a file without the column means.
    const bool unit = project.timeUnit != engine::TimeUnit::Day;
    if (unit) {
        out += ',';
        out += kCsvColumns[static_cast<std::size_t>(CsvColumn::Unit)].name;
    }
    out += "\r\n";

    for (const engine::Activity &a : project.activities) {
        appendField(out, a.id);
        out += ',';
        appendField(out, a.name);
        out += ',';
        const std::string predecessors = predecessorCell(a);
        // A lone "-" means no predecessors; an activity named "-" gets a trailing comma.
        std::string_view field = predecessors;
        if (predecessors.empty())
            field = "-";
        else if (predecessors == "-")
            field = "-,";
        appendField(out, field);
        out += ',';
        out += QByteArray::number(static_cast<qlonglong>(a.normalDuration));
        out += ',';
        out += QByteArray::number(static_cast<qlonglong>(a.crashDuration));
        out += ',';
        appendBaht(out, a.crashCostPerUnit);
        if (estimates) {
            // Blank cells for an activity without estimates.
            for (const double value : {a.estimate ? a.estimate->optimistic : 0.0,
                                       a.estimate ? a.estimate->mostLikely : 0.0,
                                       a.estimate ? a.estimate->pessimistic : 0.0}) {
                out += ',';
                if (a.estimate) {
                    const std::string text = formatEstimate(value);
                    out.append(text.data(), static_cast<qsizetype>(text.size()));
                }
            }
        }
        if (unit) {
            out += ',';
            const std::string_view word = timeUnitWord(project.timeUnit);
            out.append(word.data(), static_cast<qsizetype>(word.size()));
        }
        out += "\r\n";
    }
    return out;
}

} // namespace io
