// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The own-project window in its key states: new, with problems, a practice set on every tab,
// crashed to a target, the curve with an indirect cost, a 50-activity project, and a plan in
// hours with links of every type.

#include "activitytablemodel.h"
#include "costcurvechart.h"
#include "crashingpanel.h"
#include "forms.h"
#include "planexportdialog.h"
#include "projectdocument.h"
#include "projectwindow.h"
#include "projectwindowentry.h"
#include "snapshotfile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QUndoStack>

#include <algorithm>

namespace {

void typeRow(ProjectWindow *window, int row, const QStringList &cells)
{
    project::ActivityTableModel *model = window->document()->table();
    for (int column = 0; column < cells.size(); ++column)
        model->setData(model->index(row, column), cells[column]);
}

// A project of `count` activities in about seven stages, each activity after one to three
// of the stage before: what a textbook's larger example looks like.
engine::Project stagedProject(int count)
{
    QRandomGenerator random(2026);
    engine::Project project;
    project.title = QStringLiteral("โครงการ %1 กิจกรรม").arg(count).toStdString();
    std::vector<std::vector<std::string>> stages(1);
    for (int i = 0; i < count; ++i) {
        if (static_cast<int>(stages.back().size()) >= count / 7 + 1)
            stages.emplace_back();
        engine::Activity activity;
        activity.id = QStringLiteral("T%1").arg(i + 1).toStdString();
        if (stages.size() > 1) {
            const auto &before = stages[stages.size() - 2];
            const int links = 1 + static_cast<int>(random.bounded(3));
            for (int l = 0; l < links; ++l) {
                const std::string &p = before[random.bounded(static_cast<int>(before.size()))];
                if (std::find(activity.predecessors.begin(), activity.predecessors.end(), p)
                    == activity.predecessors.end())
                    activity.predecessors.push_back(p);
            }
        }
        activity.normalDuration = 2 + random.bounded(9);
        activity.crashDuration = activity.normalDuration
            - random.bounded(static_cast<int>(activity.normalDuration) / 2 + 1);
        activity.crashCostPerUnit = 100 * (50 + random.bounded(950));
        stages.back().push_back(activity.id);
        project.activities.push_back(std::move(activity));
    }
    return project;
}

} // namespace

void snapshotProjectWindow(const QString &outputDir)
{
    useLinkedProjectWindow(linkedProjectWindow());
    auto *window = qobject_cast<ProjectWindow *>(projectWindow());
    window->resize(1400, 860);
    window->show();
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("viewTabs"));
    auto snap = [&](const QString &name) {
        // Layouts settle in posted events; let them before the picture is taken.
        QApplication::processEvents();
        saveSnapshot(window, outputDir, name);
    };

    snap(QStringLiteral("project-new"));

    typeRow(window, 0, {"A", "ขุดดิน", "C", "3", "2", "100"});
    typeRow(window, 1, {"B", "เทฐาน", "A", "x7", "3", "250"});
    typeRow(window, 2, {"C", "ตั้งเสา", "B", "4", "5", "80"});
    snap(QStringLiteral("project-problems"));
    window->document()->undoStack()->setClean();

    window->findChild<QAction *>(QStringLiteral("practiceSet1Action"))->trigger();
    tabs->setCurrentIndex(0);
    snap(QStringLiteral("project-set1-network"));
    tabs->setCurrentIndex(1);
    snap(QStringLiteral("project-set1-cpm"));
    auto *panel = window->findChild<project::CrashingPanel *>(QStringLiteral("crashingPanel"));
    tabs->setCurrentWidget(panel);
    panel->setTarget(28);
    panel->step();
    snap(QStringLiteral("project-set1-crashing-step1"));
    panel->runToTarget();
    snap(QStringLiteral("project-set1-crashed-28"));
    // The Gantt chart of the greedy run to 28, then of the least-cost plan, with links.
    tabs->setCurrentIndex(5);
    snap(QStringLiteral("project-set1-gantt-greedy"));
    window->findChild<QComboBox *>(QStringLiteral("ganttPlan"))->setCurrentIndex(1);
    window->findChild<QCheckBox *>(QStringLiteral("ganttLinks"))->setChecked(true);
    while (window->isBusy())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    snap(QStringLiteral("project-set1-gantt-least-cost"));
    {
        project::PlanExportDialog dialog(QStringLiteral("28 วัน"), window);
        dialog.setPlan(project::ExportedPlan::LeastCost);
        dialog.show();
        QApplication::processEvents();
        saveSnapshot(&dialog, outputDir, QStringLiteral("project-export-mspdi"));
    }
    window->findChild<QComboBox *>(QStringLiteral("ganttPlan"))->setCurrentIndex(0);
    window->findChild<QCheckBox *>(QStringLiteral("ganttLinks"))->setChecked(false);
    tabs->setCurrentIndex(0);
    snap(QStringLiteral("project-set1-network-crashed"));
    // The same crashed network activity on arrow, then every practice set in that style.
    auto *style = window->findChild<QComboBox *>(QStringLiteral("networkStyle"));
    style->setCurrentIndex(1);
    snap(QStringLiteral("project-set1-arrows-crashed"));
    for (int set = 1; set <= 5; ++set) {
        window->document()->undoStack()->setClean();
        window->findChild<QAction *>(QStringLiteral("practiceSet%1Action").arg(set))->trigger();
        snap(QStringLiteral("project-set%1-arrows").arg(set));
    }
    // Set 2 (a dummy for two parallel activities) in a window wide enough for all of it.
    window->document()->undoStack()->setClean();
    window->findChild<QAction *>(QStringLiteral("practiceSet2Action"))->trigger();
    window->resize(1700, 860);
    snap(QStringLiteral("project-set2-arrows-wide"));
    window->resize(1400, 860);
    window->document()->load(stagedProject(50), QString());
    snap(QStringLiteral("project-50-arrows"));
    style->setCurrentIndex(0);
    window->document()->undoStack()->setClean();
    window->findChild<QAction *>(QStringLiteral("practiceSet1Action"))->trigger();
    auto *chart = window->findChild<project::CostCurveChart *>(QStringLiteral("costCurveChart"));
    tabs->setCurrentWidget(chart);
    snap(QStringLiteral("project-set1-curve"));
    chart->setIndirectCostPerUnit(20000);
    snap(QStringLiteral("project-set1-curve-indirect"));

    window->document()->load(stagedProject(50), QString());
    tabs->setCurrentIndex(0);
    snap(QStringLiteral("project-50-network"));
    tabs->setCurrentWidget(chart);
    snap(QStringLiteral("project-50-curve"));

    // A large project: the drawing is laid out beside the window, which shows the job and its
    // progress meanwhile.
    window->document()->load(stagedProject(4000), QString());
    tabs->setCurrentIndex(0);
    QApplication::processEvents();
    QElapsedTimer started;
    started.start();
    while (started.elapsed() < 150)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    saveSnapshot(window, outputDir, QStringLiteral("project-large-laying-out"));
    while (window->isBusy())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    snap(QStringLiteral("project-large-network"));

    // PERT: a small project with the three estimates, the chance of finishing by day 20 asked.
    engine::Project pert;
    pert.title = "PERT";
    auto add = [&](std::string id, std::vector<std::string> before, double a, double m, double b) {
        engine::Activity activity;
        activity.id = std::move(id);
        activity.predecessors = std::move(before);
        activity.normalDuration = static_cast<engine::Duration>((a + 4 * m + b) / 6 + 0.5);
        activity.crashDuration = activity.normalDuration;
        activity.estimate = engine::ThreeTimeEstimate {a, m, b};
        pert.activities.push_back(std::move(activity));
    };
    add("A", {}, 2, 4, 6);
    add("B", {}, 3, 5, 9);
    add("C", {"A"}, 4, 5, 7);
    add("D", {"A", "B"}, 4, 6, 10);
    add("E", {"C", "D"}, 2, 3, 4);
    window->document()->load(pert, QString());
    tabs->setCurrentIndex(tabs->count() - 1);
    if (auto *day = window->findChild<QLineEdit *>(QStringLiteral("pertDayEdit")))
        day->setText(QStringLiteral("16"));
    if (auto *confidence = window->findChild<QLineEdit *>(QStringLiteral("pertConfidenceEdit")))
        confidence->setText(QStringLiteral("95"));
    snap(QStringLiteral("project-pert"));

    // A plan in hours with links of every type and lags, typed in the table's notation: the
    // network with its links labelled, the Gantt chart with them drawn end to end, and the
    // crashing tab that offers the exact answer only.
    window->document()->clear();
    window->findChild<QComboBox *>(QStringLiteral("timeUnitChoice"))->setCurrentIndex(1);
    typeRow(window, 0, {"A", "ออกแบบ", "-", "8", "6", "500"});
    typeRow(window, 1, {"B", "เตรียมพื้นที่", "A SS+2", "6", "4", "300"});
    typeRow(window, 2, {"C", "วางโครง", "A, B FF", "10", "7", "800"});
    typeRow(window, 3, {"D", "เดินสายไฟ", "C SS+3", "5", "4", "200"});
    typeRow(window, 4, {"E", "ตรวจรับ", "D FS+1, C SF+12", "3", "2", "400"});
    window->document()->undoStack()->setClean();
    style->setCurrentIndex(0);
    tabs->setCurrentIndex(0);
    snap(QStringLiteral("project-links-network"));
    tabs->setCurrentIndex(5);
    window->findChild<QCheckBox *>(QStringLiteral("ganttLinks"))->setChecked(true);
    while (window->isBusy())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    snap(QStringLiteral("project-links-gantt"));
    tabs->setCurrentWidget(panel);
    while (window->isBusy())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    snap(QStringLiteral("project-links-crashing"));
    window->document()->undoStack()->setClean();
    window->hide();
}
