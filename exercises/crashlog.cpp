// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashlog.h"

QString pathLabel(int pathNumber, const PathDefinition &path)
{
    QString label
        = QStringLiteral("    สายงานที่ ") + QString::number(pathNumber) + QStringLiteral(" : ");
    for (std::size_t i = 0; i < path.activities.size(); ++i) {
        if (i > 0)
            label += u'+';
        label += QLatin1Char(path.activities[i]);
    }
    label += QString(path.labelFill, u' ');
    label += QStringLiteral(" = ");
    return label;
}

QString iterationHeader(std::int32_t round)
{
    return QStringLiteral("ตรวจสอบครั้งที่ ") + QString::number(round);
}

QString pathLogLine(const QString &label, std::int32_t length, const QString &marker)
{
    return label + QString::number(length) + u' ' + marker;
}

const QString &closingLine()
{
    static const QString line = QStringLiteral("สิ้นสุดการเร่งโครงการ....");
    return line;
}

QString closingPathLine(const QString &label, std::int32_t length)
{
    return label + QString::number(length);
}

QString selectionLine(char activity, std::int32_t cost, std::int32_t cutDays,
                      const QString &unitPiece, std::int64_t iterationCost)
{
    return QStringLiteral("เลือกกิจกรรม ") + QLatin1Char(activity) + QStringLiteral(" ค่าใช้จ่าย ")
        + QString::number(cost) + QStringLiteral(" บาทต่อวัน  จำนวน ") + QString::number(cutDays)
        + unitPiece + QString::number(iterationCost) + QStringLiteral(" บาท");
}

QString remainingMessage(std::int32_t remaining)
{
    return QStringLiteral("คงเหลือวันเร่งจำนวน ") + QString::number(remaining)
        + QStringLiteral(" วัน...");
}

const QString &finishedMessage()
{
    static const QString message = QStringLiteral("สิ้นสุดการเร่งโครงการ... ");
    return message;
}

const QString &targetOutOfRangeMessage()
{
    static const QString message
        = QStringLiteral("ระยะเวลาที่ต้องการเร่งเกินหรือน้อยกว่าระยะเวลาปกติทั้งโครงการ..กรุณาระบุใหม่ ");
    return message;
}

const QString &cannotShortenMessage()
{
    static const QString message
        = QStringLiteral("ไม่มีกิจกรรมบนสายงานวิกฤตที่เลือกเร่งได้อีก การเร่งโครงการจึงสิ้นสุดลง "
                         "กรุณาตรวจสอบระยะเวลาและค่าใช้จ่ายเร่งของกิจกรรม แล้วสร้าง PERT/CPM ใหม่");
    return message;
}

namespace {

constexpr std::uint64_t kFifteenDigits = 1'000'000'000'000'000;

// Divides a magnitude by ten in 32-bit steps, each of which fits 64 bits; returns the
// remainder.
int divideByTen(engine::practice::CostTotal::Magnitude &magnitude)
{
    constexpr std::uint64_t lowHalf = 0xFFFF'FFFF;
    const std::uint64_t highRest = magnitude.high % 10;
    magnitude.high /= 10;
    const std::uint64_t upper = (highRest << 32) | (magnitude.low >> 32);
    const std::uint64_t lower = ((upper % 10) << 32) | (magnitude.low & lowHalf);
    magnitude.low = ((upper / 10) << 32) | (lower / 10);
    return static_cast<int>(lower % 10);
}

} // namespace

QString formatTotalCost(const engine::practice::CostTotal &total, const QLocale &locale)
{
    // Keep the first 15 digits. The last digit dropped is the highest of them and alone
    // decides the rounding of the magnitude: 5 or more rounds up, so halves go away from zero.
    engine::practice::CostTotal::Magnitude magnitude = total.magnitude();
    int droppedDigits = 0;
    int lastDropped = 0;
    while (magnitude.high != 0 || magnitude.low >= kFifteenDigits) {
        lastDropped = divideByTen(magnitude);
        ++droppedDigits;
    }
    std::uint64_t kept = magnitude.low + (lastDropped >= 5 ? 1 : 0);
    for (int i = 0; i < droppedDigits % 3; ++i)
        kept *= 10;

    // The C locale writes ASCII digits in groups of three whatever the number; the zeros of
    // the dropped digits that kept does not hold follow as whole groups, and the wanted
    // locale's separator takes the place of the C locale's.
    QLocale grouping = QLocale::c();
    grouping.setNumberOptions(QLocale::DefaultNumberOptions);
    QString text = grouping.toString(kept);
    for (int i = 0; i < droppedDigits / 3; ++i)
        text += QStringLiteral(",000");
    text.replace(u',', locale.groupSeparator());
    text += locale.decimalPoint() + QStringLiteral("00");
    return total.isNegative() ? locale.negativeSign() + text : text;
}
