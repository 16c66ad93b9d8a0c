// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "totalcost.h"

#include <algorithm>
#include <stdexcept>

namespace engine {

std::optional<LowestTotalCost> lowestTotalCost(std::span<const CurvePoint> breakpoints,
                                               Satang indirectPerUnit)
{
    if (breakpoints.empty())
        throw std::invalid_argument("lowestTotalCost: no breakpoints");
    if (indirectPerUnit < 0)
        throw std::invalid_argument("lowestTotalCost: a negative indirect cost");
    std::optional<LowestTotalCost> lowest;
    for (const CurvePoint &point : breakpoints) {
        const std::optional<Satang> indirect = checkedMultiply(indirectPerUnit, point.duration);
        const std::optional<Satang> total
            = indirect ? checkedAdd(*indirect, point.cost) : std::nullopt;
        if (!total)
            return std::nullopt;
        if (!lowest || *total < lowest->total) {
            lowest = LowestTotalCost {*total, point.duration, point.duration};
        } else if (*total == lowest->total) {
            // On a convex total the breakpoints that tie are neighbours, and so is every
            // whole duration between them.
            lowest->shortest = std::min(lowest->shortest, point.duration);
            lowest->longest = std::max(lowest->longest, point.duration);
        }
    }
    return lowest;
}

} // namespace engine
