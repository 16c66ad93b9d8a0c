// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "money.h"

#include <limits>

namespace engine {

std::string formatBaht(Satang amount)
{
    // Work on the magnitude as unsigned so that the smallest 64-bit value has one too.
    const bool negative = amount < 0;
    const std::uint64_t magnitude = negative
        ? std::uint64_t {0} - static_cast<std::uint64_t>(amount)
        : static_cast<std::uint64_t>(amount);
    const std::uint64_t cents = magnitude % 100;
    std::string text = std::to_string(magnitude / 100);
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    return negative ? "-" + text : text;
}

std::optional<Satang> parseBaht(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction
        = point == std::string_view::npos ? std::string_view {} : text.substr(point + 1);
    if (whole.empty() || (point != std::string_view::npos && fraction.empty())
        || fraction.size() > 2)
        return std::nullopt;
    // Accumulate negatively: the negative range is the larger one.
    constexpr Satang lowest = std::numeric_limits<Satang>::min();
    Satang value = 0;
    auto addDigit = [&](char c) {
        if (c < '0' || c > '9')
            return false;
        const int digit = c - '0';
        if (value < (lowest + digit) / 10)
            return false;
        value = value * 10 - digit;
        return true;
    };
    for (const char c : whole) {
        if (!addDigit(c))
            return std::nullopt;
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (!addDigit(i < fraction.size() ? fraction[i] : '0'))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == lowest)
        return std::nullopt;
    return -value;
}

Satang divideRounded(Satang numerator, std::int64_t denominator)
{
    const Satang quotient = numerator / denominator;
    const Satang remainder = numerator % denominator;
    // Compare 2|r| with the denominator without doubling r, which could overflow.
    const Satang magnitude = remainder < 0 ? -remainder : remainder;
    if (magnitude >= denominator - magnitude)
        return numerator < 0 ? quotient - 1 : quotient + 1;
    return quotient;
}

std::optional<Satang> checkedMultiply(std::int64_t a, std::int64_t b)
{
    constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    // Each bound is compared by division, which cannot overflow for these signs.
    if (a > 0) {
        if (b > 0 ? a > highest / b : b < lowest / a)
            return std::nullopt;
    } else if (a < 0) {
        if (b > 0 ? a < lowest / b : b < highest / a)
            return std::nullopt;
    }
    return a * b;
}

std::optional<Satang> checkedAdd(Satang a, Satang b)
{
    if (b > 0 ? a > std::numeric_limits<Satang>::max() - b
              : a < std::numeric_limits<Satang>::min() - b)
        return std::nullopt;
    return a + b;
}

} // namespace engine
