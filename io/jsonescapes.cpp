// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "jsonescapes.h"

namespace io {

namespace {

// The code unit of a \u escape at `at` (its backslash), or -1 when there is none there.
int escapedUnit(std::string_view json, std::size_t at)
{
    if (at > json.size() || json.size() - at < 6 || json[at] != '\\' || json[at + 1] != 'u')
        return -1;
    int unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const char c = json[i];
        const int digit = c >= '0' && c <= '9' ? c - '0'
            : c >= 'a' && c <= 'f'             ? c - 'a' + 10
            : c >= 'A' && c <= 'F'             ? c - 'A' + 10
                                               : -1;
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

bool isHigh(int unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(int unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

bool checkSurrogateEscapes(std::string_view json, const QString &file, ProblemList &problems)
{
    bool clean = true;
    bool inString = false;
    int line = 1, column = 1;
    // Steps one byte, keeping line and column as positionOf counts them.
    const auto step = [&](std::size_t at) {
        const char c = json[at];
        if (c == '\n' || (c == '\r' && (at + 1 >= json.size() || json[at + 1] != '\n'))) {
            ++line;
            column = 1;
        } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++column;
        }
    };
    for (std::size_t at = 0; at < json.size();) {
        const char c = json[at];
        if (!inString || c != '\\') {
            inString = inString != (c == '"');
            step(at++);
            continue;
        }
        const int unit = escapedUnit(json, at);
        const bool paired = isHigh(unit) && isLow(escapedUnit(json, at + 6));
        if (!paired && (isHigh(unit) || isLow(unit))) {
            clean = false;
            problems.add({.kind = FileProblemKind::LoneSurrogate,
                          .place = {.file = file, .line = line, .column = column},
                          .value = QString::fromLatin1(json.data() + at, 6)});
        }
        // An escape is ASCII on one line: its bytes are its columns.
        const std::size_t length = paired ? 12 : unit >= 0 ? 6 : 2;
        column += static_cast<int>(length);
        at += length;
    }
    return clean;
}

} // namespace io
