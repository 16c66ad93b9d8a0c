// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "readresult.h"

#include <QtGlobal>

namespace io {

ReadResult ReadResult::loaded(engine::Project project, ProblemList warnings)
{
    ReadResult result;
    result.m_project = std::move(project);
    result.m_warnings = std::move(warnings);
    return result;
}

ReadResult ReadResult::failed(ProblemList problems)
{
    Q_ASSERT(!problems.isEmpty());
    ReadResult result;
    result.m_problems = std::move(problems);
    return result;
}

QString ReadResult::message(int shown) const
{
    return isLoaded() ? m_warnings.message(shown) : m_problems.message(shown);
}

} // namespace io
