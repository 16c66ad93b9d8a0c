// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "trainerwindow.h"

#include "answercheck.h"
#include "projectanalysis.h"

#include <QObject>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace project {
class DurationSpinBox;
class NetworkView;
} // namespace project

// The window's parts and what its buttons and menus do; split over trainerwindow.cpp (the
// parts, the project, files) and trainerstages.cpp (the three stages: reading what the
// student typed, checking it, hints, scores). The context of every connection the window
// makes, so that they go first when the window does.
struct TrainerWindow::Private : QObject {
    explicit Private(TrainerWindow *window) : q(window) { }

    enum Stage { ScheduleStage, CriticalStage, CrashingStage, StageCount };

    TrainerWindow *q;
    project::AnalysisSnapshot analysis; // of the project worked on (sound)
    QString answersPath; // where the work was last saved or opened from
    bool modified = false;
    bool loading = false; // filling the controls from a file: not the student's edits

    // What the checks found last, and what the student has done.
    std::optional<engine::ScheduleCheck> scheduleCheck;
    std::optional<engine::CriticalCheck> criticalCheck;
    std::optional<engine::StepCheck> stepCheck; // the step in the editor, as last checked
    std::vector<engine::StepAnswer> steps; // applied, in order
    std::array<int, StageCount> hints {}; // hints used per stage
    std::map<QString, int> hintLevel; // per item: the last hint level given (1 .. 3)
    bool timesRevealed = false, criticalRevealed = false;

    // Parts.
    QTableWidget *activityTable = nullptr;
    project::NetworkView *networkView = nullptr;
    QComboBox *networkStyle = nullptr;
    QTabWidget *stageTabs = nullptr;
    QTableWidget *scheduleGrid = nullptr;
    QLineEdit *projectDurationEdit = nullptr;
    QLabel *scheduleScore = nullptr;
    QListWidget *criticalList = nullptr;
    QPlainTextEdit *pathsEdit = nullptr;
    QLabel *criticalScore = nullptr;
    project::DurationSpinBox *targetBox = nullptr;
    QTableWidget *stepTable = nullptr;
    QLineEdit *stepCostEdit = nullptr;
    QLineEdit *stepDurationEdit = nullptr;
    QPushButton *applyStepButton = nullptr;
    QPushButton *undoStepButton = nullptr;
    QPlainTextEdit *stepLog = nullptr;
    QLabel *crashingScore = nullptr;
    QLabel *totalsLabel = nullptr;
    QPlainTextEdit *feedback = nullptr;

    // trainerwindow.cpp
    void buildParts();
    QWidget *buildSchedulePage();
    QWidget *buildCriticalPage();
    QWidget *buildCrashingPage();
    void buildMenus();
    void load(const engine::Project &project);
    void updateCaption();
    void markModified();
    bool maybeSave();
    bool save();
    bool saveAs();
    bool saveTo(const QString &path);
    void open();
    bool openPath(const QString &path);
    bool openAnswers(const QString &path);
    void openPracticeSet(int number);
    // "แบบฝึกหัดใหม่": a seeded exercise chosen in its dialog, after the unsaved-work question.
    void newExercise();

    // trainerstages.cpp
    const engine::Project &project() const { return analysis->project; }
    const engine::Network &network() const { return analysis->network; }
    // Everything the student has answered, as the checks and the answers file take it; the
    // cells that are not numbers are named in `problems` (and left unanswered).
    engine::Answers collectAnswers(QStringList *problems = nullptr) const;
    // Fills the controls with the answers (a file opened).
    void showAnswers(const engine::Answers &answers);
    void clearStages();
    void checkSchedule();
    void hintSchedule();
    void checkCritical();
    void hintCritical();
    void checkStep();
    void hintStep();
    void applyStep();
    void undoStep();
    // The durations the applied steps have left (normal ones before the first).
    std::vector<engine::Duration> currentDurations() const;
    void showCrashingState();
    void updateScores();
    // The next hint level for the item (1 nudge, 2 the rule, 3 the answer), counted once per
    // new level for its stage.
    int nextHintLevel(Stage stage, const QString &item);
    void say(const QString &text);
    void reveal(bool times, bool critical);
};
