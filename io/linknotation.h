// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The predecessors cell as planners write it: items separated by commas or semicolons, each
// an id, optionally followed by a blank, the link type (FS, SS, FF or SF, any case) and a
// signed lag in whole time units: "A, B FS+2, C SS-1". A bare id is finish-to-start without
// lag, as before link types existed, and "-" or nothing means no predecessors. The CSV
// reader and writer, the own-project window's table and the CLI share it.

namespace io {

struct PredecessorCell {
    std::vector<std::string> ids;
    // One per id when any link is not plain, else empty (as engine::Activity keeps them).
    std::vector<engine::LinkTiming> timings;
};

// What is wrong with an item that ends in something like a link type.
enum class LinkNotationFault {
    LagNotWhole, // "B FS+1.5", "B FS+x": a lag that is not a whole number
    LagTooLarge, // beyond engine::kMaxLag either way
    LagWithoutSign, // "B FS2": the lag needs + or -
};

struct LinkNotationProblem {
    LinkNotationFault fault;
    std::string item; // the item as written, blanks trimmed
};

// Reads a cell; on a fault, says which item and leaves `cell` unspecified.
std::optional<LinkNotationProblem> parsePredecessorCell(std::string_view text,
                                                        PredecessorCell &cell);

// One item as parsePredecessorCell reads it back: "B" for a plain link, "B SS", "B FS+2",
// "B FF-1". A plain link to an id whose last word would read as a link type ("Room FS",
// "Wall SS+2") is written with its type, "Room FS FS", so that the id comes back whole.
std::string linkItem(const std::string &id, engine::LinkTiming timing);
// An activity's whole cell, items joined by ", "; empty without predecessors.
std::string predecessorCell(const engine::Activity &activity);

// The two letters of a link type.
std::string_view linkTypeCode(engine::LinkType type);
// The link type of two letters, any case ("FS", "ss").
std::optional<engine::LinkType> linkTypeOfCode(std::string_view code);

// A project's time unit as files name it: "minute", "hour", "day", "week".
std::string_view timeUnitWord(engine::TimeUnit unit);
// A time unit named in English (any case, blanks around it ignored) or in Thai (นาที,
// ชั่วโมง, วัน, สัปดาห์); nullopt for anything else.
std::optional<engine::TimeUnit> parseTimeUnit(std::string_view word);
// The words parseTimeUnit reads, for a problem's text: English first, then Thai.
QStringList timeUnitWords();

} // namespace io
