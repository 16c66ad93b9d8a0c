// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "problemtext.h"

#include "linknotation.h"

#include "money.h"

#include <numeric>

namespace io {

namespace {

QString quoted(const QString &text)
{
    return u'\'' + text + u'\'';
}

QString baht(std::int64_t satang)
{
    return QString::fromStdString(engine::formatBaht(satang));
}

QString typeName(ValueType type)
{
    switch (type) {
    case ValueType::Text:
        return QStringLiteral("a text");
    case ValueType::WholeNumber:
        return QStringLiteral("a whole number");
    case ValueType::Amount:
        return QStringLiteral("an amount of Baht");
    case ValueType::Number:
        return QStringLiteral("a number");
    case ValueType::List:
        return QStringLiteral("a list");
    case ValueType::ListOfTexts:
        return QStringLiteral("a list of texts");
    case ValueType::Object:
        return QStringLiteral("an object");
    case ValueType::TrueFalse:
        return QStringLiteral("true or false");
    case ValueType::Null:
        return QStringLiteral("null");
    case ValueType::TextOrObject:
        return QStringLiteral("a text or an object");
    }
    return {};
}

QString linkTypeName(LinkType type)
{
    switch (type) {
    case LinkType::FinishStart:
        return QStringLiteral("finish to start");
    case LinkType::StartStart:
        return QStringLiteral("start to start");
    case LinkType::FinishFinish:
        return QStringLiteral("finish to finish");
    case LinkType::StartFinish:
        return QStringLiteral("start to finish");
    }
    return {};
}

// The unit in words after a number: "minutes", "hours", "days", "weeks".
QString timeUnitWords(engine::TimeUnit unit)
{
    return QString::fromLatin1(timeUnitWord(unit)) + u's';
}

// The codes a file gives the link types, each with its meaning: "1 (finish to start), ...".
QString linkTypeCodes(const QStringList &codes)
{
    QStringList named;
    for (qsizetype i = 0; i < codes.size() && i <= static_cast<qsizetype>(LinkType::StartFinish);
         ++i)
        named << QStringLiteral("%1 (%2)").arg(codes[i], linkTypeName(static_cast<LinkType>(i)));
    return named.join(u", ");
}

// numerator / (100 * denominator) Baht in lowest terms, e.g. "100/3".
QString bahtFraction(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t below = 100 * denominator;
    const std::int64_t divisor = std::gcd(numerator, below);
    return QStringLiteral("%1/%2").arg(numerator / divisor).arg(below / divisor);
}

QString engineText(const Problem &p)
{
    switch (p.engineKind) {
    case engine::ProblemKind::TooManyActivities:
        return QStringLiteral("the project has %1 activities; at most %2 are allowed")
            .arg(p.number)
            .arg(engine::kMaxActivities);
    case engine::ProblemKind::EmptyId:
        return QStringLiteral("the activity has no id");
    case engine::ProblemKind::IdTooLong:
        return QStringLiteral("the id is longer than %1 bytes").arg(engine::kMaxIdLength);
    case engine::ProblemKind::BadIdCharacter:
        return QStringLiteral("an id may not contain a comma, a semicolon or a control "
                              "character, nor begin or end with a blank");
    case engine::ProblemKind::NameTooLong:
        return QStringLiteral("the name is longer than %1 bytes").arg(engine::kMaxNameLength);
    case engine::ProblemKind::DuplicateId:
        return QStringLiteral("another activity before it has the same id");
    case engine::ProblemKind::UnknownPredecessor:
        return QStringLiteral("predecessor %1 is not an activity").arg(quoted(p.value));
    case engine::ProblemKind::OwnPredecessor:
        return QStringLiteral("the activity is its own predecessor");
    case engine::ProblemKind::LinkTimingCount:
        return QStringLiteral("the link types do not match the predecessors one for one");
    case engine::ProblemKind::LagTooLarge:
        return QStringLiteral("the lag after %1 is beyond %2 time units either way")
            .arg(quoted(p.value))
            .arg(engine::kMaxLag);
    case engine::ProblemKind::Cycle:
        return QStringLiteral("the predecessors form a cycle: %1 -> %2")
            .arg(p.names.join(u" -> "), p.names.value(0));
    case engine::ProblemKind::NegativeNormalDuration:
    case engine::ProblemKind::NegativeCrashDuration:
        return QStringLiteral("the duration is negative");
    case engine::ProblemKind::NegativeCost:
        return QStringLiteral("the crash cost per unit is negative");
    case engine::ProblemKind::NormalDurationTooLarge:
    case engine::ProblemKind::CrashDurationTooLarge:
        return QStringLiteral("the duration is above %1").arg(engine::kMaxDuration);
    case engine::ProblemKind::CostTooLarge:
        return QStringLiteral("the crash cost per unit is above %1 Baht")
            .arg(baht(engine::kMaxCostPerUnit));
    case engine::ProblemKind::CrashAboveNormal:
        return QStringLiteral("the crash duration is longer than the normal duration");
    case engine::ProblemKind::TotalCrashCostTooLarge:
        return QStringLiteral("crashing every activity fully would cost more than %1 Baht")
            .arg(baht(engine::kMaxTotalCrashCost));
    case engine::ProblemKind::NegativeTarget:
        return QStringLiteral("the target duration is negative");
    case engine::ProblemKind::EstimateNotFinite:
        return QStringLiteral("a time estimate is not a finite number");
    case engine::ProblemKind::EstimateNegative:
        return QStringLiteral("a time estimate is negative");
    case engine::ProblemKind::EstimateTooLarge:
        return QStringLiteral("a time estimate is above %1").arg(engine::kMaxDuration);
    case engine::ProblemKind::EstimateOrder:
        return QStringLiteral("the time estimates must be optimistic <= most likely <= "
                              "pessimistic");
    }
    return {};
}

QString whatText(const Problem &p)
{
    const QString value = quoted(p.value);
    switch (p.kind) {
    case FileProblemKind::UnknownExtension:
        return (p.value.isEmpty() ? QStringLiteral("the name has no file type")
                                  : QStringLiteral("unknown file type %1").arg(value))
            + QStringLiteral(": Crashkit reads and writes .csv and .crashkit files and reads "
                             "Microsoft Project .xml and GanttProject .gan files");
    case FileProblemKind::FileMissing:
        return QStringLiteral("there is no such file");
    case FileProblemKind::NotRegularFile:
        return QStringLiteral("this is not a regular file (a folder or a device?)");
    case FileProblemKind::FileTooLarge:
        return QStringLiteral("the file has %1 bytes; files above %2 bytes (%3 MiB) are not read")
            .arg(p.number)
            .arg(p.bound)
            .arg(p.bound >> 20);
    case FileProblemKind::CannotRead:
        return QStringLiteral("the file cannot be read: %1").arg(p.value);
    case FileProblemKind::CannotSave:
        return QStringLiteral("the file cannot be saved: %1").arg(p.value);
    case FileProblemKind::TextNotUtf8:
        return QStringLiteral("the text is not UTF-8, so it cannot be saved");
    case FileProblemKind::Utf16Text:
        return QStringLiteral("the file is UTF-16 text; save it as UTF-8 (in Excel: \"CSV "
                              "UTF-8\")");
    case FileProblemKind::InvalidUtf8:
        return QStringLiteral("byte 0x%1 is not UTF-8 text; save the file as UTF-8")
            .arg(p.number, 2, 16, QChar(u'0'));
    case FileProblemKind::LoneSurrogate:
        return QStringLiteral("%1 is half of a UTF-16 surrogate pair without its other half, "
                              "which is no character; write the character itself or a whole "
                              "pair")
            .arg(value);
    case FileProblemKind::EmptyFile:
        return QStringLiteral("the file is empty; its first line must name the columns (%1)")
            .arg(p.names.join(u", "));
    case FileProblemKind::UnknownColumn:
        return QStringLiteral("unknown column %1; the columns are %2")
            .arg(value, p.names.join(u", "));
    case FileProblemKind::DuplicateColumn:
        return QStringLiteral("the column %1 appears twice").arg(value);
    case FileProblemKind::UnnamedColumn:
        return QStringLiteral("column %1 of the header has no name").arg(p.number);
    case FileProblemKind::MissingColumn:
        return QStringLiteral("the header has no column %1").arg(value);
    case FileProblemKind::BothCostForms:
        return QStringLiteral("give either crash_cost_per_unit or normal_cost and crash_cost, "
                              "not both");
    case FileProblemKind::NoCostForm:
        return QStringLiteral("the costs are missing: give the column crash_cost_per_unit, or "
                              "the columns normal_cost and crash_cost");
    case FileProblemKind::UnterminatedQuote:
        return QStringLiteral("a quoted field begins here and is never closed");
    case FileProblemKind::StrayQuote:
        return QStringLiteral("a quote inside a field that does not begin with one; enclose the "
                              "field in quotes and double the quote");
    case FileProblemKind::TextAfterQuote:
        return QStringLiteral("text after the closing quote of a field");
    case FileProblemKind::FieldCount:
        return QStringLiteral("the row has %1 %2; the header has %3")
            .arg(p.number)
            .arg(p.number == 1 ? u"field" : u"fields")
            .arg(p.bound);
    case FileProblemKind::MissingValue:
        return QStringLiteral("a value is needed");
    case FileProblemKind::NotWholeNumber:
        return QStringLiteral("%1 is not a whole number").arg(value);
    case FileProblemKind::DurationNotWhole:
        return QStringLiteral("%1 is not a whole number: durations are whole time units").arg(value);
    case FileProblemKind::NegativeDuration:
        return QStringLiteral("%1 is negative: durations are 0 or more").arg(value);
    case FileProblemKind::NumberTooLarge:
        return QStringLiteral("%1 is above the largest allowed, %2").arg(value).arg(p.bound);
    case FileProblemKind::NotAmount:
        return QStringLiteral("%1 is not an amount of Baht (write it like 1250 or 1250.50)")
            .arg(value);
    case FileProblemKind::AmountGrouped:
        return QStringLiteral("%1 has a thousands separator or a decimal comma: write the "
                              "amount like 1250.50, with a point for decimals")
            .arg(value);
    case FileProblemKind::AmountTooPrecise:
        return QStringLiteral("%1 has more than two decimals: amounts are whole satang").arg(value);
    case FileProblemKind::AmountExponent:
        return QStringLiteral("%1 has an exponent: write the amount in full, like 1500").arg(value);
    case FileProblemKind::AmountCurrency:
        return QStringLiteral("%1 has a currency sign or unit: write the number alone").arg(value);
    case FileProblemKind::AmountTooLarge:
        return QStringLiteral("%1 is too large an amount").arg(value);
    case FileProblemKind::NegativeAmount:
        return QStringLiteral("%1 is negative: costs are 0 or more").arg(value);
    case FileProblemKind::NotDecimal:
        return QStringLiteral("%1 is not a number of time units (write it like 4 or 2.5, with "
                              "a point for decimals)")
            .arg(value);
    case FileProblemKind::EstimatesIncomplete:
        return QStringLiteral("give all three time estimates or none; %1 %2 missing")
            .arg(p.names.join(QStringLiteral(" and ")),
                 p.names.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    case FileProblemKind::LinkLagNotWhole:
        return QStringLiteral("the lag in %1 is not a whole number: write a link like B FS+2 or "
                              "B SS-1, the lag in whole time units")
            .arg(value);
    case FileProblemKind::LinkLagTooLarge:
        return QStringLiteral("the lag in %1 is beyond %2 time units either way")
            .arg(value, QString::number(p.bound));
    case FileProblemKind::LinkLagWithoutSign:
        return QStringLiteral("the lag in %1 has no sign: write + or - before it, like B FS+2")
            .arg(value);
    case FileProblemKind::UnknownTimeUnit:
        return QStringLiteral("unknown time unit %1; the units are %2")
            .arg(value, p.names.join(u", "));
    case FileProblemKind::TimeUnitDiffers:
        return QStringLiteral("the time unit %1 differs from %2 given on line %3: a project has "
                              "one time unit")
            .arg(value, quoted(p.names.value(0)), QString::number(p.number));
    case FileProblemKind::CrashCostBelowNormal:
        return QStringLiteral("the crash cost %1 is below the normal cost %2")
            .arg(baht(p.number), baht(p.bound));
    case FileProblemKind::CostsDifferWithoutShortening:
        return QStringLiteral("the activity cannot be shortened (its crash duration is its "
                              "normal duration), but its crash cost %1 differs from its normal "
                              "cost %2")
            .arg(baht(p.number), baht(p.bound));
    case FileProblemKind::SlopeRounded:
        return QStringLiteral("the crash cost per unit, %1 Baht / %2 units = %3 Baht, is not "
                              "whole satang; it is rounded to %4 Baht")
            .arg(baht(p.number))
            .arg(p.bound)
            .arg(bahtFraction(p.number, p.bound), baht(p.rounded));
    case FileProblemKind::JsonSyntax:
        return QStringLiteral("not valid JSON: %1").arg(p.value);
    case FileProblemKind::NotProjectFile:
        return p.value.isEmpty()
            ? QStringLiteral("this is not a Crashkit project file (\"format\": "
                             "\"crashkit-project\" is missing)")
            : QStringLiteral("this is not a Crashkit project file (its format is %1)").arg(p.value);
    case FileProblemKind::NewerVersion:
        return QStringLiteral("the file was made by a newer Crashkit (file version %1; this "
                              "Crashkit reads up to version %2)")
            .arg(p.number)
            .arg(p.bound);
    case FileProblemKind::BadVersion:
        return QStringLiteral("%1 is not a file version (1, 2, ...)").arg(p.value);
    case FileProblemKind::MissingKey:
        return QStringLiteral("the key is missing");
    case FileProblemKind::UnknownKey:
        return QStringLiteral("unknown key; the keys here are %1").arg(p.names.join(u", "));
    case FileProblemKind::WrongType:
        return QStringLiteral("%1 is %2, not %3")
            .arg(p.value, typeName(p.found), typeName(p.expected));
    case FileProblemKind::NeedsNewerVersion:
        return QStringLiteral("this needs file version %1, but the file is version %2: write "
                              "\"version\": %1")
            .arg(p.bound)
            .arg(p.number);
    case FileProblemKind::Engine:
        return engineText(p);
    case FileProblemKind::XmlSyntax:
        return QStringLiteral("not well-formed XML: %1").arg(p.value);
    case FileProblemKind::XmlDoctype:
        return QStringLiteral("the file has a DOCTYPE, which may declare entities; planning "
                              "files have none, so it is not read");
    case FileProblemKind::XmlTooDeep:
        return QStringLiteral("elements are nested more than %1 deep").arg(p.bound);
    case FileProblemKind::NotPlanFile:
        return QStringLiteral("the file's first element is %1, not <%2>: this is not a file "
                              "of that planning tool")
            .arg(p.value.isEmpty() ? QStringLiteral("missing") : u'<' + p.value + u'>',
                 p.names.value(0));
    case FileProblemKind::TooManyTasks:
        return QStringLiteral("the file has more than %1 tasks").arg(p.bound);
    case FileProblemKind::BadTaskDuration:
        return QStringLiteral("%1 is not a duration this program reads (write hours like "
                              "PT16H0M0S)")
            .arg(value);
    case FileProblemKind::TaskDurationTooLong:
        return QStringLiteral("the duration %1 is longer than %2 %3, the most an activity "
                              "may last")
            .arg(value)
            .arg(p.bound)
            .arg(timeUnitWords(p.unit));
    case FileProblemKind::DuplicateTaskId:
        return QStringLiteral("another task before it has the id %1").arg(value);
    case FileProblemKind::UnknownLinkTask:
        return QStringLiteral("the link names task %1, which is not in the file").arg(value);
    case FileProblemKind::LinkLagRefused:
        return QStringLiteral("the link from %1 to %2 has a lag of %3, in elapsed time, as a "
                              "percentage or with part of a minute; only lags of whole minutes "
                              "of working time can be read")
            .arg(p.names.value(0), p.names.value(1), value);
    case FileProblemKind::UnknownLinkType:
        return QStringLiteral("the link type %1 is unknown; the types are %2")
            .arg(value, linkTypeCodes(p.names));
    case FileProblemKind::LinkTypeRefused:
        return QStringLiteral("the link from %1 to %2 is %3 and ties the start of a summary "
                              "task to what follows it or the finish of one to what comes "
                              "before it, which holds for whichever of its tasks starts first "
                              "or finishes last: link those tasks instead")
            .arg(p.names.value(0), p.names.value(1), linkTypeName(p.linkType));
    case FileProblemKind::SummaryLinkInexact:
        return QStringLiteral("the link from %1 to %2 joins a summary task with a task inside "
                              "it, or with one whose tasks all wait for each other, so it "
                              "cannot be made into links between activities")
            .arg(p.names.value(0), p.names.value(1));
    case FileProblemKind::TooManyLinks:
        return QStringLiteral("the links of the summary tasks make more than %1 links between "
                              "activities")
            .arg(p.bound);
    case FileProblemKind::ImportOnly:
        return QStringLiteral("%1 files are only read; save as .crashkit or .csv").arg(p.value);
    case FileProblemKind::CrashDataMissing:
        return QStringLiteral("the file has no crash duration nor crash cost; the activity "
                              "cannot be crashed until they are filled in");
    case FileProblemKind::FixedDatesIgnored:
        return QStringLiteral("the file fixes the task's dates (%1); the schedule here follows "
                              "its links only")
            .arg(value);
    case FileProblemKind::DurationNotWholeMinutes:
        return QStringLiteral("the duration %1 is not a whole number of minutes").arg(value);
    case FileProblemKind::TaskSplit:
        return QStringLiteral("the task is split: its work stops and goes on later, which one "
                              "activity cannot do; join its parts or make each a task of "
                              "its own");
    case FileProblemKind::TimeUnitChosen:
        if (p.unit == engine::TimeUnit::Week)
            return QStringLiteral("every duration and lag is a whole number of weeks of %1 "
                                  "minutes, so the project counts in weeks")
                .arg(p.bound);
        return QStringLiteral("not every duration and lag is a whole number of days of %1 "
                              "minutes, so the project counts in %2")
            .arg(p.number)
            .arg(timeUnitWords(p.unit));
    case FileProblemKind::NotAnswersFile:
        return QStringLiteral("this is not an answers file (a JSON object of answers)");
    case FileProblemKind::UnknownAnswerActivity:
        return QStringLiteral("%1 is not an activity of the project").arg(value);
    case FileProblemKind::RepeatedAnswer:
        return QStringLiteral("the schedule has a row for %1 already").arg(value);
    case FileProblemKind::AnswersWithoutProject:
        return QStringLiteral("the answers hold no project: give the project file with them");
    }
    return {};
}

} // namespace

QString englishPlace(const Place &place)
{
    QString text = place.file;
    if (place.line > 0) {
        text += u':' + QString::number(place.line);
        if (place.column > 0)
            text += u':' + QString::number(place.column);
    }
    text += u": ";
    if (!place.activity.isEmpty())
        text += QStringLiteral("activity %1: ").arg(place.activity);
    else if (place.activityNumber > 0)
        text += QStringLiteral("activity #%1: ").arg(place.activityNumber);
    if (!place.field.isEmpty())
        text += place.field + QStringLiteral(": ");
    return text;
}

QString englishText(const Problem &problem)
{
    return englishPlace(problem.place) + whatText(problem);
}

} // namespace io
