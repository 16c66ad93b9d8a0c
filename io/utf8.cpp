// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "utf8.h"

#include <algorithm>

namespace io {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed sequence starting at `at`, or 0.
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong below
        else if (lead == 0xED)
            high = 0x9F; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return 0;
    }
    return length;
}

// Whether the text is UTF-16: it has a UTF-16 byte order mark, or most of its first 32
// two-byte units are ASCII characters in UTF-16 (a NUL byte beside each).
bool looksLikeUtf16(std::string_view text)
{
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        return true;
    // Without a mark: a project file begins with ASCII (a header, a brace), which UTF-16
    // writes with a NUL byte after (little end first) or before each character. Most of the
    // first 32 characters so, and no NUL on the other side, is no UTF-8 text.
    const std::size_t pairs = std::min<std::size_t>(text.size(), 64) / 2;
    for (const std::size_t nul : {1, 0}) {
        std::size_t ascii = 0, opposite = 0;
        for (std::size_t i = 0; i < pairs; ++i) {
            const bool here = text[2 * i + nul] == '\0';
            const bool there = text[2 * i + 1 - nul] == '\0';
            ascii += here && !there ? 1 : 0;
            opposite += there ? 1 : 0;
        }
        if (ascii >= 2 && 2 * ascii >= pairs && opposite == 0)
            return true;
    }
    return false;
}

} // namespace

std::string_view withoutBom(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return text;
}

std::size_t findInvalidUtf8(std::string_view text, std::size_t from)
{
    std::size_t at = from;
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = sequenceLength(text, at);
        if (length == 0)
            return at;
        at += length;
    }
    return std::string_view::npos;
}

TextPosition positionOf(std::string_view text, std::size_t offset)
{
    TextPosition position;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++position.line;
            lineStart = i + 1;
        }
    }
    for (std::size_t i = lineStart; i < offset; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i])))
            ++position.column;
    }
    return position;
}

bool checkUtf8(std::string_view original, std::string_view text, const QString &file,
               ProblemList &problems)
{
    if (looksLikeUtf16(original)) {
        problems.add({.kind = FileProblemKind::Utf16Text, .place = {.file = file, .line = 1}});
        return false;
    }
    bool valid = true;
    // Counting lines from one bad byte to the next keeps this linear in the text.
    std::size_t counted = 0;
    TextPosition countedPosition;
    std::size_t at = findInvalidUtf8(text);
    while (at != std::string_view::npos) {
        valid = false;
        const TextPosition here = positionOf(text.substr(counted), at - counted);
        countedPosition.column
            = here.line == 1 ? countedPosition.column + here.column - 1 : here.column;
        countedPosition.line += here.line - 1;
        counted = at;
        problems.add(
            {.kind = FileProblemKind::InvalidUtf8,
             .place
             = {.file = file, .line = countedPosition.line, .column = countedPosition.column},
             .number = static_cast<unsigned char>(text[at])});
        // One problem a line: go on after the line's end.
        const std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            break;
        at = findInvalidUtf8(text, end);
    }
    return valid;
}

} // namespace io
