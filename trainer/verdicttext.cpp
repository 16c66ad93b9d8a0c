// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "verdicttext.h"

#include "money.h"
#include "thaiwords.h"
#include "wordingsupport.h"

#include <algorithm>
#include <limits>

namespace trainer {

using engine::Duration;
using engine::ScheduleField;

namespace {

const engine::CellCheck *cellAt(const engine::ScheduleCheck &check, int activity,
                                ScheduleField field)
{
    const std::size_t at = static_cast<std::size_t>(activity) * 5 + static_cast<std::size_t>(field);
    if (activity < 0 || at >= check.cells.size())
        return nullptr;
    return &check.cells[at];
}

// The value a rule takes from a cell: the student's where they answered, else the true one.
Duration valueOf(const engine::CellCheck &cell)
{
    return cell.given.value_or(cell.expected);
}

QString number(std::optional<Duration> value)
{
    return value ? QString::number(*value) : QStringLiteral("(เกินช่วงตัวเลข)");
}

std::optional<Duration> difference(Duration a, Duration b)
{
    if (b == std::numeric_limits<Duration>::min())
        return std::nullopt;
    return engine::checkedAdd(a, -b);
}

// "max(9, 11) = 11" over the cells' values; a single value stands alone.
QString extremeOf(const std::vector<Duration> &values, bool largest)
{
    if (values.size() == 1)
        return QString::number(values.front());
    QStringList shown;
    for (const Duration v : values)
        shown << QString::number(v);
    const Duration result = largest ? *std::max_element(values.begin(), values.end())
                                    : *std::min_element(values.begin(), values.end());
    return QStringLiteral("%1(%2) = %3")
        .arg(largest ? QStringLiteral("max") : QStringLiteral("min"),
             shown.join(QStringLiteral(", ")))
        .arg(result);
}

std::vector<Duration> valuesOf(const engine::ScheduleCheck &check, const std::vector<int> &sources,
                               ScheduleField field)
{
    std::vector<Duration> values;
    for (const int a : sources) {
        if (const engine::CellCheck *c = cellAt(check, a, field))
            values.push_back(valueOf(*c));
    }
    return values;
}

Hints projectDurationHints(const engine::Project &project, const engine::ScheduleCheck &check,
                           const engine::CellCheck &cell)
{
    const QString last = namesOf(project, cell.sources);
    const std::vector<Duration> values
        = valuesOf(check, cell.sources, ScheduleField::EarliestFinish);
    Hints h;
    h.nudge = QStringLiteral("ระยะเวลาโครงการคือวันที่กิจกรรมสุดท้ายทุกกิจกรรมเสร็จ: ดู EF ของ %1").arg(last);
    h.rule = values.empty()
        ? QStringLiteral("โครงการไม่มีกิจกรรม ระยะเวลาโครงการจึงเป็น 0 %1").arg(unitWord())
        : QStringLiteral("ระยะเวลาโครงการ = EF ที่มากที่สุดของกิจกรรมสุดท้าย %1 = %2")
              .arg(last, extremeOf(values, true));
    h.answer = QStringLiteral("ระยะเวลาโครงการ = %1").arg(inUnits(cell.expected));
    return h;
}

Hints cellHints(const engine::Project &project, const engine::ScheduleCheck &check,
                const engine::CellCheck &cell)
{
    if (cell.activity < 0)
        return projectDurationHints(project, check, cell);
    const QString a = activityName(project, cell.activity);
    const QString name = cellName(project, cell);
    const Duration duration
        = project.activities[static_cast<std::size_t>(cell.activity)].normalDuration;
    auto own = [&](ScheduleField field) {
        const engine::CellCheck *c = cellAt(check, cell.activity, field);
        return c ? valueOf(*c) : 0;
    };
    Hints h;
    switch (cell.field) {
    case ScheduleField::EarliestStart:
        if (cell.sources.empty()) {
            h.nudge = QStringLiteral("%1 ไม่มีกิจกรรมก่อนหน้า จึงเริ่มได้ตั้งแต่วันแรกของโครงการ").arg(a);
            h.rule = QStringLiteral("%1 = 0 เพราะไม่มีกิจกรรมก่อนหน้า").arg(name);
        } else {
            const QString before = namesOf(project, cell.sources);
            h.nudge = QStringLiteral("%1 เริ่มได้เมื่อกิจกรรมก่อนหน้าทุกกิจกรรมเสร็จแล้ว: ดู EF ของ %2")
                          .arg(a, before);
            h.rule
                = QStringLiteral("%1 = EF ที่มากที่สุดของกิจกรรมก่อนหน้า %2 = %3")
                      .arg(name, before,
                           extremeOf(valuesOf(check, cell.sources, ScheduleField::EarliestFinish),
                                     true));
        }
        break;
    case ScheduleField::EarliestFinish:
        h.nudge = QStringLiteral("EF คือวันที่ %1 เสร็จเร็วที่สุด: เริ่มที่ ES ของมันแล้วทำไป %2")
                      .arg(a, inUnits(duration));
        h.rule = QStringLiteral("%1 = ES ของ %2 + ระยะเวลา = %3 + %4 = %5")
                     .arg(name, a)
                     .arg(own(ScheduleField::EarliestStart))
                     .arg(duration)
                     .arg(number(engine::checkedAdd(own(ScheduleField::EarliestStart), duration)));
        break;
    case ScheduleField::LatestFinish:
        if (cell.sources.empty()) {
            const Duration total = valueOf(check.projectDuration);
            h.nudge = QStringLiteral("%1 เป็นกิจกรรมสุดท้าย จึงเสร็จช้าที่สุดได้ไม่เกินระยะเวลาโครงการ").arg(a);
            h.rule = QStringLiteral("%1 = ระยะเวลาโครงการ = %2").arg(name).arg(total);
        } else {
            const QString after = namesOf(project, cell.sources);
            h.nudge
                = QStringLiteral("%1 ต้องเสร็จก่อนที่กิจกรรมที่ตามมาจะต้องเริ่ม: ดู LS ของ %2").arg(a, after);
            h.rule = QStringLiteral("%1 = LS ที่น้อยที่สุดของกิจกรรมที่ตามมา %2 = %3")
                         .arg(name, after,
                              extremeOf(valuesOf(check, cell.sources, ScheduleField::LatestStart),
                                        false));
        }
        break;
    case ScheduleField::LatestStart:
        h.nudge = QStringLiteral("LS คือวันที่ช้าที่สุดที่ %1 เริ่มได้โดยโครงการไม่ล่าช้า: "
                                 "นับย้อนจาก LF ของมันไป %2")
                      .arg(a, inUnits(duration));
        h.rule = QStringLiteral("%1 = LF ของ %2 - ระยะเวลา = %3 - %4 = %5")
                     .arg(name, a)
                     .arg(own(ScheduleField::LatestFinish))
                     .arg(duration)
                     .arg(number(difference(own(ScheduleField::LatestFinish), duration)));
        break;
    case ScheduleField::TotalFloat:
        h.nudge = QStringLiteral("เวลาลอยคือเวลาที่ %1 เลื่อนออกไปได้โดยโครงการไม่ล่าช้า: "
                                 "เทียบวันเริ่มช้าที่สุดกับวันเริ่มเร็วที่สุดของมัน")
                      .arg(a);
        h.rule = QStringLiteral("%1 = LS - ES = %2 - %3 = %4")
                     .arg(name)
                     .arg(own(ScheduleField::LatestStart))
                     .arg(own(ScheduleField::EarliestStart))
                     .arg(number(difference(own(ScheduleField::LatestStart),
                                            own(ScheduleField::EarliestStart))));
        break;
    }
    h.answer = QStringLiteral("%1 = %2").arg(name).arg(cell.expected);
    return h;
}

} // namespace

QString verdictWord(engine::Verdict verdict)
{
    switch (verdict) {
    case engine::Verdict::Right:
        return QStringLiteral("ถูก");
    case engine::Verdict::RightFromOwn:
        return QStringLiteral("ถูกตามวิธี");
    case engine::Verdict::Wrong:
        return QStringLiteral("ผิด");
    case engine::Verdict::Unanswered:
        break;
    }
    return QStringLiteral("ยังไม่ได้ตอบ");
}

QString fieldName(ScheduleField field)
{
    switch (field) {
    case ScheduleField::EarliestStart:
        return QStringLiteral("ES");
    case ScheduleField::EarliestFinish:
        return QStringLiteral("EF");
    case ScheduleField::LatestStart:
        return QStringLiteral("LS");
    case ScheduleField::LatestFinish:
        return QStringLiteral("LF");
    case ScheduleField::TotalFloat:
        break;
    }
    return QStringLiteral("เวลาลอย");
}

QString cellName(const engine::Project &project, const engine::CellCheck &cell)
{
    if (cell.activity < 0)
        return QStringLiteral("ระยะเวลาโครงการ");
    // Thai writes the word เวลาลอย straight on to ของ; the Latin abbreviations take a blank.
    const QString of
        = cell.field == ScheduleField::TotalFloat ? QStringLiteral("ของ") : QStringLiteral(" ของ");
    return fieldName(cell.field) + of + u' ' + activityName(project, cell.activity);
}

ItemText cellText(const engine::Project &project, const engine::ScheduleCheck &check,
                  const engine::CellCheck &cell)
{
    const QString name = cellName(project, cell);
    ItemText text;
    const QString given = cell.given ? QString::number(*cell.given) : QString();
    switch (cell.verdict) {
    case engine::Verdict::Right:
        text.message = QStringLiteral("%1 = %2 ถูกต้อง").arg(name, given);
        break;
    case engine::Verdict::RightFromOwn:
        text.message = QStringLiteral("%1 = %2 ถูกตามวิธีเมื่อคิดจากค่าที่คุณหาไว้เอง "
                                      "แต่ค่าที่ถูกคือ %3 เพราะค่าที่ใช้คิดมีค่าที่ผิดอยู่")
                           .arg(name, given)
                           .arg(cell.expected);
        break;
    case engine::Verdict::Wrong:
        text.message = QStringLiteral("%1 ที่ตอบไว้ %2 ยังไม่ถูก").arg(name, given);
        break;
    case engine::Verdict::Unanswered:
        text.message = QStringLiteral("ยังไม่ได้ตอบ %1").arg(name);
        break;
    }
    text.hints = cellHints(project, check, cell);
    return text;
}

} // namespace trainer
