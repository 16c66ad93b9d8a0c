// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The Thai wording of crashing: the target, each step and the totals.

#include "verdicttext.h"
#include "wordingsupport.h"

namespace trainer {

using engine::Duration;
using engine::StepProblem;

namespace {

QString formatBahtOnly(engine::Satang amount)
{
    return QString::fromStdString(engine::formatBaht(amount));
}

// "ลด B 1 วัน", "ลด B และ H อย่างละ 1 วัน", "ลด D 2 วัน และ F 1 วัน".
QString cutPhrase(const engine::Project &project, const std::vector<std::pair<int, Duration>> &cut)
{
    if (cut.empty())
        return QStringLiteral("ไม่ได้ลดกิจกรรมใด");
    bool equal = true;
    std::vector<int> activities;
    QStringList each;
    for (const auto &[a, units] : cut) {
        equal = equal && units == cut.front().second;
        activities.push_back(a);
        each << QStringLiteral("%1 %2").arg(activityName(project, a), inUnits(units));
    }
    if (!equal)
        return QStringLiteral("ลด %1").arg(joinedThai(each));
    if (cut.size() == 1)
        return QStringLiteral("ลด %1").arg(each.front());
    return QStringLiteral("ลด %1 อย่างละ %2")
        .arg(namesOf(project, activities), inUnits(cut.front().second));
}

// "B 75.00 + H 100.00 = 175.00 บาท".
QString costSum(const engine::Project &project, const std::vector<int> &set)
{
    QStringList parts;
    engine::Satang sum = 0;
    for (const int a : set) {
        if (a < 0 || static_cast<std::size_t>(a) >= project.activities.size())
            continue;
        const engine::Satang cost
            = project.activities[static_cast<std::size_t>(a)].crashCostPerUnit;
        parts << QStringLiteral("%1 %2").arg(activityName(project, a), formatBahtOnly(cost));
        sum += cost;
    }
    return QStringLiteral("%1 = %2").arg(parts.join(QStringLiteral(" + ")), baht(sum));
}

std::vector<int> chosenOf(const engine::StepCheck &step)
{
    std::vector<int> set;
    for (const auto &entry : step.shorten)
        set.push_back(entry.first);
    return set;
}

Duration unitsOf(const engine::StepCheck &step, int activity)
{
    for (const auto &[a, units] : step.shorten) {
        if (a == activity)
            return units;
    }
    return 0;
}

QString greedyAnswer(const engine::Project &project, const engine::StepCheck &step)
{
    if (step.problem == StepProblem::AfterTarget)
        return QStringLiteral("โครงการใช้เวลา %1 ไม่เกินเป้าหมาย %2 แล้ว ไม่ต้องเร่งอีก")
            .arg(inUnits(step.durationBefore), inUnits(step.target));
    if (step.cheapestSet.empty())
        return QStringLiteral("ไม่มีชุดกิจกรรมวิกฤตที่ยังลดได้ โครงการสั้นกว่า %1 ไม่ได้แล้ว")
            .arg(inUnits(step.durationBefore));
    std::vector<std::pair<int, Duration>> cut;
    for (const int a : step.cheapestSet)
        cut.push_back({a, step.cheapestUnits});
    return QStringLiteral("ขั้นที่ %1 ควร%2 ค่าเร่ง %3 เสียค่าใช้จ่ายเพิ่ม %4 โครงการจะเหลือ %5")
        .arg(step.number)
        .arg(cutPhrase(project, cut), bahtPerUnit(step.cheapestPerUnit),
             baht(step.cheapestPerUnit * step.cheapestUnits), inUnits(step.cheapestDurationAfter));
}

QString generalRule()
{
    return QStringLiteral("ในแต่ละขั้น เลือกชุดกิจกรรมวิกฤตที่มีกิจกรรมอยู่บนเส้นทางวิกฤตทุกเส้น "
                          "และค่าเร่งต่อ%1รวมกันน้อยที่สุด แล้วลดทุกกิจกรรมในชุดเท่ากัน "
                          "ได้มากที่สุดจนถึงเป้าหมาย จนกิจกรรมถึงเวลาเร่งสุด "
                          "หรือจนเส้นทางอื่นกลายเป็นเส้นทางวิกฤต")
        .arg(unitWord());
}

// "ลดได้มากที่สุด = min(...) = n".
QString limitRule(const engine::Project &project, const engine::StepCheck &step)
{
    QStringList limits;
    limits << QStringLiteral("ถึงเป้าหมาย %1 - %2 = %3")
                  .arg(step.durationBefore)
                  .arg(step.target)
                  .arg(step.limitByTarget);
    limits << QStringLiteral("เวลาที่ยังลดได้ %1").arg(step.limitByCrash);
    if (step.limitByPath >= 0) {
        const QString path = step.path.empty()
            ? QStringLiteral("เส้นทางอื่น")
            : QStringLiteral("เส้นทาง %1").arg(pathName(project, step.path));
        limits << QStringLiteral("ก่อน%1จะกลายเป็นเส้นทางวิกฤต %2").arg(path).arg(step.limitByPath);
    }
    return QStringLiteral("ขั้นนี้ลดได้มากที่สุด = min(%1) = %2")
        .arg(limits.join(QStringLiteral(", ")), inUnits(step.allowedUnits));
}

} // namespace

ItemText stepText(const engine::Project &project, const engine::StepCheck &step)
{
    const QString head = QStringLiteral("ขั้นที่ %1: ").arg(step.number);
    const QString choice = cutPhrase(project, step.shorten);
    const QString a = activityName(project, step.activity);
    const std::vector<int> chosen = chosenOf(step);
    ItemText text;
    Hints &h = text.hints;
    h.rule = generalRule();
    h.answer = greedyAnswer(project, step);
    switch (step.problem) {
    case StepProblem::None:
        text.message = head
            + QStringLiteral("%1 เสียค่าใช้จ่ายเพิ่ม %2 โครงการเหลือ %3 ถูกต้อง")
                  .arg(choice, baht(step.expectedCost), inUnits(step.expectedDuration));
        h.nudge = QStringLiteral("ขั้นนี้ถูกแล้ว ทำขั้นต่อไปได้");
        break;
    case StepProblem::AfterTarget:
        text.message = head
            + QStringLiteral("โครงการใช้เวลา %1 ถึงเป้าหมาย %2 แล้ว ไม่ต้องเร่งอีก")
                  .arg(inUnits(step.durationBefore), inUnits(step.target));
        h.nudge = QStringLiteral("เทียบระยะเวลาโครงการตอนนี้กับเป้าหมาย");
        h.rule = QStringLiteral("เร่งโครงการเฉพาะเมื่อระยะเวลาโครงการ (%1) ยังยาวกว่าเป้าหมาย (%2)")
                     .arg(inUnits(step.durationBefore), inUnits(step.target));
        break;
    case StepProblem::NothingShortened:
        text.message = head + QStringLiteral("ยังไม่ได้เลือกกิจกรรมที่จะลด");
        h.nudge = QStringLiteral("เลือกกิจกรรมวิกฤตที่จะลดในขั้นนี้ กิจกรรมวิกฤตตอนนี้คือ %1")
                      .arg(namesOf(project, step.criticalBefore));
        break;
    case StepProblem::UnknownActivity:
        text.message = head + QStringLiteral("กิจกรรม%1 ไม่มีในโครงการ").arg(a);
        h.nudge = QStringLiteral("ตรวจรายการกิจกรรมที่เลือกอีกครั้ง: เลือกได้เฉพาะกิจกรรมของโครงการ");
        break;
    case StepProblem::Repeated:
        text.message = head + QStringLiteral("เลือก %1 ซ้ำ: ในแต่ละขั้นกิจกรรมหนึ่งเลือกได้ครั้งเดียว").arg(a);
        h.nudge = QStringLiteral("ตรวจรายการกิจกรรมที่เลือกอีกครั้ง: %1 อยู่ในรายการสองครั้ง").arg(a);
        break;
    case StepProblem::NotPositive:
        text.message = head
            + QStringLiteral("ลด %1 %2: ต้องลดอย่างน้อย 1 %3")
                  .arg(a, inUnits(unitsOf(step, step.activity)), unitWord());
        h.nudge = QStringLiteral("จำนวน%1ที่ลดต้องเป็นจำนวนเต็มบวก").arg(unitWord());
        break;
    case StepProblem::BelowCrash: {
        const auto k = static_cast<std::size_t>(step.activity);
        const Duration now = step.durationsBefore.at(k);
        const Duration crash = project.activities.at(k).crashDuration;
        text.message = head
            + QStringLiteral("%1 ตอนนี้ใช้ %2 ลดได้อีกเพียง %3 (เวลาเร่งสุด %4) แต่ลด %5")
                  .arg(a, inUnits(now), inUnits(step.allowedUnits), inUnits(crash),
                       inUnits(unitsOf(step, step.activity)));
        h.nudge = QStringLiteral("ดูเวลาเร่งสุดของ %1: ลดให้สั้นกว่านั้นไม่ได้").arg(a);
        h.rule = QStringLiteral("ลดได้อีก = เวลาตอนนี้ - เวลาเร่งสุด = %1 - %2 = %3")
                     .arg(now)
                     .arg(crash)
                     .arg(inUnits(step.allowedUnits));
        break;
    }
    case StepProblem::UnequalUnits:
        text.message = head
            + QStringLiteral("%1: ในขั้นเดียวกันต้องลดทุกกิจกรรมเท่ากัน แต่ %2 ลด %3 ส่วน %4 ลด %5")
                  .arg(choice, a, inUnits(unitsOf(step, step.activity)),
                       activityName(project, step.shorten.front().first),
                       inUnits(step.shorten.front().second));
        h.nudge = QStringLiteral("ในแต่ละขั้น ทุกกิจกรรมที่เลือกลดเท่ากัน");
        break;
    case StepProblem::PathNotShortened:
        text.message = head
            + QStringLiteral("%1 แต่เส้นทางวิกฤต %2 ไม่มีกิจกรรมที่เลือกเลย จึงไม่สั้นลง "
                             "โครงการยังใช้เวลา %3 เท่าเดิม")
                  .arg(choice, pathName(project, step.path), inUnits(step.durationBefore));
        h.nudge = QStringLiteral("ทุกเส้นทางวิกฤตต้องสั้นลงพร้อมกัน: ดูเส้นทาง %1")
                      .arg(pathName(project, step.path));
        h.rule += QStringLiteral("; เส้นทาง %1 ยาว %2 และไม่มี %3 อยู่เลย")
                      .arg(pathName(project, step.path), inUnits(step.durationBefore),
                           namesOf(project, chosen));
        break;
    case StepProblem::NonCritical:
        text.message = head
            + QStringLiteral("%1 ไม่อยู่บนเส้นทางวิกฤต (มีเวลาลอย %2) ลดไปก็เสียเงินเปล่า "
                             "โครงการไม่สั้นลงเพราะมัน")
                  .arg(a, inUnits(step.activityFloat));
        h.nudge = QStringLiteral("ลดเฉพาะกิจกรรมบนเส้นทางวิกฤต กิจกรรมวิกฤตตอนนี้คือ %1")
                      .arg(namesOf(project, step.criticalBefore));
        break;
    case StepProblem::NotCheapest:
        text.message = head
            + QStringLiteral("%1 เสียค่าเร่ง %2 แต่มีชุดที่ถูกกว่า: %3 เสียเพียง %4")
                  .arg(choice, bahtPerUnit(step.givenPerUnit), namesOf(project, step.cheapestSet),
                       bahtPerUnit(step.cheapestPerUnit));
        h.nudge
            = QStringLiteral("เทียบค่าเร่งต่อ%1ของชุดกิจกรรมอื่นที่ทำให้เส้นทางวิกฤตทุกเส้นสั้นลง").arg(unitWord());
        h.rule += QStringLiteral("; ชุดที่เลือก: %1; ชุดที่ถูกที่สุด: %2")
                      .arg(costSum(project, chosen), costSum(project, step.cheapestSet));
        break;
    case StepProblem::TooManyUnits:
        text.message = head
            + QStringLiteral("%1 มากเกินไป: ขั้นนี้ลดได้มากที่สุด %2 ")
                  .arg(choice, inUnits(step.allowedUnits))
            + (step.path.empty()
                   ? QStringLiteral("เพราะเมื่อนั้นโครงการถึงเป้าหมาย %1 แล้ว").arg(inUnits(step.target))
                   : QStringLiteral("เพราะเมื่อนั้นเส้นทาง %1 กลายเป็นเส้นทางวิกฤต")
                         .arg(pathName(project, step.path)));
        h.nudge = QStringLiteral("ลดทีละน้อย: ดูว่าเมื่อใดเส้นทางอื่นจะยาวเท่าเส้นทางวิกฤต "
                                 "และเมื่อใดจะถึงเป้าหมาย");
        h.rule = limitRule(project, step);
        break;
    case StepProblem::WrongCost:
        text.message = head
            + QStringLiteral("ค่าใช้จ่ายของขั้นนี้คือ %1 ไม่ใช่ %2")
                  .arg(baht(step.expectedCost), baht(step.givenCost.value_or(0)));
        h.nudge
            = QStringLiteral("ค่าใช้จ่าย = จำนวน%1ที่ลด × ค่าเร่งต่อ%1ของกิจกรรมที่เลือกรวมกัน").arg(unitWord());
        h.rule
            = QStringLiteral("ค่าใช้จ่าย = %1 × (%2)").arg(step.units).arg(costSum(project, chosen));
        h.answer
            = QStringLiteral("ค่าใช้จ่ายของขั้นที่ %1 = %2").arg(step.number).arg(baht(step.expectedCost));
        break;
    case StepProblem::WrongDuration:
        text.message = head
            + QStringLiteral("หลังขั้นนี้โครงการเหลือ %1 ไม่ใช่ %2")
                  .arg(inUnits(step.expectedDuration), inUnits(step.givenDuration.value_or(0)));
        h.nudge = QStringLiteral("หาเส้นทางที่ยาวที่สุดใหม่หลังลดเวลาของกิจกรรมที่เลือก");
        h.rule = QStringLiteral("ระยะเวลาโครงการ = ความยาวของเส้นทางที่ยาวที่สุดหลัง%1 = %2")
                     .arg(choice, inUnits(step.expectedDuration));
        h.answer = QStringLiteral("ระยะเวลาโครงการหลังขั้นที่ %1 = %2")
                       .arg(step.number)
                       .arg(inUnits(step.expectedDuration));
        break;
    }
    return text;
}

ItemText targetText(const engine::CrashingCheck &check)
{
    ItemText text;
    const QString range = QStringLiteral("ระหว่าง %1 (เร่งทุกกิจกรรมเต็มที่) ถึง %2 (เวลาปกติ)")
                              .arg(inUnits(check.shortestDuration), inUnits(check.normalDuration));
    const Duration target = check.givenTarget.value_or(0);
    switch (check.target) {
    case engine::Verdict::Right:
    case engine::Verdict::RightFromOwn:
        text.message = QStringLiteral("เป้าหมาย %1 อยู่%2 เร่งได้").arg(inUnits(target), range);
        break;
    case engine::Verdict::Wrong:
        text.message = target < check.shortestDuration
            ? QStringLiteral("เป้าหมาย %1 สั้นกว่าเวลาที่สั้นที่สุดที่เร่งได้ %2")
                  .arg(inUnits(target), inUnits(check.shortestDuration))
            : QStringLiteral("เป้าหมาย %1 ยาวกว่าเวลาปกติของโครงการ %2 จึงไม่ต้องเร่ง")
                  .arg(inUnits(target), inUnits(check.normalDuration));
        break;
    case engine::Verdict::Unanswered:
        text.message = QStringLiteral("ยังไม่ได้กำหนดเป้าหมายของการเร่ง");
        break;
    }
    text.hints.nudge = QStringLiteral("เป้าหมายต้องเป็นระยะเวลาที่เร่งโครงการไปถึงได้");
    text.hints.rule = QStringLiteral("เป้าหมายอยู่ได้%1").arg(range);
    text.hints.answer = QStringLiteral("เลือกเป้าหมายตั้งแต่ %1 ถึง %2 %3")
                            .arg(check.shortestDuration)
                            .arg(check.normalDuration)
                            .arg(unitWord());
    return text;
}

QString totalsText(const engine::CrashingCheck &check)
{
    if (check.target != engine::Verdict::Right)
        return QStringLiteral("ยังตรวจการเร่งไม่ได้จนกว่าจะกำหนดเป้าหมายที่เร่งได้");
    const Duration target = check.givenTarget.value_or(0);
    const QString reached = check.reachedTarget
        ? QStringLiteral("โครงการเหลือ %1 ถึงเป้าหมาย %2 แล้ว")
              .arg(inUnits(check.reachedDuration), inUnits(target))
        : QStringLiteral("โครงการเหลือ %1 ยังไม่ถึงเป้าหมาย %2")
              .arg(inUnits(check.reachedDuration), inUnits(target));
    return reached
        + QStringLiteral(": ค่าใช้จ่ายเพิ่มจากขั้นของคุณ %1; เร่งทีละขั้นแบบตำราถึงเป้าหมายเสีย %2; "
                         "ค่าใช้จ่ายเพิ่มต่ำสุดที่เป็นไปได้สำหรับ %3 คือ %4")
              .arg(baht(check.studentTotal), baht(check.greedyTotal), inUnits(target),
                   baht(check.leastCost));
}

} // namespace trainer
