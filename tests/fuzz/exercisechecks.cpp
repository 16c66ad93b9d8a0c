// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The invariants the exercise driver checks: the boxes, the outcome of build and crash
// clicks, and the state every window must be in after any action.

#include "exercisedriver.h"

#include <QLabel>

namespace fuzz {
namespace {

std::string nameOf(const QWidget *window)
{
    return window->objectName().toStdString();
}

std::string rowChange(std::size_t k, const ActivityRow &was, const ActivityRow &is)
{
    return "row " + std::to_string(k + 1) + " was " + printable(was.normalDuration) + " "
        + printable(was.crashDuration) + " " + printable(was.crashCostPerDay) + ", is "
        + printable(is.normalDuration) + " " + printable(is.crashDuration) + " "
        + printable(is.crashCostPerDay);
}

bool rowsEqual(const Rows &a, const Rows &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameRow);
}

} // namespace

QMessageBox::StandardButton ExerciseDriver::answer(const platform::MessageRecord &record)
{
    if (m_current < 0)
        fail("a box outside any action");
    ExerciseWindow *window = m_windows[m_current];
    const Box box = classify(record, window->set());
    const std::optional<Box> previous
        = m_boxes.empty() ? std::nullopt : std::optional<Box>(m_boxes.back());
    m_boxes.push_back(box);
    ++m_figures.boxes;
    if (box.kind == BoxKind::Foreign)
        fail("a box that is not the program's own: caption " + printable(record.caption) + ", text "
             + printable(record.text));
    if (m_boxes.size() > 100)
        fail("more than 100 boxes in one action: the crashing run does not end");
    m_figures.conversionBoxes += box.kind == BoxKind::ConversionError;
    m_figures.overflowBoxes += box.kind == BoxKind::PathSumOverflow;

    const bool runBox = box.kind == BoxKind::Remaining || box.kind == BoxKind::Finished
        || box.kind == BoxKind::CannotShorten;
    if (runBox && !m_runTarget)
        fail("a crashing box without a crashing run");
    if (box.kind == BoxKind::Remaining || box.kind == BoxKind::Finished) {
        ++m_figures.iterations;
        // The box closes an iteration: the rows now hold its cut.
        const auto longest = referenceLongestRoute(workingRows(*window), Column::Normal);
        if (!longest)
            fail("an iteration ended with durations that do not convert");
        const std::int64_t left = clampTo32(*longest - *m_runTarget);
        if (box.kind == BoxKind::Finished && left != 0)
            fail("the run says it has finished while " + std::to_string(left) + " are left");
        if (box.kind == BoxKind::Remaining && box.remaining != left)
            fail("the box says " + std::to_string(box.remaining) + " are left, the network "
                 + std::to_string(left));
        if (box.kind == BoxKind::Remaining && previous && previous->kind == BoxKind::Remaining
            && box.remaining > previous->remaining)
            fail("the days left grew from one iteration to the next");
    }
    return record.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
}

// A conversion error must quote a text that really fails, taken from the cells the
// failing step reads (durations, costs) or from the target field.
void ExerciseDriver::checkConversionQuote(const Box &box, const Rows &rows, bool durations,
                                          bool costs, const QString &targetText)
{
    if (referenceWholeNumber(box.quoted))
        fail("the conversion error quotes a valid number " + printable(box.quoted));
    bool found = !durations && !costs && box.quoted == targetText;
    for (const ActivityRow &row : rows) {
        found = found
            || (durations && (row.normalDuration == box.quoted || row.crashDuration == box.quoted))
            || (costs && row.crashCostPerDay == box.quoted);
    }
    if (!found)
        fail("the conversion error quotes " + printable(box.quoted)
             + ", a text the step does not read");
}

// An overflow box must name a path whose durations all convert and add up beyond 32 bits.
void ExerciseDriver::checkOverflow(const Box &box, const Rows &rows, const SetDefinition &set)
{
    const PathDefinition &path = set.practice.paths[static_cast<std::size_t>(box.overflowPath - 1)];
    std::int64_t sum = 0;
    for (const char letter : path.activities) {
        const auto value
            = duration(rows[static_cast<std::size_t>(letter - 'A')], box.overflowColumn);
        if (!value)
            fail("an overflow reported for a path with a duration that does not convert");
        sum += *value;
    }
    if (sum >= INT32_MIN && sum <= INT32_MAX)
        fail("an overflow reported for path " + std::to_string(box.overflowPath) + " whose sum "
             + std::to_string(sum) + " fits");
}

// Build, cancel and start over analyse the rows: a box exactly when a duration does not
// convert or a path's sum leaves 32 bits, else the numbers of the longest routes.
void ExerciseDriver::checkBuild(int index, const Rows &rows)
{
    ExerciseWindow *window = m_windows[index];
    const auto longest = referenceLongestRoute(rows, Column::Normal);
    const auto shortest = referenceLongestRoute(rows, Column::Crash);
    const bool valid = longest && shortest && pathSumsFit(rows, window->set());
    if (valid) {
        const AnalysisState &analysis = window->analysis();
        const QString bound = window->findChild<QLabel *>(QStringLiteral("Label53"))->text();
        if (!m_boxes.empty())
            fail("analysing valid durations showed a box");
        if (analysis.projectDuration != *longest || analysis.minimumDuration != *shortest
            || guitest::child<QLineEdit>(window, "Edit29")->text() != QString::number(*longest)
            || bound != QStringLiteral("ควร >= ") + QString::number(*shortest))
            fail("the analysis found " + std::to_string(analysis.projectDuration) + " and "
                 + std::to_string(analysis.minimumDuration) + ", the longest routes are "
                 + std::to_string(*longest) + " and " + std::to_string(*shortest));
        return;
    }
    if (m_boxes.size() != 1)
        fail("analysing bad durations showed " + std::to_string(m_boxes.size()) + " boxes");
    const Box &box = m_boxes.front();
    if (box.kind == BoxKind::ConversionError) {
        checkConversionQuote(box, rows, true, false, {});
    } else if (box.kind == BoxKind::PathSumOverflow) {
        checkOverflow(box, rows, window->set());
    } else {
        fail("analysing bad durations showed a box of the wrong kind");
    }
}

void ExerciseDriver::checkCrashRun(int index, const Rows &before, const QString &targetText)
{
    ExerciseWindow *window = m_windows[index];
    const Rows after = workingRows(*window);
    m_expected[index] = after; // checked below against the rows before the click
    const auto target = referenceWholeNumber(targetText);
    const auto longest = referenceLongestRoute(before, Column::Normal);
    const auto shortest = referenceLongestRoute(before, Column::Crash);
    const bool valid = longest && shortest && pathSumsFit(before, window->set());

    if (!target || !valid || *target > *longest || *target < *shortest) {
        if (!rowsEqual(before, after))
            fail("a crashing click that cannot start a run changed the rows");
        if (!target) {
            if (m_boxes.size() != 1 || m_boxes[0].kind != BoxKind::ConversionError)
                fail("a bad target did not give exactly one conversion error");
            checkConversionQuote(m_boxes[0], before, false, false, targetText);
        } else if (!valid) {
            checkBuild(index, before);
        } else {
            if (m_boxes.size() != 1 || m_boxes[0].kind != BoxKind::OutOfRange)
                fail("a target outside " + std::to_string(*shortest) + ".."
                     + std::to_string(*longest) + " did not give the out-of-range box");
            ++m_figures.targetsRejected;
        }
        return;
    }

    ++m_figures.runsStarted;
    for (std::size_t k = 0; k < before.size(); ++k) {
        const ActivityRow &was = before[k];
        const ActivityRow &is = after[k];
        if (was.normalDuration == is.normalDuration) {
            if (!sameRow(was, is))
                fail("crashing changed a cell other than a normal duration: "
                     + rowChange(k, was, is));
            continue;
        }
        const auto old = referenceWholeNumber(was.normalDuration);
        const auto cut = referenceWholeNumber(is.normalDuration);
        const auto floor = referenceWholeNumber(is.crashDuration);
        if (was.activity != is.activity || was.predecessor != is.predecessor
            || was.crashDuration != is.crashDuration || was.crashCostPerDay != is.crashCostPerDay
            || !old || !cut || !floor || is.normalDuration != QString::number(*cut) || *cut >= *old
            || *cut < *floor)
            fail("crashing cut a duration wrongly: " + rowChange(k, was, is));
    }

    for (std::size_t i = 0; i + 1 < m_boxes.size(); ++i) {
        if (m_boxes[i].kind != BoxKind::Remaining)
            fail("a run went on after a box that ends it");
    }
    const BoxKind last = m_boxes.empty() ? BoxKind::Finished : m_boxes.back().kind;
    if (m_boxes.empty() && !rowsEqual(before, after))
        fail("a run without iterations changed the rows");
    switch (last) {
    case BoxKind::Finished:
        ++m_figures.runsFinished;
        checkFinishedRun(index, *target);
        break;
    case BoxKind::CannotShorten: {
        ++m_figures.runsStuck;
        const auto now = referenceLongestRoute(after, Column::Normal);
        if (!now || *now <= *target)
            fail("the run gave up although the project is at its target");
        break;
    }
    case BoxKind::ConversionError:
        ++m_figures.runsStoppedByError;
        checkConversionQuote(m_boxes.back(), after, false, true, {});
        break;
    case BoxKind::PathSumOverflow:
        // A cut can take a path below the 32-bit range when an activity on it already
        // lies below its crash duration.
        ++m_figures.runsStoppedByError;
        checkOverflow(m_boxes.back(), after, window->set());
        break;
    default:
        fail("a run ended with a box that does not end a run");
    }
}

// After a finished run the real network is as long as the target, the field shows it,
// and the log ends with the closing line and one closing line per path.
void ExerciseDriver::checkFinishedRun(int index, std::int32_t target)
{
    ExerciseWindow *window = m_windows[index];
    const auto longest = referenceLongestRoute(workingRows(*window), Column::Normal);
    if (!longest || *longest != target)
        fail("a finished run left the longest route at "
             + (longest ? std::to_string(*longest) : std::string("(bad data)")) + ", target "
             + std::to_string(target));
    if (guitest::child<QLineEdit>(window, "Edit29")->text() != QString::number(target))
        fail("a finished run shows a project duration other than the target");
    const QStringList log = guitest::lines(window, "ListBox1");
    const auto paths = static_cast<qsizetype>(window->set().practice.paths.size());
    if (log.size() < paths + 1 || log[log.size() - paths - 1] != u"สิ้นสุดการเร่งโครงการ...."_qs)
        fail("a finished run did not write its closing lines");
    std::int64_t closingLongest = INT64_MIN;
    for (qsizetype i = log.size() - paths; i < log.size(); ++i)
        closingLongest
            = std::max<std::int64_t>(closingLongest, log[i].section(u" = "_qs, -1).toLongLong());
    if (closingLongest != target)
        fail("the closing lines of a finished run give " + std::to_string(closingLongest));
}

void ExerciseDriver::checkEveryWindow()
{
    for (int i = 0; i < 5; ++i) {
        ExerciseWindow *window = m_windows[i];
        const Rows rows = workingRows(*window);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (!sameRow(rows[k], m_expected[i][k]))
                fail("the working rows of " + nameOf(window)
                     + " changed without cause: " + rowChange(k, m_expected[i][k], rows[k]));
        }
        const Rows builtIn = builtInRows(window->set());
        for (int k = 1; k <= window->activityCount(); ++k) {
            const ActivityRow &pristine = window->activityTable().row(k);
            if (!sameRow(pristine, builtIn[static_cast<std::size_t>(k - 1)])
                && !sameRow(pristine, ActivityRow {}))
                fail("a pristine row of " + nameOf(window) + " holds other than built-in data");
        }
        if (!m_shownOnce[i])
            continue;

        const bool open = !window->findChild<QWidget *>(QStringLiteral("Panel3"))->isHidden();
        const auto enabled = [window](const char *name) {
            return guitest::child<QPushButton>(window, name)->isEnabled();
        };
        if (enabled("BitBtn1") == open || enabled("BitBtn2") != open || enabled("BitBtn3") != open)
            fail("the edit buttons of " + nameOf(window) + " do not match the panel being "
                 + (open ? "open" : "closed"));

        const auto *grid = guitest::child<QTableWidget>(window, "StringGrid1");
        const QString prefix = window->set().gridCellPrefix ? QString(7, u' ') : QString();
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const ActivityRow &row = rows[k];
            const std::array<const QString *, 5> cells
                = {&row.activity, &row.predecessor, &row.normalDuration, &row.crashDuration,
                   &row.crashCostPerDay};
            for (int column = 0; column < 5; ++column) {
                const QString shown = grid->item(static_cast<int>(k) + 1, column)->text();
                if (shown != prefix + *cells[column]
                    && !(shown.isEmpty() && cells[column]->isEmpty()))
                    fail("the grid of " + nameOf(window) + " shows " + printable(shown)
                         + " for the working cell " + printable(*cells[column]));
            }
        }
    }
}

} // namespace fuzz
