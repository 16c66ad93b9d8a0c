// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "thaiproblems.h"

#include "money.h"
#include "projectanalysis.h"
#include "thaitext.h"

namespace project {

namespace {

QString quotedValue(const QString &text)
{
    return u'\'' + io::shownValue(QStringView(text)) + u'\'';
}

// The subject of a sentence about a value: what it is, or the cell it is in.
QString subjectOf(const QString &noun)
{
    return noun.isEmpty() ? QStringLiteral("ค่าในช่องนี้") : noun;
}

// A blank between Thai text and a noun that begins in Latin letters (a file's column name).
QString spacedNoun(const QString &noun)
{
    return !noun.isEmpty() && noun.front().unicode() < 0x80 ? u' ' + noun : noun;
}

const engine::Activity *activityAt(const engine::Project &project, int activity)
{
    if (activity < 0 || static_cast<std::size_t>(activity) >= project.activities.size())
        return nullptr;
    return &project.activities[static_cast<std::size_t>(activity)];
}

QString shownId(const std::string &id)
{
    return io::shownValue(std::string_view(id));
}

} // namespace

QString thaiColumnName(int column)
{
    switch (column) {
    case IdColumn:
        return QStringLiteral("รหัสกิจกรรม");
    case NameColumn:
        return QStringLiteral("ชื่อกิจกรรม");
    case PredecessorsColumn:
        return QStringLiteral("กิจกรรมก่อนหน้า");
    case NormalDurationColumn:
        return QStringLiteral("เวลาปกติ");
    case CrashDurationColumn:
        return QStringLiteral("เวลาเร่ง");
    case CostPerUnitColumn:
        return QStringLiteral("ค่าเร่งต่อหน่วยเวลา (บาท)");
    default:
        return {};
    }
}

QString thaiColumnHint(int column)
{
    switch (column) {
    case IdColumn:
        return QStringLiteral("รหัสสั้น ๆ ที่ไม่ซ้ำกัน เช่น A, B, C");
    case NameColumn:
        return QStringLiteral("คำอธิบายกิจกรรม เว้นว่างได้");
    case PredecessorsColumn:
        return QStringLiteral("รหัสของกิจกรรมก่อนหน้า คั่นด้วย , หรือ ; "
                              "ใส่ - หรือเว้นว่างถ้าไม่มี รหัสเฉย ๆ คือเสร็จ-เริ่มไม่มีเวลาหน่วง "
                              "ความสัมพันธ์แบบอื่นเขียนต่อท้ายรหัส เช่น B FS+2, C SS, D FF-1 "
                              "(FS เสร็จ-เริ่ม, SS เริ่ม-เริ่ม, FF เสร็จ-เสร็จ, SF เริ่ม-เสร็จ; "
                              "+n เวลาหน่วง, -n ล่วงหน้า)");
    case NormalDurationColumn:
        return QStringLiteral("เวลาตามปกติ เป็นจำนวนเต็มหน่วยเวลา (วัน สัปดาห์ ...)");
    case CrashDurationColumn:
        return QStringLiteral("เวลาที่สั้นที่สุดเมื่อเร่งเต็มที่ เป็นจำนวนเต็ม ไม่เกินเวลาปกติ");
    case CostPerUnitColumn:
        return QStringLiteral("ค่าใช้จ่ายที่เพิ่มขึ้นเมื่อเร่งลดเวลาลงหนึ่งหน่วย เป็นบาท "
                              "ทศนิยมไม่เกินสองตำแหน่ง เช่น 1250 หรือ 1250.50");
    default:
        return {};
    }
}

QString thaiValueNoun(int column)
{
    switch (column) {
    case NormalDurationColumn:
        return QStringLiteral("เวลาปกติ");
    case CrashDurationColumn:
        return QStringLiteral("เวลาเร่ง");
    case CostPerUnitColumn:
        return QStringLiteral("ค่าเร่งต่อหน่วยเวลา");
    default:
        return QStringLiteral("ค่าในช่องนี้");
    }
}

QString thaiValueProblem(io::FileProblemKind kind, int column, const QString &typed)
{
    return thaiValueText(kind, thaiValueNoun(column), typed, engine::kMaxDuration);
}

QString thaiValueText(io::FileProblemKind kind, const QString &noun, const QString &typed,
                      std::int64_t largest)
{
    const QString value = quotedValue(typed);
    const QString subject = subjectOf(noun);
    switch (kind) {
    case io::FileProblemKind::MissingValue:
        return QStringLiteral("ยังไม่ได้ใส่%1").arg(subject);
    case io::FileProblemKind::NotWholeNumber:
        return QStringLiteral("%1 ไม่ใช่จำนวนเต็ม").arg(value);
    case io::FileProblemKind::DurationNotWhole:
        return QStringLiteral("%1 ไม่ใช่จำนวนเต็ม: เวลาต้องเป็นจำนวนเต็มหน่วย").arg(value);
    case io::FileProblemKind::NegativeDuration:
        return QStringLiteral("%1 ติดลบ: เวลาต้องเป็น 0 ขึ้นไป").arg(value);
    case io::FileProblemKind::NumberTooLarge:
        return QStringLiteral("%1 มากเกินไป: %2ต้องไม่เกิน %3").arg(value, subject).arg(largest);
    case io::FileProblemKind::NotAmount:
        return QStringLiteral("%1 ไม่ใช่จำนวนเงิน (เขียนแบบ 1250 หรือ 1250.50)").arg(value);
    case io::FileProblemKind::AmountGrouped:
        return QStringLiteral("%1 มีเครื่องหมายคั่น: เขียนตัวเลขติดกันโดยไม่คั่นหลักพัน "
                              "และใช้จุดเป็นทศนิยม เช่น 1250.50")
            .arg(value);
    case io::FileProblemKind::AmountTooPrecise:
        return QStringLiteral("%1 มีทศนิยมเกินสองตำแหน่ง: เงินละเอียดได้ถึงสตางค์เท่านั้น").arg(value);
    case io::FileProblemKind::AmountExponent:
        return QStringLiteral("%1 เขียนแบบเลขยกกำลัง: เขียนเป็นตัวเลขเต็ม เช่น 1500").arg(value);
    case io::FileProblemKind::AmountCurrency:
        return QStringLiteral("%1 มีสัญลักษณ์หรือหน่วยเงิน: ใส่เฉพาะตัวเลข").arg(value);
    case io::FileProblemKind::AmountTooLarge:
        return QStringLiteral("%1 เป็นจำนวนเงินที่มากเกินไป").arg(value);
    case io::FileProblemKind::NegativeAmount:
        return QStringLiteral("%1 ติดลบ: ค่าใช้จ่ายต้องเป็น 0 ขึ้นไป").arg(value);
    default:
        return QStringLiteral("%1 ใช้เป็น%2ไม่ได้").arg(value, subject);
    }
}

QString thaiEngineProblem(const engine::Problem &problem, const engine::Project &project,
                          int otherRow)
{
    EngineProblemFacts facts {.kind = problem.kind,
                              .unknownPredecessor = shownId(problem.detail),
                              .activityCount = static_cast<std::int64_t>(project.activities.size()),
                              .otherRow = otherRow,
                              .activity = activityAt(project, problem.activity)};
    if (facts.activity)
        facts.id = shownId(facts.activity->id);
    for (const int at : problem.cycle) {
        if (const engine::Activity *c = activityAt(project, at))
            facts.cycle << shownId(c->id);
    }
    return thaiEngineText(facts);
}

QString thaiEngineText(const EngineProblemFacts &facts)
{
    const engine::Activity *a = facts.activity;
    const bool known = !facts.id.isEmpty();
    const QString id = quotedValue(facts.id);
    switch (facts.kind) {
    case engine::ProblemKind::TooManyActivities:
        return QStringLiteral("โครงการมี %1 กิจกรรม มากกว่าที่รับได้ (%2 กิจกรรม)")
            .arg(facts.activityCount)
            .arg(engine::kMaxActivities);
    case engine::ProblemKind::EmptyId:
        return QStringLiteral("ยังไม่ได้ใส่รหัสกิจกรรม");
    case engine::ProblemKind::IdTooLong:
        return QStringLiteral("รหัสกิจกรรมยาวเกิน %1 ไบต์").arg(engine::kMaxIdLength);
    case engine::ProblemKind::BadIdCharacter:
        return (known ? QStringLiteral("รหัส %1 ใช้ไม่ได้").arg(id) : QStringLiteral("รหัสนี้ใช้ไม่ได้"))
            + QStringLiteral(": ในรหัสห้ามมีจุลภาค (,) อัฒภาค (;) "
                             "หรืออักขระควบคุม และห้ามขึ้นต้นหรือลงท้ายด้วยช่องว่าง");
    case engine::ProblemKind::NameTooLong:
        return QStringLiteral("ชื่อกิจกรรมยาวเกิน %1 ไบต์").arg(engine::kMaxNameLength);
    case engine::ProblemKind::DuplicateId: {
        const QString subject = known ? QStringLiteral("รหัส %1").arg(id) : QStringLiteral("รหัสนี้");
        return facts.otherRow > 0
            ? QStringLiteral("%1 ซ้ำกับกิจกรรมในแถวที่ %2").arg(subject).arg(facts.otherRow)
            : QStringLiteral("%1 ซ้ำกับกิจกรรมก่อนหน้านี้").arg(subject);
    }
    case engine::ProblemKind::UnknownPredecessor:
        return facts.inFile
            ? QStringLiteral("ไม่มีกิจกรรม %1 ในไฟล์").arg(quotedValue(facts.unknownPredecessor))
            : QStringLiteral("ไม่มีกิจกรรม %1 ในตาราง").arg(quotedValue(facts.unknownPredecessor));
    case engine::ProblemKind::OwnPredecessor:
        return known ? QStringLiteral("กิจกรรม %1 เป็นกิจกรรมก่อนหน้าของตัวเองไม่ได้").arg(id)
                     : QStringLiteral("กิจกรรมเป็นกิจกรรมก่อนหน้าของตัวเองไม่ได้");
    case engine::ProblemKind::LinkTimingCount:
        return QStringLiteral("ชนิดความสัมพันธ์ไม่ครบทุกกิจกรรมก่อนหน้า");
    case engine::ProblemKind::LagTooLarge:
        return QStringLiteral("เวลาหน่วงหลัง %1 ต้องอยู่ระหว่าง -%2 ถึง %2")
            .arg(quotedValue(facts.unknownPredecessor))
            .arg(engine::kMaxLag);
    case engine::ProblemKind::Cycle: {
        QStringList ids = facts.cycle;
        if (!ids.isEmpty())
            ids << ids.front();
        return QStringLiteral("กิจกรรมก่อนหน้าวนเป็นวง: %1").arg(ids.join(QStringLiteral(" → ")));
    }
    case engine::ProblemKind::NegativeNormalDuration:
        return QStringLiteral("เวลาปกติติดลบไม่ได้");
    case engine::ProblemKind::NegativeCrashDuration:
        return QStringLiteral("เวลาเร่งติดลบไม่ได้");
    case engine::ProblemKind::NegativeCost:
        return a ? QStringLiteral("ค่าเร่งต่อหน่วยเวลา %1 บาท ติดลบ: ต้องเป็น 0 ขึ้นไป")
                       .arg(bahtFigure(a->crashCostPerUnit))
                 : QStringLiteral("ค่าเร่งต่อหน่วยเวลาติดลบไม่ได้");
    case engine::ProblemKind::NormalDurationTooLarge:
        return QStringLiteral("เวลาปกติต้องไม่เกิน %1").arg(engine::kMaxDuration);
    case engine::ProblemKind::CrashDurationTooLarge:
        return QStringLiteral("เวลาเร่งต้องไม่เกิน %1").arg(engine::kMaxDuration);
    case engine::ProblemKind::CostTooLarge:
        return QStringLiteral("ค่าเร่งต่อหน่วยเวลาต้องไม่เกิน %1 บาท")
            .arg(bahtFigure(engine::kMaxCostPerUnit));
    case engine::ProblemKind::CrashAboveNormal:
        return a ? QStringLiteral("เวลาเร่ง (%1) มากกว่าเวลาปกติ (%2): เวลาเร่งต้องไม่เกินเวลาปกติ")
                       .arg(a->crashDuration)
                       .arg(a->normalDuration)
                 : QStringLiteral("เวลาเร่งต้องไม่เกินเวลาปกติ");
    case engine::ProblemKind::TotalCrashCostTooLarge:
        return QStringLiteral("ค่าเร่งทุกกิจกรรมจนสุดรวมกันเกิน %1 บาท คำนวณให้ถูกต้องไม่ได้")
            .arg(bahtFigure(engine::kMaxTotalCrashCost));
    case engine::ProblemKind::NegativeTarget:
        return QStringLiteral("ระยะเวลาเป้าหมายติดลบไม่ได้");
    case engine::ProblemKind::EstimateNotFinite:
        return QStringLiteral("เวลาประมาณต้องเป็นตัวเลข");
    case engine::ProblemKind::EstimateNegative:
        return QStringLiteral("เวลาประมาณติดลบไม่ได้");
    case engine::ProblemKind::EstimateTooLarge:
        return QStringLiteral("เวลาประมาณต้องไม่เกิน %1").arg(engine::kMaxDuration);
    case engine::ProblemKind::EstimateOrder:
        return QStringLiteral("เวลาประมาณต้องเรียงจากน้อยไปมาก: "
                              "เวลาเร็วที่สุด ≤ เวลาที่น่าจะเป็นที่สุด ≤ เวลาช้าที่สุด");
    }
    return QStringLiteral("ข้อมูลกิจกรรมนี้ไม่ถูกต้อง");
}

QString thaiNoActivities()
{
    return QStringLiteral("ยังไม่มีกิจกรรม: พิมพ์กิจกรรมลงในตาราง หรือเปิดไฟล์โครงการ");
}

QString thaiLinkNotationProblem(const io::LinkNotationProblem &problem)
{
    const QString item = quotedValue(textOf(problem.item));
    switch (problem.fault) {
    case io::LinkNotationFault::LagNotWhole:
        return QStringLiteral("%1: เวลาหน่วงต้องเป็นจำนวนเต็มของหน่วยเวลา มีเครื่องหมาย + หรือ - "
                              "เช่น B FS+2 หรือ C SS-1")
            .arg(item);
    case io::LinkNotationFault::LagTooLarge:
        return QStringLiteral("%1: เวลาหน่วงต้องอยู่ระหว่าง -%2 ถึง %2").arg(item).arg(engine::kMaxLag);
    case io::LinkNotationFault::LagWithoutSign:
        return QStringLiteral("%1: ใส่ + (เวลาหน่วง) หรือ - (ล่วงหน้า) หน้าตัวเลข เช่น B FS+2").arg(item);
    }
    return item;
}

QString thaiEstimateColumnName(int column)
{
    switch (column) {
    case OptimisticColumn:
        return QStringLiteral("เวลาเร็วที่สุด (a)");
    case MostLikelyColumn:
        return QStringLiteral("เวลาที่น่าจะเป็น (m)");
    case PessimisticColumn:
        return QStringLiteral("เวลาช้าที่สุด (b)");
    default:
        return {};
    }
}

QString thaiEstimateColumnHint(int column)
{
    const QString common = QStringLiteral(" สำหรับ PERT: ใส่ครบทั้งสามช่อง (a ≤ m ≤ b) "
                                          "หรือเว้นว่างทั้งสามช่อง ใส่ทศนิยมได้ เช่น 2.5");
    switch (column) {
    case OptimisticColumn:
        return QStringLiteral("เวลาที่ใช้เมื่อทุกอย่างเป็นไปด้วยดี") + common;
    case MostLikelyColumn:
        return QStringLiteral("เวลาที่น่าจะใช้มากที่สุด") + common;
    case PessimisticColumn:
        return QStringLiteral("เวลาที่ใช้เมื่อเกิดอุปสรรค") + common;
    default:
        return {};
    }
}

QString thaiEstimateProblem(EstimateProblem problem, int column, const QString &typed)
{
    return thaiEstimateText(problem, thaiEstimateColumnName(column), typed);
}

QString thaiEstimateText(EstimateProblem problem, const QString &noun, const QString &typed)
{
    const QString value = quotedValue(typed);
    switch (problem) {
    case EstimateProblem::Missing:
        return QStringLiteral("ยังไม่ได้ใส่%1: ใส่เวลาประมาณให้ครบทั้งสามช่อง "
                              "หรือเว้นว่างทั้งสามช่อง")
            .arg(spacedNoun(noun));
    case EstimateProblem::NotNumber:
        return QStringLiteral("%1 ไม่ใช่ตัวเลข: เขียนแบบ 4 หรือ 2.5 (ใช้จุดเป็นทศนิยม)").arg(value);
    case EstimateProblem::Negative:
        return QStringLiteral("%1 ติดลบ: เวลาต้องเป็น 0 ขึ้นไป").arg(value);
    case EstimateProblem::TooLarge:
        return QStringLiteral("%1 มากเกินไป: เวลาต้องไม่เกิน %2").arg(value).arg(engine::kMaxDuration);
    case EstimateProblem::BelowOptimistic:
        return QStringLiteral("เวลาที่น่าจะเป็น %1 น้อยกว่าเวลาเร็วที่สุด: ต้องได้ a ≤ m ≤ b").arg(value);
    case EstimateProblem::BelowMostLikely:
        return QStringLiteral("เวลาช้าที่สุด %1 น้อยกว่าเวลาที่น่าจะเป็น: ต้องได้ a ≤ m ≤ b").arg(value);
    }
    return QStringLiteral("%1 ใช้เป็นเวลาประมาณไม่ได้").arg(value);
}

} // namespace project
