// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problem.h"

namespace io {

// Where a problem is, in English: "plan.csv:5: normal_duration: ", "plan.crashkit:3:14: ",
// "plan.crashkit: activity B: predecessors: ".
QString englishPlace(const Place &place);

// The whole problem in English, e.g. "plan.csv:5: normal_duration: 'x7' is not a whole
// number".
QString englishText(const Problem &problem);

} // namespace io
