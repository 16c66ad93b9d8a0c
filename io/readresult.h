// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"
#include "project.h"

#include <optional>

namespace io {

// What every reader returns: a whole project (perhaps with warnings, such as a rounded
// cost) or the problems that kept it from loading. Never a half-loaded project.
class ReadResult {
public:
    static ReadResult loaded(engine::Project project, ProblemList warnings = {});
    // Precondition: problems is not empty.
    static ReadResult failed(ProblemList problems);

    bool isLoaded() const { return m_project.has_value(); }
    // Precondition: isLoaded().
    const engine::Project &project() const { return *m_project; }
    engine::Project takeProject() { return std::move(*m_project); }
    // Empty when loaded.
    const ProblemList &problems() const { return m_problems; }
    // Empty when not loaded.
    const ProblemList &warnings() const { return m_warnings; }

    // The problems, or the warnings of a loaded project, in English, one a line (see
    // ProblemList::message); empty for a project loaded without warnings.
    QString message(int shown = 20) const;

private:
    std::optional<engine::Project> m_project;
    ProblemList m_problems;
    ProblemList m_warnings;
};

} // namespace io
