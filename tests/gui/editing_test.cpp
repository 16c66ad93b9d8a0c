// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"

#include "canvas.h"
#include "exercisewindow.h"
#include "networkdrawing.h"
#include "tforms.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace guitest;
using platform::PaintBox;

namespace {

// A freshly shown window, as the menu leaves it.
ExerciseWindow *fresh(int set)
{
    return guitest::reopen(guitest::exerciseForm(set));
}

QColor pixel(ExerciseWindow *window, int x, int y)
{
    return child<PaintBox>(window, "PaintBox1")->canvas().image().pixelColor(x, y);
}

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

} // namespace

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        guitest::startProgram();
        Form1->show();
    }
    void cleanupTestCase() { destroyForms(); }

    void buildShowsDurationAndBound_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("bound");
        QTest::newRow("set 1") << 1 << "32"
                               << "ควร >= 27";
        QTest::newRow("set 2") << 2 << "52"
                               << "ควร >= 46";
        QTest::newRow("set 3") << 3 << "29"
                               << "ควร >= 23";
        QTest::newRow("set 4") << 4 << "37"
                               << "ควร >= 28";
        QTest::newRow("set 5") << 5 << "21"
                               << "ควร >= 17";
    }
    void buildShowsDurationAndBound()
    {
        QFETCH(int, set);
        QFETCH(QString, duration);
        QFETCH(QString, bound);
        ExerciseWindow *window = fresh(set);
        click(window, "BitBtn5");
        QVERIFY(!child<QPushButton>(window, "BitBtn5")->isVisible());
        QCOMPARE(text(window, "Edit29"), duration);
        QCOMPARE(text(window, "Label53"), bound);
        int markers = 0;
        for (std::size_t path = 0; path < 4; ++path)
            markers += pathMarker(window->analysis(), path).isEmpty() ? 0 : 1;
        QCOMPARE(markers, 1);
        // The frame is drawn in black, the inside of node 1 in the window colour.
        QCOMPARE(pixel(window, 1, 1), QColor(Qt::black));
        QCOMPARE(pixel(window, 20, 165), QApplication::palette().color(QPalette::Base));
    }

    void labelsShowTheDurationTextsUnconverted()
    {
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn5");
        QCOMPARE(activityLabelText('A', window->activityTable()), QStringLiteral("A= 7"));
        QCOMPARE(activityLabelText('B', window->activityTable()), QStringLiteral("B= 8"));
        QCOMPARE(activityLabelText('C', window->activityTable()), QStringLiteral("C= 9"));
        // Each label cell is yellow at its label point.
        for (const ActivityLabel &label : window->set().network.labels)
            QCOMPARE(pixel(window, label.at.x() + 1, label.at.y() + 1), kYellow);

        guitest::BoxRecorder boxes;
        saveEdits(window, {{"Edit1", QStringLiteral("7.5")}});
        click(window, "BitBtn5");
        QCOMPARE(activityLabelText('A', window->activityTable()), QStringLiteral("A= 7.5"));
        QCOMPARE(pixel(window, 81, 81), kYellow);
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        QCOMPARE(boxes.shown[0].record.text, QStringLiteral("'7.5' is not a valid integer value."));
        QCOMPARE(boxes.shown[0].record.caption, platform::applicationTitle());
        QCOMPARE(boxes.shown[0].record.type, platform::MessageType::Error);
        // The save set Edit29 to 0 and the failed analysis left it so.
        QCOMPARE(text(window, "Edit29"), QStringLiteral("0"));
        QCOMPARE(text(window, "Label53"), QStringLiteral("ควร >= 27"));
    }

    void highlightRedrawsOnlyThePathsLines()
    {
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn5");
        QCOMPARE(pixel(window, 395, 188), QColor(Qt::black)); // line 6->8 before
        // Path 3 (B, E, H): nodes 1, 3, 6, 8 and line 6->8, not 5->8.
        window->activityTable().working(5).normalDuration = QStringLiteral("30"); // E
        window->AnalysePaths();
        QCOMPARE(window->analysis().criticalPath, 3);
        window->HighlightCriticalPath();
        QCOMPARE(pixel(window, 20, 165), kGreen); // node 1 filled
        QCOMPARE(pixel(window, 11, 165), kRed); // its outline
        QCOMPARE(pixel(window, 395, 188), kRed); // line 6->8
        QCOMPARE(pixel(window, 445, 155), QColor(Qt::black)); // line 5->8 stays black
        QCOMPARE(pixel(window, 335, 55), QApplication::palette().color(QPalette::Base)); // node 4
    }

    void highlightFillPerSet_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("set 2") << 2 << QColor(189, 249, 248);
        QTest::newRow("set 3") << 3 << kGreen;
        QTest::newRow("set 4") << 4 << kGreen;
        QTest::newRow("set 5") << 5 << QColor(0, 128, 255);
    }
    void highlightFillPerSet()
    {
        QFETCH(int, set);
        QFETCH(QColor, fill);
        ExerciseWindow *window = fresh(set);
        click(window, "BitBtn5");
        window->HighlightCriticalPath();
        QCOMPARE(pixel(window, 20, 165), fill);
        QCOMPARE(pixel(window, 11, 165), kRed);
    }

    void pictureSurvivesARepaint()
    {
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn5");
        window->HighlightCriticalPath();
        auto *box = child<PaintBox>(window, "PaintBox1");
        box->repaint();
        const QImage shown = box->grab().toImage();
        QCOMPARE(shown.pixelColor(20, 165), kGreen);
        QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::black));
        // Hiding and showing again starts with a blank area.
        window->hide();
        platform::showModeless(window);
        QCOMPARE(box->grab().toImage().pixelColor(20, 165), QColor(Qt::white));
    }

    void openingThePanelFillsItFromTheWorkingRows()
    {
        ExerciseWindow *window = fresh(2);
        window->activityTable().working(3).normalDuration = QStringLiteral("3");
        click(window, "BitBtn1");
        QVERIFY(child<QWidget>(window, "Panel3")->isVisible());
        QVERIFY(!child<QPushButton>(window, "BitBtn1")->isEnabled());
        QVERIFY(child<QPushButton>(window, "BitBtn2")->isEnabled());
        QVERIFY(child<QPushButton>(window, "BitBtn3")->isEnabled());
        QCOMPARE(text(window, "Edit1"), QStringLiteral("8"));
        QCOMPARE(text(window, "Edit7"), QStringLiteral("3")); // C normal
        QCOMPARE(text(window, "Edit11"), QStringLiteral("1800")); // C cost
        QCOMPARE(text(window, "Edit24"), QStringLiteral("2800")); // H cost
        click(window, "BitBtn6");
    }

    void saveStoresTextsAsTypedAndResetsTheCrashingControls()
    {
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn5");
        const AnalysisState before = window->analysis();
        child<QListWidget>(window, "ListBox1")->addItem(QStringLiteral("log"));
        child<QLineEdit>(window, "Edit28")->setText(QStringLiteral("30"));
        saveEdits(window,
                  {{"Edit1", QStringLiteral(" 5")},
                   {"Edit3", QStringLiteral("abc")},
                   {"Edit27", QString()}});
        QCOMPARE(window->activityTable().working(1).normalDuration, QStringLiteral(" 5"));
        QCOMPARE(window->activityTable().working(1).crashCostPerDay, QStringLiteral("abc"));
        QVERIFY(window->activityTable().working(9).crashCostPerDay.isEmpty());
        auto *grid = child<QTableWidget>(window, "StringGrid1");
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("        5"));
        QCOMPARE(grid->item(1, 4)->text(), QStringLiteral("       abc"));
        QCOMPARE(child<QListWidget>(window, "ListBox1")->count(), 0);
        QCOMPARE(text(window, "Edit28"), QStringLiteral("0"));
        QCOMPARE(text(window, "Edit29"), QStringLiteral("0"));
        QCOMPARE(text(window, "Label51"), QStringLiteral("0.00"));
        QCOMPARE(text(window, "Label53"), QStringLiteral("ควร >= 27"));
        QVERIFY(!child<QWidget>(window, "Panel3")->isVisible());
        QVERIFY(child<QPushButton>(window, "BitBtn1")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "BitBtn3")->isEnabled());
        QVERIFY(child<QPushButton>(window, "BitBtn5")->isVisible());
        QCOMPARE(pixel(window, 1, 1), QColor(Qt::white)); // the picture is gone
        QCOMPARE(window->analysis().projectDuration, before.projectDuration);
        // Building again uses the saved texts: " 5" converts.
        window->activityTable().working(1).crashCostPerDay = QStringLiteral("150");
        click(window, "BitBtn5");
        QCOMPARE(window->analysis().pathLength[0], 27);
    }

    void cancelAndStartOverBringBackTheBuiltInData_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("cancel") << "BitBtn2";
        QTest::newRow("start over") << "BitBtn6";
    }
    void cancelAndStartOverBringBackTheBuiltInData()
    {
        QFETCH(QString, button);
        ExerciseWindow *window = fresh(3);
        saveEdits(window, {{"Edit1", QStringLiteral("12")}});
        click(window, "BitBtn1");
        child<QLineEdit>(window, "Edit4")->setText(QStringLiteral("1")); // never stored
        click(window, button.toLatin1().constData());
        QVERIFY(!child<QWidget>(window, "Panel3")->isVisible());
        QVERIFY(child<QPushButton>(window, "BitBtn1")->isEnabled());
        QVERIFY(!child<QPushButton>(window, "BitBtn2")->isEnabled());
        QCOMPARE(window->activityTable().working(1).normalDuration, QStringLiteral("10"));
        QCOMPARE(window->activityTable().working(2).normalDuration, QStringLiteral("8"));
        QCOMPARE(text(window, "Edit29"), QStringLiteral("29"));
        QCOMPARE(text(window, "Label53"), QStringLiteral("ควร >= 23"));
        QCOMPARE(pixel(window, 1, 1), QColor(Qt::black)); // drawn again
        // Neither changes the build button's visibility: the save showed it.
        QVERIFY(child<QPushButton>(window, "BitBtn5")->isVisible());
    }

    void buildWhileThePanelIsOpenUsesTheWorkingRows()
    {
        ExerciseWindow *window = fresh(3);
        click(window, "BitBtn1");
        child<QLineEdit>(window, "Edit1")->setText(QStringLiteral("12"));
        click(window, "BitBtn5");
        QVERIFY(child<QWidget>(window, "Panel3")->isVisible());
        QVERIFY(!child<QPushButton>(window, "BitBtn1")->isEnabled());
        QCOMPARE(window->analysis().pathLength[0], 27);
        // Ties go to the lower path once the text is saved.
        click(window, "BitBtn3");
        click(window, "BitBtn5");
        QCOMPARE(window->analysis().pathLength[0], 29);
        QCOMPARE(window->analysis().pathLength[1], 29);
        QCOMPARE(window->analysis().criticalPath, 1);
    }

    void badDurationsStopTheAnalysis_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("trailing blank") << "7 ";
        QTest::newRow("empty") << "";
        QTest::newRow("decimal") << "7.5";
        QTest::newRow("word") << "seven";
        QTest::newRow("huge") << "99999999999";
    }
    void badDurationsStopTheAnalysis()
    {
        QFETCH(QString, typed);
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn5");
        guitest::BoxRecorder boxes;
        saveEdits(window, {{"Edit8", typed}}); // D normal: path 2
        click(window, "BitBtn5");
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        QCOMPARE(boxes.shown[0].record.text,
                 QStringLiteral("'%1' is not a valid integer value.").arg(typed));
        QCOMPARE(text(window, "Edit29"), QStringLiteral("0"));
        QCOMPARE(text(window, "Label53"), QStringLiteral("ควร >= 27"));
        QCOMPARE(window->analysis().pathLength[0], 29); // stored before the failing path
        // Start over recovers.
        click(window, "BitBtn6");
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        QCOMPARE(text(window, "Edit29"), QStringLiteral("32"));
    }

    void pathSumsOutsideThirtyTwoBitsAreReported()
    {
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn5");
        guitest::BoxRecorder boxes;
        saveEdits(
            window,
            {{"Edit4", QStringLiteral("2000000000")}, {"Edit13", QStringLiteral("2000000000")}});
        click(window, "BitBtn5");
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        QCOMPARE(boxes.shown[0].record.caption, platform::applicationTitle());
        QVERIFY(boxes.shown[0].record.text.contains(QStringLiteral("สายงานที่ 3")));
        QCOMPARE(window->analysis().pathLength[1], 31); // paths before the overflow are stored
        QCOMPARE(text(window, "Edit29"), QStringLiteral("0"));
    }

    void tabLeadsFromCNormalToDNormal()
    {
        ExerciseWindow *window = fresh(1);
        click(window, "BitBtn1");
        QApplication::setActiveWindow(window);
        auto *edit7 = child<QLineEdit>(window, "Edit7");
        edit7->setFocus();
        QTest::keyClick(edit7, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(window, "Edit8"));
        click(window, "BitBtn6");
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
