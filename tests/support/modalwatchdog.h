// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QString>

struct QMetaObject;
class QWidget;

// Every test program that shows windows links the modal watchdog (the library
// crashkit_modalwatchdog); it starts with the QApplication, so no test can forget it. The
// program's boxes and file dialogs go through the platform's hooks, which tests answer; a
// modal window opened past them (a QMessageBox or QFileDialog made directly) would otherwise
// keep the test in its modal loop until ctest gives up minutes later. The watchdog looks
// for such a window every few dozen milliseconds, fails the running test function naming
// the window (outside a test function it ends the program), and closes it so that the test
// function ends.

namespace testsupport {

// A test that opens a real modal window and answers it itself (through
// QApplication::activeModalWidget(), a timer, ...) declares it for as long as the window may
// be open; the watchdog then leaves such windows alone. Scopes nest.
class ExpectModal {
public:
    // Any modal window.
    ExpectModal();
    // Only windows of this class or of a class derived from it, e.g.
    // QMessageBox::staticMetaObject; any other modal window is still a failure.
    explicit ExpectModal(const QMetaObject &kind);
    ~ExpectModal();
    ExpectModal(const ExpectModal &) = delete;
    ExpectModal &operator=(const ExpectModal &) = delete;

    bool covers(const QWidget *window) const;

private:
    const QMetaObject *m_kind;
};

// How the watchdog names a window in its failure: class, objectName, title and, for a
// message box, its text.
QString describeModalWindow(const QWidget *window);

// How many times the watchdog has looked so far; 0 when it is not running. Lets the
// watchdog's own test see that it runs while an expected window is open.
long modalWatchdogLooks();

} // namespace testsupport
