// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers
#include "console.h"

#include <climits>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <string>

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
}

void platform::StartingConsole::release()
{
    if (!attached_)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    FreeConsole();
    attached_ = false;
}

bool platform::writeText(std::FILE *stream, const char *utf8, std::size_t size)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (size > 0 && size <= INT_MAX && handle != INVALID_HANDLE_VALUE
        && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        const int length
            = MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(size), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(size), wide.data(), length);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr)
            != 0;
    }
    return std::fwrite(utf8, 1, size, stream) == size;
}

#else

platform::StartingConsole::StartingConsole() = default;

void platform::StartingConsole::release()
{
}

bool platform::writeText(std::FILE *stream, const char *utf8, std::size_t size)
{
    return std::fwrite(utf8, 1, size, stream) == size;
}

#endif

bool platform::writeText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return writeText(stream, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

platform::StartingConsole::~StartingConsole()
{
    release();
}
