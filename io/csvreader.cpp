// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "csvreader.h"

#include "csvcolumns.h"
#include "csvtokenizer.h"
#include "engineproblems.h"
#include "linknotation.h"
#include "utf8.h"
#include "validation.h"
#include "values.h"

#include <array>

namespace io {

namespace {

bool isBlankRecord(const CsvTokenizer::Record &record)
{
    for (std::size_t i = 0; i < record.count; ++i) {
        if (!trimmed(record.fields[i]).empty())
            return false;
    }
    return true;
}

class CsvReader {
public:
    CsvReader(std::string_view text, const QString &file) : m_text(text), m_file(file) { }
    ReadResult read();

private:
    Place placeAt(int line, CsvColumn column) const
    {
        return {.file = m_file, .line = line, .field = csvColumnName(column)};
    }
    std::string_view field(const CsvTokenizer::Record &record, CsvColumn column) const
    {
        const int at = m_header.positionOf(column);
        return at >= 0 && static_cast<std::size_t>(at) < record.count
            ? std::string_view(record.fields[static_cast<std::size_t>(at)])
            : std::string_view {};
    }
    void readRow(const CsvTokenizer::Record &record);
    bool readDuration(const CsvTokenizer::Record &record, CsvColumn column,
                      engine::Duration &value);
    bool readAmount(const CsvTokenizer::Record &record, CsvColumn column, engine::Satang &value);
    void readTotals(const CsvTokenizer::Record &record, engine::Activity &activity,
                    FieldSet &unread);
    void readEstimate(const CsvTokenizer::Record &record, engine::Activity &activity,
                      FieldSet &unread);
    bool readPredecessors(const CsvTokenizer::Record &record, engine::Activity &activity);
    void readUnit(const CsvTokenizer::Record &record);
    void countRemainingRows(CsvTokenizer &tokenizer, CsvTokenizer::Record &record);
    Place placeOfEngineProblem(int activity, ActivityField field) const;

    std::string_view m_text;
    QString m_file;
    CsvHeader m_header;
    engine::Project m_project;
    std::vector<int> m_lines; // the line of each activity's row
    std::vector<FieldSet> m_unread;
    ProblemList m_problems, m_warnings;
    bool m_rowsIncomplete = false; // a row is missing, so the engine would see a wrong project
    int m_unitLine = 0; // the first line that gives the time unit, 0 before one does
    std::string m_unitWritten; // the unit as written there
};

bool CsvReader::readDuration(const CsvTokenizer::Record &record, CsvColumn column,
                             engine::Duration &value)
{
    const std::string_view text = field(record, column);
    if (const auto problem = parseDuration(text, value)) {
        m_problems.add({.kind = *problem,
                        .place = placeAt(record.line, column),
                        .value = shownValue(trimmed(text)),
                        .bound = engine::kMaxDuration});
        return false;
    }
    return true;
}

bool CsvReader::readAmount(const CsvTokenizer::Record &record, CsvColumn column,
                           engine::Satang &value)
{
    const std::string_view text = field(record, column);
    if (const auto problem = parseAmount(text, value)) {
        m_problems.add({.kind = *problem,
                        .place = placeAt(record.line, column),
                        .value = shownValue(trimmed(text))});
        return false;
    }
    return true;
}

// The crash cost per unit from the totals: (crash cost - normal cost) / (normal duration -
// crash duration), rounded to whole satang with a warning when it does not divide.
void CsvReader::readTotals(const CsvTokenizer::Record &record, engine::Activity &activity,
                           FieldSet &unread)
{
    engine::Satang normal = 0, crash = 0;
    bool read = readAmount(record, CsvColumn::NormalCost, normal);
    read = readAmount(record, CsvColumn::CrashCost, crash) && read;
    for (const auto &[column, amount] :
         {std::pair {CsvColumn::NormalCost, normal}, std::pair {CsvColumn::CrashCost, crash}}) {
        if (amount < 0) {
            m_problems.add({.kind = FileProblemKind::NegativeAmount,
                            .place = placeAt(record.line, column),
                            .value = shownValue(trimmed(field(record, column)))});
            read = false;
        }
    }
    if (!read || (unread & (bit(ActivityField::NormalDuration) | bit(ActivityField::CrashDuration)))
        || activity.crashDuration > activity.normalDuration) {
        // Without both costs and sound durations there is no slope; the engine says what is
        // wrong with the durations.
        if (!read)
            unread |= bit(ActivityField::Cost);
        return;
    }
    const Place place = placeAt(record.line, CsvColumn::CrashCost);
    if (crash < normal) {
        m_problems.add({.kind = FileProblemKind::CrashCostBelowNormal,
                        .place = place,
                        .number = crash,
                        .bound = normal});
        unread |= bit(ActivityField::Cost);
        return;
    }
    const engine::Duration units = activity.normalDuration - activity.crashDuration;
    if (units == 0) {
        if (crash != normal) {
            m_problems.add({.kind = FileProblemKind::CostsDifferWithoutShortening,
                            .place = place,
                            .number = crash,
                            .bound = normal});
            unread |= bit(ActivityField::Cost);
        }
        return;
    }
    const engine::Satang extra = crash - normal; // both are 0 or more: no overflow
    activity.crashCostPerUnit = engine::divideRounded(extra, units);
    if (extra % units != 0) {
        Place warningPlace = place;
        warningPlace.activity = shownValue(activity.id);
        m_warnings.add({.kind = FileProblemKind::SlopeRounded,
                        .place = warningPlace,
                        .number = extra,
                        .bound = units,
                        .rounded = activity.crashCostPerUnit});
    }
}

// The three estimates: all blank for none, else all three numbers.
void CsvReader::readEstimate(const CsvTokenizer::Record &record, engine::Activity &activity,
                             FieldSet &unread)
{
    QStringList missing;
    for (const CsvColumn column : kCsvEstimateColumns) {
        if (trimmed(field(record, column)).empty())
            missing << csvColumnName(column);
    }
    if (missing.size() == static_cast<qsizetype>(kCsvEstimateColumns.size()))
        return;
    if (!missing.isEmpty()) {
        m_problems.add({.kind = FileProblemKind::EstimatesIncomplete,
                        .place = placeAt(record.line, CsvColumn::Optimistic),
                        .names = missing});
        unread |= bit(ActivityField::Estimate);
        return;
    }
    std::array<double, 3> values {};
    bool read = true;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string_view text = field(record, kCsvEstimateColumns[i]);
        if (const auto problem = parseEstimate(text, values[i])) {
            m_problems.add({.kind = *problem,
                            .place = placeAt(record.line, kCsvEstimateColumns[i]),
                            .value = shownValue(trimmed(text)),
                            .bound = engine::kMaxDuration});
            read = false;
        }
    }
    if (!read) {
        unread |= bit(ActivityField::Estimate);
        return;
    }
    activity.estimate = engine::ThreeTimeEstimate {values[0], values[1], values[2]};
}

FileProblemKind notationProblemKind(LinkNotationFault fault)
{
    switch (fault) {
    case LinkNotationFault::LagNotWhole:
        return FileProblemKind::LinkLagNotWhole;
    case LinkNotationFault::LagTooLarge:
        return FileProblemKind::LinkLagTooLarge;
    case LinkNotationFault::LagWithoutSign:
        return FileProblemKind::LinkLagWithoutSign;
    }
    return FileProblemKind::LinkLagNotWhole;
}

// The predecessors with their link types and lags ("A, B FS+2"); false when an item is faulty.
bool CsvReader::readPredecessors(const CsvTokenizer::Record &record, engine::Activity &activity)
{
    PredecessorCell cell;
    if (const auto problem = parsePredecessorCell(field(record, CsvColumn::Predecessors), cell)) {
        m_problems.add({.kind = notationProblemKind(problem->fault),
                        .place = placeAt(record.line, CsvColumn::Predecessors),
                        .value = shownValue(problem->item),
                        .bound = engine::kMaxLag});
        return false;
    }
    activity.predecessors = std::move(cell.ids);
    activity.linkTimings = std::move(cell.timings);
    return true;
}

// The time unit, when the row gives one: the same on every row that does.
void CsvReader::readUnit(const CsvTokenizer::Record &record)
{
    const std::string_view written = trimmed(field(record, CsvColumn::Unit));
    if (written.empty())
        return;
    const std::optional<engine::TimeUnit> unit = parseTimeUnit(written);
    if (!unit) {
        m_problems.add({.kind = FileProblemKind::UnknownTimeUnit,
                        .place = placeAt(record.line, CsvColumn::Unit),
                        .value = shownValue(written),
                        .names = timeUnitWords()});
    } else if (m_unitLine == 0) {
        m_project.timeUnit = *unit;
        m_unitLine = record.line;
        m_unitWritten = written;
    } else if (*unit != m_project.timeUnit) {
        m_problems.add({.kind = FileProblemKind::TimeUnitDiffers,
                        .place = placeAt(record.line, CsvColumn::Unit),
                        .value = shownValue(written),
                        .names = {shownValue(m_unitWritten)},
                        .number = m_unitLine});
    }
}

void CsvReader::readRow(const CsvTokenizer::Record &record)
{
    // Empty fields beyond the last named column are what spreadsheets leave behind.
    bool fits = record.count >= m_header.named;
    for (std::size_t i = m_header.named; i < record.count && fits; ++i)
        fits = trimmed(record.fields[i]).empty();
    if (!fits) {
        m_problems.add({.kind = FileProblemKind::FieldCount,
                        .place = {.file = m_file, .line = record.line},
                        .number = static_cast<std::int64_t>(record.count),
                        .bound = static_cast<std::int64_t>(m_header.named)});
        m_rowsIncomplete = true;
        return;
    }

    engine::Activity activity;
    FieldSet unread = 0;
    activity.id = trimmed(field(record, CsvColumn::Activity));
    activity.name = field(record, CsvColumn::Name);
    if (!readPredecessors(record, activity))
        unread |= bit(ActivityField::Predecessors);
    if (!readDuration(record, CsvColumn::NormalDuration, activity.normalDuration))
        unread |= bit(ActivityField::NormalDuration);
    if (!readDuration(record, CsvColumn::CrashDuration, activity.crashDuration))
        unread |= bit(ActivityField::CrashDuration);
    if (m_header.totalCosts)
        readTotals(record, activity, unread);
    else if (!readAmount(record, CsvColumn::CrashCostPerUnit, activity.crashCostPerUnit))
        unread |= bit(ActivityField::Cost);
    if (m_header.estimates)
        readEstimate(record, activity, unread);
    if (m_header.has(CsvColumn::Unit))
        readUnit(record);

    m_project.activities.push_back(std::move(activity));
    m_lines.push_back(record.line);
    m_unread.push_back(unread);
}

void CsvReader::countRemainingRows(CsvTokenizer &tokenizer, CsvTokenizer::Record &record)
{
    const int line = record.line;
    std::size_t rows = m_project.activities.size();
    std::optional<FileProblemKind> error;
    do {
        if (!isBlankRecord(record))
            ++rows;
    } while (tokenizer.next(record, error));
    m_problems.add({.kind = FileProblemKind::Engine,
                    .place = {.file = m_file, .line = line},
                    .engineKind = engine::ProblemKind::TooManyActivities,
                    .number = static_cast<std::int64_t>(rows)});
}

Place CsvReader::placeOfEngineProblem(int activity, ActivityField field) const
{
    Place place {.file = m_file};
    if (activity >= 0) {
        const auto at = static_cast<std::size_t>(activity);
        place.line = m_lines[at];
        place.activity = shownValue(m_project.activities[at].id);
    }
    switch (field) {
    case ActivityField::None:
        break;
    case ActivityField::Id:
        place.field = csvColumnName(CsvColumn::Activity);
        break;
    case ActivityField::Name:
        place.field = csvColumnName(CsvColumn::Name);
        break;
    case ActivityField::Predecessors:
        place.field = csvColumnName(CsvColumn::Predecessors);
        break;
    case ActivityField::NormalDuration:
        place.field = csvColumnName(CsvColumn::NormalDuration);
        break;
    case ActivityField::CrashDuration:
        place.field = csvColumnName(CsvColumn::CrashDuration);
        break;
    case ActivityField::Cost:
        place.field = csvColumnName(m_header.totalCosts ? CsvColumn::CrashCost
                                                        : CsvColumn::CrashCostPerUnit);
        break;
    case ActivityField::Estimate: {
        std::size_t at = 0;
        if (activity >= 0) {
            const auto &estimate
                = m_project.activities[static_cast<std::size_t>(activity)].estimate;
            at = estimate ? engine::estimateAtFault(*estimate) : 0;
        }
        place.field = csvColumnName(kCsvEstimateColumns[at]);
        break;
    }
    }
    return place;
}

ReadResult CsvReader::read()
{
    const std::string_view text = withoutBom(m_text);
    if (!checkUtf8(m_text, text, m_file, m_problems))
        return ReadResult::failed(std::move(m_problems));

    CsvTokenizer tokenizer(text, detectSeparator(text));
    CsvTokenizer::Record record;
    std::optional<FileProblemKind> error;
    bool haveHeader = false;
    while (tokenizer.next(record, error)) {
        if (error) {
            m_problems.add({.kind = *error, .place = {.file = m_file, .line = record.line}});
            if (!haveHeader)
                return ReadResult::failed(std::move(m_problems));
            m_rowsIncomplete = true;
            continue;
        }
        if (isBlankRecord(record))
            continue;
        if (!haveHeader) {
            if (!readCsvHeader(record.fields, record.count, {.file = m_file, .line = record.line},
                               m_header, m_problems))
                return ReadResult::failed(std::move(m_problems));
            haveHeader = true;
            continue;
        }
        if (m_project.activities.size() == engine::kMaxActivities) {
            countRemainingRows(tokenizer, record);
            return ReadResult::failed(std::move(m_problems));
        }
        readRow(record);
    }
    if (!haveHeader) {
        m_problems.add({.kind = FileProblemKind::EmptyFile,
                        .place = {.file = m_file, .line = 1},
                        .names = csvColumnNames()});
        return ReadResult::failed(std::move(m_problems));
    }

    // With a row missing, the engine would report its id as unknown wherever it is named.
    if (!m_rowsIncomplete)
        addEngineProblems(
            m_project, m_unread,
            [this](int activity, ActivityField f) { return placeOfEngineProblem(activity, f); },
            m_problems);
    if (!m_problems.isEmpty()) {
        m_problems.sortByLine();
        return ReadResult::failed(std::move(m_problems));
    }
    return ReadResult::loaded(std::move(m_project), std::move(m_warnings));
}

} // namespace

ReadResult readCsv(std::string_view bytes, const QString &file)
{
    return CsvReader(bytes, file).read();
}

} // namespace io
