// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The network view on the offscreen platform: what it colours red against the engine's own
// critical activities, what a crashing step changes, the message, zooming and fitting, and a
// random network of 50 activities drawn without overlaps. With CRASHKIT_SNAPSHOT_DIR set it
// also writes pictures of set 1 and of the 50-activity network there, to look at.

#include "../support/randomproject.h"

#include "networkview.h"
#include "practiceset.h"
#include "schedule.h"

#include <QComboBox>
#include <QImage>
#include <QStandardItemModel>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

struct Shown {
    engine::Project project;
    std::unique_ptr<engine::Network> network;
    std::vector<engine::Duration> durations;
    project::AnalysisSnapshot analysis;
};

Shown practice(int set)
{
    Shown s;
    s.project = practiceProject(practiceSet(set));
    s.network = std::make_unique<engine::Network>(s.project);
    s.durations.assign(s.network->normalDurations().begin(), s.network->normalDurations().end());
    s.analysis = project::analysisOf(s.project);
    return s;
}

Shown randomNetwork(int activities, std::uint64_t seed)
{
    Shown s;
    testsupport::Random random(seed);
    testsupport::ProjectShape shape;
    shape.activities = activities;
    shape.window = 6;
    s.project = testsupport::randomProject(random, shape);
    s.network = std::make_unique<engine::Network>(s.project);
    s.durations.assign(s.network->normalDurations().begin(), s.network->normalDurations().end());
    s.analysis = project::analysisOf(s.project);
    return s;
}

void show(project::NetworkView &view, const Shown &s)
{
    view.showProject(s.analysis, s.durations);
}

// Pixels that are clearly red: red well above green and blue.
bool reddish(QRgb c)
{
    return qRed(c) > qGreen(c) + 12 && qRed(c) > qBlue(c) + 12;
}

int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += reddish(image.pixel(x, y));
    return count;
}

// The colour inside an activity's box, near its left edge halfway down, where no text is.
QRgb boxColour(project::NetworkView &view, const QImage &image, int activity)
{
    const QRectF box = view.nodeRect(activity);
    const QPoint at = view.mapFromScene(QPointF(box.left() + 4, box.center().y()));
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(qRound(at.x() * ratio), qRound(at.y() * ratio));
}

QImage grabViewport(project::NetworkView &view)
{
    return view.viewport()->grab().toImage();
}

void snapshot(project::NetworkView &view, const char *name)
{
    const QByteArray dir = qgetenv("CRASHKIT_SNAPSHOT_DIR");
    if (!dir.isEmpty())
        view.grab().save(QString::fromLocal8Bit(dir) + u'/' + QString::fromLatin1(name));
}

} // namespace

class NetworkViewTest : public QObject {
    Q_OBJECT

private slots:
    void redIsTheEnginesCriticalActivities_data()
    {
        QTest::addColumn<int>("set");
        for (int set = 1; set <= 5; ++set)
            QTest::addRow("set %d", set) << set;
    }

    // Red boxes are exactly the engine's critical activities, on screen too.
    void redIsTheEnginesCriticalActivities()
    {
        QFETCH(int, set);
        const Shown s = practice(set);
        project::NetworkView view;
        view.resize(1400, 900);
        show(view, s);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const engine::Schedule schedule = engine::computeSchedule(*s.network, s.durations);
        const std::vector<int> critical = engine::criticalActivities(schedule);
        QCOMPARE(view.criticalNodeCount(), static_cast<int>(critical.size()));
        QVERIFY(view.criticalNodeCount() > 0);

        const QImage image = grabViewport(view);
        for (int a = 0; a < s.network->size(); ++a) {
            QVERIFY(view.viewport()->rect().contains(
                view.mapFromScene(view.nodeRect(a)).boundingRect()));
            const QRgb colour = boxColour(view, image, a);
            QVERIFY2(reddish(colour) == schedule.isCritical(a),
                     qPrintable(QStringLiteral("activity %1 colour %2")
                                    .arg(QString::fromStdString(s.project.activities[a].id))
                                    .arg(QColor(colour).name())));
        }
        if (set == 1)
            snapshot(view, "h3_network.png");
    }

    // A crashing step: the texts follow the new durations, the boxes stay where they were.
    void newDurationsRedrawInPlace()
    {
        Shown s = practice(1);
        project::NetworkView view;
        show(view, s);
        const int n = s.network->size();
        std::vector<QRectF> before;
        std::vector<QStringList> textsBefore;
        for (int a = 0; a < n; ++a) {
            before.push_back(view.nodeRect(a));
            textsBefore.push_back(view.nodeTexts(a));
            QVERIFY(!before.back().isEmpty());
        }
        // Shorten the critical activity with the largest crash range by one time unit.
        const engine::Schedule normal = engine::computeSchedule(*s.network, s.durations);
        int crashed = -1;
        for (int a = 0; a < n; ++a) {
            const auto i = static_cast<std::size_t>(a);
            if (normal.isCritical(a) && s.durations[i] > s.network->crashDurations()[i])
                crashed = a;
        }
        QVERIFY(crashed >= 0);
        --s.durations[static_cast<std::size_t>(crashed)];
        view.showDurations(s.durations);

        const engine::Schedule after = engine::computeSchedule(*s.network, s.durations);
        QCOMPARE(after.projectDuration, normal.projectDuration - 1);
        QCOMPARE(view.criticalNodeCount(),
                 static_cast<int>(engine::criticalActivities(after).size()));
        int changed = 0;
        for (int a = 0; a < n; ++a) {
            QCOMPARE(view.nodeRect(a), before[static_cast<std::size_t>(a)]);
            const auto i = static_cast<std::size_t>(a);
            // A box's texts change exactly when one of its four times or its duration does.
            const bool timesChanged = after.earliestStart[i] != normal.earliestStart[i]
                || after.earliestFinish[i] != normal.earliestFinish[i]
                || after.latestStart[i] != normal.latestStart[i]
                || after.latestFinish[i] != normal.latestFinish[i];
            QCOMPARE(view.nodeTexts(a) != textsBefore[i], timesChanged);
            changed += timesChanged;
        }
        QVERIFY(view.nodeTexts(crashed) != textsBefore[static_cast<std::size_t>(crashed)]);
        QVERIFY(changed > 0);
    }

    // A message replaces the whole drawing: no box, nothing red, only the message.
    void messageDrawsNoNetwork()
    {
        const Shown s = practice(1);
        project::NetworkView view;
        view.resize(800, 500);
        show(view, s);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(redPixels(grabViewport(view)) > 0);
        const QString text = QStringLiteral("ตารางยังมีข้อผิดพลาด แก้ให้ครบก่อนจึงจะวาดเครือข่ายได้");
        view.showMessage(text);
        QCOMPARE(view.message(), text);
        QCOMPARE(view.criticalNodeCount(), 0);
        QVERIFY(view.nodeRect(0).isNull());
        QVERIFY(view.nodeTexts(0).isEmpty());
        QCOMPARE(view.scene()->items().size(), 1);
        const QImage image = grabViewport(view);
        QCOMPARE(redPixels(image), 0);
        // The message sits in the middle of the view.
        const QRect message = view.mapFromScene(view.drawingRect()).boundingRect();
        QVERIFY(qAbs(message.center().x() - view.viewport()->rect().center().x()) <= 2);
        QVERIFY(qAbs(message.center().y() - view.viewport()->rect().center().y()) <= 2);
        // Showing the network again after a message lays it out anew.
        show(view, s);
        QVERIFY(view.message().isEmpty());
        QVERIFY(view.criticalNodeCount() > 0);
    }

    // Durations that do not belong to the network give a message, not a drawing.
    void badDurationsGiveAMessage()
    {
        Shown s = practice(2);
        project::NetworkView view;
        s.durations.pop_back();
        show(view, s);
        QVERIFY(!view.message().isEmpty());
        QCOMPARE(view.criticalNodeCount(), 0);
        s.durations.push_back(-1);
        show(view, s);
        QVERIFY(view.message().contains(QString::fromStdString(s.project.activities.back().id)));
        QVERIFY(view.nodeRect(0).isNull());
    }

    void zoomingAndFitting()
    {
        const Shown s = practice(1);
        project::NetworkView view;
        view.resize(900, 600);
        show(view, s);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // Set 1 fits at first show: the whole drawing inside the viewport.
        const QRect port = view.viewport()->rect();
        QVERIFY(port.contains(view.mapFromScene(view.drawingRect()).boundingRect()));
        const double fitted = view.zoomFactor();

        view.zoomIn();
        QVERIFY(qFuzzyCompare(view.zoomFactor(), fitted * 1.25));
        view.zoomOut();
        view.zoomOut();
        QVERIFY(qFuzzyCompare(view.zoomFactor(), fitted / 1.25));
        // Ctrl+wheel zooms; the wheel alone does not.
        const QPointF middle = QPointF(port.center());
        QWheelEvent plain(middle, view.viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.viewport(), &plain);
        QVERIFY(qFuzzyCompare(view.zoomFactor(), fitted / 1.25));
        QWheelEvent ctrl(middle, view.viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 120),
                         Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.viewport(), &ctrl);
        QVERIFY(qFuzzyCompare(view.zoomFactor(), fitted));
        // Ctrl+0 fits again after zooming far in.
        for (int k = 0; k < 5; ++k)
            view.zoomIn();
        QVERIFY(!port.contains(view.mapFromScene(view.drawingRect()).boundingRect()));
        QTest::keyClick(&view, Qt::Key_0, Qt::ControlModifier);
        QVERIFY(port.contains(view.mapFromScene(view.drawingRect()).boundingRect()));
    }

    // 50 activities: every box readable (not shrunk below the legible scale), none over
    // another, all inside the drawing; the picture is rendered for export too.
    void fiftyActivitiesWithoutOverlap()
    {
        const Shown s = randomNetwork(50, 2026);
        project::NetworkView view;
        view.resize(1200, 800);
        show(view, s);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.zoomFactor() >= 0.69);
        const QRectF drawing = view.drawingRect();
        for (int a = 0; a < 50; ++a) {
            QVERIFY(drawing.contains(view.nodeRect(a)));
            for (int b = a + 1; b < 50; ++b)
                QVERIFY2(!view.nodeRect(a).intersects(view.nodeRect(b)),
                         qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
        }
        QImage picture(drawing.size().toSize(), QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            view.renderDrawing(&painter, QRectF(QPointF(0, 0), drawing.size()));
        }
        // The export is painted on white and shows red critical boxes.
        QCOMPARE(QColor(picture.pixel(1, 1)), QColor(Qt::white));
        QVERIFY(redPixels(picture) > 0);
        if (!qgetenv("CRASHKIT_SNAPSHOT_DIR").isEmpty()) {
            snapshot(view, "h3_network50.png");
            picture.scaledToWidth(1600, Qt::SmoothTransformation)
                .save(QString::fromLocal8Bit(qgetenv("CRASHKIT_SNAPSHOT_DIR"))
                      + QStringLiteral("/h3_network50_whole.png"));
        }
    }

    // Activity on arrow: every circle shows its number and the times CPM gives (an activity's
    // tail its earliest start, its head its latest finish), the arrows in red are the critical
    // activities and dummies, the label the duration; a crashing step moves the times in
    // place; dashed dummies are drawn for parallel activities; the other style comes back.
    void arrowsCarryTheSchedule()
    {
        for (const int set : {1, 2, 5}) {
            Shown s = practice(set);
            project::NetworkView view;
            view.resize(1400, 900);
            view.setStyle(project::NetworkStyle::ActivityOnArrow);
            show(view, s);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            QTRY_VERIFY(view.isDrawn());
            const engine::ArrowDiagram *diagram = view.arrowDiagram();
            QVERIFY(diagram);
            QCOMPARE(view.nodeRect(0), QRectF());

            for (int step = 0; step < 2; ++step) {
                const engine::Schedule schedule = engine::computeSchedule(*s.network, s.durations);
                int critical = 0;
                for (int a = 0; a < s.network->size(); ++a) {
                    const auto &arrow = diagram->arrows[static_cast<std::size_t>(a)];
                    const auto k = static_cast<std::size_t>(a);
                    QCOMPARE(view.eventTexts(arrow.from).at(1),
                             QString::number(schedule.earliestStart[k]));
                    QCOMPARE(view.eventTexts(arrow.to).at(2),
                             QString::number(schedule.latestFinish[k]));
                    QCOMPARE(view.arrowTexts(a),
                             QStringList({QString::fromStdString(s.project.activities[k].id),
                                          QString::number(s.durations[k])}));
                    QCOMPARE(view.arrowIsCritical(a), schedule.isCritical(a));
                    critical += schedule.isCritical(a);
                    QVERIFY(view.eventRect(arrow.from).right() < view.eventRect(arrow.to).left());
                }
                QCOMPARE(view.criticalNodeCount(), critical);
                QCOMPARE(view.eventTexts(0).front(), QStringLiteral("1"));
                // A crashing step: the first critical activity one unit shorter.
                const auto first
                    = static_cast<std::size_t>(engine::criticalActivities(schedule).front());
                --s.durations[first];
                view.showDurations(s.durations);
            }
            for (std::size_t i = static_cast<std::size_t>(s.network->size());
                 i < diagram->arrows.size(); ++i)
                QVERIFY(view.arrowTexts(static_cast<int>(i)).isEmpty());
            if (set == 2) {
                // B and C both follow A and lead to D: one of them ends in a dummy.
                QCOMPARE(diagram->dummyCount(), std::size_t {1});
                snapshot(view, "arrows_set2.png");
            }
            view.setStyle(project::NetworkStyle::ActivityOnNode);
            QTRY_VERIFY(view.isDrawn());
            QCOMPARE(view.arrowDiagram(), nullptr);
            QVERIFY(!view.nodeRect(0).isEmpty());
        }
    }

    // A 10 units; B 4, finishing with A (FF); C 10, starting with B (SS) and after A: by hand
    // B runs 6-10 (latest 10-14, held by C's start at 10) and C 10-20. The boxes say so in the
    // project's unit, the two links carry their types, and the arrows' style is refused (it
    // needs plain links) with its reason.
    void linksOtherThanPlainAreLabelledAndRefuseArrows()
    {
        engine::Project project;
        project.timeUnit = engine::TimeUnit::Hour;
        project.activities
            = {{"A", "", {}, 10, 8, 100},
               {"B", "", {"A"}, 4, 2, 100, {}, {{engine::LinkType::FinishToFinish, 0}}},
               {"C", "", {"B", "A"}, 10, 9, 100, {}, {{engine::LinkType::StartToStart, 0}, {}}}};
        const project::AnalysisSnapshot analysis = project::analysisOf(project);
        QVERIFY(analysis->sound());
        project::NetworkView view;
        view.resize(900, 600);
        view.showProject(analysis, analysis->network.normalDurations());
        QTRY_VERIFY(view.isDrawn());
        QCOMPARE(view.nodeTexts(1),
                 QStringList({u"ES 6"_qs, u"EF 10"_qs, u"B"_qs, u"ระยะเวลา 4 ชั่วโมง"_qs, u"LS 10"_qs,
                              u"LF 14"_qs}));
        QCOMPARE(view.nodeTexts(2).at(1), u"EF 20"_qs);
        QCOMPARE(view.linkLabel(0, 1), u"FF"_qs);
        QCOMPARE(view.linkLabel(1, 2), u"SS"_qs);
        QCOMPARE(view.linkLabel(0, 2), QString());
        snapshot(view, "links_ff_ss.png");

        QComboBox *choice = project::makeStyleChoice(&view, nullptr, "style");
        project::allowArrowStyle(choice, analysis->network.plainLinks());
        const auto *items = qobject_cast<QStandardItemModel *>(choice->model());
        QVERIFY(!items->item(1)->isEnabled());
        QCOMPARE(items->item(1)->toolTip(), project::arrowStyleRefusal());
        choice->setCurrentIndex(1); // as a program could, all the same
        QVERIFY(view.isDrawn());
        QCOMPARE(view.message(), project::arrowStyleRefusal());
        QCOMPARE(view.arrowDiagram(), nullptr);
        project::allowArrowStyle(choice, true);
        QVERIFY(items->item(1)->isEnabled());
        delete choice;
    }
};

QTEST_MAIN(NetworkViewTest)
#include "networkview_test.moc"
