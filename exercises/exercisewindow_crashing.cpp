// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The crashing procedure of an exercise window: the practice rule's loop, shown.

#include "exercisewindow.h"

#include "controls.h"
#include "crashlog.h"
#include "messagebox.h"
#include "tablecells.h"
#include "wholenumber.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLocale>

class ExerciseWindow::CrashingIteration : public engine::practice::Iteration {
public:
    explicit CrashingIteration(ExerciseWindow &window) : m_window(window) { }

    // The logs and the picture show the state before this iteration's cut.
    void begin(const engine::practice::RunState &run) override
    {
        m_window.m_listBox1->addItem(iterationHeader(run.checkRound));
        m_window.appendPathLines(false);
        m_window.DrawNetwork();
        m_window.HighlightCriticalPath();
        m_window.m_listBox2->addItem(iterationHeader(run.checkRound));
    }

    void shorten(int activity, std::int32_t days) override
    {
        shortenActivity(m_window.m_table, activity, days);
    }

    void reanalyse() override
    {
        m_window.FillActivityGrid();
        m_window.AnalysePaths();
    }

    void end(const engine::practice::RunState &run, const engine::practice::Selection &selection,
             std::int64_t cost) override
    {
        m_window.m_label51->setCaption(formatTotalCost(run.totalCrashCost, QLocale()));
        m_window.m_listBox2->addItem(selectionLine(
            static_cast<char>('A' + selection.activity), selection.cost, selection.cutDays,
            QString::fromUtf8(m_window.m_set.practice.unitPiece), cost));
        platform::showMessage(&m_window, platform::MessageType::Information,
                              run.remainingReduction > 0 ? remainingMessage(run.remainingReduction)
                                                         : finishedMessage());
    }

private:
    ExerciseWindow &m_window;
};

void ExerciseWindow::BitBtn4Click()
{
    ensureControls();
    const std::int32_t target = platform::toWholeNumber(m_edit28->text());
    m_crashing.targetDuration = target;
    // Check the target against the data the student sees now, not against an analysis
    // made before a save or before the window was last closed.
    AnalysePaths();
    if (!engine::practice::targetInRange(target, m_analysis)) {
        platform::showMessage(this, platform::MessageType::Error, targetOutOfRangeMessage(),
                              QMessageBox::Yes);
        m_edit28->setFocus();
        return;
    }
    engine::practice::startRun(m_crashing, target, m_analysis);
    RunCrashing();
}

void ExerciseWindow::appendPathLines(bool closing)
{
    for (std::size_t i = 0; i < m_set.practice.paths.size(); ++i) {
        const QString label = pathLabel(static_cast<int>(i + 1), m_set.practice.paths[i]);
        m_listBox1->addItem(
            closing ? closingPathLine(label, m_analysis.pathLength[i])
                    : pathLogLine(label, m_analysis.pathLength[i], pathMarker(m_analysis, i)));
    }
}

void ExerciseWindow::RunCrashing()
{
    ensureControls();
    CrashingIteration iteration(*this);
    const engine::practice::RunEnd end = engine::practice::runCrashing(
        m_crashing, m_set.practice.routes, m_analysis, TableCells(m_table), iteration);
    m_listBox1->addItem(closingLine());
    appendPathLines(true);
    // Nothing on the critical path can be shortened: another iteration would meet the same
    // state again, so the run ends and says why.
    if (end == engine::practice::RunEnd::CannotShorten)
        platform::showMessage(this, platform::MessageType::Information, cannotShortenMessage());
}
