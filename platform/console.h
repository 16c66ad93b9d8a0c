// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers
#pragma once

#include <QString>

#include <cstddef>
#include <cstdio>

namespace platform {

// On Windows a windowed program has no console of its own, so what it prints about its
// command line (--help, --version, a wrong argument) would go nowhere. While a StartingConsole
// lives, standard output and error that are not redirected go to the console the program was
// started from. release() lets go of that console before the windows open: a program still
// attached would be ended when the user closes the console window. Started from Explorer,
// with its output redirected, or on other systems, it does nothing.
class StartingConsole {
public:
    StartingConsole();
    ~StartingConsole();
    StartingConsole(const StartingConsole &) = delete;
    StartingConsole &operator=(const StartingConsole &) = delete;

    void release();

private:
    bool attached_ = false;
};

// Writes the UTF-8 text to the stream. A Windows console gets it as UTF-16, so Thai shows
// whatever the console's code page; a file, a pipe or another system gets the bytes as they
// are. False when they could not all be written (errno says why where the C library sets it).
bool writeText(std::FILE *stream, const char *utf8, std::size_t size);
bool writeText(std::FILE *stream, const QString &text);

} // namespace platform
