// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashingpanel.h"
#include "controlnames.h"

#include "fonts.h"
#include "greedylog.h"
#include "schedule.h"
#include "thaitext.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <limits>

namespace project {

namespace {

// Critical paths listed in the log before each step; a large network may have very many.
constexpr std::size_t kLoggedPaths = 5;

QTableWidgetItem *cell(const QString &text, bool number)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

int spinValue(engine::Duration duration)
{
    return static_cast<int>(
        std::clamp<engine::Duration>(duration, 0, std::numeric_limits<int>::max()));
}

} // namespace

CrashingPanel::CrashingPanel(QWidget *parent)
    : QWidget(parent), m_unitWord(thaiUnitWord()),
      m_targetSpinBox(named(new QSpinBox, "targetSpinBox", QStringLiteral("ระยะเวลาเป้าหมาย"))),
      m_unitLabel(new QLabel(m_unitWord)),
      m_stepButton(named(new QPushButton(QStringLiteral("เร่งหนึ่งขั้น")), "stepButton",
                         QStringLiteral("เร่งหนึ่งขั้น"))),
      m_runButton(named(new QPushButton(QStringLiteral("เร่งจนถึงเป้าหมาย")), "runButton",
                        QStringLiteral("เร่งจนถึงเป้าหมาย"))),
      m_resetButton(named(new QPushButton(QStringLiteral("เริ่มใหม่")), "resetButton",
                          QStringLiteral("เริ่มใหม่"))),
      m_targetMessage(named(new QLabel, "targetMessage", QStringLiteral("ข้อความเป้าหมาย"))),
      m_greedyLog(named(new QPlainTextEdit, "greedyLog", QStringLiteral("บันทึกการเร่งทีละขั้น"))),
      m_leastCostTable(
          named(new QTableWidget(0, 5), "leastCostTable", QStringLiteral("ตารางค่าเร่งต่ำสุด"))),
      m_greedyTotalLabel(named(new QLabel, "greedyTotalLabel", QStringLiteral("ค่าเร่งทีละขั้นรวม"))),
      m_leastTotalLabel(named(new QLabel, "leastTotalLabel", QStringLiteral("ค่าเร่งต่ำสุดรวม"))),
      m_differenceLabel(named(new QLabel, "differenceLabel", QStringLiteral("ผลต่างของค่าเร่ง")))
{
    m_unitLabel->setObjectName(QStringLiteral("targetUnitLabel"));
    auto *targetCaption = new QLabel(QStringLiteral("ระยะเวลาเป้าหมาย"));
    targetCaption->setBuddy(m_targetSpinBox);
    m_targetSpinBox->setRange(0, std::numeric_limits<int>::max());
    m_targetSpinBox->setKeyboardTracking(false);
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

    m_leastCostTable->setHorizontalHeaderLabels(
        {QStringLiteral("กิจกรรม"), QStringLiteral("ปกติ"), QStringLiteral("ระยะเวลาค่าเร่งต่ำสุด"),
         QStringLiteral("เร่ง"), QStringLiteral("ค่าเร่ง (บาท)")});
    m_leastCostTable->verticalHeader()->hide();
    m_leastCostTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_leastCostTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

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
    (new QVBoxLayout(leastBox))->addWidget(m_leastCostTable);
    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("crashingSplitter"));
    splitter->addWidget(greedyBox);
    splitter->addWidget(leastBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(targetRow);
    layout->addWidget(m_targetMessage);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_greedyTotalLabel);
    layout->addWidget(m_leastTotalLabel);
    layout->addWidget(m_differenceLabel);

    connect(m_targetSpinBox, &QSpinBox::valueChanged, this, &CrashingPanel::onSpinBoxEdited);
    connect(m_stepButton, &QPushButton::clicked, this, [this] { step(); });
    connect(m_runButton, &QPushButton::clicked, this, &CrashingPanel::runToTarget);
    connect(m_resetButton, &QPushButton::clicked, this, &CrashingPanel::reset);

    clearProject(QString());
}

void CrashingPanel::setProject(const engine::Project *project, const engine::Network *network)
{
    m_project = project;
    m_network = network;
    if (!hasProject()) {
        clearProject(QStringLiteral("ไม่มีโครงการให้เร่ง"));
        return;
    }
    const std::vector<engine::Duration> normal(m_network->normalDurations().begin(),
                                               m_network->normalDurations().end());
    m_normalDuration = engine::computeSchedule(*m_network, normal).projectDuration;
    m_shortestDuration = engine::shortestDuration(*m_network);
    if (!targetInRange())
        m_target = m_shortestDuration;
    {
        const QSignalBlocker blocker(m_targetSpinBox);
        m_targetSpinBox->setValue(spinValue(*m_target));
    }
    restart(true);
}

void CrashingPanel::clearProject(const QString &message)
{
    m_project = nullptr;
    m_network = nullptr;
    m_normalDuration = 0;
    m_shortestDuration = 0;
    restart(false);
    m_targetMessage->setText(message);
    m_targetMessage->setVisible(!message.isEmpty());
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
        m_targetSpinBox->setValue(spinValue(target));
    }
    restart(true);
}

void CrashingPanel::onSpinBoxEdited(int value)
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
    m_log.clear();
    m_greedyLog->clear();
    m_finishedLogged = false;
    m_greedy.reset();
    m_leastCost.reset();
    m_durations.clear();
    if (hasProject()) {
        m_durations.assign(m_network->normalDurations().begin(),
                           m_network->normalDurations().end());
        m_greedy.emplace(*m_network);
        if (targetInRange()
            && m_greedy->start(*m_target) == engine::GreedyCrashing::StartResult::Started) {
            m_leastCost = engine::leastCost(*m_network, *m_target);
            m_targetMessage->clear();
            m_targetMessage->hide();
        } else {
            m_targetMessage->setText(targetOutOfRangeText(m_target.value_or(0), m_shortestDuration,
                                                          m_normalDuration, m_unitWord));
            m_targetMessage->show();
        }
    }
    fillLeastCostTable();
    updateLabels();
    updateEnabled();
    if (announce && hasProject())
        emit durationsChanged(m_durations);
}

bool CrashingPanel::stepOnce()
{
    if (!targetInRange() || !m_greedy || m_greedy->finished())
        return false;
    const engine::CriticalPaths paths
        = engine::listCriticalPaths(*m_network, m_greedy->schedule(), kLoggedPaths);
    std::optional<engine::GreedyStep> step;
    try {
        step = m_greedy->step();
    } catch (const std::exception &error) {
        // A sound network never gets here; say so rather than stop the program.
        m_targetMessage->setText(QStringLiteral("เร่งต่อไม่ได้: ") + QString::fromUtf8(error.what()));
        m_targetMessage->show();
        return false;
    }
    if (!step)
        return false;
    QStringList lines = stepBlock(*m_project, *step, &paths, m_unitWord);
    m_durations = m_greedy->durations();
    if (m_greedy->finished() && !m_finishedLogged) {
        lines.append(closingText(step->durationAfter, m_greedy->totalCost(), m_unitWord));
        m_finishedLogged = true;
    }
    appendLog(lines);
    return true;
}

bool CrashingPanel::step()
{
    if (!stepOnce())
        return false;
    updateLabels();
    updateEnabled();
    emit durationsChanged(m_durations);
    return true;
}

void CrashingPanel::runToTarget()
{
    bool stepped = false;
    while (stepOnce())
        stepped = true;
    if (!stepped)
        return;
    updateLabels();
    updateEnabled();
    emit durationsChanged(m_durations);
}

void CrashingPanel::reset()
{
    restart(true);
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
    const auto normal = m_network->normalDurations();
    bool anyCut = false;
    for (std::size_t i = 0; i < m_leastCost->durations.size(); ++i) {
        if (m_leastCost->durations[i] == normal[i])
            continue;
        anyCut = true;
        lines.append(QString::fromStdString(m_project->activities[i].id) + QStringLiteral("  ")
                     + QString::number(normal[i]) + QStringLiteral(" -> ")
                     + QString::number(m_leastCost->durations[i]));
    }
    if (!anyCut)
        lines.append(QStringLiteral("ไม่ต้องเร่งกิจกรรมใด"));
    return lines.join(u'\n');
}

void CrashingPanel::fillLeastCostTable()
{
    m_leastCostTable->setRowCount(0);
    if (!hasProject() || !m_leastCost)
        return;
    const auto normal = m_network->normalDurations();
    const auto costs = m_network->costsPerUnit();
    const int rows = m_network->size();
    m_leastCostTable->setRowCount(rows + 1);
    for (int row = 0; row < rows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        const engine::Duration cut = normal[i] - m_leastCost->durations[i];
        m_leastCostTable->setItem(row, 0,
                                  cell(QString::fromStdString(m_project->activities[i].id), false));
        m_leastCostTable->setItem(row, 1, cell(QString::number(normal[i]), true));
        m_leastCostTable->setItem(row, 2, cell(QString::number(m_leastCost->durations[i]), true));
        m_leastCostTable->setItem(row, 3, cell(QString::number(cut), true));
        m_leastCostTable->setItem(row, 4, cell(bahtText(cut * costs[i]), true));
    }
    m_leastCostTable->setItem(rows, 0, cell(QStringLiteral("รวม"), false));
    m_leastCostTable->setItem(rows, 4, cell(bahtText(m_leastCost->cost), true));
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
    m_differenceLabel->setText(
        differenceText(greedyTotal(), m_leastCost->cost, m_greedy && m_greedy->finished()));
}

void CrashingPanel::updateEnabled()
{
    const bool project = hasProject();
    const bool canStep = project && targetInRange() && m_greedy && !m_greedy->finished();
    m_targetSpinBox->setEnabled(project);
    m_stepButton->setEnabled(canStep);
    m_runButton->setEnabled(canStep);
    m_resetButton->setEnabled(project && !m_log.isEmpty());
    m_greedyLog->setEnabled(project);
    m_leastCostTable->setEnabled(project);
}

void CrashingPanel::appendLog(const QStringList &lines)
{
    m_log += lines;
    m_greedyLog->appendPlainText(lines.join(u'\n'));
}

} // namespace project
