// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "texttable.h"

#include <algorithm>

namespace cli {

QString TextTable::toString() const
{
    std::vector<qsizetype> widths;
    for (const QStringList &row : m_rows) {
        widths.resize(std::max(widths.size(), static_cast<std::size_t>(row.size())), 0);
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[static_cast<std::size_t>(c)]
                = std::max(widths[static_cast<std::size_t>(c)], row[c].size());
    }
    QString text;
    for (const QStringList &row : m_rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QStringLiteral("  ");
            line += c + 1 < row.size() ? row[c].leftJustified(widths[static_cast<std::size_t>(c)])
                                       : row[c];
        }
        text += line + u'\n';
    }
    return text;
}

} // namespace cli
