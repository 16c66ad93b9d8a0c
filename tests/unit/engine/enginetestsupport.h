// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "project.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

// Small helpers shared by the engine tests: projects written as tables, and path lengths
// worked out straight from a project's predecessor lists, independent of the engine.

namespace enginetest {

struct Row {
    const char *id;
    const char *predecessors; // ids separated by commas, "" for none
    engine::Duration normal, crash;
    engine::Satang costPerUnit; // satang
};

inline engine::Project projectOf(std::initializer_list<Row> rows)
{
    engine::Project project;
    for (const Row &row : rows) {
        engine::Activity a;
        a.id = row.id;
        std::string list = row.predecessors;
        for (std::size_t at = 0; !list.empty() && at <= list.size();) {
            const std::size_t comma = std::min(list.find(',', at), list.size());
            a.predecessors.push_back(list.substr(at, comma - at));
            at = comma + 1;
        }
        a.normalDuration = row.normal;
        a.crashDuration = row.crash;
        a.crashCostPerUnit = row.costPerUnit;
        project.activities.push_back(a);
    }
    return project;
}

// Practice set 1 of the course, days and Baht per day.
inline engine::Project practiceSet1()
{
    return projectOf({
        {"A", "", 7, 6, 15000},
        {"B", "", 8, 6, 7500},
        {"C", "A", 9, 7, 20000},
        {"D", "A", 11, 9, 12500},
        {"E", "B", 8, 5, 11500},
        {"F", "B", 10, 7, 10000},
        {"G", "C", 13, 11, 20000},
        {"H", "D,E", 13, 12, 10000},
        {"I", "F", 14, 10, 12500},
    });
}

// The longest chain of links from an activity without predecessors to one without
// successors that passes no blocked activity (blocked may be empty: none is), with the
// given durations; -1 when every chain passes a blocked one. Reads the project's
// predecessor lists itself. Precondition: the project is sound and every predecessor comes
// before its successors in the list (as in randomProject's projects and the tables here).
inline engine::Duration longestPath(const engine::Project &project,
                                    std::span<const engine::Duration> durations,
                                    const std::vector<bool> &blocked = {})
{
    const std::size_t n = project.activities.size();
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < n; ++i)
        index[project.activities[i].id] = i;
    std::vector<bool> hasSuccessor(n, false);
    for (const engine::Activity &a : project.activities) {
        for (const std::string &p : a.predecessors)
            hasSuccessor[index.at(p)] = true;
    }
    std::vector<engine::Duration> finish(n, -1);
    engine::Duration longest = -1;
    for (std::size_t i = 0; i < n; ++i) {
        if (!blocked.empty() && blocked[i])
            continue;
        engine::Duration start = project.activities[i].predecessors.empty() ? 0 : -1;
        for (const std::string &p : project.activities[i].predecessors)
            start = std::max(start, finish[index.at(p)]);
        if (start < 0)
            continue;
        finish[i] = start + durations[i];
        if (!hasSuccessor[i])
            longest = std::max(longest, finish[i]);
    }
    return longest;
}

// What extra cost these durations mean against the normal ones, in satang.
inline engine::Satang extraCost(const engine::Project &project,
                                std::span<const engine::Duration> durations)
{
    engine::Satang cost = 0;
    for (std::size_t i = 0; i < project.activities.size(); ++i) {
        const engine::Activity &a = project.activities[i];
        cost += a.crashCostPerUnit * (a.normalDuration - durations[i]);
    }
    return cost;
}

inline std::vector<engine::Duration> normalDurations(const engine::Project &project)
{
    std::vector<engine::Duration> durations;
    for (const engine::Activity &a : project.activities)
        durations.push_back(a.normalDuration);
    return durations;
}

inline std::vector<engine::Duration> crashDurations(const engine::Project &project)
{
    std::vector<engine::Duration> durations;
    for (const engine::Activity &a : project.activities)
        durations.push_back(a.crashDuration);
    return durations;
}

} // namespace enginetest
