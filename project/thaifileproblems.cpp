// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "thaifileproblems.h"

#include "money.h"
#include "projectanalysis.h"
#include "thaiproblems.h"
#include "thaitext.h"

#include <QRegularExpression>

#include <algorithm>
#include <numeric>

namespace project {

namespace {

QString quotedText(const QString &text)
{
    return u'\'' + text + u'\'';
}

// numerator / (100 * denominator) Baht in lowest terms, e.g. "100/3".
QString bahtFraction(std::int64_t numerator, std::int64_t denominator)
{
    const std::int64_t below = 100 * denominator;
    const std::int64_t divisor = std::max<std::int64_t>(1, std::gcd(numerator, below));
    return QStringLiteral("%1/%2").arg(numerator / divisor).arg(below / divisor);
}

bool isCsvFile(const QString &file)
{
    return file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

QString thaiPlace(const io::Place &place)
{
    QStringList parts;
    if (!place.file.isEmpty())
        parts << place.file;
    if (place.line > 0) {
        parts << QStringLiteral("บรรทัด %1").arg(place.line);
        if (place.column > 0)
            parts << QStringLiteral("ตำแหน่ง %1").arg(place.column);
    }
    if (!place.activity.isEmpty())
        parts << QStringLiteral("กิจกรรม %1").arg(place.activity);
    else if (place.activityNumber > 0)
        parts << QStringLiteral("กิจกรรมที่ %1").arg(place.activityNumber);
    if (!place.field.isEmpty())
        parts << (isCsvFile(place.file) ? QStringLiteral("คอลัมน์ %1") : QStringLiteral("ช่อง %1"))
                     .arg(place.field);
    return parts.join(u' ') + QStringLiteral(": ");
}

// The estimate column a CSV column or .crashkit key names, or -1.
int estimateColumnOf(const QString &field)
{
    if (field == u"optimistic")
        return OptimisticColumn;
    if (field == u"most_likely")
        return MostLikelyColumn;
    if (field == u"pessimistic")
        return PessimisticColumn;
    return -1;
}

// What the value under a file's column, key or element is, in the table's words where the
// table has the same value; empty where the place says enough.
QString fieldNoun(const QString &field)
{
    if (field == u"normal_duration")
        return thaiValueNoun(NormalDurationColumn);
    if (field == u"crash_duration")
        return thaiValueNoun(CrashDurationColumn);
    if (field == u"crash_cost_per_unit")
        return thaiValueNoun(CostPerUnitColumn);
    if (field == u"normal_cost")
        return QStringLiteral("ค่าใช้จ่ายปกติ");
    if (field == u"crash_cost")
        return QStringLiteral("ค่าใช้จ่ายเมื่อเร่ง");
    if (field == u"target_duration")
        return QStringLiteral("ระยะเวลาเป้าหมาย");
    if (field.compare(u"duration", Qt::CaseInsensitive) == 0)
        return QStringLiteral("ระยะเวลา");
    if (field == u"UID" || field == u"id")
        return QStringLiteral("รหัสงาน");
    if (field == u"PredecessorUID")
        return QStringLiteral("รหัสงานก่อนหน้า");
    if (const int column = estimateColumnOf(field); column >= 0)
        return thaiEstimateColumnName(column);
    return {};
}

QString thaiTypeName(io::ValueType type)
{
    switch (type) {
    case io::ValueType::Text:
        return QStringLiteral("ข้อความ");
    case io::ValueType::WholeNumber:
        return QStringLiteral("จำนวนเต็ม");
    case io::ValueType::Amount:
        return QStringLiteral("จำนวนเงิน (บาท)");
    case io::ValueType::Number:
        return QStringLiteral("ตัวเลข");
    case io::ValueType::List:
        return QStringLiteral("รายการ [ ]");
    case io::ValueType::ListOfTexts:
        return QStringLiteral("รายการของข้อความ");
    case io::ValueType::Object:
        return QStringLiteral("ออบเจกต์ { }");
    case io::ValueType::TrueFalse:
        return QStringLiteral("ค่าจริงหรือเท็จ");
    case io::ValueType::Null:
        return QStringLiteral("ค่าว่าง");
    case io::ValueType::TextOrObject:
        return QStringLiteral("ข้อความหรือออบเจกต์ { }");
    }
    return {};
}

// The readers name a link's type and lag in English words of their own rather than the
// file's ("start to start", "3 days", "480 minutes (LinkLag 4800, LagFormat 7)"); these are
// those words in Thai, and anything else as given.
QString thaiLinkType(io::LinkType type)
{
    return io::thaiLinkTypeName(io::engineLinkType(type));
}

// The codes a file gives the link types, each with its meaning: "2 (เสร็จ-เริ่ม), ...".
QString thaiLinkTypeCodes(const QStringList &codes)
{
    QStringList named;
    for (qsizetype i = 0;
         i < codes.size() && i <= static_cast<qsizetype>(io::LinkType::StartFinish); ++i)
        named << QStringLiteral("%1 (%2)").arg(codes[i],
                                               thaiLinkType(static_cast<io::LinkType>(i)));
    return named.join(QStringLiteral(", "));
}

QString thaiLag(const QString &lag)
{
    static const QRegularExpression days(QStringLiteral("^(.*) days$"));
    static const QRegularExpression minutes(QStringLiteral("^(\\S+) minutes (\\(LinkLag .*\\))$"));
    if (const QRegularExpressionMatch m = days.match(lag); m.hasMatch())
        return m.captured(1) + u' ' + thaiUnitWord(engine::TimeUnit::Day);
    if (const QRegularExpressionMatch m = minutes.match(lag); m.hasMatch())
        return m.captured(1) + QStringLiteral(" นาที ") + m.captured(2);
    return lag;
}

// Problems of a value, worded as the table words the same value typed in a cell.
QString valueText(const io::Problem &p)
{
    const int estimate = estimateColumnOf(p.place.field);
    if (p.kind == io::FileProblemKind::NotDecimal)
        return thaiEstimateText(EstimateProblem::NotNumber, fieldNoun(p.place.field), p.value);
    if (estimate >= 0 && p.kind == io::FileProblemKind::NumberTooLarge)
        return thaiEstimateText(EstimateProblem::TooLarge, fieldNoun(p.place.field), p.value);
    return thaiValueText(p.kind, fieldNoun(p.place.field), p.value,
                         p.bound > 0 ? p.bound : engine::kMaxDuration);
}

QString engineText(const io::Problem &p)
{
    return thaiEngineText({.kind = p.engineKind,
                           .id = p.place.activity,
                           .unknownPredecessor = p.value,
                           .cycle = p.names,
                           .activityCount = p.number,
                           .inFile = true});
}

QString linkEnds(const io::Problem &p)
{
    return QStringLiteral("การเชื่อมโยงจาก %1 ไป %2").arg(p.names.value(0), p.names.value(1));
}

QString whatText(const io::Problem &p)
{
    using Kind = io::FileProblemKind;
    const QString value = quotedText(p.value);
    switch (p.kind) {
    case Kind::UnknownExtension:
        return (p.value.isEmpty() ? QStringLiteral("ชื่อไฟล์ไม่มีนามสกุล")
                                  : QStringLiteral("ไม่รู้จักไฟล์นามสกุล %1").arg(value))
            + QStringLiteral(": โปรแกรมนี้เปิดและบันทึกไฟล์ .csv และ .crashkit ได้ "
                             "และเปิดไฟล์ .xml ของ Microsoft Project และ .gan ของ GanttProject ได้");
    case Kind::FileMissing:
        return QStringLiteral("ไม่พบไฟล์นี้");
    case Kind::NotRegularFile:
        return QStringLiteral("ไม่ใช่ไฟล์ธรรมดา (อาจเป็นโฟลเดอร์หรืออุปกรณ์)");
    case Kind::FileTooLarge:
        return QStringLiteral("ไฟล์มีขนาด %1 ไบต์ โปรแกรมไม่อ่านไฟล์ที่ใหญ่เกิน %2 ไบต์ (%3 เมกะไบต์)")
            .arg(p.number)
            .arg(p.bound)
            .arg(p.bound >> 20);
    case Kind::CannotRead:
        return QStringLiteral("อ่านไฟล์ไม่ได้: %1").arg(p.value);
    case Kind::CannotSave:
        return QStringLiteral("บันทึกไฟล์ไม่ได้: %1").arg(p.value);
    case Kind::TextNotUtf8:
        return QStringLiteral("ข้อความนี้ไม่ได้เข้ารหัสแบบ UTF-8 จึงบันทึกไม่ได้");
    case Kind::Utf16Text:
        return QStringLiteral("ไฟล์นี้เป็นข้อความแบบ UTF-16: บันทึกใหม่เป็น UTF-8 "
                              "(ใน Excel เลือกชนิดไฟล์ \"CSV UTF-8\")");
    case Kind::InvalidUtf8:
        return QStringLiteral("ไบต์ 0x%1 ไม่ใช่ข้อความแบบ UTF-8: บันทึกไฟล์ใหม่เป็น UTF-8")
            .arg(p.number, 2, 16, QChar(u'0'));
    case Kind::LoneSurrogate:
        return QStringLiteral("%1 เป็นรหัสตัวอักษรแบบ UTF-16 เพียงครึ่งคู่ (ขาดอีกครึ่งหนึ่ง) "
                              "จึงไม่ใช่ตัวอักษรจริง: ให้พิมพ์ตัวอักษรนั้นลงไปเลย "
                              "หรือเขียนรหัสให้ครบทั้งคู่")
            .arg(value);
    case Kind::EmptyFile:
        return QStringLiteral("ไฟล์ว่างเปล่า: บรรทัดแรกต้องเป็นชื่อคอลัมน์ (%1)")
            .arg(p.names.join(QStringLiteral(", ")));
    case Kind::UnknownColumn:
        return QStringLiteral("ไม่รู้จักคอลัมน์ %1: คอลัมน์ที่ใช้ได้คือ %2")
            .arg(value, p.names.join(QStringLiteral(", ")));
    case Kind::DuplicateColumn:
        return QStringLiteral("มีคอลัมน์ %1 ซ้ำกัน").arg(value);
    case Kind::UnnamedColumn:
        return QStringLiteral("คอลัมน์ที่ %1 ของหัวตารางไม่มีชื่อ").arg(p.number);
    case Kind::MissingColumn:
        return QStringLiteral("หัวตารางไม่มีคอลัมน์ %1").arg(value);
    case Kind::BothCostForms:
        return QStringLiteral("ให้ค่าเร่งแบบใดแบบหนึ่งเท่านั้น: คอลัมน์ crash_cost_per_unit "
                              "หรือคอลัมน์ normal_cost กับ crash_cost ไม่ใช่ทั้งสองแบบ");
    case Kind::NoCostForm:
        return QStringLiteral("ไม่มีค่าเร่ง: ใส่คอลัมน์ crash_cost_per_unit "
                              "หรือคอลัมน์ normal_cost กับ crash_cost");
    case Kind::UnterminatedQuote:
        return QStringLiteral("ช่องข้อมูลที่เริ่มด้วยเครื่องหมายคำพูด (\") ตรงนี้ "
                              "ไม่มีเครื่องหมายคำพูดปิด");
    case Kind::StrayQuote:
        return QStringLiteral(
            "มีเครื่องหมายคำพูด (\") ในช่องข้อมูลที่ไม่ได้เริ่มด้วยเครื่องหมายคำพูด: "
            "ให้ครอบทั้งช่องด้วยเครื่องหมายคำพูด และเขียนเครื่องหมายคำพูดข้างในเป็นสองตัว (\"\")");
    case Kind::TextAfterQuote:
        return QStringLiteral("มีข้อความต่อท้ายเครื่องหมายคำพูดปิดของช่องข้อมูล");
    case Kind::FieldCount:
        return QStringLiteral("แถวนี้มี %1 ช่อง แต่หัวตารางมี %2 คอลัมน์").arg(p.number).arg(p.bound);
    case Kind::MissingValue:
    case Kind::NotWholeNumber:
    case Kind::DurationNotWhole:
    case Kind::NegativeDuration:
    case Kind::NumberTooLarge:
    case Kind::NotAmount:
    case Kind::AmountGrouped:
    case Kind::AmountTooPrecise:
    case Kind::AmountExponent:
    case Kind::AmountCurrency:
    case Kind::AmountTooLarge:
    case Kind::NegativeAmount:
    case Kind::NotDecimal:
        return valueText(p);
    case Kind::EstimatesIncomplete:
        return thaiEstimateText(EstimateProblem::Missing, p.names.join(QStringLiteral(" และ ")),
                                {});
    case Kind::LinkLagNotWhole:
        return QStringLiteral("เวลาหน่วงใน %1 ไม่ใช่จำนวนเต็ม: เวลาหน่วงต้องเป็นจำนวนเต็มของหน่วยเวลา "
                              "และมีเครื่องหมาย + หรือ - นำหน้า")
            .arg(value);
    case Kind::LinkLagTooLarge:
        return QStringLiteral("เวลาหน่วงใน %1 ต้องอยู่ระหว่าง -%2 ถึง %2 หน่วยเวลา")
            .arg(value, QString::number(p.bound));
    case Kind::LinkLagWithoutSign:
        return QStringLiteral("เวลาหน่วงใน %1 ไม่มีเครื่องหมาย: ใส่ + (เวลาหน่วง) "
                              "หรือ - (ล่วงหน้า) หน้าตัวเลข")
            .arg(value);
    case Kind::UnknownTimeUnit:
        return QStringLiteral("ไม่รู้จักหน่วยเวลา %1: หน่วยเวลาที่ใช้ได้คือ %2")
            .arg(value, p.names.join(QStringLiteral(", ")));
    case Kind::TimeUnitDiffers:
        return QStringLiteral("หน่วยเวลา %1 ไม่ตรงกับ %2 ที่ระบุไว้ในบรรทัด %3: "
                              "โครงการหนึ่งใช้หน่วยเวลาเดียวกันทั้งโครงการ")
            .arg(value, quotedText(p.names.value(0)), QString::number(p.number));
    case Kind::CrashCostBelowNormal:
        return QStringLiteral("ค่าใช้จ่ายเมื่อเร่ง %1 บาท น้อยกว่าค่าใช้จ่ายปกติ %2 บาท: "
                              "เร่งแล้วค่าใช้จ่ายต้องไม่ลดลง")
            .arg(bahtFigure(p.number), bahtFigure(p.bound));
    case Kind::CostsDifferWithoutShortening:
        return QStringLiteral("กิจกรรมนี้เร่งไม่ได้ (เวลาเร่งเท่ากับเวลาปกติ) "
                              "แต่ค่าใช้จ่ายเมื่อเร่ง %1 บาท ไม่เท่ากับค่าใช้จ่ายปกติ %2 บาท")
            .arg(bahtFigure(p.number), bahtFigure(p.bound));
    case Kind::SlopeRounded:
        return QStringLiteral("ค่าเร่งต่อหน่วยเวลา (%1 บาท ÷ %2 %3 = %4 บาทต่อ%3) "
                              "ไม่ลงตัวเป็นสตางค์ จึงปัดเป็น %5 บาท")
            .arg(bahtFigure(p.number))
            .arg(p.bound)
            .arg(thaiUnitWord(engine::TimeUnit::Day), bahtFraction(p.number, p.bound),
                 bahtFigure(p.rounded));
    case Kind::JsonSyntax:
        return QStringLiteral("ไม่ใช่ JSON ที่ถูกต้อง: %1").arg(p.value);
    case Kind::NotProjectFile:
        return p.value.isEmpty()
            ? QStringLiteral("ไม่ใช่ไฟล์โครงการของ Crashkit "
                             "(ไม่มี \"format\": \"crashkit-project\")")
            : QStringLiteral("ไม่ใช่ไฟล์โครงการของ Crashkit (ไฟล์นี้ระบุเป็น %1)").arg(p.value);
    case Kind::NewerVersion:
        return QStringLiteral("ไฟล์นี้สร้างด้วย Crashkit รุ่นที่ใหม่กว่า "
                              "(ไฟล์รุ่น %1 แต่โปรแกรมนี้อ่านได้ถึงรุ่น %2)")
            .arg(p.number)
            .arg(p.bound);
    case Kind::BadVersion:
        return QStringLiteral("%1 ไม่ใช่เลขรุ่นของไฟล์ (1, 2, ...)").arg(p.value);
    case Kind::MissingKey:
        return QStringLiteral("ไม่พบช่องนี้ ซึ่งจำเป็นต้องมี");
    case Kind::UnknownKey:
        return QStringLiteral("ไม่รู้จักช่องนี้: ช่องที่ใช้ได้ตรงนี้คือ %1")
            .arg(p.names.join(QStringLiteral(", ")));
    case Kind::WrongType:
        return QStringLiteral("%1 เป็น%2 แต่ต้องเป็น%3")
            .arg(p.value, thaiTypeName(p.found), thaiTypeName(p.expected));
    case Kind::NeedsNewerVersion:
        return QStringLiteral("ข้อมูลนี้ต้องใช้ไฟล์รุ่น %1 ขึ้นไป แต่ไฟล์นี้เป็นรุ่น %2: "
                              "ให้แก้เลขรุ่นของไฟล์เป็น %1")
            .arg(p.bound)
            .arg(p.number);
    case Kind::Engine:
        return engineText(p);
    case Kind::XmlSyntax:
        return QStringLiteral("ไม่ใช่ XML ที่ถูกต้อง: %1").arg(p.value);
    case Kind::XmlDoctype:
        return QStringLiteral("ไฟล์มี DOCTYPE ซึ่งอาจใช้ประกาศเอนทิตีได้ "
                              "ไฟล์แผนงานไม่มีส่วนนี้ จึงไม่อ่านไฟล์นี้");
    case Kind::XmlTooDeep:
        return QStringLiteral("แท็กซ้อนกันลึกเกิน %1 ชั้น").arg(p.bound);
    case Kind::NotPlanFile:
        return (p.value.isEmpty() ? QStringLiteral("ไฟล์ไม่มีแท็กแรก")
                                  : QStringLiteral("แท็กแรกของไฟล์คือ <%1>").arg(p.value))
            + QStringLiteral(" ไม่ใช่ <%1>: ไฟล์นี้ไม่ใช่ไฟล์ของโปรแกรมวางแผนงานที่นามสกุลไฟล์บอก")
                  .arg(p.names.value(0));
    case Kind::TooManyTasks:
        return QStringLiteral("ไฟล์มีงานมากกว่า %1 งาน").arg(p.bound);
    case Kind::BadTaskDuration:
        return QStringLiteral("%1 ไม่ใช่ระยะเวลาที่โปรแกรมนี้อ่านได้ "
                              "(ระยะเวลาต้องเขียนเป็นชั่วโมง เช่น PT16H0M0S)")
            .arg(value);
    case Kind::TaskDurationTooLong:
        return QStringLiteral("ระยะเวลา %1 ยาวเกิน %2 %3 ซึ่งเป็นระยะเวลาที่ยาวที่สุดที่กิจกรรมหนึ่งมีได้")
            .arg(value)
            .arg(p.bound)
            .arg(thaiUnitWord(p.unit));
    case Kind::DuplicateTaskId:
        return QStringLiteral("มีงานก่อนหน้านี้ที่ใช้รหัส %1 แล้ว").arg(value);
    case Kind::UnknownLinkTask:
        return QStringLiteral("การเชื่อมโยงอ้างถึงงาน %1 ซึ่งไม่มีในไฟล์").arg(value);
    case Kind::LinkLagRefused:
        return QStringLiteral("%1 มีเวลาหน่วง %2 ซึ่งเป็นเวลาตามปฏิทิน เป็นร้อยละ หรือมีเศษของนาที: "
                              "อ่านได้เฉพาะเวลาหน่วงที่เป็นเวลาทำงานเต็มนาที")
            .arg(linkEnds(p), thaiLag(p.value));
    case Kind::UnknownLinkType:
        return QStringLiteral("ไม่รู้จักชนิดการเชื่อมโยง %1: ชนิดที่มีคือ %2")
            .arg(value, thaiLinkTypeCodes(p.names));
    case Kind::LinkTypeRefused:
        return QStringLiteral("%1 เป็นแบบ%2 ซึ่งผูกการเริ่มของงานสรุปกับงานถัดไป "
                              "หรือผูกการเสร็จของงานสรุปกับงานก่อนหน้า "
                              "จึงขึ้นกับว่างานย่อยใดเริ่มก่อนหรือเสร็จหลังสุด: "
                              "ให้เชื่อมโยงงานย่อยเหล่านั้นแทน")
            .arg(linkEnds(p), thaiLinkType(p.linkType));
    case Kind::SummaryLinkInexact:
        return QStringLiteral("%1 เชื่อมงานสรุปกับงานที่อยู่ข้างในงานสรุปนั้นเอง "
                              "หรือกับงานสรุปที่งานข้างในทุกงานรอกันเอง "
                              "จึงแปลงเป็นการเชื่อมโยงระหว่างกิจกรรมไม่ได้")
            .arg(linkEnds(p));
    case Kind::TooManyLinks:
        return QStringLiteral("การเชื่อมโยงของงานสรุปทำให้เกิดการเชื่อมโยงระหว่างกิจกรรมมากกว่า %1 "
                              "เส้น")
            .arg(p.bound);
    case Kind::ImportOnly:
        return QStringLiteral("ไฟล์ %1 เปิดอ่านได้อย่างเดียว: บันทึกเป็น .crashkit หรือ .csv แทน")
            .arg(p.value);
    case Kind::CrashDataMissing:
        return QStringLiteral("ไฟล์ไม่มีเวลาเร่งและค่าเร่ง: "
                              "ต้องใส่ให้ครบก่อนจึงจะเร่งกิจกรรมนี้ได้");
    case Kind::FixedDatesIgnored:
        return QStringLiteral("ไฟล์กำหนดวันของงานนี้ไว้ (%1) แต่ที่นี่จัดตารางตามความสัมพันธ์กับงานอื่นเท่านั้น")
            .arg(value);
    case Kind::DurationNotWholeMinutes:
        return QStringLiteral("ระยะเวลา %1 ไม่ลงตัวเป็นจำนวนเต็มนาที").arg(value);
    case Kind::TaskSplit:
        return QStringLiteral("งานนี้ถูกแบ่งเป็นช่วง: ทำงานแล้วหยุดไว้แล้วทำต่อภายหลัง "
                              "ซึ่งกิจกรรมเดียวทำไม่ได้ ให้รวมเป็นช่วงเดียวหรือแยกแต่ละช่วงเป็นงานของตัวเอง");
    case Kind::TimeUnitChosen:
        if (p.unit == engine::TimeUnit::Week)
            return QStringLiteral("ระยะเวลาและเวลาหน่วงทุกค่าลงตัวเป็นจำนวนเต็มสัปดาห์ "
                                  "(สัปดาห์ละ %1 นาที) โครงการนี้จึงนับเวลาเป็นสัปดาห์")
                .arg(p.bound);
        return QStringLiteral("ระยะเวลาหรือเวลาหน่วงบางค่าไม่ลงตัวเป็นจำนวนเต็มวัน (วันละ %1 นาที) "
                              "โครงการนี้จึงนับเวลาเป็น%2")
            .arg(p.number)
            .arg(thaiUnitWord(p.unit));
    case Kind::NotAnswersFile:
        return QStringLiteral("ไม่ใช่ไฟล์คำตอบ (ไฟล์คำตอบเป็นออบเจกต์ JSON ของคำตอบ)");
    case Kind::UnknownAnswerActivity:
        return QStringLiteral("โครงการไม่มีกิจกรรม %1").arg(value);
    case Kind::RepeatedAnswer:
        return QStringLiteral("ตารางเวลามีแถวของกิจกรรม %1 แล้ว").arg(value);
    case Kind::AnswersWithoutProject:
        return QStringLiteral("ไฟล์คำตอบไม่มีโครงการอยู่ด้วย: ต้องเปิดไฟล์โครงการคู่กับไฟล์คำตอบ");
    }
    return QStringLiteral("ไฟล์นี้มีข้อมูลที่ไม่ถูกต้อง");
}

} // namespace

QString thaiFileProblem(const io::Problem &problem)
{
    return thaiPlace(problem.place) + whatText(problem);
}

QString thaiProblemListText(const io::ProblemList &problems, int shown)
{
    QStringList lines;
    for (const io::Problem &problem : problems.kept()) {
        if (lines.size() >= shown)
            break;
        lines << thaiFileProblem(problem);
    }
    const std::int64_t rest = problems.count() - lines.size();
    if (rest > 0)
        lines << QStringLiteral("และอีก %1 รายการ").arg(rest);
    return lines.join(u'\n');
}

} // namespace project
