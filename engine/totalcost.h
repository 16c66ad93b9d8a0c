// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "timecostcurve.h"

#include <optional>
#include <span>

namespace engine {

// The least total cost (extra cost + indirect cost) of a project and the durations that
// reach it: every whole duration from shortest to longest does, since the total is convex.
struct LowestTotalCost {
    Satang total = 0; // satang
    Duration shortest = 0; // time units
    Duration longest = 0; // above shortest when a segment of the curve costs exactly the
                          // indirect cost per unit
    bool operator==(const LowestTotalCost &) const = default;
};

// The lowest of extra(d) + indirectPerUnit x d over the durations d of a time-cost curve,
// given by its breakpoints (TimeCostCurve::breakpoints(), or any of its points that include
// them, such as TimeCostCurve::points()); satang and time units. The total is linear between
// breakpoints, so only they are looked at: linear in their number. Nothing when the total
// at any of them leaves the 64-bit satang range. Preconditions: at least one breakpoint,
// durations falling, the curve convex, indirectPerUnit >= 0; throws std::invalid_argument
// for no breakpoint or a negative indirect cost.
std::optional<LowestTotalCost> lowestTotalCost(std::span<const CurvePoint> breakpoints,
                                               Satang indirectPerUnit);

} // namespace engine
