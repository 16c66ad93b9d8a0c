// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "applicationerror.h"
#include "wholenumber.h"

#include <QList>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>

using platform::ConversionError;
using platform::toWholeNumber;
using platform::tryWholeNumber;

namespace {

struct ConversionCase {
    const char *text; // UTF-8
    std::optional<std::int32_t> expected;
};

void PrintTo(const ConversionCase &c, std::ostream *out)
{
    // Control characters escaped, so that the test list keeps one test to a line.
    *out << '"';
    for (const char *p = c.text; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte == 0x7F) {
            static const char digits[] = "0123456789ABCDEF";
            *out << "\\x" << digits[byte >> 4] << digits[byte & 15];
        } else {
            *out << *p;
        }
    }
    *out << "\" gives ";
    if (c.expected)
        *out << *c.expected;
    else
        *out << "no number";
}

class WholeNumberConversion : public testing::TestWithParam<ConversionCase> { };

// A test name that spells the case's text, since gtest allows only letters, digits and
// underscores: letters and digits stay, every other character becomes a word or its code
// point, runs are joined by underscores ("-$10" is "minus_dollar_10", "" is "empty"), and
// the expected outcome leads ("Accepts_plus_7", "Rejects_7_blank").
std::string caseName(const testing::TestParamInfo<ConversionCase> &info)
{
    static const std::map<uint, std::string> words
        = {{U' ', "blank"}, {U'+', "plus"}, {U'-', "minus"},    {U'$', "dollar"},   {U'.', "dot"},
           {U',', "comma"}, {U'\t', "tab"}, {U'\n', "newline"}, {U'\u00A0', "nbsp"}};
    std::string name = info.param.expected ? "Accepts" : "Rejects";
    const QString text = QString::fromUtf8(info.param.text);
    if (text.isEmpty()) {
        name += "_empty";
        return name;
    }
    bool inWord = false;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        const bool plain = c < 0x80 && std::isalnum(static_cast<unsigned char>(c));
        if (plain && inWord) {
            name += static_cast<char>(c);
            continue;
        }
        name += '_';
        inWord = plain;
        if (plain)
            name += static_cast<char>(c);
        else if (const auto word = words.find(c); word != words.end())
            name += word->second;
        else
            name.append("U").append(QString::number(c, 16).toUpper().toStdString());
    }
    // Texts too long to read are cut, the length and index keeping the name unique.
    if (name.size() > 48) {
        name.resize(40);
        name.append("_etc").append(std::to_string(info.index));
    }
    return name;
}

TEST_P(WholeNumberConversion, ConvertsOrRejectsWithTheOffendingText)
{
    const ConversionCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(tryWholeNumber(text), c.expected) << c.text;
    if (c.expected) {
        EXPECT_EQ(toWholeNumber(text), *c.expected);
    } else {
        try {
            toWholeNumber(text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ConversionError &error) {
            EXPECT_EQ(error.text(), text);
            EXPECT_EQ(error.message(),
                      QStringLiteral("'%1' is not a valid integer value.").arg(text));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WholeNumberConversion,
    testing::Values(
        // Plain decimals, leading blanks and signs.
        ConversionCase {"7", 7}, ConversionCase {" 7", 7}, ConversionCase {"   42", 42},
        ConversionCase {"+7", 7}, ConversionCase {"-7", -7}, ConversionCase {"  -15", -15},
        ConversionCase {"0", 0}, ConversionCase {"-0", 0}, ConversionCase {"0007", 7},
        ConversionCase {"2147483647", INT32_MAX}, ConversionCase {"-2147483648", INT32_MIN},
        ConversionCase {"000000000000000000002147483647", INT32_MAX},
        // Hexadecimal after each of the prefixes, with and without sign.
        ConversionCase {"$10", 16}, ConversionCase {"x1f", 31}, ConversionCase {"X1F", 31},
        ConversionCase {"0x10", 16}, ConversionCase {"0XfF", 255}, ConversionCase {"-$10", -16},
        ConversionCase {" +0x7FFFFFFF", INT32_MAX}, ConversionCase {"-$80000000", INT32_MIN},
        ConversionCase {"$0", 0},
        // Rejected texts.
        ConversionCase {"", std::nullopt}, ConversionCase {" ", std::nullopt},
        ConversionCase {"    ", std::nullopt}, ConversionCase {"7 ", std::nullopt},
        ConversionCase {"7.5", std::nullopt}, ConversionCase {"7,5", std::nullopt},
        ConversionCase {"seven", std::nullopt}, ConversionCase {"เจ็ด", std::nullopt},
        ConversionCase {"๗", std::nullopt}, ConversionCase {"๑๒", std::nullopt},
        ConversionCase {"2147483648", std::nullopt}, ConversionCase {"-2147483649", std::nullopt},
        ConversionCase {"$FFFFFFFF", std::nullopt}, ConversionCase {"$80000000", std::nullopt},
        ConversionCase {"0x", std::nullopt}, ConversionCase {"$", std::nullopt},
        ConversionCase {"x", std::nullopt}, ConversionCase {"+", std::nullopt},
        ConversionCase {"-", std::nullopt}, ConversionCase {"+-7", std::nullopt},
        ConversionCase {"- 7", std::nullopt}, ConversionCase {"\t7", std::nullopt},
        ConversionCase {"7\n", std::nullopt}, ConversionCase {"1e3", std::nullopt},
        ConversionCase {"0x1G", std::nullopt}, ConversionCase {"$-1", std::nullopt},
        ConversionCase {"１２", std::nullopt}, // full-width digits
        ConversionCase {"99999999999999999999999999999999999999", std::nullopt},
        ConversionCase {"7\xC2\xA0", std::nullopt}), // no-break space
    caseName);

TEST(WholeNumberConversionLimits, VeryLongDigitStringsFailWithoutOverflow)
{
    EXPECT_FALSE(tryWholeNumber(QString(100000, u'9')));
    EXPECT_EQ(tryWholeNumber(QString(100000, u'0') + QStringLiteral("12")), 12);
    EXPECT_FALSE(tryWholeNumber(QStringLiteral("$") + QString(5000, u'F')));
}

TEST(WholeNumberConversionLimits, AgreesWithSixtyFourBitArithmeticOnRandomNumbers)
{
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i) {
        const auto value = static_cast<std::int64_t>(random()) >> (random() % 63);
        const bool fits = value >= INT32_MIN && value <= INT32_MAX;
        const QString text = QString::number(value);
        const auto converted = tryWholeNumber(text);
        ASSERT_EQ(converted.has_value(), fits) << text.toStdString();
        if (fits) {
            ASSERT_EQ(*converted, value);
        }
        if (value >= 0 && fits) {
            ASSERT_EQ(tryWholeNumber(QStringLiteral("0x") + QString::number(value, 16)), value);
        }
    }
}

} // namespace
