// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "trainerwindow_p.h"

#include "durationspinbox.h"
#include "messagebox.h"
#include "money.h"
#include "networkview.h"
#include "thaitext.h"
#include "values.h"
#include "verdicttext.h"

#include <QBrush>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

namespace {

const QColor kRight(206, 239, 206);
const QColor kRightFromOwn(226, 242, 201);
const QColor kWrong(255, 214, 214);

constexpr int kFields = 5;

QColor colourOf(engine::Verdict verdict)
{
    switch (verdict) {
    case engine::Verdict::Right:
        return kRight;
    case engine::Verdict::RightFromOwn:
        return kRightFromOwn;
    case engine::Verdict::Wrong:
        return kWrong;
    case engine::Verdict::Unanswered:
        break;
    }
    return {};
}

// A whole number of time units typed in a cell: digits (Thai ones too) with blanks around;
// nothing for an empty cell. False when the text is not such a number.
bool readWhole(const QString &typed, std::optional<engine::Duration> &value)
{
    const QString text = project::withArabicDigits(typed).trimmed();
    value.reset();
    if (text.isEmpty())
        return true;
    if (text.size() > 15
        || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    value = text.toLongLong();
    return true;
}

// An amount of Baht (at most two decimals); nothing for an empty field.
bool readBaht(const QString &typed, std::optional<engine::Satang> &value)
{
    const QString text = project::withArabicDigits(typed).trimmed();
    value.reset();
    if (text.isEmpty())
        return true;
    engine::Satang satang = 0;
    if (io::parseAmount(project::utf8Of(text), satang) || satang < 0)
        return false;
    value = satang;
    return true;
}

QString shown(std::optional<engine::Duration> value)
{
    return value ? QString::number(*value) : QString();
}

// Level 1 a nudge, 2 the rule in the student's numbers, 3 the answer.
QString hintAt(const trainer::Hints &hints, int level)
{
    return level <= 1 ? hints.nudge : level == 2 ? hints.rule : hints.answer;
}

// One applied step in the log: what was cut, and what it cost and left.
QString stepSummary(const engine::Project &project, const engine::StepCheck &step)
{
    QStringList cuts;
    for (const auto &[activity, units] : step.shorten)
        cuts << QStringLiteral("%1 %2 %3")
                    .arg(trainer::activityName(project, activity))
                    .arg(units)
                    .arg(project::thaiUnitWord(engine::TimeUnit::Day));
    return QStringLiteral("ขั้นที่ %1: เร่ง %2 · ค่าเร่ง %3 บาท · ระยะเวลาโครงการ %4 -> %5 %6")
        .arg(step.number)
        .arg(cuts.join(QStringLiteral(", ")),
             project::textOf(engine::formatBaht(step.expectedCost)))
        .arg(step.durationBefore)
        .arg(step.expectedDuration)
        .arg(project::thaiUnitWord(engine::TimeUnit::Day));
}

} // namespace

engine::Answers TrainerWindow::Private::collectAnswers(QStringList *problems) const
{
    engine::Answers answers;
    const engine::Project &p = project();
    const int n = static_cast<int>(p.activities.size());
    auto bad = [&](const QString &where, const QString &typed) {
        if (problems)
            problems->append(QStringLiteral("%1: '%2' ไม่ใช่จำนวนเต็ม").arg(where, typed.trimmed()));
    };

    // The schedule: only when something of it is answered.
    static const QString fieldNames[kFields]
        = {QStringLiteral("ES"), QStringLiteral("EF"), QStringLiteral("LS"), QStringLiteral("LF"),
           QStringLiteral("เวลาลอยตัว")};
    std::vector<engine::ScheduleAnswer> schedule(static_cast<std::size_t>(n));
    bool anyCell = false;
    for (int row = 0; row < n; ++row) {
        engine::ScheduleAnswer &a = schedule[static_cast<std::size_t>(row)];
        std::optional<engine::Duration> *fields[kFields]
            = {&a.earliestStart, &a.earliestFinish, &a.latestStart, &a.latestFinish, &a.totalFloat};
        for (int column = 0; column < kFields; ++column) {
            const QTableWidgetItem *item = scheduleGrid->item(row, column);
            const QString typed = item ? item->text() : QString();
            if (!readWhole(typed, *fields[column]))
                bad(QStringLiteral("%1 ของ %2")
                        .arg(fieldNames[column], project::textOf(p.activities[row].id)),
                    typed);
            anyCell = anyCell || fields[column]->has_value();
        }
    }
    if (anyCell)
        answers.schedule = std::move(schedule);
    if (!readWhole(projectDurationEdit->text(), answers.projectDuration))
        bad(QStringLiteral("ระยะเวลาโครงการ"), projectDurationEdit->text());

    // The critical activities ticked, when any is; the paths typed, one a line.
    std::vector<int> ticked;
    for (int row = 0; row < criticalList->count(); ++row)
        if (criticalList->item(row)->checkState() == Qt::Checked)
            ticked.push_back(row);
    if (!ticked.empty())
        answers.criticalActivities = std::move(ticked);
    const QStringList lines = pathsEdit->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty()) {
        static const QRegularExpression separators(QStringLiteral("[-–—→>,\\s]+"));
        std::vector<std::vector<int>> paths;
        for (const QString &line : lines) {
            std::vector<int> path;
            for (const QString &id : line.split(separators, Qt::SkipEmptyParts)) {
                const auto at = std::find_if(
                    p.activities.begin(), p.activities.end(),
                    [&](const engine::Activity &a) { return project::textOf(a.id) == id; });
                // An id that is no activity stays in the path as -1: the check names it.
                path.push_back(
                    at == p.activities.end() ? -1 : static_cast<int>(at - p.activities.begin()));
            }
            if (!path.empty())
                paths.push_back(std::move(path));
        }
        if (!paths.empty())
            answers.criticalPaths = std::move(paths);
    }

    answers.target = targetBox->value();
    answers.steps = steps;
    return answers;
}

void TrainerWindow::Private::showAnswers(const engine::Answers &answers)
{
    const int n = static_cast<int>(project().activities.size());
    for (int row = 0; row < n; ++row) {
        const engine::ScheduleAnswer a = static_cast<std::size_t>(row) < answers.schedule.size()
            ? answers.schedule[static_cast<std::size_t>(row)]
            : engine::ScheduleAnswer {};
        const std::optional<engine::Duration> fields[kFields]
            = {a.earliestStart, a.earliestFinish, a.latestStart, a.latestFinish, a.totalFloat};
        for (int column = 0; column < kFields; ++column)
            scheduleGrid->item(row, column)->setText(shown(fields[column]));
    }
    projectDurationEdit->setText(shown(answers.projectDuration));
    for (int row = 0; row < criticalList->count(); ++row) {
        const bool ticked = answers.criticalActivities
            && std::find(answers.criticalActivities->begin(), answers.criticalActivities->end(),
                         row)
                != answers.criticalActivities->end();
        criticalList->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    QStringList lines;
    if (answers.criticalPaths)
        for (const std::vector<int> &path : *answers.criticalPaths) {
            QStringList ids;
            for (const int a : path)
                ids << (a >= 0 && a < n ? project::textOf(project().activities[a].id)
                                        : QStringLiteral("?"));
            lines << ids.join(u'-');
        }
    pathsEdit->setPlainText(lines.join(u'\n'));
    if (answers.target)
        targetBox->setValue(*answers.target);
    // Only the steps that can be taken: each from the state the ones before left.
    steps.clear();
    for (const engine::StepAnswer &step : answers.steps) {
        const engine::StepCheck check
            = engine::checkStep(network(), currentDurations(), targetBox->value(), step,
                                static_cast<int>(steps.size()) + 1);
        if (check.applicable)
            steps.push_back(step);
    }
    stepLog->clear();
    const engine::CrashingCheck crashing = engine::checkCrashing(network(), collectAnswers());
    for (const engine::StepCheck &check : crashing.steps)
        if (check.applicable)
            stepLog->appendPlainText(stepSummary(project(), check));
    stepCheck.reset();
    showCrashingState();
}

void TrainerWindow::Private::clearStages()
{
    scheduleCheck.reset();
    criticalCheck.reset();
    stepCheck.reset();
    steps.clear();
    hints = {};
    hintLevel.clear();
    projectDurationEdit->clear();
    pathsEdit->clear();
    stepCostEdit->clear();
    stepDurationEdit->clear();
    stepLog->clear();
    totalsLabel->clear();
    feedback->clear();
}

void TrainerWindow::Private::say(const QString &text)
{
    feedback->setPlainText(text);
}

void TrainerWindow::Private::reveal(bool times, bool critical)
{
    timesRevealed = times;
    criticalRevealed = critical;
    networkView->setRevealed(times, critical);
}

int TrainerWindow::Private::nextHintLevel(Stage stage, const QString &item)
{
    int &level = hintLevel[item];
    if (level < 3) {
        ++level;
        ++hints[static_cast<std::size_t>(stage)];
    }
    updateScores();
    return level;
}

void TrainerWindow::Private::updateScores()
{
    auto score = [this](std::optional<std::pair<int, int>> marks, Stage stage) {
        const QString hintsUsed
            = QStringLiteral("คำใบ้ %1 ครั้ง").arg(hints[static_cast<std::size_t>(stage)]);
        if (!marks)
            return QStringLiteral("ยังไม่ได้ตรวจ · ") + hintsUsed;
        return QStringLiteral("ถูก %1 จาก %2 · ").arg(marks->first).arg(marks->second) + hintsUsed;
    };
    scheduleScore->setText(
        score(scheduleCheck ? std::optional(std::pair(scheduleCheck->right, scheduleCheck->total))
                            : std::nullopt,
              ScheduleStage));
    criticalScore->setText(
        score(criticalCheck ? std::optional(std::pair(criticalCheck->right, criticalCheck->total))
                            : std::nullopt,
              CriticalStage));
    const engine::CrashingCheck crashing = engine::checkCrashing(network(), collectAnswers());
    crashingScore->setText(score(
        steps.empty() ? std::nullopt : std::optional(std::pair(crashing.right, crashing.total)),
        CrashingStage));
}

// --- 1. The schedule ------------------------------------------------------------------------

void TrainerWindow::Private::checkSchedule()
{
    QStringList problems;
    const engine::Answers answers = collectAnswers(&problems);
    if (!problems.isEmpty()) {
        say(QStringLiteral("ตรวจไม่ได้: แก้ช่องเหล่านี้ก่อน\n") + problems.join(u'\n'));
        return;
    }
    scheduleCheck = engine::checkSchedule(network(), answers);
    QStringList wrong;
    {
        const QSignalBlocker blocker(scheduleGrid);
        for (const engine::CellCheck &cell : scheduleCheck->cells) {
            QTableWidgetItem *item
                = scheduleGrid->item(cell.activity, static_cast<int>(cell.field));
            item->setBackground(QBrush(colourOf(cell.verdict)));
            const QString message = trainer::cellText(project(), *scheduleCheck, cell).message;
            item->setToolTip(message);
            if (!engine::countsRight(cell.verdict) && cell.verdict != engine::Verdict::Unanswered)
                wrong << message;
        }
    }
    const engine::CellCheck &duration = scheduleCheck->projectDuration;
    QPalette palette = projectDurationEdit->palette();
    palette.setColor(QPalette::Base,
                     duration.verdict == engine::Verdict::Unanswered
                         ? q->palette().color(QPalette::Base)
                         : colourOf(duration.verdict));
    projectDurationEdit->setPalette(palette);
    const QString durationMessage = trainer::cellText(project(), *scheduleCheck, duration).message;
    projectDurationEdit->setToolTip(durationMessage);
    if (duration.verdict == engine::Verdict::Wrong)
        wrong << durationMessage;

    // The times are the student's now: the drawing shows them.
    reveal(true, criticalRevealed);
    updateScores();
    QString text
        = QStringLiteral("ถูก %1 จาก %2 ช่อง").arg(scheduleCheck->right).arg(scheduleCheck->total);
    if (!wrong.isEmpty())
        text += QStringLiteral("\n") + wrong.mid(0, 6).join(u'\n')
            + (wrong.size() > 6 ? QStringLiteral("\nและอีก %1 ช่อง").arg(wrong.size() - 6)
                                : QString());
    else if (scheduleCheck->right == scheduleCheck->total)
        text += QStringLiteral("\nถูกทุกช่อง ไปขั้นที่ 2 ได้");
    say(text);
}

void TrainerWindow::Private::hintSchedule()
{
    QStringList problems;
    const engine::Answers answers = collectAnswers(&problems);
    const engine::ScheduleCheck check = engine::checkSchedule(network(), answers);
    // The cell the student points at, else the first one not yet right.
    const engine::CellCheck *cell = nullptr;
    const QModelIndex current = scheduleGrid->currentIndex();
    if (projectDurationEdit->hasFocus())
        cell = &check.projectDuration;
    else if (current.isValid())
        cell = &check.cells[static_cast<std::size_t>(current.row() * kFields + current.column())];
    if (!cell || engine::countsRight(cell->verdict))
        for (const engine::CellCheck &candidate : check.cells)
            if (!engine::countsRight(candidate.verdict)) {
                cell = &candidate;
                break;
            }
    if (!cell || engine::countsRight(cell->verdict)) {
        if (!engine::countsRight(check.projectDuration.verdict)) {
            cell = &check.projectDuration;
        } else {
            say(QStringLiteral("ทุกช่องถูกแล้ว ไม่ต้องใช้คำใบ้"));
            return;
        }
    }
    if (cell->activity >= 0)
        scheduleGrid->setCurrentCell(cell->activity, static_cast<int>(cell->field));
    const QString item = QStringLiteral("cell:%1:%2").arg(cell->activity).arg(int(cell->field));
    const int level = nextHintLevel(ScheduleStage, item);
    say(hintAt(trainer::cellText(project(), check, *cell).hints, level));
}

// --- 2. The critical activities and paths ------------------------------------------------

void TrainerWindow::Private::checkCritical()
{
    criticalCheck = engine::checkCriticalPaths(network(), collectAnswers());
    {
        const QSignalBlocker blocker(criticalList);
        for (int row = 0; row < criticalList->count(); ++row) {
            const bool ticked = criticalList->item(row)->checkState() == Qt::Checked;
            const bool critical = analysis->schedule.isCritical(row);
            criticalList->item(row)->setBackground(ticked == critical ? QBrush(kRight)
                                                                      : QBrush(kWrong));
        }
    }
    reveal(timesRevealed, true);
    updateScores();
    QStringList lines {trainer::ticksText(project(), *criticalCheck).message};
    for (std::size_t k = 0; k < criticalCheck->paths.size(); ++k)
        lines << trainer::pathText(project(), *criticalCheck, k).message;
    if (!criticalCheck->missedPaths.empty())
        lines << trainer::missedPathsText(project(), *criticalCheck).message;
    lines.removeAll(QString());
    say(QStringLiteral("ถูก %1 จาก %2\n").arg(criticalCheck->right).arg(criticalCheck->total)
        + lines.join(u'\n'));
}

void TrainerWindow::Private::hintCritical()
{
    const engine::CriticalCheck check = engine::checkCriticalPaths(network(), collectAnswers());
    if (check.right == check.total && check.missedPaths.empty()) {
        say(QStringLiteral("ถูกหมดแล้ว ไม่ต้องใช้คำใบ้"));
        return;
    }
    // The first thing not yet right: the ticks, a path given, then the paths not given.
    QString item;
    trainer::ItemText text;
    if (check.ticks != engine::Verdict::Right) {
        item = QStringLiteral("ticks");
        text = trainer::ticksText(project(), check);
    } else {
        for (std::size_t k = 0; k < check.paths.size() && item.isEmpty(); ++k)
            if (!engine::countsRight(check.paths[k].verdict)) {
                item = QStringLiteral("path:%1").arg(k);
                text = trainer::pathText(project(), check, k);
            }
        if (item.isEmpty()) {
            item = QStringLiteral("missed");
            text = trainer::missedPathsText(project(), check);
        }
    }
    const int level = nextHintLevel(CriticalStage, item);
    say(hintAt(text.hints, level));
}

// --- 3. Crashing step by step ----------------------------------------------------------------

std::vector<engine::Duration> TrainerWindow::Private::currentDurations() const
{
    const auto normal = network().normalDurations();
    std::vector<engine::Duration> durations(normal.begin(), normal.end());
    for (const engine::StepAnswer &step : steps)
        for (const auto &[activity, units] : step.shorten)
            durations[static_cast<std::size_t>(activity)] -= units;
    return durations;
}

void TrainerWindow::Private::showCrashingState()
{
    if (!analysis)
        return;
    const std::vector<engine::Duration> durations = currentDurations();
    const engine::Project &p = project();
    const int n = static_cast<int>(p.activities.size());
    const bool wasLoading = loading;
    loading = true;
    stepTable->setRowCount(n);
    for (int row = 0; row < n; ++row) {
        const auto at = static_cast<std::size_t>(row);
        auto set = [&](int column, const QString &text, bool editable) {
            auto *item = new QTableWidgetItem(text);
            item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                    : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            stepTable->setItem(row, column, item);
        };
        set(0, project::textOf(p.activities[at].id), false);
        set(1, QString::number(durations[at]), false);
        set(2, QString::number(p.activities[at].crashDuration), false);
        set(3, project::textOf(engine::formatBaht(p.activities[at].crashCostPerUnit)), false);
        set(4, QString(), durations[at] > p.activities[at].crashDuration);
    }
    loading = wasLoading;
    stepCostEdit->clear();
    stepDurationEdit->clear();
    stepCheck.reset();
    applyStepButton->setEnabled(false);
    undoStepButton->setEnabled(!steps.empty());

    // The network follows the student's own state.
    networkView->showDurations(durations);
    const engine::Duration now = engine::computeSchedule(network(), durations).projectDuration;
    if (now <= targetBox->value()) {
        const engine::CrashingCheck crashing = engine::checkCrashing(network(), collectAnswers());
        totalsLabel->setText(trainer::totalsText(crashing));
    } else {
        totalsLabel->setText(QStringLiteral("ระยะเวลาโครงการตอนนี้ %1 %2 · เป้าหมาย %3 %2")
                                 .arg(now)
                                 .arg(project::thaiUnitWord(engine::TimeUnit::Day))
                                 .arg(targetBox->value()));
    }
}

void TrainerWindow::Private::checkStep()
{
    engine::StepAnswer step;
    QStringList problems;
    const engine::Project &p = project();
    for (int row = 0; row < stepTable->rowCount(); ++row) {
        const QTableWidgetItem *item = stepTable->item(row, 4);
        std::optional<engine::Duration> units;
        if (!item || !readWhole(item->text(), units)) {
            problems << QStringLiteral("เร่ง %1: '%2' ไม่ใช่จำนวนเต็ม")
                            .arg(project::textOf(p.activities[row].id),
                                 item ? item->text() : QString());
            continue;
        }
        if (units && *units != 0)
            step.shorten.emplace_back(row, *units);
    }
    if (!readBaht(stepCostEdit->text(), step.cost))
        problems << QStringLiteral("ค่าเร่งของขั้นนี้: '%1' ไม่ใช่จำนวนบาท (ทศนิยมไม่เกินสองตำแหน่ง)")
                        .arg(stepCostEdit->text().trimmed());
    if (!readWhole(stepDurationEdit->text(), step.duration))
        problems << QStringLiteral("ระยะเวลาโครงการหลังเร่ง: '%1' ไม่ใช่จำนวนเต็ม")
                        .arg(stepDurationEdit->text().trimmed());
    if (!problems.isEmpty()) {
        say(QStringLiteral("ตรวจไม่ได้: แก้ช่องเหล่านี้ก่อน\n") + problems.join(u'\n'));
        return;
    }
    stepCheck = engine::checkStep(network(), currentDurations(), targetBox->value(), step,
                                  static_cast<int>(steps.size()) + 1);
    applyStepButton->setEnabled(stepCheck->applicable);
    say(trainer::stepText(p, *stepCheck).message
        + (stepCheck->applicable && stepCheck->problem != engine::StepProblem::None
               ? QStringLiteral("\nถ้ายืนยันจะใช้ขั้นนี้ กด \"ใช้ขั้นนี้\" ได้ ขั้นต่อไปจะตรวจจากผลของขั้นนี้")
               : QString()));
}

void TrainerWindow::Private::hintStep()
{
    // Hints about the step as it stands in the editor (nothing chosen yet: how to choose).
    engine::StepAnswer step;
    for (int row = 0; row < stepTable->rowCount(); ++row) {
        std::optional<engine::Duration> units;
        if (const QTableWidgetItem *item = stepTable->item(row, 4);
            item && readWhole(item->text(), units) && units && *units > 0)
            step.shorten.emplace_back(row, *units);
    }
    readBaht(stepCostEdit->text(), step.cost);
    readWhole(stepDurationEdit->text(), step.duration);
    const engine::StepCheck check
        = engine::checkStep(network(), currentDurations(), targetBox->value(), step,
                            static_cast<int>(steps.size()) + 1);
    if (check.problem == engine::StepProblem::None) {
        say(QStringLiteral("ขั้นนี้ถูกแล้ว กด \"ตรวจคำตอบ\" แล้ว \"ใช้ขั้นนี้\""));
        return;
    }
    const QString item
        = QStringLiteral("step:%1:%2").arg(steps.size()).arg(static_cast<int>(check.problem));
    const int level = nextHintLevel(CrashingStage, item);
    say(hintAt(trainer::stepText(project(), check).hints, level));
}

void TrainerWindow::Private::applyStep()
{
    if (!stepCheck || !stepCheck->applicable)
        return;
    if (stepCheck->problem != engine::StepProblem::None) {
        const auto answer
            = platform::showMessage(q, platform::MessageType::Question, QStringLiteral("ฝึกทำเอง"),
                                    trainer::stepText(project(), *stepCheck).message
                                        + QStringLiteral("\n\nยังต้องการใช้ขั้นนี้หรือไม่"),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                                    {{QMessageBox::Yes, QStringLiteral("ใช้ขั้นนี้")},
                                     {QMessageBox::No, QStringLiteral("กลับไปแก้")}});
        if (answer != QMessageBox::Yes)
            return;
    }
    engine::StepAnswer step;
    for (int row = 0; row < stepTable->rowCount(); ++row) {
        std::optional<engine::Duration> units;
        if (const QTableWidgetItem *item = stepTable->item(row, 4);
            item && readWhole(item->text(), units) && units && *units != 0)
            step.shorten.emplace_back(row, *units);
    }
    readBaht(stepCostEdit->text(), step.cost);
    readWhole(stepDurationEdit->text(), step.duration);
    steps.push_back(step);
    const engine::CrashingCheck crashing = engine::checkCrashing(network(), collectAnswers());
    if (!crashing.steps.empty())
        stepLog->appendPlainText(stepSummary(project(), crashing.steps.back()));
    markModified();
    showCrashingState();
    updateScores();
    say(QStringLiteral("ใช้ขั้นที่ %1 แล้ว ").arg(steps.size()) + totalsLabel->text());
}

void TrainerWindow::Private::undoStep()
{
    if (steps.empty())
        return;
    steps.pop_back();
    QStringList lines = stepLog->toPlainText().split(u'\n');
    if (!lines.isEmpty())
        lines.removeLast();
    stepLog->setPlainText(lines.join(u'\n'));
    markModified();
    showCrashingState();
    updateScores();
    say(QStringLiteral("ย้อนกลับไปก่อนขั้นที่ %1 แล้ว").arg(steps.size() + 1));
}
