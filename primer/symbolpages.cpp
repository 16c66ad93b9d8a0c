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

namespace {

constexpr int kMargin = 22;
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
     "ลูกศรเส้นประ แทนกิจกรรมสมมติ (Dummy) ใช้แสดงลำดับก่อนหลังเท่านั้น ไม่ใช้เวลาและทรัพยากร"},
}};

const QString kTwoWays = QStringLiteral(
    "การเขียนข่ายงานทำได้ 2 แบบ คือ แบบกิจกรรมอยู่บนเส้นลูกศร และแบบกิจกรรมอยู่ที่จุดเหตุการณ์ ดังรูป");

const QString kEarliest = QStringLiteral(
    "เวลาเร็วที่สุดที่กิจกรรมเริ่มได้ คือ ES (Earliest Start) เท่ากับ EF ที่มากที่สุดของกิจกรรมก่อนหน้า "
    "และ EF (Earliest Finish) = ES + เวลาของกิจกรรม คำนวณจากต้นข่ายงานไปหาปลาย");

const QString kLatest = QStringLiteral(
    "เวลาช้าที่สุดที่ไม่ทำให้โครงการล่าช้า คือ LF (Latest Finish) เท่ากับ LS ที่น้อยที่สุดของกิจกรรมถัดไป "
    "และ LS (Latest Start) = LF − เวลาของกิจกรรม คำนวณย้อนจากปลายข่ายงาน");

const QString kSlack = QStringLiteral(
    "กิจกรรมที่มี ES = LS (และ EF = LF) ไม่มีเวลาลอย จึงเป็นกิจกรรมวิกฤติ");

const QString kReference = QStringLiteral(
    "ที่มา : Roger S. Pressman, Software Engineering : A Practitioner's Approach");

struct ActivityRow {
    const char *cells[7];
};

// The example project with its earliest and latest times; the drawings show the same
// precedences.
const std::array<ActivityRow, 9> kActivityRows = {{
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

QFrame *makePage(QWidget *sheet, const char *name, const QRect &bounds)
{
    return platform::makePanel(sheet, name, bounds, kPageColor, platform::Bevel::Lowered);
}

// A small circle with its text, for the two drawings of the symbols page.
void addSmallNode(QWidget *drawing, const char *name, QPoint topLeft, const QString &text)
{
    platform::ImageBox *circle = makeKeyedPicture(drawing, name, QRect(topLeft, QSize(44, 44)),
                                                  primernet::circleResource());
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

void buildDrawingStyles(QFrame *page)
{
    const QFont bold = sarabunFont(21, true);
    makeHeading(page, "Label17", QPoint(40, 234),
                QStringLiteral("1. กิจกรรมบนเส้น (Activity on arc)"), bold, Qt::black);
    makeHeading(page, "Label18", QPoint(540, 234),
                QStringLiteral("2. กิจกรรมบนจุดเหตุการณ์ (Activity on event)"), bold, Qt::black);

    auto *onArc = platform::place(new QWidget(page), "ActivityOnArcDrawing",
                                  QRect(60, 272, 404, 80));
    addSmallArrow(onArc, "Image10", QPoint(46, 42));
    addSmallArrow(onArc, "Image11", QPoint(238, 42));
    addSmallNode(onArc, "Image12", QPoint(0, 34), QStringLiteral("1"));
    addSmallNode(onArc, "Image13", QPoint(176, 34), QStringLiteral("2"));
    addSmallNode(onArc, "Image14", QPoint(360, 34), QStringLiteral("3"));
    const QFont labelFont = sarabunFont(19, true);
    makeHeading(onArc, "Label19", QPoint(64, 0), QStringLiteral("กิจกรรม A"), labelFont,
                kHeadingRed);
    makeHeading(onArc, "Label20", QPoint(256, 0), QStringLiteral("กิจกรรม B"), labelFont,
                kHeadingRed);

    auto *onEvent = platform::place(new QWidget(page), "ActivityOnEventDrawing",
                                    QRect(600, 272, 232, 80));
    addSmallArrow(onEvent, "Image15", QPoint(46, 42));
    addSmallNode(onEvent, "Image18", QPoint(0, 34), QStringLiteral("A"));
    addSmallNode(onEvent, "Image19", QPoint(176, 34), QStringLiteral("B"));
}

} // namespace

void TForm2::buildSymbolPages(QWidget *sheet)
{
    m_panel3 = makePage(sheet, "Panel3", QRect(0, 1, 990, 657));
    makeHeading(m_panel3, "Label12", QPoint(kMargin, 4), QStringLiteral("สัญลักษณ์ PERT/CPM"),
                sarabunFont(32, true), kHeadingRed);
    platform::ImageBox *image1 = makeNextPageControl(m_panel3, "Image1", "Label21");
    connect(image1, &platform::ImageBox::clicked, this, &TForm2::Image1Click);

    int top = 70;
    for (const LegendEntry &entry : kLegend) {
        makePicture(m_panel3, entry.pictureName,
                    entry.pictureBounds.translated(40, top),
                    QString::fromLatin1(entry.resource));
        makeHeading(m_panel3, entry.labelName, QPoint(180, top), QString::fromUtf8(entry.text),
                    sarabunFont(21), Qt::black);
        top += 40;
    }
    makeHeading(m_panel3, "Label16", QPoint(kMargin, 192), kTwoWays, sarabunFont(21), Qt::black);
    buildDrawingStyles(m_panel3);

    makeHeading(m_panel3, "Label22", QPoint(kMargin, 364), QStringLiteral("เวลาของกิจกรรม"),
                sarabunFont(27, true), kHeadingRed);
    const QFont bold = sarabunFont(21, true);
    makeHeading(m_panel3, "Label23", QPoint(40, 414), QStringLiteral("TE (Time Earliest) "), bold,
                Qt::black);
    makeTextBlock(m_panel3, "Memo10", QRect(232, 412, kRight - 232, 76), kEarliest);
    makeHeading(m_panel3, "Label24", QPoint(40, 496), QStringLiteral("TL (Time Latest) "), bold,
                Qt::black);
    makeTextBlock(m_panel3, "Memo11", QRect(232, 494, kRight - 232, 76), kLatest);
    makeTextBlock(m_panel3, "Memo12", QRect(232, 574, kRight - 232, 38), kSlack);
    QLabel *reference = makeHeading(m_panel3, "Label25", QPoint(0, 616), kReference,
                                    sarabunFont(18), kOlive);
    reference->move(kRight - reference->width(), reference->y());

    buildExamplePage(sheet);
}

void TForm2::buildExamplePage(QWidget *sheet)
{
    m_panel5 = makePage(sheet, "Panel5", QRect(0, 0, 989, 658));
    makeHeading(m_panel5, "Label26", QPoint(kMargin, 4),
                QStringLiteral("ตัวอย่างการเขียนเครือข่ายงาน"), sarabunFont(32, true), kHeadingRed);
    platform::ImageBox *image9 = makeClosePageControl(m_panel5, "Image9");
    connect(image9, &platform::ImageBox::clicked, this, &TForm2::Image9Click);

    const QFont styleFont = sarabunFont(24, true);
    makeHeading(m_panel5, "Label27", QPoint(kMargin, 62), QStringLiteral("แบบที่ 1"), styleFont,
                Qt::black);
    makePicture(m_panel5, "Image20", QRect(kMargin, 100, 616, 240),
                QStringLiteral(":/primer/activity-on-arc.jpg"));

    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    auto *grid = new CellGrid(m_panel5, "ActivityGrid", QPoint(0, 104), {62, 66, 62, 36, 36, 36, 36},
                              std::vector<int>(10, 28), sarabunFont(19));
    grid->move(kRight - grid->width(), grid->y());
    QLabel *tableHeading =
        makeHeading(m_panel5, "Label28", QPoint(0, 64),
                    QStringLiteral("ตารางจัดกิจกรรม และการประมาณการเวลากิจกรรม"),
                    sarabunFont(21, true), kHeadingBlue);
    tableHeading->move(kRight - tableHeading->width(), tableHeading->y());
    const std::array<const char *, 7> headers = {"กิจกรรม", "ก่อนหน้า", "เวลา (T)", "ES",
                                                 "EF",      "LS",       "LF"};
    const std::array<QColor, 7> tints = {kPageColor, kPageColor,  kPageColor, kStartTint,
                                         kFinishTint, kStartTint, kFinishTint};
    for (int column = 0; column < 7; ++column)
        grid->addCell(0, column, QString::fromUtf8(headers[column]), buttonFace);
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 7; ++column)
            grid->addCell(row + 1, column,
                          QString::fromLatin1(kActivityRows[row].cells[column]), tints[column]);
    }

    makeHeading(m_panel5, "Label29", QPoint(kMargin, 396), QStringLiteral("แบบที่ 2"), styleFont,
                Qt::black);
    auto *panel76 = new BackgroundClickPanel(m_panel5, "Panel76", QRect(kMargin, 434, 946, 212),
                                             kPageColor);
    connect(panel76, &BackgroundClickPanel::clicked, this, &TForm2::Panel76Click);
    using primernet::ArrowKind;
    NodeDrawing drawing(panel76, QPoint(173, 46), sarabunFont(27, true));
    drawing.addArrow(QStringLiteral("ArrowAB"), 0, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("ArrowAC"), 0, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowBD"), 1, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowCD"), 1, 2, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("ArrowDE"), 2, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("ArrowDF"), 2, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowEG"), 3, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowFG"), 3, 2, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("ArrowGH"), 4, 1, ArrowKind::Across);
    drawing.addArrow(QStringLiteral("ArrowHI"), 5, 1, ArrowKind::Across);
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
