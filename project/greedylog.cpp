// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "greedylog.h"

#include "money.h"

#include <limits>

namespace project {

namespace {

QString idOf(const engine::Project &project, int activity)
{
    return QString::fromStdString(project.activities[static_cast<std::size_t>(activity)].id);
}

QString indent()
{
    return QStringLiteral("    ");
}

} // namespace

QString bahtText(engine::Satang amount)
{
    const QString plain = QString::fromStdString(engine::formatBaht(amount));
    const bool negative = plain.startsWith(u'-');
    const qsizetype digitsStart = negative ? 1 : 0;
    const qsizetype point = plain.indexOf(u'.');
    QString text = plain.left(point);
    for (qsizetype at = point - 3; at > digitsStart; at -= 3)
        text.insert(at, u',');
    return text + plain.mid(point);
}

QString activityList(const engine::Project &project, std::span<const int> activities)
{
    QStringList ids;
    ids.reserve(static_cast<qsizetype>(activities.size()));
    for (const int activity : activities)
        ids.append(idOf(project, activity));
    return ids.join(QStringLiteral(", "));
}

QString stepHeader(int number)
{
    return QStringLiteral("ตรวจสอบครั้งที่ ") + QString::number(number);
}

QStringList criticalPathLines(const engine::Project &project, const engine::CriticalPaths &paths,
                              engine::Duration length)
{
    QStringList lines;
    int number = 0;
    for (const std::vector<int> &path : paths.paths) {
        QStringList ids;
        for (const int activity : path)
            ids.append(idOf(project, activity));
        lines.append(indent() + QStringLiteral("สายงานวิกฤตที่ ") + QString::number(++number)
                     + QStringLiteral(" : ") + ids.join(u'+') + QStringLiteral(" = ")
                     + QString::number(length));
    }
    if (!paths.complete)
        lines.append(indent() + QStringLiteral("... และสายงานวิกฤตอื่นอีก"));
    return lines;
}

QStringList stepLines(const engine::Project &project, const engine::GreedyStep &step,
                      const QString &unitWord)
{
    QStringList lines;
    lines.append(indent() + QStringLiteral("กิจกรรมวิกฤต : ")
                 + activityList(project, step.criticalBefore));
    for (const engine::Cut &cut : step.cuts) {
        lines.append(indent() + QStringLiteral("เลือกกิจกรรม ") + idOf(project, cut.activity)
                     + QStringLiteral(" ค่าใช้จ่าย ") + bahtText(cut.costPerUnit)
                     + QStringLiteral(" บาทต่อ") + unitWord + QStringLiteral("  จำนวน ")
                     + QString::number(cut.units) + u' ' + unitWord + QStringLiteral("  = ")
                     + bahtText(cut.costPerUnit * cut.units) + QStringLiteral(" บาท"));
    }
    lines.append(indent() + QStringLiteral("ค่าเร่งครั้งนี้ ") + bahtText(step.cost)
                 + QStringLiteral(" บาท"));
    lines.append(indent() + QStringLiteral("ระยะเวลาโครงการ ")
                 + QString::number(step.durationBefore) + QStringLiteral(" -> ")
                 + QString::number(step.durationAfter) + u' ' + unitWord);
    lines.append(indent() + QStringLiteral("ค่าเร่งสะสม ") + bahtText(step.totalCost)
                 + QStringLiteral(" บาท"));
    return lines;
}

QStringList stepBlock(const engine::Project &project, const engine::GreedyStep &step,
                      const engine::CriticalPaths *pathsBefore, const QString &unitWord)
{
    QStringList lines {stepHeader(step.number)};
    if (pathsBefore)
        lines += criticalPathLines(project, *pathsBefore, step.durationBefore);
    lines += stepLines(project, step, unitWord);
    return lines;
}

QString closingText(engine::Duration duration, engine::Satang total, const QString &unitWord)
{
    return QStringLiteral("สิ้นสุดการเร่งโครงการ.... ระยะเวลา ") + QString::number(duration) + u' '
        + unitWord + QStringLiteral(" ค่าเร่งรวม ") + bahtText(total) + QStringLiteral(" บาท");
}

QString targetOutOfRangeText(engine::Duration target, engine::Duration shortest,
                             engine::Duration normal, const QString &unitWord)
{
    const QString range = QStringLiteral("เป้าหมายต้องไม่เกินระยะเวลาปกติ ") + QString::number(normal)
        + u' ' + unitWord + QStringLiteral(" และไม่น้อยกว่าระยะเวลาสั้นที่สุดที่เร่งได้ ")
        + QString::number(shortest) + u' ' + unitWord;
    const QString where = target > normal ? QStringLiteral("มากกว่าระยะเวลาปกติ")
                                          : QStringLiteral("น้อยกว่าระยะเวลาสั้นที่สุดที่เร่งได้");
    return QStringLiteral("เป้าหมาย ") + QString::number(target) + u' ' + unitWord + u' ' + where
        + QStringLiteral(": ") + range;
}

std::optional<QString> differencePercent(engine::Satang greedyTotal, engine::Satang leastTotal)
{
    if (leastTotal <= 0)
        return std::nullopt;
    const engine::Satang difference = greedyTotal - leastTotal;
    // Hundredths of a percent, exact while difference x 10000 fits 64 bits (every total below
    // 9 x 10^12 Baht); beyond that two decimals of a double are as good as the display needs.
    constexpr engine::Satang scale = 10'000;
    if (difference >= 0 && difference <= std::numeric_limits<engine::Satang>::max() / scale) {
        const engine::Satang hundredths = engine::divideRounded(difference * scale, leastTotal);
        return QString::number(hundredths / 100) + u'.'
            + QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    }
    return QString::number(
        100.0 * static_cast<double>(difference) / static_cast<double>(leastTotal), 'f', 2);
}

QString differenceText(engine::Satang greedyTotal, engine::Satang leastTotal, bool reached)
{
    if (!reached)
        return QStringLiteral("ผลต่าง: การเร่งทีละขั้นยังไม่ถึงเป้าหมาย");
    const QString baht
        = QStringLiteral("ผลต่าง: ") + bahtText(greedyTotal - leastTotal) + QStringLiteral(" บาท");
    if (const std::optional<QString> percent = differencePercent(greedyTotal, leastTotal))
        return baht + QStringLiteral(" (") + *percent + QStringLiteral("% ของค่าเร่งต่ำสุด)");
    return baht + QStringLiteral(" (ค่าเร่งต่ำสุดเป็น 0 บาท จึงไม่คิดเป็นร้อยละ)");
}

} // namespace project
