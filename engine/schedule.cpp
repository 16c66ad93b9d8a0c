// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "schedule.h"

#include <algorithm>
#include <stdexcept>

namespace engine {

namespace {

// The passes for links of every type and lag: no activity starts before the project (time
// 0), and the project ends when the last activity finishes, whichever that is.
void computeLinkedSchedule(const Network &network, std::span<const Duration> durations, Schedule &s)
{
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        const std::span<const int> before = network.predecessors(a);
        const std::span<const LinkTiming> timing = network.predecessorTimings(a);
        Duration start = 0;
        for (std::size_t k = 0; k < before.size(); ++k) {
            const auto p = static_cast<std::size_t>(before[k]);
            start = std::max(start,
                             startAllowedAfter(timing[k], s.earliestStart[p], s.earliestFinish[p],
                                               durations[i]));
        }
        s.earliestStart[i] = start;
        s.earliestFinish[i] = start + durations[i];
        s.projectDuration = std::max(s.projectDuration, s.earliestFinish[i]);
    }
    const std::span<const int> order = network.topologicalOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const auto i = static_cast<std::size_t>(*it);
        const std::span<const int> after = network.successors(*it);
        const std::span<const LinkTiming> timing = network.successorTimings(*it);
        Duration finish = s.projectDuration;
        for (std::size_t k = 0; k < after.size(); ++k) {
            const auto j = static_cast<std::size_t>(after[k]);
            finish = std::min(
                finish,
                finishAllowedBefore(timing[k], s.latestStart[j], s.latestFinish[j], durations[i]));
        }
        s.latestFinish[i] = finish;
        s.latestStart[i] = finish - durations[i];
    }
}

} // namespace

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
    if (!network.plainLinks()) {
        computeLinkedSchedule(network, durations, s);
        return;
    }
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
    // With links of other types, a link continues the path when it is what holds the
    // successor's start back; a path starts at an activity held only by the project's start
    // and ends at one that finishes with the project.
    const bool plain = network.plainLinks();
    auto continues = [&](int from, std::size_t link, int to) {
        const auto f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
        if (!schedule.isCritical(to))
            return false;
        if (plain)
            return schedule.earliestStart[t] == schedule.earliestFinish[f];
        const Duration duration = schedule.earliestFinish[t] - schedule.earliestStart[t];
        return schedule.earliestStart[t]
            == startAllowedAfter(network.successorTimings(from)[link], schedule.earliestStart[f],
                                 schedule.earliestFinish[f], duration);
    };
    auto ends = [&](int a) {
        return (!plain || network.successors(a).empty())
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
        if ((plain && !network.predecessors(start).empty()) || !schedule.isCritical(start)
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
            while (top.next < next.size() && !continues(top.activity, top.next, next[top.next]))
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

std::vector<Duration> shortestDurations(const Network &network)
{
    if (network.plainLinks())
        return {network.crashDurations().begin(), network.crashDurations().end()};
    // The earliest times of every start and finish under the links, the project's start and
    // each activity lasting between its crash and normal duration: a start is held back by
    // the links into it, a finish by its links and the start plus the crash duration, and
    // the start again by the finish less the normal duration. The links go forward in the
    // order, so one pass settles every activity, and since each time is the least any
    // schedule allows, so is the project's end.
    const auto n = static_cast<std::size_t>(network.size());
    std::vector<Duration> start(n), finish(n), durations(n);
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        const std::span<const int> before = network.predecessors(a);
        const std::span<const LinkTiming> timing = network.predecessorTimings(a);
        Duration s = 0, f = 0;
        for (std::size_t k = 0; k < before.size(); ++k) {
            const auto p = static_cast<std::size_t>(before[k]);
            const LinkTiming t = timing[k];
            const Duration from = (fromFinish(t.type) ? finish[p] : start[p]) + t.lag;
            if (toStart(t.type))
                s = std::max(s, from);
            else
                f = std::max(f, from);
        }
        f = std::max(f, s + network.crashDurations()[i]);
        s = std::max(s, f - network.normalDurations()[i]);
        start[i] = s;
        finish[i] = f;
        durations[i] = f - s;
    }
    return durations;
}

Duration shortestDuration(const Network &network)
{
    if (network.plainLinks())
        return computeSchedule(network, network.crashDurations()).projectDuration;
    return computeSchedule(network, shortestDurations(network)).projectDuration;
}

} // namespace engine
