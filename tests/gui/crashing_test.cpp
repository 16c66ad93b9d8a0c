// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"

#include "exercisewindow.h"
#include "tforms.h"
#include "windowmanagement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <array>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

// The crashing procedure driven through the buttons of the five exercise windows. The
// program runs under the C locale here, as in CI, where the total still reads 1,150.00.

using namespace guitest;

namespace {

void activate(ExerciseWindow *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QStringList labels(int set)
{
    switch (set) {
    case 1:
        return {
            QStringLiteral("    สายงานที่ 1 : A+C+G = "), QStringLiteral("    สายงานที่ 2 : A+D+H = "),
            QStringLiteral("    สายงานที่ 3 : B+E+H = "), QStringLiteral("    สายงานที่ 4 : B+F+I = ")};
    case 2:
        return {QStringLiteral("    สายงานที่ 1 : A+B+D+E+H   = "),
                QStringLiteral("    สายงานที่ 2 : A+C+D+F+G+H = "),
                QStringLiteral("    สายงานที่ 3 : A+C+D+E+H   = "),
                QStringLiteral("    สายงานที่ 4 : A+B+D+F+G+H = ")};
    case 3:
        return {QStringLiteral("    สายงานที่ 1 : A+C+E = "),
                QStringLiteral("    สายงานที่ 2 : B+D+F = ")};
    case 4:
        return {QStringLiteral("    สายงานที่ 1 : A+C+E+F = "),
                QStringLiteral("    สายงานที่ 2 : B+D+F   = ")};
    default:
        return {QStringLiteral("    สายงานที่ 1 : A+B+D+G+H   = "),
                QStringLiteral("    สายงานที่ 2 : A+B+E+H     = "),
                QStringLiteral("    สายงานที่ 3 : A+C+F+H     = ")};
    }
}

// Whole Baht with a comma every three digits and two decimals, as the C locale writes them.
QString money(qint64 baht)
{
    QString digits = QString::number(baht);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits + QStringLiteral(".00");
}

// Every selection line of the run is well formed, in the set's unit, its iteration cost is
// cost times days, one information box follows each, and Label51 is their sum.
void checkSelectionLines(ExerciseWindow *window, const BoxRecorder &boxes, bool weeks)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^เลือกกิจกรรม [A-I] ค่าใช้จ่าย (\\d+) บาทต่อวัน  จำนวน (\\d+)( วัน| สัปดาห์)  = (\\d+) บาท$"));
    qint64 sum = 0;
    int iterations = 0;
    for (const QString &line : lines(window, "ListBox2")) {
        if (line.startsWith(QStringLiteral("ตรวจสอบครั้งที่ ")))
            continue;
        const QRegularExpressionMatch match = pattern.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QCOMPARE(match.captured(3), weeks ? QStringLiteral(" สัปดาห์") : QStringLiteral(" วัน"));
        QVERIFY(match.captured(2).toInt() > 0);
        QCOMPARE(match.captured(4).toLongLong(),
                 match.captured(1).toLongLong() * match.captured(2).toLongLong());
        sum += match.captured(4).toLongLong();
        ++iterations;
    }
    QCOMPARE(boxes.shown.size(), static_cast<std::size_t>(iterations));
    for (const Shown &box : boxes.shown)
        QCOMPARE(box.record.type, platform::MessageType::Information);
    QCOMPARE(child<QLabel>(window, "Label51")->text(), money(sum));
}

// One iteration of a run of set 1 from its built-in data.
struct Step {
    int critical; // path whose activities are the candidates
    char chosen;
    int cost;
    int cut;
    int iterationCost;
    std::array<int, 4> lengthsAfter;
    const char *message;
    const char *label51;
};
using Steps = std::vector<Step>;

const char *const kLeft3 = "คงเหลือวันเร่งจำนวน 3 วัน...";
const char *const kLeft2 = "คงเหลือวันเร่งจำนวน 2 วัน...";
const char *const kLeft1 = "คงเหลือวันเร่งจำนวน 1 วัน...";
const char *const kFinished = "สิ้นสุดการเร่งโครงการ... ";

const int kProjectDuration[] = {32, 52, 29, 37, 21};
const int kMinimumDuration[] = {27, 46, 23, 28, 17};

} // namespace

Q_DECLARE_METATYPE(Steps)

class CrashingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        guitest::startProgram();
        Form1->show();
        QCOMPARE(QLocale().name(), QStringLiteral("C"));
    }
    void cleanupTestCase() { destroyForms(); }

    void setOneReproducesTheIterationTable_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QString>("durationsAfter");
        QTest::newRow("target 28")
            << 28
            << Steps {{4, 'B', 75, 2, 150, {29, 31, 27, 30}, kLeft3, "150.00"},
                      {2, 'H', 100, 1, 100, {29, 30, 26, 30}, kLeft2, "250.00"},
                      {2, 'D', 125, 2, 250, {29, 28, 26, 30}, kLeft2, "500.00"},
                      {4, 'F', 100, 2, 200, {29, 28, 26, 28}, kLeft1, "700.00"},
                      {1, 'A', 150, 1, 150, {28, 27, 26, 28}, kFinished, "850.00"}}
            << "6 6 9 9 8 8 13 12 14";
        QTest::newRow("target 27")
            << 27
            << Steps {{4, 'B', 75, 2, 150, {29, 31, 27, 30}, "คงเหลือวันเร่งจำนวน 4 วัน...", "150.00"},
                      {2, 'H', 100, 1, 100, {29, 30, 26, 30}, kLeft3, "250.00"},
                      {2, 'D', 125, 2, 250, {29, 28, 26, 30}, kLeft3, "500.00"},
                      {4, 'F', 100, 3, 300, {29, 28, 26, 27}, kLeft2, "800.00"},
                      {1, 'A', 150, 1, 150, {28, 27, 26, 27}, kLeft1, "950.00"},
                      {1, 'C', 200, 1, 200, {27, 27, 26, 27}, kFinished, "1,150.00"}}
            << "6 6 8 9 8 7 13 12 14";
    }
    void setOneReproducesTheIterationTable()
    {
        QFETCH(int, target);
        QFETCH(Steps, steps);
        QFETCH(QString, durationsAfter);
        ExerciseWindow *window = exerciseForm(1);
        reopen(window);
        build(window);
        BoxRecorder boxes(window);
        start(window, QString::number(target));

        // Both logs line by line: path lengths before each cut, the choice after it.
        QStringList path, selection;
        std::array<int, 4> before = {29, 31, 29, 32};
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step &step = steps[i];
            const QString header = QStringLiteral("ตรวจสอบครั้งที่ ") + QString::number(i + 1);
            path << header;
            for (int p = 0; p < 4; ++p) {
                path << labels(1)[p] + QString::number(before[static_cast<std::size_t>(p)])
                        + QStringLiteral(" ")
                        + (p + 1 == step.critical ? QStringLiteral("<---- สายงานวิกฤต") : QString());
            }
            selection << header
                      << QStringLiteral("เลือกกิจกรรม ") + QLatin1Char(step.chosen)
                    + QStringLiteral(" ค่าใช้จ่าย ") + QString::number(step.cost)
                    + QStringLiteral(" บาทต่อวัน  จำนวน ") + QString::number(step.cut)
                    + QStringLiteral(" วัน  = ") + QString::number(step.iterationCost)
                    + QStringLiteral(" บาท");
            before = step.lengthsAfter;
        }
        path << QStringLiteral("สิ้นสุดการเร่งโครงการ....");
        for (int p = 0; p < 4; ++p)
            path << labels(1)[p] + QString::number(before[static_cast<std::size_t>(p)]);
        QCOMPARE(lines(window, "ListBox1"), path);
        QCOMPARE(lines(window, "ListBox2"), selection);

        QCOMPARE(boxes.shown.size(), steps.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Shown &box = boxes.shown[i];
            QCOMPARE(box.record.type, platform::MessageType::Information);
            QCOMPARE(box.record.caption, QStringLiteral("Information"));
            QCOMPARE(box.record.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.record.text, QString::fromUtf8(steps[i].message));
            QCOMPARE(box.label51, QString::fromUtf8(steps[i].label51));
        }
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QString::fromUtf8(steps.back().label51));
        QCOMPARE(gridDurations(window), durationsAfter);
        QCOMPARE(child<QLineEdit>(window, "Edit29")->text(), QString::number(target));
        QCOMPARE(window->crashing().remainingReduction, 0);
        QCOMPARE(window->crashing().checkRound, static_cast<int>(steps.size()) + 1);
    }

    void targetsAtAndBeyondTheBounds_data() { addSets(); }
    void targetsAtAndBeyondTheBounds()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        reopen(window);
        build(window);
        QCOMPARE(window->analysis().projectDuration, kProjectDuration[set - 1]);
        QCOMPARE(window->analysis().minimumDuration, kMinimumDuration[set - 1]);
        {
            // One time unit off, so that the state the rejections must keep is not zero.
            BoxRecorder boxes(window);
            start(window, QString::number(kProjectDuration[set - 1] - 1));
            QVERIFY(!boxes.shown.empty());
        }
        const int project = window->analysis().projectDuration;
        QCOMPARE(project, kProjectDuration[set - 1] - 1);
        const QStringList path = lines(window, "ListBox1");
        const QStringList selection = lines(window, "ListBox2");
        const QString total = child<QLabel>(window, "Label51")->text();
        QVERIFY(total != QStringLiteral("0.00"));
        const CrashingState state = window->crashing();
        auto *edit28 = child<QLineEdit>(window, "Edit28");

        for (const int target : {project + 1, kMinimumDuration[set - 1] - 1}) {
            BoxRecorder boxes(window);
            activate(window);
            if (QTest::currentTestFailed())
                return;
            child<QPushButton>(window, "BitBtn4")->setFocus();
            start(window, QString::number(target));
            QCOMPARE(boxes.shown.size(), std::size_t {1});
            const platform::MessageRecord &box = boxes.shown[0].record;
            QCOMPARE(box.type, platform::MessageType::Error);
            QCOMPARE(box.caption, QStringLiteral("Error"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            QCOMPARE(
                box.text,
                QStringLiteral("ระยะเวลาที่ต้องการเร่งเกินหรือน้อยกว่าระยะเวลาปกติทั้งโครงการ..กรุณาระบุใหม่ "));
            QCOMPARE(QApplication::focusWidget(), edit28);
            QVERIFY(edit28->hasFocus());
            QCOMPARE(lines(window, "ListBox1"), path);
            QCOMPARE(lines(window, "ListBox2"), selection);
            QCOMPARE(child<QLabel>(window, "Label51")->text(), total);
            QCOMPARE(window->crashing().checkRound, state.checkRound);
            QCOMPARE(window->crashing().remainingReduction, state.remainingReduction);
            QCOMPARE(window->crashing().totalCrashCost, state.totalCrashCost);
        }

        // The project duration itself: a run of the closing lines alone.
        BoxRecorder boxes(window);
        start(window, QString::number(project));
        QVERIFY(boxes.shown.empty());
        QStringList expected = path;
        expected << QStringLiteral("สิ้นสุดการเร่งโครงการ....");
        const QStringList pathLabels = labels(set);
        for (qsizetype p = 0; p < pathLabels.size(); ++p)
            expected << pathLabels[p]
                    + QString::number(window->analysis().pathLength[static_cast<std::size_t>(p)]);
        QCOMPARE(lines(window, "ListBox1"), expected);
        QCOMPARE(lines(window, "ListBox2"), selection);
        QCOMPARE(child<QLabel>(window, "Label51")->text(), total);
        QCOMPARE(window->crashing().checkRound, 1);
        QCOMPARE(window->crashing().totalCrashCost, engine::practice::CostTotal());
    }

    void everySetCrashesToItsMinimum_data() { addSets(); }
    void everySetCrashesToItsMinimum()
    {
        QFETCH(int, set);
        ExerciseWindow *window = exerciseForm(set);
        reopen(window);
        build(window);
        const int target = kMinimumDuration[set - 1];
        BoxRecorder boxes(window);
        start(window, QString::number(target));
        QCOMPARE(longestRoute(window), target);
        QCOMPARE(window->analysis().projectDuration, target);
        QCOMPARE(window->crashing().remainingReduction, 0);
        checkSelectionLines(window, boxes, set == 2 || set == 5);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!boxes.shown.empty());
        // Days in the boxes of every set, weeks or not in the selection lines.
        for (std::size_t i = 0; i + 1 < boxes.shown.size(); ++i) {
            const QString &text = boxes.shown[i].record.text;
            QVERIFY2(text.startsWith(QStringLiteral("คงเหลือวันเร่งจำนวน "))
                         && text.endsWith(QStringLiteral(" วัน...")),
                     qPrintable(text));
        }
        QCOMPARE(boxes.shown.back().record.text, QString::fromUtf8(kFinished));
        const QStringList path = lines(window, "ListBox1");
        QCOMPARE(path.at(path.size() - labels(set).size() - 1),
                 QStringLiteral("สิ้นสุดการเร่งโครงการ...."));
        // No activity was shortened below its crash duration.
        for (int k = 1; k <= window->activityCount(); ++k) {
            const ActivityRow &row = window->activityTable().working(k);
            QVERIFY(row.normalDuration.toInt() >= row.crashDuration.toInt());
        }
    }

    void hugeCostsDoNotWrap()
    {
        ExerciseWindow *window = exerciseForm(1);
        reopen(window);
        const QString huge = QStringLiteral("2000000000");
        saveEdits(window, {{"Edit6", huge}, {"Edit18", huge}, {"Edit27", huge}});
        build(window);
        BoxRecorder boxes(window);
        start(window, QStringLiteral("30"));
        QCOMPARE(lines(window, "ListBox2").at(1),
                 QStringLiteral(
                     "เลือกกิจกรรม B ค่าใช้จ่าย 2000000000 บาทต่อวัน  จำนวน 2 วัน  = 4000000000 บาท"));
        QCOMPARE(boxes.shown.size(), std::size_t {2});
        QCOMPARE(boxes.shown[0].label51, QStringLiteral("4,000,000,000.00"));
        QCOMPARE(child<QLabel>(window, "Label51")->text(), QStringLiteral("4,000,000,100.00"));
        checkSelectionLines(window, boxes, false);
    }
};

int main(int argc, char *argv[])
{
    // The C locale, as CI's C.UTF-8 gives; the total must still show its thousands separator.
    // Set as the default locale, which the window formats with, so it holds on every system
    // (Windows takes its locale from the user's settings, never from LC_ALL).
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    CrashingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crashing_test.moc"
