// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "schedule.h"

#include <algorithm>
#include <stdexcept>

namespace engine {

Schedule computeSchedule(const Network &network, std::span<const Duration> durations)
{
    Schedule schedule;
    computeSchedule(network, durations, schedule);
    return schedule;
}

void computeSchedule(const Network &network, std::span<const Duration> durations, Schedule &s)
{
    const auto n = static_cast<std::size_t>(network.size());
    if (durations.size() != n)
        throw std::invalid_argument("computeSchedule: one duration per activity");
    // Every entry is written below, so old values need no clearing.
    s.earliestStart.resize(n);
    s.earliestFinish.resize(n);
    s.latestStart.resize(n);
    s.latestFinish.resize(n);
    s.projectDuration = 0;
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        Duration start = 0;
        for (const int p : network.predecessors(a))
            start = std::max(start, s.earliestFinish[static_cast<std::size_t>(p)]);
        s.earliestStart[i] = start;
        s.earliestFinish[i] = start + durations[i];
        s.projectDuration = std::max(s.projectDuration, s.earliestFinish[i]);
    }
    // Backwards over the same predecessor lists as the forward pass: each activity, once its
    // latest finish is final, pulls its predecessors' latest finish down to its latest start.
    std::fill(s.latestFinish.begin(), s.latestFinish.end(), s.projectDuration);
    const std::span<const int> order = network.topologicalOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const auto i = static_cast<std::size_t>(*it);
        const Duration start = s.latestFinish[i] - durations[i];
        s.latestStart[i] = start;
        for (const int p : network.predecessors(*it)) {
            Duration &finish = s.latestFinish[static_cast<std::size_t>(p)];
            finish = std::min(finish, start);
        }
    }
}

std::vector<int> criticalActivities(const Schedule &schedule)
{
    std::vector<int> critical;
    for (std::size_t i = 0; i < schedule.earliestStart.size(); ++i) {
        if (schedule.isCritical(static_cast<int>(i)))
            critical.push_back(static_cast<int>(i));
    }
    return critical;
}

CriticalPaths listCriticalPaths(const Network &network, const Schedule &schedule, std::size_t limit)
{
    CriticalPaths result;
    result.complete = visitCriticalPaths(network, schedule, limit, [&](std::span<const int> path) {
        result.paths.emplace_back(path.begin(), path.end());
    });
    return result;
}

bool visitCriticalPaths(const Network &network, const Schedule &schedule, std::size_t limit,
                        const std::function<void(std::span<const int> path)> &visit)
{
    if (network.size() == 0)
        return true;
    // A link continues a critical path when both ends are critical and the successor
    // starts the moment the predecessor finishes. From every critical activity such a link
    // leads on to the project's end, so the depth-first walk below never dead-ends.
    auto continues = [&](int from, int to) {
        return schedule.isCritical(to)
            && schedule.earliestStart[static_cast<std::size_t>(to)]
            == schedule.earliestFinish[static_cast<std::size_t>(from)];
    };
    auto ends = [&](int a) {
        return network.successors(a).empty()
            && schedule.earliestFinish[static_cast<std::size_t>(a)] == schedule.projectDuration;
    };
    struct Frame {
        int activity;
        std::size_t next;
    };
    std::vector<Frame> stack;
    std::vector<int> path;
    std::size_t visited = 0;
    for (int start = 0; start < network.size(); ++start) {
        if (!network.predecessors(start).empty() || !schedule.isCritical(start)
            || schedule.earliestStart[static_cast<std::size_t>(start)] != 0)
            continue;
        stack.push_back({start, 0});
        path.push_back(start);
        while (!stack.empty()) {
            Frame &top = stack.back();
            const std::span<const int> next = network.successors(top.activity);
            if (top.next == 0 && ends(top.activity)) {
                if (visited == limit)
                    return false;
                ++visited;
                visit(path);
            }
            while (top.next < next.size() && !continues(top.activity, next[top.next]))
                ++top.next;
            if (top.next < next.size()) {
                const int to = next[top.next++];
                stack.push_back({to, 0});
                path.push_back(to);
            } else {
                stack.pop_back();
                path.pop_back();
            }
        }
    }
    return true;
}

Duration shortestDuration(const Network &network)
{
    return computeSchedule(network, network.crashDurations()).projectDuration;
}

} // namespace engine
