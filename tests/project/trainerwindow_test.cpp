// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// "ฝึกทำเอง" driven as a student works in it: the schedule, the critical paths and the crashing
// steps typed into its controls, checked, hinted, saved and opened again, and graded by
// crashkit-cli to the same marks. Answers come from the engine's own work (modelAnswers, the
// greedy's steps), changed where a test makes a mistake on purpose.

#include "projectwindowtestsupport.h"

#include "answercheck.h"
#include "dialogrunner.h"
#include "durationspinbox.h"
#include "exercisegenerator.h"
#include "greedy.h"
#include "networkview.h"
#include "newexercisedialog.h"
#include "practiceset.h"
#include "projectfile.h"
#include "schedule.h"
#include "trainerentry.h"
#include "trainertyping.h"
#include "trainerwindow.h"

#include <QComboBox>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>

using namespace projecttest;
using trainertyping::typeSchedule;
using trainertyping::typeStep;

namespace {

const QColor kRight(206, 239, 206);
const QColor kRightFromOwn(226, 242, 201);
const QColor kWrong(255, 214, 214);

engine::Project setOne()
{
    return practiceProject(practiceSet(1));
}

int indexOf(const engine::Project &project, const char *id)
{
    for (std::size_t i = 0; i < project.activities.size(); ++i)
        if (project.activities[i].id == id)
            return static_cast<int>(i);
    return -1;
}

QColor cellColour(TrainerWindow &window, int row, int column)
{
    return find<QTableWidget>(&window, "scheduleGrid")->item(row, column)->background().color();
}

void click(TrainerWindow &window, const char *name)
{
    find<QPushButton>(&window, name)->click();
}

QString feedback(TrainerWindow &window)
{
    return find<QPlainTextEdit>(&window, "feedback")->toPlainText();
}

} // namespace

class TrainerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QVERIFY(m_folder.isValid());
        m_boxes = std::make_unique<Boxes>();
        m_files = std::make_unique<Files>();
        m_window = std::make_unique<TrainerWindow>();
        m_window->show();
        QVERIFY(m_window->startProject(setOne()));
        m_network = std::make_unique<engine::Network>(setOne());
    }

    void cleanup()
    {
        m_window->hide();
        m_window.reset();
        QVERIFY2(m_boxes->allAnswered(), "a box the test expected was not shown");
        m_boxes.reset();
        m_files.reset();
    }

    // The engine's own schedule gets full marks; before the check the drawing tells no times
    // and nothing red, after it the times.
    void aRightScheduleGetsFullMarks()
    {
        auto *view = find<project::NetworkView>(m_window.get(), "trainerNetwork");
        QTRY_VERIFY(view->isDrawn());
        QVERIFY(view->nodeTexts(0).at(0).isEmpty()); // no ES yet
        QCOMPARE(view->criticalNodeCount(), 0);

        typeSchedule(m_window.get(), engine::modelAnswers(*m_network, std::nullopt));
        click(*m_window, "checkScheduleButton");
        auto *grid = find<QTableWidget>(m_window.get(), "scheduleGrid");
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < 5; ++column)
                QCOMPARE(cellColour(*m_window, row, column), kRight);
        const int cells = grid->rowCount() * 5 + 1;
        QVERIFY2(find<QLabel>(m_window.get(), "scheduleScore")
                     ->text()
                     .contains(QStringLiteral("ถูก %1 จาก %1").arg(cells)),
                 qPrintable(find<QLabel>(m_window.get(), "scheduleScore")->text()));
        QVERIFY(!view->nodeTexts(0).at(0).isEmpty()); // ES shown now
        QCOMPARE(view->criticalNodeCount(), 0); // red only after the critical stage
    }

    // Drawn activity on arrow, the network keeps the same secrets: event times only after the
    // schedule is checked, red only after the critical stage.
    void arrowsTellNothingBeforeTheirStage()
    {
        auto *view = find<project::NetworkView>(m_window.get(), "trainerNetwork");
        find<QComboBox>(m_window.get(), "trainerNetworkStyle")->setCurrentIndex(1);
        QTRY_VERIFY(view->isDrawn() && view->arrowDiagram());
        const engine::Schedule schedule
            = engine::computeSchedule(*m_network, m_network->normalDurations());
        const auto &tailOfA = view->arrowDiagram()->arrows[0].from;
        QCOMPARE(view->eventTexts(tailOfA).at(1), QString());
        QCOMPARE(view->criticalNodeCount(), 0);
        typeSchedule(m_window.get(), engine::modelAnswers(*m_network, std::nullopt));
        click(*m_window, "checkScheduleButton");
        QCOMPARE(view->eventTexts(tailOfA).at(1), QString::number(schedule.earliestStart[0]));
        QCOMPARE(view->criticalNodeCount(), 0);
    }

    // A wrong ES of C: C's ES is wrong, C's EF and G's ES follow from it by the method and
    // count right. Hints on C's ES come in three levels, each counted once.
    void aMistakeIsCarriedForward()
    {
        const engine::Project project = setOne();
        engine::Answers answers = engine::modelAnswers(*m_network, std::nullopt);
        const int c = indexOf(project, "C"), g = indexOf(project, "G");
        QVERIFY(c >= 0 && g >= 0);
        engine::ScheduleAnswer &cell = answers.schedule[static_cast<std::size_t>(c)];
        const engine::Duration shift = 2;
        *cell.earliestStart += shift;
        *cell.earliestFinish += shift;
        // G follows C alone (set 1): its ES is C's EF, as the student has it.
        *answers.schedule[static_cast<std::size_t>(g)].earliestStart = *cell.earliestFinish;
        typeSchedule(m_window.get(), answers);
        click(*m_window, "checkScheduleButton");
        QCOMPARE(cellColour(*m_window, c, 0), kWrong);
        QCOMPARE(cellColour(*m_window, c, 1), kRightFromOwn);
        QCOMPARE(cellColour(*m_window, g, 0), kRightFromOwn);

        auto *grid = find<QTableWidget>(m_window.get(), "scheduleGrid");
        grid->setCurrentCell(c, 0);
        // Selected for its hint, the cell still shows its verdict on screen (a frame marks the
        // selection, not a fill).
        const QRect cellRect = grid->visualRect(grid->model()->index(c, 0));
        const QImage shown = grid->viewport()->grab().toImage();
        QCOMPARE(QColor(shown.pixel(cellRect.center() + QPoint(cellRect.width() / 4, 0))), kWrong);
        QStringList hints;
        for (int press = 0; press < 4; ++press) {
            click(*m_window, "hintScheduleButton");
            hints << feedback(*m_window);
        }
        // A nudge, the rule, the answer: three different texts, then the answer again.
        QCOMPARE(QSet<QString>(hints.begin(), hints.begin() + 3).size(), 3);
        QCOMPARE(hints[3], hints[2]);
        const engine::Schedule truth
            = engine::computeSchedule(*m_network, m_network->normalDurations());
        QVERIFY2(
            hints[2].contains(QString::number(truth.earliestStart[static_cast<std::size_t>(c)])),
            qPrintable(hints[2]));
        QVERIFY(find<QLabel>(m_window.get(), "scheduleScore")
                    ->text()
                    .contains(QStringLiteral("คำใบ้ 3 ครั้ง")));
    }

    // The critical stage: exactly the critical activities and paths get full marks and turn
    // the drawing red; a path left out is named.
    void theCriticalStage()
    {
        const engine::Answers model = engine::modelAnswers(*m_network, std::nullopt);
        auto *list = find<QListWidget>(m_window.get(), "criticalList");
        for (const int a : *model.criticalActivities)
            list->item(a)->setCheckState(Qt::Checked);
        const engine::Project project = setOne();
        QStringList lines;
        for (const std::vector<int> &path : *model.criticalPaths) {
            QStringList ids;
            for (const int a : path)
                ids << QString::fromStdString(project.activities[static_cast<std::size_t>(a)].id);
            lines << ids.join(u'-');
        }
        auto *paths = find<QPlainTextEdit>(m_window.get(), "pathsEdit");
        paths->setPlainText(lines.join(u'\n'));
        click(*m_window, "checkCriticalButton");
        const engine::CriticalCheck check = engine::checkCriticalPaths(*m_network, model);
        QVERIFY(find<QLabel>(m_window.get(), "criticalScore")
                    ->text()
                    .contains(QStringLiteral("ถูก %1 จาก %1").arg(check.total)));
        auto *view = find<project::NetworkView>(m_window.get(), "trainerNetwork");
        QTRY_VERIFY(view->criticalNodeCount() > 0);

        // One path left out: the check names it.
        paths->setPlainText(lines.mid(1).join(u'\n'));
        click(*m_window, "checkCriticalButton");
        for (const QString &id : lines.front().split(u'-'))
            QVERIFY2(feedback(*m_window).contains(id), qPrintable(feedback(*m_window)));
    }

    // Crashing to 28 days by the greedy's own steps, typed in: each is right, and at the
    // target the totals compare the student's with the greedy's and the least cost.
    void crashingByTheTextbooksSteps()
    {
        find<QTabWidget>(m_window.get(), "stageTabs")->setCurrentIndex(2);
        find<project::DurationSpinBox>(m_window.get(), "trainerTargetSpinBox")->setValue(28);
        const std::vector<engine::GreedyStep> greedy = engine::crashGreedily(*m_network, 28);
        QVERIFY(!greedy.empty());
        for (const engine::GreedyStep &step : greedy) {
            std::vector<std::pair<int, engine::Duration>> cuts;
            for (const engine::Cut &cut : step.cuts)
                cuts.emplace_back(cut.activity, cut.units);
            typeStep(m_window.get(), cuts, step.cost, step.durationAfter);
            click(*m_window, "checkStepButton");
            QVERIFY(find<QPushButton>(m_window.get(), "applyStepButton")->isEnabled());
            click(*m_window, "applyStepButton"); // right: no question
        }
        const QString totals = find<QLabel>(m_window.get(), "totalsLabel")->text();
        QVERIFY2(
            totals.contains(QString::fromStdString(engine::formatBaht(greedy.back().totalCost))),
            qPrintable(totals));
        QVERIFY(find<QLabel>(m_window.get(), "crashingScore")
                    ->text()
                    .contains(QStringLiteral("ถูก %1 จาก %1").arg(greedy.size())));
        // Undo takes the last step back.
        click(*m_window, "undoStepButton");
        QCOMPARE(find<QTableWidget>(m_window.get(), "stepTable")->item(0, 1)->text().isEmpty(),
                 false);
        QVERIFY(
            !find<QLabel>(m_window.get(), "totalsLabel")
                 ->text()
                 .contains(QString::fromStdString(engine::formatBaht(greedy.back().totalCost))));
    }

    // A valid step that is not the cheapest may be insisted on; the next step is judged from
    // the student's own state.
    void aDearerStepMayBeInsistedOn()
    {
        find<project::DurationSpinBox>(m_window.get(), "trainerTargetSpinBox")->setValue(28);
        const auto normal = m_network->normalDurations();
        const std::vector<engine::Duration> start(normal.begin(), normal.end());
        // Every critical activity that can still be cut, by one unit: valid, but dearer than
        // the cheapest set (set 1 has a cheaper cut).
        const engine::Schedule schedule = engine::computeSchedule(*m_network, start);
        std::vector<std::pair<int, engine::Duration>> all;
        for (int a = 0; a < m_network->size(); ++a)
            if (schedule.isCritical(a)
                && start[static_cast<std::size_t>(a)]
                    > m_network->crashDurations()[static_cast<std::size_t>(a)])
                all.emplace_back(a, 1);
        engine::StepAnswer dear {all, std::nullopt, std::nullopt};
        const engine::StepCheck expected = engine::checkStep(*m_network, start, 28, dear);
        QCOMPARE(expected.problem, engine::StepProblem::NotCheapest);
        QVERIFY(expected.applicable);

        typeStep(m_window.get(), all, std::nullopt, std::nullopt);
        click(*m_window, "checkStepButton");
        m_boxes->expect(QMessageBox::Yes);
        click(*m_window, "applyStepButton");
        QCOMPARE(m_boxes->shown.size(), std::size_t {1});
        // The table shows the student's durations after their own step.
        auto *table = find<QTableWidget>(m_window.get(), "stepTable");
        for (const auto &[activity, units] : all)
            QCOMPARE(table->item(activity, 1)->text().toLongLong(),
                     start[static_cast<std::size_t>(activity)] - units);
    }

    // The work saved, opened in a new window the same, and graded by crashkit-cli to the same
    // marks as the window's.
    void workIsSavedOpenedAndGradedAlike()
    {
        engine::Answers answers = engine::modelAnswers(*m_network, std::nullopt);
        *answers.schedule[2].earliestStart += 1; // one mistake
        typeSchedule(m_window.get(), answers);
        click(*m_window, "checkScheduleButton");
        const QString score = find<QLabel>(m_window.get(), "scheduleScore")->text();
        const QString path = m_folder.filePath(QStringLiteral("work.json"));
        m_files->choose(path);
        find<QAction>(m_window.get(), "trainerSaveAction")->trigger();
        QVERIFY(QFile::exists(path));
        QVERIFY(!m_window->isWindowModified());

        TrainerWindow reopened;
        QVERIFY(reopened.openFile(path));
        auto *grid = find<QTableWidget>(m_window.get(), "scheduleGrid");
        auto *again = find<QTableWidget>(&reopened, "scheduleGrid");
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < 5; ++column)
                QCOMPARE(again->item(row, column)->text(), grid->item(row, column)->text());
        click(reopened, "checkScheduleButton");
        QCOMPARE(find<QLabel>(&reopened, "scheduleScore")->text(), score);

        // The project the work carries, for the grader.
        const QString projectPath = m_folder.filePath(QStringLiteral("set1.crashkit"));
        QVERIFY(io::saveProject(setOne(), projectPath).isEmpty());
        QProcess grade;
        grade.start(QStringLiteral(CRASHKIT_CLI),
                    {QStringLiteral("grade"), projectPath, path, QStringLiteral("--json")});
        QVERIFY(grade.waitForFinished(30000));
        QCOMPARE(grade.exitCode(), 0);
        const QJsonObject report = QJsonDocument::fromJson(grade.readAllStandardOutput()).object();
        const engine::ScheduleCheck check = engine::checkSchedule(*m_network, answers);
        const QJsonObject graded = report.value(QStringLiteral("schedule")).toObject();
        QVERIFY2(score.contains(QStringLiteral("ถูก %1 จาก %2").arg(check.right).arg(check.total)),
                 qPrintable(score));
        // The grader counts the same cells right as the window, one cell wrong.
        QCOMPARE(graded.value(QStringLiteral("right")).toInt(), check.right);
        QCOMPARE(graded.value(QStringLiteral("total")).toInt(), check.total);
        QCOMPARE(check.right, check.total - 1);
    }

    // Unsaved work is asked about when the window closes.
    void unsavedWorkIsAskedAbout()
    {
        find<QLineEdit>(m_window.get(), "projectDurationEdit")->setText(QStringLiteral("32"));
        emit find<QLineEdit>(m_window.get(), "projectDurationEdit")
            ->textEdited(QStringLiteral("32"));
        QVERIFY(m_window->isWindowModified());
        m_boxes->expect(QMessageBox::Cancel);
        QVERIFY(!m_window->close());
        m_boxes->expect(QMessageBox::Discard);
        QVERIFY(m_window->close());
    }

    // A project that is not sound is refused with its problems, the work shown stays.
    void anUnsoundProjectIsRefused()
    {
        engine::Project cycle;
        cycle.activities = {{"A", "", {"B"}, 2, 1, 100}, {"B", "", {"A"}, 3, 2, 100}};
        m_boxes->expect(QMessageBox::Ok);
        QVERIFY(!m_window->startProject(cycle));
        QCOMPARE(find<QTableWidget>(m_window.get(), "scheduleGrid")->rowCount(),
                 static_cast<int>(setOne().activities.size()));
    }

    // "ฝึกกับโครงการนี้" in the own-project window hands its project to the trainer.
    void practiseFromTheOwnProjectWindow()
    {
        ProjectWindow projects;
        projects.show();
        find<QAction>(&projects, "practiceSet2Action")->trigger();
        settle(projects);
        std::optional<engine::Project> handed;
        linkedTrainerWindow().onPractise(&projects, [&](const engine::Project &p) { handed = p; });
        find<QAction>(&projects, "practiseAction")->trigger();
        QVERIFY(handed);
        QVERIFY(m_window->startProject(*handed));
        QCOMPARE(find<QTableWidget>(m_window.get(), "scheduleGrid")->rowCount(),
                 static_cast<int>(practiceProject(practiceSet(2)).activities.size()));
        projects.document()->undoStack()->setClean();
    }

    // "แบบฝึกหัดใหม่" in both windows: the seed and settings typed into the dialog give the
    // generator's own exercise, its target in the trainer's box and its seed in the own-project
    // window's title; settings the generator refuses are told in the dialog, which stays open.
    void aNewExerciseFromItsSeed()
    {
        engine::ExerciseSettings settings;
        settings.activities = 9;
        settings.criticalPaths = 2;
        settings.jointStep = true;
        const engine::ExerciseResult made = engine::generateExercise(4242, settings);
        QVERIFY(std::holds_alternative<engine::GeneratedExercise>(made));
        const engine::GeneratedExercise &expected = std::get<engine::GeneratedExercise>(made);

        int shown = 0;
        platform::setDialogRunner([&](QDialog &dialog) {
            ++shown;
            auto &exercise = dynamic_cast<project::NewExerciseDialog &>(dialog);
            exercise.setSeed(4242);
            exercise.setSettings(settings);
            dialog.accept();
            return dialog.result();
        });
        find<QAction>(m_window.get(), "trainerNewExerciseAction")->trigger();
        QCOMPARE(shown, 1);
        QCOMPARE(find<QTableWidget>(m_window.get(), "scheduleGrid")->rowCount(), 9);
        auto *ids = find<QTableWidget>(m_window.get(), "trainerActivityTable");
        for (int row = 0; row < 9; ++row)
            QCOMPARE(ids->item(row, 0)->text(),
                     QString::fromStdString(
                         expected.project.activities[static_cast<std::size_t>(row)].id));
        QCOMPARE(find<project::DurationSpinBox>(m_window.get(), "trainerTargetSpinBox")->value(),
                 expected.target);

        ProjectWindow projects;
        projects.show();
        find<QAction>(&projects, "newExerciseAction")->trigger();
        QCOMPARE(shown, 2);
        QCOMPARE(projects.document()->table()->rowCount(), 9);
        QCOMPARE(projects.document()->target(), std::optional(expected.target));
        QVERIFY(projects.document()->title().contains(QStringLiteral("4242")));
        projects.document()->undoStack()->setClean();

        // Settings no project of five activities meets: told, and the dialog is not accepted.
        project::NewExerciseDialog dialog;
        dialog.setSeed(17);
        dialog.setSettings({5, 3, false, true});
        QVERIFY(!dialog.generate());
        const QString problem = find<QLabel>(&dialog, "exerciseProblemLabel")->text();
        QVERIFY2(problem.contains(QStringLiteral("17")) && problem.contains(QStringLiteral("5")),
                 qPrintable(problem));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.exercise());
        platform::setDialogRunner({});
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Boxes> m_boxes;
    std::unique_ptr<Files> m_files;
    std::unique_ptr<TrainerWindow> m_window;
    std::unique_ptr<engine::Network> m_network;
};

QTEST_MAIN(TrainerWindowTest)
#include "trainerwindow_test.moc"
