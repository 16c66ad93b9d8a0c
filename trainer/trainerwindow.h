// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <QMainWindow>

// "ฝึกทำเอง": the student works a project by hand, stage by stage, and the program checks
// each stage and gives hints that guide before they tell: 1. the CPM schedule, 2. the
// critical activities and paths, 3. crashing to a target step by step. A mistake is carried
// forward: what follows from the student's own earlier values by the method counts right, and
// each crashing step is judged from the state the student's own steps left. The work is saved
// as an answers file (crashkit-cli grade reads the same file and gives the same verdicts).
class TrainerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TrainerWindow(QWidget *parent = nullptr);
    ~TrainerWindow() override;

    // Starts over on the project (after the unsaved-work question); false when cancelled or
    // the project is not sound (its problems shown).
    bool startProject(const engine::Project &project);
    // Opens a project file (.crashkit, .csv, .xml, .gan) or an answers file (.json) with the
    // project it carries; false when it was not opened (the reason shown).
    bool openFile(const QString &path);
    // Asks about unsaved work (save / discard / cancel); false when the student cancelled.
    bool confirmClose();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Private;
    Private *d;
};
