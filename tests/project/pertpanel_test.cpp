// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The PERT panel: its figures against a hand-worked example, the two questions, the shaded
// normal curve, and what it says for bad input, no estimates and a certain duration; and
// the window's PERT tab following the table.

#include "activitytablemodel.h"
#include "pertpanel.h"
#include "projectanalysis.h"
#include "projectdocument.h"
#include "projectwindow.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QStandardPaths>
#include <QTabWidget>
#include <QValueAxis>
#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

// "id|preds|normal|a|m|b" rows (crash = normal, no cost).
std::vector<project::ActivityRow> rowsOf(const QStringList &texts)
{
    std::vector<project::ActivityRow> rows;
    for (const QString &text : texts) {
        const QStringList cells = text.split(u'|');
        project::ActivityRow row;
        row[project::IdColumn] = cells[0];
        row[project::PredecessorsColumn] = cells[1];
        row[project::NormalDurationColumn] = cells[2];
        row[project::CrashDurationColumn] = cells[2];
        row[project::CostPerUnitColumn] = QStringLiteral("0");
        for (int i = 0; i < 3 && 3 + i < cells.size(); ++i)
            row[static_cast<std::size_t>(project::OptimisticColumn + i)] = cells[3 + i];
        rows.push_back(row);
    }
    return rows;
}

template<typename Widget> Widget *child(QWidget &parent, const char *name)
{
    auto *found = parent.findChild<Widget *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

QAreaSeries *shadedArea(project::PertPanel &panel)
{
    QChart *chart = child<QChartView>(panel, "pertChartView")->chart();
    for (QAbstractSeries *series : chart->series()) {
        if (auto *area = qobject_cast<QAreaSeries *>(series))
            return area;
    }
    return nullptr;
}

double normalDensity(double x, double mean, double sd)
{
    const double z = (x - mean) / sd;
    return std::exp(-z * z / 2) / (sd * std::sqrt(2 * std::numbers::pi));
}

// The worked example: A -> B -> D is the longest path of expected times (7 + 10 + 3), C a
// shorter branch; D has no estimates and counts with its normal duration.
const QStringList kExample = {QStringLiteral("A|-|5|0|6|18"), QStringLiteral("B|A|9|2|8|26"),
                              QStringLiteral("C|A|2|1|2|3"), QStringLiteral("D|B,C|3")};

} // namespace

class PertPanelTest : public QObject {
    Q_OBJECT
private slots:
    void handWorkedExample();
    void tiedPathsUseTheMostUncertain();
    void shadedAreaEndsAtAskedDay_data();
    void shadedAreaEndsAtAskedDay();
    void badInput_data();
    void badInput();
    void withoutEstimatesSaysHow();
    void certainDuration();
    void windowTabFollowsTable();
};

void PertPanelTest::handWorkedExample()
{
    const project::ProjectAnalysis analysis = project::analyseRows(rowsOf(kExample), QString());
    QVERIFY(analysis.sound());
    project::PertPanel panel;
    panel.showAnalysis(analysis);
    QVERIFY(panel.pert().has_value());
    const engine::PertAnalysis &pert = *panel.pert();

    // te = (a + 4m + b) / 6, variance ((b - a) / 6)^2, worked out from the typed values.
    const double te[] = {(0 + 4 * 6 + 18) / 6.0, (2 + 4 * 8 + 26) / 6.0, (1 + 4 * 2 + 3) / 6.0, 3};
    const double variance[]
        = {std::pow(18 / 6.0, 2), std::pow(24 / 6.0, 2), std::pow(2 / 6.0, 2), 0};
    QCOMPARE(pert.expected.size(), std::size_t(4));
    for (std::size_t i = 0; i < 4; ++i) {
        QVERIFY(std::abs(pert.expected[i] - te[i]) < 1e-9);
        QVERIFY(std::abs(pert.variance[i] - variance[i]) < 1e-9);
    }
    QVERIFY(std::abs(pert.expectedDuration - 20) < 1e-9); // 7 + 10 + 3 > 7 + 2 + 3
    QCOMPARE(pert.criticalPath, (std::vector<int> {0, 1, 3}));
    QVERIFY(std::abs(pert.pathVariance - 25) < 1e-9); // 9 + 16 + 0
    QVERIFY(std::abs(pert.standardDeviation - 5) < 1e-9);
    QVERIFY(child<QLabel>(panel, "pertPathLabel")->text().contains(QStringLiteral("A → B → D")));
    const QString summary = child<QLabel>(panel, "pertSummaryLabel")->text();
    QVERIFY2(summary.contains(QStringLiteral(" 20 ")) && summary.contains(QStringLiteral(" 5 ")),
             qPrintable(summary));
    QVERIFY(!child<QLabel>(panel, "pertTieLabel")->isVisibleTo(&panel));

    // One standard deviation either side: Phi(1) = 0.8413, Phi(-1) = 0.1587.
    auto *dayEdit = child<QLineEdit>(panel, "pertDayEdit");
    auto *probability = child<QLabel>(panel, "pertProbabilityLabel");
    dayEdit->setText(QStringLiteral("25"));
    QVERIFY2(probability->text().contains(QStringLiteral("84.13%")),
             qPrintable(probability->text()));
    dayEdit->setText(QStringLiteral("15"));
    QVERIFY2(probability->text().contains(QStringLiteral("15.87%")),
             qPrintable(probability->text()));
    dayEdit->setText(QStringLiteral("20"));
    QVERIFY2(probability->text().contains(QStringLiteral("50.00%")),
             qPrintable(probability->text()));

    // The other way: 97.72% confidence is two standard deviations (Phi(2) = 0.97725).
    auto *confidence = child<QLineEdit>(panel, "pertConfidenceEdit");
    confidence->setText(QStringLiteral("97.725"));
    QVERIFY(panel.dayForConfidence().has_value());
    QVERIFY(std::abs(*panel.dayForConfidence() - 30) < 0.01);
    QVERIFY2(child<QLabel>(panel, "pertDayLabel")->text().contains(QStringLiteral("30")),
             qPrintable(child<QLabel>(panel, "pertDayLabel")->text()));
    confidence->setText(QStringLiteral("50"));
    QVERIFY(std::abs(*panel.dayForConfidence() - 20) < 1e-6);
}

void PertPanelTest::tiedPathsUseTheMostUncertain()
{
    // Two paths of expected time 4: A's variance (4/6)^2, B's (6/6)^2.
    const project::ProjectAnalysis analysis
        = project::analyseRows(rowsOf({QStringLiteral("A|-|4|2|4|6"), QStringLiteral("B|-|4|1|4|7"),
                                       QStringLiteral("C|-|1|1|1|1")}),
                               QString());
    project::PertPanel panel;
    panel.showAnalysis(analysis);
    QVERIFY(panel.pert().has_value());
    QCOMPARE(panel.pert()->tiedPaths, std::size_t(2));
    QCOMPARE(panel.pert()->criticalPath, (std::vector<int> {1}));
    QVERIFY(std::abs(panel.pert()->standardDeviation - 1) < 1e-9);
    auto *tie = child<QLabel>(panel, "pertTieLabel");
    QVERIFY(tie->isVisibleTo(&panel));
    QVERIFY2(tie->text().contains(u'2'), qPrintable(tie->text()));
}

void PertPanelTest::shadedAreaEndsAtAskedDay_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("day");
    QTest::newRow("at the mean") << QStringLiteral("20") << 20.0;
    QTest::newRow("between points") << QStringLiteral("23.37") << 23.37;
    QTest::newRow("far below") << QStringLiteral("0") << 0.0;
    QTest::newRow("far above") << QStringLiteral("90") << 90.0;
    QTest::newRow("Thai digits") << QStringLiteral("๒๔.๕") << 24.5;
}

void PertPanelTest::shadedAreaEndsAtAskedDay()
{
    QFETCH(QString, typed);
    QFETCH(double, day);
    project::PertPanel panel;
    panel.showAnalysis(project::analyseRows(rowsOf(kExample), QString()));
    QVERIFY(shadedArea(panel) == nullptr);
    child<QLineEdit>(panel, "pertDayEdit")->setText(typed);
    QAreaSeries *area = shadedArea(panel);
    QVERIFY(area);
    const QList<QPointF> upper = area->upperSeries()->points();
    QVERIFY(!upper.isEmpty());
    QCOMPARE(upper.last().x(), day);
    // The shaded edge is the normal density of mean 20 and sd 5, up to the day only.
    for (const QPointF &point : upper) {
        QVERIFY(point.x() <= day);
        QVERIFY(std::abs(point.y() - normalDensity(point.x(), 20, 5)) < 1e-12);
    }
    for (const QPointF &point : area->lowerSeries()->points())
        QCOMPARE(point.y(), 0.0);
    // The day is inside the axis.
    const auto axes = child<QChartView>(panel, "pertChartView")->chart()->axes(Qt::Horizontal);
    QCOMPARE(axes.size(), 1);
    auto *axis = qobject_cast<QValueAxis *>(axes.front());
    QVERIFY(axis && axis->min() <= day && axis->max() >= day);
}

void PertPanelTest::badInput_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("confidence");
    QTest::newRow("words") << QStringLiteral("ยี่สิบ") << QStringLiteral("มาก");
    QTest::newRow("negative") << QStringLiteral("-3") << QStringLiteral("-5");
    QTest::newRow("decimal comma") << QStringLiteral("12,5") << QStringLiteral("95,5");
    QTest::newRow("exponent") << QStringLiteral("1e3") << QStringLiteral("1e1");
    QTest::newRow("out of range") << QStringLiteral("1000000000000000") << QStringLiteral("100");
    QTest::newRow("zero confidence") << QStringLiteral("..") << QStringLiteral("0");
    QTest::newRow("above a hundred") << QStringLiteral("inf") << QStringLiteral("150");
}

void PertPanelTest::badInput()
{
    QFETCH(QString, day);
    QFETCH(QString, confidence);
    project::PertPanel panel;
    panel.showAnalysis(project::analyseRows(rowsOf(kExample), QString()));
    auto *dayEdit = child<QLineEdit>(panel, "pertDayEdit");
    auto *confidenceEdit = child<QLineEdit>(panel, "pertConfidenceEdit");
    dayEdit->setText(QStringLiteral("25"));
    confidenceEdit->setText(QStringLiteral("95"));
    QVERIFY(panel.probability() && panel.dayForConfidence());

    dayEdit->setText(day);
    confidenceEdit->setText(confidence);
    QVERIFY(!panel.probability());
    QVERIFY(!panel.dayForConfidence());
    QVERIFY(!project::readPertDay(day).problem.isEmpty());
    QVERIFY(!project::readPertConfidence(confidence).problem.isEmpty());
    const QString dayMessage = child<QLabel>(panel, "pertProbabilityLabel")->text();
    const QString confidenceMessage = child<QLabel>(panel, "pertDayLabel")->text();
    QCOMPARE(dayMessage, project::readPertDay(day).problem);
    QCOMPARE(confidenceMessage, project::readPertConfidence(confidence).problem);
    QVERIFY(shadedArea(panel) == nullptr);

    // Emptied, the fields ask again without a complaint.
    dayEdit->clear();
    confidenceEdit->clear();
    QVERIFY(project::readPertDay(QString()).problem.isEmpty());
    QVERIFY(child<QLabel>(panel, "pertProbabilityLabel")->text() != dayMessage);
    QVERIFY(!panel.probability());
}

void PertPanelTest::withoutEstimatesSaysHow()
{
    project::PertPanel panel;
    auto *message = child<QLabel>(panel, "pertMessageLabel");
    panel.showAnalysis(project::analyseRows(rowsOf(kExample), QString()));
    QVERIFY(!message->isVisibleTo(&panel));

    // A sound project without estimates: how to add them, naming the three columns.
    panel.showAnalysis(project::analyseRows(
        rowsOf({QStringLiteral("A|-|3"), QStringLiteral("B|A|4")}), QString()));
    QVERIFY(!panel.pert());
    QVERIFY(message->isVisibleTo(&panel));
    for (const char *column : {"(a)", "(m)", "(b)"})
        QVERIFY2(message->text().contains(QString::fromLatin1(column)),
                 qPrintable(message->text()));
    QVERIFY(!child<QChartView>(panel, "pertChartView")->isVisibleTo(&panel));
    child<QLineEdit>(panel, "pertDayEdit")->setText(QStringLiteral("5"));
    QVERIFY(!panel.probability());

    // A table with problems: a message, no figures.
    panel.showAnalysis(project::analyseRows(rowsOf({QStringLiteral("A|-|3|1|x|5")}), QString()));
    QVERIFY(!panel.pert());
    QVERIFY(message->isVisibleTo(&panel) && !message->text().isEmpty());
}

void PertPanelTest::certainDuration()
{
    project::PertPanel panel;
    panel.showAnalysis(
        project::analyseRows(rowsOf({QStringLiteral("A|-|3|4|4|4"), QStringLiteral("B|A|2"),
                                     QStringLiteral("C|-|1|1|2|9")}),
                             QString()));
    QVERIFY(panel.pert());
    QCOMPARE(panel.pert()->standardDeviation, 0.0);
    QVERIFY(std::abs(panel.pert()->expectedDuration - 6) < 1e-9);
    auto *note = child<QLabel>(panel, "pertTieLabel");
    QVERIFY(note->isVisibleTo(&panel));
    QVERIFY2(note->text().contains(QStringLiteral("แน่นอน")), qPrintable(note->text()));
    QVERIFY(!child<QChartView>(panel, "pertChartView")->isVisibleTo(&panel));
    auto *dayEdit = child<QLineEdit>(panel, "pertDayEdit");
    dayEdit->setText(QStringLiteral("5.99"));
    QCOMPARE(*panel.probability(), 0.0);
    dayEdit->setText(QStringLiteral("6"));
    QCOMPARE(*panel.probability(), 1.0);
    child<QLineEdit>(panel, "pertConfidenceEdit")->setText(QStringLiteral("99"));
    QVERIFY(std::abs(*panel.dayForConfidence() - 6) < 1e-9);
}

void PertPanelTest::windowTabFollowsTable()
{
    QStandardPaths::setTestModeEnabled(true);
    ProjectWindow window;
    auto *tabs = child<QTabWidget>(window, "viewTabs");
    auto *panel = child<project::PertPanel>(window, "pertPanel");
    const int at = tabs->indexOf(panel);
    QCOMPARE(tabs->tabText(at), QStringLiteral("PERT"));
    QCOMPARE(tabs->indexOf(child<QWidget>(window, "costCurveChart")), at - 1);

    project::ActivityTableModel *table = window.document()->table();
    // The panel follows each edit once the window has analysed it.
    table->resetRows(rowsOf(kExample), QString());
    QTRY_VERIFY(panel->pert());
    QVERIFY(std::abs(panel->pert()->expectedDuration - 20) < 1e-9);
    // Editing an estimate updates the panel: B's pessimistic time 26 -> 8 makes B's te
    // (2 + 32 + 8) / 6 = 7.
    QVERIFY(table->setData(table->index(1, project::PessimisticColumn), QStringLiteral("8")));
    QTRY_VERIFY(std::abs(panel->pert()->expectedDuration - 17) < 1e-9);
    QVERIFY(table->setData(table->index(1, project::PessimisticColumn), QStringLiteral("x")));
    QTRY_VERIFY(!panel->pert());
}

QTEST_MAIN(PertPanelTest)
#include "pertpanel_test.moc"
