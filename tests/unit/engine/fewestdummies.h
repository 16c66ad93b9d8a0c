// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "arrowdiagram.h"
#include "network.h"

#include <string>
#include <vector>

// The yardsticks for engine::buildArrowDiagram, independent of it: the least number of
// dummies of any activity-on-arrow drawing of a small project, found by exhaustive search,
// and a check of a drawing against the precedence table worked out from the lists alone.

namespace enginetest {

// Activity i's immediate predecessors, by index (as the network holds them).
using PredecessorLists = std::vector<std::vector<int>>;

PredecessorLists predecessorLists(const engine::Network &network);

// before[y][x]: x must finish before y starts, directly or through others. Precondition: the
// lists have no cycle.
std::vector<std::vector<bool>> transitivePredecessors(const PredecessorLists &predecessors);

// The search is exact up to this many activities; 7 takes a second or so at worst.
inline constexpr int kFewestDummiesLimit = 8;

struct FewestDummies {
    int dummies = 0;
    // One drawing with that many dummies: events numbered in the order the search made them
    // (every arrow to a higher number), activity i's arrow first at index i.
    engine::ArrowDiagram diagram;
};

// Which drawings the search looks at.
enum class EventSets {
    Any,
    // Only those whose every event holds a set of activities (the activities whose arrows
    // lead to it) that an event of the plain diagram holds: nothing (the start alone), an
    // activity's transitive predecessors, those and the activity, or everything.
    // Contracting a dummy gives the merged event the set its head held, and removing one
    // changes no set, so that stays true: no drawing engine::buildArrowDiagram makes has
    // fewer dummies than this least.
    OfPlainDiagram,
};

// The least number of dummies of any valid drawing of the given kind. Throws
// std::invalid_argument above kFewestDummiesLimit activities.
FewestDummies fewestDummies(const PredecessorLists &predecessors, EventSets sets = EventSets::Any);

// What is wrong with `diagram` as a drawing of the project with these lists, or "" when
// nothing is: activity i's arrow at index i and only dummies after; events in range; every
// arrow to a higher number (when `ascending`); no two arrows with the same two ends; one
// event without incoming arrows and one without outgoing ones (event 0 and the last when
// `ascending`); and a path from the head of x to the tail of y exactly when x precedes y.
// A project without activities must have no events and no arrows.
std::string arrowDiagramProblem(const PredecessorLists &predecessors,
                                const engine::ArrowDiagram &diagram, bool ascending = true);

} // namespace enginetest
