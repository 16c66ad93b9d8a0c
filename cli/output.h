// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

class QIODevice;

namespace cli {

// Standard output (or a spool) could not take what was written; the message gives the
// system's reason.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a command prints, written as it is produced through a buffer of its own, so that
// memory does not grow with the output. A failed write throws OutputError at once, so a
// command stops at the first byte that cannot be written instead of reporting success.
class Output {
public:
    explicit Output(std::FILE *stream);
    explicit Output(QIODevice *device);
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;
    // Destroying an Output drops what is still buffered; call finish() to keep it.
    ~Output() = default;

    void write(std::string_view bytes)
    {
        if (bytes.size() > kBufferSize - m_buffer.size())
            writeLarge(bytes);
        else
            m_buffer.append(bytes);
    }
    void write(char c)
    {
        if (m_buffer.size() == kBufferSize)
            flushBuffer();
        m_buffer.push_back(c);
    }
    void write(const QByteArray &bytes)
    {
        write(std::string_view(bytes.constData(), bytes.size()));
    }
    void write(const QString &text) { write(text.toUtf8()); }
    void write(const char *text) { write(std::string_view(text)); }
    void writeNumber(std::int64_t value);
    void writeSpaces(std::size_t count);

    // Writes out everything buffered and makes sure the stream took it (flushed, no
    // error). Throws OutputError otherwise.
    void finish();

private:
    static constexpr std::size_t kBufferSize = std::size_t {1} << 16;
    void writeLarge(std::string_view bytes);
    void flushBuffer();
    void send(const char *data, std::size_t size);

    std::FILE *m_stream = nullptr;
    QIODevice *m_device = nullptr;
    std::string m_buffer;
};

} // namespace cli
