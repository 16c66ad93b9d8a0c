// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashlog.h"

#include <cmath>

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

// The digits of a magnitude rounded to 15 significant digits and then to two decimals (half
// away from zero), as one digit string whose last two digits are the decimals.
QString centDigits(double magnitude)
{
    // "d.dddddddddddddde+XX": 15 significant digits, correctly rounded.
    const QString scientific = QString::number(magnitude, 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    const QString mantissa = scientific.left(1) + scientific.mid(2, e - 2);
    const int exponent = scientific.mid(e + 1).toInt();

    // Digit i of the mantissa weighs 10^(exponent - i); the cents digit is the one of
    // weight 10^-2.
    const int centsIndex = exponent + 2;
    QString digits;
    if (centsIndex >= mantissa.size() - 1) {
        digits = mantissa + QString(centsIndex - (mantissa.size() - 1), u'0');
    } else if (centsIndex >= -1) {
        digits = mantissa.left(centsIndex + 1);
        if (mantissa[centsIndex + 1] >= u'5') {
            qsizetype i = digits.size() - 1;
            while (i >= 0 && digits[i] == u'9')
                digits[i--] = u'0';
            if (i >= 0)
                digits[i] = QChar(digits[i].unicode() + 1);
            else
                digits.prepend(u'1');
        }
    }
    while (digits.size() > 3 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() < 3)
        digits = QString(3 - digits.size(), u'0') + digits;
    return digits;
}

} // namespace

QString formatTotalCost(double total, const QLocale &locale)
{
    if (!std::isfinite(total))
        return locale.toString(total);

    const QString digits = centDigits(std::abs(total));
    const QString whole = digits.left(digits.size() - 2);
    QString text;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            text += locale.groupSeparator();
        text += whole[i];
    }
    text += locale.decimalPoint() + digits.right(2);

    const bool isZero = digits.count(u'0') == digits.size();
    if (total < 0 && !isZero)
        text.prepend(locale.negativeSign());
    return text;
}
