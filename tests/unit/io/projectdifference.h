// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <string>

namespace iotest {

// Empty when the two projects hold the same data (the title and target only when asked),
// else the first difference. The time unit always: both formats keep it.
inline std::string difference(const engine::Project &a, const engine::Project &b,
                              bool wholeProject = true)
{
    if (wholeProject && a.title != b.title)
        return "title '" + a.title + "' vs '" + b.title + "'";
    if (wholeProject && a.target != b.target)
        return "target differs";
    if (a.timeUnit != b.timeUnit)
        return "time unit differs";
    if (a.activities.size() != b.activities.size())
        return std::to_string(a.activities.size()) + " vs " + std::to_string(b.activities.size())
            + " activities";
    for (std::size_t i = 0; i < a.activities.size(); ++i) {
        const engine::Activity &x = a.activities[i], &y = b.activities[i];
        std::string at = "activity ";
        at += std::to_string(i + 1) + " ('" + x.id + "'): ";
        if (x.id != y.id)
            return at + "id '" + y.id + "'";
        if (x.name != y.name)
            return at + "name '" + x.name + "' vs '" + y.name + "'";
        if (x.predecessors != y.predecessors)
            return at + "predecessors differ";
        // Links by what they say: no timings and plain ones are the same.
        for (std::size_t k = 0; k < x.predecessors.size(); ++k) {
            if (x.linkTiming(k) != y.linkTiming(k))
                return at + "the link to '" + x.predecessors[k] + "' differs";
        }
        if (x.normalDuration != y.normalDuration || x.crashDuration != y.crashDuration)
            return at + "durations differ";
        if (x.crashCostPerUnit != y.crashCostPerUnit)
            return at + "cost " + std::to_string(x.crashCostPerUnit) + " vs "
                + std::to_string(y.crashCostPerUnit);
        // Estimates exactly: a file keeps every bit of them.
        if (x.estimate.has_value() != y.estimate.has_value())
            return at + (x.estimate ? "estimates lost" : "estimates appeared");
        if (x.estimate && !(*x.estimate == *y.estimate))
            return at + "estimates differ";
    }
    return {};
}

} // namespace iotest
