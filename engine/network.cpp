// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "network.h"

#include "validation.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace engine {

Network::Network(const Project &project)
{
    const std::vector<Problem> problems = validate(project);
    if (!problems.empty())
        throw std::invalid_argument("the project cannot be analysed: "
                                    + describe(problems.front(), project));

    const std::size_t n = project.activities.size();
    std::unordered_map<std::string_view, int> index;
    index.reserve(n);
    m_normal.reserve(n);
    m_crash.reserve(n);
    m_cost.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Activity &a = project.activities[i];
        index.emplace(a.id, static_cast<int>(i));
        m_normal.push_back(a.normalDuration);
        m_crash.push_back(a.crashDuration);
        m_cost.push_back(a.crashCostPerUnit);
    }

    std::vector<std::size_t> start;
    std::vector<int> lists;
    std::vector<LinkTiming> timings;
    const bool plain = hasPlainLinks(project);
    start.reserve(n + 1);
    start.push_back(0);
    for (std::size_t i = 0; i < n; ++i) {
        const Activity &a = project.activities[i];
        for (std::size_t k = 0; k < a.predecessors.size(); ++k) {
            lists.push_back(index.at(a.predecessors[k]));
            if (!plain)
                timings.push_back(a.linkTiming(k));
        }
        start.push_back(lists.size());
    }
    link(start, lists, timings);
}

Network::Network(int size, std::span<const std::pair<int, int>> links)
{
    if (size < 0)
        throw std::invalid_argument("Network: a negative number of nodes");
    const auto n = static_cast<std::size_t>(size);
    m_normal.assign(n, 0);
    m_crash.assign(n, 0);
    m_cost.assign(n, 0);
    // The links grouped by the node they lead to.
    std::vector<std::size_t> start(n + 1, 0);
    for (const auto &[from, to] : links) {
        if (from < 0 || to < 0 || from >= size || to >= size)
            throw std::invalid_argument("Network: a link to a node out of range");
        ++start[static_cast<std::size_t>(to) + 1];
    }
    for (std::size_t i = 0; i < n; ++i)
        start[i + 1] += start[i];
    std::vector<int> lists(links.size());
    std::vector<std::size_t> fill(start.begin(), start.end() - 1);
    for (const auto &[from, to] : links)
        lists[fill[static_cast<std::size_t>(to)]++] = from;
    link(start, lists);
}

void Network::link(std::span<const std::size_t> start, std::span<const int> lists,
                   std::span<const LinkTiming> timings)
{
    const std::size_t n = start.size() - 1;
    m_plainLinks = timings.empty();
    std::vector<int> lastSeenBy(n, -1);
    m_predecessorStart.reserve(n + 1);
    m_predecessorStart.push_back(0);
    std::vector<std::size_t> successorCount(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t first = m_predecessorIndex.size();
        // Without repeats: a list naming one activity twice with the same timing is one link
        // (two different timings are two constraints, both kept).
        for (std::size_t k = start[i]; k < start[i + 1]; ++k) {
            const int before = lists[k];
            const auto p = static_cast<std::size_t>(before);
            const bool seen = lastSeenBy[p] == static_cast<int>(i);
            lastSeenBy[p] = static_cast<int>(i);
            if (m_plainLinks) {
                if (seen)
                    continue;
            } else {
                // Only a predecessor already met in this list needs the search.
                bool repeated = false;
                for (std::size_t m = first; seen && m < m_predecessorIndex.size() && !repeated; ++m)
                    repeated
                        = m_predecessorIndex[m] == before && m_predecessorTiming[m] == timings[k];
                if (repeated)
                    continue;
                m_predecessorTiming.push_back(timings[k]);
            }
            m_predecessorIndex.push_back(before);
            ++successorCount[p];
        }
        m_predecessorStart.push_back(m_predecessorIndex.size());
    }
    if (!m_plainLinks) {
        m_plainLinks = std::all_of(m_predecessorTiming.begin(), m_predecessorTiming.end(),
                                   [](const LinkTiming &t) { return t.plain(); });
        if (m_plainLinks)
            m_predecessorTiming.clear();
    }
    m_successorStart.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        m_successorStart[i + 1] = m_successorStart[i] + successorCount[i];
    m_successorIndex.resize(m_predecessorIndex.size());
    if (!m_plainLinks)
        m_successorTiming.resize(m_predecessorIndex.size());
    std::vector<std::size_t> fill(m_successorStart.begin(), m_successorStart.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = m_predecessorStart[i]; k < m_predecessorStart[i + 1]; ++k) {
            const std::size_t at = fill[static_cast<std::size_t>(m_predecessorIndex[k])]++;
            m_successorIndex[at] = static_cast<int>(i);
            if (!m_plainLinks)
                m_successorTiming[at] = m_predecessorTiming[k];
        }
    }

    // Kahn's order; every node is reached unless there is a cycle (validation rules them
    // out for projects).
    std::vector<std::size_t> waiting(n);
    m_order.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        waiting[i] = m_predecessorStart[i + 1] - m_predecessorStart[i];
        if (waiting[i] == 0)
            m_order.push_back(static_cast<int>(i));
    }
    for (std::size_t k = 0; k < m_order.size(); ++k) {
        for (const int s : successors(m_order[k])) {
            if (--waiting[static_cast<std::size_t>(s)] == 0)
                m_order.push_back(s);
        }
    }
    if (m_order.size() != n)
        throw std::invalid_argument("Network: the links make a cycle");
}

std::span<const int> Network::predecessors(int activity) const
{
    const auto i = static_cast<std::size_t>(activity);
    return std::span<const int>(m_predecessorIndex)
        .subspan(m_predecessorStart[i], m_predecessorStart[i + 1] - m_predecessorStart[i]);
}

std::span<const LinkTiming> Network::predecessorTimings(int activity) const
{
    if (m_plainLinks)
        return {};
    const auto i = static_cast<std::size_t>(activity);
    return std::span<const LinkTiming>(m_predecessorTiming)
        .subspan(m_predecessorStart[i], m_predecessorStart[i + 1] - m_predecessorStart[i]);
}

std::span<const LinkTiming> Network::successorTimings(int activity) const
{
    if (m_plainLinks)
        return {};
    const auto i = static_cast<std::size_t>(activity);
    return std::span<const LinkTiming>(m_successorTiming)
        .subspan(m_successorStart[i], m_successorStart[i + 1] - m_successorStart[i]);
}

std::span<const int> Network::successors(int activity) const
{
    const auto i = static_cast<std::size_t>(activity);
    return std::span<const int>(m_successorIndex)
        .subspan(m_successorStart[i], m_successorStart[i + 1] - m_successorStart[i]);
}

} // namespace engine
