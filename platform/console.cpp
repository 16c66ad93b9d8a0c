// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers
#include "console.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

namespace {

// A handle the program was given (a file, a pipe or a console of its own).
bool hasStream(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE
        && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

platform::StartingConsole::StartingConsole()
{
    const bool output = hasStream(STD_OUTPUT_HANDLE);
    const bool error = hasStream(STD_ERROR_HANDLE);
    if ((output && error) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    attached_ = true;
    // Should a stream fail to open, its text is lost, as it would have been without this.
    if (!output)
        std::freopen("CONOUT$", "w", stdout);
    if (!error)
        std::freopen("CONOUT$", "w", stderr);
    // The texts are UTF-8; the console shows them so only in its UTF-8 code page.
    codePage_ = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
}

void platform::StartingConsole::release()
{
    if (!attached_)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    if (codePage_ != 0)
        SetConsoleOutputCP(codePage_);
    FreeConsole();
    attached_ = false;
}

#else

platform::StartingConsole::StartingConsole() = default;

void platform::StartingConsole::release()
{
}

#endif

platform::StartingConsole::~StartingConsole()
{
    release();
}
