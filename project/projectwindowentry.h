// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

class QMainWindow;
class QString;

// How the program reaches the own-project window without linking it: the window and the
// libraries it needs (Qt Charts, Svg, PrintSupport) live in a module that the program loads
// when the window is first opened, so that they cost its start-up nothing. Tests and
// developer tools link the window and hand these entry points over directly.
struct ProjectWindowEntryPoints {
    // A new, hidden window; the caller owns it.
    QMainWindow *(*create)();
    // Opens the file in the window (after the unsaved-changes question); false when it was
    // not opened, the reason shown.
    bool (*openFile)(QMainWindow *window, const QString &path);
    // Asks about unsaved changes before the program ends; false when the student cancelled.
    bool (*confirmClose)(QMainWindow *window);
};

// The entry points of the window linked into this program.
ProjectWindowEntryPoints linkedProjectWindow();

// The name of the function the module exports: `const ProjectWindowEntryPoints *f()`.
inline constexpr const char *kProjectWindowEntrySymbol = "crashkitProjectWindowEntryPoints";
