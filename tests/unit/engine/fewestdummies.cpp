// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "fewestdummies.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <utility>

namespace enginetest {

PredecessorLists predecessorLists(const engine::Network &network)
{
    PredecessorLists lists(static_cast<std::size_t>(network.size()));
    for (int i = 0; i < network.size(); ++i) {
        const auto predecessors = network.predecessors(i);
        lists[static_cast<std::size_t>(i)].assign(predecessors.begin(), predecessors.end());
    }
    return lists;
}

std::vector<std::vector<bool>> transitivePredecessors(const PredecessorLists &predecessors)
{
    const std::size_t n = predecessors.size();
    std::vector<std::vector<bool>> before(n, std::vector<bool>(n, false));
    // Depth first from each activity back through its lists: n ≤ a few hundred here.
    for (std::size_t y = 0; y < n; ++y) {
        std::vector<std::size_t> stack {y};
        while (!stack.empty()) {
            const std::size_t at = stack.back();
            stack.pop_back();
            for (const int p : predecessors[at]) {
                const auto x = static_cast<std::size_t>(p);
                if (!before[y][x]) {
                    before[y][x] = true;
                    stack.push_back(x);
                }
            }
        }
    }
    return before;
}

namespace {

using Mask = std::uint32_t;

Mask bit(int i)
{
    return Mask {1} << i;
}

// Whether a drawing with at most `budget` dummies exists, by building every one in turn.
//
// The search rests on one fact: with In(e) the set of activities whose head event reaches
// event e, a drawing is valid exactly when In(tail of y) is the set of y's transitive
// predecessors for every activity y (plus the rules on sources, sinks and parallel arrows).
// So an event's set is known as soon as its incoming arrows are, and whether an activity
// may leave it is then a local question.
//
// Events are made one at a time in a topological order, each with its whole set of
// incoming arrows: from each earlier event u at most one arrow (two would be parallel),
// either nothing, a dummy, or an activity y not yet drawn whose predecessors are In(u). The
// search succeeds when every activity is drawn and exactly one event has no outgoing arrow.
// Why no drawing with `budget` dummies or fewer is missed:
// - Every valid drawing has a topological order of its events, and reading it in that
//   order gives, event after event, one of the choices tried here. Among its topological
//   orders take the one whose sequence of choice vectors (event e's vector lists, for each
//   u < e, what arrives from u) is lexicographically least. Where two neighbours e-1 and e
//   are not joined by an arrow, swapping them is another topological order that changes no
//   earlier vector and puts e's vector (cut to its first e-1 entries) at position e-1; so in
//   the least order that cut vector is not below e-1's. The search only skips orders that
//   break this, so the least order of every drawing is still built.
// - The number of events is at most activities + budget + 1: every event but the start has
//   an incoming arrow, and every arrow enters one event.
// - The other cuts only drop partial drawings that no completion can make valid:
//   * the head event of x reaches the tail of every successor y of x, so In(head of x) lies
//     within y's predecessors: within the intersection over x's successors (headLimit);
//   * every event left without an outgoing arrow needs one later except the finish event
//     (which holds every activity, as every event reaches it): an activity may leave an
//     event only if its predecessors are the event's set, and each activity leaves one event,
//     so the open events no unplaced activity can leave need dummies of their own.
// Iterative deepening on the budget then makes the first budget that succeeds the least.
class Search {
public:
    // allowed: when not empty, allowed[s] says whether an event may hold the set s.
    Search(std::vector<Mask> before, std::vector<bool> allowed, int budget)
        : m_n(static_cast<int>(before.size())),
          m_all(static_cast<Mask>((std::uint64_t {1} << m_n) - 1)), m_before(std::move(before)),
          m_headLimit(static_cast<std::size_t>(m_n), m_all), m_allowed(std::move(allowed)),
          m_budget(budget), m_maxEvents(m_n + budget + 1)
    {
        for (int y = 0; y < m_n; ++y) {
            for (int x = 0; x < m_n; ++x) {
                if (m_before[static_cast<std::size_t>(y)] & bit(x))
                    m_headLimit[static_cast<std::size_t>(x)]
                        &= m_before[static_cast<std::size_t>(y)];
            }
        }
    }

    bool run()
    {
        m_label.assign(1, 0);
        m_outDegree.assign(1, 0);
        m_choice.assign(1, {});
        // choose() holds references into m_choice across the events it adds: room for all.
        m_choice.reserve(static_cast<std::size_t>(m_maxEvents) + 1);
        return addEvent();
    }

    // The drawing found by run().
    engine::ArrowDiagram diagram() const
    {
        engine::ArrowDiagram d;
        d.eventCount = static_cast<int>(m_label.size());
        d.arrows.resize(static_cast<std::size_t>(m_n));
        std::vector<engine::ArrowDiagram::Arrow> dummies;
        for (int e = 0; e < d.eventCount; ++e) {
            for (int u = 0; u < e; ++u) {
                const int c = m_choice[static_cast<std::size_t>(e)][static_cast<std::size_t>(u)];
                if (c == kDummy)
                    dummies.push_back({u, e, -1});
                else if (c >= kActivity)
                    d.arrows[static_cast<std::size_t>(c - kActivity)] = {u, e, c - kActivity};
            }
        }
        std::sort(dummies.begin(), dummies.end(), [](const auto &a, const auto &b) {
            return std::pair(a.from, a.to) < std::pair(b.from, b.to);
        });
        d.arrows.insert(d.arrows.end(), dummies.begin(), dummies.end());
        return d;
    }

private:
    static constexpr int kNone = 0, kDummy = 1, kActivity = 2; // kActivity + y: activity y

    std::size_t at(int i) const { return static_cast<std::size_t>(i); }

    // Makes the next event, or finds the drawing complete. On success the state is left as
    // the drawing found.
    bool addEvent()
    {
        const int e = static_cast<int>(m_label.size());
        int open = 0, openFinished = 0, dummiesNeeded = 0;
        // Open events per set, against the unplaced activities that could leave them.
        std::vector<std::pair<Mask, int>> openLabels;
        for (int u = 0; u < e; ++u) {
            if (m_outDegree[at(u)] > 0)
                continue;
            ++open;
            if (m_label[at(u)] == m_all)
                ++openFinished;
            else
                openLabels.emplace_back(m_label[at(u)], 0);
        }
        if (m_placed == m_all && open == 1)
            return true;
        if (e >= m_maxEvents)
            return false;
        std::sort(openLabels.begin(), openLabels.end());
        for (std::size_t i = 0; i < openLabels.size();) {
            std::size_t j = i;
            while (j < openLabels.size() && openLabels[j].first == openLabels[i].first)
                ++j;
            int leaving = 0;
            for (int y = 0; y < m_n; ++y) {
                if (!(m_placed & bit(y)) && m_before[at(y)] == openLabels[i].first)
                    ++leaving;
            }
            dummiesNeeded += std::max(0, static_cast<int>(j - i) - leaving);
            i = j;
        }
        dummiesNeeded += std::max(0, openFinished - 1);
        if (m_dummies + dummiesNeeded > m_budget)
            return false;
        const int arrowsLeft = (m_n - std::popcount(m_placed)) + (m_budget - m_dummies);
        if (open - 1 > arrowsLeft)
            return false;
        m_choice.emplace_back(at(e), kNone);
        if (choose(e, 0, 0, m_all, 0))
            return true;
        m_choice.pop_back();
        return false;
    }

    // Chooses what arrives at event e from event u and the ones after it; `label` is what
    // arrives from the earlier ones, `limit` the most the event may hold.
    bool choose(int e, int u, Mask label, Mask limit, int arrows)
    {
        std::vector<int> &choice = m_choice[at(e)];
        if (u == e) {
            // Restricted to the plain diagram's sets, only the start holds nothing.
            if (arrows == 0 || (!m_allowed.empty() && (label == 0 || !m_allowed[label])))
                return false;
            if (e >= 2 && choice[at(e - 1)] == kNone) {
                const std::vector<int> &previous = m_choice[at(e - 1)];
                if (std::lexicographical_compare(choice.begin(), choice.begin() + (e - 1),
                                                 previous.begin(), previous.end()))
                    return false;
            }
            m_label.push_back(label);
            m_outDegree.push_back(0);
            if (addEvent())
                return true;
            m_label.pop_back();
            m_outDegree.pop_back();
            return false;
        }
        choice[at(u)] = kNone;
        if (choose(e, u + 1, label, limit, arrows))
            return true;
        const Mask from = m_label[at(u)];
        ++m_outDegree[at(u)];
        if (m_dummies < m_budget && ((label | from) & ~limit) == 0) {
            choice[at(u)] = kDummy;
            ++m_dummies;
            if (choose(e, u + 1, label | from, limit, arrows + 1))
                return true;
            --m_dummies;
        }
        for (int y = 0; y < m_n; ++y) {
            if ((m_placed & bit(y)) || m_before[at(y)] != from)
                continue;
            const Mask withY = label | from | bit(y), limitY = limit & m_headLimit[at(y)];
            if (withY & ~limitY)
                continue;
            choice[at(u)] = kActivity + y;
            m_placed |= bit(y);
            if (choose(e, u + 1, withY, limitY, arrows + 1))
                return true;
            m_placed &= ~bit(y);
        }
        --m_outDegree[at(u)];
        choice[at(u)] = kNone;
        return false;
    }

    const int m_n;
    const Mask m_all;
    const std::vector<Mask> m_before; // transitive predecessors
    std::vector<Mask> m_headLimit;
    const std::vector<bool> m_allowed;
    const int m_budget, m_maxEvents;
    int m_dummies = 0;
    Mask m_placed = 0;
    std::vector<Mask> m_label; // In(e) per event made
    std::vector<int> m_outDegree;
    std::vector<std::vector<int>> m_choice; // m_choice[e][u]: what arrives at e from u
};

} // namespace

FewestDummies fewestDummies(const PredecessorLists &predecessors, EventSets sets)
{
    const int n = static_cast<int>(predecessors.size());
    if (n > kFewestDummiesLimit)
        throw std::invalid_argument("fewestDummies: too many activities for the search");
    if (n == 0)
        return {};
    const auto before = transitivePredecessors(predecessors);
    std::vector<Mask> masks(before.size(), 0);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (before[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)])
                masks[static_cast<std::size_t>(y)] |= bit(x);
        }
    }
    std::vector<bool> allowed;
    if (sets == EventSets::OfPlainDiagram) {
        allowed.assign(std::size_t {1} << n, false);
        allowed[0] = allowed[(std::size_t {1} << n) - 1] = true;
        for (int y = 0; y < n; ++y) {
            allowed[masks[static_cast<std::size_t>(y)]] = true;
            allowed[masks[static_cast<std::size_t>(y)] | bit(y)] = true;
        }
    }
    // The plain diagram is a drawing (one event per activity's head and per set of
    // predecessors, dummies between them), so this ends.
    for (int budget = 0;; ++budget) {
        Search search(masks, allowed, budget);
        if (search.run())
            return {budget, search.diagram()};
    }
}

std::string arrowDiagramProblem(const PredecessorLists &predecessors,
                                const engine::ArrowDiagram &diagram, bool ascending)
{
    const std::size_t n = predecessors.size();
    const auto &arrows = diagram.arrows;
    if (n == 0) {
        return diagram.eventCount == 0 && arrows.empty()
            ? std::string()
            : "a project without activities has events or arrows";
    }
    if (arrows.size() < n)
        return "fewer arrows than activities";
    for (std::size_t i = 0; i < arrows.size(); ++i) {
        const int want = i < n ? static_cast<int>(i) : -1;
        if (arrows[i].activity != want)
            return "arrow " + std::to_string(i) + " is for activity "
                + std::to_string(arrows[i].activity) + ", not " + std::to_string(want);
    }
    const int events = diagram.eventCount;
    if (events < 2)
        return "fewer than two events";
    const auto size = static_cast<std::size_t>(events);
    std::set<std::pair<int, int>> ends;
    std::vector<std::vector<int>> out(size);
    std::vector<int> inDegree(size, 0);
    for (const auto &arrow : arrows) {
        const std::string name = arrow.isDummy()
            ? std::string("a dummy")
            : "activity " + std::to_string(arrow.activity) + "'s arrow";
        if (arrow.from < 0 || arrow.from >= events || arrow.to < 0 || arrow.to >= events)
            return name + " has an event out of range";
        if (arrow.from == arrow.to)
            return name + " is a loop";
        if (ascending && arrow.from > arrow.to)
            return name + " runs to a lower event";
        if (!ends.insert({arrow.from, arrow.to}).second)
            return "two arrows join events " + std::to_string(arrow.from) + " and "
                + std::to_string(arrow.to);
        out[static_cast<std::size_t>(arrow.from)].push_back(arrow.to);
        ++inDegree[static_cast<std::size_t>(arrow.to)];
    }
    int sources = 0, sinks = 0;
    for (std::size_t e = 0; e < size; ++e) {
        if (inDegree[e] == 0) {
            ++sources;
            if (ascending && e != 0)
                return "event " + std::to_string(e) + " has no incoming arrow";
        }
        if (out[e].empty()) {
            ++sinks;
            if (ascending && e + 1 != size)
                return "event " + std::to_string(e) + " has no outgoing arrow";
        }
    }
    if (sources != 1 || sinks != 1)
        return std::to_string(sources) + " events without incoming arrows and "
            + std::to_string(sinks) + " without outgoing ones";
    // Kahn's order; events left over lie on a cycle.
    std::vector<int> order, remaining = inDegree;
    for (std::size_t e = 0; e < size; ++e) {
        if (remaining[e] == 0)
            order.push_back(static_cast<int>(e));
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        for (const int to : out[static_cast<std::size_t>(order[k])]) {
            if (--remaining[static_cast<std::size_t>(to)] == 0)
                order.push_back(to);
        }
    }
    if (order.size() != size)
        return "the arrows make a cycle";
    // The events each event reaches, 64 to a word.
    const std::size_t words = (size + 63) / 64;
    std::vector<std::uint64_t> reaches(size * words, 0);
    for (auto k = order.rbegin(); k != order.rend(); ++k) {
        const auto e = static_cast<std::size_t>(*k);
        reaches[e * words + e / 64] |= std::uint64_t {1} << (e % 64);
        for (const int to : out[e]) {
            for (std::size_t w = 0; w < words; ++w)
                reaches[e * words + w] |= reaches[static_cast<std::size_t>(to) * words + w];
        }
    }
    auto path = [&](int from, int to) {
        const auto f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
        return (reaches[f * words + t / 64] >> (t % 64) & 1) != 0;
    };
    const auto before = transitivePredecessors(predecessors);
    for (std::size_t x = 0; x < n; ++x) {
        for (std::size_t y = 0; y < n; ++y) {
            if (x == y)
                continue;
            const bool follows = path(arrows[x].to, arrows[y].from);
            if (follows != before[y][x])
                return "activity " + std::to_string(y)
                    + (follows ? " follows " : " does not follow ") + "activity "
                    + std::to_string(x) + " in the drawing";
        }
    }
    return {};
}

} // namespace enginetest
