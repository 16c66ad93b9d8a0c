// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The activity table as typed: its analysis, its round trip to rows, the table model's undo
// and redo, the document's modified flag, and the CPM table.

#include "activitytablemodel.h"
#include "leastcost.h"
#include "practiceset.h"
#include "projectanalysis.h"
#include "projectdocument.h"
#include "scheduletablemodel.h"
#include "thaiproblems.h"
#include "validation.h"

#include "../unit/io/projectdifference.h"
#include "../unit/io/randomsoundproject.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <set>

using project::ActivityRow;
using project::CellProblem;

namespace {

// "A|name|preds|normal|crash|cost|a|m|b" as a row; a missing trailing cell is empty.
ActivityRow rowOf(const QString &text)
{
    ActivityRow row;
    const QStringList cells = text.split(u'|');
    for (int c = 0; c < project::ColumnCount && c < cells.size(); ++c)
        row[static_cast<std::size_t>(c)] = cells[c];
    return row;
}

std::vector<ActivityRow> rowsOf(const QStringList &texts)
{
    std::vector<ActivityRow> rows;
    for (const QString &text : texts)
        rows.push_back(rowOf(text));
    return rows;
}

QString cellName(int row, int column)
{
    return QStringLiteral("%1,%2").arg(row).arg(column);
}

QStringList cellsOf(const std::vector<CellProblem> &problems)
{
    std::set<QString> cells;
    for (const CellProblem &p : problems)
        cells.insert(cellName(p.row, p.column));
    return QStringList(cells.begin(), cells.end());
}

std::vector<QString> idsOf(const engine::Project &p)
{
    std::vector<QString> ids;
    for (const engine::Activity &a : p.activities)
        ids.push_back(QString::fromStdString(a.id));
    return ids;
}

} // namespace

class ProjectModelTest : public QObject {
    Q_OBJECT

private slots:
    void problemCells_data();
    void problemCells();
    void cycleNamedInOrder();
    void badCellKeepsRowOut();
    void soundTableIsScheduled();
    void practiceSetThroughRows();
    void roundTrip();
    void rowsShowNumbersPlainly();
    void problemsMarkCells();
    void cellsMarkedToFill();
    void randomEditsUndoRedo();
    void documentModifiedFlag();
    void documentTitleAndTarget();
    void scheduleTable();
    void thaiSentences();
};

void ProjectModelTest::problemCells_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("cells"); // "row,column" of every problem; -1 for none
    QTest::addColumn<QString>("mention"); // what the first problem's reason names

    const QString a = QStringLiteral("A|ขุดดิน|-|3|2|100");
    const QString b = QStringLiteral("B||A|4|2|150.50");
    QTest::newRow("sound") << QStringList {a, b, QStringLiteral("C|เท|A;B|2|2|0")} << QStringList {}
                           << QString();
    QTest::newRow("Thai digits") << QStringList {QStringLiteral("A||-|๑๒|๕|๑๐๐")} << QStringList {}
                                 << QString();
    QTest::newRow("predecessors by blanks and separators")
        << QStringList {a, b, QStringLiteral("C||  A  B |2|1|5"),
                        QStringLiteral("D|| A ;; B, C |1|1|0"), QStringLiteral("E|||1|1|0")}
        << QStringList {} << QString();

    // A value that does not convert, on its own cell.
    QTest::newRow("duration not a number") << QStringList {QStringLiteral("A||-|x7|2|100")}
                                           << QStringList {cellName(0, 3)} << QStringLiteral("x7");
    QTest::newRow("duration with decimals")
        << QStringList {QStringLiteral("A||-|3|2.5|100")} << QStringList {cellName(0, 4)}
        << QStringLiteral("2.5");
    QTest::newRow("negative duration") << QStringList {QStringLiteral("A||-|-3|0|100")}
                                       << QStringList {cellName(0, 3)} << QStringLiteral("-3");
    QTest::newRow("duration too large")
        << QStringList {QStringLiteral("A||-|2000000|1|100")} << QStringList {cellName(0, 3)}
        << QStringLiteral("2000000");
    QTest::newRow("crash missing") << QStringList {QStringLiteral("A|x|-|3| |100")}
                                   << QStringList {cellName(0, 4)} << QString();
    QTest::newRow("cost grouped") << QStringList {QStringLiteral("A||-|3|2|1,200")}
                                  << QStringList {cellName(0, 5)} << QStringLiteral("1,200");
    QTest::newRow("cost too precise") << QStringList {QStringLiteral("A||-|3|2|12.345")}
                                      << QStringList {cellName(0, 5)} << QStringLiteral("12.345");
    QTest::newRow("cost exponent") << QStringList {QStringLiteral("A||-|3|2|1e3")}
                                   << QStringList {cellName(0, 5)} << QStringLiteral("1e3");
    QTest::newRow("cost with currency")
        << QStringList {QStringLiteral("A||-|3|2|100 บาท")} << QStringList {cellName(0, 5)}
        << QStringLiteral("100 บาท");
    QTest::newRow("cost not a number") << QStringList {QStringLiteral("A||-|3|2|abc")}
                                       << QStringList {cellName(0, 5)} << QStringLiteral("abc");
    QTest::newRow("negative cost") << QStringList {QStringLiteral("A||-|3|2|-5")}
                                   << QStringList {cellName(0, 5)} << QStringLiteral("-5");

    // What the engine finds, on the cell that causes it.
    QTest::newRow("crash above normal") << QStringList {a, QStringLiteral("B||A|3|5|10")}
                                        << QStringList {cellName(1, 4)} << QStringLiteral("5");
    QTest::newRow("empty id") << QStringList {a, QStringLiteral("|ชื่อ|A|3|2|10")}
                              << QStringList {cellName(1, 0)} << QString();
    QTest::newRow("id with a separator") << QStringList {QStringLiteral("A;B||-|3|2|10")}
                                         << QStringList {cellName(0, 0)} << QStringLiteral("A;B");
    QTest::newRow("duplicate id on the later row")
        << QStringList {a, b, QStringLiteral(" A ||B|1|1|0")} << QStringList {cellName(2, 0)}
        << QStringLiteral("'A'");
    QTest::newRow("unknown predecessor") << QStringList {a, QStringLiteral("B||A, X9|1|1|0")}
                                         << QStringList {cellName(1, 2)} << QStringLiteral("X9");
    QTest::newRow("own predecessor") << QStringList {a, QStringLiteral("B||A;B|1|1|0")}
                                     << QStringList {cellName(1, 2)} << QStringLiteral("B");
    QTest::newRow("cycle") << QStringList {QStringLiteral("A||C|1|1|0"),
                                           QStringLiteral("B||A|1|1|0"),
                                           QStringLiteral("C||B|1|1|0"),
                                           QStringLiteral("D||C|1|1|0")}
                           << QStringList {cellName(0, 2), cellName(1, 2), cellName(2, 2)}
                           << QStringLiteral("→");

    // Row numbers are the table's, blank rows included.
    QTest::newRow("blank rows between")
        << QStringList {QString(), a, QStringLiteral(" | | | "), QStringLiteral("B||A|x|1|1")}
        << QStringList {cellName(3, 3)} << QStringLiteral("x");
    // A row that does not convert is still an activity others may name, and a stand-in
    // value is not compared with what was typed.
    QTest::newRow("bad row named by another")
        << QStringList {QStringLiteral("A||-|x|1|1"), QStringLiteral("B||A|2|1|1")}
        << QStringList {cellName(0, 3)} << QString();
    QTest::newRow("bad normal, crash not compared")
        << QStringList {QStringLiteral("A||-|?|5|1")} << QStringList {cellName(0, 3)} << QString();
    QTest::newRow("bad row, own problems kept")
        << QStringList {QStringLiteral("A||Z|x|1|1")}
        << QStringList {cellName(0, 2), cellName(0, 3)} << QString();

    // PERT's three estimates: all blank or all three readable, a <= m <= b.
    QTest::newRow("estimates") << QStringList {QStringLiteral("A||-|3|2|1|1|2.5|๔"),
                                               QStringLiteral("B||A|3|2|1| 0 |0.00|  ")}
                               << QStringList {cellName(1, 8)} << QString();
    QTest::newRow("estimates equal")
        << QStringList {QStringLiteral("A||-|3|2|1|2|2|2.0")} << QStringList {} << QString();
    QTest::newRow("estimate missing") << QStringList {QStringLiteral("A||-|3|2|1||4|")}
                                      << QStringList {cellName(0, 6), cellName(0, 8)} << QString();
    QTest::newRow("estimate not a number") << QStringList {QStringLiteral("A||-|3|2|1|1|x|5")}
                                           << QStringList {cellName(0, 7)} << QStringLiteral("x");
    QTest::newRow("estimate with a comma") << QStringList {QStringLiteral("A||-|3|2|1|1,5|2|5")}
                                           << QStringList {cellName(0, 6)} << QStringLiteral("1,5");
    QTest::newRow("estimates as precise as the files")
        << QStringList {QStringLiteral("A||-|3|2|1|0.0000001|2.125|+999999.999")} << QStringList {}
        << QString();
    QTest::newRow("estimate negative") << QStringList {QStringLiteral("A||-|3|2|1|-1|2|5")}
                                       << QStringList {cellName(0, 6)} << QStringLiteral("-1");
    QTest::newRow("estimate too large")
        << QStringList {QStringLiteral("A||-|3|2|1|1|2|1000000.01")} << QStringList {cellName(0, 8)}
        << QStringLiteral("1000000.01");
    QTest::newRow("estimate far too large")
        << QStringList {QStringLiteral("A||-|3|2|1|1|2|99999999999999999999999")}
        << QStringList {cellName(0, 8)} << QString();
    QTest::newRow("most likely below optimistic")
        << QStringList {QStringLiteral("A||-|3|2|1|4|3.5|5")} << QStringList {cellName(0, 7)}
        << QStringLiteral("3.5");
    QTest::newRow("pessimistic below most likely")
        << QStringList {QStringLiteral("A||-|3|2|1|1|4|3.99")} << QStringList {cellName(0, 8)}
        << QStringLiteral("3.99");
    // One problem an activity, as the engine finds it: on the first cell at fault.
    QTest::newRow("estimates out of order twice")
        << QStringList {QStringLiteral("A||-|3|2|1|5|4|3")} << QStringList {cellName(0, 7)}
        << QStringLiteral("'4'");
    QTest::newRow("estimates negative after too large")
        << QStringList {QStringLiteral("A||-|3|2|1|2000000|-1|5")} << QStringList {cellName(0, 7)}
        << QStringLiteral("'-1' ติดลบ");
    QTest::newRow("estimate problems with others")
        << QStringList {QStringLiteral("A||Z|x|1|1|1|2|a")}
        << QStringList {cellName(0, 2), cellName(0, 3), cellName(0, 8)} << QString();

    QTest::newRow("empty table") << QStringList {} << QStringList {cellName(-1, -1)} << QString();
    QTest::newRow("only blank rows") << QStringList {QString(), QStringLiteral("  |\t")}
                                     << QStringList {cellName(-1, -1)} << QString();
}

void ProjectModelTest::problemCells()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, cells);
    QFETCH(QString, mention);

    const project::ProjectAnalysis analysis = project::analyseRows(rowsOf(rows), QString());
    QCOMPARE(cellsOf(analysis.problems), cells);
    QCOMPARE(analysis.sound(), cells.isEmpty());
    for (const CellProblem &p : analysis.problems)
        QVERIFY2(!p.reason.trimmed().isEmpty(), qPrintable(cellName(p.row, p.column)));
    if (!mention.isEmpty())
        QVERIFY2(analysis.problems.front().reason.contains(mention),
                 qPrintable(analysis.problems.front().reason));
    // Cells first in row order, then the cycles, then the whole project.
    bool cyclesBegun = false, projectBegun = false;
    int lastRow = -1;
    for (const CellProblem &p : analysis.problems) {
        const bool cycle = p.reason.contains(QStringLiteral("→"));
        if (p.row < 0) {
            projectBegun = true;
            continue;
        }
        QVERIFY(!projectBegun);
        if (cycle) {
            cyclesBegun = true;
            continue;
        }
        QVERIFY(!cyclesBegun);
        QVERIFY(p.row >= lastRow);
        lastRow = p.row;
    }
    if (analysis.sound()) {
        QCOMPARE(analysis.network.size(), static_cast<int>(analysis.project.activities.size()));
        QCOMPARE(analysis.schedule.earliestStart.size(), analysis.project.activities.size());
    } else {
        QCOMPARE(analysis.network.size(), 0);
        QCOMPARE(analysis.shortestDuration, 0);
    }
}

void ProjectModelTest::cycleNamedInOrder()
{
    // Cycles of every length up to 7 with their rows shuffled, plus an activity hanging off
    // each: the reason lists the cycle so that each id is a predecessor of the next.
    iotest::RandomSource random(7);
    for (int length = 2; length <= 7; ++length) {
        QStringList ids;
        for (int i = 0; i < length; ++i)
            ids << QStringLiteral("K%1").arg(i);
        std::vector<int> order(static_cast<std::size_t>(length));
        std::iota(order.begin(), order.end(), 0);
        for (std::size_t i = order.size(); i > 1; --i)
            std::swap(order[i - 1],
                      order[static_cast<std::size_t>(
                          random.between(0, static_cast<std::int64_t>(i) - 1))]);
        std::vector<ActivityRow> rows;
        std::map<QString, QString> predecessorOf;
        for (const int i : order) {
            const QString predecessor = ids[(i + length - 1) % length];
            predecessorOf[ids[i]] = predecessor;
            rows.push_back(
                rowOf(ids[i] + QStringLiteral("||") + predecessor + QStringLiteral("|2|1|0")));
        }
        rows.push_back(rowOf(QStringLiteral("Z||K0|1|1|0")));

        const project::ProjectAnalysis analysis = project::analyseRows(rows, QString());
        QCOMPARE(analysis.problems.size(), static_cast<std::size_t>(length));
        std::set<int> rowsMarked;
        for (const CellProblem &p : analysis.problems) {
            QCOMPARE(p.column, static_cast<int>(project::PredecessorsColumn));
            rowsMarked.insert(p.row);
            const QString listed = p.reason.mid(p.reason.indexOf(u':') + 1).trimmed();
            const QStringList named = listed.split(QStringLiteral(" → "));
            QCOMPARE(named.size(), length + 1);
            QCOMPARE(named.front(), named.back());
            QCOMPARE(std::set<QString>(named.begin(), named.end() - 1).size(),
                     static_cast<std::size_t>(length));
            for (int k = 0; k + 1 < named.size(); ++k)
                QCOMPARE(predecessorOf[named[k + 1]], named[k]);
        }
        QCOMPARE(rowsMarked.size(), static_cast<std::size_t>(length)); // not the Z row
        QVERIFY(!rowsMarked.contains(length));
    }
}

void ProjectModelTest::badCellKeepsRowOut()
{
    const project::ProjectAnalysis analysis
        = project::analyseRows(rowsOf({QStringLiteral("A||-|3|2|100"), QStringLiteral("B||A|x|1|1"),
                                       QStringLiteral("C||B|2|1|1.5")}),
                               QStringLiteral("งาน"));
    QCOMPARE(idsOf(analysis.project),
             (std::vector<QString> {QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(analysis.project.activities[1].crashCostPerUnit, 150);
    QCOMPARE(analysis.project.title, std::string("งาน"));
}

void ProjectModelTest::soundTableIsScheduled()
{
    // A 3 (crash 2), B 2 (1) after A, C 4 (1) after A, D 1 after B and C:
    // normal: A 0-3, C 3-7, D 7-8, so 8; fully crashed: A 2, then B or C 1, D 1: 4.
    const project::ProjectAnalysis analysis = project::analyseRows(
        rowsOf({QStringLiteral("A||-|3|2|10"), QString(), QStringLiteral("B||A|2|1|10"),
                QStringLiteral("C||A|4|1|10"), QStringLiteral("D||B,C|1|1|0")}),
        QString());
    QVERIFY(analysis.sound());
    QCOMPARE(analysis.network.size(), 4);
    QCOMPARE(analysis.schedule.projectDuration, 8);
    QCOMPARE(analysis.shortestDuration, 4);
    QCOMPARE(analysis.project.activities[3].predecessors, (std::vector<std::string> {"B", "C"}));
}

void ProjectModelTest::practiceSetThroughRows()
{
    // Practice set 1 typed as rows: its least extra cost for 28 days is 725.00 Baht.
    const engine::Project set1 = practiceProject(practiceSet(1));
    const project::ProjectAnalysis analysis
        = project::analyseRows(project::rowsOfProject(set1), project::textOf(set1.title));
    QVERIFY(analysis.sound());
    const std::optional<engine::LeastCost> least = engine::leastCost(analysis.network, 28);
    QVERIFY(least.has_value());
    QCOMPARE(least->cost, 72500);
}

void ProjectModelTest::roundTrip()
{
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        iotest::RandomSource random(seed);
        iotest::RandomProjectOptions options;
        options.activities = static_cast<int>(random.between(1, 40));
        options.largeValues = random.percent(30);
        engine::Project p = iotest::randomSoundProject(random, options);
        p.target.reset(); // the document keeps the target, not the rows
        // Estimates in hundredths, up to the largest, on some activities.
        for (engine::Activity &a : p.activities) {
            if (!random.percent(40))
                continue;
            const std::int64_t top
                = options.largeValues && random.percent(20) ? engine::kMaxDuration * 100 : 5000;
            std::array<std::int64_t, 3> h {random.between(0, top), random.between(0, top),
                                           random.between(0, top)};
            std::sort(h.begin(), h.end());
            a.estimate = engine::ThreeTimeEstimate {static_cast<double>(h[0]) / 100.0,
                                                    static_cast<double>(h[1]) / 100.0,
                                                    static_cast<double>(h[2]) / 100.0};
        }
        QVERIFY(engine::validate(p).empty());

        const project::ProjectAnalysis analysis
            = project::analyseRows(project::rowsOfProject(p), project::textOf(p.title));
        QVERIFY2(
            analysis.sound(),
            qPrintable(QStringLiteral("seed %1: %2")
                           .arg(seed)
                           .arg(analysis.problems.empty() ? QString()
                                                          : analysis.problems.front().reason)));
        const std::string difference = iotest::difference(p, analysis.project);
        QVERIFY2(difference.empty(), (std::to_string(seed) + ": " + difference).c_str());
        QCOMPARE(analysis.project.activities.size(), p.activities.size());
        for (std::size_t i = 0; i < p.activities.size(); ++i)
            QVERIFY2(analysis.project.activities[i].estimate == p.activities[i].estimate,
                     qPrintable(QStringLiteral("seed %1, activity %2").arg(seed).arg(i)));
    }
}

void ProjectModelTest::rowsShowNumbersPlainly()
{
    engine::Project p;
    p.activities.push_back({"A", "", {}, 5, 3, 120000});
    p.activities.push_back({"-", "", {"A"}, 2, 2, 120050});
    p.activities.push_back({"C", "", {"-"}, 4, 1, 5});
    p.activities.push_back({"D", "", {"A", "C"}, 4, 1, 0});
    const std::vector<ActivityRow> rows = project::rowsOfProject(p);
    QCOMPARE(rows[0][project::CostPerUnitColumn], QStringLiteral("1200"));
    QCOMPARE(rows[1][project::CostPerUnitColumn], QStringLiteral("1200.50"));
    QCOMPARE(rows[2][project::CostPerUnitColumn], QStringLiteral("0.05"));
    QCOMPARE(rows[3][project::PredecessorsColumn], QStringLiteral("A, C"));
    QCOMPARE(rows[0][project::NormalDurationColumn], QStringLiteral("5"));
    QVERIFY(rows[0][project::OptimisticColumn].isEmpty());
    // Estimates with only the decimals they need, as many as that takes.
    p.activities[1].estimate = engine::ThreeTimeEstimate {2, 2.125, 0.1 + 0.2};
    const ActivityRow withEstimate = project::rowsOfProject(p)[1];
    QCOMPARE(withEstimate[project::OptimisticColumn], QStringLiteral("2"));
    QCOMPARE(withEstimate[project::MostLikelyColumn], QStringLiteral("2.125"));
    QCOMPARE(withEstimate[project::PessimisticColumn], QStringLiteral("0.30000000000000004"));
    // A lone "-" would read as "none": the activity called "-" must still be named.
    QCOMPARE(project::analyseRows(rows, QString()).project.activities[2].predecessors,
             (std::vector<std::string> {"-"}));
}

void ProjectModelTest::problemsMarkCells()
{
    QUndoStack stack;
    project::ActivityTableModel model(&stack);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.resetRows(rowsOf({QStringLiteral("A||-|3|2|1"), QStringLiteral("B||A|x|2|1"),
                            QStringLiteral("C||C|1|1|1")}),
                    QString());
    const project::ProjectAnalysis analysis = project::analyseRows(model.rows(), model.title());
    model.setProblems(analysis.problems);
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            QString expected;
            for (const CellProblem &p : analysis.problems) {
                if (p.row == r && p.column == c)
                    expected += (expected.isEmpty() ? QString() : QStringLiteral("\n")) + p.reason;
            }
            const QModelIndex at = model.index(r, c);
            QCOMPARE(at.data(Qt::ToolTipRole).toString(), expected);
            QCOMPARE(at.data(Qt::BackgroundRole).isValid(), !expected.isEmpty());
            if (!expected.isEmpty()) {
                const QColor colour = at.data(Qt::BackgroundRole).value<QColor>();
                QVERIFY(colour.red() > colour.green() && colour.lightness() > 180);
            }
            QVERIFY(model.flags(at) & Qt::ItemIsEditable);
        }
    }
    QVERIFY(model.index(1, 3).data(Qt::ToolTipRole).toString().contains(u'x'));
    // A whole-row problem marks every cell of its row.
    model.setProblems({{0, -1, QStringLiteral("ทั้งแถว")}});
    for (int c = 0; c < model.columnCount(); ++c)
        QCOMPARE(model.index(0, c).data(Qt::ToolTipRole).toString(), QStringLiteral("ทั้งแถว"));
    QVERIFY(!model.index(1, 0).data(Qt::ToolTipRole).isValid());
    for (int c = 0; c < model.columnCount(); ++c)
        QVERIFY(!model.headerData(c, Qt::Horizontal).toString().isEmpty());
}

void ProjectModelTest::cellsMarkedToFill()
{
    QUndoStack stack;
    project::ActivityTableModel model(&stack);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.resetRows(rowsOf({QStringLiteral("A||-|3|3|0"), QStringLiteral("B||A|4|4|0")}),
                    QString());
    const QString reason = QStringLiteral("ไฟล์ไม่มีเวลาเร่ง");
    model.markCellsToFill({{0, project::CrashDurationColumn},
                           {1, project::CrashDurationColumn},
                           {1, project::CostPerUnitColumn},
                           {5, 0},
                           {0, project::ColumnCount},
                           {-1, 0}},
                          reason);
    auto marked = [&model] {
        std::set<std::pair<int, int>> cells;
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c)
                if (model.index(r, c).data(Qt::BackgroundRole).isValid())
                    cells.insert({r, c});
        return cells;
    };
    using Cells = std::set<std::pair<int, int>>;
    QCOMPARE(marked(), (Cells {{0, 4}, {1, 4}, {1, 5}}));
    const QModelIndex crashA = model.index(0, project::CrashDurationColumn);
    QCOMPARE(crashA.data(Qt::ToolTipRole).toString(), reason);
    // Light and yellowish, unlike a problem's red.
    const QColor colour = crashA.data(Qt::BackgroundRole).value<QColor>();
    QVERIFY(colour.lightness() > 180 && colour.green() > colour.blue());
    model.setProblems(project::analyseRows(rowsOf({QStringLiteral("A||-|3|x|0")}), {}).problems);
    QVERIFY(crashA.data(Qt::ToolTipRole).toString().contains(reason));
    model.setProblems({});

    // Editing a cell, even to its own text, clears its mark only; undo does not restore it.
    QVERIFY(model.setData(crashA, QStringLiteral("3")));
    QVERIFY(model.setData(model.index(1, project::CrashDurationColumn), QStringLiteral("2")));
    QCOMPARE(marked(), (Cells {{1, 5}}));
    QCOMPARE(model.markOf(1, project::CostPerUnitColumn), reason);
    stack.undo();
    QCOMPARE(model.rows()[1][project::CrashDurationColumn], QStringLiteral("4"));
    QCOMPARE(marked(), (Cells {{1, 5}}));
    // Marks move with their rows, and are not part of what undo records.
    model.insertBlankRows(0, 1);
    QCOMPARE(marked(), (Cells {{2, 5}}));
    model.moveRowTo(2, 0);
    QCOMPARE(marked(), (Cells {{0, 5}}));
    model.removeRowsAt(0, 1);
    QCOMPARE(marked(), Cells {});
    stack.undo();
    QCOMPARE(marked(), Cells {});

    model.markCellsToFill({{0, 0}, {1, 1}}, reason);
    model.clearMarks();
    QCOMPARE(marked(), Cells {});
    model.markCellsToFill({{0, 0}}, reason);
    model.resetRows(rowsOf({QStringLiteral("A||-|1|1|0")}), QString());
    QCOMPARE(marked(), Cells {});
}

void ProjectModelTest::randomEditsUndoRedo()
{
    struct State {
        std::vector<ActivityRow> rows;
        QString title;
        bool operator==(const State &) const = default;
    };
    const QStringList texts = {QString(),           QStringLiteral("A"), QStringLiteral("B"),
                               QStringLiteral("3"), QStringLiteral("ข"), QStringLiteral("A,B")};

    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        iotest::RandomSource random(seed);
        QUndoStack stack;
        project::ActivityTableModel model(&stack);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy edited(&model, &project::ActivityTableModel::rowsEdited);
        model.resetRows(rowsOf({QStringLiteral("A||-|3|2|1"), QStringLiteral("B||A|2|1|1")}),
                        QStringLiteral("เริ่ม"));

        // What the stack should hold: every state reached by an edit, and where undo is.
        std::vector<State> history = {{model.rows(), model.title()}};
        std::size_t at = 0;
        // An edit that is a command moves `at` on and drops what could be redone.
        bool changed = false;
        auto edit = [&](State next, bool command) {
            changed = command;
            if (!command)
                return;
            history.resize(at + 1);
            history.push_back(std::move(next));
            ++at;
        };
        for (int step = 0; step < 300; ++step) {
            State next = history[at];
            const int n = static_cast<int>(next.rows.size());
            const int choice = static_cast<int>(random.between(0, 99));
            const int edits = static_cast<int>(edited.count());
            if (choice < 40 && n > 0) {
                const int r = static_cast<int>(random.between(0, n - 1));
                const int c = static_cast<int>(random.between(0, project::ColumnCount - 1));
                const QString text = random.pick(texts);
                QVERIFY(model.setData(model.index(r, c), text));
                QString &cell = next.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                const bool differs = cell != text;
                cell = text;
                edit(std::move(next), differs);
            } else if (choice < 50) {
                const int r = static_cast<int>(random.between(0, n + 1)); // n + 1: refused
                const int count = static_cast<int>(random.between(1, 3));
                model.insertBlankRows(r, count);
                if (r <= n)
                    next.rows.insert(next.rows.begin() + r, static_cast<std::size_t>(count),
                                     ActivityRow {});
                edit(std::move(next), r <= n);
            } else if (choice < 60) {
                const int r = static_cast<int>(random.between(0, n));
                const int count = static_cast<int>(random.between(1, 2));
                model.removeRowsAt(r, count);
                if (r + count <= n)
                    next.rows.erase(next.rows.begin() + r, next.rows.begin() + r + count);
                edit(std::move(next), r + count <= n);
            } else if (choice < 70 && n > 0) {
                const int from = static_cast<int>(random.between(0, n - 1));
                const int to = static_cast<int>(random.between(0, n - 1));
                model.moveRowTo(from, to);
                const ActivityRow moved = next.rows[static_cast<std::size_t>(from)];
                next.rows.erase(next.rows.begin() + from);
                next.rows.insert(next.rows.begin() + to, moved);
                edit(std::move(next), from != to);
            } else if (choice < 75) {
                const QString title = random.pick(texts);
                model.setTitle(title);
                const bool differs = next.title != title;
                next.title = title;
                edit(std::move(next), differs);
            } else if (choice < 90) {
                stack.undo();
                changed = at > 0;
                at = at > 0 ? at - 1 : 0;
            } else {
                stack.redo();
                changed = at + 1 < history.size();
                at = std::min(at + 1, history.size() - 1);
            }
            QCOMPARE(stack.index(), static_cast<int>(at));
            QCOMPARE(stack.count(), static_cast<int>(history.size()) - 1);
            const State now {model.rows(), model.title()};
            QVERIFY2(now == history[at],
                     qPrintable(QStringLiteral("seed %1 step %2").arg(seed).arg(step)));
            // Every command done or undone is said once at least; nothing else is.
            QCOMPARE(edited.count() > edits, changed);
            for (int r = 0; r < model.rowCount(); ++r) {
                for (int c = 0; c < model.columnCount(); ++c)
                    QCOMPARE(model.index(r, c).data().toString(),
                             now.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
            }
        }
        while (stack.canUndo())
            stack.undo();
        QVERIFY((State {model.rows(), model.title()}) == history.front());
        while (stack.canRedo())
            stack.redo();
        QVERIFY((State {model.rows(), model.title()}) == history.back());
    }
}

void ProjectModelTest::documentModifiedFlag()
{
    project::ProjectDocument document;
    QSignalSpy modified(&document, &project::ProjectDocument::modifiedChanged);
    QSignalSpy analysed(&document, &project::ProjectDocument::analysisChanged);
    QSignalSpy path(&document, &project::ProjectDocument::filePathChanged);

    const engine::Project set1 = practiceProject(practiceSet(1));
    document.load(set1, QStringLiteral("/tmp/set1.crashkit"));
    QVERIFY(!document.isModified());
    QCOMPARE(document.filePath(), QStringLiteral("/tmp/set1.crashkit"));
    QCOMPARE(path.count(), 1);
    QVERIFY(document.analysis().sound());
    QCOMPARE(iotest::difference(set1, document.analysis().project), std::string());

    // An edit: modified, analysed again with the problem on the typed cell.
    project::ActivityTableModel *table = document.table();
    const int analysesBefore = static_cast<int>(analysed.count());
    table->setData(table->index(0, project::NormalDurationColumn), QStringLiteral("สาม"));
    QVERIFY(document.isModified());
    QCOMPARE(modified.count(), 1);
    QCOMPARE(modified.last().at(0).toBool(), true);
    // The analysis follows once the edits of this pass of the event loop are done.
    QTRY_COMPARE(analysed.count(), analysesBefore + 1);
    QCOMPARE(cellsOf(document.analysis().problems),
             QStringList {cellName(0, project::NormalDurationColumn)});
    QVERIFY(table->index(0, project::NormalDurationColumn).data(Qt::ToolTipRole).isValid());

    // Undo to the clean state: unmodified, sound again, the mark gone.
    document.undoStack()->undo();
    QVERIFY(!document.isModified());
    QCOMPARE(modified.last().at(0).toBool(), false);
    QVERIFY(document.analysis().sound());
    QVERIFY(!table->index(0, project::NormalDurationColumn).data(Qt::ToolTipRole).isValid());

    // Redo, save: unmodified at the new path; undo past the save: modified.
    document.undoStack()->redo();
    QVERIFY(document.isModified());
    document.markSaved(QStringLiteral("/tmp/mine.crashkit"));
    QVERIFY(!document.isModified());
    QCOMPARE(path.last().at(0).toString(), QStringLiteral("/tmp/mine.crashkit"));
    QCOMPARE(modified.last().at(0).toBool(), false);
    document.undoStack()->undo();
    QVERIFY(document.isModified());

    // Loading forgets the history; clearing leaves blank rows and no project.
    document.load(set1, QStringLiteral("/tmp/set1.crashkit"));
    QVERIFY(!document.isModified());
    QVERIFY(!document.undoStack()->canUndo());
    document.clear(5);
    QCOMPARE(table->rowCount(), 5);
    QVERIFY(document.filePath().isEmpty());
    QVERIFY(!document.isModified());
    QCOMPARE(cellsOf(document.analysis().problems), QStringList {cellName(-1, -1)});
}

void ProjectModelTest::documentTitleAndTarget()
{
    project::ProjectDocument document;
    engine::Project p;
    p.title = "บ้าน";
    p.target = 12;
    p.activities.push_back({"A", "", {}, 5, 3, 100});
    document.load(p, QString());
    QCOMPARE(document.title(), QStringLiteral("บ้าน"));
    QCOMPARE(document.target(), std::optional<engine::Duration>(12));
    QCOMPARE(document.analysis().project.target, std::optional<engine::Duration>(12));

    document.table()->setTitle(QStringLiteral("โรงเรียน"));
    QVERIFY(document.isModified());
    QCOMPARE(document.analysis().project.title, std::string("โรงเรียน"));
    QCOMPARE(document.analysis().project.target, std::optional<engine::Duration>(12));
    document.undoStack()->undo();
    QCOMPARE(document.title(), QStringLiteral("บ้าน"));
    QCOMPARE(document.analysis().project.title, std::string("บ้าน"));

    document.setTarget(9);
    QCOMPARE(document.target(), std::optional<engine::Duration>(9));
    QCOMPARE(document.analysis().project.target, std::optional<engine::Duration>(9));
}

void ProjectModelTest::scheduleTable()
{
    const project::ProjectAnalysis analysis = project::analyseRows(
        rowsOf({QStringLiteral("A|เริ่ม|-|3|2|10"), QStringLiteral("B||A|2|1|10"),
                QStringLiteral("C||A|4|1|10"), QStringLiteral("D||B,C|1|1|0")}),
        QString());
    QVERIFY(analysis.sound());
    project::ScheduleTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    // Rows: duration, ES, EF, LS, LF, float, worked by hand.
    // Normal: A 0-3; B 3-5 and C 3-7 after A; D 7-8. Back from 8: D 7-8, C 3-7, B 5-7, A 0-3.
    const std::vector<std::array<int, 6>> normal
        = {{3, 0, 3, 0, 3, 0}, {2, 3, 5, 5, 7, 2}, {4, 3, 7, 3, 7, 0}, {1, 7, 8, 7, 8, 0}};
    // C crashed to 1: A 0-3; B 3-5, C 3-4; D 5-6. Back from 6: D 5-6, B 3-5, C 4-5, A 0-3.
    const std::vector<std::array<int, 6>> crashedC
        = {{3, 0, 3, 0, 3, 0}, {2, 3, 5, 3, 5, 0}, {1, 3, 4, 4, 5, 1}, {1, 5, 6, 5, 6, 0}};

    for (const auto *expected : {&normal, &crashedC}) {
        std::vector<engine::Duration> durations;
        for (const auto &row : *expected)
            durations.push_back(row[0]);
        model.showSchedule(analysis.project, durations,
                           engine::computeSchedule(analysis.network, durations));
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.columnCount(), static_cast<int>(project::ScheduleTableModel::ColumnCount));
        for (int r = 0; r < 4; ++r) {
            const auto &row = (*expected)[static_cast<std::size_t>(r)];
            QCOMPARE(model.index(r, 0).data().toString(), QString(QChar(u'A' + r)));
            for (int k = 0; k < 6; ++k)
                QCOMPARE(model.index(r, k + 1).data().toLongLong(),
                         row[static_cast<std::size_t>(k)]);
            const bool critical = row[5] == 0;
            QCOMPARE(model.index(r, project::ScheduleTableModel::CriticalColumn).data().toString(),
                     critical ? QStringLiteral("ใช่") : QString());
            for (int c = 0; c < model.columnCount(); ++c) {
                const QVariant colour = model.index(r, c).data(Qt::ForegroundRole);
                QCOMPARE(colour.isValid(), critical);
                if (critical) {
                    const QColor red = colour.value<QColor>();
                    QVERIFY(red.red() > 150 && red.green() < 60 && red.blue() < 60);
                }
            }
        }
    }
    for (int c = 0; c < model.columnCount(); ++c)
        QVERIFY(!model.headerData(c, Qt::Horizontal).toString().isEmpty());

    // Durations that do not fit the project: nothing shown rather than a crash.
    model.showSchedule(analysis.project, {1, 2}, analysis.schedule);
    QCOMPARE(model.rowCount(), 0);
    model.showSchedule(analysis.project, {3, 2, 4, 1}, analysis.schedule);
    QCOMPARE(model.rowCount(), 4);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

void ProjectModelTest::thaiSentences()
{
    // Every kind a typed cell can give has its own sentence, in Thai, naming what was typed.
    const auto isThai = [](const QString &text) {
        return std::any_of(text.begin(), text.end(),
                           [](QChar c) { return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B; });
    };
    std::set<QString> seen;
    for (int k = static_cast<int>(io::FileProblemKind::MissingValue);
         k <= static_cast<int>(io::FileProblemKind::NegativeAmount); ++k) {
        const QString text
            = project::thaiValueProblem(static_cast<io::FileProblemKind>(k),
                                        project::CostPerUnitColumn, QStringLiteral("q%1z").arg(k));
        QVERIFY2(isThai(text), qPrintable(text));
        if (k != static_cast<int>(io::FileProblemKind::MissingValue))
            QVERIFY2(text.contains(QStringLiteral("'q%1z'").arg(k)), qPrintable(text));
        QVERIFY2(seen.insert(text.mid(text.indexOf(u' '))).second, qPrintable(text));
    }
    // The same for what the engine finds, about one activity of a small project.
    engine::Project p;
    p.activities.push_back({"A", "", {}, 3, 2, 100});
    seen.clear();
    for (int k = 0; k <= static_cast<int>(engine::ProblemKind::NegativeTarget); ++k) {
        const engine::Problem problem {static_cast<engine::ProblemKind>(k), 0, "X", {0}};
        const QString text = project::thaiEngineProblem(problem, p, 1);
        QVERIFY2(isThai(text), qPrintable(text));
        QVERIFY2(seen.insert(text).second, qPrintable(text));
    }
}

QTEST_MAIN(ProjectModelTest)
#include "projectmodel_test.moc"
