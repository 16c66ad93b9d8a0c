// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "tform2.h"

#include "controls.h"
#include "fonts.h"
#include "primerwidgets.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPalette>

#include <array>
#include <utility>

using namespace primer;
using platform::sarabunFont;

namespace {

const QString kCriticalActivity
    = QStringLiteral("คือกิจกรรมที่อยู่บนเส้นทางวิกฤติ ไม่มีเวลาลอย ถ้าล่าช้า โครงการทั้งหมดจะล่าช้าตามไปด้วย");

const QString kCriticalPath
    = QStringLiteral("คือเส้นทางที่ใช้เวลารวมมากที่สุดในข่ายงาน ซึ่งเป็นตัวกำหนดเวลาแล้วเสร็จของโครงการ");

const QString kWhyCrash = QStringLiteral(
    "บางครั้งโครงการต้องเสร็จเร็วกว่าเวลาปกติ เช่น ลูกค้าต้องการใช้ระบบก่อนกำหนด หรือมีค่าปรับเมื่อส่งงานล่าช้า "
    "ผู้จัดการโครงการจึงเร่งโครงการ (Project Crashing) โดยเพิ่มทรัพยากร เช่น คน เครื่องมือ หรือการทำงานล่วงเวลา "
    "ให้กับกิจกรรมวิกฤติ ซึ่งทำให้ค่าใช้จ่ายเพิ่มขึ้น การเร่งกิจกรรมที่ไม่อยู่บนเส้นทางวิกฤติไม่ทำให้โครงการเสร็จเร็วขึ้น "
    "จึงต้องเลือกเร่งเฉพาะกิจกรรมวิกฤติที่เสียค่าใช้จ่ายเพิ่มน้อยที่สุด");

const QString kTradeOff = QStringLiteral(
    "การเร่งโครงการเป็นการแลกเปลี่ยนระหว่างเวลากับค่าใช้จ่าย (Time-Cost Trade-off) ซึ่งต้องใช้ข้อมูลดังนี้");

const std::array<const char *, 4> kCrashData = {
    "เวลาปกติ (Normal Time) : เวลาที่ใช้ทำกิจกรรมตามปกติ เช่น กิจกรรม A ใช้เวลา 9 วัน",
    "เวลาเร่ง (Crash Time) : เวลาที่สั้นที่สุดที่เร่งกิจกรรมได้ เช่น กิจกรรม A เร่งได้เหลือ 8 วัน",
    "ค่าใช้จ่ายปกติ (Normal Cost) : ค่าใช้จ่ายเมื่อทำกิจกรรมในเวลาปกติ เช่น กิจกรรม A ใช้ 500 บาท",
    "ค่าใช้จ่ายเร่ง (Crash Cost) : ค่าใช้จ่ายเมื่อเร่งจนถึงเวลาเร่ง เช่น กิจกรรม A ใช้ 800 บาท",
};

const QString kCostPerDay = QStringLiteral(
    "จากข้อมูลนี้หาค่าใช้จ่ายในการเร่งต่อวัน = (ค่าใช้จ่ายเร่ง − ค่าใช้จ่ายปกติ) ÷ (เวลาปกติ − เวลาเร่ง)\n"
    "เช่น กิจกรรม A เร่งได้ 1 วัน เสียค่าใช้จ่ายเพิ่ม (800 − 500) ÷ (9 − 8) = 300 บาทต่อวัน");

const QString kCrashSteps = QStringLiteral(
    "1. หาเส้นทางทั้งหมดของข่ายงาน รวมเวลาของแต่ละเส้นทาง แล้วหาเส้นทางวิกฤติ (เส้นทางที่ยาวที่สุด)\n"
    "2. คำนวณค่าใช้จ่ายในการเร่งต่อหน่วยเวลาของแต่ละกิจกรรม และเวลาที่แต่ละกิจกรรมเร่งได้\n"
    "3. เร่งกิจกรรมวิกฤติที่มีค่าใช้จ่ายในการเร่งต่อหน่วยต่ำที่สุดก่อน ถ้ามีเส้นทางวิกฤติหลายเส้น "
    "ให้เร่งกิจกรรมที่ค่าเร่งต่ำที่สุดของแต่ละเส้นทางพร้อมกันเป็นจำนวนเท่ากัน\n"
    "4. คำนวณเวลาของทุกเส้นทางใหม่ เพราะเส้นทางวิกฤติอาจเปลี่ยนไปหลังการเร่ง\n"
    "5. ทำซ้ำขั้นที่ 3 และ 4 จนได้เวลาโครงการตามที่ต้องการ หรือเร่งกิจกรรมวิกฤติต่อไปไม่ได้อีก");

struct CrashRow {
    const char *cells[6];
};

const std::array<CrashRow, 5> kCrashRows = {{
    {{"A", "-", "9", "8", "500", "800"}},
    {{"B", "-", "18", "17", "400", "600"}},
    {{"C", "A", "10", "9", "300", "500"}},
    {{"D", "C", "22", "20", "700", "900"}},
    {{"E", "B,C", "21", "20", "600", "800"}},
}};

const QColor kCrashTint(239, 232, 192);

// Five columns and three rows of circles.
const QSize kCrashingNetworkSize(4 * kColumnStep + kCircleSide, 2 * kRowStep + kCircleSide);

const QString kPathSums = QStringLiteral(
    "A-C-D = 9+10+22 = 41 วัน (เส้นทางวิกฤติ),   A-C-E = 9+10+21 = 40 วัน,   B-E = 18+21 = 39 วัน");

const QString kCriticalActivities = QStringLiteral(
    "กิจกรรมวิกฤติ คือ A, C และ D โดย D มีค่าเร่งต่ำสุด (900 − 700) ÷ (22 − 20) = 100 บาทต่อวัน");

const QString kCrashResult = QStringLiteral(
    "เวลาปกติ 41 วัน ค่าใช้จ่าย 2,500 บาท  ถ้าเร่งทุกกิจกรรม โครงการจะเสร็จใน 37 วัน ค่าใช้จ่าย 3,600 บาท");

QWidget *buildCrashingTable(QFrame *page, QPoint topLeft)
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    auto *grid = new CellGrid(page, "CrashingGrid", topLeft, {62, 66, 58, 58, 60, 60, 108},
                              std::vector<int>(7, 28), sarabunFont(19));
    // The header texts are longer than the numbers below them, so they get a smaller size.
    auto header
        = [grid, &buttonFace](int row, int column, const char *text, int rowSpan, int columnSpan) {
              grid->addCell(row, column, QString::fromUtf8(text), buttonFace, rowSpan, columnSpan)
                  ->setFont(sarabunFont(17));
          };
    header(0, 0, "กิจกรรม", 2, 1);
    header(0, 1, "ก่อนหน้า", 2, 1);
    header(0, 2, "ระยะเวลา (วัน)", 1, 2);
    header(0, 4, "ค่าใช้จ่าย (บาท)", 1, 2);
    header(0, 6, "สรุปค่าใช้จ่าย", 2, 1);
    for (int column : {2, 4}) {
        header(1, column, "ปกติ", 1, 1);
        header(1, column + 1, "เร่ง", 1, 1);
    }
    for (int row = 0; row < static_cast<int>(kCrashRows.size()); ++row) {
        for (int column = 0; column < 6; ++column) {
            const bool crash = column == 3 || column == 5;
            grid->addCell(row + 2, column, QString::fromLatin1(kCrashRows[row].cells[column]),
                          crash ? kCrashTint : kPageColor);
        }
        grid->addCell(row + 2, 6, QString(), kPageColor);
    }
    return grid;
}

// The example project drawn with its activities in the circles: A and B start at once,
// C follows A, D follows C, E follows B and C.
QWidget *buildCrashingNetwork(QFrame *page, QPoint topLeft)
{
    auto *network = platform::place(new QWidget(page), "CrashingNetwork",
                                    QRect(topLeft, kCrashingNetworkSize));
    const int half = kCircleSide / 2;
    NodeDrawing drawing(network, QStringLiteral("Crashing"), QPoint(half, half),
                        sarabunFont(17, true));
    drawing.addArrow(QStringLiteral("StartA"), 0, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("StartB"), 0, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("AC"), 1, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("BE"), 1, 2, ArrowKind::AcrossTwo);
    drawing.addArrow(QStringLiteral("CD"), 2, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("CE"), 2, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("DEnd"), 3, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("EEnd"), 3, 2, ArrowKind::Up);
    drawing.addNode(QStringLiteral("Start"), 0, 1, QStringLiteral("เริ่ม"));
    drawing.addNode(QStringLiteral("A"), 1, 0, QStringLiteral("A=9"));
    drawing.addNode(QStringLiteral("B"), 1, 2, QStringLiteral("B=18"));
    drawing.addNode(QStringLiteral("C"), 2, 1, QStringLiteral("C=10"));
    drawing.addNode(QStringLiteral("D"), 3, 0, QStringLiteral("D=22"));
    drawing.addNode(QStringLiteral("E"), 3, 2, QStringLiteral("E=21"));
    drawing.addNode(QStringLiteral("End"), 4, 1, QStringLiteral("สิ้นสุด"));
    return network;
}

} // namespace

void TForm2::buildCrashingPages(QWidget *sheet)
{
    m_panel42 = makePage(sheet, "Panel42", QRect(0, 10, 989, 651));
    PageFlow flow(4, m_panel42->height() - 8);
    flow.rowTop(0);
    flow.add(makeHeading(m_panel42, "Label30", QPoint(kPageMargin, 4),
                         QStringLiteral("การเร่งโครงการ"), sarabunFont(32, true), kHeadingBlue));
    platform::ImageBox *image16 = makeNextPageControl(m_panel42, "Image16", "Label31");
    connect(image16, &platform::ImageBox::clicked, this, &TForm2::Image16Click);
    flow.add(image16);

    // Each side heading with its definition on the same baseline.
    const QFont sideFont = sarabunFont(24, true);
    const QFont bodyFont = sarabunFont(21);
    const int shift = QFontMetrics(sideFont).ascent() - QFontMetrics(bodyFont).ascent();
    const std::array<std::pair<const char *, const QString *>, 2> sides
        = {std::pair {"ิกิจกรรมวิกฤติ", &kCriticalActivity}, std::pair {"เส้นทางวิกฤติ", &kCriticalPath}};
    for (int index = 0; index < 2; ++index) {
        const int top = flow.rowTop(index == 0 ? 6 : 2);
        const QByteArray headingName = "Label" + QByteArray::number(32 + index);
        const QByteArray textName = "Label" + QByteArray::number(34 + index);
        flow.add(makeHeading(m_panel42, headingName.constData(), QPoint(kPageMargin, top),
                             QString::fromUtf8(sides[index].first), sideFont, kHeadingRed));
        flow.add(makeHeading(m_panel42, textName.constData(), QPoint(180, top + shift),
                             *sides[index].second, bodyFont, Qt::black));
    }
    flow.add(makeTextBlock(m_panel42, "Memo13", QPoint(kPageMargin, flow.rowTop(8)), kPageTextWidth,
                           kWhyCrash));
    flow.add(makeHeading(m_panel42, "Label36", QPoint(kPageMargin, flow.rowTop(6)), kTradeOff,
                         sarabunFont(21, true), kHeadingBlue));

    auto *box = platform::place(new QFrame(m_panel42), "Panel44",
                                QRect(kPageMargin, flow.rowTop(8), kPageTextWidth, 0));
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    int top = 10;
    int index = 0;
    for (const char *item : kCrashData) {
        const QByteArray pictureName = "Image" + QByteArray::number(21 + index);
        const QByteArray labelName = "Label" + QByteArray::number(37 + index);
        QLabel *label = makeHeading(box, labelName.constData(), QPoint(56, top),
                                    QString::fromUtf8(item), bodyFont, Qt::black);
        makePicture(box, pictureName.constData(),
                    QRect(16, top + (label->height() - 26) / 2, 30, 26),
                    QStringLiteral(":/primer/bullet.jpg"));
        top = label->geometry().bottom() + 1 + 6;
        ++index;
    }
    QWidget *formula = makeTextBlock(box, "Memo14", QPoint(56, top + 2), kPageTextWidth - 72,
                                     kCostPerDay, QColor(0, 0, 128));
    box->resize(box->width(), formula->geometry().bottom() + 1 + 10);
    flow.add(box);
    flow.spread(24);

    buildCrashingStepsPage(sheet);
}

void TForm2::buildCrashingStepsPage(QWidget *sheet)
{
    m_panel43 = makePage(sheet, "Panel43", QRect(1, 10, 988, 651));
    PageFlow flow(4, m_panel43->height() - 8);
    flow.rowTop(0);
    flow.add(makeHeading(m_panel43, "Label41", QPoint(kPageMargin, 4),
                         QStringLiteral("ขั้นตอนในการเร่งโครงการ"), sarabunFont(32, true),
                         kHeadingBlue));
    platform::ImageBox *image17 = makeClosePageControl(m_panel43, "Image17");
    connect(image17, &platform::ImageBox::clicked, this, &TForm2::Image17Click);
    flow.add(image17);
    flow.add(makeTextBlock(m_panel43, "Memo15", QPoint(kPageMargin, flow.rowTop(4)), kPageTextWidth,
                           kCrashSteps));

    flow.add(makeHeading(m_panel43, "Label42", QPoint(kPageMargin, flow.rowTop(4)),
                         QStringLiteral("ตัวอย่างตารางกิจกรรมการเร่งโครงการ"), sarabunFont(27, true),
                         kHeadingBlue));
    const int top = flow.rowTop(4);
    flow.add(buildCrashingTable(m_panel43, QPoint(kPageMargin, top)));
    flow.add(buildCrashingNetwork(
        m_panel43, QPoint(kPageMargin + kPageTextWidth - kCrashingNetworkSize.width(), top)));

    const QFont font = sarabunFont(21);
    flow.add(makeHeading(m_panel43, "Label43", QPoint(kPageMargin, flow.rowTop(6)), kPathSums, font,
                         kHeadingBlue));
    flow.add(makeHeading(m_panel43, "Label44", QPoint(kPageMargin, flow.rowTop(0)),
                         kCriticalActivities, font, kHeadingRed));
    flow.add(makeHeading(m_panel43, "Label45", QPoint(kPageMargin, flow.rowTop(0)), kCrashResult,
                         font, kHeadingBlue));
    flow.spread(20);
}
