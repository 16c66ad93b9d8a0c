// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// Money is counted in whole satang (1/100 Baht) in 64 bits: sums are exact, never rounded.
using Satang = std::int64_t;

// "1150.00", "-0.50": Baht with exactly two decimals, no group separators.
std::string formatBaht(Satang amount);

// Reads a plain decimal amount of Baht: optional sign, digits, optionally '.' and one or
// two decimals ("12", "12.5", "-0.25"). Blanks, group separators, exponents, more than two
// decimals and amounts beyond the 64-bit satang range are refused (nullopt).
std::optional<Satang> parseBaht(std::string_view text);

// Rounds numerator / denominator satang to the nearest whole satang, halves away from
// zero. Precondition: denominator > 0.
Satang divideRounded(Satang numerator, std::int64_t denominator);

// a x b and a + b (satang, or satang and a count), or nothing when the exact result leaves
// the 64-bit range. Any signs.
std::optional<Satang> checkedMultiply(std::int64_t a, std::int64_t b);
std::optional<Satang> checkedAdd(Satang a, Satang b);

} // namespace engine
