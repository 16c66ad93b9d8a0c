// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The value rules of the readers: durations, amounts of Baht from text and from JSON
// numbers, UTF-8 and text positions.

#include "utf8.h"
#include "values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

namespace {

using io::FileProblemKind;

TEST(Values, Durations)
{
    const struct {
        const char *text;
        std::optional<engine::Duration> value;
        FileProblemKind problem = FileProblemKind::NotWholeNumber;
    } cases[] = {
        {"0", 0},
        {" \t12 ", 12},
        {"007", 7},
        {"1000000", 1000000},
        {"1000001", std::nullopt, FileProblemKind::NumberTooLarge},
        {"99999999999999999999999", std::nullopt, FileProblemKind::NumberTooLarge},
        {"", std::nullopt, FileProblemKind::MissingValue},
        {"  ", std::nullopt, FileProblemKind::MissingValue},
        {"2.5", std::nullopt, FileProblemKind::DurationNotWhole},
        {"2,5", std::nullopt, FileProblemKind::DurationNotWhole},
        {"5.", std::nullopt, FileProblemKind::DurationNotWhole},
        {"-3", std::nullopt, FileProblemKind::NegativeDuration},
        {"+3", std::nullopt, FileProblemKind::NotWholeNumber},
        {"1 2", std::nullopt, FileProblemKind::NotWholeNumber},
        {"x7", std::nullopt, FileProblemKind::NotWholeNumber},
        {"\xE0\xB9\x97", std::nullopt, FileProblemKind::NotWholeNumber}, // Thai digit seven
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        engine::Duration value = -1;
        const std::optional<FileProblemKind> problem = io::parseDuration(c.text, value);
        if (c.value) {
            EXPECT_FALSE(problem.has_value());
            EXPECT_EQ(value, *c.value);
        } else {
            EXPECT_EQ(problem, c.problem);
        }
    }
}

TEST(Values, AmountsOfBaht)
{
    const struct {
        const char *text;
        std::optional<engine::Satang> value;
        FileProblemKind problem = FileProblemKind::NotAmount;
    } cases[] = {
        {"0", 0},
        {" 1250 ", 125000},
        {"1250.5", 125050},
        {"33.33", 3333},
        {"-0.25", -25},
        {"92233720368547758.07", 9223372036854775807},
        {"92233720368547758.08", std::nullopt, FileProblemKind::AmountTooLarge},
        {"", std::nullopt, FileProblemKind::MissingValue},
        {"1,250", std::nullopt, FileProblemKind::AmountGrouped},
        {"1,250.50", std::nullopt, FileProblemKind::AmountGrouped},
        {"1.250,50", std::nullopt, FileProblemKind::AmountGrouped},
        {"1'250", std::nullopt, FileProblemKind::AmountGrouped},
        {"1 250", std::nullopt, FileProblemKind::AmountGrouped},
        {"1.2.3", std::nullopt, FileProblemKind::AmountGrouped},
        {"12.345", std::nullopt, FileProblemKind::AmountTooPrecise},
        {"1e3", std::nullopt, FileProblemKind::AmountExponent},
        {"2.5E-1", std::nullopt, FileProblemKind::AmountExponent},
        {"$5", std::nullopt, FileProblemKind::AmountCurrency},
        {"5 baht", std::nullopt, FileProblemKind::AmountCurrency},
        {"5 \xE0\xB8\x9A\xE0\xB8\xB2\xE0\xB8\x97", std::nullopt, FileProblemKind::AmountCurrency},
        {"\xE2\x82\xAC"
         "5",
         std::nullopt, FileProblemKind::AmountCurrency},
        {"5.", std::nullopt, FileProblemKind::NotAmount},
        {".5", std::nullopt, FileProblemKind::NotAmount},
        {"-", std::nullopt, FileProblemKind::NotAmount},
        {"e", std::nullopt, FileProblemKind::NotAmount},
        {"five", std::nullopt, FileProblemKind::NotAmount},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        engine::Satang value = -1;
        const std::optional<FileProblemKind> problem = io::parseAmount(c.text, value);
        if (c.value) {
            EXPECT_FALSE(problem.has_value());
            EXPECT_EQ(value, *c.value);
        } else {
            EXPECT_EQ(problem, c.problem);
        }
    }
}

TEST(Values, JsonNumbersAreWholeSatangOrRefused)
{
    // Every amount written as s / 100 comes back as s, over the engine's whole range.
    std::mt19937_64 random(5);
    for (int i = 0; i < 100000; ++i) {
        const auto s
            = static_cast<engine::Satang>(random() % 100'000'000'000ull) * (i % 2 == 0 ? 1 : -1);
        engine::Satang back = 0;
        ASSERT_FALSE(io::amountFromDouble(static_cast<double>(s) / 100.0, back).has_value()) << s;
        ASSERT_EQ(back, s);
    }
    const struct {
        double baht;
        std::optional<FileProblemKind> problem;
    } cases[] = {
        {33.33, std::nullopt},
        {0.1 + 0.2, FileProblemKind::AmountTooPrecise}, // 0.30000000000000004
        {33.333, FileProblemKind::AmountTooPrecise},
        {1e-300, FileProblemKind::AmountTooPrecise},
        {9.1e13, FileProblemKind::AmountTooLarge},
        {1e300, FileProblemKind::AmountTooLarge},
        {-1e300, FileProblemKind::AmountTooLarge},
        {INFINITY, FileProblemKind::AmountTooLarge},
        {NAN, FileProblemKind::AmountTooLarge},
    };
    for (const auto &c : cases) {
        engine::Satang value = 0;
        EXPECT_EQ(io::amountFromDouble(c.baht, value), c.problem) << c.baht;
    }
}

TEST(Values, Utf8AsRfc3629HasIt)
{
    const struct {
        std::string text;
        std::size_t firstBad;
    } cases[] = {
        {"plain", std::string::npos},
        {"\xE0\xB8\x81\xF0\x9F\x98\x80\xC2\xA9", std::string::npos}, // 3, 4 and 2 bytes
        {std::string("a\0b", 3), std::string::npos},
        {"ab\x80", 2}, // a continuation byte alone
        {"a\xC3", 1}, // cut short at the end
        {"a\xC3(", 1},
        {"\xC0\xAF", 0}, // overlong '/'
        {"\xE0\x80\xAF", 0}, // overlong, three bytes
        {"\xED\xA0\x80", 0}, // a surrogate
        {"\xF4\x90\x80\x80", 0}, // above U+10FFFF
        {"\xF5\x80\x80\x80", 0},
        {"ok\xFF", 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(io::findInvalidUtf8(c.text), c.firstBad) << testing::PrintToString(c.text);
}

TEST(Values, PositionsCountLinesAndCharacters)
{
    // Line ends LF, CRLF and CR; "ก" is three bytes but one column.
    const std::string text = "ab\ncd\r\n\xE0\xB8\x81x\ry";
    const struct {
        std::size_t offset;
        int line, column;
    } cases[] = {{0, 1, 1}, {2, 1, 3}, {3, 2, 1}, {5, 2, 3}, {7, 3, 1}, {10, 3, 2}, {12, 4, 1}};
    for (const auto &c : cases) {
        const io::TextPosition position = io::positionOf(text, c.offset);
        EXPECT_EQ(position.line, c.line) << c.offset;
        EXPECT_EQ(position.column, c.column) << c.offset;
    }
}

} // namespace
