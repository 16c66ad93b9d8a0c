// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "csvtokenizer.h"

namespace io {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

char detectSeparator(std::string_view text)
{
    int commas = 0, semicolons = 0;
    bool quoted = false, seenContent = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\n' || c == '\r')) {
            if (seenContent)
                break;
        } else if (!quoted && c == ',') {
            ++commas;
        } else if (!quoted && c == ';') {
            ++semicolons;
        }
        if (!isBlank(c) && c != '\n' && c != '\r')
            seenContent = true;
    }
    return semicolons > commas ? ';' : ',';
}

CsvTokenizer::CsvTokenizer(std::string_view text, char separator)
    : m_text(text), m_separator(separator)
{
}

bool CsvTokenizer::atLineEnd() const
{
    return m_at < m_text.size() && (m_text[m_at] == '\n' || m_text[m_at] == '\r');
}

void CsvTokenizer::skipLineEnd()
{
    if (m_text[m_at] == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n')
        ++m_at;
    ++m_at;
    ++m_line;
}

void CsvTokenizer::skipToNextLine()
{
    while (m_at < m_text.size() && !atLineEnd())
        ++m_at;
    if (m_at < m_text.size())
        skipLineEnd();
}

bool CsvTokenizer::next(Record &record, std::optional<FileProblemKind> &error)
{
    error.reset();
    if (m_at >= m_text.size())
        return false;
    record.line = m_line;
    record.count = 0;
    while (true) {
        if (record.fields.size() == record.count)
            record.fields.emplace_back();
        std::string &field = record.fields[record.count++];
        field.clear();

        // An unquoted field runs to the separator or the line's end; blanks before a quote
        // make it a quoted field.
        const std::size_t start = m_at;
        while (m_at < m_text.size() && isBlank(m_text[m_at]))
            ++m_at;
        const bool quoted = m_at < m_text.size() && m_text[m_at] == '"';
        if (!quoted) {
            m_at = start;
            while (m_at < m_text.size() && m_text[m_at] != m_separator && !atLineEnd()) {
                if (m_text[m_at] == '"') {
                    error = FileProblemKind::StrayQuote;
                    skipToNextLine();
                    return true;
                }
                ++m_at;
            }
            field.assign(m_text.substr(start, m_at - start));
        } else {
            const int openedOnLine = m_line;
            ++m_at;
            while (true) {
                const std::size_t quote = m_text.find('"', m_at);
                if (quote == std::string_view::npos) {
                    record.line = openedOnLine;
                    error = FileProblemKind::UnterminatedQuote;
                    m_at = m_text.size();
                    return true;
                }
                for (std::size_t i = m_at; i < quote; ++i) {
                    if (m_text[i] == '\n'
                        || (m_text[i] == '\r' && (i + 1 == quote || m_text[i + 1] != '\n')))
                        ++m_line;
                }
                field.append(m_text.substr(m_at, quote - m_at));
                m_at = quote + 1;
                if (m_at < m_text.size() && m_text[m_at] == '"') {
                    field += '"';
                    ++m_at;
                    continue;
                }
                break;
            }
            while (m_at < m_text.size() && isBlank(m_text[m_at]))
                ++m_at;
            if (m_at < m_text.size() && m_text[m_at] != m_separator && !atLineEnd()) {
                error = FileProblemKind::TextAfterQuote;
                skipToNextLine();
                return true;
            }
        }

        if (m_at >= m_text.size())
            return true;
        if (atLineEnd()) {
            skipLineEnd();
            return true;
        }
        ++m_at; // the separator
    }
}

} // namespace io
