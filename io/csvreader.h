// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "readresult.h"

#include <string_view>

namespace io {

// Reads a project from CSV text (see "Project files" in the README): a header row naming the
// columns, then one activity a row. `file` is the name problems are placed in. The project has no
// title and no target; its time unit is the day unless a unit column names another. Linear in
// the text's size.
ReadResult readCsv(std::string_view bytes, const QString &file);

} // namespace io
