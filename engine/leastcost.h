// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"

#include <memory>
#include <optional>
#include <vector>

namespace engine {

// The exact time-cost trade-off (Kelley and Fulkerson, 1961): for a target duration, the
// durations between crash and normal that reach it at the least extra cost. Solved as the
// dual of a minimum-cost circulation with LEMON's network simplex; all numbers integral,
// so the answer is exact and its durations are whole time units.
struct LeastCost {
    Duration target = 0;
    Satang cost = 0; // extra cost over the normal durations
    std::vector<Duration> durations; // one per activity
    Duration projectDuration = 0; // with these durations; equal to the target when below normal
    // How many satang one more time unit less would cost at this point: the flow through the
    // project's deadline arc, which is a slope of the curve at the target.
    Satang marginalCost = 0;
};

// Nothing when the target lies below the shortest reachable duration. A target at or above
// the normal duration costs nothing and keeps the normal durations.
std::optional<LeastCost> leastCost(const Network &network, Duration target);

// The least extra cost alone for many targets on one network with links other than plain
// finish-to-start, its model built once (e.g. to trace the curve). The network must outlive
// it. Precondition for cost(): shortestDuration(network) <= target.
class LinkedLeastCost {
public:
    explicit LinkedLeastCost(const Network &network);
    ~LinkedLeastCost();
    LinkedLeastCost(const LinkedLeastCost &) = delete;
    LinkedLeastCost &operator=(const LinkedLeastCost &) = delete;
    Satang cost(Duration target);

    class Model; // the flow model itself, which leastCost() uses as well

private:
    std::unique_ptr<Model> m_model;
};

} // namespace engine
