// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "fuzzsupport.h"

#include "crashlog.h"
#include "exercisewindow.h"
#include "messagebox.h"
#include "pathanalysis.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// What the exercise driver knows without asking the window's own logic: the working
// rows as plain values, the longest route through the network that the Predecessor
// letters describe, and which message boxes belong to the program.

namespace fuzz {

using Rows = std::vector<ActivityRow>;

inline bool sameRow(const ActivityRow &a, const ActivityRow &b)
{
    return a.activity == b.activity && a.predecessor == b.predecessor
        && a.normalDuration == b.normalDuration && a.crashDuration == b.crashDuration
        && a.crashCostPerDay == b.crashCostPerDay;
}

inline Rows workingRows(const ExerciseWindow &window)
{
    Rows rows;
    for (int k = 1; k <= window.activityCount(); ++k)
        rows.push_back(window.activityTable().working(k));
    return rows;
}

inline Rows builtInRows(const SetDefinition &set)
{
    Rows rows;
    for (const BuiltInRow &row : set.practice.rows)
        rows.push_back(builtInRow(row));
    return rows;
}

// The panel's edit boxes per activity, A first: normal duration, crash duration, cost.
inline constexpr int kPanelEdits[9][3]
    = {{1, 2, 3},    {4, 5, 6},    {7, 9, 11},   {8, 10, 12}, {13, 14, 15},
       {16, 17, 18}, {19, 20, 21}, {22, 23, 24}, {25, 26, 27}};

enum class Column { Normal, Crash };

inline std::optional<std::int32_t> duration(const ActivityRow &row, Column column)
{
    return referenceWholeNumber(column == Column::Normal ? row.normalDuration : row.crashDuration);
}

// The longest route from an activity without predecessors to one without successors,
// summing the column's durations; empty when one of them does not convert. Computed in
// 64 bits, so a sum beyond 32 bits shows as such.
inline std::optional<std::int64_t> longestRoute(const Rows &rows, Column column)
{
    const auto count = rows.size();
    auto indexOf = [&](QChar letter) -> std::optional<std::size_t> {
        for (std::size_t k = 0; k < count; ++k) {
            if (rows[k].activity.startsWith(letter))
                return k;
        }
        return std::nullopt;
    };
    std::vector<std::vector<std::size_t>> predecessors(count);
    std::vector<bool> hasSuccessor(count, false);
    for (std::size_t k = 0; k < count; ++k) {
        for (const QChar c : rows[k].predecessor) {
            if (c < u'A' || c > u'Z')
                continue;
            if (const auto p = indexOf(c)) {
                predecessors[k].push_back(*p);
                hasSuccessor[*p] = true;
            }
        }
    }
    std::vector<std::optional<std::int64_t>> finish(count);
    std::function<std::int64_t(std::size_t)> finishOf = [&](std::size_t k) {
        if (!finish[k]) {
            std::int64_t start = 0;
            bool first = true;
            for (const std::size_t p : predecessors[k]) {
                start = first ? finishOf(p) : std::max(start, finishOf(p));
                first = false;
            }
            finish[k] = start + *duration(rows[k], column);
        }
        return *finish[k];
    };
    if (count == 0)
        return std::nullopt;
    for (const ActivityRow &row : rows) {
        if (!duration(row, column))
            return std::nullopt;
    }
    std::optional<std::int64_t> longest;
    for (std::size_t k = 0; k < count; ++k) {
        if (!hasSuccessor[k])
            longest = longest ? std::max(*longest, finishOf(k)) : finishOf(k);
    }
    return longest;
}

inline std::int64_t clampTo32(std::int64_t value)
{
    return std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX);
}

// True when every listed path of the set sums, in both columns, to a 32-bit number.
inline bool pathSumsFit(const Rows &rows, const SetDefinition &set)
{
    for (const PathDefinition &path : set.practice.paths) {
        for (const Column column : {Column::Normal, Column::Crash}) {
            std::int64_t sum = 0;
            for (const char letter : path.activities)
                sum += duration(rows[static_cast<std::size_t>(letter - 'A')], column).value_or(0);
            if (sum < INT32_MIN || sum > INT32_MAX)
                return false;
        }
    }
    return true;
}

enum class BoxKind {
    Foreign,
    ConversionError,
    PathSumOverflow,
    OutOfRange,
    Remaining,
    Finished,
    CannotShorten
};

inline const char *kindName(BoxKind kind)
{
    static const char *const names[]
        = {"foreign",   "conversion error", "sum overflow",  "out of range",
           "days left", "finished",         "cannot shorten"};
    return names[static_cast<int>(kind)];
}

struct Box {
    BoxKind kind = BoxKind::Foreign;
    QString quoted; // the offending text of a conversion error
    std::int64_t remaining = 0; // the days a Remaining box names
    int overflowPath = 0; // the path a PathSumOverflow box names, 1-based
    Column overflowColumn = Column::Normal;
};

// Sorts a box the program showed into one of its own kinds, or Foreign.
inline Box classify(const platform::MessageRecord &record, const SetDefinition &set)
{
    const QString conversionEnd = QStringLiteral("' is not a valid integer value.");
    const QString remainingStart = QStringLiteral("คงเหลือวันเร่งจำนวน ");
    const QString remainingEnd = QStringLiteral(" วัน...");
    Box box;
    const QString &text = record.text;
    if (record.type == platform::MessageType::Error) {
        if (record.caption == QStringLiteral("Error") && record.buttons == QMessageBox::Yes
            && text
                == QStringLiteral(
                    "ระยะเวลาที่ต้องการเร่งเกินหรือน้อยกว่าระยะเวลาปกติทั้งโครงการ..กรุณาระบุใหม่ "))
            box.kind = BoxKind::OutOfRange;
        if (record.caption != platform::applicationTitle() || record.buttons != QMessageBox::Ok)
            return box;
        if (text.size() > conversionEnd.size() && text.startsWith(u'\'')
            && text.endsWith(conversionEnd)) {
            box.kind = BoxKind::ConversionError;
            box.quoted = text.mid(1, text.size() - 1 - conversionEnd.size());
        }
        for (int path = 1; path <= static_cast<int>(set.practice.paths.size()); ++path) {
            for (const auto column : {PathSumOverflowError::Column::NormalDuration,
                                      PathSumOverflowError::Column::CrashDuration}) {
                if (text == PathSumOverflowError(path, column).message()) {
                    box.kind = BoxKind::PathSumOverflow;
                    box.overflowPath = path;
                    box.overflowColumn = column == PathSumOverflowError::Column::NormalDuration
                        ? Column::Normal
                        : Column::Crash;
                }
            }
        }
        return box;
    }
    if (record.caption != QStringLiteral("Information") || record.buttons != QMessageBox::Ok)
        return box;
    if (text == QStringLiteral("สิ้นสุดการเร่งโครงการ... ")) {
        box.kind = BoxKind::Finished;
    } else if (text == cannotShortenMessage()) {
        box.kind = BoxKind::CannotShorten;
    } else if (text.startsWith(remainingStart) && text.endsWith(remainingEnd)) {
        const QString number = text.mid(remainingStart.size(),
                                        text.size() - remainingStart.size() - remainingEnd.size());
        bool ok = false;
        box.remaining = number.toLongLong(&ok);
        if (ok && box.remaining > 0 && number == QString::number(box.remaining))
            box.kind = BoxKind::Remaining;
    }
    return box;
}

} // namespace fuzz
