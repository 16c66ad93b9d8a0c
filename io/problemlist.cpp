// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "problemlist.h"

#include "problemtext.h"

#include <algorithm>

namespace io {

void ProblemList::add(Problem problem)
{
    ++m_count;
    if (m_problems.size() < kKept)
        m_problems.push_back(std::move(problem));
}

void ProblemList::sortByLine()
{
    std::stable_sort(m_problems.begin(), m_problems.end(), [](const Problem &a, const Problem &b) {
        return a.place.line < b.place.line;
    });
}

QString ProblemList::message(int shown) const
{
    QStringList lines;
    for (const Problem &problem : m_problems) {
        if (lines.size() == shown)
            break;
        lines << englishText(problem);
    }
    const std::int64_t rest = m_count - lines.size();
    if (rest > 0)
        lines
            << QStringLiteral("and %1 more %2").arg(rest).arg(rest == 1 ? u"problem" : u"problems");
    return lines.join(u'\n');
}

} // namespace io
