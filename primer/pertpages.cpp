// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "tform2.h"

#include "controls.h"
#include "fonts.h"
#include "primerwidgets.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>

#include <algorithm>

using namespace primer;
using platform::sarabunFont;

namespace {

// Non-breaking spaces keep each estimate and the formula on one line.
const QString kPertOrigin = QStringLiteral(
    "PERT เป็นเทคนิคการวางแผนและควบคุมโครงการ พัฒนาขึ้นในปี ค.ศ. 1958 โดยกองทัพเรือสหรัฐอเมริกา "
    "ร่วมกับบริษัท Lockheed และ Booz Allen Hamilton เพื่อใช้ในโครงการพัฒนาขีปนาวุธโพลาริส (Polaris) "
    "ซึ่งเป็นงานใหม่ที่ไม่เคยทำมาก่อน เวลาของกิจกรรมจึงไม่แน่นอน PERT จึงประมาณเวลาของแต่ละกิจกรรมเป็น 3 ค่า "
    "คือ เวลาที่เร็วที่สุด (Optimistic\u00A0time\u00A0:\u00A0a) เวลาที่เป็นไปได้มากที่สุด "
    "(Most\u00A0likely\u00A0time\u00A0:\u00A0m) "
    "และเวลาที่ช้าที่สุด (Pessimistic\u00A0time\u00A0:\u00A0b) แล้วคำนวณเวลาที่คาดหมาย "
    "te\u00A0=\u00A0(a\u00A0+\u00A04m\u00A0+\u00A0b)\u00A0/\u00A06");

const QString kPertMeaning = QStringLiteral(
    "PERT ย่อมาจาก Program Evaluation and Review Technique เป็นเทคนิคที่ใช้ข่ายงาน (Network) "
    "แสดงเหตุการณ์ (Event) และกิจกรรม (Activity) ของโครงการตามลำดับก่อนหลัง "
    "โดยแต่ละกิจกรรมมีเวลาที่ประมาณไว้");

const QString kPertStrengths
    = QStringLiteral("จุดเด่นของ PERT\n"
                     "1. แสดงภาพรวมของโครงการและความสัมพันธ์ก่อนหลังของกิจกรรมได้ชัดเจน\n"
                     "2. ใช้กับโครงการที่เวลาของกิจกรรมไม่แน่นอนได้ โดยอาศัยการประมาณเวลา 3 ค่า\n"
                     "3. คำนวณโอกาสที่โครงการจะเสร็จทันกำหนดได้ด้วยหลักความน่าจะเป็น\n"
                     "4. ชี้ให้เห็นกิจกรรมวิกฤติที่ต้องควบคุมอย่างใกล้ชิด เพื่อไม่ให้โครงการล่าช้า\n"
                     "5. ช่วยวางแผนจัดสรรทรัพยากร ทั้งคน เงิน และเครื่องมือ ให้เหมาะกับแต่ละช่วงเวลา\n"
                     "6. ใช้ติดตามความก้าวหน้าของโครงการ และปรับแผนเมื่อสถานการณ์เปลี่ยนไปได้ง่าย");

const QString kCpmOrigin
    = QStringLiteral("CPM เริ่มพัฒนาในปี ค.ศ. 1956 โดยบริษัทดูปองท์ (DuPont) ร่วมกับบริษัทเรมิงตัน แรนด์ "
                     "(Remington Rand) เพื่อวางแผนงานก่อสร้างและซ่อมบำรุงโรงงานเคมี ซึ่งเคยทำมาแล้ว "
                     "จึงทราบเวลาของกิจกรรมได้ค่อนข้างแน่นอน");

const QString kCpmMeaning
    = QStringLiteral("CPM ย่อมาจาก Critical Path Method (วิธีเส้นทางวิกฤติ) มีจุดมุ่งหมายเพื่อหาเวลาที่สั้นที่สุด"
                     "ที่ทำโครงการให้แล้วเสร็จได้ ภายใต้งบประมาณที่ต่ำที่สุด");

const QString kCpmBenefits
    = QStringLiteral("ประโยชน์ของ CPM\n"
                     "1. ทราบว่ากิจกรรมใดเป็นกิจกรรมวิกฤติ ซึ่งล่าช้าไม่ได้\n"
                     "2. ทราบเวลาที่เร็วที่สุดที่โครงการจะแล้วเสร็จ\n"
                     "3. ทราบว่ากิจกรรมที่ไม่วิกฤติเลื่อนเวลาออกไปได้มากเท่าใด (เวลาลอย หรือ Slack)\n"
                     "4. เลือกเร่งกิจกรรมให้โครงการเสร็จเร็วขึ้น โดยเสียค่าใช้จ่ายเพิ่มน้อยที่สุด\n"
                     "5. ควบคุมเวลาและค่าใช้จ่ายของโครงการให้เป็นไปตามแผน");

const QString kNetworkAnalysis
    = QStringLiteral("ทั้ง PERT และ CPM ใช้การวิเคราะห์ข่ายงาน (Network Analysis) เพื่อหาเส้นทางวิกฤติ "
                     "ซึ่งเป็นเส้นทางที่ยาวที่สุดและเป็นตัวกำหนดเวลาแล้วเสร็จของโครงการ ถ้ากิจกรรมบนเส้นทางนี้ล่าช้า "
                     "โครงการจะล่าช้าตาม ผู้บริหารจึงต้องควบคุมกิจกรรมบนเส้นทางวิกฤติอย่างใกล้ชิด");

const QString kSharedSteps
    = QStringLiteral("PERT และ CPM มีขั้นตอนการสร้างข่ายงานเหมือนกัน ดังนี้\n"
                     "1. กำหนดกิจกรรมทั้งหมดที่ต้องทำในโครงการ\n"
                     "2. กำหนดลำดับก่อนหลังของกิจกรรม ว่ากิจกรรมใดต้องเสร็จก่อนจึงเริ่มกิจกรรมใดได้\n"
                     "3. เขียนข่ายงานแสดงความสัมพันธ์ของกิจกรรมทั้งหมด\n"
                     "4. กำหนดเวลาที่ใช้ของแต่ละกิจกรรม\n"
                     "5. คำนวณเวลาเริ่มต้นและเวลาแล้วเสร็จที่เร็วที่สุดและช้าที่สุดของแต่ละกิจกรรม\n"
                     "6. หาเส้นทางที่ยาวที่สุดของข่ายงาน ซึ่งก็คือเส้นทางวิกฤติ (Critical Path)");

const QString kMainDifference
    = QStringLiteral("ความแตกต่างที่สำคัญ คือ PERT ประมาณเวลาของกิจกรรมด้วยหลักความน่าจะเป็น (ใช้เวลา 3 ค่า) "
                     "ส่วน CPM ใช้เวลาที่ทราบแน่นอนเพียงค่าเดียว และนำค่าใช้จ่ายมาพิจารณาร่วมกับเวลา");

const QString kPertSuits = QStringLiteral("1. เหมาะกับโครงการใหม่ เช่น งานวิจัยและพัฒนา\n"
                                          "2. ใช้เวลา 3 ค่า และหลักความน่าจะเป็น\n"
                                          "3. เน้นการควบคุมเวลาให้เสร็จทันกำหนด");

const QString kCpmSuits = QStringLiteral("1. เหมาะกับงานที่เคยทำมาแล้ว เช่น งานก่อสร้าง\n"
                                         "2. ใช้เวลาที่ทราบแน่นอนเพียงค่าเดียว\n"
                                         "3. เน้นลดเวลาโดยเสียค่าใช้จ่ายเพิ่มน้อยที่สุด");

// A red title and, on the same baseline, its red gloss in brackets.
void addTitle(PageFlow &flow, QWidget *page, const char *titleName, const char *glossName,
              const QString &title, const QString &gloss)
{
    const QFont font = sarabunFont(35, true);
    const int top = flow.rowTop(0);
    QLabel *label
        = makeHeading(page, titleName, QPoint(kPageMargin, top), title, font, kHeadingRed);
    flow.add(label);
    flow.add(makeHeading(page, glossName, QPoint(label->geometry().right() + 12, top), gloss, font,
                         kHeadingRed));
}

// The side heading "ข้อมูลอ้างอิง" with its text block beside it.
void addReference(PageFlow &flow, QWidget *page, const char *headingName, const char *blockName,
                  const QString &text)
{
    const int top = flow.rowTop(8);
    QLabel *side = makeHeading(page, headingName, QPoint(kPageMargin, top),
                               QStringLiteral("ข้อมูลอ้างอิง"), sarabunFont(24, true), kHeadingBlue);
    flow.add(side);
    const int left = side->geometry().right() + 14;
    flow.add(makeTextBlock(page, blockName, QPoint(left, top + 2),
                           kPageMargin + kPageTextWidth - left, text));
}

} // namespace

void TForm2::buildPertPages(QWidget *sheet)
{
    m_panel2 = makePage(sheet, "Panel2", QRect(0, 0, 990, 655));
    PageFlow flow2(2, m_panel2->height() - 8);
    addTitle(flow2, m_panel2, "Label1", "Label2", QStringLiteral("PERT"),
             QStringLiteral("(Project Evaluation Review Techniques)"));
    platform::ImageBox *image2 = makeNextPageControl(m_panel2, "Image2", "Label3");
    connect(image2, &platform::ImageBox::clicked, this, &TForm2::Image2Click);
    flow2.add(image2);
    flow2.add(makeTextBlock(m_panel2, "Memo1", QPoint(kPageMargin, flow2.rowTop(6)), kPageTextWidth,
                            kPertOrigin));
    addReference(flow2, m_panel2, "Label4", "Memo2", kPertMeaning);
    flow2.add(makeTextBlock(m_panel2, "Memo3", QPoint(kPageMargin, flow2.rowTop(10)),
                            kPageTextWidth, kPertStrengths));
    flow2.spread(30);

    m_panel126 = makePage(sheet, "Panel126", QRect(1, 0, 990, 655));
    PageFlow flow126(2, m_panel126->height() - 8);
    addTitle(flow126, m_panel126, "Label5", "Label6", QStringLiteral("CPM"),
             QStringLiteral("(Critical Path Method)"));
    platform::ImageBox *image43 = makeNextPageControl(m_panel126, "Image43", "Label7");
    connect(image43, &platform::ImageBox::clicked, this, &TForm2::Image43Click);
    flow126.add(image43);
    flow126.add(makeTextBlock(m_panel126, "Memo4", QPoint(kPageMargin, flow126.rowTop(6)),
                              kPageTextWidth, kCpmOrigin));
    addReference(flow126, m_panel126, "Label8", "Memo5", kCpmMeaning);
    flow126.add(makeTextBlock(m_panel126, "Memo6", QPoint(kPageMargin, flow126.rowTop(8)),
                              kPageTextWidth, kCpmBenefits));
    flow126.add(makeHeading(m_panel126, "Label9", QPoint(kPageMargin, flow126.rowTop(4)),
                            QStringLiteral("PERT/CPM"), sarabunFont(35, true), kHeadingRed));
    flow126.add(makeTextBlock(m_panel126, "Memo7", QPoint(kPageMargin, flow126.rowTop(0)),
                              kPageTextWidth, kNetworkAnalysis));
    flow126.spread(30);

    buildPertCpmPage(sheet);
}

void TForm2::buildPertCpmPage(QWidget *sheet)
{
    m_panel4 = makePage(sheet, "Panel4", QRect(1, -1, 990, 656));
    PageFlow flow(3, m_panel4->height() - 8);
    int top = flow.rowTop(0);
    QLabel *title = makeHeading(m_panel4, "Label10", QPoint(kPageMargin, top),
                                QStringLiteral("PERT/CPM"), sarabunFont(35, true), kHeadingRed);
    flow.add(title);
    const QFont subtitleFont = sarabunFont(27, true);
    // The subtitle shares the title's baseline.
    const int baselineShift
        = QFontMetrics(title->font()).ascent() - QFontMetrics(subtitleFont).ascent();
    flow.add(makeHeading(
        m_panel4, "Label11", QPoint(title->geometry().right() + 24, top + baselineShift),
        QStringLiteral("ความเหมือนและความแตกต่างระหว่าง PERT และ CPM"), subtitleFont, kHeadingBlue));
    platform::ImageBox *image3 = makeClosePageControl(m_panel4, "Image3");
    connect(image3, &platform::ImageBox::clicked, this, &TForm2::Image3Click);
    flow.add(image3);

    const int textLeft = kPageMargin + 40;
    const int textWidth = kPageMargin + kPageTextWidth - textLeft;
    const QString bullet = QStringLiteral(":/primer/bullet.jpg");
    top = flow.rowTop(10);
    flow.add(makePicture(m_panel4, "Image4", QRect(kPageMargin, top + 4, 30, 26), bullet));
    flow.add(makeTextBlock(m_panel4, "Memo8", QPoint(textLeft, top), textWidth, kSharedSteps));
    top = flow.rowTop(10);
    flow.add(makePicture(m_panel4, "Image5", QRect(kPageMargin, top + 4, 30, 26), bullet));
    flow.add(makeTextBlock(m_panel4, "Memo9", QPoint(textLeft, top), textWidth, kMainDifference,
                           kHeadingRed));

    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const int column = (textWidth - 3) / 2;
    const QFont bodyFont = sarabunFont(21);
    const int bodyHeight = std::max(fittedTextHeight(kPertSuits, bodyFont, column - 16),
                                    fittedTextHeight(kCpmSuits, bodyFont, column - 16))
        + 8;
    const QFont headerFont = sarabunFont(24, true);
    auto *grid = new CellGrid(m_panel4, "ComparisonGrid", QPoint(textLeft, flow.rowTop(14)),
                              {column, column}, {QFontMetrics(headerFont).height() + 4, bodyHeight},
                              bodyFont);
    flow.add(grid);
    grid->addCell(0, 0, QStringLiteral("PERT"), buttonFace)->setFont(headerFont);
    grid->addCell(0, 1, QStringLiteral("CPM"), buttonFace)->setFont(headerFont);
    for (int index = 0; index < 2; ++index) {
        QLabel *cell = grid->addCell(1, index, index == 0 ? kPertSuits : kCpmSuits, kPageColor);
        cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        cell->setWordWrap(true);
        cell->setContentsMargins(8, 4, 8, 4);
    }
    flow.spread(24);
}
