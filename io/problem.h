// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "validation.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string_view>

namespace io {

// What a reader or a save found wrong. The readers only fill in data; the wording lives in
// problemtext.h, so that another language can be added beside English without touching them.
enum class FileProblemKind {
    // Opening and saving files.
    UnknownExtension, // value: the extension
    FileMissing,
    NotRegularFile,
    FileTooLarge, // number: the file's size in bytes, bound: the largest size read
    CannotRead, // value: the system's reason
    CannotSave, // value: the system's reason
    TextNotUtf8, // saving: field holds a text that is not UTF-8

    // The text of a file.
    Utf16Text,
    InvalidUtf8, // number: the first byte that is not UTF-8
    LoneSurrogate, // value: the \u escape of half a UTF-16 surrogate pair, as written

    // CSV structure.
    EmptyFile, // names: the accepted columns
    UnknownColumn, // value: the header cell, names: the accepted columns
    DuplicateColumn, // value: the column
    UnnamedColumn, // number: the column's position (1-based)
    MissingColumn, // value: the column
    BothCostForms,
    NoCostForm,
    UnterminatedQuote,
    StrayQuote,
    TextAfterQuote,
    FieldCount, // number: fields in the row, bound: columns of the header

    // Values in a field or under a key; value: the text or JSON value as found.
    MissingValue,
    NotWholeNumber,
    DurationNotWhole, // a decimal where a whole number of time units belongs
    NegativeDuration,
    NumberTooLarge, // bound: the largest accepted
    NotAmount,
    AmountGrouped, // a thousands separator or a decimal comma
    AmountTooPrecise, // more than two decimals: not whole satang
    AmountExponent,
    AmountCurrency,
    AmountTooLarge,
    NegativeAmount,
    NotDecimal, // a PERT estimate that is not digits with at most one '.' for decimals
    EstimatesIncomplete, // some of the three estimates given, not all; names: those missing
    // A link in the predecessors notation ("B FS+2"); value: the item as written.
    LinkLagNotWhole, // "B FS+1.5", "B FS+"
    LinkLagTooLarge, // bound: the largest lag either way
    LinkLagWithoutSign, // "B FS2"
    // The project's time unit; value: as written.
    UnknownTimeUnit, // names: the words read
    TimeUnitDiffers, // names: the unit as given first, number: the line it was given on

    // Costs given as totals; number: crash cost, bound: normal cost (satang).
    CrashCostBelowNormal,
    CostsDifferWithoutShortening,
    // A warning: number / bound satang per time unit, rounded to `rounded` satang.
    SlopeRounded,

    // The .crashkit file.
    JsonSyntax, // value: the parser's reason
    NotProjectFile, // value: the format marker found, if any
    NewerVersion, // number: the file's version, bound: the newest this program reads
    BadVersion, // value: the version found
    MissingKey,
    UnknownKey, // names: the accepted keys
    WrongType, // expected, found, value
    // What only a newer file version holds; value: what it is (a key, a link), number: the
    // file's version, bound: the version that brought it.
    NeedsNewerVersion,

    // The project read is not sound (engine::validate); engineKind says what is wrong.
    // value: the unknown predecessor, names: a cycle's ids in order, number: activities.
    Engine,

    // Files of other planning tools (Microsoft Project XML, GanttProject); names: tasks
    // as "id (name)".
    XmlSyntax, // value: the parser's reason; line and column set
    XmlDoctype, // a DOCTYPE, which may declare entities
    XmlTooDeep, // bound: the deepest nesting read
    NotPlanFile, // value: the root element found, names: the one expected
    TooManyTasks, // bound: the most tasks read
    BadTaskDuration, // value: the duration as written
    TaskDurationTooLong, // value: as written, bound: the most units an activity lasts, unit
    DuplicateTaskId, // value: the id
    UnknownLinkTask, // value: the id the link names
    // value: the lag as written, names: predecessor and successor; a lag of elapsed time, a
    // percentage or part of a minute
    LinkLagRefused,
    UnknownLinkType, // value: as written, names: the file's codes for the LinkTypes in order
    // linkType: the type, names: predecessor and successor; a link that ties the start of a
    // summary task as predecessor or its finish as successor
    LinkTypeRefused,
    SummaryLinkInexact, // names: predecessor and successor
    TooManyLinks, // bound: the most links between activities made from summary tasks
    ImportOnly, // value: the extension; saving in a format that is only read
    // A warning for each imported activity: the file has no crash duration nor cost.
    CrashDataMissing,
    // A warning for an imported activity whose dates the file fixes otherwise than by its
    // links (a date constraint, manual scheduling); value: the file's element and value.
    FixedDatesIgnored,
    DurationNotWholeMinutes, // value: as written (seconds left over)
    TaskSplit, // the task's work pauses and goes on later
    // A warning: unit is the unit every duration and lag is whole in, not days; number: the
    // file's minutes a day, bound: its minutes a week.
    TimeUnitChosen,

    // A student's answers file (answersfile.h).
    NotAnswersFile, // the JSON is not an object
    UnknownAnswerActivity, // value: an id that is not an activity of the project
    RepeatedAnswer, // value: an activity given a second row in the schedule
    AnswersWithoutProject, // no project was given and the file holds none
};

// How a link of a planning tool joins its tasks: which end of the predecessor to which end of
// the successor.
enum class LinkType { FinishStart, StartStart, FinishFinish, StartFinish };
// The same type as the engine keeps it.
engine::LinkType engineLinkType(LinkType type);

// The kinds of JSON value a key can hold.
enum class ValueType {
    Text,
    WholeNumber,
    Amount,
    Number,
    List,
    ListOfTexts,
    Object,
    TrueFalse,
    Null,
    TextOrObject, // a predecessor: an id, or a link with its type and lag
};

// Where a problem is. Everything but the file is optional: 0 or empty when unknown.
struct Place {
    QString file {}; // the name the file is shown by
    int line = 0; // 1-based
    int column = 0; // 1-based, in characters; only where no field name says it better
    QString field {}; // the CSV column (lower case, as in the header table) or the JSON key
    QString activity {}; // the activity's id
    int activityNumber = 0; // 1-based position in the file's activity list
};

struct Problem {
    FileProblemKind kind;
    Place place {};
    QString value {}; // shortened for showing (see shownValue)
    QStringList names {};
    engine::ProblemKind engineKind = engine::ProblemKind::EmptyId;
    ValueType expected = ValueType::Text;
    ValueType found = ValueType::Text;
    std::int64_t number = 0;
    std::int64_t bound = 0;
    std::int64_t rounded = 0;
    LinkType linkType = LinkType::FinishStart;
    engine::TimeUnit unit = engine::TimeUnit::Day;
};

// A piece of a file as a problem keeps it: at most 80 characters, the rest marked "...".
QString shownValue(QStringView text);
// The same for UTF-8 text.
QString shownValue(std::string_view utf8);

} // namespace io
