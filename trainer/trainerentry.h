// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <functional>

class QMainWindow;
class QString;

// How the program reaches the window "ฝึกทำเอง" without linking it: it lives in the module of
// the own-project window (see projectwindowentry.h), loaded when either is first opened.
struct TrainerEntryPoints {
    // A new, hidden window; the caller owns it.
    QMainWindow *(*create)();
    // Opens a project or answers file in the window (after the unsaved-work question); false
    // when it was not opened, the reason shown.
    bool (*openFile)(QMainWindow *trainer, const QString &path);
    // Starts over on the project; false when cancelled or the project is not sound.
    bool (*startProject)(QMainWindow *trainer, const engine::Project &project);
    // Asks about unsaved work before the program ends; false when the student cancelled.
    bool (*confirmClose)(QMainWindow *trainer);
    // Has `practise` called with the project whenever the student asks the own-project window
    // to practise on it ("ฝึกกับโครงการนี้").
    void (*onPractise)(QMainWindow *projectWindow,
                       std::function<void(const engine::Project &)> practise);
};

// The entry points of the window linked into this program.
TrainerEntryPoints linkedTrainerWindow();

// The name of the function the module exports: `const TrainerEntryPoints *f()`.
inline constexpr const char *kTrainerEntrySymbol = "crashkitTrainerEntryPoints";
