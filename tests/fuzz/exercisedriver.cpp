// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "exercisedriver.h"

#include <QCoreApplication>
#include <QLabel>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace fuzz {
namespace {

std::string nameOf(const QWidget *window)
{
    return window->objectName().toStdString();
}

QLineEdit *edit(QWidget *window, int number)
{
    return window->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(number));
}

QPushButton *button(QWidget *window, int number)
{
    return window->findChild<QPushButton *>(QStringLiteral("BitBtn%1").arg(number));
}

std::string describeRow(const ActivityRow &row)
{
    return printable(row.activity) + " " + printable(row.predecessor) + " "
        + printable(row.normalDuration) + " " + printable(row.crashDuration) + " "
        + printable(row.crashCostPerDay);
}

} // namespace

ExerciseDriver::ExerciseDriver(const Options &options) : m_options(options), m_random(options.seed)
{
    for (int i = 0; i < 5; ++i) {
        m_windows[i] = guitest::exerciseForm(i + 1);
        m_expected[i] = workingRows(*m_windows[i]);
    }
    platform::setMessageBoxAnswerer(
        [this](const platform::MessageRecord &record) { return answer(record); });
    m_watchdog = std::thread([this] { watch(); });
}

ExerciseDriver::~ExerciseDriver()
{
    m_finished = true;
    m_watchdog.join();
    platform::setMessageBoxAnswerer({});
}

int ExerciseDriver::run()
{
    const Deadline deadline(m_options.seconds);
    while (!deadline.passed())
        step();
    report("fuzz_exercise");
    return 0;
}

void ExerciseDriver::step()
{
    ++m_figures.actions;
    ++m_progress;
    m_boxes.clear();
    std::vector<int> visible;
    for (int i = 0; i < 5; ++i) {
        if (m_windows[i]->isVisible())
            visible.push_back(i);
    }
    if (visible.empty() || m_random.percent(6)) {
        toggleVisibility(m_random.below(5));
    } else {
        const int index = m_random.pick(visible);
        m_current = index;
        const int choice = m_random.below(100);
        if (choice < 28) {
            typeIntoPanel(index);
        } else if (choice < 36) {
            clickAndCheck(index, 1);
        } else if (choice < 44) {
            clickAndCheck(index, 3);
        } else if (choice < 47) {
            clickAndCheck(index, 2);
        } else if (choice < 50) {
            clickAndCheck(index, 6);
        } else if (choice < 60) {
            clickAndCheck(index, 5);
        } else if (choice < 85) {
            typeTarget(index);
            clickAndCheck(index, 4);
        } else if (choice < 92) {
            typeTarget(index);
        } else {
            clickAndCheck(index, 4);
        }
    }
    // Let the windows paint now and then, as an idle event loop would.
    if (m_figures.actions % 8 == 0)
        QCoreApplication::processEvents();
    checkEveryWindow();
}

void ExerciseDriver::toggleVisibility(int index)
{
    ExerciseWindow *window = m_windows[index];
    m_current = index;
    if (window->isVisible() && m_random.percent(70)) {
        const bool close = m_random.percent(50);
        log((close ? "close " : "hide ") + nameOf(window));
        close ? static_cast<void>(window->close()) : window->hide();
        ++m_figures.closes;
    } else {
        const bool wasHidden = !window->isVisible();
        log("show " + nameOf(window));
        platform::showModeless(window);
        ++m_figures.shows;
        if (!wasHidden)
            return;
        m_expected[index] = builtInRows(window->set());
        m_shownOnce[index] = true;
        if (!m_boxes.empty())
            fail("showing the window showed a box");
        if (!window->findChild<QWidget *>(QStringLiteral("Panel3"))->isHidden()
            || !button(window, 1)->isEnabled() || !button(window, 5)->isVisible()
            || edit(window, 28)->text() != u"0"_qs || !guitest::lines(window, "ListBox1").isEmpty()
            || !guitest::lines(window, "ListBox2").isEmpty())
            fail("a shown window does not start afresh (panel closed, edit and build buttons "
                 "usable, target 0, logs empty)");
    }
}

QString ExerciseDriver::durationText()
{
    static const std::array<QString, 5> words
        = {u"seven"_qs, u"abc"_qs, u"x"_qs, u"-"_qs, u"เจ็ด"_qs};
    static const std::array<QString, 5> huge
        = {u"99999999999"_qs, u"2147483648"_qs, u"-2147483649"_qs, u"$FFFFFFFF"_qs, u"๑๒"_qs};
    static const std::array<QString, 8> limits
        = {u"2147483647"_qs, u"-2147483648"_qs, u"2147483646"_qs, u"-2147483647"_qs,
           u"$7FFFFFFF"_qs,  u"-$80000000"_qs,  u"1073741824"_qs, u"-1073741824"_qs};
    const int choice = m_random.below(100);
    if (choice < 50)
        return QString::number(m_random.between(0, 30));
    if (choice < 54)
        return QString(1 + m_random.below(3), u' ') + QString::number(m_random.between(0, 30));
    if (choice < 58)
        return (m_random.percent(50) ? u"$"_qs : u"0x"_qs)
            + QString::number(m_random.between(0, 30), 16);
    if (choice < 61)
        return {};
    if (choice < 63)
        return QString(1 + m_random.below(3), u' ');
    if (choice < 66)
        return u"7.5"_qs;
    if (choice < 71)
        return m_random.pick(words);
    if (choice < 75)
        return m_random.pick(huge);
    if (choice < 83)
        return u'-' + QString::number(m_random.between(1, 30));
    if (choice < 91)
        return m_random.pick(limits);
    if (choice < 94)
        return QString::number(m_random.between(0, 30)) + u' ';
    // Now and then a text far longer than a cell, up to the edit box's limit.
    return m_random.percent(90) ? randomText(m_random).left(60) : randomText(m_random);
}

QString ExerciseDriver::costText()
{
    static const std::array<QString, 6> special = {
        u"999999"_qs, u"1000000"_qs, u"999998"_qs, u"2147483647"_qs, u"-2147483648"_qs, u"-50"_qs};
    const int choice = m_random.below(100);
    if (choice < 60)
        return QString::number(m_random.between(0, 3000));
    if (choice < 80)
        return m_random.pick(special);
    return durationText();
}

QString ExerciseDriver::targetText(int index)
{
    const Rows rows = workingRows(*m_windows[index]);
    const auto longest = referenceLongestRoute(rows, Column::Normal);
    const auto shortest = referenceLongestRoute(rows, Column::Crash);
    if (longest && shortest && *shortest <= *longest && m_random.percent(70))
        return QString::number(m_random.between(*shortest, *longest));
    if (longest && shortest && m_random.percent(50)) {
        const std::array<std::int64_t, 6> edges
            = {*longest, *longest + 1, *longest - 1, *shortest, *shortest - 1, *shortest + 1};
        return QString::number(m_random.pick(edges));
    }
    return durationText();
}

void ExerciseDriver::typeIntoPanel(int index)
{
    ExerciseWindow *window = m_windows[index];
    if (window->findChild<QWidget *>(QStringLiteral("Panel3"))->isHidden()) {
        clickAndCheck(index, 1); // a student opens the panel before typing into it
        return;
    }
    const int row = m_random.below(window->activityCount());
    const int column = m_random.below(3);
    QString text = column == 0 ? durationText() : column == 2 ? costText() : QString();
    if (column == 1) {
        const auto normal = referenceWholeNumber(edit(window, kPanelEdits[row][0])->text());
        text = normal && m_random.percent(50)
            ? QString::number(std::int64_t {*normal} - m_random.below(4))
            : durationText();
    }
    QLineEdit *box = edit(window, kPanelEdits[row][column]);
    if (!box->isVisible() || !box->isEnabled())
        fail("an edit box of the open panel cannot be used: Edit"
             + std::to_string(kPanelEdits[row][column]));
    log("type " + printable(text) + " into Edit" + std::to_string(kPanelEdits[row][column]) + " of "
        + nameOf(window));
    bool keys = m_random.percent(25) && text.size() < 20;
    for (const QChar c : text)
        keys = keys && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (keys) {
        box->selectAll();
        QTest::keyClicks(box, text);
    } else {
        box->setText(text);
    }
    ++m_figures.typedTexts;
    if (!m_boxes.empty())
        fail("typing showed a box");
}

void ExerciseDriver::typeTarget(int index)
{
    const QString text = targetText(index);
    log("type target " + printable(text) + " into Edit28 of " + nameOf(m_windows[index]));
    edit(m_windows[index], 28)->setText(text);
    ++m_figures.typedTexts;
}

bool ExerciseDriver::click(int index, int number)
{
    QPushButton *target = button(m_windows[index], number);
    const bool usable = target->isVisible() && target->isEnabled();
    log("click BitBtn" + std::to_string(number) + " of " + nameOf(m_windows[index])
        + (usable ? "" : " (hidden or disabled: nothing happens)"));
    if (!usable) {
        ++m_figures.refusedClicks;
        return false;
    }
    QTest::mouseClick(target, Qt::LeftButton);
    ++m_figures.clicks;
    return true;
}

void ExerciseDriver::clickAndCheck(int index, int number)
{
    ExerciseWindow *window = m_windows[index];
    const Rows before = workingRows(*window);
    const QString target = edit(window, 28)->text();
    // The rows with the panel's texts in their three editable cells.
    const auto withPanelTexts = [window, &before] {
        Rows rows = before;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            rows[k].normalDuration = edit(window, kPanelEdits[k][0])->text();
            rows[k].crashDuration = edit(window, kPanelEdits[k][1])->text();
            rows[k].crashCostPerDay = edit(window, kPanelEdits[k][2])->text();
        }
        return rows;
    };
    const Rows saved = withPanelTexts();
    if (number == 4)
        m_runTarget = referenceWholeNumber(target);
    const bool clicked = click(index, number);
    m_runTarget.reset();
    if (!clicked) {
        if (!m_boxes.empty())
            fail("a button that could not be clicked showed a box");
        return;
    }
    if (number != 4 && number != 5 && !m_boxes.empty())
        fail("BitBtn" + std::to_string(number) + " showed a box");
    switch (number) {
    case 1:
        for (std::size_t k = 0; const ActivityRow &shown : withPanelTexts()) {
            if (!sameRow(shown, before[k++]))
                fail("the opened panel does not show the working rows: row " + std::to_string(k));
        }
        break;
    case 2:
    case 6:
        m_expected[index] = builtInRows(window->set());
        checkBuild(index, m_expected[index]);
        break;
    case 3:
        m_expected[index] = saved;
        if (edit(window, 28)->text() != u"0"_qs || !guitest::lines(window, "ListBox1").isEmpty()
            || !guitest::lines(window, "ListBox2").isEmpty())
            fail("saving did not clear the target and the logs");
        break;
    case 4:
        checkCrashRun(index, before, target);
        break;
    case 5:
        checkBuild(index, before);
        break;
    default:
        break;
    }
}

void ExerciseDriver::report(const char *headline)
{
    const ExerciseFigures &f = m_figures;
    std::printf("%s seed %llu: %lld actions (%lld clicks, %lld refused, %lld texts typed, "
                "%lld shows, %lld closes), %lld runs started (%lld finished at the target, "
                "%lld iterations in all, "
                "%lld could not shorten, %lld stopped by an error box), %lld targets rejected, "
                "%lld boxes (%lld conversion errors, %lld sum overflows)\n",
                headline, static_cast<unsigned long long>(m_options.seed), f.actions, f.clicks,
                f.refusedClicks, f.typedTexts, f.shows, f.closes, f.runsStarted, f.runsFinished,
                f.iterations, f.runsStuck, f.runsStoppedByError, f.targetsRejected, f.boxes,
                f.conversionBoxes, f.overflowBoxes);
    std::fflush(stdout);
}

void ExerciseDriver::log(const std::string &line)
{
    const std::lock_guard lock(m_logMutex);
    // A char before the number: GCC 12 at -O3 falsely reports -Wrestrict for "#" + a temporary.
    m_log.push_back('#' + std::to_string(m_figures.actions) + " " + line);
    if (m_log.size() > 300)
        m_log.pop_front();
}

void ExerciseDriver::fail(const std::string &problem)
{
    {
        const std::lock_guard lock(m_logMutex);
        std::printf("FAIL seed %llu action %lld: %s\nlatest actions:\n",
                    static_cast<unsigned long long>(m_options.seed), m_figures.actions,
                    problem.c_str());
        for (const std::string &line : m_log)
            std::printf("  %s\n", line.c_str());
        std::printf("boxes of this action:");
        for (const Box &box : m_boxes)
            std::printf(" [%s%s]", kindName(box.kind),
                        box.kind == BoxKind::Remaining
                            ? (' ' + std::to_string(box.remaining)).c_str()
                            : "");
        std::printf("\n");
        if (m_current >= 0) {
            std::printf("working rows of %s now:\n", nameOf(m_windows[m_current]).c_str());
            for (const ActivityRow &row : workingRows(*m_windows[m_current]))
                std::printf("  %s\n", describeRow(row).c_str());
        }
    }
    report("fuzz_exercise (failed)");
    std::fflush(stdout);
    std::_Exit(1);
}

// A run that never ends shows boxes without end (caught by the box count) or none at all;
// this catches the second kind.
void ExerciseDriver::watch()
{
    constexpr auto limit = std::chrono::seconds(120);
    long long seen = m_progress;
    auto since = std::chrono::steady_clock::now();
    while (!m_finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (m_progress != seen) {
            seen = m_progress;
            since = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - since > limit) {
            const std::lock_guard lock(m_logMutex);
            std::printf("FAIL seed %llu: action %lld has not ended after 120 s\nlatest actions:\n",
                        static_cast<unsigned long long>(m_options.seed), seen);
            for (const std::string &line : m_log)
                std::printf("  %s\n", line.c_str());
            std::fflush(stdout);
            std::_Exit(3);
        }
    }
}

} // namespace fuzz
