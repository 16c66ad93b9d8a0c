// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "values.h"

#include "money.h"

#include <array>
#include <charconv>
#include <cmath>

namespace io {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a run of digits at `at`; returns how many.
std::size_t digitsAt(std::string_view text, std::size_t at)
{
    std::size_t count = 0;
    while (at + count < text.size() && isDigit(text[at + count]))
        ++count;
    return count;
}

// Whether text is [sign] digits [point digits] with the decimals counted in `decimals`
// (-1 without a point), `point` being '.' or ','.
bool isDecimal(std::string_view text, char point, int &decimals)
{
    std::size_t at = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::size_t whole = digitsAt(text, at);
    at += whole;
    decimals = -1;
    if (at < text.size() && text[at] == point) {
        const std::size_t fraction = digitsAt(text, at + 1);
        if (whole + fraction == 0)
            return false;
        decimals = static_cast<int>(fraction);
        at += 1 + fraction;
    }
    return whole + std::max(decimals, 0) > 0 && at == text.size();
}

bool looksExponential(std::string_view text)
{
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string_view::npos)
        return false;
    int decimals;
    std::string_view power = text.substr(e + 1);
    if (!power.empty() && (power[0] == '+' || power[0] == '-'))
        power.remove_prefix(1);
    return isDecimal(text.substr(0, e), '.', decimals) && !power.empty()
        && digitsAt(power, 0) == power.size();
}

bool looksGrouped(std::string_view text)
{
    bool digit = false, separator = false;
    int points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c))
            digit = true;
        else if (c == ',' || c == '\'' || c == '_' || c == ' ')
            separator = true;
        else if (c == '.')
            ++points;
        else if (!(i == 0 && (c == '-' || c == '+')))
            return false;
    }
    return digit && (separator || points > 1);
}

} // namespace

std::string asciiLowered(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> splitPredecessors(std::string_view text)
{
    std::vector<std::string> ids;
    text = trimmed(text);
    if (text == "-")
        return ids;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(",;");
        const std::string_view id = trimmed(text.substr(0, end));
        if (!id.empty())
            ids.emplace_back(id);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return ids;
}

std::optional<FileProblemKind> parseDuration(std::string_view text, engine::Duration &value)
{
    text = trimmed(text);
    if (text.empty())
        return FileProblemKind::MissingValue;
    if (digitsAt(text, 0) == text.size()) {
        engine::Duration number = 0;
        for (const char c : text) {
            number = number * 10 + (c - '0');
            if (number > engine::kMaxDuration)
                return FileProblemKind::NumberTooLarge;
        }
        value = number;
        return std::nullopt;
    }
    int decimals;
    const bool numeric = isDecimal(text, '.', decimals) || isDecimal(text, ',', decimals);
    if (numeric && text[0] == '-')
        return FileProblemKind::NegativeDuration;
    if (numeric && decimals >= 0)
        return FileProblemKind::DurationNotWhole;
    return FileProblemKind::NotWholeNumber;
}

std::optional<FileProblemKind> parseAmount(std::string_view text, engine::Satang &value)
{
    text = trimmed(text);
    if (text.empty())
        return FileProblemKind::MissingValue;
    if (const std::optional<engine::Satang> satang = engine::parseBaht(text)) {
        value = *satang;
        return std::nullopt;
    }
    int decimals;
    if (isDecimal(text, '.', decimals)) {
        if (decimals > 2)
            return FileProblemKind::AmountTooPrecise;
        // "5." and ".5" are not amounts; any other plain decimal is beyond 64 bits.
        const std::size_t sign = text[0] == '+' || text[0] == '-' ? 1 : 0;
        return decimals != 0 && digitsAt(text, sign) > 0 ? FileProblemKind::AmountTooLarge
                                                         : FileProblemKind::NotAmount;
    }
    if (looksExponential(text))
        return FileProblemKind::AmountExponent;
    const std::string lower = asciiLowered(text);
    for (const char *sign : {"$", "\xE0\xB8\xBF" /* ฿ */, "\xE2\x82\xAC" /* € */, "\xC2\xA3", "thb",
                             "baht", "\xE0\xB8\x9A\xE0\xB8\xB2\xE0\xB8\x97" /* บาท */}) {
        if (lower.find(sign) != std::string::npos)
            return FileProblemKind::AmountCurrency;
    }
    if (looksGrouped(text))
        return FileProblemKind::AmountGrouped;
    return FileProblemKind::NotAmount;
}

std::optional<FileProblemKind> parseEstimate(std::string_view text, double &value)
{
    text = trimmed(text);
    if (text.empty())
        return FileProblemKind::MissingValue;
    int decimals;
    if (!isDecimal(text, '.', decimals))
        return FileProblemKind::NotDecimal;
    const bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-')
        text.remove_prefix(1);
    std::size_t whole = text.find('.');
    if (whole == std::string_view::npos)
        whole = text.size();
    const std::size_t zeros = std::min(text.find_first_not_of('0'), whole);
    if (whole - zeros > 15)
        return FileProblemKind::NumberTooLarge;
    double number = 0;
    const auto [end, error]
        = std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
    // Only a value too small for a double is out of range here: it is 0.
    if (error == std::errc::result_out_of_range)
        number = 0;
    else if (error != std::errc() || end != text.data() + text.size())
        return FileProblemKind::NotDecimal;
    value = negative ? -number : number;
    return std::nullopt;
}

std::string formatEstimate(double value)
{
    // Fixed notation of the smallest double takes about 330 characters.
    std::array<char, 400> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc())
        return {};
    return std::string(buffer.data(), end);
}

std::optional<FileProblemKind> amountFromDouble(double baht, engine::Satang &value)
{
    constexpr double kLimit = 9007199254740992.0; // 2^53
    const double hundredfold = baht * 100.0;
    if (!std::isfinite(hundredfold) || std::fabs(hundredfold) >= kLimit)
        return FileProblemKind::AmountTooLarge;
    const long long satang = std::llround(hundredfold);
    if (satang >= (1LL << 53) || satang <= -(1LL << 53))
        return FileProblemKind::AmountTooLarge;
    if (static_cast<double>(satang) / 100.0 != baht)
        return FileProblemKind::AmountTooPrecise;
    value = satang;
    return std::nullopt;
}

std::optional<FileProblemKind> wholeFromDouble(double number, std::int64_t &value)
{
    if (number != std::trunc(number))
        return FileProblemKind::NotWholeNumber;
    if (std::fabs(number) > static_cast<double>(kLargestExactWhole))
        return FileProblemKind::NumberTooLarge;
    value = static_cast<std::int64_t>(number);
    return std::nullopt;
}

} // namespace io
