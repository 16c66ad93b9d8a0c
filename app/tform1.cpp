// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "tform1.h"

#include "controls.h"
#include "fonts.h"
#include "forms.h"
#include "jpeg.h"
#include "windowmanagement.h"

#include "tform2.h"
#include "tforms.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

using platform::browalliaFont;
using platform::sarabunFont;

namespace {

const QColor kWindowColor(128, 255, 255);

const QStringList kObjectives = {
    QStringLiteral("1.1 เพื่อพัฒนาชุดเสริมทักษะการเร่งรัดกิจกรรมในโครงการพัฒนาซอฟต์แวร์ตามหลักการของ PERT/CPM"),
    QStringLiteral("      สำหรับรายวิชา 4391508 วิศวกรรมซอฟต์แวร์เบื้องต้น"),
    QStringLiteral(
        "1.2 เพื่อประเมินประสิทธิภาพของชุดเสริมทักษะในรายวิชาดังกล่าว โดยวัดผลสัมฤทธิ์ทางการเรียนของนักศึกษา"),
    QStringLiteral("      ก่อนเรียนและหลังเรียน"),
    QStringLiteral("1.3 เพื่อศึกษาความพึงพอใจของนักศึกษาที่มีต่อการใช้ชุดเสริมทักษะ"),
    QStringLiteral("      ในรายวิชา 4391508 วิศวกรรมซอฟต์แวร์เบื้องต้น"),
};

const QStringList kBenefits = {
    QStringLiteral("1.1 ได้ชุดเสริมทักษะการเร่งรัดกิจกรรมในโครงการพัฒนาซอฟต์แวร์ตามหลักการของ PERT/CPM"),
    QStringLiteral("     สำหรับรายวิชา 4391508 วิศวกรรมซอฟต์แวร์เบื้องต้น"),
    QStringLiteral(
        "1.2 ผลสัมฤทธิ์ทางการเรียนเรื่อง PERT/CPM และการเร่งรัดกิจกรรมในโครงการพัฒนาซอฟต์แวร์ของนักศึกษา"),
    QStringLiteral("      สูงขึ้นอย่างมีนัยสำคัญทางสถิติที่ระดับ 0.05\t"),
    QStringLiteral("1.3 นักศึกษามีความพึงพอใจต่อการใช้ชุดเสริมทักษะในรายวิชาดังกล่าว"),
    QStringLiteral("      อยู่ในระดับมาก"),
};

// A multi-line text box the student may type into. QTextEdit rather than QPlainTextEdit:
// only its layout keeps the fixed line pitch below, which the six lines need to fit.
QTextEdit *makeMemo(QWidget *parent, const char *name, const QRect &bounds,
                    const QStringList &lines)
{
    auto *memo = platform::place(new QTextEdit(parent), name, bounds);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFont(browalliaFont(21, true));
    memo->setAcceptRichText(false);
    memo->setLineWrapMode(QTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    platform::setBackground(memo, kWindowColor);
    platform::setFieldColor(memo, kWindowColor);

    // The text goes into a document that has no layout yet, so that nothing is laid out
    // line by line while it is filled. Filling it is not an edit the student could undo.
    auto *document = new QTextDocument(memo);
    document->setDefaultFont(memo->font());
    document->setDocumentMargin(0);
    document->setUndoRedoEnabled(false);
    // Six lines share the box's height; the stand-in fonts' own line spacing is taller.
    QTextBlockFormat spacing;
    spacing.setLineHeight(std::floor(bounds.height() / static_cast<qreal>(lines.size())),
                          QTextBlockFormat::FixedHeight);
    QTextCursor cursor(document);
    cursor.setBlockFormat(spacing);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(spacing);
        cursor.insertText(lines[i]);
    }
    document->setUndoRedoEnabled(true);
    memo->setDocument(document);
    memo->setTabStopDistance(memo->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
    return memo;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("งานวิจัยในชั้นเรียนรายวิชา 4391508 "));
    setFont(sarabunFont(21));
    platform::setBackground(this, kWindowColor);
    buildMenu();
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);
    buildTitlePanel(client);
    buildTextBoxes(client);
    platform::setOuterSize(this, QSize(1024, 770));
}

void TForm1::buildTitlePanel(QWidget *client)
{
    QFrame *panel1 = platform::makePanel(client, "Panel1", QRect(167, 19, 642, 265), Qt::white,
                                         platform::Bevel::RaisedOuterLoweredInner);
    new platform::ImageBox(panel1, "Image1", QRect(264, 32, 121, 129),
                           platform::jpegResource(QStringLiteral(":/main/gear.jpg")));
    platform::makeLabel(panel1, "Label5", QRect(106, 168, 468, 46),
                        QStringLiteral("ชุดเสริมทักษะความรู้ด้านเทคนิค PERT/CPM"),
                        browalliaFont(35, true));
    platform::makeLabel(panel1, "Label1", QRect(64, 216, 261, 36),
                        QStringLiteral("วิทยาการคอมพิวเตอร์"), sarabunFont(32, true));
    QLabel *label2 = platform::makeLabel(panel1, "Label2", QRect(336, 214, 270, 42),
                                         QStringLiteral("คณะวิทยาศาสตร์"), browalliaFont(32, true));
    label2->setAttribute(Qt::WA_TranslucentBackground);
}

void TForm1::buildTextBoxes(QWidget *client)
{
    platform::makeLabel(client, "Label3", QRect(36, 297, 93, 31), QStringLiteral("วัตถุประสงค์"),
                        browalliaFont(24, true));
    QTextEdit *memo1 = makeMemo(client, "Memo1", QRect(45, 329, 941, 171), kObjectives);
    platform::makeLabel(client, "Label4", QRect(36, 507, 190, 31),
                        QStringLiteral("ประโยชน์ที่คาดว่าจะได้รับ"), browalliaFont(24, true));
    QTextEdit *memo2 = makeMemo(client, "Memo2", QRect(45, 537, 948, 163), kBenefits);
    setTabOrder(memo1, memo2);
}

void TForm1::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setFont(sarabunFont(21));

    auto submenu = [](QWidget *owner, const char *name, const QString &caption) {
        auto *menu = new QMenu(caption, owner);
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto item
        = [this](QMenu *menu, const char *name, const QString &caption, void (TForm1::*handler)()) {
              QAction *action = menu->addAction(caption);
              action->setObjectName(QString::fromLatin1(name));
              connect(action, &QAction::triggered, this, handler);
              return action;
          };

    QMenu *research = submenu(this, "PERTCPM1", QStringLiteral("งานวิจัย"));
    bar->addMenu(research);
    QMenu *crashing = submenu(research, "PERTCPM2", QStringLiteral("การเร่งรัดกิจกรรมด้วย PERT/CPM"));
    research->addMenu(crashing);
    item(crashing, "PERTCPM3", QStringLiteral("ความรู้เบื้องต้นของ PERT/CPM"), &TForm1::PERTCPM3Click);
    QMenu *sets = submenu(crashing, "N11", QStringLiteral("การเร่งรัดกิจกรรม "));
    crashing->addMenu(sets);
    item(sets, "N12", QStringLiteral("ชุดเสริมทักษะ 1"), &TForm1::N12Click);
    item(sets, "N22", QStringLiteral("ชุดเสริมทักษะ 2"), &TForm1::N22Click);
    item(sets, "N31", QStringLiteral("ชุดเสริมทักษะ 3"), &TForm1::N31Click);
    item(sets, "N41", QStringLiteral("ชุดเสริมทักษะ 4"), &TForm1::N41Click);
    item(sets, "N51", QStringLiteral("ชุดเสริมทักษะ 5"), &TForm1::N51Click);
    sets->addSeparator();
    item(sets, "MyProject", QStringLiteral("โครงการของฉัน"), &TForm1::MyProjectClick);
    item(sets, "Trainer", QStringLiteral("ฝึกทำเอง"), &TForm1::TrainerClick);

    QAction *finish = bar->addAction(QStringLiteral("จบงาน"));
    finish->setObjectName(QStringLiteral("N2"));
    connect(finish, &QAction::triggered, this, &TForm1::N2Click);
}

void TForm1::PERTCPM3Click()
{
    platform::showModeless(Form2);
}

void TForm1::N12Click()
{
    platform::showModeless(Form3);
}

void TForm1::N22Click()
{
    platform::showModeless(Form4);
}

void TForm1::N31Click()
{
    platform::showModeless(Form5);
}

void TForm1::N41Click()
{
    platform::showModeless(Form6);
}

void TForm1::N51Click()
{
    platform::showModeless(Form7);
}

void TForm1::MyProjectClick()
{
    if (QMainWindow *window = projectWindow())
        platform::showModeless(window);
}

void TForm1::TrainerClick()
{
    if (QMainWindow *window = trainerWindow())
        platform::showModeless(window);
}

void TForm1::N2Click()
{
    close();
}

void TForm1::showEvent(QShowEvent *event)
{
    if (platform::isTurningVisible(event))
        platform::centreOnDesktop(this);
    QMainWindow::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The main window's close ends the program, whatever else is open; only unsaved changes
    // of the own-project window and unsaved work in "ฝึกทำเอง" are asked about first.
    if (!projectWindowMayClose() || !trainerWindowMayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->hide();
    }
    QCoreApplication::quit();
}
