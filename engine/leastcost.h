#pragma once

#include "network.h"

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

struct CurvePoint {
    Duration duration;
    Satang cost;
    bool operator==(const CurvePoint &) const = default;
};

// The least extra cost for every whole duration from the normal project duration down to
// the shortest reachable one: convex, non-increasing in duration, linear between its
// breakpoints, which lie on whole durations because all data are whole numbers.
class TimeCostCurve {
public:
    TimeCostCurve() = default;
    explicit TimeCostCurve(std::vector<CurvePoint> breakpoints);

    Duration normalDuration() const { return m_breakpoints.front().duration; }
    Duration shortestDuration() const { return m_breakpoints.back().duration; }
    // Breakpoints from the normal duration down to the shortest, both ends included.
    const std::vector<CurvePoint> &breakpoints() const { return m_breakpoints; }
    // The cost at a whole duration in [shortestDuration, normalDuration]; 0 above it.
    // Precondition: duration >= shortestDuration().
    Satang costAt(Duration duration) const;
    // Every whole duration from the normal one down, with its cost.
    std::vector<CurvePoint> points() const;

private:
    std::vector<CurvePoint> m_breakpoints;
};

// Solves only where the curve might bend: a duration between two known points is solved
// only if the chord over them may lie above the curve (a convex function that meets a
// chord inside an interval is linear on all of it).
TimeCostCurve timeCostCurve(const Network &network);

} // namespace engine
