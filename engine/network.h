// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <span>
#include <utility>
#include <vector>

namespace engine {

// A sound project compiled into index arrays: activity i of the project is node i.
// Predecessor and successor lists are stored flat (compressed rows), each list without
// repeats, and one topological order is kept, so every pass over the network is linear in
// activities + links.
// Which end of the predecessor a link starts from, and which end of its activity it holds.
inline bool fromFinish(LinkType type)
{
    return type == LinkType::FinishToStart || type == LinkType::FinishToFinish;
}
inline bool toStart(LinkType type)
{
    return type == LinkType::FinishToStart || type == LinkType::StartToStart;
}

// The earliest start a link lets its activity (of the given duration) have, from its
// predecessor's start and finish. Written without branches on the type: schedules of mixed
// types run through it a link at a time.
inline Duration startAllowedAfter(LinkTiming link, Duration predecessorStart,
                                  Duration predecessorFinish, Duration duration)
{
    return (fromFinish(link.type) ? predecessorFinish : predecessorStart) + link.lag
        - (toStart(link.type) ? 0 : duration);
}

// The latest finish a link lets its predecessor (of the given duration) have, from the
// activity's start and finish.
inline Duration finishAllowedBefore(LinkTiming link, Duration start, Duration finish,
                                    Duration predecessorDuration)
{
    return (toStart(link.type) ? start : finish) - link.lag
        + (fromFinish(link.type) ? 0 : predecessorDuration);
}

class Network {
public:
    Network() = default;

    // Precondition: validate(project) is empty; throws std::invalid_argument otherwise
    // (with the first problem's description).
    explicit Network(const Project &project);
    // Nodes 0 .. size-1 joined by the given links (from, to) without durations: e.g. the
    // events and arrows of an activity-on-arrow diagram, to lay them out. Repeated links
    // count once; throws std::invalid_argument for a node out of range or a cycle.
    Network(int size, std::span<const std::pair<int, int>> links);

    int size() const { return static_cast<int>(m_normal.size()); }
    std::size_t linkCount() const { return m_predecessorIndex.size(); }

    std::span<const int> predecessors(int activity) const;
    std::span<const int> successors(int activity) const;
    // The timing of each link in predecessors(activity) and successors(activity), in the same
    // order; empty spans when plainLinks().
    std::span<const LinkTiming> predecessorTimings(int activity) const;
    std::span<const LinkTiming> successorTimings(int activity) const;
    // Whether every link is finish-to-start without lag: the textbook's network, for which
    // an activity's start is the latest finish before it.
    bool plainLinks() const { return m_plainLinks; }
    // Every activity after all its predecessors.
    std::span<const int> topologicalOrder() const { return m_order; }

    std::span<const Duration> normalDurations() const { return m_normal; }
    std::span<const Duration> crashDurations() const { return m_crash; }
    std::span<const Satang> costsPerUnit() const { return m_cost; }

private:
    // Fills the compressed rows and the order from each node's predecessors (node i's are
    // lists[start[i] .. start[i + 1]), repeats allowed, with their timings when given, else
    // all plain); throws std::invalid_argument for a cycle.
    void link(std::span<const std::size_t> start, std::span<const int> lists,
              std::span<const LinkTiming> timings = {});

    std::vector<Duration> m_normal, m_crash;
    std::vector<Satang> m_cost;
    std::vector<std::size_t> m_predecessorStart, m_successorStart; // size() + 1 entries
    std::vector<int> m_predecessorIndex, m_successorIndex;
    std::vector<LinkTiming> m_predecessorTiming, m_successorTiming; // empty when plain
    bool m_plainLinks = true;
    std::vector<int> m_order;
};

} // namespace engine
