// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <vector>

namespace enginetest {

// One time-cost problem: the least extra cost that brings the project to `target`.
struct LpProblem {
    const engine::Project *project; // sound; at least one activity
    engine::Duration target; // at least the shortest reachable duration
};

// Solves every problem with GLPK's glpsol, in one run, as a linear programme written here
// from the definition alone: a start time s_i >= 0 and a reduction 0 <= x_i <= normal_i -
// crash_i per activity, s_j >= s_i + normal_i - x_i for every link i -> j, s_i + normal_i -
// x_i <= target for every activity, minimising the sum of cost_i * x_i. Links of the other
// types compare the starts and finishes they name, lag added, in the same way. Returns each optimum
// in satang as glpsol computed it (in floating point). Throws std::runtime_error when glpsol
// cannot be run or does not report an optimum.
std::vector<double> solveWithGlpsol(const std::vector<LpProblem> &problems);

} // namespace enginetest
