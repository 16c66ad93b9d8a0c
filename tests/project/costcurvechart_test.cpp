// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "costcurvechart.h"
#include "greedylog.h"

#include "leastcost.h"
#include "practiceset.h"
#include "schedule.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <limits>

// The time-cost chart of the practice sets: its curve against the least cost solved
// duration by duration, the greedy rule's points above it, the lowest total cost against a
// search over every point, and the indirect cost field's checking.

namespace {

using engine::CurvePoint;
using engine::Duration;
using engine::Satang;

struct Loaded {
    engine::Project project;
    engine::Network network;
};

Loaded load(int set)
{
    Loaded loaded {practiceProject(practiceSet(set)), {}};
    loaded.network = engine::Network(loaded.project);
    return loaded;
}

Duration durationOf(const engine::Network &network, bool crashed)
{
    const auto source = crashed ? network.crashDurations() : network.normalDurations();
    const std::vector<Duration> durations(source.begin(), source.end());
    return engine::computeSchedule(network, durations).projectDuration;
}

} // namespace

class CostCurveChartTest : public QObject {
    Q_OBJECT

private slots:
    void sets_data()
    {
        QTest::addColumn<int>("set");
        for (int set = 1; set <= 5; ++set)
            QTest::newRow(qPrintable(QStringLiteral("set %1").arg(set))) << set;
    }

    // Every whole duration from normal down to the shortest, each at the least cost solved
    // for that duration alone.
    void curveIsTheLeastCostAtEveryDuration_data() { sets_data(); }
    void curveIsTheLeastCostAtEveryDuration()
    {
        QFETCH(int, set);
        const Loaded loaded = load(set);
        project::CostCurveChart chart;
        chart.showCurve(::project::analysisOf(loaded.project));
        const Duration normal = durationOf(loaded.network, false);
        const Duration shortest = durationOf(loaded.network, true);
        const std::vector<CurvePoint> &points = chart.curvePoints();
        QCOMPARE(points.size(), static_cast<std::size_t>(normal - shortest + 1));
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Duration d = normal - static_cast<Duration>(i);
            QCOMPARE(points[i].duration, d);
            QCOMPARE(points[i].cost, engine::leastCost(loaded.network, d)->cost);
        }
        QCOMPARE(points.front().cost, 0);
    }

    // The greedy rule's totals start at (normal, 0), end at the shortest duration and never
    // lie below the curve.
    void greedyPointsLieOnOrAboveTheCurve_data() { sets_data(); }
    void greedyPointsLieOnOrAboveTheCurve()
    {
        QFETCH(int, set);
        const Loaded loaded = load(set);
        project::CostCurveChart chart;
        chart.showCurve(::project::analysisOf(loaded.project));
        const std::vector<CurvePoint> &greedy = chart.greedyPoints();
        QVERIFY(greedy.size() >= 2);
        QCOMPARE(greedy.front(), (CurvePoint {durationOf(loaded.network, false), 0}));
        QCOMPARE(greedy.back().duration, durationOf(loaded.network, true));
        for (std::size_t i = 1; i < greedy.size(); ++i) {
            QVERIFY(greedy[i].duration < greedy[i - 1].duration);
            QVERIFY(greedy[i].cost > greedy[i - 1].cost);
            QVERIFY(greedy[i].cost >= engine::leastCost(loaded.network, greedy[i].duration)->cost);
        }
    }

    void lowestTotalIsTheSmallestPoint_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("indirect");
        for (int set = 1; set <= 5; ++set) {
            for (const char *indirect : {"0", "50", "100", "125", "175.50", "200", "1000"})
                QTest::newRow(qPrintable(QStringLiteral("set %1, %2").arg(set).arg(indirect)))
                    << set << QString::fromLatin1(indirect);
        }
    }
    void lowestTotalIsTheSmallestPoint()
    {
        QFETCH(int, set);
        QFETCH(QString, indirect);
        const Loaded loaded = load(set);
        project::CostCurveChart chart;
        chart.showCurve(::project::analysisOf(loaded.project));
        chart.findChild<QLineEdit *>(QStringLiteral("indirectCostEdit"))->setText(indirect);
        const Satang perUnit = qRound64(indirect.toDouble() * 100);
        QCOMPARE(chart.indirectCostPerUnit(), std::optional<Satang>(perUnit));

        // Every whole duration tried; ties go to the shorter duration.
        std::optional<CurvePoint> best;
        for (Duration d = durationOf(loaded.network, true); d <= durationOf(loaded.network, false);
             ++d) {
            const Satang total = engine::leastCost(loaded.network, d)->cost + perUnit * d;
            if (!best || total < best->cost)
                best = CurvePoint {d, total};
        }
        QCOMPARE(chart.lowestTotal(), best);
        const QString label = chart.findChild<QLabel *>(QStringLiteral("lowestTotalLabel"))->text();
        QVERIFY2(label.contains(QString::number(best->duration)), qPrintable(label));
        QVERIFY2(label.contains(project::bahtText(best->cost)), qPrintable(label));
        QVERIFY(chart.findChild<QLabel *>(QStringLiteral("indirectCostMessage"))->isHidden());
    }

    void tiesGoToTheShorterDuration()
    {
        // Extra cost falls by exactly the indirect cost per unit between 10 and 8.
        const std::vector<CurvePoint> points {{10, 0}, {9, 100}, {8, 200}, {7, 500}};
        QCOMPARE(project::CostCurveChart::lowestTotalCost(points, 100), (CurvePoint {8, 1000}));
        QCOMPARE(project::CostCurveChart::lowestTotalCost(points, 99), (CurvePoint {10, 990}));
        QCOMPARE(project::CostCurveChart::lowestTotalCost({}, 100), std::nullopt);
        // A total beyond 64 bits is no answer.
        QCOMPARE(project::CostCurveChart::lowestTotalCost(points,
                                                          std::numeric_limits<Satang>::max() / 5),
                 std::nullopt);
    }

    // Two activities in a row, one of 300,000 days: too many whole durations to list, so the
    // breakpoints stand for the curve, and the lowest total is still the lowest of all.
    void longCurveShownByBreakpoints()
    {
        engine::Project project;
        project.activities.push_back({"A", "", {}, 300'000, 100, 200});
        project.activities.push_back({"B", "", {"A"}, 50, 10, 350});
        const engine::Network network(project);
        project::CostCurveChart chart;
        chart.showCurve(::project::analysisOf(project));
        const std::vector<CurvePoint> expected {{300'050, 0},
                                                {150, 299'900 * 200},
                                                {110, 299'900 * 200 + 40 * 350}};
        QCOMPARE(chart.curvePoints(), expected);
        for (const CurvePoint &point : expected)
            QCOMPARE(engine::leastCost(network, point.duration)->cost, point.cost);
        for (const Satang indirect : {Satang {100}, Satang {200}, Satang {300}, Satang {400}}) {
            chart.setIndirectCostPerUnit(indirect);
            std::optional<CurvePoint> best;
            for (Duration d = 110; d <= 300'050; ++d) {
                const Satang extra
                    = d >= 150 ? (300'050 - d) * 200 : 299'900 * 200 + (150 - d) * 350;
                const Satang total = extra + indirect * d;
                if (!best || total < best->cost)
                    best = CurvePoint {d, total};
            }
            QCOMPARE(chart.lowestTotal(), best);
        }
    }

    void badIndirectCostIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("three decimals") << QStringLiteral("12.345");
        QTest::newRow("grouped") << QStringLiteral("1,000");
        QTest::newRow("negative") << QStringLiteral("-5");
        QTest::newRow("exponent") << QStringLiteral("1e3");
        QTest::newRow("currency") << QStringLiteral("100 บาท");
        QTest::newRow("point only") << QStringLiteral(".");
        QTest::newRow("beyond 64 bits") << QStringLiteral("99999999999999999999");
        QTest::newRow("total overflows") << QStringLiteral("90000000000000000");
    }
    void badIndirectCostIsRefused()
    {
        QFETCH(QString, text);
        const Loaded loaded = load(1);
        project::CostCurveChart chart;
        chart.showCurve(::project::analysisOf(loaded.project));
        auto *edit = chart.findChild<QLineEdit *>(QStringLiteral("indirectCostEdit"));
        auto *message = chart.findChild<QLabel *>(QStringLiteral("indirectCostMessage"));
        auto *label = chart.findChild<QLabel *>(QStringLiteral("lowestTotalLabel"));
        edit->setText(QStringLiteral("100"));
        QVERIFY(chart.lowestTotal());
        edit->setText(text);
        QCOMPARE(chart.indirectCostPerUnit(), std::nullopt);
        QCOMPARE(chart.lowestTotal(), std::nullopt);
        QVERIFY(!message->isHidden());
        QVERIFY(!message->text().isEmpty());
        QVERIFY(label->text().isEmpty());
        // Emptied: no indirect cost, no message.
        edit->clear();
        QVERIFY(message->isHidden());
        QCOMPARE(chart.indirectCostPerUnit(), std::nullopt);
        QCOMPARE(chart.lowestTotal(), std::nullopt);
    }

    // Thai digits read as the table reads them.
    void indirectCostInThaiDigits()
    {
        project::CostCurveChart chart;
        chart.findChild<QLineEdit *>(QStringLiteral("indirectCostEdit"))
            ->setText(QStringLiteral("๑๕๐.๕๐"));
        QCOMPARE(chart.indirectCostPerUnit(), std::optional<Satang>(15050));
    }

    void indirectCostSetInCode()
    {
        const Loaded loaded = load(1);
        project::CostCurveChart chart;
        chart.setIndirectCostPerUnit(15050);
        QCOMPARE(chart.indirectCostPerUnit(), std::optional<Satang>(15050));
        QCOMPARE(chart.lowestTotal(), std::nullopt); // no curve yet
        chart.showCurve(::project::analysisOf(loaded.project));
        QVERIFY(chart.lowestTotal());
        chart.setIndirectCostPerUnit(std::nullopt);
        QCOMPARE(chart.lowestTotal(), std::nullopt);
    }

    void clearedChartHoldsNothing()
    {
        const Loaded loaded = load(2);
        project::CostCurveChart chart;
        chart.setIndirectCostPerUnit(10000);
        chart.showCurve(::project::analysisOf(loaded.project));
        QVERIFY(!chart.curvePoints().empty());
        chart.clearCurve(QStringLiteral("ตารางยังมีข้อผิดพลาด"));
        QVERIFY(chart.curvePoints().empty());
        QVERIFY(chart.greedyPoints().empty());
        QCOMPARE(chart.lowestTotal(), std::nullopt);
        QVERIFY(chart.findChild<QLabel *>(QStringLiteral("lowestTotalLabel"))->text().isEmpty());
    }

    // Rendering into any rectangle paints inside it only, and a curve paints more than an
    // empty chart.
    void renderedChartStaysInItsRectangle()
    {
        const Loaded loaded = load(1);
        project::CostCurveChart chart;
        auto inkOutside = [](const QImage &image, const QRect &inside) {
            int ink = 0, outside = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                        ++ink;
                        if (!inside.contains(x, y))
                            ++outside;
                    }
                }
            }
            return std::pair {ink, outside};
        };
        auto render = [&] {
            QImage image(700, 500, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            chart.renderChart(&painter, QRectF(100, 50, 500, 400));
            return image;
        };
        const auto [emptyInk, emptyOutside] = inkOutside(render(), QRect(100, 50, 500, 400));
        chart.showCurve(::project::analysisOf(loaded.project));
        chart.setIndirectCostPerUnit(12500);
        const auto [curveInk, curveOutside] = inkOutside(render(), QRect(100, 50, 500, 400));
        QCOMPARE(emptyOutside, 0);
        QCOMPARE(curveOutside, 0);
        QVERIFY(curveInk > emptyInk);
        QVERIFY(curveInk > 0);
    }

    void everyControlIsNamed()
    {
        project::CostCurveChart chart;
        for (const char *name : {"costCurveChartView", "indirectCostEdit", "lowestTotalLabel"}) {
            auto *widget = chart.findChild<QWidget *>(QString::fromLatin1(name));
            QVERIFY2(widget, name);
            QVERIFY2(!widget->accessibleName().isEmpty(), name);
        }
    }
};

QTEST_MAIN(CostCurveChartTest)
#include "costcurvechart_test.moc"
