// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectwindow.h"

#include "activitytablemodel.h"
#include "controlnames.h"
#include "costcurvechart.h"
#include "crashingpanel.h"
#include "fonts.h"
#include "networkview.h"
#include "pertpanel.h"
#include "projectdocument.h"
#include "projectwindow_p.h"
#include "schedule.h"
#include "scheduletablemodel.h"

#include <QAction>
#include <QCloseEvent>
#include <QColor>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

using project::ActivityTableModel;
using project::named;

namespace {

QString windowCaption()
{
    return QStringLiteral("โครงการของฉัน");
}

QAction *action(QObject *owner, const char *objectName, const QString &text,
                const QKeySequence &shortcut = {})
{
    auto *result = new QAction(text, owner);
    result->setObjectName(QString::fromLatin1(objectName));
    if (!shortcut.isEmpty())
        result->setShortcut(shortcut);
    return result;
}

enum Tab { NetworkTab, ScheduleTab, CrashingTab, CurveTab };

} // namespace

ProjectWindow::ProjectWindow(QWidget *parent) : QMainWindow(parent), d(new Private(this))
{
    setObjectName(QStringLiteral("ProjectWindow"));
    setAccessibleName(windowCaption());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(platform::sarabunFont(20));
    d->document = new project::ProjectDocument(this);
    d->buildParts();
    d->buildMenus();

    connect(d->document, &project::ProjectDocument::analysisChanged, this,
            [this] { d->showAnalysis(); });
    connect(d->document, &project::ProjectDocument::modifiedChanged, this,
            [this] { d->updateCaption(); });
    connect(d->document, &project::ProjectDocument::filePathChanged, this,
            [this] { d->updateCaption(); });
    connect(d->document->table(), &ActivityTableModel::rowsEdited, this, [this] {
        if (d->titleEdit->text() != d->document->title())
            d->titleEdit->setText(d->document->title());
        d->updateCaption();
    });
    connect(
        d->crashingPanel, &project::CrashingPanel::durationsChanged, this,
        [this](const std::vector<engine::Duration> &durations) { d->showDurations(durations); });
    connect(d->crashingPanel, &project::CrashingPanel::targetEdited, this,
            [this](engine::Duration target) { d->document->setTarget(target); });
    connect(d->tabs, &QTabWidget::currentChanged, this, [this] { d->refreshVisibleTab(); });

    resize(1280, 800);
    d->newProjectWithoutAsking();
}

ProjectWindow::~ProjectWindow()
{
    delete d;
}

project::ProjectDocument *ProjectWindow::document() const
{
    return d->document;
}

bool ProjectWindow::openFile(const QString &path)
{
    if (!d->maybeSave())
        return false;
    return d->openPath(path);
}

bool ProjectWindow::confirmClose()
{
    return d->maybeSave();
}

void ProjectWindow::closeEvent(QCloseEvent *event)
{
    if (!d->maybeSave()) {
        event->ignore();
        return;
    }
    // Changes the student chose to discard are gone: the window opens next time on a new
    // project, so that quitting the program does not ask about them again.
    if (d->document->isModified())
        d->newProjectWithoutAsking();
    event->accept();
}

void ProjectWindow::Private::buildParts()
{
    auto *splitter = named(new QSplitter(Qt::Horizontal, q), "mainSplitter",
                           QStringLiteral("ตารางกิจกรรมและผลการวิเคราะห์"));

    auto *left = new QWidget(splitter);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    auto *titleLabel = new QLabel(QStringLiteral("ชื่อโครงการ"), left);
    titleEdit = named(new QLineEdit(left), "titleEdit", QStringLiteral("ชื่อโครงการ"));
    titleLabel->setBuddy(titleEdit);
    titleEdit->setPlaceholderText(QStringLiteral("พิมพ์ชื่อโครงการ"));
    QObject::connect(titleEdit, &QLineEdit::editingFinished, q, [this] {
        if (titleEdit->text() != document->title())
            document->table()->setTitle(titleEdit->text());
    });

    auto *tableLabel = new QLabel(QStringLiteral("ตารางกิจกรรม"), left);
    activityTable = named(new QTableView(left), "activityTable", QStringLiteral("ตารางกิจกรรม"));
    tableLabel->setBuddy(activityTable);
    activityTable->setModel(document->table());
    activityTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    activityTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    activityTable->horizontalHeader()->setStretchLastSection(true);
    activityTable->verticalHeader()->setDefaultSectionSize(30);
    activityTable->horizontalHeader()->setMinimumSectionSize(60);
    activityTable->resizeColumnsToContents();
    activityTable->setColumnWidth(project::NameColumn, 160);

    auto *problemLabel = new QLabel(QStringLiteral("ปัญหาในตาราง"), left);
    problemList = named(new QListWidget(left), "problemList", QStringLiteral("ปัญหาในตาราง"));
    problemLabel->setBuddy(problemList);
    problemList->setMaximumHeight(140);
    problemList->setWordWrap(true);
    QObject::connect(problemList, &QListWidget::itemActivated, q, [this](QListWidgetItem *item) {
        selectProblemCell(item->data(Qt::UserRole).toInt(), item->data(Qt::UserRole + 1).toInt());
    });

    leftLayout->addWidget(titleLabel);
    leftLayout->addWidget(titleEdit);
    leftLayout->addWidget(tableLabel);
    leftLayout->addWidget(activityTable, 1);
    leftLayout->addWidget(problemLabel);
    leftLayout->addWidget(problemList);

    tabs = named(new QTabWidget(splitter), "viewTabs", QStringLiteral("ผลการวิเคราะห์"));
    networkView = new project::NetworkView(tabs);
    tabs->addTab(networkView, QStringLiteral("เครือข่าย"));

    auto *schedulePage = new QWidget(tabs);
    auto *scheduleLayout = new QVBoxLayout(schedulePage);
    durationLabel
        = named(new QLabel(schedulePage), "durationLabel", QStringLiteral("ระยะเวลาโครงการ"));
    scheduleModel = new project::ScheduleTableModel(q);
    scheduleTable
        = named(new QTableView(schedulePage), "scheduleTable", QStringLiteral("ตาราง CPM"));
    scheduleTable->setModel(scheduleModel);
    scheduleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    scheduleTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    scheduleTable->verticalHeader()->setDefaultSectionSize(30);
    scheduleLayout->addWidget(durationLabel);
    scheduleLayout->addWidget(scheduleTable, 1);
    tabs->addTab(schedulePage, QStringLiteral("ตาราง CPM"));

    crashingPanel
        = named(new project::CrashingPanel(tabs), "crashingPanel", QStringLiteral("การเร่งโครงการ"));
    tabs->addTab(crashingPanel, QStringLiteral("การเร่งโครงการ"));
    curveChart = named(new project::CostCurveChart(tabs), "costCurveChart",
                       QStringLiteral("กราฟเวลากับต้นทุน"));
    tabs->addTab(curveChart, QStringLiteral("กราฟเวลา-ต้นทุน"));
    tabs->addTab(named(new project::PertPanel(tabs), "pertPanel",
                       QStringLiteral("PERT: โอกาสที่โครงการจะเสร็จตามกำหนด")),
                 QStringLiteral("PERT"));

    splitter->addWidget(left);
    splitter->addWidget(tabs);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({560, 720});
    q->setCentralWidget(splitter);

    statusLabel = named(new QLabel(q), "statusLabel", QStringLiteral("สถานะ"));
    q->statusBar()->addWidget(statusLabel, 1);
}

void ProjectWindow::Private::buildMenus()
{
    QMenuBar *bar = q->menuBar();
    bar->setObjectName(QStringLiteral("projectMenuBar"));

    QMenu *file = bar->addMenu(QStringLiteral("แฟ้ม"));
    file->setObjectName(QStringLiteral("fileMenu"));
    auto add = [this](QMenu *menu, QAction *item, auto handler) {
        menu->addAction(item);
        QObject::connect(item, &QAction::triggered, q, [this, handler] { (this->*handler)(); });
        return item;
    };
    add(file, action(q, "newAction", QStringLiteral("สร้างใหม่"), QKeySequence::New),
        &Private::newProject);
    add(file, action(q, "openAction", QStringLiteral("เปิด..."), QKeySequence::Open),
        &Private::open);
    QMenu *practice = file->addMenu(QStringLiteral("เปิดชุดเสริมทักษะเป็นตัวตั้งต้น"));
    practice->setObjectName(QStringLiteral("practiceMenu"));
    for (int number = 1; number <= 5; ++number) {
        QAction *item = practice->addAction(QStringLiteral("ชุดเสริมทักษะ %1").arg(number));
        item->setObjectName(QStringLiteral("practiceSet%1Action").arg(number));
        QObject::connect(item, &QAction::triggered, q, [this, number] {
            if (maybeSave())
                openPracticeSet(number);
        });
    }
    recentMenu = file->addMenu(QStringLiteral("แฟ้มที่เปิดล่าสุด"));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    QObject::connect(recentMenu, &QMenu::aboutToShow, q, [this] { fillRecentMenu(); });
    file->addSeparator();
    add(file, action(q, "saveAction", QStringLiteral("บันทึก"), QKeySequence::Save), &Private::save);
    add(file,
        action(q, "saveAsAction", QStringLiteral("บันทึกเป็น..."),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
        &Private::saveAs);
    file->addSeparator();
    needsSoundProject.push_back(add(file,
                                    action(q, "exportCsvAction", QStringLiteral("ส่งออกเป็น CSV...")),
                                    &Private::exportCsv));
    needsSoundProject.push_back(
        add(file, action(q, "exportNetworkAction", QStringLiteral("ส่งออกภาพเครือข่าย (PNG, SVG)...")),
            &Private::exportNetwork));
    needsSoundProject.push_back(add(
        file, action(q, "exportCurveAction", QStringLiteral("ส่งออกกราฟเวลา-ต้นทุน (PNG, SVG)...")),
        &Private::exportCurve));
    needsSoundProject.push_back(add(
        file, action(q, "reportAction", QStringLiteral("รายงาน PDF...")), &Private::writeReport));
    needsSoundProject.push_back(
        add(file, action(q, "printAction", QStringLiteral("พิมพ์..."), QKeySequence::Print),
            &Private::print));
    file->addSeparator();
    QAction *close
        = action(q, "closeAction", QStringLiteral("ปิดหน้าต่าง"), QKeySequence(Qt::CTRL | Qt::Key_W));
    file->addAction(close);
    QObject::connect(close, &QAction::triggered, q, &QWidget::close);

    QMenu *edit = bar->addMenu(QStringLiteral("แก้ไข"));
    edit->setObjectName(QStringLiteral("editMenu"));
    QAction *undo = document->undoStack()->createUndoAction(q, QStringLiteral("เลิกทำ"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = document->undoStack()->createRedoAction(q, QStringLiteral("ทำซ้ำ"));
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence::Redo});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    add(edit, action(q, "insertRowAction", QStringLiteral("เพิ่มแถว"), Qt::CTRL | Qt::Key_Insert),
        &Private::insertRow);
    add(edit, action(q, "removeRowAction", QStringLiteral("ลบแถวที่เลือก"), Qt::CTRL | Qt::Key_Delete),
        &Private::removeSelectedRows);
    QAction *up = action(q, "moveUpAction", QStringLiteral("เลื่อนแถวขึ้น"), Qt::ALT | Qt::Key_Up);
    edit->addAction(up);
    QObject::connect(up, &QAction::triggered, q, [this] { moveCurrentRow(-1); });
    QAction *down
        = action(q, "moveDownAction", QStringLiteral("เลื่อนแถวลง"), Qt::ALT | Qt::Key_Down);
    edit->addAction(down);
    QObject::connect(down, &QAction::triggered, q, [this] { moveCurrentRow(1); });

    QMenu *view = bar->addMenu(QStringLiteral("มุมมอง"));
    view->setObjectName(QStringLiteral("viewMenu"));
    QAction *zoomIn
        = action(q, "zoomInAction", QStringLiteral("ขยายเครือข่าย"), QKeySequence::ZoomIn);
    QAction *zoomOut
        = action(q, "zoomOutAction", QStringLiteral("ย่อเครือข่าย"), QKeySequence::ZoomOut);
    QAction *fit
        = action(q, "zoomFitAction", QStringLiteral("เครือข่ายพอดีหน้าต่าง"), Qt::CTRL | Qt::Key_0);
    for (QAction *item : {zoomIn, zoomOut, fit})
        view->addAction(item);
    QObject::connect(zoomIn, &QAction::triggered, networkView, &project::NetworkView::zoomIn);
    QObject::connect(zoomOut, &QAction::triggered, networkView, &project::NetworkView::zoomOut);
    QObject::connect(fit, &QAction::triggered, networkView, &project::NetworkView::zoomToFit);
}

void ProjectWindow::Private::showAnalysis()
{
    const project::ProjectAnalysis &analysis = document->analysis();

    problemList->clear();
    for (const project::CellProblem &problem : analysis.problems) {
        const QString place = problem.row < 0 ? QStringLiteral("โครงการ")
                                              : QStringLiteral("แถว %1").arg(problem.row + 1);
        auto *item
            = new QListWidgetItem(place + QStringLiteral(": ") + problem.reason, problemList);
        item->setData(Qt::UserRole, problem.row);
        item->setData(Qt::UserRole + 1, problem.column);
        item->setForeground(QColor(0xb0, 0x00, 0x20));
    }
    for (QAction *item : needsSoundProject)
        item->setEnabled(analysis.sound());
    if (auto *pert = tabs->findChild<project::PertPanel *>(QStringLiteral("pertPanel")))
        pert->showAnalysis(analysis);

    if (!analysis.sound()) {
        const QString message
            = QStringLiteral("ตารางยังมีปัญหา %1 ข้อ\nแก้ตามรายการใต้ตารางแล้วผลจะแสดงเอง")
                  .arg(analysis.problems.size());
        shownDurations.clear();
        networkView->showMessage(message);
        scheduleModel->clear();
        durationLabel->setText(QString());
        crashingPanel->clearProject(message);
        curveChart->clearCurve(message);
        networkStale = false;
        curveStale = false;
        statusLabel->setText(message.section(u'\n', 0, 0));
        return;
    }
    networkStale = true;
    curveStale = true;
    statusLabel->setText(QStringLiteral("%1 กิจกรรม · ระยะเวลาปกติ %2 %4 · เร่งได้สั้นที่สุด %3 %4")
                             .arg(analysis.project.activities.size())
                             .arg(analysis.schedule.projectDuration)
                             .arg(analysis.shortestDuration));
    // The panel starts again at normal durations and reports them through durationsChanged,
    // which shows them in the CPM table and the network.
    crashingPanel->setProject(&analysis.project, &analysis.network);
    if (const auto target = document->target())
        if (*target != crashingPanel->target() && *target >= analysis.shortestDuration
            && *target <= analysis.schedule.projectDuration)
            crashingPanel->setTarget(*target);
}

void ProjectWindow::Private::showDurations(const std::vector<engine::Duration> &durations)
{
    const project::ProjectAnalysis &analysis = document->analysis();
    if (!analysis.sound() || durations.size() != analysis.project.activities.size())
        return;
    shownDurations = durations;
    const engine::Schedule schedule = engine::computeSchedule(analysis.network, durations);
    scheduleModel->showSchedule(analysis.project, durations, schedule);
    durationLabel->setText(QStringLiteral("ระยะเวลาโครงการ %1 วัน (สั้นที่สุดที่เร่งได้ %2 วัน)")
                               .arg(schedule.projectDuration)
                               .arg(analysis.shortestDuration));
    networkStale = true;
    refreshVisibleTab();
}

void ProjectWindow::Private::refreshVisibleTab()
{
    const project::ProjectAnalysis &analysis = document->analysis();
    if (!analysis.sound())
        return;
    const int tab = tabs->currentIndex();
    // The crashing tab shows no network, but its steps are followed there at once when the
    // student switches back; a network of a few hundred activities lays out in milliseconds.
    if (networkStale && (tab == NetworkTab || tab == CrashingTab)) {
        networkView->showNetwork(analysis.project, analysis.network, shownDurations);
        networkStale = false;
    }
    if (curveStale && tab == CurveTab) {
        curveChart->showCurve(analysis.network);
        curveStale = false;
    }
}

void ProjectWindow::Private::updateCaption()
{
    const QString title = document->title();
    const QString file = document->filePath();
    QString shown = !title.isEmpty() ? title
        : !file.isEmpty()            ? QFileInfo(file).fileName()
                                     : QStringLiteral("ไม่มีชื่อ");
    q->setWindowTitle(shown + QStringLiteral("[*] — ") + windowCaption());
    q->setWindowModified(document->isModified());
}

void ProjectWindow::Private::insertRow()
{
    const QModelIndex current = activityTable->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : document->table()->rowCount();
    document->table()->insertBlankRows(row, 1);
    activityTable->setCurrentIndex(document->table()->index(row, project::IdColumn));
}

void ProjectWindow::Private::removeSelectedRows()
{
    std::set<int> rows;
    for (const QModelIndex &index : activityTable->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && activityTable->currentIndex().isValid())
        rows.insert(activityTable->currentIndex().row());
    if (rows.empty())
        return;
    // Removing several rows is one step to undo.
    document->undoStack()->beginMacro(QStringLiteral("ลบแถว"));
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        document->table()->removeRowsAt(*row, 1);
    document->undoStack()->endMacro();
}

void ProjectWindow::Private::moveCurrentRow(int by)
{
    const QModelIndex current = activityTable->currentIndex();
    if (!current.isValid())
        return;
    const int to = current.row() + by;
    if (to < 0 || to >= document->table()->rowCount())
        return;
    document->table()->moveRowTo(current.row(), to);
    activityTable->setCurrentIndex(document->table()->index(to, current.column()));
}

void ProjectWindow::Private::selectProblemCell(int row, int column)
{
    if (row < 0)
        return;
    const QModelIndex index = document->table()->index(row, std::max(column, 0));
    activityTable->setCurrentIndex(index);
    activityTable->scrollTo(index);
    activityTable->setFocus();
}
