// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// "ฝึกทำเอง" as a student works practice set 1 in it: the schedule with a mistake carried
// forward and its hint, the critical paths checked, a crashing step checked and its hint, a
// dearer step, and the work crashed to the target with the totals compared.

#include "answercheck.h"
#include "durationspinbox.h"
#include "forms.h"
#include "greedy.h"
#include "newexercisedialog.h"
#include "practiceset.h"
#include "snapshotfile.h"
#include "trainerentry.h"
#include "trainertyping.h"

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

using trainertyping::part;
using trainertyping::typeSchedule;
using trainertyping::typeStep;

namespace {

int indexOf(const engine::Project &project, const char *id)
{
    for (std::size_t i = 0; i < project.activities.size(); ++i)
        if (project.activities[i].id == id)
            return static_cast<int>(i);
    return -1;
}

} // namespace

void snapshotTrainerWindow(const QString &outputDir)
{
    useLinkedTrainerWindow(linkedTrainerWindow());
    QMainWindow *window = trainerWindow();
    window->resize(1400, 860);
    window->show();
    auto snap = [&](const QString &name) {
        QApplication::processEvents();
        saveSnapshot(window, outputDir, name);
    };
    auto click = [&](const char *name) { part<QPushButton>(window, name)->click(); };

    const engine::Project project = practiceProject(practiceSet(1));
    const engine::Network network(project);
    linkedTrainerWindow().startProject(window, project);
    snap(QStringLiteral("trainer-set1-start"));

    // The schedule with C's start two days late, carried forward to C's finish and G's start.
    engine::Answers answers = engine::modelAnswers(network, std::nullopt);
    const int c = indexOf(project, "C"), g = indexOf(project, "G");
    engine::ScheduleAnswer &cell = answers.schedule[static_cast<std::size_t>(c)];
    *cell.earliestStart += 2;
    *cell.earliestFinish += 2;
    *answers.schedule[static_cast<std::size_t>(g)].earliestStart = *cell.earliestFinish;
    typeSchedule(window, answers);
    click("checkScheduleButton");
    part<QTableWidget>(window, "scheduleGrid")->setCurrentCell(c, 0);
    click("hintScheduleButton");
    click("hintScheduleButton");
    snap(QStringLiteral("trainer-set1-schedule-checked"));

    // The critical stage, one path left out.
    part<QTabWidget>(window, "stageTabs")->setCurrentIndex(1);
    const engine::Answers model = engine::modelAnswers(network, std::nullopt);
    auto *list = part<QListWidget>(window, "criticalList");
    for (const int a : *model.criticalActivities)
        list->item(a)->setCheckState(Qt::Checked);
    QStringList lines;
    for (const std::vector<int> &path : *model.criticalPaths) {
        QStringList ids;
        for (const int a : path)
            ids << QString::fromStdString(project.activities[static_cast<std::size_t>(a)].id);
        lines << ids.join(u'-');
    }
    part<QPlainTextEdit>(window, "pathsEdit")->setPlainText(lines.mid(1).join(u'\n'));
    click("checkCriticalButton");
    snap(QStringLiteral("trainer-set1-critical-checked"));

    // Crashing towards 28 days: the greedy's first step, right; then a wrong cost, hinted.
    part<QTabWidget>(window, "stageTabs")->setCurrentIndex(2);
    part<project::DurationSpinBox>(window, "trainerTargetSpinBox")->setValue(28);
    const std::vector<engine::GreedyStep> greedy = engine::crashGreedily(network, 28);
    auto typeGreedy = [&](const engine::GreedyStep &step, engine::Satang cost) {
        std::vector<std::pair<int, engine::Duration>> cuts;
        for (const engine::Cut &cut : step.cuts)
            cuts.emplace_back(cut.activity, cut.units);
        typeStep(window, cuts, cost, step.durationAfter);
    };
    typeGreedy(greedy.front(), greedy.front().cost);
    click("checkStepButton");
    click("applyStepButton");
    if (greedy.size() > 1) {
        typeGreedy(greedy[1], greedy[1].cost + 100 * 100);
        click("checkStepButton");
        click("hintStepButton");
        snap(QStringLiteral("trainer-set1-step-wrong-cost"));
    }
    for (std::size_t s = 1; s < greedy.size(); ++s) {
        typeGreedy(greedy[s], greedy[s].cost);
        click("checkStepButton");
        click("applyStepButton");
    }
    snap(QStringLiteral("trainer-set1-crashed-28"));
    window->hide();

    // "แบบฝึกหัดใหม่": the dialog as it opens, and with settings its seed cannot meet.
    project::NewExerciseDialog dialog;
    dialog.setSeed(4242);
    dialog.show();
    QApplication::processEvents();
    saveSnapshot(&dialog, outputDir, QStringLiteral("new-exercise"));
    dialog.setSettings({5, 3, false, true});
    dialog.generate();
    dialog.adjustSize();
    QApplication::processEvents();
    saveSnapshot(&dialog, outputDir, QStringLiteral("new-exercise-refused"));
    dialog.hide();
}
