// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace io {

// The field separator of a CSV text, decided from its first line that is not blank: ';'
// when that line has more semicolons than commas outside quotes (European Excel), else ','.
char detectSeparator(std::string_view text);

// Splits CSV text into records as RFC 4180 has them: fields in double quotes may hold
// separators, line breaks and doubled quotes; lines end with LF, CRLF or a lone CR; the
// last line needs no end. Blanks before an opening or after a closing quote are allowed.
class CsvTokenizer {
public:
    struct Record {
        int line = 0; // where the record begins, 1-based
        std::size_t count = 0; // fields in this record: the first `count` of `fields`
        std::vector<std::string> fields; // kept between records to reuse their storage
    };

    // The text must outlive the tokenizer.
    CsvTokenizer(std::string_view text, char separator);

    // Reads the next record into `record`. Returns false at the end of the text. When the
    // record is malformed, `error` says how and record.line where (for an unclosed quote:
    // where the quote opened), and the tokenizer has gone on to the next line.
    bool next(Record &record, std::optional<FileProblemKind> &error);

private:
    bool atLineEnd() const;
    void skipLineEnd();
    void skipToNextLine();

    std::string_view m_text;
    std::size_t m_at = 0;
    int m_line = 1;
    char m_separator;
};

} // namespace io
