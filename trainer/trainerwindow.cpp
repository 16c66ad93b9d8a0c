// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "trainerwindow.h"

#include "answersfile.h"
#include "controlnames.h"
#include "dialogrunner.h"
#include "durationspinbox.h"
#include "filechooser.h"
#include "fonts.h"
#include "messagebox.h"
#include "networkview.h"
#include "newexercisedialog.h"
#include "practiceset.h"
#include "projectfile.h"
#include "thaifileproblems.h"
#include "thaitext.h"
#include "trainerwindow_p.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using project::named;

namespace {

// The selected cell of the answer grid is the one a hint is asked for: framed, not filled,
// so that its verdict (the cell's own colour) still shows.
class FramedSelectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain(option);
        const bool selected = plain.state.testFlag(QStyle::State_Selected);
        plain.state.setFlag(QStyle::State_Selected, false);
        QStyledItemDelegate::paint(painter, plain, index);
        if (selected) {
            painter->save();
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }
};

QString caption()
{
    return QStringLiteral("ฝึกทำเอง");
}

QTableWidgetItem *readOnly(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QPushButton *button(const QString &text, const char *name, const QString &tip)
{
    auto *result = named(new QPushButton(text), name, text);
    result->setToolTip(tip);
    return result;
}

} // namespace

TrainerWindow::TrainerWindow(QWidget *parent) : QMainWindow(parent), d(new Private(this))
{
    setObjectName(QStringLiteral("TrainerWindow"));
    setAccessibleName(caption());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(platform::sarabunFont(20));
    d->buildParts();
    d->buildMenus();
    resize(1280, 820);
    d->openPracticeSet(1);
}

TrainerWindow::~TrainerWindow()
{
    // First, so that its connections go before the parts that could still signal them.
    delete d;
}

bool TrainerWindow::startProject(const engine::Project &project)
{
    if (!d->maybeSave())
        return false;
    const project::AnalysisSnapshot analysis = project::analysisOf(project);
    if (!analysis->sound()) {
        QStringList reasons;
        for (const project::CellProblem &problem : analysis->problems)
            reasons << problem.reason;
        platform::showMessage(this, platform::MessageType::Warning, caption(),
                              QStringLiteral("ฝึกกับโครงการนี้ไม่ได้ เพราะโครงการยังมีปัญหา\n\n")
                                  + reasons.mid(0, 10).join(u'\n'),
                              QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    d->load(project);
    return true;
}

bool TrainerWindow::openFile(const QString &path)
{
    if (!d->maybeSave())
        return false;
    return d->openPath(path);
}

bool TrainerWindow::confirmClose()
{
    return d->maybeSave();
}

void TrainerWindow::closeEvent(QCloseEvent *event)
{
    if (!d->maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TrainerWindow::Private::buildParts()
{
    auto *splitter = named(new QSplitter(Qt::Horizontal, q), "trainerSplitter",
                           QStringLiteral("โครงการและขั้นตอนการฝึก"));

    // Left: the project as given (read only) and its network, ids and durations only.
    auto *left = new QSplitter(Qt::Vertical, splitter);
    activityTable = named(new QTableWidget(0, 6, left), "trainerActivityTable",
                          QStringLiteral("ตารางกิจกรรมของโครงการ"));
    activityTable->setHorizontalHeaderLabels(
        {QStringLiteral("กิจกรรม"), QStringLiteral("ชื่อ"), QStringLiteral("ก่อนหน้า"),
         QStringLiteral("เวลาปกติ"), QStringLiteral("เวลาเร่ง"), QStringLiteral("ค่าเร่งต่อหน่วย")});
    activityTable->verticalHeader()->hide();
    activityTable->horizontalHeader()->setStretchLastSection(true);
    activityTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    activityTable->verticalHeader()->setDefaultSectionSize(28);
    // The network in the course's either style, above it the choice.
    auto *networkPage = new QWidget(left);
    auto *networkLayout = new QVBoxLayout(networkPage);
    networkLayout->setContentsMargins(0, 0, 0, 0);
    networkView = new project::NetworkView(networkPage);
    networkStyle = project::makeStyleChoice(networkView, networkPage, "trainerNetworkStyle");
    networkLayout->addWidget(networkStyle, 0, Qt::AlignLeft);
    networkLayout->addWidget(networkView, 1);
    networkView->setObjectName(QStringLiteral("trainerNetwork"));
    networkView->setAccessibleName(QStringLiteral("แผนภาพเครือข่ายของโครงการ"));
    // Nothing that gives an answer away: columns by links, no times and no red until the
    // stage that asks for them has been checked.
    networkView->setColumnsByLinks(true);
    networkView->setRevealed(false, false);
    left->addWidget(activityTable);
    left->addWidget(networkPage);
    left->setSizes({300, 420});

    // Right: the stages and what the checks and hints say.
    auto *right = new QWidget(splitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(4, 4, 4, 4);
    stageTabs = named(new QTabWidget(right), "stageTabs", QStringLiteral("ขั้นตอนการฝึก"));
    stageTabs->addTab(buildSchedulePage(), QStringLiteral("1. ตาราง CPM"));
    stageTabs->addTab(buildCriticalPage(), QStringLiteral("2. สายงานวิกฤต"));
    stageTabs->addTab(buildCrashingPage(), QStringLiteral("3. เร่งโครงการ"));
    auto *feedbackLabel = new QLabel(QStringLiteral("ผลการตรวจและคำใบ้"), right);
    feedback = named(new QPlainTextEdit(right), "feedback", QStringLiteral("ผลการตรวจและคำใบ้"));
    feedbackLabel->setBuddy(feedback);
    feedback->setReadOnly(true);
    feedback->setMaximumHeight(140);
    rightLayout->addWidget(stageTabs, 1);
    rightLayout->addWidget(feedbackLabel);
    rightLayout->addWidget(feedback);

    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    q->setCentralWidget(splitter);
}

QWidget *TrainerWindow::Private::buildSchedulePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral("หา ES, EF, LS, LF และเวลาลอยตัวของทุกกิจกรรม "
                                            "และระยะเวลาโครงการ แล้วกด \"ตรวจคำตอบ\""));
    intro->setWordWrap(true);
    scheduleGrid = named(new QTableWidget(0, 5), "scheduleGrid", QStringLiteral("ตารางคำตอบ CPM"));
    scheduleGrid->setHorizontalHeaderLabels({QStringLiteral("ES"), QStringLiteral("EF"),
                                             QStringLiteral("LS"), QStringLiteral("LF"),
                                             QStringLiteral("เวลาลอยตัว")});
    scheduleGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    scheduleGrid->verticalHeader()->setDefaultSectionSize(28);
    scheduleGrid->setItemDelegate(new FramedSelectionDelegate(scheduleGrid));
    QObject::connect(scheduleGrid, &QTableWidget::itemChanged, this, [this] { markModified(); });

    auto *durationRow = new QHBoxLayout;
    auto *durationCaption = new QLabel(QStringLiteral("ระยะเวลาโครงการ"));
    projectDurationEdit
        = named(new QLineEdit, "projectDurationEdit", QStringLiteral("ระยะเวลาโครงการที่คำนวณได้"));
    durationCaption->setBuddy(projectDurationEdit);
    projectDurationEdit->setMaximumWidth(120);
    QObject::connect(projectDurationEdit, &QLineEdit::textEdited, this, [this] { markModified(); });
    durationRow->addWidget(durationCaption);
    durationRow->addWidget(projectDurationEdit);
    durationRow->addWidget(new QLabel(project::thaiUnitWord(engine::TimeUnit::Day)));
    durationRow->addStretch();

    auto *buttons = new QHBoxLayout;
    QPushButton *check = button(QStringLiteral("ตรวจคำตอบ"), "checkScheduleButton",
                                QStringLiteral("ตรวจทุกช่องของตาราง"));
    QPushButton *hint = button(QStringLiteral("คำใบ้"), "hintScheduleButton",
                               QStringLiteral("คำใบ้สำหรับช่องที่เลือก หรือช่องแรกที่ยังไม่ถูก"));
    scheduleScore = named(new QLabel, "scheduleScore", QStringLiteral("คะแนนตาราง CPM"));
    QObject::connect(check, &QPushButton::clicked, this, [this] { checkSchedule(); });
    QObject::connect(hint, &QPushButton::clicked, this, [this] { hintSchedule(); });
    buttons->addWidget(check);
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(scheduleScore);

    layout->addWidget(intro);
    layout->addWidget(scheduleGrid, 1);
    layout->addLayout(durationRow);
    layout->addLayout(buttons);
    return page;
}

QWidget *TrainerWindow::Private::buildCriticalPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral("ติ๊กกิจกรรมวิกฤตทุกกิจกรรม และพิมพ์สายงานวิกฤตทุกสาย "
                                            "บรรทัดละสาย เช่น A-C-G"));
    intro->setWordWrap(true);
    auto *row = new QHBoxLayout;
    criticalList = named(new QListWidget, "criticalList", QStringLiteral("กิจกรรมวิกฤต"));
    QObject::connect(criticalList, &QListWidget::itemChanged, this, [this] { markModified(); });
    pathsEdit = named(new QPlainTextEdit, "pathsEdit", QStringLiteral("สายงานวิกฤต"));
    pathsEdit->setPlaceholderText(QStringLiteral("A-C-G"));
    QObject::connect(pathsEdit, &QPlainTextEdit::textChanged, this, [this] { markModified(); });
    auto *ticks = new QGroupBox(QStringLiteral("กิจกรรมวิกฤต"));
    (new QVBoxLayout(ticks))->addWidget(criticalList);
    auto *paths = new QGroupBox(QStringLiteral("สายงานวิกฤต"));
    (new QVBoxLayout(paths))->addWidget(pathsEdit);
    row->addWidget(ticks, 1);
    row->addWidget(paths, 2);

    auto *buttons = new QHBoxLayout;
    QPushButton *check = button(QStringLiteral("ตรวจคำตอบ"), "checkCriticalButton",
                                QStringLiteral("ตรวจกิจกรรมที่ติ๊กและสายงานที่พิมพ์"));
    QPushButton *hint = button(QStringLiteral("คำใบ้"), "hintCriticalButton",
                               QStringLiteral("คำใบ้สำหรับสิ่งแรกที่ยังไม่ถูก"));
    criticalScore = named(new QLabel, "criticalScore", QStringLiteral("คะแนนสายงานวิกฤต"));
    QObject::connect(check, &QPushButton::clicked, this, [this] { checkCritical(); });
    QObject::connect(hint, &QPushButton::clicked, this, [this] { hintCritical(); });
    buttons->addWidget(check);
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(criticalScore);

    layout->addWidget(intro);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget *TrainerWindow::Private::buildCrashingPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *targetRow = new QHBoxLayout;
    auto *targetCaption = new QLabel(QStringLiteral("ระยะเวลาเป้าหมาย"));
    targetBox = named(new project::DurationSpinBox, "trainerTargetSpinBox",
                      QStringLiteral("ระยะเวลาเป้าหมายของการฝึกเร่ง"));
    targetCaption->setBuddy(targetBox);
    targetBox->setMinimumWidth(90);
    QObject::connect(targetBox, &project::DurationSpinBox::valueChanged, this, [this] {
        markModified();
        showCrashingState();
    });
    targetRow->addWidget(targetCaption);
    targetRow->addWidget(targetBox);
    targetRow->addWidget(new QLabel(project::thaiUnitWord(engine::TimeUnit::Day)));
    targetRow->addStretch();

    auto *intro = new QLabel(QStringLiteral("แต่ละขั้น: ใส่จำนวนหน่วยที่จะเร่งให้กิจกรรมที่เลือก "
                                            "ค่าเร่งของขั้นนี้ และระยะเวลาโครงการหลังเร่ง"));
    intro->setWordWrap(true);
    stepTable = named(new QTableWidget(0, 5), "stepTable", QStringLiteral("ตารางการเร่งขั้นนี้"));
    stepTable->setHorizontalHeaderLabels({QStringLiteral("กิจกรรม"), QStringLiteral("เวลาตอนนี้"),
                                          QStringLiteral("เร่งได้ถึง"), QStringLiteral("ค่าเร่ง/หน่วย"),
                                          QStringLiteral("เร่ง (หน่วย)")});
    stepTable->verticalHeader()->hide();
    stepTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    stepTable->verticalHeader()->setDefaultSectionSize(28);
    QObject::connect(stepTable, &QTableWidget::itemChanged, this, [this] { markModified(); });

    auto *reckoning = new QHBoxLayout;
    auto *costCaption = new QLabel(QStringLiteral("ค่าเร่งของขั้นนี้ (บาท)"));
    stepCostEdit = named(new QLineEdit, "stepCostEdit", QStringLiteral("ค่าเร่งของขั้นนี้"));
    costCaption->setBuddy(stepCostEdit);
    auto *durationCaption = new QLabel(QStringLiteral("ระยะเวลาโครงการหลังเร่ง"));
    stepDurationEdit
        = named(new QLineEdit, "stepDurationEdit", QStringLiteral("ระยะเวลาโครงการหลังเร่งขั้นนี้"));
    durationCaption->setBuddy(stepDurationEdit);
    for (QLineEdit *edit : {stepCostEdit, stepDurationEdit}) {
        edit->setMaximumWidth(140);
        QObject::connect(edit, &QLineEdit::textEdited, this, [this] { markModified(); });
    }
    reckoning->addWidget(costCaption);
    reckoning->addWidget(stepCostEdit);
    reckoning->addSpacing(12);
    reckoning->addWidget(durationCaption);
    reckoning->addWidget(stepDurationEdit);
    reckoning->addStretch();

    auto *buttons = new QHBoxLayout;
    QPushButton *check
        = button(QStringLiteral("ตรวจคำตอบ"), "checkStepButton", QStringLiteral("ตรวจขั้นการเร่งนี้"));
    QPushButton *hint
        = button(QStringLiteral("คำใบ้"), "hintStepButton", QStringLiteral("คำใบ้สำหรับขั้นนี้"));
    applyStepButton = button(QStringLiteral("ใช้ขั้นนี้"), "applyStepButton",
                             QStringLiteral("เร่งตามขั้นนี้แล้วไปขั้นต่อไป"));
    undoStepButton
        = button(QStringLiteral("ย้อนขั้นล่าสุด"), "undoStepButton", QStringLiteral("ยกเลิกขั้นที่ใช้ไปล่าสุด"));
    crashingScore = named(new QLabel, "crashingScore", QStringLiteral("คะแนนการเร่ง"));
    QObject::connect(check, &QPushButton::clicked, this, [this] { checkStep(); });
    QObject::connect(hint, &QPushButton::clicked, this, [this] { hintStep(); });
    QObject::connect(applyStepButton, &QPushButton::clicked, this, [this] { applyStep(); });
    QObject::connect(undoStepButton, &QPushButton::clicked, this, [this] { undoStep(); });
    buttons->addWidget(check);
    buttons->addWidget(hint);
    buttons->addWidget(applyStepButton);
    buttons->addWidget(undoStepButton);
    buttons->addStretch();
    buttons->addWidget(crashingScore);

    stepLog = named(new QPlainTextEdit, "stepLog", QStringLiteral("ขั้นการเร่งที่ใช้แล้ว"));
    stepLog->setReadOnly(true);
    stepLog->setMaximumHeight(96);
    totalsLabel = named(new QLabel, "totalsLabel", QStringLiteral("ค่าเร่งรวมเทียบกับคำตอบ"));
    totalsLabel->setWordWrap(true);

    layout->addLayout(targetRow);
    layout->addWidget(intro);
    layout->addWidget(stepTable, 1);
    layout->addLayout(reckoning);
    layout->addLayout(buttons);
    layout->addWidget(stepLog);
    layout->addWidget(totalsLabel);
    return page;
}

void TrainerWindow::Private::buildMenus()
{
    QMenu *file = q->menuBar()->addMenu(QStringLiteral("แฟ้ม"));
    file->setObjectName(QStringLiteral("trainerFileMenu"));
    auto add = [this, file](const char *name, const QString &text, const QKeySequence &keys,
                            auto handler) {
        auto *item = new QAction(text, q);
        item->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty())
            item->setShortcut(keys);
        file->addAction(item);
        QObject::connect(item, &QAction::triggered, this, handler);
        return item;
    };
    add("trainerOpenAction", QStringLiteral("เปิดโครงการหรือคำตอบ..."), QKeySequence::Open,
        [this] { open(); });
    add("trainerNewExerciseAction", QStringLiteral("แบบฝึกหัดใหม่..."), QKeySequence::New,
        [this] { newExercise(); });
    QMenu *practice = file->addMenu(QStringLiteral("ฝึกกับชุดเสริมทักษะ"));
    practice->setObjectName(QStringLiteral("trainerPracticeMenu"));
    for (int number = 1; number <= 5; ++number) {
        QAction *item = practice->addAction(QStringLiteral("ชุดเสริมทักษะ %1").arg(number));
        item->setObjectName(QStringLiteral("trainerSet%1Action").arg(number));
        QObject::connect(item, &QAction::triggered, this, [this, number] {
            if (maybeSave())
                openPracticeSet(number);
        });
    }
    file->addSeparator();
    add("trainerSaveAction", QStringLiteral("บันทึกคำตอบ"), QKeySequence::Save, [this] { save(); });
    add("trainerSaveAsAction", QStringLiteral("บันทึกคำตอบเป็น..."),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
    file->addSeparator();
    add("trainerCloseAction", QStringLiteral("ปิดหน้าต่าง"), QKeySequence(Qt::CTRL | Qt::Key_W),
        [this] { q->close(); });
}

void TrainerWindow::Private::newExercise()
{
    if (!maybeSave())
        return;
    project::NewExerciseDialog dialog(q);
    if (platform::runDialog(dialog) != QDialog::Accepted || !dialog.exercise())
        return;
    load(dialog.exercise()->project);
}

void TrainerWindow::Private::load(const engine::Project &newProject)
{
    loading = true;
    analysis = project::analysisOf(newProject);
    const engine::Project &p = project();
    const int n = static_cast<int>(p.activities.size());

    activityTable->setRowCount(n);
    for (int row = 0; row < n; ++row) {
        const engine::Activity &a = p.activities[static_cast<std::size_t>(row)];
        QStringList before;
        for (const std::string &id : a.predecessors)
            before << project::textOf(id);
        activityTable->setItem(row, 0, readOnly(project::textOf(a.id)));
        activityTable->setItem(row, 1, readOnly(project::textOf(a.name)));
        activityTable->setItem(
            row, 2, readOnly(before.isEmpty() ? QStringLiteral("-") : before.join(u',')));
        activityTable->setItem(row, 3, readOnly(QString::number(a.normalDuration)));
        activityTable->setItem(row, 4, readOnly(QString::number(a.crashDuration)));
        activityTable->setItem(row, 5,
                               readOnly(project::textOf(engine::formatBaht(a.crashCostPerUnit))));
    }
    activityTable->resizeColumnsToContents();

    QStringList ids;
    for (const engine::Activity &a : p.activities)
        ids << project::textOf(a.id);
    scheduleGrid->clearContents();
    scheduleGrid->setRowCount(n);
    scheduleGrid->setVerticalHeaderLabels(ids);
    for (int row = 0; row < n; ++row)
        for (int column = 0; column < 5; ++column)
            scheduleGrid->setItem(row, column, new QTableWidgetItem);

    criticalList->clear();
    for (const QString &id : ids) {
        auto *item = new QListWidgetItem(id, criticalList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }

    {
        const QSignalBlocker blocker(targetBox);
        targetBox->setRange(analysis->shortestDuration, analysis->schedule.projectDuration);
        // The project's own target (an exercise's, a saved one), else the shortest.
        targetBox->setValue(newProject.target.value_or(analysis->shortestDuration));
    }
    clearStages();
    const auto normal = network().normalDurations();
    networkView->showProject(analysis, std::vector<engine::Duration>(normal.begin(), normal.end()));
    reveal(false, false);
    stageTabs->setCurrentIndex(ScheduleStage);
    answersPath.clear();
    modified = false;
    loading = false;
    showCrashingState();
    updateScores();
    updateCaption();
    say(QStringLiteral("เริ่มที่ขั้นที่ 1: หาเวลาของแต่ละกิจกรรม แล้วกด \"ตรวจคำตอบ\""));
}

void TrainerWindow::Private::updateCaption()
{
    const QString title = analysis ? project::textOf(project().title) : QString();
    const QString name = !answersPath.isEmpty() ? QFileInfo(answersPath).fileName()
        : !title.isEmpty()                      ? title
                                                : QStringLiteral("โครงการ");
    q->setWindowTitle(name + QStringLiteral("[*] — ") + caption());
    q->setWindowModified(modified);
}

void TrainerWindow::Private::markModified()
{
    if (loading || modified)
        return;
    modified = true;
    updateCaption();
}

bool TrainerWindow::Private::maybeSave()
{
    if (!modified)
        return true;
    const auto answer = platform::showMessage(
        q, platform::MessageType::Question, caption(),
        QStringLiteral("คำตอบที่ทำไว้ยังไม่ได้บันทึก\nต้องการบันทึกก่อนหรือไม่"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

bool TrainerWindow::Private::save()
{
    return answersPath.isEmpty() ? saveAs() : saveTo(answersPath);
}

bool TrainerWindow::Private::saveAs()
{
    const QString title = project::textOf(project().title).trimmed();
    const QString suggested = QDir::home().filePath(
        (title.isEmpty() ? QStringLiteral("คำตอบ") : title) + QStringLiteral(".json"));
    QString path = platform::chooseFile(
        q,
        {platform::FileRequest::Kind::Save, QStringLiteral("บันทึกคำตอบ"),
         answersPath.isEmpty() ? suggested : answersPath, QStringLiteral("แฟ้มคำตอบ (*.json)")});
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    return saveTo(path);
}

bool TrainerWindow::Private::saveTo(const QString &path)
{
    io::AnswersFile file;
    file.answers = collectAnswers();
    file.project = project();
    // The scores as the checks give them now, with the hints used on the way.
    const engine::ScheduleCheck schedule = engine::checkSchedule(network(), file.answers);
    const engine::CriticalCheck critical = engine::checkCriticalPaths(network(), file.answers);
    const engine::CrashingCheck crashing = engine::checkCrashing(network(), file.answers);
    file.scores = io::Scores {
        io::StageScore {schedule.right, schedule.total, hints[ScheduleStage]},
        io::StageScore {critical.right, critical.total, hints[CriticalStage]},
        io::StageScore {crashing.right, crashing.total, hints[CrashingStage]},
    };
    const io::ProblemList problems = io::saveAnswers(file, project(), path);
    if (!problems.isEmpty()) {
        platform::showMessage(q, platform::MessageType::Error, caption(),
                              QStringLiteral("บันทึกคำตอบไม่สำเร็จ แฟ้มเดิม (ถ้ามี) ไม่ถูกแตะต้อง\n\n")
                                  + project::thaiProblemListText(problems),
                              QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    answersPath = QFileInfo(path).absoluteFilePath();
    modified = false;
    updateCaption();
    say(QStringLiteral("บันทึกคำตอบลง %1 แล้ว").arg(QDir::toNativeSeparators(answersPath)));
    return true;
}

void TrainerWindow::Private::open()
{
    if (!maybeSave())
        return;
    const QString path = platform::chooseFile(
        q,
        {platform::FileRequest::Kind::Open, QStringLiteral("เปิดโครงการหรือคำตอบ"), QDir::homePath(),
         QStringLiteral("โครงการหรือคำตอบ (*.crashkit *.csv *.xml *.gan *.json);;"
                        "แฟ้มคำตอบ (*.json);;ทุกแฟ้ม (*)")});
    if (!path.isEmpty())
        openPath(path);
}

bool TrainerWindow::Private::openPath(const QString &path)
{
    if (QFileInfo(path).suffix().compare(QStringLiteral("json"), Qt::CaseInsensitive) == 0)
        return openAnswers(path);
    io::ReadResult result = io::openProject(path);
    if (!result.isLoaded()) {
        platform::showMessage(q, platform::MessageType::Error, caption(),
                              QStringLiteral("เปิดแฟ้มไม่ได้\n\n")
                                  + project::thaiProblemListText(result.problems()),
                              QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    // Asked about already: starting over must not ask again, and a project that cannot be
    // worked leaves the work as it was.
    const bool wasModified = modified;
    modified = false;
    if (!q->startProject(result.takeProject())) {
        modified = wasModified;
        return false;
    }
    return true;
}

bool TrainerWindow::Private::openAnswers(const QString &path)
{
    // The work carries its project; without one, it is the work on the project shown.
    const io::AnswersRead read = io::openAnswers(path, analysis ? &project() : nullptr);
    if (!read.file) {
        platform::showMessage(q, platform::MessageType::Error, caption(),
                              QStringLiteral("เปิดแฟ้มคำตอบไม่ได้\n\n")
                                  + project::thaiProblemListText(read.problems),
                              QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    const io::AnswersFile &file = *read.file;
    if (file.project) {
        const bool wasModified = modified;
        modified = false;
        if (!q->startProject(*file.project)) {
            modified = wasModified;
            return false;
        }
    }
    loading = true;
    showAnswers(file.answers);
    if (file.scores) {
        const std::optional<io::StageScore> kept[StageCount]
            = {file.scores->schedule, file.scores->critical, file.scores->crashing};
        for (int stage = 0; stage < StageCount; ++stage)
            hints[static_cast<std::size_t>(stage)] = kept[stage] ? kept[stage]->hintsUsed : 0;
    }
    loading = false;
    answersPath = QFileInfo(path).absoluteFilePath();
    modified = false;
    updateScores();
    updateCaption();
    say(QStringLiteral("เปิดคำตอบจาก %1 แล้ว").arg(QDir::toNativeSeparators(answersPath)));
    return true;
}

void TrainerWindow::Private::openPracticeSet(int number)
{
    engine::Project practice = practiceProject(practiceSet(number));
    practice.title = QStringLiteral("ชุดเสริมทักษะ %1").arg(number).toStdString();
    load(practice);
}
