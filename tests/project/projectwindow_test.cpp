// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The own-project window driven as a student drives it: typing, undo, files, the question
// about unsaved changes, problems in the table, crashing, the curve and the report. Message
// boxes and file dialogs are answered through the platform's hooks; a box nobody expected
// fails the test at once.

#include "activitytablemodel.h"
#include "costcurvechart.h"
#include "crashingpanel.h"
#include "dialogrunner.h"
#include "durationspinbox.h"
#include "filechooser.h"
#include "ganttview.h"
#include "leastcost.h"
#include "messagebox.h"
#include "networkview.h"
#include "pertpanel.h"
#include "planexportdialog.h"
#include "printerchooser.h"
#include "projectdocument.h"
#include "projectfile.h"
#include "projectwindow.h"
#include "projectwindowtestsupport.h"
#include "scheduletablemodel.h"
#include "thaitext.h"
#include "timecostcurve.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGraphicsView>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <deque>
#include <iterator>
#include <memory>

using project::Column;
using namespace projecttest;

namespace {

struct TypedActivity {
    QString id, name, predecessors, normal, crash, cost;
};

// A small project typed by hand: A and B start, C after both, D after A. Normal duration 9
// through B-C; crashed fully: A 2, B 3, C 2, D 4 gives 5 via B-C.
const std::vector<TypedActivity> typedProject = {
    {"A", "ขุดดิน", "-", "3", "2", "100"},
    {"B", "เทฐาน", "", "5", "3", "250.50"},
    {"C", "ตั้งเสา", "A, B", "4", "2", "80"},
    {"D", "มุงหลังคา", "A", "5", "4", "0"},
};

void typeProject(ProjectWindow &window, const std::vector<TypedActivity> &activities)
{
    for (int row = 0; row < static_cast<int>(activities.size()); ++row) {
        const TypedActivity &a = activities[static_cast<std::size_t>(row)];
        // The six columns before the estimates; those stay blank.
        const QString cells[] = {a.id, a.name, a.predecessors, a.normal, a.crash, a.cost};
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column)
            type(window, row, column, cells[column]);
    }
}

// The project the typed rows stand for, built by the test from the typed values.
engine::Project expectedProject(const QString &title)
{
    engine::Project project;
    project.title = title.toStdString();
    auto activity = [](std::string id, std::string name, std::vector<std::string> predecessors,
                       engine::Duration normal, engine::Duration crash, engine::Satang cost) {
        return engine::Activity {std::move(id), std::move(name), std::move(predecessors),
                                 normal,        crash,           cost};
    };
    project.activities = {
        activity("A", "ขุดดิน", {}, 3, 2, 10000),
        activity("B", "เทฐาน", {}, 5, 3, 25050),
        activity("C", "ตั้งเสา", {"A", "B"}, 4, 2, 8000),
        activity("D", "มุงหลังคา", {"A"}, 5, 4, 0),
    };
    return project;
}

void compareProjects(const engine::Project &actual, const engine::Project &expected)
{
    QCOMPARE(actual.title, expected.title);
    QCOMPARE(actual.activities.size(), expected.activities.size());
    for (std::size_t i = 0; i < expected.activities.size(); ++i) {
        const engine::Activity &a = actual.activities[i];
        const engine::Activity &e = expected.activities[i];
        QCOMPARE(a.id, e.id);
        QCOMPARE(a.name, e.name);
        QCOMPARE(a.predecessors, e.predecessors);
        QCOMPARE(a.normalDuration, e.normalDuration);
        QCOMPARE(a.crashDuration, e.crashDuration);
        QCOMPARE(a.crashCostPerUnit, e.crashCostPerUnit);
    }
}

int pdfPageCount(const QByteArray &pdf)
{
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ")
                            + pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
}

} // namespace

class ProjectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Recent files and folders go to a test location, not the user's settings.
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QVERIFY(m_folder.isValid());
        openWindow(m_boxes, m_files, m_window);
    }

    void cleanup()
    {
        closeWindow(m_boxes, m_files, m_window);
        platform::setPrinterChooser({});
    }

    void typedProjectIsSavedAsTypedInBothFormats_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("crashkit") << "house.crashkit";
        QTest::newRow("csv") << "house.csv";
    }

    void typedProjectIsSavedAsTypedInBothFormats()
    {
        QFETCH(QString, fileName);
        const bool csv = fileName.endsWith(QStringLiteral(".csv"));
        typeProject(*m_window, typedProject);
        m_window->document()->table()->setTitle(QStringLiteral("บ้านหลังเล็ก"));
        QVERIFY(m_window->document()->analysis().sound());
        QVERIFY(m_window->document()->isModified());
        QVERIFY(m_window->isWindowModified());

        const QString path = m_folder.filePath(fileName);
        m_files->choose(path);
        // A CSV file cannot hold the title: the window says so first, and saved as CSV all
        // the same, the project still counts as changed.
        if (csv)
            m_boxes->expect(QMessageBox::Ignore);
        action(*m_window, "saveAsAction")->trigger();
        QCOMPARE(m_window->document()->isModified(), csv);
        QCOMPARE(m_window->document()->filePath(), csv ? QString() : path);

        const io::ReadResult read = io::openProject(path);
        QVERIFY2(read.isLoaded(), qPrintable(read.message()));
        // CSV holds the activities only; the title lives in .crashkit files.
        compareProjects(read.project(),
                        expectedProject(csv ? QString() : QStringLiteral("บ้านหลังเล็ก")));

        // And a fresh window opens it to the same project.
        ProjectWindow reopened;
        QVERIFY(reopened.openFile(path));
        compareProjects(reopened.document()->analysis().project,
                        expectedProject(csv ? QString() : QStringLiteral("บ้านหลังเล็ก")));
        QVERIFY(!reopened.document()->isModified());
    }

    void undoAndRedoTakeBackEveryKindOfEdit()
    {
        typeProject(*m_window, typedProject);
        const auto typed = m_window->document()->table()->rows();
        QAction *undo = action(*m_window, "undoAction");
        QAction *redo = action(*m_window, "redoAction");
        QVERIFY(undo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
        QVERIFY(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));

        auto *table = find<QTableView>(m_window.get(), "activityTable");
        table->setCurrentIndex(m_window->document()->table()->index(1, 0));
        action(*m_window, "moveUpAction")->trigger();
        QCOMPARE(m_window->document()->table()->rows()[0][project::IdColumn], QStringLiteral("B"));
        action(*m_window, "insertRowAction")->trigger();
        type(*m_window, 2, project::NormalDurationColumn, QStringLiteral("7"));
        table->setCurrentIndex(m_window->document()->table()->index(3, 0));
        action(*m_window, "removeRowAction")->trigger();
        const auto edited = m_window->document()->table()->rows();
        QVERIFY(edited != typed);

        while (m_window->document()->undoStack()->index() > 0
               && m_window->document()->table()->rows() != typed)
            undo->trigger();
        QCOMPARE(m_window->document()->table()->rows(), typed);
        while (m_window->document()->undoStack()->canRedo())
            redo->trigger();
        QCOMPARE(m_window->document()->table()->rows(), edited);
    }

    void unsavedChangesAreNeverLostSilently_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("save") << int(QMessageBox::Save);
        QTest::newRow("discard") << int(QMessageBox::Discard);
        QTest::newRow("cancel") << int(QMessageBox::Cancel);
    }

    void unsavedChangesAreNeverLostSilently()
    {
        QFETCH(int, answer);
        typeProject(*m_window, typedProject);
        const auto typed = m_window->document()->table()->rows();
        const QString path = m_folder.filePath(QStringLiteral("asked.crashkit"));
        QFile::remove(path);

        // Starting a new project asks first.
        m_boxes->expect(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Save)
            m_files->choose(path);
        action(*m_window, "newAction")->trigger();
        QCOMPARE(m_boxes->shown.size(), std::size_t {1});
        QCOMPARE(m_boxes->shown[0].type, platform::MessageType::Question);

        switch (answer) {
        case QMessageBox::Save: {
            QVERIFY(QFile::exists(path));
            compareProjects(io::openProject(path).project(), expectedProject({}));
            QVERIFY(m_window->document()->analysis().project.activities.empty());
            break;
        }
        case QMessageBox::Discard:
            QVERIFY(!QFile::exists(path));
            QVERIFY(m_window->document()->analysis().project.activities.empty());
            QVERIFY(!m_window->document()->isModified());
            break;
        default: // cancelled: everything as it was
            QCOMPARE(m_window->document()->table()->rows(), typed);
            QVERIFY(m_window->document()->isModified());
            break;
        }

        // Closing the window asks the same way.
        if (answer != QMessageBox::Cancel)
            typeProject(*m_window, typedProject);
        type(*m_window, 0, project::NameColumn, QStringLiteral("ขุดดินใหม่"));
        m_boxes->expect(QMessageBox::StandardButton(answer));
        if (answer == QMessageBox::Save)
            m_files->choose(path);
        QCOMPARE(m_window->close(), answer != QMessageBox::Cancel);
        QCOMPARE(m_boxes->shown.size(), std::size_t {2});
        if (answer == QMessageBox::Save)
            QCOMPARE(io::openProject(path).project().activities.front().name,
                     QStringLiteral("ขุดดินใหม่").toStdString());
    }

    void problemsAreShownOnTheirCellsAndNothingWrongIsDrawn()
    {
        typeProject(*m_window, typedProject);
        settle(*m_window);
        auto *network = find<project::NetworkView>(m_window.get(), "networkView");
        QVERIFY(network->criticalNodeCount() > 0);

        // A cycle A -> C -> A and a duration that is not a number.
        type(*m_window, 0, project::PredecessorsColumn, QStringLiteral("C"));
        type(*m_window, 3, project::NormalDurationColumn, QStringLiteral("x7"));
        settle(*m_window);
        const auto &analysis = m_window->document()->analysis();
        QVERIFY(!analysis.sound());
        auto *problems = find<QListWidget>(m_window.get(), "problemList");
        QCOMPARE(problems->count(), static_cast<int>(analysis.problems.size()));
        bool cycleNamed = false;
        for (int i = 0; i < problems->count(); ++i)
            cycleNamed = cycleNamed
                || problems->item(i)->text().contains(QStringLiteral("A → C → A"))
                || problems->item(i)->text().contains(QStringLiteral("C → A → C"));
        QVERIFY2(cycleNamed, "the cycle is not named in order");
        const QModelIndex bad
            = m_window->document()->table()->index(3, project::NormalDurationColumn);
        QVERIFY(!bad.data(Qt::ToolTipRole).toString().isEmpty());
        QCOMPARE(network->criticalNodeCount(), 0);
        QVERIFY(!action(*m_window, "reportAction")->isEnabled());
        QVERIFY(!find<QWidget>(m_window.get(), "stepButton")->isEnabled());

        // Saving is refused with a warning; nothing is written and nothing typed is lost.
        const QString path = m_folder.filePath(QStringLiteral("broken.crashkit"));
        m_boxes->expect(QMessageBox::Ok);
        m_files->choose(path);
        action(*m_window, "saveAsAction")->trigger();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(m_boxes->shown.back().type, platform::MessageType::Warning);
        QCOMPARE(m_window->document()->table()->rows()[3][project::NormalDurationColumn],
                 QStringLiteral("x7"));

        // Mended, everything comes back.
        type(*m_window, 0, project::PredecessorsColumn, QString());
        type(*m_window, 3, project::NormalDurationColumn, QStringLiteral("5"));
        settle(*m_window);
        QVERIFY(m_window->document()->analysis().sound());
        QCOMPARE(problems->count(), 0);
        QVERIFY(network->criticalNodeCount() > 0);
        QVERIFY(action(*m_window, "reportAction")->isEnabled());
    }

    void aFileWithProblemsLeavesTheWindowAsItWas()
    {
        typeProject(*m_window, typedProject);
        const auto typed = m_window->document()->table()->rows();
        const QString path = m_folder.filePath(QStringLiteral("bad.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\n"
                   "A,-,3,2,100\nB,A,seven,2,100\n");
        file.close();

        m_boxes->expect(QMessageBox::Discard); // the typed project is not saved
        m_boxes->expect(QMessageBox::Ok); // the file's problem
        QVERIFY(!m_window->openFile(path));
        const platform::MessageRecord &box = m_boxes->shown.back();
        QCOMPARE(box.type, platform::MessageType::Error);
        QVERIFY2(box.text.contains(QStringLiteral("bad.csv"))
                     && box.text.contains(QStringLiteral("seven")),
                 qPrintable(box.text));
        QCOMPARE(m_window->document()->table()->rows(), typed);
    }

    // A plan from Microsoft Project comes without crash data: its activities open with the
    // crash cells marked for the student to fill in, and filling one clears its mark.
    void importedPlanMarksTheCellsToFill()
    {
        const QString path = m_folder.filePath(QStringLiteral("plan.xml"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<Project xmlns=\"http://schemas.microsoft.com/project\"><Tasks>"
                   "<Task><UID>1</UID><ID>1</ID><Name>Dig</Name><Duration>PT16H0M0S</Duration>"
                   "</Task>"
                   "<Task><UID>2</UID><ID>2</ID><Name>Pour</Name><Duration>PT24H0M0S</Duration>"
                   "<PredecessorLink><PredecessorUID>1</PredecessorUID><Type>1</Type>"
                   "</PredecessorLink></Task>"
                   "</Tasks></Project>\n");
        file.close();
        QVERIFY(m_window->openFile(path));
        const auto &analysis = m_window->document()->analysis();
        QVERIFY(analysis.sound());
        QCOMPARE(analysis.project.activities.size(), std::size_t {2});
        // 2 days then 3 days, one after the other.
        QCOMPARE(analysis.schedule.projectDuration, engine::Duration {5});
        project::ActivityTableModel *model = m_window->document()->table();
        for (int row = 0; row < 2; ++row) {
            QVERIFY(!model->markOf(row, project::CrashDurationColumn).isEmpty());
            QVERIFY(!model->markOf(row, project::CostPerUnitColumn).isEmpty());
            QVERIFY(model->markOf(row, project::NormalDurationColumn).isEmpty());
        }
        type(*m_window, 0, project::CostPerUnitColumn, QStringLiteral("150"));
        QVERIFY(model->markOf(0, project::CostPerUnitColumn).isEmpty());
        QVERIFY(!model->markOf(0, project::CrashDurationColumn).isEmpty());
    }

    void practiceSetOneCrashedTo28Days()
    {
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        const auto &analysis = m_window->document()->analysis();
        QVERIFY(analysis.sound());
        auto *panel = find<project::CrashingPanel>(m_window.get(), "crashingPanel");
        auto *tabs = find<QTabWidget>(m_window.get(), "viewTabs");
        tabs->setCurrentWidget(panel);
        auto *target = find<project::DurationSpinBox>(m_window.get(), "targetSpinBox");
        target->setValue(28);
        QCOMPARE(panel->target(), std::optional<engine::Duration>(28));

        // Step by step: the CPM table follows every step, and the greedy's total never drops
        // below the least cost of the duration it reached.
        auto *durationLabel = find<QLabel>(m_window.get(), "durationLabel");
        while (panel->step()) {
            const engine::Schedule schedule
                = engine::computeSchedule(analysis.network, panel->currentDurations());
            QVERIFY(durationLabel->text().contains(QString::number(schedule.projectDuration)));
            const auto least = engine::leastCost(analysis.network, schedule.projectDuration);
            QVERIFY(least);
            QVERIFY(panel->greedyTotal() >= least->cost);
        }
        QCOMPARE(panel->leastTotal(), std::optional<engine::Satang>(72500));
        QVERIFY(panel->greedyTotal() >= 72500);
        QCOMPARE(
            engine::computeSchedule(analysis.network, panel->currentDurations()).projectDuration,
            engine::Duration {28});
        QVERIFY(!panel->logText().isEmpty());

        // The Gantt tab charts the greedy's durations under the normal plan, then the
        // least-cost ones; its picture is exported.
        auto *gantt = find<project::GanttView>(m_window.get(), "ganttView");
        tabs->setCurrentIndex(tabs->indexOf(gantt->parentWidget()));
        const auto crashedPlanIs = [&](const std::vector<engine::Duration> &durations) {
            const engine::Schedule s = engine::computeSchedule(analysis.network, durations);
            QCOMPARE(gantt->planCount(), 2);
            for (int a = 0; a < analysis.network.size(); ++a)
                QCOMPARE(gantt->barRect(1, a).left(),
                         gantt->timeOrigin()
                             + static_cast<double>(s.earliestStart[static_cast<std::size_t>(a)])
                                 * gantt->unitWidth());
        };
        crashedPlanIs(panel->currentDurations());
        find<QComboBox>(m_window.get(), "ganttPlan")->setCurrentIndex(1);
        QTRY_VERIFY(panel->leastCost().has_value());
        crashedPlanIs(panel->leastCost()->durations);
        const QString png = m_folder.filePath(QStringLiteral("gantt.png"));
        m_files->choose(png);
        action(*m_window, "exportGanttAction")->trigger();
        QTRY_VERIFY(!QImage(png).isNull());
    }

    void targetOutOfRangeIsRefused()
    {
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        const auto &analysis = m_window->document()->analysis();
        auto *panel = find<project::CrashingPanel>(m_window.get(), "crashingPanel");
        auto *message = find<QLabel>(m_window.get(), "targetMessage");
        for (const engine::Duration target :
             {analysis.schedule.projectDuration + 1, analysis.shortestDuration - 1}) {
            panel->setTarget(target);
            QVERIFY2(!message->text().isEmpty(), "no message for an unreachable target");
            QVERIFY(!panel->step());
            const auto normal = analysis.network.normalDurations();
            QVERIFY(std::equal(normal.begin(), normal.end(), panel->currentDurations().begin(),
                               panel->currentDurations().end()));
        }
    }

    void chartShowsTheEnginesCurve()
    {
        action(*m_window, "practiceSet2Action")->trigger();
        settle(*m_window);
        auto *chart = find<project::CostCurveChart>(m_window.get(), "costCurveChart");
        find<QTabWidget>(m_window.get(), "viewTabs")->setCurrentWidget(chart);
        const auto &network = m_window->document()->analysis().network;
        // Independent of the curve's own method: one least-cost solve per duration.
        const auto points = chart->curvePoints();
        QVERIFY(!points.empty());
        for (const engine::CurvePoint &point : points) {
            const auto least = engine::leastCost(network, point.duration);
            QVERIFY(least);
            QCOMPARE(point.cost, least->cost);
        }
        QCOMPARE(points.front().duration,
                 m_window->document()->analysis().schedule.projectDuration);
        QCOMPARE(points.back().duration, m_window->document()->analysis().shortestDuration);
    }

    void reportIsWrittenAsPdf()
    {
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        find<project::CrashingPanel>(m_window.get(), "crashingPanel")->setTarget(28);
        find<project::CrashingPanel>(m_window.get(), "crashingPanel")->runToTarget();
        const QString path = m_folder.filePath(QStringLiteral("report.pdf"));
        m_files->choose(path);
        action(*m_window, "reportAction")->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        // Table, CPM, network, log and curve do not fit on one A4 page.
        QVERIFY(pdfPageCount(pdf) >= 2);
    }

    void printGoesWhereThePrintDialogSays_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("printed") << true;
        QTest::newRow("cancelled") << false;
    }

    // The print dialog is asked once, with the project's title as the document's name; the
    // printer it sets up (here a PDF file) gets the whole report, and a cancel prints nothing.
    void printGoesWhereThePrintDialogSays()
    {
        QFETCH(bool, accepted);
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        m_window->document()->table()->setTitle(QStringLiteral("งานพิมพ์"));
        const QString path
            = m_folder.filePath(QStringLiteral("printed-%1.pdf").arg(QTest::currentDataTag()));
        QStringList asked;
        platform::setPrinterChooser([&asked, &path, accepted](QPrinter &printer) {
            asked << printer.docName();
            printer.setOutputFileName(path);
            return accepted;
        });
        action(*m_window, "printAction")->trigger();
        QCOMPARE(asked, QStringList {QStringLiteral("งานพิมพ์")});
        QFile file(path);
        QCOMPARE(file.exists(), accepted);
        if (accepted) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(pdfPageCount(file.readAll()) >= 2);
        }
    }

    void exportsWritePictures()
    {
        action(*m_window, "practiceSet3Action")->trigger();
        settle(*m_window);
        const QString png = m_folder.filePath(QStringLiteral("network.png"));
        const QString svg = m_folder.filePath(QStringLiteral("curve.svg"));
        m_files->choose(png);
        action(*m_window, "exportNetworkAction")->trigger();
        m_files->choose(svg);
        action(*m_window, "exportCurveAction")->trigger();
        QImage image(png);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() > 200 && image.height() > 100);
        QFile curve(svg);
        QVERIFY(curve.open(QIODevice::ReadOnly));
        QVERIFY(curve.readAll().contains("<svg"));

        // The network drawn activity on arrow is what is exported then: set 2 has one dummy,
        // the only dashed line of either drawing.
        action(*m_window, "practiceSet2Action")->trigger();
        settle(*m_window);
        const auto exportedNetwork = [&](int style) {
            m_window->findChild<QComboBox *>(QStringLiteral("networkStyle"))->setCurrentIndex(style);
            settle(*m_window);
            const QString path = m_folder.filePath(QStringLiteral("network-%1.svg").arg(style));
            m_files->choose(path);
            action(*m_window, "exportNetworkAction")->trigger();
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray arrows = exportedNetwork(1);
        QVERIFY(m_window->findChild<project::NetworkView *>()->arrowDiagram());
        QVERIFY(arrows.contains("stroke-dasharray"));
        QVERIFY(!exportedNetwork(0).contains("stroke-dasharray"));
    }

    // The plan for Microsoft Project, crashed to the target by either method, reads back through
    // the MSPDI reader with the durations the crashing tab shows; a start the tool cannot
    // schedule from is refused in Thai before any file is written.
    void microsoftProjectExportReadsBack()
    {
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        auto *panel = find<project::CrashingPanel>(m_window.get(), "crashingPanel");
        panel->setTarget(28);
        project::ExportedPlan chosen = project::ExportedPlan::Greedy;
        QDate start(2026, 3, 5);
        platform::setDialogRunner([&](QDialog &dialog) {
            auto &plan = dynamic_cast<project::PlanExportDialog &>(dialog);
            plan.setPlan(chosen);
            plan.setStartDate(start);
            dialog.accept();
            return dialog.result();
        });
        for (const auto plan : {project::ExportedPlan::Greedy, project::ExportedPlan::LeastCost}) {
            chosen = plan;
            const QString path = m_folder.filePath(QStringLiteral("plan-%1.xml").arg(int(plan)));
            m_files->choose(path);
            action(*m_window, "exportMspdiAction")->trigger();
            QTRY_VERIFY(QFile::exists(path));
            const std::vector<engine::Duration> expected = plan == project::ExportedPlan::Greedy
                ? panel->currentDurations()
                : panel->leastCost()->durations;
            io::ReadResult read = io::openProject(path);
            QVERIFY(read.isLoaded());
            const engine::Project &back = read.project();
            QCOMPARE(back.activities.size(), expected.size());
            for (std::size_t a = 0; a < expected.size(); ++a)
                QCOMPARE(back.activities[a].normalDuration, expected[a]);
            QCOMPARE(engine::computeSchedule(engine::Network(back), expected).projectDuration,
                     engine::Duration {28});
        }
        start = QDate(1980, 1, 1);
        m_boxes->expect(QMessageBox::Ok);
        action(*m_window, "exportMspdiAction")->trigger();
        QCOMPARE(m_boxes->shown.back().type, platform::MessageType::Warning);
        QVERIFY(m_boxes->shown.back().text.contains(QStringLiteral("1984")));
        platform::setDialogRunner({});
    }

    // Tests find controls by objectName and screen readers by accessible name: every control a
    // student can reach has both, and every menu command a stable name.
    void everyControlIsNamedForTestsAndAssistiveTechnology()
    {
        action(*m_window, "practiceSet1Action")->trigger();
        settle(*m_window);
        QStringList unnamed;
        QSet<QString> names;
        for (QWidget *widget : m_window->findChildren<QWidget *>()) {
            const bool control = qobject_cast<QAbstractButton *>(widget)
                || qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
                || qobject_cast<QAbstractItemView *>(widget)
                || qobject_cast<QGraphicsView *>(widget) || qobject_cast<QTabWidget *>(widget)
                || qobject_cast<QPlainTextEdit *>(widget);
            // Parts the toolkit builds inside a control (a spin box's editor, a table's
            // headers and corner button, a tab bar's scroll buttons) belong to that control.
            const bool part = widget->objectName().startsWith(QStringLiteral("qt_"))
                || qobject_cast<QHeaderView *>(widget)
                || qobject_cast<QAbstractSpinBox *>(widget->parentWidget())
                || qobject_cast<QTabBar *>(widget->parentWidget())
                || qobject_cast<QAbstractItemView *>(widget->parentWidget())
                || widget->inherits("QTableCornerButton") || qobject_cast<QMenu *>(widget);
            if (!control || part)
                continue;
            if (widget->objectName().isEmpty() || widget->accessibleName().isEmpty())
                unnamed << QStringLiteral("%1 '%2' in %3")
                               .arg(QString::fromLatin1(widget->metaObject()->className()),
                                    widget->objectName(), widget->parentWidget()->objectName());
            QVERIFY2(!names.contains(widget->objectName()) || widget->objectName().isEmpty(),
                     qPrintable(widget->objectName()));
            names.insert(widget->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
        for (QAction *item : m_window->findChildren<QAction *>()) {
            if (item->isSeparator() || item->menu() || item->text().isEmpty()
                || item->parent() != m_window.get())
                continue;
            QVERIFY2(!item->objectName().isEmpty(), qPrintable(item->text()));
        }
    }

    // The hand-worked project with links other than plain: A 10; B 4, finishing with A (FF);
    // C 10, starting with B (SS). B runs 6-10 and C 6-16 by hand. The window offers no
    // greedy, no PERT, no arrows and no trainer, and crashes exactly.
    void linksOtherThanPlainAreFollowed()
    {
        typeProject(*m_window,
                    {{"A", "", "-", "10", "8", "100"},
                     {"B", "", "A FF", "4", "2", "50"},
                     {"C", "", "B SS", "10", "9", "300"}});
        settle(*m_window);
        const project::ProjectAnalysis &analysis = m_window->document()->analysis();
        QVERIFY(analysis.sound());
        QCOMPARE(analysis.project.activities[1].linkTimings,
                 std::vector<engine::LinkTiming>({{engine::LinkType::FinishToFinish, 0}}));
        auto *schedule = find<QTableView>(m_window.get(), "scheduleTable")->model();
        auto cell = [schedule](int row, int column) {
            return schedule->index(row, column).data().toString();
        };
        QCOMPARE(cell(1, project::ScheduleTableModel::EarliestStartColumn), u"6"_qs);
        QCOMPARE(cell(2, project::ScheduleTableModel::EarliestFinishColumn), u"16"_qs);

        // The Gantt chart shows the exact plan under the normal one at once.
        auto *tabs = find<QTabWidget>(m_window.get(), "viewTabs");
        tabs->setCurrentIndex(tabs->count() - 1);
        settle(*m_window);
        QCOMPARE(find<project::GanttView>(m_window.get(), "ganttView")->planCount(), 2);
        tabs->setCurrentWidget(find<project::CrashingPanel>(m_window.get(), "crashingPanel"));
        auto *panel = find<project::CrashingPanel>(m_window.get(), "crashingPanel");
        QVERIFY(!find<QPushButton>(m_window.get(), "stepButton")->isEnabled());
        QCOMPARE(find<QPlainTextEdit>(m_window.get(), "greedyLog")->toPlainText(),
                 project::greedyUnavailableText());
        settle(*m_window);
        const std::optional<engine::LeastCost> least
            = engine::leastCost(analysis.network, *panel->target());
        QVERIFY(least && panel->leastTotal());
        QCOMPARE(*panel->leastTotal(), least->cost);

        auto *style = find<QComboBox>(m_window.get(), "networkStyle");
        QVERIFY(!qobject_cast<QStandardItemModel *>(style->model())->item(1)->isEnabled());
        auto *plans = find<QComboBox>(m_window.get(), "ganttPlan");
        QVERIFY(!qobject_cast<QStandardItemModel *>(plans->model())->item(0)->isEnabled());
        QCOMPARE(plans->currentIndex(), 1);
        QVERIFY(!action(*m_window, "practiseAction")->isEnabled());
        QVERIFY(find<project::PertPanel>(m_window.get(), "pertPanel")->pert() == std::nullopt);

        // The Microsoft Project export offers no greedy plan either.
        bool greedyOffered = true;
        platform::setDialogRunner([&](QDialog &dialog) {
            auto *choice = dialog.findChild<QComboBox *>(QStringLiteral("exportPlanChoice"));
            greedyOffered
                = qobject_cast<QStandardItemModel *>(choice->model())->item(1)->isEnabled();
            dialog.reject();
            return dialog.result();
        });
        action(*m_window, "exportMspdiAction")->trigger();
        platform::setDialogRunner({});
        QVERIFY(!greedyOffered);

        // Shortening B by 2 makes the project 2 longer: B starts when A's finish lets it
        // finish, and C starts with B. The status line says so.
        const project::AnalysisSnapshot before = m_window->document()->snapshot();
        type(*m_window, 1, project::NormalDurationColumn, u"2"_qs);
        settle(*m_window);
        QCOMPARE(m_window->document()->analysis().schedule.projectDuration, 18);
        const QString status = find<QLabel>(m_window.get(), "statusLabel")->text();
        QVERIFY2(status.contains(u"B"_qs) && status.contains(u"ยาวขึ้น 2 วัน"_qs)
                     && status.contains(u"เสร็จ-เสร็จ"_qs) && status.contains(u"(A)"_qs)
                     && status.contains(u"(C)"_qs),
                 qPrintable(status));
        // The other way round (lengthening B) there is nothing to explain.
        QVERIFY(
            project::longerAfterShortening(*m_window->document()->snapshot(), *before).isEmpty());
    }

    // The predecessors cell as planners write it; a faulty item is marked on its cell and
    // keeps the project from being analysed, and nothing else.
    void predecessorNotationInTheTable()
    {
        typeProject(*m_window, typedProject);
        auto *model = m_window->document()->table();
        const QModelIndex cell = model->index(2, project::PredecessorsColumn);
        type(*m_window, 2, project::PredecessorsColumn, u"A SS+1, B FF-2"_qs);
        settle(*m_window);
        const engine::Activity &c = m_window->document()->analysis().project.activities[2];
        QCOMPARE(c.predecessors, std::vector<std::string>({"A", "B"}));
        QCOMPARE(c.linkTimings,
                 std::vector<engine::LinkTiming>({{engine::LinkType::StartToStart, 1},
                                                  {engine::LinkType::FinishToFinish, -2}}));

        for (const QString &faulty : {u"A SS+1, B FF2"_qs, u"A SS+x"_qs, u"A FS+9999999"_qs}) {
            type(*m_window, 2, project::PredecessorsColumn, faulty);
            settle(*m_window);
            const project::ProjectAnalysis &analysis = m_window->document()->analysis();
            QCOMPARE(analysis.problems.size(), std::size_t {1});
            QCOMPARE(analysis.problems[0].row, 2);
            QCOMPARE(analysis.problems[0].column, int(project::PredecessorsColumn));
            const QString tip = cell.data(Qt::ToolTipRole).toString();
            const QString item = faulty.section(u',', -1).trimmed();
            QVERIFY2(tip.contains(u'\'' + item + u'\''), qPrintable(tip));
        }

        // A project with links shows them in the cell the way they are read back.
        engine::Project project = expectedProject(QString());
        project.activities[2].linkTimings = {{engine::LinkType::StartToFinish, 3}, {}};
        m_window->document()->load(project, QString());
        QCOMPARE(cell.data().toString(), u"A SF+3, B"_qs);
        settle(*m_window);
        QCOMPARE(m_window->document()->analysis().project.activities[2].linkTimings,
                 project.activities[2].linkTimings);
    }

    // The unit is the project's: changing it relabels the parts, is one edit to undo, and
    // converts nothing.
    void timeUnitIsAnEditThatRelabels()
    {
        typeProject(*m_window, typedProject);
        settle(*m_window);
        m_window->document()->undoStack()->setClean();
        const int typed = m_window->document()->undoStack()->index();
        auto *choice = find<QComboBox>(m_window.get(), "timeUnitChoice");
        QCOMPARE(choice->currentText(), u"วัน"_qs);
        const engine::Duration duration = m_window->document()->analysis().schedule.projectDuration;
        auto *schedule = find<QTableView>(m_window.get(), "scheduleTable")->model();
        const QStringList units {u"นาที"_qs, u"ชั่วโมง"_qs, u"วัน"_qs, u"สัปดาห์"_qs};
        for (int index = 0; index < choice->count(); ++index) {
            choice->setCurrentIndex(index);
            settle(*m_window);
            const QString unit = units[index];
            QCOMPARE(project::thaiUnitWord(m_window->document()->timeUnit()), unit);
            QCOMPARE(m_window->document()->analysis().project.timeUnit,
                     m_window->document()->timeUnit());
            QCOMPARE(m_window->document()->analysis().schedule.projectDuration, duration);
            QCOMPARE(find<QLabel>(m_window.get(), "targetUnitLabel")->text(), unit);
            QVERIFY(
                schedule->headerData(project::ScheduleTableModel::DurationColumn, Qt::Horizontal)
                    .toString()
                    .contains(unit));
            QVERIFY(find<QLabel>(m_window.get(), "durationLabel")->text().contains(unit));
        }
        QVERIFY(m_window->document()->isModified());
        m_window->document()->undoStack()->setIndex(typed);
        settle(*m_window);
        QCOMPARE(m_window->document()->timeUnit(), engine::TimeUnit::Day);
        QCOMPARE(choice->currentText(), u"วัน"_qs);
        QVERIFY(!m_window->document()->isModified());

        // A file's unit comes with it.
        engine::Project weeks = expectedProject(QString());
        weeks.timeUnit = engine::TimeUnit::Week;
        m_window->document()->load(weeks, QString());
        settle(*m_window);
        QCOMPARE(choice->currentText(), u"สัปดาห์"_qs);
        QVERIFY(find<QLabel>(m_window.get(), "statusLabel")->text().contains(u"สัปดาห์"_qs));
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Boxes> m_boxes;
    std::unique_ptr<Files> m_files;
    std::unique_ptr<ProjectWindow> m_window;
};

QTEST_MAIN(ProjectWindowTest)
#include "projectwindow_test.moc"
