// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace cli {

// Columns of text padded to their widest cell, numbers and text alike left-aligned, two
// blanks between columns.
class TextTable {
public:
    explicit TextTable(QStringList header) : m_rows {std::move(header)} { }
    void addRow(QStringList cells) { m_rows.push_back(std::move(cells)); }
    QString toString() const;

private:
    std::vector<QStringList> m_rows;
};

} // namespace cli
