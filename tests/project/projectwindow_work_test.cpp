// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The own-project window never loses a student's work: a plan imported from another tool is
// saved where they say, every state the file keeps counts as a change, a CSV file says what it
// cannot hold, the drawing follows every edit, file problems read in Thai, rows removed
// together are one change, and the window answers while long jobs run off its thread.

#include "projectwindowtestsupport.h"

#include "backgroundjob.h"
#include "crashingpanel.h"
#include "durationspinbox.h"
#include "greedy.h"
#include "leastcosttablemodel.h"
#include "networkview.h"
#include "projectfile.h"
#include "schedule.h"

#include "../support/randomproject.h"

#include <QFile>
#include <QGraphicsItem>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include <memory>

using namespace projecttest;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Two tasks, one after the other, as Microsoft Project and GanttProject save them.
const QByteArray mspdiPlan = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<Project xmlns=\"http://schemas.microsoft.com/project\"><Tasks>"
                             "<Task><UID>1</UID><ID>1</ID><Name>Dig</Name>"
                             "<Duration>PT16H0M0S</Duration></Task>"
                             "<Task><UID>2</UID><ID>2</ID><Name>Pour</Name>"
                             "<Duration>PT24H0M0S</Duration><PredecessorLink>"
                             "<PredecessorUID>1</PredecessorUID><Type>1</Type>"
                             "</PredecessorLink></Task></Tasks></Project>\n";
const QByteArray ganPlan
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project name=\"Yard\" version=\"3.0\">\n"
      "<tasks>\n<task id=\"1\" name=\"Dig\" meeting=\"false\" start=\"2026-01-05\" "
      "duration=\"2\" complete=\"0\"><depend id=\"2\" type=\"2\" difference=\"0\"/></task>\n"
      "<task id=\"2\" name=\"Pour\" meeting=\"false\" start=\"2026-01-07\" duration=\"3\" "
      "complete=\"0\"/>\n</tasks>\n</project>\n";

// A, B start; C after A, D after B. ES(C) = duration of A, ES(D) = duration of B.
engine::Project twoBranches(engine::Duration a, engine::Duration b)
{
    engine::Project project;
    project.activities = {{"A", "", {}, a, 1, 100},
                          {"B", "", {}, b, 1, 100},
                          {"C", "งานซี", {"A"}, 2, 1, 100},
                          {"D", "", {"B"}, 2, 1, 100}};
    return project;
}

// Restores the inline limit of background jobs that a test lowers.
class InlineLimit {
public:
    explicit InlineLimit(std::size_t activities) : m_before(project::BackgroundJob::inlineLimit())
    {
        project::BackgroundJob::setInlineLimit(activities);
    }
    ~InlineLimit() { project::BackgroundJob::setInlineLimit(m_before); }

private:
    std::size_t m_before;
};

} // namespace

class ProjectWindowWorkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        QVERIFY(m_folder.isValid());
        openWindow(m_boxes, m_files, m_window);
    }

    void cleanup() { closeWindow(m_boxes, m_files, m_window); }

    void importedPlanIsSavedWhereTheStudentSays_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Microsoft Project") << "plan.xml" << mspdiPlan;
        QTest::newRow("GanttProject") << "plan.gan" << ganPlan;
    }

    // Ctrl+S after an import asks where, offering .crashkit beside the plan, and no error box
    // comes; answering "save" when closing does the same and the window closes.
    void importedPlanIsSavedWhereTheStudentSays()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        const QString plan = m_folder.filePath(fileName);
        writeFile(plan, bytes);
        QVERIFY(m_window->openFile(plan));
        settle(*m_window);
        type(*m_window, 0, project::CostPerUnitColumn, QStringLiteral("150"));

        const QString saved = m_folder.filePath(QStringLiteral("plan.crashkit"));
        m_files->choose(saved);
        QAction *save = action(*m_window, "saveAction");
        QCOMPARE(save->shortcut(), QKeySequence(QKeySequence::Save));
        save->trigger();
        QCOMPARE(m_files->requests.size(), std::size_t {1});
        const platform::FileRequest &asked = m_files->requests.front();
        QCOMPARE(asked.kind, platform::FileRequest::Kind::Save);
        QCOMPARE(QFileInfo(asked.suggestedPath).fileName(), QStringLiteral("plan.crashkit"));
        QVERIFY(asked.filter.startsWith(QStringLiteral("แฟ้ม Crashkit (*.crashkit)")));
        QVERIFY(m_boxes->shown.empty());
        QVERIFY(!m_window->document()->isModified());
        QCOMPARE(m_window->document()->filePath(), saved);
        const io::ReadResult read = io::openProject(saved);
        QVERIFY(read.isLoaded());
        QCOMPARE(read.project().activities.front().crashCostPerUnit, engine::Satang {15000});

        // An imported plan changed and closed: "save" asks where, then the window closes.
        QVERIFY(m_window->openFile(plan));
        type(*m_window, 1, project::NameColumn, QStringLiteral("เทปูน"));
        const QString closing = m_folder.filePath(QStringLiteral("closing.crashkit"));
        m_boxes->expect(QMessageBox::Save);
        m_files->choose(closing);
        QVERIFY(m_window->close());
        QCOMPARE(m_boxes->shown.size(), std::size_t {1});
        QCOMPARE(io::openProject(closing).project().activities[1].name,
                 QStringLiteral("เทปูน").toStdString());
    }

    // The target is the student's like any cell: changing it is a change to save (closing
    // asks), it is undone like any edit, and the box follows undo.
    void aChangedTargetIsNeverLostSilently()
    {
        engine::Project project = twoBranches(3, 5);
        project.target = 6;
        const QString path = m_folder.filePath(QStringLiteral("target.crashkit"));
        QVERIFY(io::saveProject(project, path).isEmpty());
        QVERIFY(m_window->openFile(path));
        settle(*m_window);
        auto *panel = find<project::CrashingPanel>(m_window.get(), "crashingPanel");
        auto *box = find<project::DurationSpinBox>(m_window.get(), "targetSpinBox");
        QCOMPARE(panel->target(), std::optional<engine::Duration>(6));
        QCOMPARE(box->value(), engine::Duration {6});

        box->setValue(5);
        QVERIFY(m_window->document()->isModified());
        QCOMPARE(m_window->document()->target(), std::optional<engine::Duration>(5));
        // Undo brings the file's target back, in the box too, and the project is as saved.
        action(*m_window, "undoAction")->trigger();
        QCOMPARE(box->value(), engine::Duration {6});
        QCOMPARE(panel->target(), std::optional<engine::Duration>(6));
        QVERIFY(!m_window->document()->isModified());
        action(*m_window, "redoAction")->trigger();
        QCOMPARE(box->value(), engine::Duration {5});

        // Closing asks, and saving keeps the new target.
        m_boxes->expect(QMessageBox::Save);
        QVERIFY(m_window->close());
        QCOMPARE(io::openProject(path).project().target, std::optional<engine::Duration>(5));
    }

    // Steps of the spin box merge into one change; back where it began, there is none.
    void targetStepsAreOneChange()
    {
        const QString path = m_folder.filePath(QStringLiteral("steps.crashkit"));
        engine::Project project = twoBranches(3, 5);
        project.target = 7;
        QVERIFY(io::saveProject(project, path).isEmpty());
        QVERIFY(m_window->openFile(path));
        settle(*m_window);
        auto *box = find<project::DurationSpinBox>(m_window.get(), "targetSpinBox");
        box->stepDown();
        box->stepDown();
        QCOMPARE(box->value(), engine::Duration {5});
        QCOMPARE(m_window->document()->undoStack()->count(), 1);
        box->stepUp();
        box->stepUp();
        QVERIFY(!m_window->document()->isModified());
    }

    void aCsvSaveSaysWhatItLeavesOut_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("save as .crashkit") << int(QMessageBox::Save);
        QTest::newRow("CSV all the same") << int(QMessageBox::Ignore);
        QTest::newRow("cancel") << int(QMessageBox::Cancel);
    }

    // A titled project with a target saved as CSV: the window names both before writing, and
    // whatever the answer, nothing is marked saved that is not in a file.
    void aCsvSaveSaysWhatItLeavesOut()
    {
        QFETCH(int, answer);
        m_window->document()->load(twoBranches(3, 5), QString());
        m_window->document()->table()->setTitle(QStringLiteral("บ้านสวน"));
        m_window->document()->setTarget(6);
        settle(*m_window);
        const QString csv = m_folder.filePath(QStringLiteral("garden.csv"));
        const QString whole = m_folder.filePath(QStringLiteral("garden.crashkit"));
        QFile::remove(csv);
        QFile::remove(whole);
        m_files->choose(csv);
        m_boxes->expect(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Save)
            m_files->choose(whole);
        action(*m_window, "saveAsAction")->trigger();

        const platform::MessageRecord &box = m_boxes->shown.front();
        QCOMPARE(box.type, platform::MessageType::Question);
        QVERIFY2(box.text.contains(QStringLiteral("บ้านสวน")) && box.text.contains(u'6'),
                 qPrintable(box.text));
        QVERIFY(box.buttons.testFlag(QMessageBox::Cancel));
        // Every button says in Thai what it does; Save offers the other format by name.
        for (const QMessageBox::StandardButton button :
             {QMessageBox::Save, QMessageBox::Ignore, QMessageBox::Cancel}) {
            const auto caption
                = std::find_if(box.buttonTexts.begin(), box.buttonTexts.end(),
                               [button](const auto &b) { return b.first == button; });
            QVERIFY(caption != box.buttonTexts.end());
            QVERIFY(!caption->second.contains(QRegularExpression(QStringLiteral("^[A-Za-z]+$"))));
            if (button == QMessageBox::Save)
                QVERIFY(caption->second.contains(QStringLiteral(".crashkit")));
        }
        switch (answer) {
        case QMessageBox::Save: {
            QVERIFY(!QFile::exists(csv));
            const io::ReadResult read = io::openProject(whole);
            QVERIFY(read.isLoaded());
            QCOMPARE(read.project().title, std::string("บ้านสวน"));
            QCOMPARE(read.project().target, std::optional<engine::Duration>(6));
            QVERIFY(!m_window->document()->isModified());
            QCOMPARE(m_window->document()->filePath(), whole);
            break;
        }
        case QMessageBox::Ignore:
            QVERIFY(io::openProject(csv).isLoaded());
            QVERIFY(m_window->document()->isModified());
            // Closing still asks about the title and the target.
            m_boxes->expect(QMessageBox::Cancel);
            QVERIFY(!m_window->close());
            break;
        default:
            QVERIFY(!QFile::exists(csv));
            QVERIFY(m_window->document()->isModified());
            break;
        }
    }

    // A project without title or target goes to CSV without a question.
    void anUntitledCsvSaveAsksNothing()
    {
        m_window->document()->load(twoBranches(3, 5), QString());
        settle(*m_window);
        const QString csv = m_folder.filePath(QStringLiteral("plain.csv"));
        m_files->choose(csv);
        action(*m_window, "saveAsAction")->trigger();
        QVERIFY(m_boxes->shown.empty());
        QVERIFY(!m_window->document()->isModified());
        QCOMPARE(m_window->document()->filePath(), csv);
    }

    // An edit that swaps two activities' earliest starts swaps their columns; a name edit
    // shows the new name in the box's tooltip.
    void theDrawingFollowsEveryEdit()
    {
        m_window->document()->load(twoBranches(3, 5), QString());
        settle(*m_window);
        auto *view = find<project::NetworkView>(m_window.get(), "networkView");
        const auto x = [view](int activity) { return view->nodeRect(activity).center().x(); };
        // ES(C) = 3 < ES(D) = 5: C stands left of D.
        QVERIFY(x(2) < x(3));
        type(*m_window, 0, project::NormalDurationColumn, QStringLiteral("7"));
        settle(*m_window);
        // ES(C) = 7 > ES(D) = 5 now.
        QVERIFY2(x(2) > x(3), "C is still drawn left of D");

        type(*m_window, 2, project::NameColumn, QStringLiteral("เทพื้น"));
        settle(*m_window);
        QString tip;
        for (QGraphicsItem *item : view->scene()->items(view->nodeRect(2).center()))
            if (!item->toolTip().isEmpty())
                tip = item->toolTip();
        QVERIFY2(tip.contains(QStringLiteral("เทพื้น")), qPrintable(tip));
    }

    // A file that does not open is explained in Thai, placed by line.
    void fileProblemsAreInThai()
    {
        const QString path = m_folder.filePath(QStringLiteral("bad.csv"));
        writeFile(path,
                  "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
                  "A,-,3,2,100\nB,A,seven,2,100\n");
        m_boxes->expect(QMessageBox::Ok);
        QVERIFY(!m_window->openFile(path));
        const QString text = m_boxes->shown.back().text;
        QVERIFY2(text.contains(QStringLiteral("บรรทัด 3")), qPrintable(text));
        // Apart from the file's own words (its name, the column, the value), no English.
        QString rest = text;
        for (const QString &own :
             {path, QStringLiteral("normal_duration"), QStringLiteral("seven")})
            rest.remove(own);
        QVERIFY2(!rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))),
                 qPrintable(text));
    }

    // Rows removed together are one change: one analysis, one step to undo.
    void removingManyRowsIsOneChange()
    {
        testsupport::Random random(7);
        testsupport::ProjectShape shape;
        shape.activities = 300;
        shape.window = 5;
        m_window->document()->load(testsupport::randomProject(random, shape), QString());
        settle(*m_window);
        const auto before = m_window->document()->table()->rows();
        auto *table = find<QTableView>(m_window.get(), "activityTable");
        QItemSelection rows;
        for (int row = 0; row < 300; row += 3)
            for (int other : {row, row + 1}) // 200 rows in 100 runs of two
                rows.select(m_window->document()->table()->index(other, 0),
                            m_window->document()->table()->index(other, 0));
        table->selectionModel()->select(rows, QItemSelectionModel::Select);
        const int analyses = m_window->document()->analysisCount();
        const int steps = m_window->document()->undoStack()->count();
        action(*m_window, "removeRowAction")->trigger();
        settle(*m_window);
        QCOMPARE(m_window->document()->table()->rowCount(), 100);
        QCOMPARE(m_window->document()->analysisCount(), analyses + 1);
        QCOMPARE(m_window->document()->undoStack()->count(), steps + 1);
        for (int row = 0; row < 100; ++row)
            QCOMPARE(m_window->document()->table()->rows()[static_cast<std::size_t>(row)],
                     before[static_cast<std::size_t>(3 * row + 2)]);
        action(*m_window, "undoAction")->trigger();
        QCOMPARE(m_window->document()->table()->rows(), before);
    }

    // Opened before the window shows (crashkit FILE), the message about the file does not
    // lie over the summary: one label says one thing.
    void theStatusLineSaysOneThingAtATime()
    {
        ProjectWindow window;
        const QString path = m_folder.filePath(QStringLiteral("status.crashkit"));
        QVERIFY(io::saveProject(twoBranches(3, 5), path).isEmpty());
        QVERIFY(window.openFile(path));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.statusBar()->currentMessage(), QString());
        auto *label = find<QLabel>(&window, "statusLabel");
        QVERIFY(label->isVisible());
        QVERIFY2(label->text().contains(QStringLiteral("status.crashkit")),
                 qPrintable(label->text()));
    }

    // A window closed while its title box has the focus (the box reports its text as the
    // focus leaves) goes without touching what is already gone.
    void closingWithTheFocusInTheTitle()
    {
        auto window = std::make_unique<ProjectWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        auto *title = find<QLineEdit>(window.get(), "titleEdit");
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral("House"));
        window->document()->undoStack()->setClean();
        window.reset();
    }

    // At the window's size the least-cost answer is in sight: its column is not cut off.
    void theLeastCostAnswerIsInSight()
    {
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        m_window->resize(1280, 800);
        find<QTabWidget>(m_window.get(), "viewTabs")
            ->setCurrentWidget(find<QWidget>(m_window.get(), "crashingPanel"));
        settle(*m_window);
        auto *table = find<QTableView>(m_window.get(), "leastCostTable");
        QVERIFY(table->model()->rowCount() > 0);
        const int column = project::LeastCostTableModel::DurationColumn;
        const int right = table->columnViewportPosition(column) + table->columnWidth(column);
        QVERIFY2(
            right <= table->viewport()->width(),
            qPrintable(
                QStringLiteral("ends at %1 of %2").arg(right).arg(table->viewport()->width())));
        // Every duration fits its cell.
        const QFontMetrics metrics(table->font());
        for (int row = 0; row < table->model()->rowCount(); ++row)
            QVERIFY(metrics.horizontalAdvance(table->model()->index(row, column).data().toString())
                    < table->columnWidth(column));
    }

    // Large projects work in the background: the window stays usable, shows the job and its
    // progress, and a stopped run to the target keeps exactly the steps it made.
    void longJobsRunBesideTheWindow()
    {
        const InlineLimit limit(0);
        testsupport::Random random(3);
        testsupport::ProjectShape shape;
        shape.activities = 400;
        shape.window = 8;
        const engine::Project project = testsupport::randomProject(random, shape);
        m_window->document()->load(project, QString());
        settle(*m_window);
        auto *view = find<project::NetworkView>(m_window.get(), "networkView");
        QVERIFY(view->isDrawn());
        QVERIFY(view->criticalNodeCount() > 0);

        auto *tabs = find<QTabWidget>(m_window.get(), "viewTabs");
        auto *panel = find<project::CrashingPanel>(m_window.get(), "crashingPanel");
        tabs->setCurrentWidget(panel);
        settle(*m_window);
        QVERIFY(panel->leastTotal().has_value());

        // To the shortest duration, stopped as soon as the log shows a step.
        auto *indicator = find<QWidget>(m_window.get(), "jobIndicator");
        auto *log = find<QPlainTextEdit>(m_window.get(), "greedyLog");
        panel->runToTarget();
        QVERIFY(panel->isBusy());
        QVERIFY(indicator->isVisible());
        QVERIFY(!find<QPushButton>(m_window.get(), "stepButton")->isEnabled());
        QTRY_VERIFY(!log->toPlainText().isEmpty() || !panel->isBusy());
        find<QPushButton>(m_window.get(), "jobCancelButton")->click();
        settle(*m_window);
        QVERIFY(!indicator->isVisible());

        // What is shown is what the same number of greedy steps gives.
        const int steps = static_cast<int>(
            panel->logText().count(QRegularExpression(QStringLiteral("ตรวจสอบครั้งที่"))));
        QVERIFY(steps > 0);
        const engine::Network network(project);
        engine::GreedyCrashing greedy(network);
        QCOMPARE(greedy.start(*panel->target()), engine::GreedyCrashing::StartResult::Started);
        for (int k = 0; k < steps; ++k)
            QVERIFY(greedy.step());
        QCOMPARE(panel->currentDurations(), greedy.durations());
        QCOMPARE(panel->greedyTotal(), greedy.totalCost());
        QVERIFY(find<QLabel>(m_window.get(), "durationLabel")
                    ->text()
                    .contains(QString::number(greedy.schedule().projectDuration)));
        // The run goes on from there when asked.
        if (!greedy.finished())
            QVERIFY(find<QPushButton>(m_window.get(), "runButton")->isEnabled());
    }

    // An export asked for while the drawing is still being laid out waits for it.
    void anExportWaitsForTheDrawing()
    {
        const InlineLimit limit(0);
        testsupport::Random random(5);
        testsupport::ProjectShape shape;
        shape.activities = 40;
        shape.window = 6;
        m_window->document()->load(testsupport::randomProject(random, shape), QString());
        QCoreApplication::processEvents();
        const QString png = m_folder.filePath(QStringLiteral("waiting.png"));
        QFile::remove(png);
        m_files->choose(png);
        action(*m_window, "exportNetworkAction")->trigger();
        QTRY_VERIFY(QFile::exists(png));
        QVERIFY(!QImage(png).isNull());
        settle(*m_window);
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Boxes> m_boxes;
    std::unique_ptr<Files> m_files;
    std::unique_ptr<ProjectWindow> m_window;
};

QTEST_MAIN(ProjectWindowWorkTest)
#include "projectwindow_work_test.moc"
