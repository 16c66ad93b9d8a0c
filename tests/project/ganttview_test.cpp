// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The Gantt chart against the engine's schedule: every bar from its earliest start to its
// earliest finish and its float to the latest finish on the chart's own time axis, red
// exactly for the critical activities, for the normal plan and a crashed one, on the
// practice sets and random projects; and red on screen where a critical bar is.

#include "../support/randomproject.h"

#include "ganttview.h"
#include "leastcost.h"
#include "practiceset.h"
#include "schedule.h"

#include <QImage>
#include <QTest>

namespace {

std::vector<engine::Project> projectsToChart()
{
    std::vector<engine::Project> projects;
    for (int set = 1; set <= 5; ++set)
        projects.push_back(practiceProject(practiceSet(set)));
    testsupport::Random random(11);
    for (int k = 0; k < 20; ++k) {
        testsupport::ProjectShape shape;
        shape.activities = 1 + static_cast<int>(testsupport::below(random, 40));
        shape.window = k % 2 == 0 ? 0 : 5;
        projects.push_back(testsupport::randomProject(random, shape));
    }
    return projects;
}

} // namespace

class GanttViewTest : public QObject {
    Q_OBJECT

private slots:
    void barsAreTheEnginesSchedule()
    {
        for (const engine::Project &project : projectsToChart()) {
            const project::AnalysisSnapshot analysis = project::analysisOf(project);
            const engine::Network &network = analysis->network;
            const engine::Duration normal = analysis->schedule.projectDuration;
            const engine::Duration shortest = analysis->shortestDuration;
            const std::optional<engine::LeastCost> least
                = engine::leastCost(network, (normal + shortest) / 2);
            QVERIFY(least);
            project::GanttView view;
            view.showPlans(analysis, least->durations, QStringLiteral("crashed"));
            view.setLinksShown(true);
            QCOMPARE(view.planCount(), 2);
            const double unit = view.unitWidth();
            const std::vector<engine::Duration> plans[]
                = {{network.normalDurations().begin(), network.normalDurations().end()},
                   least->durations};
            for (int plan = 0; plan < 2; ++plan) {
                const engine::Schedule s = engine::computeSchedule(network, plans[plan]);
                for (int a = 0; a < network.size(); ++a) {
                    const auto k = static_cast<std::size_t>(a);
                    const QRectF bar = view.barRect(plan, a);
                    QCOMPARE(bar.left(),
                             view.timeOrigin() + static_cast<double>(s.earliestStart[k]) * unit);
                    QCOMPARE(bar.width(),
                             static_cast<double>(s.earliestFinish[k] - s.earliestStart[k]) * unit);
                    const QRectF slack = view.floatRect(plan, a);
                    QCOMPARE(slack.isNull(), s.latestFinish[k] == s.earliestFinish[k]);
                    if (!slack.isNull()) {
                        QCOMPARE(slack.left(), bar.right());
                        QCOMPARE(slack.width(),
                                 static_cast<double>(s.latestFinish[k] - s.earliestFinish[k])
                                     * unit);
                    }
                    QCOMPARE(view.barIsCritical(plan, a), s.isCritical(a));
                    // Rows in table order, the crashed plan wholly below the normal one.
                    if (a > 0)
                        QVERIFY(bar.top() > view.barRect(plan, a - 1).bottom());
                    if (plan == 1)
                        QVERIFY(bar.top() > view.barRect(0, network.size() - 1).bottom());
                }
            }
            QVERIFY(view.drawingRect().contains(view.barRect(1, network.size() - 1).bottomRight()));
        }
    }

    // Each link runs from its predecessor's start (SS, SF) or finish (FS, FF) to its
    // activity's start (FS, SS) or finish (FF, SF), where the bars begin and end.
    void linksJoinTheEndsTheirTypeNames()
    {
        testsupport::Random random(23);
        for (int k = 0; k < 12; ++k) {
            testsupport::ProjectShape shape;
            shape.activities = 2 + static_cast<int>(testsupport::below(random, 25));
            shape.linkPercent = 60;
            const project::AnalysisSnapshot analysis
                = project::analysisOf(testsupport::randomProject(random, shape));
            QVERIFY(analysis->sound());
            project::GanttView view;
            view.showPlans(analysis, std::nullopt, QString());
            const engine::Network &network = analysis->network;
            for (int a = 0; a < network.size(); ++a) {
                const auto before = network.predecessors(a);
                const auto timings = network.predecessorTimings(a);
                for (std::size_t j = 0; j < before.size(); ++j) {
                    const engine::LinkType type
                        = timings.empty() ? engine::LinkType::FinishToStart : timings[j].type;
                    const bool fromStart = type == engine::LinkType::StartToStart
                        || type == engine::LinkType::StartToFinish;
                    const bool toFinish = type == engine::LinkType::FinishToFinish
                        || type == engine::LinkType::StartToFinish;
                    const QRectF from = view.barRect(0, before[j]);
                    const QRectF to = view.barRect(0, a);
                    const QPolygonF line = view.linkLine(0, a, static_cast<int>(j));
                    QCOMPARE(line.size(), 4);
                    QCOMPARE(line.front().x(), fromStart ? from.left() : from.right());
                    QCOMPARE(line.back().x(), toFinish ? to.right() : to.left());
                    QCOMPARE(line.back().y(), to.center().y());
                }
            }
            QVERIFY(
                view.linkLine(0, 0, static_cast<int>(network.predecessors(0).size())).isEmpty());
        }
    }

    void criticalBarsAreRedOnScreen()
    {
        const project::AnalysisSnapshot analysis
            = project::analysisOf(practiceProject(practiceSet(1)));
        project::GanttView view;
        view.resize(1200, 800);
        view.showPlans(analysis, std::nullopt, QString());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.planCount(), 1);
        const QImage image = view.viewport()->grab().toImage();
        for (int a = 0; a < analysis->network.size(); ++a) {
            const QRectF bar = view.barRect(0, a);
            const QPoint at = view.mapFromScene(bar.center());
            const QRgb c = image.pixel(qRound(at.x() * image.devicePixelRatio()),
                                       qRound(at.y() * image.devicePixelRatio()));
            QCOMPARE(qRed(c) > qBlue(c) + 60, analysis->schedule.isCritical(a));
        }
        view.showMessage(QStringLiteral("ไม่มีแผน"));
        QCOMPARE(view.planCount(), 0);
        QVERIFY(view.barRect(0, 0).isNull());
    }
};

QTEST_MAIN(GanttViewTest)
#include "ganttview_test.moc"
