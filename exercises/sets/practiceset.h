// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "practicerule.h"
#include "project.h"

#include <string_view>
#include <vector>

// A practice set's own data, apart from its window: the built-in rows, the fixed path list
// and the time unit of its crashing log. Texts are UTF-8; nothing here needs Qt.

struct BuiltInRow {
    const char *activity;
    const char *predecessor;
    const char *normalDuration;
    const char *crashDuration;
    const char *crashCostPerDay;
};

struct PathDefinition {
    // Activity letters from the first node to the last; also the crashing candidate list.
    std::string_view activities;
    // Blanks between the letters and " = " in the path's log label.
    int labelFill;
};

struct PracticeSet {
    int number; // 1..5
    int capacity; // m: the table holds m pristine and m working rows
    std::vector<BuiltInRow> rows; // activities A, B, ... in order
    std::vector<PathDefinition> paths; // path 1 first
    const char *unitPiece; // of the crashing selection line
    // The paths as activity indices (A = 0), as the practice rule takes them.
    std::vector<engine::practice::Path> routes {};
};

// Set n, n = 1..5 (std::out_of_range otherwise).
const PracticeSet &practiceSet(int number);

// The built-in rows as a project of the planning engine: ids are the activity letters,
// names the description after "X-" where the set has one, predecessors read from the
// letters of the predecessor texts ("D , E", "B,C", "-"), costs in satang. The title names
// the set.
engine::Project practiceProject(const PracticeSet &set);

// The set with its routes filled in from the paths' letters; used where a set is defined.
PracticeSet withRoutes(PracticeSet set);
