// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashingpanel.h"
#include "controlnames.h"

#include "backgroundjob.h"
#include "durationspinbox.h"
#include "flattable.h"
#include "fonts.h"
#include "greedylog.h"
#include "leastcosttablemodel.h"
#include "schedule.h"
#include "thaitext.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMutex>
#include <QMutexLocker>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace project {

struct CrashingPanel::RunFeed {
    QMutex mutex;
    QStringList lines;
};

namespace {

// Critical paths listed in the log before each step; a large network may have very many.
constexpr std::size_t kLoggedPaths = 5;

} // namespace

QString greedyUnavailableText()
{
    return QStringLiteral("การเร่งทีละขั้นแบบตำราใช้ได้เมื่อทุกความสัมพันธ์เป็นแบบเสร็จ-เริ่มไม่มีเวลาหน่วง "
                          "ในโครงการนี้ใช้คำตอบค่าเร่งต่ำสุดที่แน่นอนแทน");
}

CrashingPanel::CrashingPanel(QWidget *parent)
    : QWidget(parent), m_unitWord(thaiUnitWord(engine::TimeUnit::Day)),
      m_targetSpinBox(
          named(new DurationSpinBox, "targetSpinBox", QStringLiteral("ระยะเวลาเป้าหมาย"))),
      m_unitLabel(new QLabel(m_unitWord)),
      m_stepButton(named(new QPushButton(QStringLiteral("เร่งหนึ่งขั้น")), "stepButton",
                         QStringLiteral("เร่งหนึ่งขั้น"))),
      m_runButton(named(new QPushButton(QStringLiteral("เร่งจนถึงเป้าหมาย")), "runButton",
                        QStringLiteral("เร่งจนถึงเป้าหมาย"))),
      m_resetButton(named(new QPushButton(QStringLiteral("เริ่มใหม่")), "resetButton",
                          QStringLiteral("เริ่มใหม่"))),
      m_targetMessage(named(new QLabel, "targetMessage", QStringLiteral("ข้อความเป้าหมาย"))),
      m_greedyLog(named(new QPlainTextEdit, "greedyLog", QStringLiteral("บันทึกการเร่งทีละขั้น"))),
      m_leastCostTable(named(new QTableView, "leastCostTable", QStringLiteral("ตารางค่าเร่งต่ำสุด"))),
      m_leastCostModel(new LeastCostTableModel(this)), m_leastCostStatus(new QLabel),
      m_greedyTotalLabel(named(new QLabel, "greedyTotalLabel", QStringLiteral("ค่าเร่งทีละขั้นรวม"))),
      m_leastTotalLabel(named(new QLabel, "leastTotalLabel", QStringLiteral("ค่าเร่งต่ำสุดรวม"))),
      m_differenceLabel(named(new QLabel, "differenceLabel", QStringLiteral("ผลต่างของค่าเร่ง"))),
      m_splitter(new QSplitter(Qt::Horizontal)),
      m_runJob(new BackgroundJob(QStringLiteral("กำลังเร่งทีละขั้นจนถึงเป้าหมาย"), this)),
      m_leastCostJob(new BackgroundJob(QStringLiteral("กำลังหาค่าเร่งต่ำสุด"), this))
{
    m_unitLabel->setObjectName(QStringLiteral("targetUnitLabel"));
    auto *targetCaption = new QLabel(QStringLiteral("ระยะเวลาเป้าหมาย"));
    targetCaption->setBuddy(m_targetSpinBox);
    m_targetSpinBox->setMinimumWidth(90);

    m_stepButton->setToolTip(QStringLiteral("เร่งตามวิธีในตำราหนึ่งขั้น"));
    m_runButton->setToolTip(QStringLiteral("เร่งทีละขั้นจนระยะเวลาโครงการเท่ากับเป้าหมาย"));
    m_resetButton->setToolTip(QStringLiteral("กลับไปที่ระยะเวลาปกติ ล้างบันทึก"));

    m_targetMessage->setWordWrap(true);
    m_targetMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_targetMessage->hide();

    m_greedyLog->setReadOnly(true);
    m_greedyLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_greedyLog->setFont(platform::sarabunFont(20));

    m_leastCostTable->setModel(m_leastCostModel);
    m_leastCostTable->verticalHeader()->hide();
    m_leastCostTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_leastCostTable->setWordWrap(false);
    // The answer (the least-cost durations) stands right after the id and every column keeps
    // its header readable (fitted at every answer); the last one takes what is left.
    m_leastCostTable->horizontalHeader()->setStretchLastSection(true);
    m_leastCostTable->verticalHeader()->setDefaultSectionSize(28);
    m_leastCostStatus->setObjectName(QStringLiteral("leastCostStatus"));
    m_leastCostStatus->setWordWrap(true);
    m_leastCostStatus->hide();

    auto *targetRow = new QHBoxLayout;
    targetRow->addWidget(targetCaption);
    targetRow->addWidget(m_targetSpinBox);
    targetRow->addWidget(m_unitLabel);
    targetRow->addSpacing(12);
    targetRow->addWidget(m_stepButton);
    targetRow->addWidget(m_runButton);
    targetRow->addWidget(m_resetButton);
    targetRow->addStretch();

    auto *greedyBox = new QGroupBox(QStringLiteral("เร่งทีละขั้นตามวิธีในตำรา"));
    (new QVBoxLayout(greedyBox))->addWidget(m_greedyLog);
    auto *leastBox = new QGroupBox(QStringLiteral("ค่าเร่งต่ำสุด (คำตอบที่แน่นอน)"));
    auto *leastLayout = new QVBoxLayout(leastBox);
    leastLayout->addWidget(m_leastCostStatus);
    leastLayout->addWidget(m_leastCostTable, 1);
    m_splitter->setObjectName(QStringLiteral("crashingSplitter"));
    m_splitter->addWidget(greedyBox);
    m_splitter->addWidget(leastBox);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    // Room for the least-cost table's columns, the answer among them; the log (long lines,
    // scrolled anyway) takes the rest. The splitter keeps these proportions when first laid out.
    m_splitter->setSizes({450, 550});
    m_splitter->setChildrenCollapsible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(targetRow);
    layout->addWidget(m_targetMessage);
    layout->addWidget(m_splitter, 1);
    layout->addWidget(m_greedyTotalLabel);
    layout->addWidget(m_leastTotalLabel);
    layout->addWidget(m_differenceLabel);

    connect(m_targetSpinBox, &DurationSpinBox::valueChanged, this, &CrashingPanel::onSpinBoxEdited);
    connect(m_stepButton, &QPushButton::clicked, this, [this] { step(); });
    connect(m_runButton, &QPushButton::clicked, this, &CrashingPanel::runToTarget);
    connect(m_resetButton, &QPushButton::clicked, this, &CrashingPanel::reset);
    for (BackgroundJob *job : {m_runJob, m_leastCostJob})
        connect(job, &BackgroundJob::runningChanged, this, [this] { updateEnabled(); });
    connect(m_runJob, &BackgroundJob::tick, this, &CrashingPanel::drainRunFeed);
    connect(m_leastCostJob, &BackgroundJob::runningChanged, this, [this](bool running) {
        if (running) {
            m_leastCostStatus->setText(QStringLiteral("กำลังหาค่าเร่งต่ำสุด..."));
            m_leastCostStatus->show();
        }
    });
    connect(m_leastCostJob, &BackgroundJob::cancelled, this, [this] {
        // Solved again the next time the panel is shown or the target changes.
        m_leastCostStale = true;
        m_leastCostStatus->setText(QStringLiteral("หยุดหาค่าเร่งต่ำสุดแล้ว"));
        m_leastCostStatus->show();
    });
    for (BackgroundJob *job : {m_runJob, m_leastCostJob})
        connect(job, &BackgroundJob::failed, this, [this](const QString &reason) {
            m_targetMessage->setText(QStringLiteral("คำนวณไม่สำเร็จ: ") + reason);
            m_targetMessage->show();
        });

    clearProject(QString());
}

void CrashingPanel::setProject(AnalysisSnapshot analysis, std::optional<engine::Duration> target)
{
    if (!analysis || !analysis->sound()) {
        clearProject(QStringLiteral("ไม่มีโครงการให้เร่ง"));
        return;
    }
    m_analysis = std::move(analysis);
    m_normalDuration = m_analysis->schedule.projectDuration;
    m_shortestDuration = m_analysis->shortestDuration;
    if (target && *target >= m_shortestDuration && *target <= m_normalDuration)
        m_target = target;
    else if (!targetInRange())
        m_target = m_shortestDuration;
    {
        const QSignalBlocker blocker(m_targetSpinBox);
        m_targetSpinBox->setValue(*m_target);
    }
    restart(true);
}

void CrashingPanel::clearProject(const QString &message)
{
    m_analysis.reset();
    m_normalDuration = 0;
    m_shortestDuration = 0;
    restart(false);
    m_targetMessage->setText(message);
    m_targetMessage->setVisible(!message.isEmpty());
}

void CrashingPanel::setLazy(bool lazy)
{
    m_lazy = lazy;
    if (!m_lazy)
        ensureLeastCost();
}

std::optional<engine::Duration> CrashingPanel::target() const
{
    return hasProject() ? m_target : std::nullopt;
}

void CrashingPanel::setTarget(engine::Duration target)
{
    m_target = target;
    {
        const QSignalBlocker blocker(m_targetSpinBox);
        m_targetSpinBox->setValue(target);
    }
    restart(true);
}

void CrashingPanel::onSpinBoxEdited(engine::Duration value)
{
    m_target = value;
    restart(true);
    emit targetEdited(value);
}

void CrashingPanel::setUnitWord(const QString &word)
{
    m_unitWord = word;
    m_unitLabel->setText(word);
    // The log and the labels name the unit: start again so that they all say the same.
    restart(hasProject());
}

bool CrashingPanel::targetInRange() const
{
    return hasProject() && m_target && *m_target <= m_normalDuration
        && *m_target >= m_shortestDuration;
}

void CrashingPanel::restart(bool announce)
{
    m_runJob->abandon();
    m_runFeed.reset();
    m_leastCostJob->abandon();
    m_log.clear();
    m_greedyLog->clear();
    // The steps' lines are long and scrolled; the note that there are none is read whole.
    m_greedyLog->setLineWrapMode(hasProject() && !greedyAvailable() ? QPlainTextEdit::WidgetWidth
                                                                    : QPlainTextEdit::NoWrap);
    m_finishedLogged = false;
    m_greedy.reset();
    m_durations.clear();
    m_leastCostStale = hasProject();
    m_leastCostStatus->hide();
    showLeastCost(std::nullopt);
    if (hasProject()) {
        const auto normal = m_analysis->network.normalDurations();
        m_durations.assign(normal.begin(), normal.end());
        // The engine's greedy refuses links other than plain: it is not even made for them.
        if (greedyAvailable()) {
            m_greedy.emplace(m_analysis->network);
            if (targetInRange())
                m_greedy->start(*m_target);
        } else {
            m_greedyLog->setPlainText(greedyUnavailableText());
        }
        if (targetInRange()) {
            m_targetMessage->clear();
            m_targetMessage->hide();
        } else {
            m_leastCostStale = false; // nothing to solve
            m_targetMessage->setText(targetOutOfRangeText(m_target.value_or(0), m_shortestDuration,
                                                          m_normalDuration, m_unitWord));
            m_targetMessage->show();
        }
    }
    if (!m_lazy || isVisible())
        ensureLeastCost();
    updateLabels();
    updateEnabled();
    if (announce && hasProject())
        emit durationsChanged(m_durations);
}

void CrashingPanel::ensureLeastCost()
{
    if (!hasProject() || !m_leastCostStale || m_leastCostJob->isRunning())
        return;
    m_leastCostStale = false;
    if (!targetInRange())
        return;
    const AnalysisSnapshot analysis = m_analysis;
    const engine::Duration target = *m_target;
    m_leastCostJob->start<std::optional<engine::LeastCost>>(
        analysis->project.activities.size(),
        [analysis, target](engine::JobControl &control) {
            control.checkpoint();
            return engine::leastCost(analysis->network, target);
        },
        [this, analysis, target](std::optional<engine::LeastCost> answer) {
            if (analysis != m_analysis || m_target != target)
                return;
            m_leastCostStatus->hide();
            showLeastCost(std::move(answer));
        });
}

void CrashingPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ensureLeastCost();
}

void CrashingPanel::showLeastCost(std::optional<engine::LeastCost> answer)
{
    m_leastCost = std::move(answer);
    m_leastCostModel->showAnswer(m_analysis, m_leastCost);
    fitColumnsToWidest(m_leastCostTable,
                       [this](int column) { return m_leastCostModel->widestText(column); });
    updateLabels();
    if (m_leastCost)
        emit leastCostReady();
}

std::optional<QStringList> CrashingPanel::stepWithLog(const ProjectAnalysis &analysis,
                                                      engine::GreedyCrashing &greedy,
                                                      bool &finishedLogged, const QString &unitWord)
{
    if (greedy.finished())
        return std::nullopt;
    const engine::CriticalPaths paths
        = engine::listCriticalPaths(analysis.network, greedy.schedule(), kLoggedPaths);
    const std::optional<engine::GreedyStep> step = greedy.step();
    if (!step)
        return std::nullopt;
    QStringList lines = stepBlock(analysis.project, *step, &paths, unitWord);
    if (greedy.finished() && !finishedLogged) {
        lines.append(closingText(step->durationAfter, greedy.totalCost(), unitWord));
        finishedLogged = true;
    }
    return lines;
}

bool CrashingPanel::step()
{
    if (!targetInRange() || !m_greedy || m_runJob->isRunning())
        return false;
    std::optional<QStringList> lines;
    try {
        lines = stepWithLog(*m_analysis, *m_greedy, m_finishedLogged, m_unitWord);
    } catch (const std::exception &error) {
        // A sound network never gets here; say so rather than stop the program.
        m_targetMessage->setText(QStringLiteral("เร่งต่อไม่ได้: ") + QString::fromUtf8(error.what()));
        m_targetMessage->show();
        return false;
    }
    if (!lines)
        return false;
    appendLog(*lines);
    m_durations = m_greedy->durations();
    updateLabels();
    updateEnabled();
    emit durationsChanged(m_durations);
    return true;
}

void CrashingPanel::runToTarget()
{
    if (!targetInRange() || !m_greedy || m_greedy->finished() || m_runJob->isRunning())
        return;
    const AnalysisSnapshot analysis = m_analysis;
    const QString unitWord = m_unitWord;
    const RunResult from {*m_greedy, m_finishedLogged};
    auto feed = std::make_shared<RunFeed>();
    m_runFeed = feed;
    m_runJob->start<RunResult>(
        analysis->project.activities.size(),
        [analysis, unitWord, from, feed](engine::JobControl &control) {
            RunResult run = from;
            const engine::Duration start = run.greedy.schedule().projectDuration;
            const engine::Duration target = run.greedy.target();
            // A stop keeps the steps made so far: they are the student's to look at.
            while (!control.stopRequested()) {
                const std::optional<QStringList> lines
                    = stepWithLog(*analysis, run.greedy, run.finishedLogged, unitWord);
                if (!lines)
                    break;
                {
                    const QMutexLocker locker(&feed->mutex);
                    feed->lines += *lines;
                }
                const engine::Duration now = run.greedy.schedule().projectDuration;
                control.setProgress(start > target ? static_cast<double>(start - now)
                                            / static_cast<double>(start - target)
                                                   : 1.0);
            }
            return run;
        },
        [this, analysis, feed](RunResult run) {
            if (analysis != m_analysis || feed != m_runFeed)
                return;
            drainRunFeed();
            m_runFeed.reset();
            const bool stepped = m_greedy->durations() != run.greedy.durations();
            m_greedy = std::move(run.greedy);
            m_finishedLogged = run.finishedLogged;
            updateEnabled();
            if (!stepped)
                return;
            m_durations = m_greedy->durations();
            updateLabels();
            emit durationsChanged(m_durations);
        });
    updateEnabled();
}

void CrashingPanel::drainRunFeed()
{
    if (!m_runFeed)
        return;
    QStringList lines;
    {
        const QMutexLocker locker(&m_runFeed->mutex);
        lines.swap(m_runFeed->lines);
    }
    if (!lines.isEmpty())
        appendLog(lines);
}

void CrashingPanel::reset()
{
    restart(true);
}

bool CrashingPanel::greedyAvailable() const
{
    return hasProject() && m_analysis->network.plainLinks();
}

bool CrashingPanel::isBusy() const
{
    return m_runJob->isRunning() || m_leastCostJob->isRunning();
}

const std::vector<engine::Duration> &CrashingPanel::currentDurations() const
{
    return m_durations;
}

engine::Satang CrashingPanel::greedyTotal() const
{
    return m_greedy ? m_greedy->totalCost() : 0;
}

std::optional<engine::Satang> CrashingPanel::leastTotal() const
{
    if (!m_leastCost)
        return std::nullopt;
    return m_leastCost->cost;
}

QString CrashingPanel::logText() const
{
    if (hasProject() && !greedyAvailable())
        return greedyUnavailableText();
    return m_log.join(u'\n');
}

QString CrashingPanel::leastCostText() const
{
    if (!hasProject() || !m_leastCost)
        return QString();
    QStringList lines;
    lines.append(QStringLiteral("เร่งให้เสร็จใน ") + QString::number(m_leastCost->target) + u' '
                 + m_unitWord + QStringLiteral(" ด้วยค่าเร่งต่ำสุด ") + bahtText(m_leastCost->cost)
                 + QStringLiteral(" บาท"));
    const auto normal = m_analysis->network.normalDurations();
    bool anyCut = false;
    for (std::size_t i = 0; i < m_leastCost->durations.size(); ++i) {
        if (m_leastCost->durations[i] == normal[i])
            continue;
        anyCut = true;
        lines.append(QString::fromStdString(m_analysis->project.activities[i].id)
                     + QStringLiteral("  ") + QString::number(normal[i]) + QStringLiteral(" -> ")
                     + QString::number(m_leastCost->durations[i]));
    }
    if (!anyCut)
        lines.append(QStringLiteral("ไม่ต้องเร่งกิจกรรมใด"));
    return lines.join(u'\n');
}

void CrashingPanel::updateLabels()
{
    if (!hasProject()) {
        m_greedyTotalLabel->setText(QStringLiteral("ค่าเร่งทีละขั้น: -"));
        m_leastTotalLabel->setText(QStringLiteral("ค่าเร่งต่ำสุด: -"));
        m_differenceLabel->setText(QStringLiteral("ผลต่าง: -"));
        return;
    }
    const engine::Duration duration
        = m_greedy ? m_greedy->schedule().projectDuration : m_normalDuration;
    if (!greedyAvailable())
        m_greedyTotalLabel->setText(QStringLiteral("ค่าเร่งทีละขั้น: ใช้ไม่ได้กับโครงการนี้"));
    else
        m_greedyTotalLabel->setText(QStringLiteral("ค่าเร่งทีละขั้น: ") + bahtText(greedyTotal())
                                    + QStringLiteral(" บาท ที่ระยะเวลา ") + QString::number(duration)
                                    + u' ' + m_unitWord);
    if (!m_leastCost) {
        m_leastTotalLabel->setText(QStringLiteral("ค่าเร่งต่ำสุด: -"));
        m_differenceLabel->setText(QStringLiteral("ผลต่าง: -"));
        return;
    }
    m_leastTotalLabel->setText(QStringLiteral("ค่าเร่งต่ำสุดที่ ") + QString::number(m_leastCost->target)
                               + u' ' + m_unitWord + QStringLiteral(": ")
                               + bahtText(m_leastCost->cost) + QStringLiteral(" บาท"));
    if (greedyAvailable())
        m_differenceLabel->setText(
            differenceText(greedyTotal(), m_leastCost->cost, m_greedy && m_greedy->finished()));
    else
        m_differenceLabel->setText(QStringLiteral("ผลต่าง: -"));
}

void CrashingPanel::updateEnabled()
{
    const bool project = hasProject();
    const bool running = m_runJob->isRunning();
    const bool canStep
        = project && targetInRange() && m_greedy && !m_greedy->finished() && !running;
    m_targetSpinBox->setEnabled(project);
    m_stepButton->setEnabled(canStep);
    m_runButton->setEnabled(canStep);
    // A disabled button still shows its tooltip: it says why it is off.
    const bool unavailable = project && !greedyAvailable();
    m_stepButton->setToolTip(unavailable ? greedyUnavailableText()
                                         : QStringLiteral("เร่งตามวิธีในตำราหนึ่งขั้น"));
    m_runButton->setToolTip(unavailable ? greedyUnavailableText()
                                        : QStringLiteral("เร่งทีละขั้นจนระยะเวลาโครงการเท่ากับเป้าหมาย"));
    m_resetButton->setEnabled(project && (!m_log.isEmpty() || running));
    m_greedyLog->setEnabled(project);
    m_leastCostTable->setEnabled(project);
}

void CrashingPanel::appendLog(const QStringList &lines)
{
    m_log += lines;
    m_greedyLog->appendPlainText(lines.join(u'\n'));
}

} // namespace project
