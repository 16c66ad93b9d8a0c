#include "tform2.h"

#include "controls.h"
#include "fonts.h"
#include "primerwidgets.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>

using namespace primer;

namespace {

const QString kPertOrigin = QStringLiteral(
    "PERT เป็นเทคนิคการวางแผนและควบคุมโครงการ พัฒนาขึ้นในปี ค.ศ. 1958 โดยสำนักงานโครงการพิเศษ"
    "ของกองทัพเรือสหรัฐอเมริกา ร่วมกับบริษัท Lockheed และบริษัทที่ปรึกษา Booz Allen Hamilton "
    "เพื่อบริหารโครงการพัฒนาขีปนาวุธโพลาริส (Polaris) ซึ่งมีงานย่อยนับพันงานและเป็นงานที่ไม่เคยทำมาก่อน "
    "จึงรู้เวลาของงานได้ไม่แน่นอน PERT จึงให้ประมาณเวลาของแต่ละกิจกรรมเป็น 3 ค่า คือ "
    "เวลาที่เร็วที่สุด (Optimistic time : a) เวลาที่เป็นไปได้มากที่สุด (Most likely time : m) "
    "และเวลาที่ช้าที่สุด (Pessimistic time : b) แล้วคำนวณเวลาที่คาดหมาย te = (a + 4m + b) / 6");

const QString kPertMeaning = QStringLiteral(
    "PERT ย่อมาจาก Program Evaluation and Review Technique เป็นเทคนิคที่ใช้ข่ายงาน (Network) "
    "แสดงเหตุการณ์ (Event) และกิจกรรม (Activity) ของโครงการตามลำดับก่อนหลัง "
    "โดยแต่ละกิจกรรมมีเวลาที่ประมาณไว้");

const QString kPertStrengths = QStringLiteral(
    "จุดเด่นของ PERT\n"
    "1. แสดงภาพรวมของโครงการและความสัมพันธ์ก่อนหลังของกิจกรรมได้ชัดเจน\n"
    "2. ใช้กับโครงการที่เวลาของกิจกรรมไม่แน่นอนได้ โดยอาศัยการประมาณเวลา 3 ค่า\n"
    "3. คำนวณโอกาสที่โครงการจะเสร็จทันกำหนดได้ด้วยหลักความน่าจะเป็น\n"
    "4. ชี้ให้เห็นกิจกรรมวิกฤติที่ต้องควบคุมอย่างใกล้ชิด เพื่อไม่ให้โครงการล่าช้า\n"
    "5. ช่วยวางแผนจัดสรรทรัพยากร ทั้งคน เงิน และเครื่องมือ ให้เหมาะกับแต่ละช่วงเวลา\n"
    "6. ใช้ติดตามความก้าวหน้าของโครงการ และปรับแผนเมื่อสถานการณ์เปลี่ยนไปได้ง่าย");

const QString kCpmOrigin = QStringLiteral(
    "CPM เริ่มพัฒนาในปี ค.ศ. 1956 โดยบริษัทดูปองท์ (DuPont) ร่วมกับบริษัทเรมิงตัน แรนด์ "
    "(Remington Rand) เพื่อวางแผนงานก่อสร้างและซ่อมบำรุงโรงงานเคมี ซึ่งเป็นงานที่เคยทำมาแล้ว "
    "จึงทราบเวลาของกิจกรรมได้ค่อนข้างแน่นอน");

const QString kCpmMeaning = QStringLiteral(
    "CPM ย่อมาจาก Critical Path Method (วิธีเส้นทางวิกฤติ) มีจุดมุ่งหมายเพื่อหาเวลาที่สั้นที่สุด"
    "ที่ทำโครงการให้แล้วเสร็จได้ ภายใต้งบประมาณที่ต่ำที่สุด");

const QString kCpmBenefits = QStringLiteral(
    "ประโยชน์ของ CPM\n"
    "1. ทราบว่ากิจกรรมใดเป็นกิจกรรมวิกฤติ ซึ่งล่าช้าไม่ได้\n"
    "2. ทราบเวลาที่เร็วที่สุดที่โครงการจะแล้วเสร็จ\n"
    "3. ทราบว่ากิจกรรมที่ไม่วิกฤติเลื่อนเวลาออกไปได้มากเท่าใด (เวลาลอย หรือ Slack)\n"
    "4. เลือกเร่งกิจกรรมให้โครงการเสร็จเร็วขึ้น โดยเสียค่าใช้จ่ายเพิ่มน้อยที่สุด\n"
    "5. ควบคุมเวลาและค่าใช้จ่ายของโครงการให้เป็นไปตามแผน");

const QString kNetworkAnalysis = QStringLiteral(
    "ทั้ง PERT และ CPM ใช้การวิเคราะห์ข่ายงาน (Network Analysis) เพื่อหาเส้นทางวิกฤติ "
    "ซึ่งเป็นเส้นทางที่ยาวที่สุดและเป็นตัวกำหนดเวลาแล้วเสร็จของโครงการ ถ้ากิจกรรมบนเส้นทางนี้ล่าช้า "
    "โครงการจะล่าช้าตาม ผู้บริหารจึงต้องควบคุมกิจกรรมบนเส้นทางวิกฤติอย่างใกล้ชิด");

const QString kSharedSteps = QStringLiteral(
    "PERT และ CPM มีขั้นตอนการสร้างข่ายงานเหมือนกัน ดังนี้\n"
    "1. กำหนดกิจกรรมทั้งหมดที่ต้องทำในโครงการ\n"
    "2. กำหนดลำดับก่อนหลังของกิจกรรม ว่ากิจกรรมใดต้องเสร็จก่อนจึงเริ่มกิจกรรมใดได้\n"
    "3. เขียนข่ายงานแสดงความสัมพันธ์ของกิจกรรมทั้งหมด\n"
    "4. กำหนดเวลาที่ใช้ของแต่ละกิจกรรม\n"
    "5. คำนวณเวลาเริ่มต้นและเวลาแล้วเสร็จที่เร็วที่สุดและช้าที่สุดของแต่ละกิจกรรม\n"
    "6. หาเส้นทางที่ยาวที่สุดของข่ายงาน ซึ่งก็คือเส้นทางวิกฤติ (Critical Path)");

const QString kMainDifference = QStringLiteral(
    "ความแตกต่างที่สำคัญ คือ PERT ประมาณเวลาของกิจกรรมด้วยหลักความน่าจะเป็น (ใช้เวลา 3 ค่า) "
    "ส่วน CPM ใช้เวลาที่ทราบแน่นอนเพียงค่าเดียว และนำค่าใช้จ่ายมาพิจารณาร่วมกับเวลา");

const QString kPertSuits = QStringLiteral(
    "1. เหมาะกับโครงการใหม่ที่ไม่เคยทำมาก่อน เช่น งานวิจัยและพัฒนา\n"
    "2. เน้นการควบคุมเวลาให้โครงการเสร็จทันกำหนด");

const QString kCpmSuits = QStringLiteral(
    "1. เหมาะกับโครงการที่เคยทำมาแล้ว เช่น งานก่อสร้าง งานซ่อมบำรุง\n"
    "2. เน้นการลดเวลาโครงการโดยเสียค่าใช้จ่ายเพิ่มน้อยที่สุด");

constexpr int kMargin = 22;
constexpr int kTextWidth = 946;

QFrame *makePage(QWidget *sheet, const char *name, const QRect &bounds)
{
    return platform::makePanel(sheet, name, bounds, kPageColor, platform::Bevel::Lowered);
}

// A red title and, on the same baseline, its red gloss in brackets.
void makeTitle(QWidget *page, const char *titleName, const char *glossName, const QString &title,
               const QString &gloss)
{
    const QFont font = sarabunFont(35, true);
    QLabel *label = makeHeading(page, titleName, QPoint(kMargin, 2), title, font, kHeadingRed);
    makeHeading(page, glossName, QPoint(label->geometry().right() + 12, 2), gloss, font,
                kHeadingRed);
}

QLabel *makeSideHeading(QWidget *page, const char *name, int top)
{
    return makeHeading(page, name, QPoint(kMargin, top), QStringLiteral("ข้อมูลอ้างอิง"),
                       sarabunFont(24, true), kHeadingBlue);
}

} // namespace

void TForm2::buildPertPages(QWidget *sheet)
{
    m_panel2 = makePage(sheet, "Panel2", QRect(0, 0, 990, 655));
    makeTitle(m_panel2, "Label1", "Label2", QStringLiteral("PERT"),
              QStringLiteral("(Project Evaluation Review Techniques)"));
    platform::ImageBox *image2 = makeNextPageControl(m_panel2, "Image2", "Label3");
    connect(image2, &platform::ImageBox::clicked, this, &TForm2::Image2Click);
    makeTextBlock(m_panel2, "Memo1", QRect(kMargin, 72, kTextWidth, 188), kPertOrigin);
    QLabel *side = makeSideHeading(m_panel2, "Label4", 266);
    const int sideRight = side->geometry().right() + 14;
    makeTextBlock(m_panel2, "Memo2", QRect(sideRight, 266, kMargin + kTextWidth - sideRight, 76),
                  kPertMeaning);
    makeTextBlock(m_panel2, "Memo3", QRect(kMargin, 352, kTextWidth, 262), kPertStrengths);

    m_panel126 = makePage(sheet, "Panel126", QRect(1, 0, 990, 655));
    makeTitle(m_panel126, "Label5", "Label6", QStringLiteral("CPM"),
              QStringLiteral("(Critical Path Method)"));
    platform::ImageBox *image43 = makeNextPageControl(m_panel126, "Image43", "Label7");
    connect(image43, &platform::ImageBox::clicked, this, &TForm2::Image43Click);
    makeTextBlock(m_panel126, "Memo4", QRect(kMargin, 70, kTextWidth, 76), kCpmOrigin);
    side = makeSideHeading(m_panel126, "Label8", 152);
    makeTextBlock(m_panel126, "Memo5",
                  QRect(side->geometry().right() + 14, 152,
                        kMargin + kTextWidth - side->geometry().right() - 14, 76),
                  kCpmMeaning);
    makeTextBlock(m_panel126, "Memo6", QRect(kMargin, 234, kTextWidth, 224), kCpmBenefits);
    makeHeading(m_panel126, "Label9", QPoint(kMargin, 458), QStringLiteral("PERT/CPM"),
                sarabunFont(35, true), kHeadingRed);
    makeTextBlock(m_panel126, "Memo7", QRect(kMargin, 520, kTextWidth, 114), kNetworkAnalysis);

    buildPertCpmPage(sheet);
}

void TForm2::buildPertCpmPage(QWidget *sheet)
{
    m_panel4 = makePage(sheet, "Panel4", QRect(1, -1, 990, 656));
    QLabel *title = makeHeading(m_panel4, "Label10", QPoint(kMargin, 3), QStringLiteral("PERT/CPM"),
                                sarabunFont(35, true), kHeadingRed);
    makeHeading(m_panel4, "Label11", QPoint(title->geometry().right() + 24, 12),
                QStringLiteral("ความเหมือนและความแตกต่างระหว่าง PERT และ CPM"),
                sarabunFont(27, true), kHeadingBlue);
    platform::ImageBox *image3 = makeClosePageControl(m_panel4, "Image3");
    connect(image3, &platform::ImageBox::clicked, this, &TForm2::Image3Click);

    const int textLeft = kMargin + 40;
    const int textWidth = kMargin + kTextWidth - textLeft;
    makePicture(m_panel4, "Image4", QRect(kMargin, 78, 30, 26), QStringLiteral(":/primer/bullet.jpg"));
    makeTextBlock(m_panel4, "Memo8", QRect(textLeft, 72, textWidth, 262), kSharedSteps);
    makePicture(m_panel4, "Image5", QRect(kMargin, 348, 30, 26),
                QStringLiteral(":/primer/bullet.jpg"));
    makeTextBlock(m_panel4, "Memo9", QRect(textLeft, 342, textWidth, 76), kMainDifference,
                  kHeadingRed);

    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const int column = (textWidth - 3) / 2;
    auto *grid = new CellGrid(m_panel4, "ComparisonGrid", QPoint(textLeft, 430),
                              {column, column}, {38, 150}, sarabunFont(21));
    grid->addCell(0, 0, QStringLiteral("PERT"), buttonFace)->setFont(sarabunFont(24, true));
    grid->addCell(0, 1, QStringLiteral("CPM"), buttonFace)->setFont(sarabunFont(24, true));
    for (int index = 0; index < 2; ++index) {
        QLabel *cell = grid->addCell(1, index, index == 0 ? kPertSuits : kCpmSuits, kPageColor);
        cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        cell->setWordWrap(true);
        cell->setContentsMargins(8, 4, 8, 4);
    }
}
