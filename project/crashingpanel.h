// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "greedy.h"
#include "leastcost.h"
#include "projectanalysis.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableView;

namespace project {

class BackgroundJob;
class DurationSpinBox;
class LeastCostTableModel;

// Crashing one's own project to a target duration, two ways side by side: the textbook's
// greedy rule step by step (engine::GreedyCrashing), logged in the practice sets' style
// (each step: the critical activities, what is cut by how much at what cost, the running
// total), and the exact least cost (engine::leastCost) with its durations. Below them the
// greedy total, the least total and the difference in Baht and percent. A target outside
// [shortest reachable, normal duration] is refused with a message in Thai.
//
// The run to the target and the least cost of a large project are computed off the window's
// thread (see BackgroundJob); a run that is cancelled keeps the steps it made.
//
// The greedy rule is the textbook's for finish-to-start links without lag: on a network with
// other links (!plainLinks()) the step buttons are off, the log says why
// (greedyUnavailableText) and the exact least cost is the answer.
//
// Controls (objectName): targetSpinBox, stepButton ("one step"), runButton (to the target),
// resetButton (back to normal durations), targetMessage, greedyLog, leastCostTable,
// greedyTotalLabel, leastTotalLabel, differenceLabel.
// Why the step-by-step greedy is not offered for a project with links other than plain.
QString greedyUnavailableText();

class CrashingPanel : public QWidget {
    Q_OBJECT
public:
    explicit CrashingPanel(QWidget *parent = nullptr);

    // A sound analysis to crash. Resets the run to normal durations; the target is `target`
    // when given and in range, else the one set before when it is still in range, else the
    // shortest reachable duration.
    void setProject(AnalysisSnapshot analysis,
                    std::optional<engine::Duration> target = std::nullopt);
    // No project to crash (a table with problems): everything disabled, the message shown.
    void clearProject(const QString &message);

    // Lazy: the least cost is solved only while the panel is shown, or when ensureLeastCost()
    // asks for it (the window sets this, so that a tab nobody looks at costs nothing).
    // Otherwise it is solved whenever the project or the target changes.
    void setLazy(bool lazy);
    // Solves the least cost for the target now if it is out of date (in the background for a
    // large project; leastCostReady() follows).
    void ensureLeastCost();

    std::optional<engine::Duration> target() const;
    // The target as the program sets it (the document's, undo): not announced as edited.
    void setTarget(engine::Duration target);

    // One greedy step towards the target; false when there is none (target reached, out of
    // range, no project, or a run to the target under way).
    bool step();
    // Steps until the target is reached (in the background for a large project).
    void runToTarget();
    // Back to the normal durations, log cleared.
    void reset();
    // A run to the target or a least cost is being computed.
    bool isBusy() const;
    // The greedy rule applies: a project is shown and every link of it is plain.
    bool greedyAvailable() const;

    // The durations of the greedy run so far (normal durations before the first step).
    const std::vector<engine::Duration> &currentDurations() const;
    // Extra cost of the greedy run so far, and the least extra cost for the target (nothing
    // while the target is out of range or the least cost is not solved yet).
    engine::Satang greedyTotal() const;
    std::optional<engine::Satang> leastTotal() const;
    // The log as shown, for the report.
    QString logText() const;
    // The least cost for the target with its durations, once solved (none before, or for a
    // target out of range).
    const std::optional<engine::LeastCost> &leastCost() const { return m_leastCost; }
    // The least-cost durations as text lines ("A  5 -> 3"), for the report.
    QString leastCostText() const;

    // The project's time unit as a word (days unless set), in the log and labels.
    void setUnitWord(const QString &word);
    const QString &unitWord() const { return m_unitWord; }

    BackgroundJob *runJob() const { return m_runJob; }
    BackgroundJob *leastCostJob() const { return m_leastCostJob; }

signals:
    // After every step, run and reset: the window redraws the network and the CPM table.
    void durationsChanged(const std::vector<engine::Duration> &durations);
    // The target was changed by the student (the document keeps it with the file).
    void targetEdited(engine::Duration target);
    // The least cost for the target was solved (or found out of range).
    void leastCostReady();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // What a run to the target hands back: the greedy state after it.
    struct RunResult {
        engine::GreedyCrashing greedy;
        bool finishedLogged = false;
    };
    // The log lines of a run in the background as it makes them, taken over at every tick of
    // its job so that the log grows while the run goes on.
    struct RunFeed;

    bool hasProject() const { return m_analysis != nullptr; }
    bool targetInRange() const;
    // Restarts the greedy run at the normal durations for the current target and marks the
    // least cost out of date; updates every control. Emits durationsChanged when `announce`.
    void restart(bool announce);
    void showLeastCost(std::optional<engine::LeastCost> answer);
    void updateLabels();
    void updateEnabled();
    void appendLog(const QStringList &lines);
    // Takes over the lines the running run has made since the last time.
    void drainRunFeed();
    void onSpinBoxEdited(engine::Duration value);
    // One greedy step of `greedy` with its log lines (and the closing line when it ends the
    // run); nothing when there is none. Touches no widget, so a run in the background uses it.
    static std::optional<QStringList> stepWithLog(const ProjectAnalysis &analysis,
                                                  engine::GreedyCrashing &greedy,
                                                  bool &finishedLogged, const QString &unitWord);

    AnalysisSnapshot m_analysis;
    std::optional<engine::GreedyCrashing> m_greedy;
    std::optional<engine::LeastCost> m_leastCost;
    bool m_leastCostStale = true;
    bool m_lazy = false;
    std::vector<engine::Duration> m_durations;
    std::optional<engine::Duration> m_target;
    engine::Duration m_normalDuration = 0;
    engine::Duration m_shortestDuration = 0;
    bool m_finishedLogged = false;
    QString m_unitWord;
    QStringList m_log;

    DurationSpinBox *m_targetSpinBox;
    QLabel *m_unitLabel;
    QPushButton *m_stepButton;
    QPushButton *m_runButton;
    QPushButton *m_resetButton;
    QLabel *m_targetMessage;
    QPlainTextEdit *m_greedyLog;
    QTableView *m_leastCostTable;
    LeastCostTableModel *m_leastCostModel;
    QLabel *m_leastCostStatus;
    QLabel *m_greedyTotalLabel;
    QLabel *m_leastTotalLabel;
    QLabel *m_differenceLabel;
    QSplitter *m_splitter;
    BackgroundJob *m_runJob;
    std::shared_ptr<RunFeed> m_runFeed;
    BackgroundJob *m_leastCostJob;
};

} // namespace project
