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
    // Every activity after all its predecessors.
    std::span<const int> topologicalOrder() const { return m_order; }

    std::span<const Duration> normalDurations() const { return m_normal; }
    std::span<const Duration> crashDurations() const { return m_crash; }
    std::span<const Satang> costsPerUnit() const { return m_cost; }

private:
    // Fills the compressed rows and the order from each node's predecessors (node i's are
    // lists[start[i] .. start[i + 1]), repeats allowed); throws std::invalid_argument for a
    // cycle.
    void link(std::span<const std::size_t> start, std::span<const int> lists);

    std::vector<Duration> m_normal, m_crash;
    std::vector<Satang> m_cost;
    std::vector<std::size_t> m_predecessorStart, m_successorStart; // size() + 1 entries
    std::vector<int> m_predecessorIndex, m_successorIndex;
    std::vector<int> m_order;
};

} // namespace engine
