// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"

#include <cstddef>
#include <string_view>

namespace io {

// The text without a leading UTF-8 byte order mark.
std::string_view withoutBom(std::string_view text);

// The offset of the first byte at or after `from` that is not part of well-formed UTF-8
// (RFC 3629: no overlong forms, no surrogates, nothing above U+10FFFF), or npos.
std::size_t findInvalidUtf8(std::string_view text, std::size_t from = 0);

// 1-based line and column (in characters) of a byte offset; a line ends with LF, CRLF or
// a lone CR. Precondition: offset <= text.size().
struct TextPosition {
    int line = 1;
    int column = 1;
};
TextPosition positionOf(std::string_view text, std::size_t offset);

// Checks that a file's text (its BOM already removed) is UTF-8: adds a problem for every
// line with a byte that is not, or one for UTF-16 text (with or without its byte order
// mark), and says whether all is well.
// `original` is the file's text before the BOM was removed.
bool checkUtf8(std::string_view original, std::string_view text, const QString &file,
               ProblemList &problems);

} // namespace io
