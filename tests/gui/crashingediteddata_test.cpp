// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"

#include "crashlog.h"
#include "exercisewindow.h"
#include "tforms.h"
#include "windowmanagement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>

#include <initializer_list>
#include <utility>
#include <vector>

// Crashing runs of set 1 with bad input, edited data and a second run, and set 2's tie in
// cost, under a German system locale: the cost total takes the locale's separators,
// 1.150,00 where the C locale writes 1,150.00.

using namespace guitest;

namespace {

const char *const kLeft3 = "คงเหลือวันเร่งจำนวน 3 วัน...";
const char *const kFinished = "สิ้นสุดการเร่งโครงการ... ";

} // namespace

class CrashingEditedDataTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        guitest::startProgram();
        Form1->show();
        QCOMPARE(QLocale().name(), QStringLiteral("de_DE"));
    }
    void cleanupTestCase() { destroyForms(); }

    void totalTakesTheSystemSeparators()
    {
        ExerciseWindow *window = Form3;
        reopen(window);
        build(window);
        BoxRecorder boxes(window);
        start(window, QStringLiteral("27"));
        QStringList totals;
        for (const Shown &box : boxes.shown)
            totals << box.label51;
        QCOMPARE(totals,
                 QStringList({"150,00", "250,00", "500,00", "800,00", "950,00", "1.150,00"}));
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("1.150,00"));
    }

    void setTwoPrefersTheEarlierOfEqualCosts()
    {
        ExerciseWindow *window = Form4;
        reopen(window);
        build(window);
        BoxRecorder boxes(window);
        start(window, QStringLiteral("46"));
        const QStringList path = lines(window, "ListBox1");
        QCOMPARE(path.mid(0, 5),
                 QStringList({QStringLiteral("ตรวจสอบครั้งที่ 1"),
                              QStringLiteral("    สายงานที่ 1 : A+B+D+E+H   = 52 <---- สายงานวิกฤต"),
                              QStringLiteral("    สายงานที่ 2 : A+C+D+F+G+H = 44 "),
                              QStringLiteral("    สายงานที่ 3 : A+C+D+E+H   = 52 "),
                              QStringLiteral("    สายงานที่ 4 : A+B+D+F+G+H = 44 ")}));
        // A (2200) gives way to B (2000) and then D (1800); E, also at 1800, does not win.
        QCOMPARE(
            lines(window, "ListBox2").mid(0, 2),
            QStringList(
                {QStringLiteral("ตรวจสอบครั้งที่ 1"),
                 QStringLiteral("เลือกกิจกรรม D ค่าใช้จ่าย 1800 บาทต่อวัน  จำนวน 1 สัปดาห์  = 1800 บาท")}));
        QVERIFY(!boxes.shown.empty());
        QCOMPARE(boxes.shown[0].record.text, QStringLiteral("คงเหลือวันเร่งจำนวน 5 วัน..."));
        QCOMPARE(boxes.shown[0].label51, QStringLiteral("1.800,00"));
    }

    void targetThatIsNotAWholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("decimal") << QStringLiteral("7.5");
        QTest::newRow("word") << QStringLiteral("เจ็ด");
        QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999");
    }
    void targetThatIsNotAWholeNumber()
    {
        QFETCH(QString, text);
        ExerciseWindow *window = Form3;
        reopen(window);
        build(window);
        {
            BoxRecorder boxes(window);
            start(window, QStringLiteral("31"));
        }
        const QStringList path = lines(window, "ListBox1");
        const QStringList selection = lines(window, "ListBox2");
        const QString durations = gridDurations(window);
        const CrashingState state = window->crashing();

        BoxRecorder boxes(window);
        start(window, text);
        QCOMPARE(boxes.shown.size(), std::size_t {1});
        const platform::MessageRecord &box = boxes.shown[0].record;
        QCOMPARE(box.type, platform::MessageType::Error);
        QCOMPARE(box.caption, platform::applicationTitle());
        QCOMPARE(box.caption, QStringLiteral("Crashingediteddata_test"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.text, QStringLiteral("'%1' is not a valid integer value.").arg(text));
        QCOMPARE(lines(window, "ListBox1"), path);
        QCOMPARE(lines(window, "ListBox2"), selection);
        QCOMPARE(gridDurations(window), durations);
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("75,00"));
        QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QStringLiteral("31"));
        QCOMPARE(window->crashing().targetDuration, state.targetDuration);
        QCOMPARE(window->crashing().checkRound, state.checkRound);
        QCOMPARE(window->crashing().remainingReduction, state.remainingReduction);
        QCOMPARE(window->crashing().totalCrashCost, state.totalCrashCost);
    }

    void secondRunContinuesFromTheCrashedData()
    {
        ExerciseWindow *window = Form3;
        reopen(window);
        build(window);
        {
            BoxRecorder boxes(window);
            start(window, QStringLiteral("28"));
        }
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("850,00"));
        {
            // Nothing to cut: the total shown stays although the run starts from zero.
            BoxRecorder boxes(window);
            start(window, QStringLiteral("28"));
            QVERIFY(boxes.shown.empty());
            QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("850,00"));
            QCOMPARE(window->crashing().totalCrashCost, engine::practice::CostTotal());
        }
        const QStringList earlierPath = lines(window, "ListBox1");
        const QStringList earlierSelection = lines(window, "ListBox2");

        BoxRecorder boxes(window);
        start(window, QStringLiteral("27"));
        const QStringList path = lines(window, "ListBox1");
        const QStringList selection = lines(window, "ListBox2");
        QCOMPARE(path.mid(0, earlierPath.size()), earlierPath);
        QCOMPARE(selection.mid(0, earlierSelection.size()), earlierSelection);
        QCOMPARE(path.mid(earlierPath.size()),
                 QStringList({QStringLiteral("ตรวจสอบครั้งที่ 1"),
                              QStringLiteral("    สายงานที่ 1 : A+C+G = 28 <---- สายงานวิกฤต"),
                              QStringLiteral("    สายงานที่ 2 : A+D+H = 27 "),
                              QStringLiteral("    สายงานที่ 3 : B+E+H = 26 "),
                              QStringLiteral("    สายงานที่ 4 : B+F+I = 28 "),
                              QStringLiteral("ตรวจสอบครั้งที่ 2"),
                              QStringLiteral("    สายงานที่ 1 : A+C+G = 27 "),
                              QStringLiteral("    สายงานที่ 2 : A+D+H = 27 "),
                              QStringLiteral("    สายงานที่ 3 : B+E+H = 26 "),
                              QStringLiteral("    สายงานที่ 4 : B+F+I = 28 <---- สายงานวิกฤต"),
                              QStringLiteral("สิ้นสุดการเร่งโครงการ...."),
                              QStringLiteral("    สายงานที่ 1 : A+C+G = 27"),
                              QStringLiteral("    สายงานที่ 2 : A+D+H = 27"),
                              QStringLiteral("    สายงานที่ 3 : B+E+H = 26"),
                              QStringLiteral("    สายงานที่ 4 : B+F+I = 27")}));
        QCOMPARE(selection.mid(earlierSelection.size()),
                 QStringList(
                     {QStringLiteral("ตรวจสอบครั้งที่ 1"),
                      QStringLiteral("เลือกกิจกรรม C ค่าใช้จ่าย 200 บาทต่อวัน  จำนวน 1 วัน  = 200 บาท"),
                      QStringLiteral("ตรวจสอบครั้งที่ 2"),
                      QStringLiteral("เลือกกิจกรรม F ค่าใช้จ่าย 100 บาทต่อวัน  จำนวน 1 วัน  = 100 บาท")}));
        QCOMPARE(boxes.shown.size(), std::size_t {2});
        QCOMPARE(boxes.shown[0].label51, QStringLiteral("200,00"));
        QCOMPARE(boxes.shown[1].label51, QStringLiteral("300,00"));
        QCOMPARE(window->crashing().checkRound, 3);
    }

    void runThatCannotFinishEndsByItself_data()
    {
        QTest::addColumn<QString>("costF");
        QTest::addColumn<QString>("costI");
        QTest::addColumn<bool>("stuck");
        QTest::addColumn<QString>("total");
        QTest::newRow("999999 and more never chosen") << "999999"
                                                      << "1000000" << true << "500,00";
        QTest::newRow("999998 beats the start value") << "999998"
                                                      << "999999" << false << "3.000.844,00";
    }
    void runThatCannotFinishEndsByItself()
    {
        QFETCH(QString, costF);
        QFETCH(QString, costI);
        QFETCH(bool, stuck);
        QFETCH(QString, total);
        ExerciseWindow *window = Form3;
        reopen(window);
        saveEdits(window, {{"Edit18", costF}, {"Edit27", costI}});
        build(window);
        BoxRecorder boxes(window);
        start(window, QStringLiteral("27"));
        QCOMPARE(child<QLabel>(window, "Label51")->text(), total);
        const QStringList path = lines(window, "ListBox1");
        // B, H and D are cut; then B has no days left and F and I cost too much.
        QCOMPARE(path.at(path.size() - 5), QStringLiteral("สิ้นสุดการเร่งโครงการ...."));
        if (!stuck) {
            QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QStringLiteral("27"));
            QCOMPARE(boxes.shown.back().record.text, QString::fromUtf8(kFinished));
            return;
        }
        QCOMPARE(boxes.shown.size(), std::size_t {4});
        QCOMPARE(boxes.shown[2].record.text, QString::fromUtf8(kLeft3));
        QCOMPARE(boxes.shown[3].record.type, platform::MessageType::Information);
        QCOMPARE(boxes.shown[3].record.caption, QStringLiteral("Information"));
        QCOMPARE(boxes.shown[3].record.text, cannotShortenMessage());
        QCOMPARE(path.mid(path.size() - 10),
                 QStringList({QStringLiteral("ตรวจสอบครั้งที่ 4"),
                              QStringLiteral("    สายงานที่ 1 : A+C+G = 29 "),
                              QStringLiteral("    สายงานที่ 2 : A+D+H = 28 "),
                              QStringLiteral("    สายงานที่ 3 : B+E+H = 26 "),
                              QStringLiteral("    สายงานที่ 4 : B+F+I = 30 <---- สายงานวิกฤต"),
                              QStringLiteral("สิ้นสุดการเร่งโครงการ...."),
                              QStringLiteral("    สายงานที่ 1 : A+C+G = 29"),
                              QStringLiteral("    สายงานที่ 2 : A+D+H = 28"),
                              QStringLiteral("    สายงานที่ 3 : B+E+H = 26"),
                              QStringLiteral("    สายงานที่ 4 : B+F+I = 30")}));
        QCOMPARE(lines(window, "ListBox2").size(), 7);
        QCOMPARE(lines(window, "ListBox2").last(), QStringLiteral("ตรวจสอบครั้งที่ 4"));
        QCOMPARE(window->crashing().remainingReduction, 3);
    }

    void targetIsCheckedAgainstTheDataShown()
    {
        ExerciseWindow *window = Form3;
        reopen(window);
        build(window);
        // I at 8 days: path 4 drops to 26 and the project to 31, still bounded by 27.
        saveEdits(window, {{"Edit25", QStringLiteral("8")}});
        QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QStringLiteral("0"));
        {
            BoxRecorder boxes(window);
            start(window, QStringLiteral("32"));
            QCOMPARE(boxes.shown.size(), std::size_t {1});
            QCOMPARE(boxes.shown[0].record.caption, QStringLiteral("Error"));
            QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QStringLiteral("31"));
            QCOMPARE(child<QLabel>(window, "Label53")->text(), QStringLiteral("ควร >= 27"));
            QVERIFY(lines(window, "ListBox1").isEmpty());
        }
        {
            BoxRecorder boxes(window);
            start(window, QStringLiteral("31"));
            QVERIFY(boxes.shown.empty());
            QCOMPARE(lines(window, "ListBox1").last(),
                     QStringLiteral("    สายงานที่ 4 : B+F+I = 26"));
        }
        // Reopened, the window holds the built-in data again; the last analysis said 31.
        reopen(window);
        BoxRecorder boxes(window);
        start(window, QStringLiteral("32"));
        QVERIFY(boxes.shown.empty());
        QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QStringLiteral("32"));
        QCOMPARE(lines(window, "ListBox1").last(), QStringLiteral("    สายงานที่ 4 : B+F+I = 32"));
    }

    void badCostMetDuringARunEndsIt()
    {
        ExerciseWindow *window = Form3;
        reopen(window);
        saveEdits(window, {{"Edit12", QStringLiteral("abc")}});
        build(window);
        BoxRecorder boxes(window);
        start(window, QStringLiteral("28"));
        // Iteration 1 cuts B; iteration 2 reaches D's cost on path 2 and stops there.
        QCOMPARE(boxes.shown.size(), std::size_t {2});
        QCOMPARE(boxes.shown[0].record.text, QString::fromUtf8(kLeft3));
        const platform::MessageRecord &error = boxes.shown[1].record;
        QCOMPARE(error.type, platform::MessageType::Error);
        QCOMPARE(error.caption, platform::applicationTitle());
        QCOMPARE(error.text, QStringLiteral("'abc' is not a valid integer value."));
        const QStringList path = lines(window, "ListBox1");
        QCOMPARE(path.size(), 10);
        QCOMPARE(path.at(5), QStringLiteral("ตรวจสอบครั้งที่ 2"));
        QCOMPARE(path.last(), QStringLiteral("    สายงานที่ 4 : B+F+I = 30 "));
        QCOMPARE(
            lines(window, "ListBox2"),
            QStringList({QStringLiteral("ตรวจสอบครั้งที่ 1"),
                         QStringLiteral("เลือกกิจกรรม B ค่าใช้จ่าย 75 บาทต่อวัน  จำนวน 2 วัน  = 150 บาท"),
                         QStringLiteral("ตรวจสอบครั้งที่ 2")}));
        QCOMPARE(gridDurations(window), QStringLiteral("7 6 9 11 8 10 13 13 14"));
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("150,00"));
        QCOMPARE(window->crashing().checkRound, 2);
    }
};

int main(int argc, char *argv[])
{
    // A German user's locale: comma for decimals, full stop for thousands. Set as the default
    // locale, which the window formats with, so it holds on every system.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    CrashingEditedDataTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crashingediteddata_test.moc"
