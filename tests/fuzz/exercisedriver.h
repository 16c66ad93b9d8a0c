// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "exerciseoracle.h"
#include "fuzzsupport.h"

#include "guitestsupport.h"

#include <array>
#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace fuzz {

// Counts of what one driver run did, printed at its end.
struct ExerciseFigures {
    long long actions = 0;
    long long clicks = 0;
    long long refusedClicks = 0; // the button was hidden or disabled
    long long typedTexts = 0;
    long long shows = 0;
    long long closes = 0;
    long long runsStarted = 0;
    long long runsFinished = 0; // ended with the project at the target: route checked
    long long iterations = 0; // crashing iterations, over all runs
    long long runsStuck = 0;
    long long runsStoppedByError = 0;
    long long targetsRejected = 0;
    long long conversionBoxes = 0;
    long long overflowBoxes = 0;
    long long boxes = 0;
};

// One run of random actions over the five exercise windows of a started program.
class ExerciseDriver {
public:
    explicit ExerciseDriver(const Options &options);
    ~ExerciseDriver();
    ExerciseDriver(const ExerciseDriver &) = delete;
    ExerciseDriver &operator=(const ExerciseDriver &) = delete;

    // Acts until the time is up; 0 when every invariant held (a failure ends the process).
    int run();

private:
    void step();
    void toggleVisibility(int index);
    void typeIntoPanel(int index);
    void typeTarget(int index);
    bool click(int index, int button);
    void clickAndCheck(int index, int button);
    void checkBuild(int index, const Rows &before);
    void checkOverflow(const Box &box, const Rows &rows, const SetDefinition &set);
    void checkCrashRun(int index, const Rows &before, const QString &targetText);
    void checkFinishedRun(int index, std::int32_t target);
    void checkEveryWindow();
    void checkConversionQuote(const Box &box, const Rows &rows, bool durations, bool costs,
                              const QString &targetText);

    QString durationText();
    QString costText();
    QString targetText(int index);

    QMessageBox::StandardButton answer(const platform::MessageRecord &record);
    void log(const std::string &line);
    [[noreturn]] void fail(const std::string &problem);
    void report(const char *headline);
    void watch();

    Options m_options;
    Random m_random;
    std::array<ExerciseWindow *, 5> m_windows {};
    std::array<Rows, 5> m_expected; // what each window's working rows must hold
    std::array<bool, 5> m_shownOnce {}; // controls are in a defined state from the first show
    ExerciseFigures m_figures;

    int m_current = -1; // window the current action works on
    std::vector<Box> m_boxes; // boxes of the current action
    std::optional<std::int32_t> m_runTarget; // set while a crashing run may show boxes

    std::mutex m_logMutex;
    std::deque<std::string> m_log; // the latest actions, for a failure report
    std::atomic<long long> m_progress {0};
    std::atomic<bool> m_finished {false};
    std::thread m_watchdog;
};

} // namespace fuzz
