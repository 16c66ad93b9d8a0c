// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"
#include "project.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace io {

// Spaces and tabs removed from both ends.
std::string_view trimmed(std::string_view text);

// Predecessor ids separated by commas or semicolons, blanks around them ignored; "-" or
// nothing for none. Empty items ("A,,B", a trailing comma) are skipped. The CSV reader and
// the own-project window's table read the predecessors cell alike.
std::vector<std::string> splitPredecessors(std::string_view text);

// A..Z made a..z; other bytes as they are.
std::string asciiLowered(std::string_view text);

// A duration written as digits with optional blanks around them, at most
// engine::kMaxDuration. On success sets `value`; otherwise says what is wrong
// (MissingValue, NotWholeNumber, DurationNotWhole, NegativeDuration, NumberTooLarge).
std::optional<FileProblemKind> parseDuration(std::string_view text, engine::Duration &value);

// An amount of Baht written as plain decimal digits with at most two decimals and
// optional blanks around them ("1250", "1250.5", "-3.25"). On success sets `value` in
// satang; otherwise says what is wrong (MissingValue, AmountGrouped, AmountTooPrecise,
// AmountExponent, AmountCurrency, AmountTooLarge, NotAmount).
std::optional<FileProblemKind> parseAmount(std::string_view text, engine::Satang &value);

// A PERT time estimate written as plain decimal digits with at most one '.' ("4", "2.5",
// "-1", ".5") and optional blanks around them: the double nearest to it. Its range is the
// engine's to check, but for a number with more than 15 digits before the point
// (NumberTooLarge: far beyond any sound estimate); otherwise MissingValue or NotDecimal.
std::optional<FileProblemKind> parseEstimate(std::string_view text, double &value);

// The shortest plain decimal (no exponent, '.' for the point) that parseEstimate reads
// back as exactly `value`. Precondition: value is finite.
std::string formatEstimate(double value);

// An amount of Baht held as a double (a JSON number), converted exactly: s = llround(100 x),
// accepted only when s / 100 gives x back and |s| < 2^53 (AmountTooPrecise, AmountTooLarge).
std::optional<FileProblemKind> amountFromDouble(double baht, engine::Satang &value);

// A whole number held as a double (a JSON number), exact only below 2^53: NotWholeNumber for
// a fraction, NumberTooLarge beyond 2^53 (its bound).
inline constexpr std::int64_t kLargestExactWhole = std::int64_t {1} << 53;
std::optional<FileProblemKind> wholeFromDouble(double number, std::int64_t &value);

} // namespace io
