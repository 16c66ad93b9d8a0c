// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"
#include "studentsupport.h"

#include "canvas.h"
#include "exercisewindow.h"
#include "networkdrawing.h"
#include "tforms.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <vector>

// Set 1 walked the way a student goes through it: the menu, the build button, a target
// typed into Edit28, the start button and every message box answered for real, then start
// over, close and choose the set again. The boxes run their own modal loops; a timer
// stands in for the student who reads each one, looks at the window behind it and presses
// its button.

using namespace guitest;
using platform::Canvas;
using platform::PaintBox;

namespace {

const QString kIndent = QStringLiteral("       ");

QStringList indented(const QStringList &cells)
{
    QStringList result;
    for (const QString &cell : cells)
        result << kIndent + cell;
    return result;
}

// Set 1's built-in rows, column by column, as the grid shows them.
const QStringList kActivities = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
const QStringList kPredecessors = {"-", "-", "A", "A", "B", "B", "C", "D , E", "F"};
const QStringList kNormal = {"7", "8", "9", "11", "8", "10", "13", "13", "14"};
const QStringList kCrash = {"6", "6", "7", "9", "5", "7", "11", "12", "10"};
const QStringList kCost = {"150", "75", "200", "125", "115", "100", "200", "100", "125"};

// Inside each node's circle, left of its number: (left + 10, top + 25).
const QPoint kNode[]
    = {{20, 165}, {160, 55}, {160, 275}, {330, 55}, {330, 125}, {330, 195}, {330, 275}, {480, 165}};
const QPoint kLabelPoints[] = {{80, 80},   {80, 220}, {250, 20},  {250, 120}, {250, 180},
                               {250, 285}, {420, 80}, {380, 150}, {420, 225}};
const std::vector<std::vector<int>> kPathNodes
    = {{1, 2, 4, 8}, {1, 2, 5, 8}, {1, 3, 6, 8}, {1, 3, 7, 8}};

const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);

QColor nodeFill(const QImage &image, int node)
{
    return image.pixelColor(kNode[node - 1]);
}

// The drawing of the network for the given durations, optionally with one path
// highlighted, made with the program's own drawing functions on a canvas like the window's.
QImage reference(ExerciseWindow *window, const QStringList &durations, int path)
{
    const Canvas &shown = child<PaintBox>(window, "PaintBox1")->canvas();
    Canvas canvas(shown.image().size(), shown.background());
    canvas.setFont(shown.font());
    ActivityTable table(window->set().practice.capacity);
    for (int k = 1; k <= window->activityCount(); ++k)
        table.working(k).normalDuration = durations[k - 1];
    const QPalette palette = QApplication::palette();
    drawNetwork(canvas, window->set().network, table,
                NetworkColors {palette.color(QPalette::Base), palette.color(QPalette::WindowText)});
    if (path > 0)
        highlightPath(canvas, window->set().network, path);
    return canvas.image();
}

// The smallest rectangle holding every pixel in which the two pictures differ.
QRect difference(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The window as a fresh visit leaves it: built-in rows, no logs, zeros and a blank picture.
void checkFreshVisit(ExerciseWindow *window)
{
    QVERIFY(window->isVisible());
    QCOMPARE(gridColumn(window, 0, 9), indented(kActivities));
    QCOMPARE(gridColumn(window, 1, 9), indented(kPredecessors));
    QCOMPARE(gridColumn(window, 2, 9), indented(kNormal));
    QCOMPARE(gridColumn(window, 3, 9), indented(kCrash));
    QCOMPARE(gridColumn(window, 4, 9), indented(kCost));
    QCOMPARE(gridColumn(window, 2, 10).last(), QString()); // row 10 stays empty
    QCOMPARE(lines(window, "ListBox1"), QStringList());
    QCOMPARE(lines(window, "ListBox2"), QStringList());
    QCOMPARE(text(window, "Edit28"), QStringLiteral("0"));
    QCOMPARE(text(window, "Edit29"), QStringLiteral("0"));
    QCOMPARE(text(window, "Label51"), QStringLiteral("0.00"));
    QCOMPARE(text(window, "Label53"), QStringLiteral("-"));
    QVERIFY(child<QPushButton>(window, "BitBtn5")->isVisible());
    const QWidget *panel1 = child<QWidget>(window, "Panel1");
    QImage blank(picture(window).size(), QImage::Format_RGB32);
    blank.fill(panel1->palette().color(panel1->backgroundRole()));
    QVERIFY(!picture(window).isNull());
    QCOMPARE(picture(window), blank);
}

// The network drawn for the built-in data, with no path highlighted.
void checkBuiltInDrawing(ExerciseWindow *window)
{
    const QImage &image = picture(window);
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black)); // the frame
    for (const QPoint &at : kLabelPoints)
        QCOMPARE(image.pixelColor(at + QPoint(1, 1)), kYellow);
    for (int node = 1; node <= 8; ++node)
        QCOMPARE(nodeFill(image, node), QApplication::palette().color(QPalette::Base));
    QCOMPARE(image, reference(window, kNormal, 0));
}

const QString kHeader = QStringLiteral("ตรวจสอบครั้งที่ ");

} // namespace

class RoadTest : public QObject {
    Q_OBJECT

private:
    ExerciseWindow *m_window = nullptr;

private slots:
    void initTestCase()
    {
        guitest::startProgram();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        m_window = Form3;
    }
    void cleanupTestCase() { destroyForms(); }

    // 1. "ชุดเสริมทักษะ 1" in the main menu.
    void theMenuShowsTheSetReset()
    {
        QVERIFY(!m_window->isVisible());
        child<QAction>(Form1, "N12")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        checkFreshVisit(m_window);
    }

    // 2. "สร้าง PERT/CPM".
    void buildingDrawsAndAnalyses()
    {
        QTest::mouseClick(child<QPushButton>(m_window, "BitBtn5"), Qt::LeftButton);
        QVERIFY(!child<QPushButton>(m_window, "BitBtn5")->isVisible());
        QCOMPARE(text(m_window, "Edit29"), QStringLiteral("32"));
        QCOMPARE(text(m_window, "Label53"), QStringLiteral("ควร >= 27"));
        checkBuiltInDrawing(m_window);
        QCOMPARE(lines(m_window, "ListBox1"), QStringList());
        QCOMPARE(text(m_window, "Label51"), QStringLiteral("0.00"));
    }

    // 3 and 4. 28 typed into Edit28, "เริ่มดำเนินการเร่งรัด", five boxes confirmed.
    void crashingToTwentyEight()
    {
        auto *edit28 = child<QLineEdit>(m_window, "Edit28");
        QTest::mouseClick(edit28, Qt::LeftButton);
        QTest::keyClick(edit28, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit28, QStringLiteral("28"));
        QCOMPARE(edit28->text(), QStringLiteral("28"));

        Student student(m_window);
        QTest::mouseClick(child<QPushButton>(m_window, "BitBtn4"), Qt::LeftButton);
        const std::vector<Moment> &seen = student.moments;

        struct Expected {
            const char *message;
            std::vector<const char *> durations;
            const char *edit29;
            const char *label51;
            int highlighted; // the path drawn in red before the cut
        };
        const std::vector<Expected> expected = {
            {"คงเหลือวันเร่งจำนวน 3 วัน...",
             {"7", "6", "9", "11", "8", "10", "13", "13", "14"},
             "31",
             "150.00",
             4},
            {"คงเหลือวันเร่งจำนวน 2 วัน...",
             {"7", "6", "9", "11", "8", "10", "13", "12", "14"},
             "30",
             "250.00",
             2},
            {"คงเหลือวันเร่งจำนวน 2 วัน...",
             {"7", "6", "9", "9", "8", "10", "13", "12", "14"},
             "30",
             "500.00",
             2},
            {"คงเหลือวันเร่งจำนวน 1 วัน...",
             {"7", "6", "9", "9", "8", "8", "13", "12", "14"},
             "29",
             "700.00",
             4},
            {"สิ้นสุดการเร่งโครงการ... ",
             {"6", "6", "9", "9", "8", "8", "13", "12", "14"},
             "28",
             "850.00",
             1},
        };
        QCOMPARE(seen.size(), expected.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            const Moment &box = seen[i];
            const Expected &want = expected[i];
            const int iteration = static_cast<int>(i) + 1;
            QCOMPARE(box.title, QStringLiteral("Information"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.text, QString::fromUtf8(want.message));
            // Behind the box: the iteration's lines are written, the grid and the fields
            // show the state after its cut, the picture the state before it.
            QCOMPARE(box.pathLines, 5 * iteration);
            QCOMPARE(box.selectionLines, 2 * iteration);
            QStringList durations;
            for (const char *duration : want.durations)
                durations << kIndent + QString::fromLatin1(duration);
            QCOMPARE(box.durations, durations);
            QCOMPARE(box.edit29, QString::fromLatin1(want.edit29));
            QCOMPARE(box.label53, QStringLiteral("ควร >= 27"));
            QCOMPARE(box.label51, QString::fromLatin1(want.label51));
            const std::vector<int> &red
                = kPathNodes[static_cast<std::size_t>(want.highlighted - 1)];
            for (int node = 1; node <= 8; ++node) {
                const bool onPath = std::find(red.begin(), red.end(), node) != red.end();
                QCOMPARE(nodeFill(box.picture, node) == kGreen, onPath);
            }
        }

        const QStringList pathLog = {
            "ตรวจสอบครั้งที่ 1",
            "    สายงานที่ 1 : A+C+G = 29 ",
            "    สายงานที่ 2 : A+D+H = 31 ",
            "    สายงานที่ 3 : B+E+H = 29 ",
            "    สายงานที่ 4 : B+F+I = 32 <---- สายงานวิกฤต",
            "ตรวจสอบครั้งที่ 2",
            "    สายงานที่ 1 : A+C+G = 29 ",
            "    สายงานที่ 2 : A+D+H = 31 <---- สายงานวิกฤต",
            "    สายงานที่ 3 : B+E+H = 27 ",
            "    สายงานที่ 4 : B+F+I = 30 ",
            "ตรวจสอบครั้งที่ 3",
            "    สายงานที่ 1 : A+C+G = 29 ",
            "    สายงานที่ 2 : A+D+H = 30 <---- สายงานวิกฤต",
            "    สายงานที่ 3 : B+E+H = 26 ",
            "    สายงานที่ 4 : B+F+I = 30 ",
            "ตรวจสอบครั้งที่ 4",
            "    สายงานที่ 1 : A+C+G = 29 ",
            "    สายงานที่ 2 : A+D+H = 28 ",
            "    สายงานที่ 3 : B+E+H = 26 ",
            "    สายงานที่ 4 : B+F+I = 30 <---- สายงานวิกฤต",
            "ตรวจสอบครั้งที่ 5",
            "    สายงานที่ 1 : A+C+G = 29 <---- สายงานวิกฤต",
            "    สายงานที่ 2 : A+D+H = 28 ",
            "    สายงานที่ 3 : B+E+H = 26 ",
            "    สายงานที่ 4 : B+F+I = 28 ",
            "สิ้นสุดการเร่งโครงการ....",
            "    สายงานที่ 1 : A+C+G = 28",
            "    สายงานที่ 2 : A+D+H = 27",
            "    สายงานที่ 3 : B+E+H = 26",
            "    สายงานที่ 4 : B+F+I = 28",
        };
        const QStringList selectionLog = {
            "ตรวจสอบครั้งที่ 1", "เลือกกิจกรรม B ค่าใช้จ่าย 75 บาทต่อวัน  จำนวน 2 วัน  = 150 บาท",
            "ตรวจสอบครั้งที่ 2", "เลือกกิจกรรม H ค่าใช้จ่าย 100 บาทต่อวัน  จำนวน 1 วัน  = 100 บาท",
            "ตรวจสอบครั้งที่ 3", "เลือกกิจกรรม D ค่าใช้จ่าย 125 บาทต่อวัน  จำนวน 2 วัน  = 250 บาท",
            "ตรวจสอบครั้งที่ 4", "เลือกกิจกรรม F ค่าใช้จ่าย 100 บาทต่อวัน  จำนวน 2 วัน  = 200 บาท",
            "ตรวจสอบครั้งที่ 5", "เลือกกิจกรรม A ค่าใช้จ่าย 150 บาทต่อวัน  จำนวน 1 วัน  = 150 บาท",
        };
        QCOMPARE(lines(m_window, "ListBox1"), pathLog);
        QCOMPARE(lines(m_window, "ListBox2"), selectionLog);
        QCOMPARE(text(m_window, "Label51"), QStringLiteral("850.00"));
        QCOMPARE(text(m_window, "Edit29"), QStringLiteral("28"));
        QCOMPARE(text(m_window, "Label53"), QStringLiteral("ควร >= 27"));
        QCOMPARE(text(m_window, "Edit28"), QStringLiteral("28"));
        QCOMPARE(gridColumn(m_window, 2, 9),
                 indented({"6", "6", "9", "9", "8", "8", "13", "12", "14"}));
        // The crash data itself is untouched by the run.
        QCOMPARE(gridColumn(m_window, 3, 9), indented(kCrash));
        QCOMPARE(gridColumn(m_window, 4, 9), indented(kCost));
    }

    // After the last box the picture is not drawn again: it shows the start of iteration 5,
    // path 1 (A, C, G) in red and A still labelled with 7 days.
    void thePictureKeepsTheLastIterationsStart()
    {
        const QImage &image = picture(m_window);
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black));
        for (int node : {1, 2, 4, 8})
            QCOMPARE(nodeFill(image, node), kGreen);
        for (int node : {3, 5, 6, 7})
            QCOMPARE(nodeFill(image, node), QApplication::palette().color(QPalette::Base));
        for (const QPoint &at : kLabelPoints)
            QCOMPARE(image.pixelColor(at + QPoint(1, 1)), kYellow);

        const QStringList before = {"7", "6", "9", "9", "8", "8", "13", "12", "14"};
        const QStringList after = {"6", "6", "9", "9", "8", "8", "13", "12", "14"};
        const QImage drawnBefore = reference(m_window, before, 1);
        const QImage drawnAfter = reference(m_window, after, 1);
        // The two possible pictures differ only in A's label, right of its label point.
        const QRect labelA = difference(drawnBefore, drawnAfter);
        QVERIFY(!labelA.isEmpty());
        QVERIFY2(QRect(80, 80, 60, 50).contains(labelA),
                 qPrintable(QStringLiteral("differences at %1,%2 %3x%4")
                                .arg(labelA.x())
                                .arg(labelA.y())
                                .arg(labelA.width())
                                .arg(labelA.height())));
        QVERIFY(image.copy(labelA) == drawnBefore.copy(labelA));
        QVERIFY(image.copy(labelA) != drawnAfter.copy(labelA));
        QCOMPARE(image, drawnBefore);
    }

    // 5. "เริ่มใหม่": the built-in data again, drawn and analysed, logs and total cleared.
    void startingOverBringsBackTheBuiltInData()
    {
        QTest::mouseClick(child<QPushButton>(m_window, "BitBtn6"), Qt::LeftButton);
        QCOMPARE(gridColumn(m_window, 2, 9), indented(kNormal));
        QCOMPARE(gridColumn(m_window, 0, 9), indented(kActivities));
        QCOMPARE(lines(m_window, "ListBox1"), QStringList());
        QCOMPARE(lines(m_window, "ListBox2"), QStringList());
        QCOMPARE(text(m_window, "Edit28"), QStringLiteral("0"));
        QCOMPARE(text(m_window, "Edit29"), QStringLiteral("32"));
        QCOMPARE(text(m_window, "Label53"), QStringLiteral("ควร >= 27"));
        QCOMPARE(text(m_window, "Label51"), QStringLiteral("0.00"));
        checkBuiltInDrawing(m_window);
        // Start over leaves the build button as it was: hidden since step 2.
        QVERIFY(!child<QPushButton>(m_window, "BitBtn5")->isVisible());
    }

    // Closing the window and choosing the set again: reset as on the first visit.
    void closingAndChoosingAgainResets()
    {
        QVERIFY(m_window->close());
        QVERIFY(!m_window->isVisible());
        QVERIFY(Form1->isVisible());
        child<QAction>(Form1, "N12")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        checkFreshVisit(m_window);
    }
};

int main(int argc, char *argv[])
{
    // The C locale, as CI's C.UTF-8 gives, on every system (see crashing_test).
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    RoadTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "road_test.moc"
