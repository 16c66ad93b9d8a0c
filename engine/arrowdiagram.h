// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "jobcontrol.h"
#include "network.h"

#include <cstddef>
#include <span>
#include <vector>

namespace engine {

// A project drawn activity on arrow, as the course draws it: numbered events (circles), each
// activity an arrow from the event where it may start to the event its finish leads to, and
// dummy arrows (no time, drawn dashed) where the precedences need them.
//
// - One start event (number 1) and one finish event (the last number); events are numbered
//   so that every arrow runs from a lower to a higher number.
// - An activity follows another in the drawing (a path leads from the head of one arrow to
//   the tail of the other) exactly when it must in the table, directly or through others.
// - No two arrows join the same two events: parallel activities get a dummy.
// - Dummies are few: see buildArrowDiagram.
struct ArrowDiagram {
    struct Arrow {
        int from = 0, to = 0; // events, counted from 0 (the event's number is one more)
        int activity = -1; // the activity's index in the network; -1 for a dummy
        bool isDummy() const { return activity < 0; }
        bool operator==(const Arrow &) const = default;
    };
    int eventCount = 0; // 0 for a project without activities, else at least 2
    // Activity i's arrow is arrows[i]; the dummies follow, ordered by their two events.
    std::vector<Arrow> arrows;
    // Whether every merge of two events was tried (projects up to kArrowDiagramFullLimit
    // activities). Above that, only merges that need no precedence test are made and
    // precedences implied by others are kept, so some dummies could be spared.
    bool fullyReduced = true;

    std::size_t dummyCount() const;
};

// Up to this many activities the construction holds the whole precedence relation in memory
// (activities² bits: 32 MiB here) and tries every merge.
inline constexpr int kArrowDiagramFullLimit = 16384;

// The activity-on-arrow diagram of a sound network. The least number of dummies is NP-hard
// to find; the construction merges events, in the manner of Fisher, Liebman and Nemhauser's
// network construction (1968):
// 1. Precedences implied by others are dropped (transitive reduction).
// 2. Start from the plain diagram: one event per distinct set of immediate predecessors
//    (the start event for none), one end event per activity, a dummy from the end event of
//    every activity to the event of each set it is in, and one to the finish event from
//    each activity nothing follows.
// 3. Repeatedly contract a dummy (merge its two events) when that adds no precedence and
//    makes no two activities parallel, and remove a dummy that another path makes needless,
//    until no dummy can go.
// 4. Number the events in an order that puts earlier events (at normal durations) first.
// Time about (activities + links) x the number of passes of step 3, plus activities² / 64
// for the precedence relation. Throws std::invalid_argument unless network.plainLinks().
ArrowDiagram buildArrowDiagram(const Network &network, JobControl *control = nullptr);

// The event times of the diagram for one set of durations (one per activity), as the course
// writes them in the circles: earliest (forward pass from 0 at the start event) and latest
// (backward pass from the project duration at the finish event). They equal CPM's: an
// activity's tail event holds its earliest start, its head event its latest finish.
struct EventTimes {
    std::vector<Duration> earliest, latest; // per event
    std::vector<bool> criticalArrow; // per arrow: no slack between its two events' times
    Duration projectDuration = 0;
    bool isCritical(int event) const
    {
        return earliest[static_cast<std::size_t>(event)] == latest[static_cast<std::size_t>(event)];
    }
};
EventTimes computeEventTimes(const ArrowDiagram &diagram, std::span<const Duration> durations);

} // namespace engine
