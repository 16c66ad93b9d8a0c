// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

// What the commands share: ids, lists of ids and money, in text and in JSON.

#include "jsonwriter.h"
#include "output.h"
#include "texttable.h"

#include "project.h"

#include <QString>

#include <span>
#include <string>
#include <string_view>

namespace cli {

inline std::string_view idOf(const engine::Project &project, int activity)
{
    return project.activities[static_cast<std::size_t>(activity)].id;
}

// Money in Baht for JSON: a number with at most two decimals (exact for any amount the
// engine allows, which stays below 2^53 satang).
inline double bahtNumber(engine::Satang amount)
{
    return static_cast<double>(amount) / 100.0;
}

// The ids joined by `separator` as a new cell, or "none" for no activity.
void addIds(Row &row, const engine::Project &project, std::span<const int> activities,
            std::string_view separator);
// The ids as a JSON array, the next value of the writer.
void writeIds(JsonWriter &json, const engine::Project &project, std::span<const int> activities);
// Text as it is, or decoded as Qt decodes it when it is not UTF-8.
void writeText(Output &output, std::string_view utf8);
// The project's title and a line break, or nothing for a project without a title.
void writeTitleLine(Output &output, const engine::Project &project);
// Throws UsageError when --target is below the shortest or above the normal duration.
// The project's time unit in the report's English, singular ("day") or plural ("days").
QString unitName(engine::TimeUnit unit, bool plural = false);

void checkTarget(engine::Duration target, engine::Duration normal, engine::Duration shortest);

} // namespace cli
