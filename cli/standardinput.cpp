// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "standardinput.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace cli {

namespace {

bool isBlank(char c)
{
    // The blanks both XML and JSON allow between their parts.
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view skipBlanks(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return text.substr(at);
}

// The text after the first `end`, or nothing when it never comes.
std::string_view after(std::string_view text, std::string_view end)
{
    const std::size_t at = text.find(end);
    return at == std::string_view::npos ? std::string_view() : text.substr(at + end.size());
}

// The name that starts the text, up to a blank, '>', '/' or '['; without its prefix.
std::string_view localName(std::string_view text)
{
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end]) && text[end] != '>' && text[end] != '/'
           && text[end] != '[')
        ++end;
    const std::string_view name = text.substr(0, end);
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

io::FileFormat xmlFormat(std::string_view text)
{
    // GanttProject's root is <project>, Microsoft Project's <Project>.
    auto byRoot = [](std::string_view name) {
        return name == "project" ? io::FileFormat::Gantt : io::FileFormat::Mspdi;
    };
    while (true) {
        text = skipBlanks(text);
        if (text.starts_with("<?")) {
            text = after(text, "?>");
        } else if (text.starts_with("<!--")) {
            text = after(text.substr(4), "-->");
        } else if (text.starts_with("<!DOCTYPE")) {
            // It names the root; the readers refuse the declaration itself.
            return byRoot(localName(skipBlanks(text.substr(9))));
        } else if (text.starts_with('<')) {
            return byRoot(localName(text.substr(1)));
        } else {
            // Not well-formed: the Microsoft Project reader says where.
            return io::FileFormat::Mspdi;
        }
    }
}

} // namespace

StreamBytes readToEnd(std::FILE *stream)
{
    StreamBytes read;
    constexpr std::size_t kChunk = std::size_t {1} << 20;
    while (true) {
        const qsizetype had = read.bytes.size();
        read.bytes.resize(had + static_cast<qsizetype>(kChunk));
        errno = 0;
        // fread returns short only at the end of the stream or on an error.
        const std::size_t got = std::fread(read.bytes.data() + had, 1, kChunk, stream);
        read.bytes.resize(had + static_cast<qsizetype>(got));
        if (read.bytes.size() > io::kMaxFileSize) {
            read.problem
                = QStringLiteral("more than %1 bytes (%2 MiB); larger projects are not read")
                      .arg(io::kMaxFileSize)
                      .arg(io::kMaxFileSize >> 20);
            return read;
        }
        if (got < kChunk) {
            if (std::ferror(stream))
                read.problem = QStringLiteral("cannot be read: %1")
                                   .arg(QString::fromLocal8Bit(errno != 0 ? std::strerror(errno)
                                                                          : "read error"));
            return read;
        }
    }
}

io::FileFormat guessFormat(QByteArrayView bytes)
{
    std::string_view text(bytes.data(), static_cast<std::size_t>(bytes.size()));
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    text = skipBlanks(text);
    if (text.starts_with('{'))
        return io::FileFormat::Crashkit;
    if (text.starts_with('<'))
        return xmlFormat(text);
    return io::FileFormat::Csv;
}

} // namespace cli
