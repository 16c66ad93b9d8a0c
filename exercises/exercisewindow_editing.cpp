// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Analysis, drawing and the editing buttons of an exercise window.

#include "exercisewindow.h"

#include "canvas.h"
#include "controls.h"
#include "networkdrawing.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

void ExerciseWindow::AnalysePaths()
{
    ensureControls();
    analysePaths(m_table, m_set.practice.routes, m_analysis);
    m_edit29->setText(QString::number(m_analysis.projectDuration));
    m_label53->setCaption(minimumDurationCaption(m_analysis.minimumDuration));
}

void ExerciseWindow::DrawNetwork()
{
    ensureControls();
    m_paintBox->erase();
    const QPalette palette = QApplication::palette();
    drawNetwork(m_paintBox->canvas(), m_set.network, m_table,
                NetworkColors {palette.color(QPalette::Base), palette.color(QPalette::WindowText)});
    m_paintBox->refresh();
}

void ExerciseWindow::HighlightCriticalPath()
{
    ensureControls();
    highlightPath(m_analysis.criticalPath);
}

void ExerciseWindow::highlightPath(int pathNumber)
{
    ensureControls();
    ::highlightPath(m_paintBox->canvas(), m_set.network, pathNumber);
    m_paintBox->refresh();
}

void ExerciseWindow::BitBtn1Click()
{
    ensureControls();
    for (int k = 1; k <= activityCount(); ++k) {
        const ActivityRow &row = m_table.working(k);
        const auto &edits = m_rowEdits[static_cast<std::size_t>(k - 1)];
        edits[0]->setText(row.normalDuration);
        edits[1]->setText(row.crashDuration);
        edits[2]->setText(row.crashCostPerDay);
    }
    m_panel3->show();
    m_bitBtn1->setEnabled(false);
    m_bitBtn2->setEnabled(true);
    m_bitBtn3->setEnabled(true);
}

void ExerciseWindow::closeEditPanel()
{
    m_panel3->hide();
    m_bitBtn1->setEnabled(true);
    m_bitBtn2->setEnabled(false);
    m_bitBtn3->setEnabled(false);
}

void ExerciseWindow::restoreBuiltInData()
{
    closeEditPanel();
    ResetExercise();
    DrawNetwork();
    AnalysePaths();
}

void ExerciseWindow::BitBtn2Click()
{
    ensureControls();
    restoreBuiltInData();
}

void ExerciseWindow::BitBtn3Click()
{
    ensureControls();
    clearLogsAndTotals();
    closeEditPanel();
    m_bitBtn5->setVisible(true);
    for (int k = 1; k <= activityCount(); ++k) {
        ActivityRow &row = m_table.working(k);
        const auto &edits = m_rowEdits[static_cast<std::size_t>(k - 1)];
        row.normalDuration = edits[0]->text();
        row.crashDuration = edits[1]->text();
        row.crashCostPerDay = edits[2]->text();
    }
    FillActivityGrid();
    // The saved data has not been drawn: the picture goes until the network is built.
    m_paintBox->erase();
}

void ExerciseWindow::BitBtn5Click()
{
    ensureControls();
    m_bitBtn5->setVisible(false);
    DrawNetwork();
    AnalysePaths();
}

void ExerciseWindow::BitBtn6Click()
{
    ensureControls();
    restoreBuiltInData();
}
