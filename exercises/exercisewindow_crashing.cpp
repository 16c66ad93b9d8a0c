// The crashing procedure of an exercise window.

#include "exercisewindow.h"

#include "controls.h"
#include "crashlog.h"
#include "crashselection.h"
#include "messagebox.h"
#include "wholenumber.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLocale>

#include <limits>

namespace {

// Project duration less target, held inside 32 bits; edited data can put the two
// numbers further apart than a 32-bit difference allows.
std::int32_t remainingReduction(std::int32_t projectDuration, std::int32_t target)
{
    const std::int64_t difference = std::int64_t {projectDuration} - target;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(difference, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void ExerciseWindow::BitBtn4Click()
{
    ensureControls();
    m_crashing.targetDuration = toWholeNumber(m_edit28->text());
    // Check the target against the data the student sees now, not against an analysis
    // made before a save or before the window was last closed.
    AnalysePaths();
    if (m_crashing.targetDuration > m_analysis.projectDuration
        || m_crashing.targetDuration < m_analysis.minimumDuration) {
        platform::showMessage(this, platform::MessageType::Error, targetOutOfRangeMessage(),
                              QMessageBox::Yes);
        m_edit28->setFocus();
        return;
    }
    m_crashing.checkRound = 1;
    m_crashing.remainingReduction
        = remainingReduction(m_analysis.projectDuration, m_crashing.targetDuration);
    m_crashing.totalCrashCost = 0.0;
    RunCrashing();
}

void ExerciseWindow::appendPathLines(bool closing)
{
    for (std::size_t i = 0; i < m_set.paths.size(); ++i) {
        const QString label = pathLabel(static_cast<int>(i + 1), m_set.paths[i]);
        m_listBox1->addItem(
            closing ? closingPathLine(label, m_analysis.pathLength[i])
                    : pathLogLine(label, m_analysis.pathLength[i], m_analysis.pathMarker[i]));
    }
}

void ExerciseWindow::RunCrashing()
{
    ensureControls();
    bool stuck = false;
    while (m_crashing.remainingReduction > 0) {
        m_listBox1->addItem(iterationHeader(m_crashing.checkRound));
        appendPathLines(false);
        DrawNetwork();
        HighlightCriticalPath();
        m_listBox2->addItem(iterationHeader(m_crashing.checkRound));

        const std::size_t critical = static_cast<std::size_t>(m_analysis.criticalPath - 1);
        CrashSelection selection = selectActivity(m_table, m_set.paths.at(critical).activities);
        if (!selection.isMade()) {
            // Nothing on the critical path can be shortened: another iteration would
            // meet the same state again.
            stuck = true;
            break;
        }
        selection.cutDays = limitCut(selection.cutDays, m_crashing.remainingReduction);
        ActivityRow &row = m_table.working(activityNumber(selection.activity));
        row.normalDuration = QString::number(toWholeNumber(row.normalDuration) - selection.cutDays);

        FillActivityGrid();
        AnalysePaths();
        m_crashing.remainingReduction
            = remainingReduction(m_analysis.projectDuration, m_crashing.targetDuration);

        const std::int64_t cost = iterationCost(selection.cost, selection.cutDays);
        m_crashing.totalCrashCost += static_cast<double>(cost);
        m_label51->setCaption(formatTotalCost(m_crashing.totalCrashCost, QLocale::system()));
        m_listBox2->addItem(selectionLine(selection.activity, selection.cost, selection.cutDays,
                                          QString::fromUtf8(m_set.unitPiece), cost));
        platform::showMessage(this, platform::MessageType::Information,
                              m_crashing.remainingReduction > 0
                                  ? remainingMessage(m_crashing.remainingReduction)
                                  : finishedMessage());
        ++m_crashing.checkRound;
    }
    m_listBox1->addItem(closingLine());
    appendPathLines(true);
    if (stuck)
        platform::showMessage(this, platform::MessageType::Information, cannotShortenMessage());
}
