// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "output.h"

#include "money.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The cells of one table row as UTF-8, in one buffer that keeps its memory from row to row.
class Row {
public:
    void clear()
    {
        m_bytes.clear();
        m_ends.clear();
    }
    // A new cell; text that is not UTF-8 is decoded as Qt decodes it (U+FFFD for each bad
    // sequence), as the tool has always shown it.
    Row &text(std::string_view utf8);
    Row &number(std::int64_t value);
    Row &baht(engine::Satang amount);
    // More text at the end of the last cell.
    Row &append(std::string_view utf8);
    Row &appendNumber(std::int64_t value);

    std::size_t size() const { return m_ends.size(); }
    std::string_view operator[](std::size_t cell) const
    {
        const std::size_t begin = cell == 0 ? 0 : m_ends[cell - 1];
        return std::string_view(m_bytes).substr(begin, m_ends[cell] - begin);
    }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
};

// Columns of text padded to their widest cell (counted in UTF-16 code units, as QString
// counts), numbers and text alike left-aligned, two blanks between columns and none after
// the last. Written in two passes over the same rows: measure every row, then write each.
class TextTable {
public:
    explicit TextTable(std::initializer_list<std::string_view> header);
    void addColumns(std::initializer_list<std::string_view> header);
    void measure(const Row &row);
    void writeHeader(Output &output) const { write(output, m_header); }
    void write(Output &output, const Row &row) const;

private:
    Row m_header;
    std::vector<std::size_t> m_widths;
};

// How many UTF-16 code units the UTF-8 text decodes to. Precondition: the text is UTF-8.
std::size_t utf16Length(std::string_view utf8);

} // namespace cli
