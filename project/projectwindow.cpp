// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectwindow.h"

#include "activitytablemodel.h"
#include "backgroundjob.h"
#include "controlnames.h"
#include "costcurvechart.h"
#include "crashingpanel.h"
#include "flattable.h"
#include "fonts.h"
#include "ganttview.h"
#include "networkview.h"
#include "pertpanel.h"
#include "projectdocument.h"
#include "projectwindow_p.h"
#include "schedule.h"
#include "scheduletablemodel.h"
#include "thaitext.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

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

enum Tab { NetworkTab, ScheduleTab, CrashingTab, CurveTab, PertTab, GanttTab };

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
    d->buildJobIndicator();
    d->crashingPanel->setLazy(true);

    project::ProjectDocument *document = d->document;
    QObject::connect(document, &project::ProjectDocument::analysisChanged, d,
                     [this] { d->showAnalysis(); });
    QObject::connect(document, &project::ProjectDocument::modifiedChanged, d,
                     [this] { d->updateCaption(); });
    QObject::connect(document, &project::ProjectDocument::filePathChanged, d,
                     [this] { d->updateCaption(); });
    QObject::connect(document, &project::ProjectDocument::targetChanged, d,
                     [this](std::optional<engine::Duration> target) {
                         // Undo, redo or a file: the panel follows the document.
                         if (target && d->crashingPanel->target() != target)
                             d->crashingPanel->setTarget(*target);
                     });
    QObject::connect(document, &project::ProjectDocument::timeUnitChanged, d,
                     [this](engine::TimeUnit unit) {
                         // Undo, redo or a file: the choice follows the document.
                         const int index = d->timeUnitChoice->findData(static_cast<int>(unit));
                         if (d->timeUnitChoice->currentIndex() != index)
                             d->timeUnitChoice->setCurrentIndex(index);
                     });
    QObject::connect(document->table(), &ActivityTableModel::titleChanged, d, [this] {
        if (d->titleEdit->text() != d->document->title())
            d->titleEdit->setText(d->document->title());
        d->updateCaption();
    });
    QObject::connect(
        d->crashingPanel, &project::CrashingPanel::durationsChanged, d,
        [this](const std::vector<engine::Duration> &durations) { d->showDurations(durations); });
    QObject::connect(d->crashingPanel, &project::CrashingPanel::targetEdited, d,
                     [this](engine::Duration target) { d->document->setTarget(target); });
    QObject::connect(d->tabs, &QTabWidget::currentChanged, d, [this] { d->refreshVisibleTab(); });
    d->statusTimer.setSingleShot(true);
    QObject::connect(&d->statusTimer, &QTimer::timeout, d,
                     [this] { d->statusLabel->setText(d->summary); });

    resize(1280, 800);
    d->newProjectWithoutAsking();
    d->showAnalysis();
}

ProjectWindow::~ProjectWindow()
{
    // First, so that its connections go before the parts that could still signal them.
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

bool ProjectWindow::isBusy() const
{
    for (const project::BackgroundJob *job : d->jobs)
        if (job->isRunning())
            return true;
    return false;
}

void ProjectWindow::closeEvent(QCloseEvent *event)
{
    if (!d->maybeSave()) {
        event->ignore();
        return;
    }
    for (project::BackgroundJob *job : d->jobs)
        job->abandon();
    d->dropPendingOutput(QString());
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
    QObject::connect(titleEdit, &QLineEdit::editingFinished, this, [this] {
        if (titleEdit->text() != document->title())
            document->table()->setTitle(titleEdit->text());
    });

    // The unit the durations count in: changing it relabels, nothing converts.
    auto *unitLabel = new QLabel(QStringLiteral("หน่วยเวลา"), left);
    timeUnitChoice = named(new QComboBox(left), "timeUnitChoice", QStringLiteral("หน่วยเวลา"));
    unitLabel->setBuddy(timeUnitChoice);
    for (const engine::TimeUnit unit : {engine::TimeUnit::Minute, engine::TimeUnit::Hour,
                                        engine::TimeUnit::Day, engine::TimeUnit::Week})
        timeUnitChoice->addItem(project::thaiUnitWord(unit), static_cast<int>(unit));
    timeUnitChoice->setCurrentIndex(
        timeUnitChoice->findData(static_cast<int>(engine::TimeUnit::Day)));
    timeUnitChoice->setToolTip(QStringLiteral("หน่วยของระยะเวลาทุกช่องและเวลาหน่วง "
                                              "เปลี่ยนแล้วตัวเลขคงเดิม ไม่แปลงหน่วย"));
    QObject::connect(timeUnitChoice, &QComboBox::currentIndexChanged, this, [this] {
        const auto unit = static_cast<engine::TimeUnit>(timeUnitChoice->currentData().toInt());
        if (unit != document->timeUnit())
            document->setTimeUnit(unit);
    });
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(titleEdit, 1);
    titleRow->addSpacing(8);
    titleRow->addWidget(unitLabel);
    titleRow->addWidget(timeUnitChoice);

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
    QObject::connect(problemList, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        selectProblemCell(item->data(Qt::UserRole).toInt(), item->data(Qt::UserRole + 1).toInt());
    });

    leftLayout->addWidget(titleLabel);
    leftLayout->addLayout(titleRow);
    leftLayout->addWidget(tableLabel);
    leftLayout->addWidget(activityTable, 1);
    leftLayout->addWidget(problemLabel);
    leftLayout->addWidget(problemList);

    tabs = named(new QTabWidget(splitter), "viewTabs", QStringLiteral("ผลการวิเคราะห์"));
    // The network in either of the course's two styles, chosen above the drawing; export and
    // the report draw the style shown.
    auto *networkPage = new QWidget(tabs);
    auto *networkLayout = new QVBoxLayout(networkPage);
    networkLayout->setContentsMargins(0, 4, 0, 0);
    auto *styleRow = new QHBoxLayout;
    styleRow->setContentsMargins(6, 0, 6, 0);
    auto *styleLabel = new QLabel(QStringLiteral("แบบการวาด"), networkPage);
    networkView = new project::NetworkView(networkPage);
    networkStyle = project::makeStyleChoice(networkView, networkPage, "networkStyle");
    styleLabel->setBuddy(networkStyle);
    styleRow->addWidget(styleLabel);
    styleRow->addWidget(networkStyle);
    styleRow->addStretch(1);
    networkLayout->addLayout(styleRow);
    networkLayout->addWidget(networkView, 1);
    tabs->addTab(networkPage, QStringLiteral("เครือข่าย"));

    auto *schedulePage = new QWidget(tabs);
    auto *scheduleLayout = new QVBoxLayout(schedulePage);
    durationLabel
        = named(new QLabel(schedulePage), "durationLabel", QStringLiteral("ระยะเวลาโครงการ"));
    scheduleModel = new project::ScheduleTableModel(q);
    scheduleTable
        = named(new QTableView(schedulePage), "scheduleTable", QStringLiteral("ตาราง CPM"));
    scheduleTable->setModel(scheduleModel);
    scheduleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    pertPanel = named(new project::PertPanel(tabs), "pertPanel",
                      QStringLiteral("PERT: โอกาสที่โครงการจะเสร็จตามกำหนด"));
    tabs->addTab(pertPanel, QStringLiteral("PERT"));

    // The Gantt chart: the normal plan above the crashed one chosen here.
    auto *ganttPage = new QWidget(tabs);
    auto *ganttLayout = new QVBoxLayout(ganttPage);
    ganttLayout->setContentsMargins(0, 4, 0, 0);
    auto *ganttRow = new QHBoxLayout;
    ganttRow->setContentsMargins(6, 0, 6, 0);
    auto *planLabel = new QLabel(QStringLiteral("แผนที่เร่งแล้ว"), ganttPage);
    ganttPlan = named(new QComboBox(ganttPage), "ganttPlan", QStringLiteral("แผนที่เร่งแล้ว"));
    ganttPlan->addItem(QStringLiteral("ตามวิธีในตำรา ถึงขั้นที่แสดง"));
    ganttPlan->addItem(QStringLiteral("ค่าเร่งต่ำสุดถึงเป้าหมาย"));
    planLabel->setBuddy(ganttPlan);
    ganttLinks = named(new QCheckBox(QStringLiteral("แสดงเส้นโยง"), ganttPage), "ganttLinks",
                       QStringLiteral("แสดงเส้นโยงระหว่างกิจกรรม"));
    ganttRow->addWidget(planLabel);
    ganttRow->addWidget(ganttPlan);
    ganttRow->addSpacing(12);
    ganttRow->addWidget(ganttLinks);
    ganttRow->addStretch(1);
    ganttView = new project::GanttView(ganttPage);
    ganttLayout->addLayout(ganttRow);
    ganttLayout->addWidget(ganttView, 1);
    QObject::connect(ganttPlan, &QComboBox::currentIndexChanged, this, [this] {
        ganttStale = true;
        refreshVisibleTab();
    });
    QObject::connect(ganttLinks, &QCheckBox::toggled, ganttView,
                     &project::GanttView::setLinksShown);
    tabs->addTab(ganttPage, QStringLiteral("แผนภูมิแกนต์"));

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
        QObject::connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
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
        QObject::connect(item, &QAction::triggered, this, [this, number] {
            if (maybeSave())
                openPracticeSet(number);
        });
    }
    add(file, action(q, "newExerciseAction", QStringLiteral("แบบฝึกหัดใหม่...")),
        &Private::newExercise);
    recentMenu = file->addMenu(QStringLiteral("แฟ้มที่เปิดล่าสุด"));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    QObject::connect(recentMenu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
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
    needsSoundProject.push_back(
        add(file, action(q, "exportGanttAction", QStringLiteral("ส่งออกแผนภูมิแกนต์ (PNG, SVG)...")),
            &Private::exportGantt));
    needsSoundProject.push_back(
        add(file,
            action(q, "exportMspdiAction", QStringLiteral("ส่งออกแผนเป็น Microsoft Project XML...")),
            &Private::exportMspdi));
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
    QObject::connect(up, &QAction::triggered, this, [this] { moveCurrentRow(-1); });
    QAction *down
        = action(q, "moveDownAction", QStringLiteral("เลื่อนแถวลง"), Qt::ALT | Qt::Key_Down);
    edit->addAction(down);
    QObject::connect(down, &QAction::triggered, this, [this] { moveCurrentRow(1); });

    QMenu *practise = bar->addMenu(QStringLiteral("ฝึก"));
    practise->setObjectName(QStringLiteral("practiseMenu"));
    QAction *practiseHere = action(q, "practiseAction", QStringLiteral("ฝึกกับโครงการนี้..."));
    practiseHere->setToolTip(QStringLiteral("ทำตาราง CPM สายงานวิกฤต และการเร่งเองทีละขั้น "
                                            "ในหน้าต่าง \"ฝึกทำเอง\" โปรแกรมตรวจและใบ้ให้"));
    practise->addAction(practiseHere);
    needsSoundProject.push_back(practiseHere);
    practiseAction = practiseHere;
    QObject::connect(practiseHere, &QAction::triggered, this, [this] {
        engine::Project project;
        if (soundProjectForOutput(project, QStringLiteral("ฝึกกับโครงการนี้")))
            emit q->practiseRequested(project);
    });

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
    // The Gantt chart zooms as the network does, when its tab is shown.
    QObject::connect(zoomIn, &QAction::triggered, this, [this] {
        tabs->currentIndex() == GanttTab ? ganttView->zoomIn() : networkView->zoomIn();
    });
    QObject::connect(zoomOut, &QAction::triggered, this, [this] {
        tabs->currentIndex() == GanttTab ? ganttView->zoomOut() : networkView->zoomOut();
    });
    QObject::connect(fit, &QAction::triggered, this, [this] {
        tabs->currentIndex() == GanttTab ? ganttView->zoomToFit() : networkView->zoomToFit();
    });
}

void ProjectWindow::Private::buildJobIndicator()
{
    jobIndicator = new QWidget(q);
    jobIndicator->setObjectName(QStringLiteral("jobIndicator"));
    jobIndicator->setAccessibleName(QStringLiteral("งานที่กำลังคำนวณ"));
    auto *row = new QHBoxLayout(jobIndicator);
    row->setContentsMargins(0, 0, 0, 0);
    jobLabel = new QLabel(jobIndicator);
    jobLabel->setObjectName(QStringLiteral("jobLabel"));
    jobProgress
        = named(new QProgressBar(jobIndicator), "jobProgress", QStringLiteral("ความคืบหน้าของงาน"));
    jobProgress->setRange(0, 1000);
    jobProgress->setTextVisible(false);
    jobProgress->setFixedWidth(160);
    jobCancel = named(new QPushButton(QStringLiteral("หยุด"), jobIndicator), "jobCancelButton",
                      QStringLiteral("หยุดงานที่กำลังคำนวณ"));
    jobCancel->setToolTip(QStringLiteral("หยุดงานนี้: การเร่งจนถึงเป้าหมายเก็บขั้นที่ทำแล้วไว้"));
    row->addWidget(jobLabel);
    row->addWidget(jobProgress);
    row->addWidget(jobCancel);
    q->statusBar()->addPermanentWidget(jobIndicator);
    jobIndicator->hide();

    jobs = {networkView->layoutJob(), crashingPanel->runJob(), crashingPanel->leastCostJob(),
            curveChart->curveJob()};
    for (project::BackgroundJob *job : jobs) {
        QObject::connect(job, &project::BackgroundJob::runningChanged, this, [this] {
            updateJobIndicator();
            runPendingOutput();
        });
        QObject::connect(job, &project::BackgroundJob::progressChanged, this,
                         [this] { updateJobIndicator(); });
        QObject::connect(job, &project::BackgroundJob::cancelled, this, [this, job] {
            dropPendingOutput(job->description() + QStringLiteral(" ถูกหยุด"));
            // A stopped drawing or curve is made again when its tab is chosen again.
            if (job == networkView->layoutJob())
                networkStale = true;
            if (job == curveChart->curveJob())
                curveStale = true;
        });
        QObject::connect(
            job, &project::BackgroundJob::failed, this, [this, job](const QString &reason) {
                dropPendingOutput(job->description() + QStringLiteral(" ไม่สำเร็จ: ") + reason);
            });
    }
    QObject::connect(jobCancel, &QPushButton::clicked, this, [this] {
        for (project::BackgroundJob *job : jobs)
            if (job->isRunning()) {
                job->cancel();
                return;
            }
    });
    // What outputs wait for arrives through these.
    QObject::connect(networkView, &project::NetworkView::drawn, this,
                     [this] { runPendingOutput(); });
    QObject::connect(curveChart, &project::CostCurveChart::curveShown, this,
                     [this] { runPendingOutput(); });
    QObject::connect(crashingPanel, &project::CrashingPanel::leastCostReady, this, [this] {
        if (ganttPlan->currentIndex() == 1) {
            ganttStale = true;
            refreshVisibleTab();
        }
        runPendingOutput();
    });
}

void ProjectWindow::Private::updateJobIndicator()
{
    for (const project::BackgroundJob *job : jobs) {
        if (!job->isRunning())
            continue;
        jobLabel->setText(job->description() + QStringLiteral("..."));
        jobProgress->setValue(job->permille());
        jobIndicator->show();
        return;
    }
    jobIndicator->hide();
}

void ProjectWindow::Private::showStatus(const QString &text, int milliseconds)
{
    // One label for the summary and the messages: the status bar's own temporary message
    // would be drawn over the summary when the window was not shown yet.
    statusLabel->setText(text);
    statusTimer.start(milliseconds);
}

void ProjectWindow::Private::catchUp()
{
    document->snapshot();
    if (document->analysisCount() != shownAnalysis)
        showAnalysis();
}

void ProjectWindow::Private::showAnalysis()
{
    const project::AnalysisSnapshot analysis = document->snapshot();
    // An edit that shortened an activity and made the project longer: say why.
    const QString longer = shown ? project::longerAfterShortening(*shown, *analysis) : QString();
    shown = analysis;
    shownAnalysis = document->analysisCount();
    const QString unitWord = project::thaiUnitWord(analysis->project.timeUnit);
    if (crashingPanel->unitWord() != unitWord) {
        crashingPanel->setUnitWord(unitWord);
        curveChart->setUnitWord(unitWord);
    }
    dropPendingOutput(pendingWhat.isEmpty()
                          ? QString()
                          : pendingWhat + QStringLiteral(" ถูกยกเลิก เพราะตารางเปลี่ยน"));

    problemList->clear();
    for (const project::CellProblem &problem : analysis->problems) {
        const QString place = problem.row < 0 ? QStringLiteral("โครงการ")
                                              : QStringLiteral("แถว %1").arg(problem.row + 1);
        auto *item
            = new QListWidgetItem(place + QStringLiteral(": ") + problem.reason, problemList);
        item->setData(Qt::UserRole, problem.row);
        item->setData(Qt::UserRole + 1, problem.column);
        item->setForeground(QColor(0xb0, 0x00, 0x20));
    }
    for (QAction *item : needsSoundProject)
        item->setEnabled(analysis->sound());
    followLinkTypes(*analysis);
    pertPanel->showAnalysis(*analysis);

    if (!analysis->sound()) {
        const QString message
            = QStringLiteral("ตารางยังมีปัญหา %1 ข้อ\nแก้ตามรายการใต้ตารางแล้วผลจะแสดงเอง")
                  .arg(analysis->problems.size());
        shownDurations.clear();
        networkView->showMessage(message);
        ganttView->showMessage(message);
        ganttStale = false;
        scheduleModel->clear();
        durationLabel->setText(QString());
        crashingPanel->clearProject(message);
        curveChart->clearCurve(message);
        networkStale = false;
        curveStale = false;
        summary = message.section(u'\n', 0, 0);
        statusLabel->setText(summary);
        return;
    }
    networkStale = true;
    curveStale = true;
    ganttStale = true;
    summary = QStringLiteral("%1 กิจกรรม · ระยะเวลาปกติ %2 %4 · เร่งได้สั้นที่สุด %3 %4")
                  .arg(analysis->project.activities.size())
                  .arg(analysis->schedule.projectDuration)
                  .arg(analysis->shortestDuration)
                  .arg(unitWord);
    if (!longer.isEmpty())
        showStatus(longer, 20000);
    else if (!statusTimer.isActive())
        statusLabel->setText(summary);
    // The panel starts at normal durations with the document's target where it is in range,
    // and reports the durations once, through durationsChanged.
    crashingPanel->setProject(analysis, document->target());
}

void ProjectWindow::Private::followLinkTypes(const project::ProjectAnalysis &analysis)
{
    const bool plain = !analysis.sound() || analysis.network.plainLinks();
    project::allowArrowStyle(networkStyle, plain);
    // The Gantt chart's greedy plan: none to show, the exact one is.
    auto *plans = qobject_cast<QStandardItemModel *>(ganttPlan->model());
    if (QStandardItem *greedyPlan = plans ? plans->item(0) : nullptr) {
        greedyPlan->setEnabled(plain);
        greedyPlan->setToolTip(plain ? QString() : project::greedyUnavailableText());
    }
    if (!plain && ganttPlan->currentIndex() == 0)
        ganttPlan->setCurrentIndex(1);
    // The trainer works the textbook's networks, in days.
    const bool practicable
        = analysis.sound() && plain && analysis.project.timeUnit == engine::TimeUnit::Day;
    practiseAction->setEnabled(practicable);
    practiseAction->setToolTip(
        practicable || !analysis.sound()
            ? QStringLiteral("ทำตาราง CPM สายงานวิกฤต และการเร่งเองทีละขั้น "
                             "ในหน้าต่าง \"ฝึกทำเอง\" โปรแกรมตรวจและใบ้ให้")
            : QStringLiteral("ฝึกทำเองได้กับโครงการที่นับเป็นวัน และทุกความสัมพันธ์เป็นแบบเสร็จ-เริ่ม"
                             "ไม่มีเวลาหน่วง"));
}

void ProjectWindow::Private::showDurations(const std::vector<engine::Duration> &durations)
{
    if (!shown || !shown->sound() || durations.size() != shown->project.activities.size())
        return;
    shownDurations = durations;
    const engine::Schedule schedule = engine::computeSchedule(shown->network, durations);
    scheduleModel->showSchedule(shown->project, durations, schedule);
    project::fitColumnsToWidest(scheduleTable,
                                [this](int column) { return scheduleModel->widestText(column); });
    durationLabel->setText(QStringLiteral("ระยะเวลาโครงการ %1 %3 (สั้นที่สุดที่เร่งได้ %2 %3)")
                               .arg(schedule.projectDuration)
                               .arg(shown->shortestDuration)
                               .arg(project::thaiUnitWord(shown->project.timeUnit)));
    networkStale = true;
    ganttStale = true;
    refreshVisibleTab();
}

void ProjectWindow::Private::refreshVisibleTab()
{
    if (!shown || !shown->sound())
        return;
    const int tab = tabs->currentIndex();
    // The crashing tab shows no network, but its steps are followed there at once when the
    // student switches back.
    if (networkStale && (tab == NetworkTab || tab == CrashingTab)) {
        if (networkView->analysis() == shown)
            networkView->showDurations(shownDurations);
        else
            networkView->showProject(shown, shownDurations);
        networkStale = false;
    }
    if (curveStale && tab == CurveTab) {
        curveChart->showCurve(shown);
        curveStale = false;
    }
    if (ganttStale && tab == GanttTab)
        refreshGantt();
}

void ProjectWindow::Private::refreshGantt()
{
    ganttStale = false;
    if (!shown || !shown->sound())
        return;
    const auto normal = shown->network.normalDurations();
    std::optional<std::vector<engine::Duration>> crashed;
    QString caption;
    if (ganttPlan->currentIndex() == 0) {
        if (!std::equal(shownDurations.begin(), shownDurations.end(), normal.begin(),
                        normal.end())) {
            crashed = shownDurations;
            caption = QStringLiteral("แผนที่เร่งตามวิธีในตำรา");
        }
    } else {
        // Solved when its tab is shown (at once for a small project, else the chart follows
        // when the answer comes).
        crashingPanel->ensureLeastCost();
        if (const std::optional<engine::LeastCost> &least = crashingPanel->leastCost()) {
            crashed = least->durations;
            caption = QStringLiteral("แผนค่าเร่งต่ำสุดถึงเป้าหมาย %1 %2")
                          .arg(least->target)
                          .arg(project::thaiUnitWord(shown->project.timeUnit));
        }
    }
    ganttView->showPlans(shown, crashed, caption);
    ganttView->setLinksShown(ganttLinks->isChecked());
}

bool ProjectWindow::Private::outputsReady() const
{
    return shown && networkView->analysis() == shown && networkView->isDrawn()
        && curveChart->isShown() && !crashingPanel->isBusy();
}

void ProjectWindow::Private::whenOutputsReady(const QString &what, std::function<void()> action)
{
    if (networkStale || networkView->analysis() != shown) {
        if (networkView->analysis() == shown)
            networkView->showDurations(shownDurations);
        else
            networkView->showProject(shown, shownDurations);
        networkStale = false;
    }
    if (curveStale) {
        curveChart->showCurve(shown);
        curveStale = false;
    }
    crashingPanel->ensureLeastCost();
    pendingOutput = std::move(action);
    pendingWhat = what;
    if (!outputsReady())
        showStatus(QStringLiteral("กำลังเตรียม%1 จะทำต่อเองเมื่อคำนวณเสร็จ").arg(what), 600000);
    runPendingOutput();
}

void ProjectWindow::Private::runPendingOutput()
{
    if (!pendingOutput || !outputsReady())
        return;
    const std::function<void()> action = std::move(pendingOutput);
    pendingOutput = nullptr;
    pendingWhat.clear();
    statusTimer.stop();
    statusLabel->setText(summary);
    action();
}

void ProjectWindow::Private::dropPendingOutput(const QString &why)
{
    if (!pendingOutput)
        return;
    pendingOutput = nullptr;
    pendingWhat.clear();
    if (!why.isEmpty())
        showStatus(why);
}

void ProjectWindow::Private::updateCaption()
{
    const QString title = document->title();
    const QString file = document->filePath();
    const QString name = !title.isEmpty() ? title
        : !file.isEmpty()                 ? QFileInfo(file).fileName()
                                          : QStringLiteral("ไม่มีชื่อ");
    q->setWindowTitle(name + QStringLiteral("[*] — ") + windowCaption());
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
    std::vector<int> rows;
    const QItemSelection selection = activityTable->selectionModel()->selection();
    for (const QItemSelectionRange &range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    if (rows.empty() && activityTable->currentIndex().isValid())
        rows.push_back(activityTable->currentIndex().row());
    // Rows removed together are one step to undo and one change to analyse.
    document->table()->removeRowSet(std::move(rows));
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
