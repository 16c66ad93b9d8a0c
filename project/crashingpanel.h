// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "greedy.h"
#include "leastcost.h"
#include "network.h"
#include "project.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace project {

// Crashing one's own project to a target duration, two ways side by side: the textbook's
// greedy rule step by step (engine::GreedyCrashing), logged in the practice sets' style
// (each step: the critical activities, what is cut by how much at what cost, the running
// total), and the exact least cost (engine::leastCost) with its durations. Below them the
// greedy total, the least total and the difference in Baht and percent. A target outside
// [shortest reachable, normal duration] is refused with a message in Thai.
//
// Controls (objectName): targetSpinBox, stepButton ("one step"), runButton (to the target),
// resetButton (back to normal durations), targetMessage, greedyLog, leastCostTable,
// greedyTotalLabel, leastTotalLabel, differenceLabel.
class CrashingPanel : public QWidget {
    Q_OBJECT
public:
    explicit CrashingPanel(QWidget *parent = nullptr);

    // A sound project and its network (both outlive the panel's use of them, until the next
    // setProject or clearProject). Resets the run to normal durations; keeps the target
    // when it is still in range, else proposes the shortest reachable duration.
    void setProject(const engine::Project *project, const engine::Network *network);
    // No project to crash (a table with problems): everything disabled, the message shown.
    void clearProject(const QString &message);

    std::optional<engine::Duration> target() const;
    void setTarget(engine::Duration target);

    // One greedy step towards the target; false when there is none (target reached, out of
    // range, or no project).
    bool step();
    // Steps until the target is reached.
    void runToTarget();
    // Back to the normal durations, log cleared.
    void reset();

    // The durations of the greedy run so far (normal durations before the first step).
    const std::vector<engine::Duration> &currentDurations() const;
    // Extra cost of the greedy run so far, and the least extra cost for the target (nothing
    // while the target is out of range).
    engine::Satang greedyTotal() const;
    std::optional<engine::Satang> leastTotal() const;
    // The log as shown, for the report.
    QString logText() const;
    // The least-cost durations as text lines ("A  5 -> 3"), for the report.
    QString leastCostText() const;

    // The project's time unit as a word ("วัน" unless set), used in the log and the labels.
    void setUnitWord(const QString &word);

signals:
    // After every step and every reset: the window redraws the network and the CPM table.
    void durationsChanged(const std::vector<engine::Duration> &durations);
    // The target was changed by the student (the document keeps it with the file).
    void targetEdited(engine::Duration target);

private:
    bool hasProject() const { return m_project != nullptr && m_network != nullptr; }
    bool targetInRange() const;
    // Restarts the greedy run at the normal durations for the current target and solves the
    // least cost; updates every control. Emits durationsChanged when `announce`.
    void restart(bool announce);
    void fillLeastCostTable();
    void updateLabels();
    void updateEnabled();
    // One greedy step into the log and the durations, without redrawing or signalling.
    bool stepOnce();
    void appendLog(const QStringList &lines);
    void onSpinBoxEdited(int value);

    const engine::Project *m_project = nullptr;
    const engine::Network *m_network = nullptr;
    std::optional<engine::GreedyCrashing> m_greedy;
    std::optional<engine::LeastCost> m_leastCost;
    std::vector<engine::Duration> m_durations;
    std::optional<engine::Duration> m_target;
    engine::Duration m_normalDuration = 0;
    engine::Duration m_shortestDuration = 0;
    bool m_finishedLogged = false;
    QString m_unitWord;
    QStringList m_log;

    QSpinBox *m_targetSpinBox;
    QLabel *m_unitLabel;
    QPushButton *m_stepButton;
    QPushButton *m_runButton;
    QPushButton *m_resetButton;
    QLabel *m_targetMessage;
    QPlainTextEdit *m_greedyLog;
    QTableWidget *m_leastCostTable;
    QLabel *m_greedyTotalLabel;
    QLabel *m_leastTotalLabel;
    QLabel *m_differenceLabel;
};

} // namespace project
