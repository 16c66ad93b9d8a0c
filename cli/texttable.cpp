// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "texttable.h"

#include "utf8.h"

#include <QString>

#include <algorithm>
#include <charconv>

namespace cli {

Row &Row::text(std::string_view utf8)
{
    m_ends.push_back(m_bytes.size());
    return append(utf8);
}

Row &Row::number(std::int64_t value)
{
    m_ends.push_back(m_bytes.size());
    return appendNumber(value);
}

Row &Row::baht(engine::Satang amount)
{
    return text(engine::formatBaht(amount));
}

Row &Row::append(std::string_view utf8)
{
    if (io::findInvalidUtf8(utf8) != std::string_view::npos) {
        const QByteArray decoded
            = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
        m_bytes.append(decoded.constData(), static_cast<std::size_t>(decoded.size()));
    } else {
        m_bytes.append(utf8);
    }
    m_ends.back() = m_bytes.size();
    return *this;
}

Row &Row::appendNumber(std::int64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    m_bytes.append(digits, result.ptr);
    m_ends.back() = m_bytes.size();
    return *this;
}

TextTable::TextTable(std::initializer_list<std::string_view> header)
{
    addColumns(header);
}

void TextTable::addColumns(std::initializer_list<std::string_view> header)
{
    for (const std::string_view cell : header)
        m_header.text(cell);
    measure(m_header);
}

void TextTable::measure(const Row &row)
{
    if (m_widths.size() < row.size())
        m_widths.resize(row.size(), 0);
    for (std::size_t c = 0; c < row.size(); ++c)
        m_widths[c] = std::max(m_widths[c], utf16Length(row[c]));
}

void TextTable::write(Output &output, const Row &row) const
{
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (c > 0)
            output.write("  ");
        output.write(row[c]);
        if (c + 1 < row.size() && c < m_widths.size())
            output.writeSpaces(m_widths[c] - std::min(m_widths[c], utf16Length(row[c])));
    }
    output.write('\n');
}

std::size_t utf16Length(std::string_view utf8)
{
    // One unit per character, two for those beyond U+FFFF (four-byte sequences).
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;
        units += byte >= 0xF0;
    }
    return units;
}

} // namespace cli
