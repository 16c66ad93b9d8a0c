// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <QByteArray>

namespace io {

// The project's activities as CSV for Excel and LibreOffice: a UTF-8 byte order mark, CRLF
// line ends, the header activity,name,predecessors,normal_duration,crash_duration,
// crash_cost_per_unit (then optimistic,most_likely,pessimistic when an activity has PERT
// estimates, each the shortest decimal that reads back exactly; blank for an activity
// without; then unit, the project's time unit on every row, when it is not the day), fields
// quoted only where needed, predecessors in the link notation joined by ", " ("A, B SS+2",
// see linknotation.h), costs in Baht without decimals when whole. The title and target are
// not written, nor the unit of a project without activities (no row can hold it).
// Precondition: the project is sound (engine::validate is empty) and its texts are UTF-8,
// so that readCsv gives the same activities back.
QByteArray writeCsv(const engine::Project &project);

} // namespace io
