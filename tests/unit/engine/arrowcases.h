// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "fewestdummies.h"

#include <vector>

// Small projects whose least number of dummies is argued by hand, for the exact search and
// for engine::buildArrowDiagram. Letters name the activities in index order (a = 0, ...).
//
// Two facts carry the arguments. (1) Without dummies every event but the start is the head
// of an activity and every event but the finish the tail of one. (2) A path from the head of
// x to the tail of y that passes no activity strictly between x and y (there is none) is
// made of dummies only, so when that head and tail differ a dummy ends at the tail.

namespace enginetest {

struct ArrowHandCase {
    const char *what;
    PredecessorLists predecessors;
    int fewestDummies;
    // The least among drawings whose events hold only sets of the plain diagram, nothing at
    // the start alone (see EventSets::OfPlainDiagram): a bound below every drawing that
    // contracting and removing dummies reach, and reached by one of them on every case here.
    // The same as fewestDummies but where the comment argues otherwise.
    int byMerging = fewestDummies;
};

inline std::vector<ArrowHandCase> arrowHandCases()
{
    return {
        {"one activity", {{}}, 0},
        {"a chain a-b-c", {{}, {0}, {1}}, 0},
        // a; b, c after a; d after b; e after c; f after d, e: a diamond of arrows.
        {"six activities drawn without dummies", {{}, {0}, {0}, {1}, {2}, {3, 4}}, 0},
        // Without dummies both heads are the finish (fact 1: nothing leaves them) and both
        // tails the start (only the start holds nothing): parallel.
        {"independent a and b", {{}, {}}, 1},
        // Fact 2: head(a) = tail(c) = head(b) without dummies, and both start at the start.
        {"a and b before c", {{}, {}, {0, 1}}, 1},
        // Fact 2 without dummies: head(a) = tail(c) and head(a) = tail(d), but tail(c) holds
        // {a} and tail(d) {a, b}.
        {"N: a before c; a, b before d", {{}, {}, {0}, {0, 1}}, 1},
        // The pair a, b needs a dummy as above; so do c and d, which both end at the finish
        // unless a dummy leads one head there, or leave different events that both hold
        // {a, b}, where a second event holding {a, b} needs a dummy into it. No one dummy
        // does both: one ends at an event holding c or d, the other at one that holds
        // neither.
        {"a, b before c and d", {{}, {}, {0, 1}, {0, 1}}, 2},
        // One dummy gives the four activities at most two pairs of ends: two tails (the start
        // and an event the dummy leads to that holds nothing) or two heads (the finish and an
        // event with the dummy to it). Two dummies give four: start -> s, h -> finish, and
        // the arrows s or start to h or finish.
        // By merging: the start is the only event that holds nothing, so all four leave it
        // for four different heads, and three of those need a dummy to the finish.
        {"four independent activities", {{}, {}, {}, {}}, 2, 3},
        // head(a) reaches tail(x) and tail(y) (two events, x's holds c, y's d) through
        // dummies only (fact 2), so dummies end at both. With only those two, each path is
        // one dummy, so head(a) and head(b) are both the event it leaves, and a and b both
        // leave the start (no dummy enters any other event that holds nothing): parallel.
        // Three do it: a and b joined by one, and one from their joint head to each of
        // tail(x) = head(c) and tail(y) = head(d).
        // By merging there is no event holding {a, b}: the events holding a but none of b, c,
        // d hold {a}, and the way from them to tail(x) and to tail(y) leaves them by a dummy
        // into an event holding {a, b, c} and by another into one holding {a, b, d}. The
        // same for b: four.
        {"x after a, b, c; y after a, b, d", {{}, {}, {}, {}, {0, 1, 2}, {0, 1, 3}}, 3, 4},
        // a, b, c; d after a; e after a, b; f after b, c. head(a) holds only {a} (d follows
        // it) and head(b) only {b}, so tail(e), which holds {a, b}, is neither: only dummies
        // enter it, and the first event holding {a, b} on the way has two. tail(f) holds
        // {b, c} and is reached from head(b) through dummies only: a third. Three suffice.
        {"six: d after a; e after a, b; f after b, c", {{}, {}, {}, {0}, {0, 1}, {1, 2}}, 3},
        // a, b; c after a; d after a, b; e after b; f after c, d, e. As above, two dummies
        // enter the events that hold {a, b}; c, d and e then run from three events to the
        // tail of f, so two suffice.
        {"six: c after a; d after a, b; e after b; f after c, d, e",
         {{}, {}, {0}, {0, 1}, {1}, {2, 3, 4}},
         2},
    };
}

} // namespace enginetest
