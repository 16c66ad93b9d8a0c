// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <QMainWindow>

namespace project {
class ProjectDocument;
}

// "โครงการของฉัน": a student's or a teacher's own project, typed or opened from a file,
// analysed as it is typed, drawn, crashed by the greedy rule and exactly, with its
// time-cost curve, exported and printed.
class ProjectWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ProjectWindow(QWidget *parent = nullptr);
    ~ProjectWindow() override;

    project::ProjectDocument *document() const;

    // Opens the file (after the unsaved-changes question); false when it was not opened
    // (cancelled, or the file's problems were shown and the window keeps what it had).
    bool openFile(const QString &path);

    // Asks about unsaved changes (save / discard / cancel) before the program ends; false when
    // the student cancelled.
    bool confirmClose();

    // A long computation (a layout, the curve, the least cost, a run to the target) is under
    // way off the window's thread; the job indicator in the status bar shows it.
    bool isBusy() const;

signals:
    // The student asked to work the project shown by hand ("ฝึกกับโครงการนี้", only for a
    // sound project, title and target included); the program opens "ฝึกทำเอง" on it.
    void practiseRequested(const engine::Project &project);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Private;
    Private *d;
};
