// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "project.h"

#include <QWidget>

#include <optional>
#include <vector>

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

signals:
    // After every step and every reset: the window redraws the network and the CPM table.
    void durationsChanged(const std::vector<engine::Duration> &durations);
    // The target was changed by the student (the document keeps it with the file).
    void targetEdited(engine::Duration target);
};

} // namespace project
