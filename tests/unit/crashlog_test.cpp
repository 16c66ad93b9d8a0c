// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashlog.h"
#include "pathanalysis.h"
#include "sets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

TEST(CrashLog, PathLabels)
{
    struct Case {
        int pathNumber;
        PathDefinition path;
        const char *expected;
    };
    const Case cases[] = {
        {1, {"ACG", 0}, "    สายงานที่ 1 : A+C+G = "},
        {1, {"ABDEH", 2}, "    สายงานที่ 1 : A+B+D+E+H   = "},
        {2, {"BDF", 2}, "    สายงานที่ 2 : B+D+F   = "},
        {2, {"ABEH", 4}, "    สายงานที่ 2 : A+B+E+H     = "},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pathLabel(c.pathNumber, c.path), QString::fromUtf8(c.expected));
}

TEST(CrashLog, LabelsOfASetShareOneLength)
{
    const qsizetype lengths[] = {26, 32, 26, 28, 32};
    for (int number = 1; number <= 5; ++number) {
        const SetDefinition &set = setDefinition(number);
        for (std::size_t k = 0; k < set.practice.paths.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "set " << number << " path " << k + 1);
            const QString label = pathLabel(static_cast<int>(k + 1), set.practice.paths[k]);
            EXPECT_EQ(label.size(), lengths[number - 1]);
            EXPECT_TRUE(label.endsWith(QStringLiteral(" = ")));
        }
    }
}

TEST(CrashLog, IterationLines)
{
    const QString label = QStringLiteral("    สายงานที่ 4 : B+F+I = ");
    EXPECT_EQ(iterationHeader(1), QStringLiteral("ตรวจสอบครั้งที่ 1"));
    EXPECT_EQ(iterationHeader(12), QStringLiteral("ตรวจสอบครั้งที่ 12"));
    EXPECT_EQ(pathLogLine(label, 32, criticalPathMarker()),
              QStringLiteral("    สายงานที่ 4 : B+F+I = 32 <---- สายงานวิกฤต"));
    EXPECT_EQ(pathLogLine(label, 29, QString()), QStringLiteral("    สายงานที่ 4 : B+F+I = 29 "));
    EXPECT_EQ(pathLogLine(label, -3, QString()), QStringLiteral("    สายงานที่ 4 : B+F+I = -3 "));
    EXPECT_EQ(closingLine(), QStringLiteral("สิ้นสุดการเร่งโครงการ...."));
    EXPECT_EQ(closingPathLine(label, 28), QStringLiteral("    สายงานที่ 4 : B+F+I = 28"));
}

TEST(CrashLog, SelectionLines)
{
    EXPECT_EQ(selectionLine('B', 75, 2, QStringLiteral(" วัน  = "), 150),
              QStringLiteral("เลือกกิจกรรม B ค่าใช้จ่าย 75 บาทต่อวัน  จำนวน 2 วัน  = 150 บาท"));
    EXPECT_EQ(selectionLine('D', 1800, 1, QStringLiteral(" สัปดาห์  = "), 1800),
              QStringLiteral("เลือกกิจกรรม D ค่าใช้จ่าย 1800 บาทต่อวัน  จำนวน 1 สัปดาห์  = 1800 บาท"));
    EXPECT_EQ(selectionLine('I', 2000000000, 3, QStringLiteral(" วัน  = "), 6000000000),
              QStringLiteral("เลือกกิจกรรม I ค่าใช้จ่าย 2000000000 บาทต่อวัน  จำนวน 3 วัน  = "
                             "6000000000 บาท"));
    // The sets' own unit pieces: weeks in sets 2 and 5, days elsewhere.
    for (int number = 1; number <= 5; ++number) {
        const bool weeks = number == 2 || number == 5;
        EXPECT_EQ(QString::fromUtf8(setDefinition(number).practice.unitPiece),
                  weeks ? QStringLiteral(" สัปดาห์  = ") : QStringLiteral(" วัน  = "))
            << "set " << number;
    }
}

TEST(CrashLog, MessageBoxTexts)
{
    EXPECT_EQ(remainingMessage(3), QStringLiteral("คงเหลือวันเร่งจำนวน 3 วัน..."));
    EXPECT_EQ(finishedMessage(), QStringLiteral("สิ้นสุดการเร่งโครงการ... "));
    EXPECT_EQ(targetOutOfRangeMessage(),
              QStringLiteral("ระยะเวลาที่ต้องการเร่งเกินหรือน้อยกว่าระยะเวลาปกติทั้งโครงการ..กรุณาระบุใหม่ "));
    EXPECT_FALSE(cannotShortenMessage().isEmpty());
    EXPECT_NE(cannotShortenMessage(), finishedMessage());
}

engine::practice::CostTotal totalOf(const std::vector<std::int64_t> &amounts)
{
    engine::practice::CostTotal total;
    for (const std::int64_t amount : amounts)
        total.add(amount);
    return total;
}

TEST(CrashLog, TotalCost)
{
    constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
    struct Case {
        std::int64_t total;
        const char *c, *english, *german;
    };
    const Case cases[] = {
        {0, "0.00", "0.00", "0,00"},
        {850, "850.00", "850.00", "850,00"},
        {1150, "1,150.00", "1,150.00", "1.150,00"},
        {1234567, "1,234,567.00", "1,234,567.00", "1.234.567,00"},
        {999, "999.00", "999.00", "999,00"},
        {100000, "100,000.00", "100,000.00", "100.000,00"},
        {-1150, "-1,150.00", "-1,150.00", "-1.150,00"},
        // Fifteen significant digits at most: beyond them the digits read as zeros, and the
        // first digit dropped rounds, halves away from zero.
        {1000000000000005, "1,000,000,000,000,010.00", "1,000,000,000,000,010.00",
         "1.000.000.000.000.010,00"},
        {-1000000000000005, "-1,000,000,000,000,010.00", "-1,000,000,000,000,010.00",
         "-1.000.000.000.000.010,00"},
        {1000000000000004, "1,000,000,000,000,000.00", "1,000,000,000,000,000.00",
         "1.000.000.000.000.000,00"},
        // Rounding carries across a group.
        {999999999999999500, "1,000,000,000,000,000,000.00", "1,000,000,000,000,000,000.00",
         "1.000.000.000.000.000.000,00"},
        {1234567890123456, "1,234,567,890,123,460.00", "1,234,567,890,123,460.00",
         "1.234.567.890.123.460,00"},
        {1234567890123456789, "1,234,567,890,123,460,000.00", "1,234,567,890,123,460,000.00",
         "1.234.567.890.123.460.000,00"},
        {int64Max, "9,223,372,036,854,780,000.00", "9,223,372,036,854,780,000.00",
         "9.223.372.036.854.780.000,00"},
        {int64Min, "-9,223,372,036,854,780,000.00", "-9,223,372,036,854,780,000.00",
         "-9.223.372.036.854.780.000,00"},
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    // Thai uses the separators of English and the ASCII digits.
    const QLocale thai(QLocale::Thai, QLocale::Thailand);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.total);
        const engine::practice::CostTotal total = totalOf({c.total});
        EXPECT_EQ(formatTotalCost(total, QLocale::c()), QString::fromUtf8(c.c));
        EXPECT_EQ(formatTotalCost(total, english), QString::fromUtf8(c.english));
        EXPECT_EQ(formatTotalCost(total, german), QString::fromUtf8(c.german));
        EXPECT_EQ(formatTotalCost(total, thai), QString::fromUtf8(c.english));
    }
    EXPECT_EQ(formatTotalCost(totalOf({1150}), QLocale(QLocale::English)),
              QStringLiteral("1,150.00"));
}

// One iteration costs up to (2^31 - 1)^2 or -2^31 (2^31 - 1) Baht; a few of them leave the
// 64-bit range, and the total shown is still the exact sum's first 15 digits.
TEST(CrashLog, TotalCostBeyond64Bits)
{
    constexpr std::int64_t most = std::int64_t {2147483647} * 2147483647;
    constexpr std::int64_t least = std::int64_t {-2147483648} * 2147483647;
    constexpr std::int64_t quarter = std::int64_t {1} << 62;
    struct Case {
        std::vector<std::int64_t> amounts;
        const char *c, *german;
    };
    const Case cases[] = {
        {{std::numeric_limits<std::int64_t>::max(), 1},
         "9,223,372,036,854,780,000.00",
         "9.223.372.036.854.780.000,00"},
        {{most, most, most}, "13,835,058,042,397,300,000.00", "13.835.058.042.397.300.000,00"},
        {{least, least, least}, "-13,835,058,048,839,700,000.00", "-13.835.058.048.839.700.000,00"},
        {{quarter, quarter, quarter, quarter},
         "18,446,744,073,709,600,000.00",
         "18.446.744.073.709.600.000,00"},
        {std::vector<std::int64_t>(1000, most), "4,611,686,014,132,420,000,000.00",
         "4.611.686.014.132.420.000.000,00"},
        // Back inside the range the total is exact again.
        {{most, most, most, -most, -most, -most, 1}, "1.00", "1,00"},
        {{least, least, least, -least, -least, -least, -1}, "-1.00", "-1,00"},
    };
    const QLocale german(QLocale::German, QLocale::Germany);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.c);
        const engine::practice::CostTotal total = totalOf(c.amounts);
        EXPECT_EQ(formatTotalCost(total, QLocale::c()), QString::fromUtf8(c.c));
        EXPECT_EQ(formatTotalCost(total, german), QString::fromUtf8(c.german));
    }
}

} // namespace
