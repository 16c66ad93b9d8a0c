// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "arrowdiagram.h"

#include "schedule.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <queue>
#include <stdexcept>
#include <tuple>

namespace engine {

std::size_t ArrowDiagram::dummyCount() const
{
    return static_cast<std::size_t>(
        std::count_if(arrows.begin(), arrows.end(), [](const Arrow &a) { return a.isDummy(); }));
}

namespace {

// The precedence relation as bit rows: row y holds every activity that must finish before y
// starts, directly or through others.
class Precedence {
public:
    explicit Precedence(const Network &network)
        : m_words((static_cast<std::size_t>(network.size()) + 63) / 64),
          m_bits(static_cast<std::size_t>(network.size()) * m_words, 0)
    {
        for (const int y : network.topologicalOrder()) {
            std::uint64_t *row = rowOf(y);
            for (const int p : network.predecessors(y)) {
                const std::uint64_t *from = rowOf(p);
                for (std::size_t w = 0; w < m_words; ++w)
                    row[w] |= from[w];
                row[static_cast<std::size_t>(p) / 64] |= std::uint64_t {1} << (p % 64);
            }
        }
    }

    bool precedes(int x, int y) const
    {
        return (rowOf(y)[static_cast<std::size_t>(x) / 64] >> (x % 64)) & 1U;
    }

    // The immediate predecessors of y: those not before another predecessor of y.
    std::vector<int> immediatePredecessors(const Network &network, int y,
                                           std::vector<std::uint64_t> &scratch) const
    {
        const std::span<const int> predecessors = network.predecessors(y);
        std::vector<int> kept;
        if (predecessors.size() <= 1) {
            kept.assign(predecessors.begin(), predecessors.end());
            return kept;
        }
        scratch.assign(m_words, 0);
        for (const int q : predecessors) {
            const std::uint64_t *from = rowOf(q);
            for (std::size_t w = 0; w < m_words; ++w)
                scratch[w] |= from[w];
        }
        for (const int p : predecessors) {
            if (!((scratch[static_cast<std::size_t>(p) / 64] >> (p % 64)) & 1U))
                kept.push_back(p);
        }
        return kept;
    }

private:
    std::uint64_t *rowOf(int y) { return m_bits.data() + static_cast<std::size_t>(y) * m_words; }
    const std::uint64_t *rowOf(int y) const
    {
        return m_bits.data() + static_cast<std::size_t>(y) * m_words;
    }

    std::size_t m_words;
    std::vector<std::uint64_t> m_bits;
};

// The diagram while events are merged: arcs with their ends, and each event's arcs in and
// out. An event that was merged into another has no arcs left.
class Builder {
public:
    Builder(const Network &network, const Precedence *precedence)
        : m_network(network), m_precedence(precedence)
    {
    }

    void buildPlainDiagram(const std::vector<std::vector<int>> &immediate);
    // Contracts or removes dummies until none can go.
    void reduce(JobControl *control);
    ArrowDiagram finish() const;

private:
    struct Arc {
        int from = 0, to = 0;
        int activity = -1;
        bool alive = true;
    };

    int addEvent()
    {
        m_in.emplace_back();
        m_out.emplace_back();
        return static_cast<int>(m_in.size()) - 1;
    }
    int addArc(int from, int to, int activity)
    {
        m_arcs.push_back({from, to, activity, true});
        const int id = static_cast<int>(m_arcs.size()) - 1;
        m_out[static_cast<std::size_t>(from)].push_back(id);
        m_in[static_cast<std::size_t>(to)].push_back(id);
        return id;
    }
    void removeArc(int id);
    bool tryDummy(int id);
    // Forward: the activities whose arrows leave `event` or an event reached from it by
    // dummies alone, not using arc `skip`; backward: those whose arrows enter `event` or an
    // event that reaches it so. Returns whether `target` is among the events passed.
    bool nearestActivities(int event, int skip, bool forward, int target,
                           std::vector<int> &activities);
    bool mergeMakesParallelActivities(int u, int v);
    void merge(int dummy);

    const Network &m_network;
    const Precedence *m_precedence;
    std::vector<Arc> m_arcs;
    std::vector<std::vector<int>> m_in, m_out;
    int m_start = 0, m_finish = 0;
    // Scratch for the searches, stamped per visit.
    std::vector<int> m_visited, m_stack, m_marks;
    int m_stamp = 0;
};

void Builder::buildPlainDiagram(const std::vector<std::vector<int>> &immediate)
{
    const auto n = static_cast<std::size_t>(m_network.size());
    m_start = addEvent();
    // One event per distinct set of immediate predecessors; the start event for none.
    std::map<std::vector<int>, int> eventOfSet;
    std::vector<int> tail(n);
    for (std::size_t a = 0; a < n; ++a) {
        if (immediate[a].empty()) {
            tail[a] = m_start;
            continue;
        }
        auto [it, added] = eventOfSet.try_emplace(immediate[a], 0);
        if (added)
            it->second = addEvent();
        tail[a] = it->second;
    }
    std::vector<int> head(n);
    for (std::size_t a = 0; a < n; ++a)
        head[a] = addEvent();
    m_finish = addEvent();
    // The activities' arcs first, in activity order, then the dummies.
    for (std::size_t a = 0; a < n; ++a)
        addArc(tail[a], head[a], static_cast<int>(a));
    for (const auto &[set, event] : eventOfSet) {
        for (const int p : set)
            addArc(head[static_cast<std::size_t>(p)], event, -1);
    }
    std::vector<bool> followed(n, false);
    for (std::size_t a = 0; a < n; ++a) {
        for (const int p : immediate[a])
            followed[static_cast<std::size_t>(p)] = true;
    }
    for (std::size_t a = 0; a < n; ++a) {
        if (!followed[a])
            addArc(head[a], m_finish, -1);
    }
    m_visited.assign(m_in.size(), 0);
    m_marks.assign(m_in.size(), -1);
}

void Builder::removeArc(int id)
{
    Arc &arc = m_arcs[static_cast<std::size_t>(id)];
    arc.alive = false;
    auto drop
        = [id](std::vector<int> &list) { list.erase(std::find(list.begin(), list.end(), id)); };
    drop(m_out[static_cast<std::size_t>(arc.from)]);
    drop(m_in[static_cast<std::size_t>(arc.to)]);
}

bool Builder::nearestActivities(int event, int skip, bool forward, int target,
                                std::vector<int> &activities)
{
    bool reached = false;
    ++m_stamp;
    m_stack.assign(1, event);
    m_visited[static_cast<std::size_t>(event)] = m_stamp;
    while (!m_stack.empty()) {
        const int e = m_stack.back();
        m_stack.pop_back();
        for (const int id :
             forward ? m_out[static_cast<std::size_t>(e)] : m_in[static_cast<std::size_t>(e)]) {
            const Arc &arc = m_arcs[static_cast<std::size_t>(id)];
            if (id == skip)
                continue;
            if (arc.activity >= 0) {
                activities.push_back(arc.activity);
                continue;
            }
            const int next = forward ? arc.to : arc.from;
            reached = reached || next == target;
            if (m_visited[static_cast<std::size_t>(next)] != m_stamp) {
                m_visited[static_cast<std::size_t>(next)] = m_stamp;
                m_stack.push_back(next);
            }
        }
    }
    return reached;
}

// Two activities would join the same two events: one enters u and one v from the same
// event, or one leaves u and one v for the same event.
bool Builder::mergeMakesParallelActivities(int u, int v)
{
    auto clash
        = [this](const std::vector<int> &first, const std::vector<int> &second, bool byTail) {
              ++m_stamp;
              for (const int id : first) {
                  const Arc &arc = m_arcs[static_cast<std::size_t>(id)];
                  if (arc.activity >= 0)
                      m_visited[static_cast<std::size_t>(byTail ? arc.from : arc.to)] = m_stamp;
              }
              for (const int id : second) {
                  const Arc &arc = m_arcs[static_cast<std::size_t>(id)];
                  if (arc.activity >= 0
                      && m_visited[static_cast<std::size_t>(byTail ? arc.from : arc.to)] == m_stamp)
                      return true;
              }
              return false;
          };
    return clash(m_in[static_cast<std::size_t>(u)], m_in[static_cast<std::size_t>(v)], true)
        || clash(m_out[static_cast<std::size_t>(u)], m_out[static_cast<std::size_t>(v)], false);
}

// Merges the two events of a dummy (the event with fewer arcs into the other) and removes
// the dummies the merge made parallel to another arc.
void Builder::merge(int dummy)
{
    const Arc arc = m_arcs[static_cast<std::size_t>(dummy)];
    removeArc(dummy);
    int keep = arc.to, gone = arc.from;
    const auto degree = [this](int e) {
        return m_in[static_cast<std::size_t>(e)].size() + m_out[static_cast<std::size_t>(e)].size();
    };
    if (keep != m_finish && (gone == m_finish || degree(gone) > degree(keep)))
        std::swap(keep, gone);
    for (const int id : m_in[static_cast<std::size_t>(gone)]) {
        m_arcs[static_cast<std::size_t>(id)].to = keep;
        m_in[static_cast<std::size_t>(keep)].push_back(id);
    }
    for (const int id : m_out[static_cast<std::size_t>(gone)]) {
        m_arcs[static_cast<std::size_t>(id)].from = keep;
        m_out[static_cast<std::size_t>(keep)].push_back(id);
    }
    m_in[static_cast<std::size_t>(gone)].clear();
    m_out[static_cast<std::size_t>(gone)].clear();

    // Parallel arcs: keep an activity's arc over a dummy (the merge was refused when two
    // activities would be parallel), and one of two dummies.
    auto removeParallel = [this](int event, bool incoming) {
        const std::vector<int> list = incoming ? m_in[static_cast<std::size_t>(event)]
                                               : m_out[static_cast<std::size_t>(event)];
        auto otherEnd = [&](int id) {
            const Arc &a = m_arcs[static_cast<std::size_t>(id)];
            return static_cast<std::size_t>(incoming ? a.from : a.to);
        };
        std::vector<int> redundant;
        for (const int id : list) {
            int &kept = m_marks[otherEnd(id)];
            if (kept < 0) {
                kept = id;
            } else if (m_arcs[static_cast<std::size_t>(kept)].activity < 0) {
                redundant.push_back(kept);
                kept = id;
            } else {
                redundant.push_back(id);
            }
        }
        for (const int id : list)
            m_marks[otherEnd(id)] = -1;
        for (const int id : redundant)
            removeArc(id);
    };
    removeParallel(keep, true);
    removeParallel(keep, false);
}

// Contracts the dummy, or removes it when another path makes it needless; returns whether
// the diagram changed.
bool Builder::tryDummy(int id)
{
    const Arc arc = m_arcs[static_cast<std::size_t>(id)];
    std::vector<int> after, before;
    if (nearestActivities(arc.from, id, true, arc.to, after)) {
        // Dummies lead from one event to the other another way.
        removeArc(id);
        return true;
    }
    nearestActivities(arc.to, id, false, -1, before);
    // Merging adds the precedences (x before y) for every x finishing before `to` and every y
    // starting after `from`: enough to look at the nearest of each, reached by dummies alone.
    if (!before.empty() && !after.empty()) {
        if (!m_precedence)
            return false;
        bool adds = false;
        for (const int y : after) {
            for (const int x : before) {
                if (m_precedence->precedes(x, y))
                    continue;
                // y before x (or y is x): another path leads from `from` to `to`.
                if (x == y || m_precedence->precedes(y, x)) {
                    removeArc(id);
                    return true;
                }
                adds = true;
            }
        }
        if (adds)
            return false;
    }
    if (mergeMakesParallelActivities(arc.from, arc.to))
        return false;
    merge(id);
    return true;
}

void Builder::reduce(JobControl *control)
{
    const auto activities = static_cast<std::size_t>(m_network.size());
    for (int pass = 0;; ++pass) {
        bool changed = false;
        for (std::size_t id = activities; id < m_arcs.size(); ++id) {
            if ((id & 1023) == 0)
                checkpoint(control,
                           std::min(0.9,
                                    0.3 + 0.2 * pass
                                        + 0.2 * static_cast<double>(id)
                                            / static_cast<double>(m_arcs.size())));
            if (m_arcs[id].alive && tryDummy(static_cast<int>(id)))
                changed = true;
        }
        if (!changed)
            break;
    }
}

ArrowDiagram Builder::finish() const
{
    const auto events = m_in.size();
    // Earliest times at normal durations, to number earlier events first.
    std::vector<Duration> earliest(events, 0);
    std::vector<std::size_t> waiting(events, 0);
    for (std::size_t e = 0; e < events; ++e)
        waiting[e] = m_in[e].size();
    // Events in use: the start, and those with arcs.
    using Key = std::tuple<Duration, int, int>; // earliest, first activity leaving, event
    std::priority_queue<Key, std::vector<Key>, std::greater<>> ready;
    const auto normal = m_network.normalDurations();
    auto firstActivityOut = [this](std::size_t e) {
        int first = m_network.size();
        for (const int id : m_out[e]) {
            const int a = m_arcs[static_cast<std::size_t>(id)].activity;
            if (a >= 0)
                first = std::min(first, a);
        }
        return first;
    };
    ready.emplace(0, firstActivityOut(static_cast<std::size_t>(m_start)), m_start);
    std::vector<int> number(events, -1);
    int next = 0;
    while (!ready.empty()) {
        const auto [time, first, event] = ready.top();
        ready.pop();
        number[static_cast<std::size_t>(event)] = next++;
        for (const int id : m_out[static_cast<std::size_t>(event)]) {
            const Arc &arc = m_arcs[static_cast<std::size_t>(id)];
            const auto to = static_cast<std::size_t>(arc.to);
            const Duration length
                = arc.activity >= 0 ? normal[static_cast<std::size_t>(arc.activity)] : 0;
            earliest[to] = std::max(earliest[to], time + length);
            if (--waiting[to] == 0)
                ready.emplace(earliest[to], firstActivityOut(to), arc.to);
        }
    }
    if (number[static_cast<std::size_t>(m_finish)] != next - 1)
        throw std::logic_error("buildArrowDiagram: the finish event is not last");

    ArrowDiagram diagram;
    diagram.eventCount = next;
    diagram.arrows.resize(static_cast<std::size_t>(m_network.size()));
    std::vector<ArrowDiagram::Arrow> dummies;
    for (const Arc &arc : m_arcs) {
        if (!arc.alive)
            continue;
        const ArrowDiagram::Arrow arrow {number[static_cast<std::size_t>(arc.from)],
                                         number[static_cast<std::size_t>(arc.to)], arc.activity};
        if (arc.activity >= 0)
            diagram.arrows[static_cast<std::size_t>(arc.activity)] = arrow;
        else
            dummies.push_back(arrow);
    }
    std::sort(dummies.begin(), dummies.end(), [](const auto &a, const auto &b) {
        return std::tie(a.from, a.to) < std::tie(b.from, b.to);
    });
    diagram.arrows.insert(diagram.arrows.end(), dummies.begin(), dummies.end());
    return diagram;
}

} // namespace

ArrowDiagram buildArrowDiagram(const Network &network, JobControl *control)
{
    if (!network.plainLinks())
        throw std::invalid_argument("buildArrowDiagram: an arrow's tail is its activity's start "
                                    "and its head the finish, so links must be finish-to-start "
                                    "without lags");
    const int n = network.size();
    if (n == 0)
        return {};
    checkpoint(control, 0.0);
    const bool full = n <= kArrowDiagramFullLimit;
    std::unique_ptr<Precedence> precedence;
    std::vector<std::vector<int>> immediate(static_cast<std::size_t>(n));
    if (full) {
        precedence = std::make_unique<Precedence>(network);
        std::vector<std::uint64_t> scratch;
        for (int a = 0; a < n; ++a) {
            if ((a & 1023) == 0)
                checkpoint(control, 0.2 * a / n);
            immediate[static_cast<std::size_t>(a)]
                = precedence->immediatePredecessors(network, a, scratch);
        }
    } else {
        for (int a = 0; a < n; ++a) {
            const auto predecessors = network.predecessors(a);
            immediate[static_cast<std::size_t>(a)].assign(predecessors.begin(), predecessors.end());
        }
    }
    for (std::vector<int> &set : immediate)
        std::sort(set.begin(), set.end());
    checkpoint(control, 0.25);

    Builder builder(network, precedence.get());
    builder.buildPlainDiagram(immediate);
    builder.reduce(control);
    ArrowDiagram diagram = builder.finish();
    diagram.fullyReduced = full;
    checkpoint(control, 1.0);
    return diagram;
}

EventTimes computeEventTimes(const ArrowDiagram &diagram, std::span<const Duration> durations)
{
    const auto events = static_cast<std::size_t>(diagram.eventCount);
    EventTimes times;
    times.earliest.assign(events, 0);
    times.latest.assign(events, 0);
    times.criticalArrow.assign(diagram.arrows.size(), false);
    if (events == 0)
        return times;
    auto length = [&](const ArrowDiagram::Arrow &arrow) -> Duration {
        return arrow.isDummy() ? 0 : durations[static_cast<std::size_t>(arrow.activity)];
    };
    // Every arrow runs to a higher number: arrows taken by their tail's number see each
    // event's earliest time final before it is used, and in reverse its latest time.
    std::vector<std::size_t> byTail(diagram.arrows.size());
    for (std::size_t i = 0; i < byTail.size(); ++i)
        byTail[i] = i;
    std::stable_sort(byTail.begin(), byTail.end(), [&](std::size_t a, std::size_t b) {
        return diagram.arrows[a].from < diagram.arrows[b].from;
    });
    for (const std::size_t i : byTail) {
        const ArrowDiagram::Arrow &arrow = diagram.arrows[i];
        Duration &to = times.earliest[static_cast<std::size_t>(arrow.to)];
        to = std::max(to, times.earliest[static_cast<std::size_t>(arrow.from)] + length(arrow));
    }
    times.projectDuration = times.earliest[events - 1];
    times.latest.assign(events, times.projectDuration);
    for (auto it = byTail.rbegin(); it != byTail.rend(); ++it) {
        const ArrowDiagram::Arrow &arrow = diagram.arrows[*it];
        Duration &from = times.latest[static_cast<std::size_t>(arrow.from)];
        from = std::min(from, times.latest[static_cast<std::size_t>(arrow.to)] - length(arrow));
    }
    for (std::size_t i = 0; i < diagram.arrows.size(); ++i) {
        const ArrowDiagram::Arrow &arrow = diagram.arrows[i];
        times.criticalArrow[i] = times.latest[static_cast<std::size_t>(arrow.to)]
                - times.earliest[static_cast<std::size_t>(arrow.from)] - length(arrow)
            == 0;
    }
    return times;
}

} // namespace engine
