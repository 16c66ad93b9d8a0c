// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectwindow.h"

#include "projectanalysis.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

namespace io {
class ProblemList;
}

namespace project {
class BackgroundJob;
class CostCurveChart;
class CrashingPanel;
class GanttView;
class NetworkView;
class PertPanel;
class ProjectDocument;
class ScheduleTableModel;
struct ReportContent;
} // namespace project

// The window's parts and the operations its menus run; split over projectwindow.cpp (the
// parts, editing, showing the analysis, the jobs) and projectwindow_files.cpp (files,
// export, print). It is the context of every connection the window makes, so that going
// first in the window's destructor, it takes them all along before the parts go (a line edit
// losing the focus as the window closes must not reach a half-destroyed window).
struct ProjectWindow::Private : QObject {
    explicit Private(ProjectWindow *window) : q(window) { }

    ProjectWindow *q;
    project::ProjectDocument *document = nullptr;

    QLineEdit *titleEdit = nullptr;
    QComboBox *timeUnitChoice = nullptr;
    QTableView *activityTable = nullptr;
    QListWidget *problemList = nullptr;
    QTabWidget *tabs = nullptr;
    project::NetworkView *networkView = nullptr;
    QComboBox *networkStyle = nullptr;
    project::GanttView *ganttView = nullptr;
    QComboBox *ganttPlan = nullptr;
    QCheckBox *ganttLinks = nullptr;
    QTableView *scheduleTable = nullptr;
    project::ScheduleTableModel *scheduleModel = nullptr;
    QLabel *durationLabel = nullptr;
    project::CrashingPanel *crashingPanel = nullptr;
    project::CostCurveChart *curveChart = nullptr;
    project::PertPanel *pertPanel = nullptr;
    QLabel *statusLabel = nullptr;
    QWidget *jobIndicator = nullptr;
    QLabel *jobLabel = nullptr;
    QProgressBar *jobProgress = nullptr;
    QPushButton *jobCancel = nullptr;
    QMenu *recentMenu = nullptr;
    std::vector<QAction *> needsSoundProject; // enabled only while the table has no problem
    QAction *practiseAction = nullptr; // and only for a project in days with plain links
    std::vector<project::BackgroundJob *> jobs;

    // The analysis the parts show, and the durations the network and the CPM table show:
    // normal ones, or a crashing step's.
    project::AnalysisSnapshot shown;
    int shownAnalysis = -1; // the document's analysisCount() when it was shown
    std::vector<engine::Duration> shownDurations;
    // Parts not on the visible tab are brought up to date when their tab is shown.
    bool networkStale = true;
    bool curveStale = true;
    bool ganttStale = true;

    // The status line: the project's summary, or for a while a message about what was done.
    QString summary;
    QTimer statusTimer;

    // An export, report or print waiting for the jobs it needs (the layout, the curve, the
    // least cost); dropped when the table changes first.
    std::function<void()> pendingOutput;
    QString pendingWhat;

    // projectwindow.cpp
    void buildParts();
    void buildMenus();
    void buildJobIndicator();
    void showAnalysis();
    // Shows the document's analysis now if an edit made a new one that the parts do not
    // show yet (a command run before the window had its turn).
    void catchUp();
    void showDurations(const std::vector<engine::Duration> &durations);
    void refreshVisibleTab();
    void updateCaption();
    void updateJobIndicator();
    void showStatus(const QString &text, int milliseconds = 5000);
    // What the parts say when the links are not all plain (no greedy, no PERT, no arrows).
    void followLinkTypes(const project::ProjectAnalysis &analysis);
    void insertRow();
    void removeSelectedRows();
    void moveCurrentRow(int by);
    void selectProblemCell(int row, int column);
    // Starts what the outputs need (the drawing, the curve, the least cost) and runs `action`
    // once they are all there: at once for a small project, after the jobs for a large one.
    void whenOutputsReady(const QString &what, std::function<void()> action);
    bool outputsReady() const;
    void runPendingOutput();
    void dropPendingOutput(const QString &why);

    // projectwindow_files.cpp
    bool maybeSave();
    void newProject();
    void newProjectWithoutAsking();
    void open();
    bool openPath(const QString &path);
    void openPracticeSet(int number);
    // "แบบฝึกหัดใหม่": a seeded exercise chosen in its dialog, after the unsaved-work question.
    void newExercise();
    bool save();
    bool saveAs();
    bool saveTo(const QString &path, bool asDocumentFile);
    void exportCsv();
    void exportNetwork();
    void exportCurve();
    void exportGantt();
    // The plan as Microsoft Project XML: normal, or crashed to the target by either method.
    void exportMspdi();
    // Charts the normal plan and the crashed one chosen above the chart.
    void refreshGantt();
    void writeReport();
    void print();
    void rememberRecent(const QString &path);
    void fillRecentMenu();
    // The project as the table holds it, title and target included; false (and a warning
    // shown) while the table has problems.
    bool soundProjectForOutput(engine::Project &project, const QString &what);
    project::ReportContent reportContent(const engine::Project &project);
    QString chooseSavePath(const QString &caption, const QString &suggestedSuffix,
                           const QString &filter);
    // What a CSV file would leave out of the project (its title and target), in Thai; empty
    // when it holds everything.
    QString lostInCsv() const;
    void showFileProblems(const QString &intro, const io::ProblemList &problems);
};
