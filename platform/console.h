// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers
#pragma once

namespace platform {

// On Windows a windowed program has no console of its own, so what it prints about its
// command line (--help, --version, a wrong argument) would go nowhere. While a StartingConsole
// lives, standard output and error that are not redirected go to the console the program was
// started from, in UTF-8. release() lets go of that console before the windows open: a
// program still attached would be ended when the user closes the console window. Started
// from Explorer, with its output redirected, or on other systems, it does nothing.
class StartingConsole {
public:
    StartingConsole();
    ~StartingConsole();
    StartingConsole(const StartingConsole &) = delete;
    StartingConsole &operator=(const StartingConsole &) = delete;

    void release();

private:
    bool attached_ = false;
    unsigned int codePage_ = 0;
};

} // namespace platform
