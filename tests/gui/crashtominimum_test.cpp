// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "guitestsupport.h"
#include "studentsupport.h"

#include "canvas.h"
#include "exercisewindow.h"
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
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Sets 2 to 5 walked from the menu to their shortest duration, every message box answered
// for real. What the run must do is worked out a second time by the reference model's
// greedy crasher over plain numbers, and the program's logs, boxes and totals are held
// against it.

using namespace guitest;
using testsupport::GreedyStep;
using testsupport::PlainSet;

namespace {

struct Path {
    const char *letters;
    int fill; // blanks between the letters and " = " in the log label
};

// One practice set as the student meets it, with the first iteration of its run to the
// minimum written out by hand.
struct Exercise {
    const char *menuItem;
    int target;
    std::vector<Path> paths;
    const char *unit;
    bool indented; // seven blanks before every grid cell
    QColor highlight;
    QStringList firstPathLines;
    QStringList firstSelectionLines;
    const char *firstMessage;
};

const Exercise &exercise(int set)
{
    static const std::vector<Exercise> exercises = {
        {"N22",
         46,
         {{"ABDEH", 2}, {"ACDFGH", 0}, {"ACDEH", 2}, {"ABDFGH", 0}},
         " สัปดาห์  = ",
         false,
         QColor(189, 249, 248),
         {"ตรวจสอบครั้งที่ 1", "    สายงานที่ 1 : A+B+D+E+H   = 52 <---- สายงานวิกฤต",
          "    สายงานที่ 2 : A+C+D+F+G+H = 44 ", "    สายงานที่ 3 : A+C+D+E+H   = 52 ",
          "    สายงานที่ 4 : A+B+D+F+G+H = 44 "},
         {"ตรวจสอบครั้งที่ 1", "เลือกกิจกรรม D ค่าใช้จ่าย 1800 บาทต่อวัน  จำนวน 1 สัปดาห์  = 1800 บาท"},
         "คงเหลือวันเร่งจำนวน 5 วัน..."},
        {"N31",
         23,
         {{"ACE", 0}, {"BDF", 0}},
         " วัน  = ",
         true,
         QColor(0, 128, 0),
         {"ตรวจสอบครั้งที่ 1", "    สายงานที่ 1 : A+C+E = 27 ",
          "    สายงานที่ 2 : B+D+F = 29 <---- สายงานวิกฤต"},
         {"ตรวจสอบครั้งที่ 1", "เลือกกิจกรรม F ค่าใช้จ่าย 1000 บาทต่อวัน  จำนวน 3 วัน  = 3000 บาท"},
         "คงเหลือวันเร่งจำนวน 4 วัน..."},
        {"N41",
         28,
         {{"ACEF", 0}, {"BDF", 2}},
         " วัน  = ",
         true,
         QColor(0, 128, 0),
         {"ตรวจสอบครั้งที่ 1", "    สายงานที่ 1 : A+C+E+F = 37 <---- สายงานวิกฤต",
          "    สายงานที่ 2 : B+D+F   = 29 "},
         {"ตรวจสอบครั้งที่ 1", "เลือกกิจกรรม F ค่าใช้จ่าย 1000 บาทต่อวัน  จำนวน 3 วัน  = 3000 บาท"},
         "คงเหลือวันเร่งจำนวน 6 วัน..."},
        {"N51",
         17,
         {{"ABDGH", 2}, {"ABEH", 4}, {"ACFH", 4}},
         " สัปดาห์  = ",
         false,
         QColor(0, 128, 255),
         {"ตรวจสอบครั้งที่ 1", "    สายงานที่ 1 : A+B+D+G+H   = 19 ", "    สายงานที่ 2 : A+B+E+H     = 14 ",
          "    สายงานที่ 3 : A+C+F+H     = 21 <---- สายงานวิกฤต"},
         {"ตรวจสอบครั้งที่ 1", "เลือกกิจกรรม C ค่าใช้จ่าย 1800 บาทต่อวัน  จำนวน 1 สัปดาห์  = 1800 บาท"},
         "คงเหลือวันเร่งจำนวน 3 วัน..."},
    };
    return exercises[static_cast<std::size_t>(set - 2)];
}

ExerciseWindow *form(int set)
{
    ExerciseWindow *windows[] = {Form4, Form5, Form6, Form7};
    return windows[set - 2];
}

std::vector<std::string> letters(const Exercise &e)
{
    std::vector<std::string> paths;
    for (const Path &path : e.paths)
        paths.emplace_back(path.letters);
    return paths;
}

std::int64_t longest(const std::vector<std::int64_t> &lengths)
{
    return *std::max_element(lengths.begin(), lengths.end());
}

QString label(const Exercise &e, std::size_t path)
{
    QStringList letters;
    for (const char *letter = e.paths[path].letters; *letter; ++letter)
        letters << QString(QLatin1Char(*letter));
    return QStringLiteral("    สายงานที่ ") + QString::number(path + 1) + QStringLiteral(" : ")
        + letters.join(u'+') + QString(e.paths[path].fill, u' ') + QStringLiteral(" = ");
}

// Whole Baht with a comma every three digits and two decimals.
QString money(qint64 baht)
{
    QString digits = QString::number(baht);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits + QStringLiteral(".00");
}

QStringList shownDurations(const Exercise &e, const std::vector<std::int64_t> &durations)
{
    QStringList cells;
    for (const std::int64_t duration : durations)
        cells << (e.indented ? QStringLiteral("       ") : QString()) + QString::number(duration);
    return cells;
}

} // namespace

class CrashToMinimumTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        guitest::startProgram();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }
    void cleanupTestCase() { destroyForms(); }

    void walkToTheShortestDuration_data()
    {
        QTest::addColumn<int>("set");
        for (int set = 2; set <= 5; ++set)
            QTest::newRow(qPrintable(QStringLiteral("set %1").arg(set))) << set;
    }
    void walkToTheShortestDuration()
    {
        QFETCH(int, set);
        const Exercise &e = exercise(set);
        ExerciseWindow *window = form(set);
        const PlainSet numbers = testsupport::plainSet(practiceSet(set));
        const std::vector<std::string> paths = letters(e);

        // The hand-written path list is every route of the network, and the target the
        // set's shortest reachable duration: its longest fully crashed path.
        std::vector<std::string> routes = testsupport::routesOf(
            testsupport::precedences(testsupport::builtInRows(practiceSet(set))));
        std::vector<std::string> sortedPaths = paths;
        std::sort(sortedPaths.begin(), sortedPaths.end());
        QCOMPARE(sortedPaths, routes);
        QCOMPARE(longest(testsupport::pathLengths(paths, numbers.crash)), e.target);
        const std::vector<GreedyStep> run = testsupport::greedyCrash(numbers, paths, e.target);
        QVERIFY(!run.empty());
        QCOMPARE(run.back().remainingAfter, 0);

        QVERIFY(!window->isVisible());
        child<QAction>(Form1, e.menuItem)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(gridColumn(window, 2, window->activityCount()), shownDurations(e, numbers.normal));
        QCOMPARE(text(window, "Edit29"), QStringLiteral("0"));
        QCOMPARE(text(window, "Label53"), QStringLiteral("-"));
        QCOMPARE(child<QListWidget>(window, "ListBox1")->count(), 0);

        QTest::mouseClick(child<QPushButton>(window, "BitBtn5"), Qt::LeftButton);
        QCOMPARE(text(window, "Edit29"),
                 QString::number(longest(testsupport::pathLengths(paths, numbers.normal))));
        QCOMPARE(text(window, "Label53"), QStringLiteral("ควร >= ") + QString::number(e.target));

        auto *edit28 = child<QLineEdit>(window, "Edit28");
        QTest::mouseClick(edit28, Qt::LeftButton);
        QTest::keyClick(edit28, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit28, QString::number(e.target));
        QCOMPARE(edit28->text(), QString::number(e.target));

        Student student(window);
        QTest::mouseClick(child<QPushButton>(window, "BitBtn4"), Qt::LeftButton);

        // The logs and boxes the greedy run predicts.
        QStringList pathLog, selectionLog, messages, totals;
        qint64 total = 0;
        for (std::size_t i = 0; i < run.size(); ++i) {
            const GreedyStep &step = run[i];
            const QString header = QStringLiteral("ตรวจสอบครั้งที่ ") + QString::number(i + 1);
            pathLog << header;
            for (std::size_t p = 0; p < e.paths.size(); ++p) {
                pathLog << label(e, p) + QString::number(step.lengthsBefore[p])
                        + QStringLiteral(" ")
                        + (static_cast<int>(p) + 1 == step.critical
                               ? QStringLiteral("<---- สายงานวิกฤต")
                               : QString());
            }
            const qint64 cost = step.cost * step.cut;
            selectionLog << header
                         << QStringLiteral("เลือกกิจกรรม ") + QLatin1Char(step.chosen)
                    + QStringLiteral(" ค่าใช้จ่าย ") + QString::number(step.cost)
                    + QStringLiteral(" บาทต่อวัน  จำนวน ") + QString::number(step.cut)
                    + QString::fromUtf8(e.unit) + QString::number(cost) + QStringLiteral(" บาท");
            messages << (step.remainingAfter > 0 ? QStringLiteral("คงเหลือวันเร่งจำนวน ")
                                 + QString::number(step.remainingAfter) + QStringLiteral(" วัน...")
                                                 : QStringLiteral("สิ้นสุดการเร่งโครงการ... "));
            total += cost;
            totals << money(total);
        }
        pathLog << QStringLiteral("สิ้นสุดการเร่งโครงการ....");
        const std::vector<std::int64_t> finalLengths
            = testsupport::pathLengths(paths, run.back().durationsAfter);
        for (std::size_t p = 0; p < e.paths.size(); ++p)
            pathLog << label(e, p) + QString::number(finalLengths[p]);

        // The hand-written first iteration agrees with the greedy run and with the program.
        const auto perIteration = static_cast<qsizetype>(e.paths.size()) + 1;
        QCOMPARE(pathLog.mid(0, perIteration), e.firstPathLines);
        QCOMPARE(selectionLog.mid(0, 2), e.firstSelectionLines);
        QCOMPARE(messages.first(), QString::fromUtf8(e.firstMessage));
        const QStringList shownPathLog = lines(window, "ListBox1");
        const QStringList shownSelectionLog = lines(window, "ListBox2");
        QCOMPARE(shownPathLog.mid(0, perIteration), e.firstPathLines);
        QCOMPARE(shownSelectionLog.mid(0, 2), e.firstSelectionLines);

        QCOMPARE(shownPathLog, pathLog);
        QCOMPARE(shownSelectionLog, selectionLog);

        const std::vector<Moment> &seen = student.moments;
        QCOMPARE(seen.size(), run.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            const Moment &box = seen[i];
            const int iteration = static_cast<int>(i) + 1;
            QCOMPARE(box.title, QStringLiteral("Information"));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.text, messages[static_cast<qsizetype>(i)]);
            QCOMPARE(box.label51, totals[static_cast<qsizetype>(i)]);
            QCOMPARE(box.edit29, QString::number(run[i].projectAfter));
            QCOMPARE(box.durations, shownDurations(e, run[i].durationsAfter));
            QCOMPARE(box.pathLines, static_cast<int>(perIteration) * iteration);
            QCOMPARE(box.selectionLines, 2 * iteration);
            QCOMPARE(box.picture.pixelColor(20, 165),
                     e.highlight); // the critical path is drawn in red
        }

        QCOMPARE(text(window, "Label51"), totals.last());
        QCOMPARE(text(window, "Edit29"), QString::number(e.target));
        QCOMPARE(gridColumn(window, 2, window->activityCount()),
                 shownDurations(e, run.back().durationsAfter));
        QCOMPARE(gridColumn(window, 3), shownDurations(e, numbers.crash));
        QCOMPARE(testsupport::longestRoute(gridRows(window)),
                 std::optional<std::int64_t>(e.target));

        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
    }
};

int main(int argc, char *argv[])
{
    // The C locale, as CI's C.UTF-8 gives, on every system (see crashing_test); totals above
    // 999 carry a thousands separator.
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    CrashToMinimumTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crashtominimum_test.moc"
