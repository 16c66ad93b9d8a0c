// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"
#include "project.h"
#include "validation.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace io {

// The parts of an activity that a file holds and an engine problem can be about.
enum class ActivityField : std::uint8_t {
    None = 0,
    Id = 1,
    Name = 2,
    Predecessors = 4,
    NormalDuration = 8,
    CrashDuration = 16,
    Cost = 32,
    Estimate = 64, // PERT's three time estimates
};
using FieldSet = std::uint8_t; // ActivityField bits

inline FieldSet bit(ActivityField field)
{
    return static_cast<FieldSet>(field);
}

// The field's key in a .crashkit file, which is also its CSV column but for the id
// ("activity" there); empty for None.
const char *keyOf(ActivityField field);

// The field an engine problem is placed at.
ActivityField fieldOf(engine::ProblemKind kind);

// Where a reader puts a problem of one activity's field (activity -1: the whole project).
using PlaceOf = std::function<Place(int activity, ActivityField field)>;

// Validates the project and adds every engine problem, placed by `placeOf`, to `problems`.
// A problem about a field that could not be read (its bit set in unread[activity], which
// has one entry an activity) is left out: the engine saw a stand-in value there, not the
// file's. Returns whether the engine found nothing.
bool addEngineProblems(const engine::Project &project, const std::vector<FieldSet> &unread,
                       const PlaceOf &placeOf, ProblemList &problems);

} // namespace io
