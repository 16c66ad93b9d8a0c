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
constexpr int kTextWidth = 946;

const QString kCriticalActivity = QStringLiteral(
    "คือกิจกรรมที่อยู่บนเส้นทางวิกฤติ ไม่มีเวลาลอย ถ้าล่าช้า โครงการทั้งหมดจะล่าช้าตามไปด้วย");

const QString kCriticalPath = QStringLiteral(
    "คือเส้นทางที่ใช้เวลารวมมากที่สุดในข่ายงาน ซึ่งเป็นตัวกำหนดเวลาแล้วเสร็จของโครงการ");

const QString kWhyCrash = QStringLiteral(
    "บางครั้งโครงการต้องเสร็จเร็วกว่าเวลาปกติ เช่น ลูกค้าต้องการใช้ระบบก่อนกำหนด หรือมีค่าปรับเมื่อส่งงานล่าช้า "
    "ผู้บริหารจึงเร่งโครงการ (Project Crashing) โดยเพิ่มทรัพยากร เช่น คน เครื่องมือ หรือการทำงานล่วงเวลา "
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
    "ให้เร่งกิจกรรมที่ถูกที่สุดของแต่ละเส้นทางพร้อมกันเป็นจำนวนเท่ากัน\n"
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

const QString kPathSums = QStringLiteral(
    "เส้นทาง A-C-D = 9+10+22 = 41 วัน (เส้นทางวิกฤติ),  A-C-E = 9+10+21 = 40 วัน,  "
    "B-E = 18+21 = 39 วัน");

const QString kCriticalActivities = QStringLiteral(
    "กิจกรรมวิกฤติ คือ A, C และ D ซึ่ง D มีค่าเร่งต่อวันต่ำที่สุด (900 − 700) ÷ (22 − 20) = 100 บาท "
    "จึงเร่ง D ก่อน");

const QString kCrashResult = QStringLiteral(
    "ตามปกติโครงการเสร็จใน 41 วัน ค่าใช้จ่าย 2,500 บาท ถ้าเร่งทุกกิจกรรม จะเสร็จใน 37 วัน "
    "ค่าใช้จ่าย 3,600 บาท");

QFrame *makePage(QWidget *sheet, const char *name, const QRect &bounds)
{
    return platform::makePanel(sheet, name, bounds, kPageColor, platform::Bevel::Lowered);
}

void buildCrashingTable(QFrame *page, QPoint topLeft)
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    auto *grid = new CellGrid(page, "CrashingGrid", topLeft, {60, 66, 52, 52, 58, 58, 104},
                              std::vector<int>(7, 28), sarabunFont(19));
    grid->addCell(0, 0, QStringLiteral("กิจกรรม"), buttonFace, 2, 1);
    grid->addCell(0, 1, QStringLiteral("ก่อนหน้า"), buttonFace, 2, 1);
    grid->addCell(0, 2, QStringLiteral("ระยะเวลา (วัน)"), buttonFace, 1, 2);
    grid->addCell(0, 4, QStringLiteral("ค่าใช้จ่าย (บาท)"), buttonFace, 1, 2);
    grid->addCell(0, 6, QStringLiteral("สรุปค่าใช้จ่าย"), buttonFace, 2, 1);
    for (int column : {2, 4}) {
        grid->addCell(1, column, QStringLiteral("ปกติ"), buttonFace);
        grid->addCell(1, column + 1, QStringLiteral("เร่ง"), buttonFace);
    }
    for (int row = 0; row < static_cast<int>(kCrashRows.size()); ++row) {
        for (int column = 0; column < 6; ++column) {
            const bool crash = column == 3 || column == 5;
            grid->addCell(row + 2, column, QString::fromLatin1(kCrashRows[row].cells[column]),
                          crash ? kCrashTint : kPageColor);
        }
        grid->addCell(row + 2, 6, QString(), kPageColor);
    }
}

// The example project drawn with its activities in the circles: A and B start at once,
// C follows A, D follows C, E follows B and C.
void buildCrashingNetwork(QFrame *page, QPoint topLeft)
{
    auto *network = platform::place(new QWidget(page), "CrashingNetwork",
                                    QRect(topLeft, QSize(4 * primernet::kColumnStep
                                                             + primernet::kCircleSide,
                                                         2 * primernet::kRowStep
                                                             + primernet::kCircleSide)));
    using primernet::ArrowKind;
    const int half = primernet::kCircleSide / 2;
    NodeDrawing drawing(network, QPoint(half, half), sarabunFont(18, true));
    drawing.addArrow(QStringLiteral("ArrowStartA"), 0, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("ArrowStartB"), 0, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowAC"), 1, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowBE"), 1, 2, ArrowKind::AcrossTwo);
    drawing.addArrow(QStringLiteral("ArrowCD"), 2, 1, ArrowKind::Up);
    drawing.addArrow(QStringLiteral("ArrowCE"), 2, 1, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowDEnd"), 3, 0, ArrowKind::Down);
    drawing.addArrow(QStringLiteral("ArrowEEnd"), 3, 2, ArrowKind::Up);
    drawing.addNode(QStringLiteral("Start"), 0, 1, QStringLiteral("เริ่ม"));
    drawing.addNode(QStringLiteral("A"), 1, 0, QStringLiteral("A=9"));
    drawing.addNode(QStringLiteral("B"), 1, 2, QStringLiteral("B=18"));
    drawing.addNode(QStringLiteral("C"), 2, 1, QStringLiteral("C=10"));
    drawing.addNode(QStringLiteral("D"), 3, 0, QStringLiteral("D=22"));
    drawing.addNode(QStringLiteral("E"), 3, 2, QStringLiteral("E=21"));
    drawing.addNode(QStringLiteral("End"), 4, 1, QStringLiteral("สิ้นสุด"));
}

} // namespace

void TForm2::buildCrashingPages(QWidget *sheet)
{
    m_panel42 = makePage(sheet, "Panel42", QRect(0, 10, 989, 651));
    makeHeading(m_panel42, "Label30", QPoint(kMargin, 4), QStringLiteral("การเร่งโครงการ"),
                sarabunFont(32, true), kHeadingBlue);
    platform::ImageBox *image16 = makeNextPageControl(m_panel42, "Image16", "Label31");
    connect(image16, &platform::ImageBox::clicked, this, &TForm2::Image16Click);

    const QFont sideFont = sarabunFont(24, true);
    makeHeading(m_panel42, "Label32", QPoint(kMargin, 70), QStringLiteral("ิกิจกรรมวิกฤติ"), sideFont,
                kHeadingRed);
    makeHeading(m_panel42, "Label33", QPoint(kMargin, 112), QStringLiteral("เส้นทางวิกฤติ"),
                sideFont, kHeadingRed);
    makeHeading(m_panel42, "Label34", QPoint(180, 73), kCriticalActivity, sarabunFont(21),
                Qt::black);
    makeHeading(m_panel42, "Label35", QPoint(180, 115), kCriticalPath, sarabunFont(21), Qt::black);
    makeTextBlock(m_panel42, "Memo13", QRect(kMargin, 160, kTextWidth, 150), kWhyCrash);
    makeHeading(m_panel42, "Label36", QPoint(kMargin, 316), kTradeOff, sarabunFont(21, true),
                kHeadingBlue);

    auto *box = platform::place(new QFrame(m_panel42), "Panel44", QRect(kMargin, 358, kTextWidth, 264));
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    platform::setTextColor(box, QColor(0, 0, 128));
    int top = 10;
    int index = 0;
    for (const char *item : kCrashData) {
        const QByteArray pictureName = "Image" + QByteArray::number(21 + index);
        const QByteArray labelName = "Label" + QByteArray::number(37 + index);
        makePicture(box, pictureName.constData(), QRect(16, top + 6, 30, 26),
                    QStringLiteral(":/primer/bullet.jpg"));
        makeHeading(box, labelName.constData(), QPoint(56, top), QString::fromUtf8(item),
                    sarabunFont(21), Qt::black);
        top += 40;
        ++index;
    }
    makeTextBlock(box, "Memo14", QRect(56, top + 4, kTextWidth - 72, 76), kCostPerDay,
                  QColor(0, 0, 128));

    buildCrashingStepsPage(sheet);
}

void TForm2::buildCrashingStepsPage(QWidget *sheet)
{
    m_panel43 = makePage(sheet, "Panel43", QRect(1, 10, 988, 651));
    makeHeading(m_panel43, "Label41", QPoint(kMargin, 4), QStringLiteral("ขั้นตอนในการเร่งโครงการ"),
                sarabunFont(32, true), kHeadingBlue);
    platform::ImageBox *image17 = makeClosePageControl(m_panel43, "Image17");
    connect(image17, &platform::ImageBox::clicked, this, &TForm2::Image17Click);
    makeTextBlock(m_panel43, "Memo15", QRect(kMargin, 60, kTextWidth, 224), kCrashSteps);

    makeHeading(m_panel43, "Label42", QPoint(kMargin, 284),
                QStringLiteral("ตัวอย่างตารางกิจกรรมการเร่งโครงการ"), sarabunFont(27, true),
                kHeadingBlue);
    buildCrashingTable(m_panel43, QPoint(kMargin, 332));
    buildCrashingNetwork(m_panel43, QPoint(506, 330));

    makeHeading(m_panel43, "Label43", QPoint(kMargin, 540), kPathSums, sarabunFont(21, true),
                kHeadingBlue);
    makeHeading(m_panel43, "Label44", QPoint(kMargin, 576), kCriticalActivities,
                sarabunFont(21, true), kHeadingRed);
    makeHeading(m_panel43, "Label45", QPoint(kMargin, 612), kCrashResult, sarabunFont(21, true),
                kHeadingBlue);
}
