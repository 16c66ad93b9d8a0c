// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"

#include "fonts.h"
#include "tform1.h"
#include "tform2.h"
#include "tforms.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTextBlock>
#include <QTextEdit>

using guitest::child;
using platform::browalliaFont;
using platform::sarabunFont;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QList<QWidget *> forms() const { return {Form1, Form2, Form3, Form4, Form5, Form6, Form7}; }
    QAction *action(const char *name) { return child<QAction>(Form1, name); }

private slots:
    // Every test function starts from the program as it starts: seven new windows, only
    // the main one shown. Nothing one of them does reaches the next.
    void initTestCase() { guitest::prepareApplication(); }
    void init()
    {
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanup() { destroyForms(); }

    void startUpCreatesSevenWindowsOnlyTheMainOneShown()
    {
        const QStringList names = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7"};
        const QStringList classes
            = {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm6", "TForm7"};
        for (int i = 0; i < 7; ++i) {
            QVERIFY(forms()[i]);
            QCOMPARE(forms()[i]->objectName(), names[i]);
            QCOMPARE(QString::fromLatin1(forms()[i]->metaObject()->className()), classes[i]);
            QCOMPARE(forms()[i]->isVisible(), i == 0);
            QVERIFY(forms()[i]->isWindow());
            // The primer and the practice windows are built when first opened, so that
            // start-up builds only what the first frame shows.
            QCOMPARE(forms()[i]->findChildren<QWidget *>().isEmpty(), i > 0);
        }
        QCOMPARE(Form1->windowTitle(), QStringLiteral("งานวิจัยในชั้นเรียนรายวิชา 4391508 "));
        QCOMPARE(Form2->windowTitle(), QStringLiteral("การเร่งรัดกิจกรรมด้วย PERT/CPM"));
        QCOMPARE(Form3->windowTitle(), QStringLiteral("การเร่งรัดกิจกรรม : ชุดเสริมทักษะที่ 1"));
        QCOMPARE(Form5->windowTitle(), QStringLiteral("การเร่งรัดกิจกรรม : ชุดเสริมทักษะ 3"));
        QCOMPARE(Form7->windowTitle(), QStringLiteral("การเร่งรัดกิจกรรม : ชุดเสริมทักษะที่ 5"));
    }

    void mainWindowHasOnlyACloseButton()
    {
        const Qt::WindowFlags flags = Form1->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void menuHasEveryItemInItsPlace()
    {
        auto *bar = child<QMenuBar>(Form1, "MainMenu1");
        QVERIFY(bar);
        const QList<QAction *> top = bar->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top[0]->objectName(), QStringLiteral("PERTCPM1"));
        QCOMPARE(top[0]->text(), QStringLiteral("งานวิจัย"));
        QCOMPARE(top[1]->objectName(), QStringLiteral("N2"));
        QCOMPARE(top[1]->text(), QStringLiteral("จบงาน"));
        QVERIFY(!top[1]->menu());

        const QList<QAction *> research = top[0]->menu()->actions();
        QCOMPARE(research.size(), 1);
        QCOMPARE(research[0]->objectName(), QStringLiteral("PERTCPM2"));
        QCOMPARE(research[0]->text(), QStringLiteral("การเร่งรัดกิจกรรมด้วย PERT/CPM"));

        const QList<QAction *> crashing = research[0]->menu()->actions();
        QCOMPARE(crashing.size(), 2);
        QCOMPARE(crashing[0]->objectName(), QStringLiteral("PERTCPM3"));
        QCOMPARE(crashing[0]->text(), QStringLiteral("ความรู้เบื้องต้นของ PERT/CPM"));
        QCOMPARE(crashing[1]->objectName(), QStringLiteral("N11"));
        QCOMPARE(crashing[1]->text(), QStringLiteral("การเร่งรัดกิจกรรม "));

        const QList<QAction *> sets = crashing[1]->menu()->actions();
        const QStringList names = {"N12", "N22", "N31", "N41", "N51"};
        // The five practice sets lead the menu; items after them open other windows.
        QVERIFY(sets.size() >= 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(sets[i]->objectName(), names[i]);
            QCOMPARE(sets[i]->text(), QStringLiteral("ชุดเสริมทักษะ %1").arg(i + 1));
            QVERIFY(sets[i]->shortcut().isEmpty());
        }
    }

    void eachMenuItemShowsItsWindow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("form");
        QTest::newRow("primer") << "PERTCPM3" << 1;
        QTest::newRow("set 1") << "N12" << 2;
        QTest::newRow("set 2") << "N22" << 3;
        QTest::newRow("set 3") << "N31" << 4;
        QTest::newRow("set 4") << "N41" << 5;
        QTest::newRow("set 5") << "N51" << 6;
    }
    void eachMenuItemShowsItsWindow()
    {
        QFETCH(QString, item);
        QFETCH(int, form);
        action(item.toLatin1().constData())->trigger();
        for (int i = 0; i < 7; ++i)
            QCOMPARE(forms()[i]->isVisible(), i == 0 || i == form);
        QVERIFY(Form1->isVisible());
    }

    void showingAVisibleSetOnlyRaisesIt()
    {
        action("N12")->trigger();
        auto *log = child<QListWidget>(Form3, "ListBox1");
        log->addItem(QStringLiteral("a line of an earlier run"));
        Form3->activityTable().working(1).normalDuration = QStringLiteral("5");
        action("N12")->trigger();
        QCOMPARE(log->count(), 1);
        QCOMPARE(Form3->activityTable().working(1).normalDuration, QStringLiteral("5"));
    }

    void closingHidesAndKeepsStateReopeningResets()
    {
        action("N22")->trigger();
        auto *log = child<QListWidget>(Form4, "ListBox1");
        log->addItem(QStringLiteral("kept while hidden"));
        QVERIFY(Form4->close());
        QVERIFY(!Form4->isVisible());
        QCOMPARE(log->count(), 1);
        QVERIFY(Form1->isVisible());
        action("N22")->trigger();
        QVERIFY(Form4->isVisible());
        QCOMPARE(log->count(), 0);
    }

    void severalWindowsOpenKeepTheirOwnState()
    {
        action("N12")->trigger();
        action("N31")->trigger();
        action("PERTCPM3")->trigger();
        child<QListWidget>(Form3, "ListBox2")->addItem(QStringLiteral("set 1"));
        QVERIFY(Form3->isVisible() && Form5->isVisible() && Form2->isVisible());
        QCOMPARE(child<QListWidget>(Form5, "ListBox2")->count(), 0);
        QCOMPARE(child<QListWidget>(Form3, "ListBox2")->count(), 1);
    }

    void titlePageLayout()
    {
        auto *panel = child<QFrame>(Form1, "Panel1");
        QCOMPARE(panel->geometry(), QRect(167, 19, 642, 265));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(Form1->palette().color(QPalette::Window), QColor(128, 255, 255));
        auto *image = child<QLabel>(panel, "Image1");
        QCOMPARE(image->geometry(), QRect(264, 32, 121, 129));
        QVERIFY(image->hasScaledContents());
        QCOMPARE(image->pixmap().size(), QSize(201, 202));

        struct Expected {
            const char *name;
            QRect bounds;
            QFont font;
            QString text;
        };
        const Expected labels[] = {
            {"Label5",
             {106, 168, 468, 46},
             browalliaFont(35, true),
             QStringLiteral("ชุดเสริมทักษะความรู้ด้านเทคนิค PERT/CPM")},
            {"Label1", {64, 216, 261, 36}, sarabunFont(32, true), {}},
            {"Label2", {336, 214, 270, 42}, browalliaFont(32, true), {}},
            {"Label3", {36, 297, 93, 31}, browalliaFont(24, true), QStringLiteral("วัตถุประสงค์")},
            {"Label4",
             {36, 507, 190, 31},
             browalliaFont(24, true),
             QStringLiteral("ประโยชน์ที่คาดว่าจะได้รับ")},
        };
        for (const Expected &e : labels) {
            auto *label = child<QLabel>(Form1, e.name);
            QVERIFY2(label, e.name);
            QCOMPARE(label->geometry(), e.bounds);
            QCOMPARE(label->font(), e.font);
            if (!e.text.isEmpty())
                QCOMPARE(label->text(), e.text);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= e.bounds.width(),
                     e.name); // the stand-in fonts keep every caption inside its box
        }
    }

    void textBoxesHaveTheirLineStructure()
    {
        auto *memo1 = child<QTextEdit>(Form1, "Memo1");
        auto *memo2 = child<QTextEdit>(Form1, "Memo2");
        QCOMPARE(memo1->geometry(), QRect(45, 329, 941, 171));
        QCOMPARE(memo2->geometry(), QRect(45, 537, 948, 163));
        QVERIFY(!memo1->isReadOnly());
        QCOMPARE(memo1->frameShape(), QFrame::NoFrame);
        const QStringList lines1 = memo1->toPlainText().split(u'\n');
        const QStringList lines2 = memo2->toPlainText().split(u'\n');
        QCOMPARE(lines1.size(), 6);
        QCOMPARE(lines2.size(), 6);
        const QStringList numbers = {"1.1 ", "1.2 ", "1.3 "};
        for (int item = 0; item < 3; ++item) {
            QVERIFY(lines1[2 * item].startsWith(numbers[item]));
            QVERIFY(lines2[2 * item].startsWith(numbers[item]));
            QVERIFY(lines1[2 * item + 1].startsWith(QString(6, u' ')));
            QVERIFY(lines1[2 * item + 1][6] != u' ');
            const int blanks = item == 0 ? 5 : 6;
            QVERIFY(lines2[2 * item + 1].startsWith(QString(blanks, u' ')));
            QVERIFY(lines2[2 * item + 1][blanks] != u' ');
        }
        QVERIFY(lines2[3].endsWith(u'\t'));
        QVERIFY(lines1.join(u' ').contains(QStringLiteral("4391508")));
        // Text typed into a box stays and changes nothing else.
        memo1->append(QStringLiteral("typed"));
        QVERIFY(memo1->toPlainText().endsWith(QStringLiteral("typed")));
        QVERIFY(!Form3->isVisible());
    }

    void undoInATextBoxKeepsItsOwnText()
    {
        auto *memo = child<QTextEdit>(Form1, "Memo2");
        const QString original = memo->toPlainText();
        QVERIFY(!memo->document()->isUndoAvailable());
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, QStringLiteral("abc"));
        QVERIFY(memo->toPlainText().endsWith(QStringLiteral("abc")));
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo->toPlainText(), original);
    }

    void textBoxesDrawTheirLinesInsideTheirBoxes()
    {
        for (const char *name : {"Memo1", "Memo2"}) {
            auto *memo = child<QTextEdit>(Form1, name);
            QTextDocument *document = memo->document();
            QCOMPARE(document->defaultFont(), memo->font());
            QCOMPARE(document->documentMargin(), 0.0);
            // The six built-in lines lie inside the box, and so does every bit of their
            // ink: drawn onto a taller picture, nothing of them falls below the box's height.
            const int height = memo->viewport()->height();
            QCOMPARE(height, memo->height());
            QImage picture(memo->viewport()->width(), height + 40, QImage::Format_ARGB32);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            QCOMPARE(document->blockCount(), 6);
            QTextBlock block = document->begin();
            for (int line = 0; line < 6; ++line, block = block.next()) {
                const QRectF bounds = document->documentLayout()->blockBoundingRect(block);
                QVERIFY2(bounds.bottom() <= height,
                         qPrintable(QStringLiteral("%1 line %2").arg(name).arg(line + 1)));
                block.layout()->draw(&painter, QPointF(0, 0));
            }
            painter.end();
            int inkedLines = 0;
            for (int y = 0; y < picture.height(); ++y) {
                bool ink = false;
                for (int x = 0; x < picture.width() && !ink; ++x)
                    ink = qAlpha(picture.pixel(x, y)) > 0;
                if (ink && y >= height)
                    QFAIL(qPrintable(
                        QStringLiteral("%1: ink at y = %2, below the box").arg(name).arg(y)));
                inkedLines += ink ? 1 : 0;
            }
            QVERIFY(inkedLines > height / 2);
        }
    }

    void applicationTitleComesFromTheProgramFileName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("program") << "/usr/bin/crashkit"
                                 << "Crashkit";
        QTest::newRow("with extension") << "C:/kit/crashkit.exe"
                                        << "Crashkit";
        QTest::newRow("upper case") << "CRASHKIT.EXE"
                                    << "Crashkit";
        QTest::newRow("two dots") << "crash.kit.exe"
                                  << "Crash";
    }
    void applicationTitleComesFromTheProgramFileName()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QCOMPARE(platform::applicationTitleFor(file), title);
    }

    void finishClosesTheMainWindowAndEveryOther()
    {
        action("N12")->trigger();
        action("PERTCPM3")->trigger();
        action("N2")->trigger();
        for (QWidget *form : forms())
            QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
