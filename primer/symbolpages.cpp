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

using namespace primer;
using platform::sarabunFont;

namespace {

constexpr int kRight = 968;

struct LegendEntry {
    const char *pictureName;
    const char *labelName;
    const char *resource;
    QRect pictureBounds; // within the 120-pixel picture column
    const char *text;
};

const std::array<LegendEntry, 3> kLegend = {{
    {"Image6", "Label13", ":/primer/activity.jpg", QRect(0, 5, 120, 28),
     "ลูกศร แทนกิจกรรม (Activity) คืองานที่ต้องใช้เวลาและทรัพยากร ทำจากหางไปยังหัวลูกศร"},
    {"Image7", "Label14", ":/primer/node.jpg", QRect(41, 1, 38, 38),
     "วงกลม แทนเหตุการณ์ (Event) หรือโหนด (Node) คือจุดเริ่มต้นหรือจุดสิ้นสุดของกิจกรรม"},
    {"Image8", "Label15", ":/primer/dummy.jpg", QRect(0, 5, 120, 28),
     "ลูกศรเส้นประ แทนกิจกรรมสมมติ (Dummy) ใช้แสดงลำดับก่อนหลัง ไม่ใช้เวลาและทรัพยากร"},
}};

const QString kTwoWays = QStringLiteral(
    "การเขียนข่ายงานทำได้ 2 แบบ คือ แบบกิจกรรมอยู่บนเส้นลูกศร และแบบกิจกรรมอยู่ที่จุดเหตุการณ์ ดังรูป");

// Non-breaking spaces keep each abbreviation with its name.
const QString kEarliest = QStringLiteral(
    "เวลาเร็วที่สุด ได้แก่ ES\u00A0(Earliest\u00A0Start) = EF ที่มากที่สุดของกิจกรรมก่อนหน้า "
    "และ EF\u00A0(Earliest\u00A0Finish) = ES\u00A0+\u00A0เวลาของกิจกรรม (คำนวณจากต้นข่ายงาน)");

const QString kLatest = QStringLiteral(
    "เวลาช้าที่สุด ได้แก่ LF\u00A0(Latest\u00A0Finish) = LS ที่น้อยที่สุดของกิจกรรมถัดไป "
    "และ LS\u00A0(Latest\u00A0Start) = LF\u00A0−\u00A0เวลาของกิจกรรม (คำนวณย้อนจากปลายข่ายงาน)");

const QString kSlack = QStringLiteral("กิจกรรมที่มี ES = LS (และ EF = LF) ไม่มีเวลาลอย จึงเป็นกิจกรรมวิกฤติ");

const QString kReference
    = QStringLiteral("ที่มา : Roger S. Pressman, Software Engineering : A Practitioner's Approach");

struct ScheduleRow {
    const char *cells[7];
};

// The example project with its earliest and latest times; the drawings show the same
// precedences.
const std::array<ScheduleRow, 9> kScheduleRows = {{
    {{"A", "-", "3", "0", "3", "0", "3"}},
    {{"B", "A", "2", "3", "5", "3", "5"}},
    {{"C", "A", "1", "3", "4", "4", "5"}},
    {{"D", "B,C", "2", "5", "7", "5", "7"}},
    {{"E", "D", "1", "7", "8", "8", "9"}},
    {{"F", "D", "2", "7", "9", "7", "9"}},
    {{"G", "E,F", "4", "9", "13", "9", "13"}},
    {{"H", "G", "1", "13", "14", "13", "14"}},
    {{"I", "H", "1", "14", "15", "14", "15"}},
}};

const QColor kStartTint(251, 249, 206);
const QColor kFinishTint(243, 223, 152);

// A small circle with its text, for the two drawings of the symbols page.
void addSmallNode(QWidget *drawing, const char *name, QPoint topLeft, const QString &text)
{
    platform::ImageBox *circle
        = makeKeyedPicture(drawing, name, QRect(topLeft, QSize(44, 44)), circleResource());
    const QByteArray textName = QByteArray(name) + "Text";
    QLabel *label = platform::makeLabel(circle, textName.constData(), QRect(0, 0, 44, 44), text,
                                        sarabunFont(21, true));
    label->setAlignment(Qt::AlignCenter);
}

void addSmallArrow(QWidget *drawing, const char *name, QPoint topLeft)
{
    makeKeyedPicture(drawing, name, QRect(topLeft, QSize(120, 28)),
                     QStringLiteral(":/primer/activity.jpg"));
}

void addDrawingStyles(PageFlow &flow, QFrame *page)
{
    const QFont bold = sarabunFont(21, true);
    int top = flow.rowTop(10);
    flow.add(makeHeading(page, "Label17", QPoint(40, top),
                         QStringLiteral("1. กิจกรรมบนเส้น (Activity on arc)"), bold, Qt::black));
    flow.add(makeHeading(page, "Label18", QPoint(520, top),
                         QStringLiteral("2. กิจกรรมบนจุดเหตุการณ์ (Activity on event)"), bold,
                         Qt::black));

    top = flow.rowTop(2);
    const QFont labelFont = sarabunFont(19, true);
    const int labelHeight = QFontMetrics(labelFont).height();
    auto *onArc = platform::place(new QWidget(page), "ActivityOnArcDrawing",
                                  QRect(60, top, 404, labelHeight + 48));
    flow.add(onArc);
    const int lineTop = labelHeight + 4;
    addSmallArrow(onArc, "Image10", QPoint(46, lineTop + 8));
    addSmallArrow(onArc, "Image11", QPoint(238, lineTop + 8));
    addSmallNode(onArc, "Image12", QPoint(0, lineTop), QStringLiteral("1"));
    addSmallNode(onArc, "Image13", QPoint(176, lineTop), QStringLiteral("2"));
    addSmallNode(onArc, "Image14", QPoint(360, lineTop), QStringLiteral("3"));
    makeHeading(onArc, "Label19", QPoint(64, 0), QStringLiteral("กิจกรรม A"), labelFont,
                kHeadingRed);
    makeHeading(onArc, "Label20", QPoint(256, 0), QStringLiteral("กิจกรรม B"), labelFont,
                kHeadingRed);

    auto *onEvent = platform::place(new QWidget(page), "ActivityOnEventDrawing",
                                    QRect(580, top, 232, labelHeight + 48));
    flow.add(onEvent);
    addSmallArrow(onEvent, "Image15", QPoint(46, lineTop + 8));
    addSmallNode(onEvent, "Image18", QPoint(0, lineTop), QStringLiteral("A"));
    addSmallNode(onEvent, "Image19", QPoint(176, lineTop), QStringLiteral("B"));
}

// A bold term at the left with its explanation beside it.
void addTerm(PageFlow &flow, QFrame *page, const char *termName, const QString &term,
             const char *blockName, const QString &explanation, int gap)
{
    const int top = flow.rowTop(gap);
    flow.add(makeHeading(page, termName, QPoint(40, top), term, sarabunFont(21, true), Qt::black));
    flow.add(makeTextBlock(page, blockName, QPoint(232, top), kRight - 232, explanation));
}

} // namespace

void TForm2::buildSymbolPages(QWidget *sheet)
{
    m_panel3 = makePage(sheet, "Panel3", QRect(0, 1, 990, 657));
    QLabel *reference
        = makeHeading(m_panel3, "Label25", QPoint(0, 0), kReference, sarabunFont(18), kOlive);
    reference->move(kRight - reference->width(), m_panel3->height() - reference->height() - 8);
    PageFlow flow(4, reference->y() - 4);
    flow.rowTop(0);
    flow.add(makeHeading(m_panel3, "Label12", QPoint(kPageMargin, 4),
                         QStringLiteral("สัญลักษณ์ PERT/CPM"), sarabunFont(32, true), kHeadingRed));
    platform::ImageBox *image1 = makeNextPageControl(m_panel3, "Image1", "Label21");
    connect(image1, &platform::ImageBox::clicked, this, &TForm2::Image1Click);
    flow.add(image1);

    for (const LegendEntry &entry : kLegend) {
        const int top = flow.rowTop(4);
        QLabel *label = makeHeading(m_panel3, entry.labelName, QPoint(180, top),
                                    QString::fromUtf8(entry.text), sarabunFont(21), Qt::black);
        const int pictureTop = top + (label->height() - 38) / 2;
        flow.add(makePicture(m_panel3, entry.pictureName,
                             entry.pictureBounds.translated(40, pictureTop),
                             QString::fromLatin1(entry.resource)));
        flow.add(label);
    }
    flow.add(makeHeading(m_panel3, "Label16", QPoint(kPageMargin, flow.rowTop(6)), kTwoWays,
                         sarabunFont(21), Qt::black));
    addDrawingStyles(flow, m_panel3);

    flow.add(makeHeading(m_panel3, "Label22", QPoint(kPageMargin, flow.rowTop(10)),
                         QStringLiteral("เวลาของกิจกรรม"), sarabunFont(27, true), kHeadingRed));
    addTerm(flow, m_panel3, "Label23", QStringLiteral("TE (Time Earliest) "), "Memo10", kEarliest,
            2);
    addTerm(flow, m_panel3, "Label24", QStringLiteral("TL (Time Latest) "), "Memo11", kLatest, 6);
    flow.add(makeTextBlock(m_panel3, "Memo12", QPoint(232, flow.rowTop(2)), kRight - 232, kSlack));
    flow.spread(24);

    buildExamplePage(sheet);
}

void TForm2::buildExamplePage(QWidget *sheet)
{
    m_panel5 = makePage(sheet, "Panel5", QRect(0, 0, 989, 658));
    PageFlow flow(4, m_panel5->height() - 8);
    flow.rowTop(0);
    flow.add(makeHeading(m_panel5, "Label26", QPoint(kPageMargin, 4),
                         QStringLiteral("ตัวอย่างการเขียนเครือข่ายงาน"), sarabunFont(32, true),
                         kHeadingRed));
    platform::ImageBox *image9 = makeClosePageControl(m_panel5, "Image9");
    connect(image9, &platform::ImageBox::clicked, this, &TForm2::Image9Click);
    flow.add(image9);

    const QFont styleFont = sarabunFont(24, true);
    int top = flow.rowTop(6);
    flow.add(makeHeading(m_panel5, "Label27", QPoint(kPageMargin, top), QStringLiteral("แบบที่ 1"),
                         styleFont, Qt::black));
    QLabel *tableHeading = makeHeading(m_panel5, "Label28", QPoint(0, top),
                                       QStringLiteral("ตารางจัดกิจกรรม และการประมาณการเวลากิจกรรม"),
                                       sarabunFont(21, true), kHeadingBlue);
    tableHeading->move(kRight - tableHeading->width(), top);
    flow.add(tableHeading);

    top = flow.rowTop(4);
    flow.add(makePicture(m_panel5, "Image20", QRect(kPageMargin, top + 6, 540, 262),
                         QStringLiteral(":/primer/activity-on-arc.jpg")));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    auto *grid
        = new CellGrid(m_panel5, "ActivityGrid", QPoint(0, top), {72, 78, 76, 40, 40, 40, 40},
                       std::vector<int>(10, 28), sarabunFont(19));
    grid->move(kRight - grid->width(), grid->y());
    flow.add(grid);
    const std::array<const char *, 7> headers
        = {"กิจกรรม", "ก่อนหน้า", "เวลา (T)", "ES", "EF", "LS", "LF"};
    const std::array<QColor, 7> tints
        = {kPageColor, kPageColor, kPageColor, kStartTint, kFinishTint, kStartTint, kFinishTint};
    for (int column = 0; column < 7; ++column)
        grid->addCell(0, column, QString::fromUtf8(headers[column]), buttonFace);
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 7; ++column)
            grid->addCell(row + 1, column, QString::fromLatin1(kScheduleRows[row].cells[column]),
                          tints[column]);
    }

    flow.add(makeHeading(m_panel5, "Label29", QPoint(kPageMargin, flow.rowTop(6)),
                         QStringLiteral("แบบที่ 2"), styleFont, Qt::black));
    auto *panel76 = new BackgroundClickPanel(
        m_panel5, "Panel76", QRect(kPageMargin, flow.rowTop(2), 946, 208), kPageColor);
    flow.add(panel76);
    connect(panel76, &BackgroundClickPanel::clicked, this, &TForm2::Panel76Click);
    flow.spread(20);
    NodeDrawing drawing(panel76, QString(), QPoint(173, 46), sarabunFont(27, true));
    drawing.addArrow(QStringLiteral("AB"), 0, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("AC"), 0, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("BD"), 1, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("CD"), 1, 2, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("DE"), 2, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("DF"), 2, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("EG"), 3, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("FG"), 3, 2, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("GH"), 4, 1, ArrowKind::Across);
    drawing.addArrow(QStringLiteral("HI"), 5, 1, ArrowKind::Across);
    drawing.addNode(QStringLiteral("A"), 0, 1, QStringLiteral("A"));
    drawing.addNode(QStringLiteral("B"), 1, 0, QStringLiteral("B"));
    drawing.addNode(QStringLiteral("C"), 1, 2, QStringLiteral("C"));
    drawing.addNode(QStringLiteral("D"), 2, 1, QStringLiteral("D"));
    drawing.addNode(QStringLiteral("E"), 3, 0, QStringLiteral("E"));
    drawing.addNode(QStringLiteral("F"), 3, 2, QStringLiteral("F"));
    drawing.addNode(QStringLiteral("G"), 4, 1, QStringLiteral("G"));
    drawing.addNode(QStringLiteral("H"), 5, 1, QStringLiteral("H"));
    drawing.addNode(QStringLiteral("I"), 6, 1, QStringLiteral("I"));
}
