// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// Strict whole-number conversion used wherever a text becomes a number.
// Accepts: leading spaces, an optional '+' or '-', then either decimal digits or
// hexadecimal digits after a '$', 'x', 'X', "0x" or "0X" prefix. The value must lie in
// the 32-bit signed range. Anything else (empty text, trailing blank, decimal point,
// non-ASCII digits, ...) is rejected.
std::optional<std::int32_t> tryWholeNumber(const QString &text);

// As tryWholeNumber, but throws ConversionError carrying the text when it is rejected.
std::int32_t toWholeNumber(const QString &text);

} // namespace platform
