// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "output.h"

#include "console.h"

#include <QIODevice>

#include <cerrno>
#include <charconv>
#include <cstring>

namespace cli {

namespace {

[[noreturn]] void failed(int error)
{
    throw OutputError(error != 0 ? std::strerror(error) : "the write failed");
}

} // namespace

Output::Output(std::FILE *stream) : m_stream(stream)
{
    m_buffer.reserve(kBufferSize);
}

Output::Output(QIODevice *device) : m_device(device)
{
    m_buffer.reserve(kBufferSize);
}

void Output::writeNumber(std::int64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    write(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

void Output::writeSpaces(std::size_t count)
{
    static constexpr std::string_view kSpaces = "                                ";
    for (; count > kSpaces.size(); count -= kSpaces.size())
        write(kSpaces);
    write(kSpaces.substr(0, count));
}

void Output::finish()
{
    flushBuffer();
    if (m_stream) {
        errno = 0;
        if (std::fflush(m_stream) != 0 || std::ferror(m_stream))
            failed(errno);
    }
}

void Output::writeLarge(std::string_view bytes)
{
    flushBuffer();
    if (bytes.size() < kBufferSize)
        m_buffer.append(bytes);
    else
        send(bytes.data(), bytes.size());
}

void Output::flushBuffer()
{
    if (!m_buffer.empty())
        send(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
}

void Output::send(const char *data, std::size_t size)
{
    if (m_device) {
        if (m_device->write(data, static_cast<qint64>(size)) != static_cast<qint64>(size))
            throw OutputError(m_device->errorString().toStdString());
        return;
    }
    errno = 0;
    // The stream's own buffer would only hold back an error until the end.
    if (!platform::writeText(m_stream, data, size) || std::fflush(m_stream) != 0)
        failed(errno);
}

} // namespace cli
