// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "activitytable.h"
#include "pathanalysis.h"
#include "practicerule.h"
#include "setdefinition.h"

#include <QWidget>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace platform {
class AutoSizeLabel;
class PaintBox;
} // namespace platform

// What a crashing run keeps between clicks; zero until the first run.
using CrashingState = engine::practice::RunState;

// The practice-set window. One class serves all five sets; a set differs only in the
// data of its SetDefinition. Operations keep the names the course material uses.
class ExerciseWindow : public QWidget {
    Q_OBJECT
public:
    // Only the window itself is made here; its controls are built the first time it turns
    // visible or one of the operations below runs, which keeps the program's start quick.
    explicit ExerciseWindow(const SetDefinition &set, QWidget *parent = nullptr);

    const SetDefinition &set() const { return m_set; }
    const ActivityTable &activityTable() const { return m_table; }
    ActivityTable &activityTable() { return m_table; }
    const AnalysisState &analysis() const { return m_analysis; }
    const CrashingState &crashing() const { return m_crashing; }
    int activityCount() const { return static_cast<int>(m_set.practice.rows.size()); }

    // Show handler: runs each time the window turns from hidden to visible.
    void FormShow();
    // Back to the set's built-in data; resets the grid, logs and totals shown.
    void ResetExercise();
    // Shows the working rows in the grid.
    void FillActivityGrid();

    // Path lengths, project duration, critical path and the shortest reachable duration
    // of the working rows; shows the duration in Edit29 and the bound in Label53.
    void AnalysePaths();
    // The network with the current durations, over an erased picture.
    void DrawNetwork();
    // Path CriticalPath in red over the picture.
    void HighlightCriticalPath();
    // Any path of the set in red over the picture (1-based; others draw nothing).
    void highlightPath(int pathNumber);

    // Button handlers: open the edit panel, cancel, save, start crashing, build, start over.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    // The crashing loop, started by BitBtn4Click with the crashing state set.
    void RunCrashing();

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // One iteration's logs, drawing, cut, grid, analysis, total and message box around the
    // practice rule's loop.
    class CrashingIteration;

    // Builds the controls once; every public operation calls it first.
    void ensureControls();
    void buildLeftPanel();
    void buildRightPanel();
    void buildEditPanel();
    void connectHandlers();
    QColor windowColor() const;
    void closeEditPanel();
    // Empties both logs and shows 0 as target, project duration and cost total.
    void clearLogsAndTotals();
    // Cancel and start over: the built-in data, drawn and analysed.
    void restoreBuiltInData();
    void appendPathLines(bool closing);

    const SetDefinition &m_set;
    ActivityTable m_table;
    AnalysisState m_analysis;
    CrashingState m_crashing;

    QFrame *m_panel1 = nullptr;
    QFrame *m_panel2 = nullptr;
    QFrame *m_panel3 = nullptr;
    platform::PaintBox *m_paintBox = nullptr;
    QTableWidget *m_grid = nullptr;
    QPushButton *m_bitBtn1 = nullptr;
    QPushButton *m_bitBtn2 = nullptr;
    QPushButton *m_bitBtn3 = nullptr;
    QPushButton *m_bitBtn4 = nullptr;
    QPushButton *m_bitBtn5 = nullptr;
    QPushButton *m_bitBtn6 = nullptr;
    QLineEdit *m_edit28 = nullptr;
    QLineEdit *m_edit29 = nullptr;
    QListWidget *m_listBox1 = nullptr;
    QListWidget *m_listBox2 = nullptr;
    platform::AutoSizeLabel *m_label51 = nullptr;
    platform::AutoSizeLabel *m_label53 = nullptr;
    // Edit boxes of the edit panel per activity: normal duration, crash duration, cost.
    std::vector<std::array<QLineEdit *, 3>> m_rowEdits;
};
