// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectwindow.h"

#include "project.h"

#include <QString>

#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QTableView;

namespace project {
class CostCurveChart;
class CrashingPanel;
class NetworkView;
class ProjectDocument;
class ScheduleTableModel;
struct ReportContent;
} // namespace project

// The window's parts and the operations its menus run; split over projectwindow.cpp (the
// parts, editing, showing the analysis) and projectwindow_files.cpp (files, export, print).
struct ProjectWindow::Private {
    explicit Private(ProjectWindow *window) : q(window) { }

    ProjectWindow *q;
    project::ProjectDocument *document = nullptr;

    QLineEdit *titleEdit = nullptr;
    QTableView *activityTable = nullptr;
    QListWidget *problemList = nullptr;
    QTabWidget *tabs = nullptr;
    project::NetworkView *networkView = nullptr;
    QTableView *scheduleTable = nullptr;
    project::ScheduleTableModel *scheduleModel = nullptr;
    QLabel *durationLabel = nullptr;
    project::CrashingPanel *crashingPanel = nullptr;
    project::CostCurveChart *curveChart = nullptr;
    QLabel *statusLabel = nullptr;
    QMenu *recentMenu = nullptr;
    std::vector<QAction *> needsSoundProject; // enabled only while the table has no problem

    // The durations the network and the CPM table show: normal ones, or a crashing step's.
    std::vector<engine::Duration> shownDurations;
    // Parts not on the visible tab are brought up to date when their tab is shown.
    bool networkStale = true;
    bool curveStale = true;

    // projectwindow.cpp
    void buildParts();
    void buildMenus();
    void showAnalysis();
    void showDurations(const std::vector<engine::Duration> &durations);
    void refreshVisibleTab();
    void updateCaption();
    void insertRow();
    void removeSelectedRows();
    void moveCurrentRow(int by);
    void selectProblemCell(int row, int column);

    // projectwindow_files.cpp
    bool maybeSave();
    void newProject();
    void newProjectWithoutAsking();
    void open();
    bool openPath(const QString &path);
    void openPracticeSet(int number);
    bool save();
    bool saveAs();
    bool saveTo(const QString &path, bool asDocumentFile);
    void exportCsv();
    void exportNetwork();
    void exportCurve();
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
};
