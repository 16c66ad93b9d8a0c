// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "jobcontrol.h"
#include "network.h"

#include <vector>

namespace engine {

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
    // An empty curve, a placeholder until one is computed: no breakpoints and no points,
    // both durations 0, and costAt refuses every duration.
    TimeCostCurve() = default;
    // Precondition: at least one point, durations falling, the curve convex and whole.
    explicit TimeCostCurve(std::vector<CurvePoint> breakpoints);

    bool empty() const { return m_breakpoints.empty(); }
    // Time units; 0 for an empty curve.
    Duration normalDuration() const { return empty() ? 0 : m_breakpoints.front().duration; }
    Duration shortestDuration() const { return empty() ? 0 : m_breakpoints.back().duration; }
    // Breakpoints from the normal duration down to the shortest, both ends included.
    const std::vector<CurvePoint> &breakpoints() const { return m_breakpoints; }
    // The cost at a whole duration in [shortestDuration, normalDuration]; 0 above it.
    // Throws std::out_of_range below the shortest duration, and for any on an empty curve.
    Satang costAt(Duration duration) const;
    // Every whole duration from the normal one down, with its cost.
    std::vector<CurvePoint> points() const;
    // Calls visit(CurvePoint) for every whole duration from the normal one down to the
    // shortest, with its cost (time units, satang), as points() lists them but without
    // holding them: constant memory, time linear in the points visited. The cost is read
    // off the two breakpoints around each duration, exactly as costAt does. Nothing is
    // visited on an empty curve.
    template<typename Visit> void visitPoints(Visit &&visit) const
    {
        for (std::size_t k = 0; k + 1 < m_breakpoints.size(); ++k) {
            const CurvePoint &longer = m_breakpoints[k], &shorter = m_breakpoints[k + 1];
            const Satang perUnit
                = (shorter.cost - longer.cost) / (longer.duration - shorter.duration);
            for (Duration d = longer.duration; d > shorter.duration; --d)
                visit(CurvePoint {d, longer.cost + perUnit * (longer.duration - d)});
        }
        if (!empty())
            visit(m_breakpoints.back());
    }
    // How many points there are: normalDuration - shortestDuration + 1, or 0 when empty.
    Duration pointCount() const { return empty() ? 0 : normalDuration() - shortestDuration() + 1; }

private:
    std::vector<CurvePoint> m_breakpoints;
};

// The whole curve by Fulkerson's primal-dual method (1961), on LEMON's Dijkstra and
// preflow. Its dual is a flow from the project's start to its finish that earns, on every
// unit, the length of the path it takes: an activity's normal duration for the first c
// units through it (c its cost per unit) and its crash duration beyond. Each phase finds
// the longest augmenting paths (their length is the next breakpoint's duration) and sends
// as much flow along them as they take (the curve's new slope); the last phase has
// unbounded capacity and ends at the shortest duration. So it needs one shortest-path
// search and one maximum flow per breakpoint, instead of a linear programme per duration.
// With a control, each phase first looks whether to stop (JobStopped) and reports how far
// the durations have come down.
TimeCostCurve timeCostCurve(const Network &network, JobControl *control = nullptr);

} // namespace engine
