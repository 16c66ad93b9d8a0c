// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "engineproblems.h"

namespace io {

ActivityField fieldOf(engine::ProblemKind kind)
{
    switch (kind) {
    case engine::ProblemKind::EmptyId:
    case engine::ProblemKind::IdTooLong:
    case engine::ProblemKind::BadIdCharacter:
    case engine::ProblemKind::DuplicateId:
        return ActivityField::Id;
    case engine::ProblemKind::NameTooLong:
        return ActivityField::Name;
    case engine::ProblemKind::UnknownPredecessor:
    case engine::ProblemKind::OwnPredecessor:
    case engine::ProblemKind::LinkTimingCount:
    case engine::ProblemKind::LagTooLarge:
    case engine::ProblemKind::Cycle:
        return ActivityField::Predecessors;
    case engine::ProblemKind::NegativeNormalDuration:
    case engine::ProblemKind::NormalDurationTooLarge:
        return ActivityField::NormalDuration;
    case engine::ProblemKind::NegativeCrashDuration:
    case engine::ProblemKind::CrashDurationTooLarge:
    case engine::ProblemKind::CrashAboveNormal:
        return ActivityField::CrashDuration;
    case engine::ProblemKind::NegativeCost:
    case engine::ProblemKind::CostTooLarge:
    case engine::ProblemKind::TotalCrashCostTooLarge:
        return ActivityField::Cost;
    case engine::ProblemKind::EstimateNotFinite:
    case engine::ProblemKind::EstimateNegative:
    case engine::ProblemKind::EstimateTooLarge:
    case engine::ProblemKind::EstimateOrder:
        return ActivityField::Estimate;
    case engine::ProblemKind::TooManyActivities:
    case engine::ProblemKind::NegativeTarget:
        return ActivityField::None;
    }
    return ActivityField::None;
}

namespace {

// The fields whose values the engine used to find the problem.
FieldSet fieldsUsed(const engine::Problem &problem)
{
    switch (problem.kind) {
    case engine::ProblemKind::CrashAboveNormal:
        return bit(ActivityField::NormalDuration) | bit(ActivityField::CrashDuration);
    case engine::ProblemKind::OwnPredecessor:
        return bit(ActivityField::Predecessors) | bit(ActivityField::Id);
    default:
        return bit(fieldOf(problem.kind));
    }
}

} // namespace

bool addEngineProblems(const engine::Project &project, const std::vector<FieldSet> &unread,
                       const PlaceOf &placeOf, ProblemList &problems)
{
    const std::vector<engine::Problem> found = engine::validate(project);
    bool anyUnread = false, anyIdUnread = false;
    for (const FieldSet fields : unread) {
        anyUnread = anyUnread || fields != 0;
        anyIdUnread = anyIdUnread || (fields & bit(ActivityField::Id)) != 0;
    }

    for (const engine::Problem &problem : found) {
        if (problem.activity >= 0
            && (unread[static_cast<std::size_t>(problem.activity)] & fieldsUsed(problem)) != 0)
            continue;
        // A cycle through an activity whose id could not be read is the stand-in's doing,
        // and the total cost counted stand-ins too.
        if (problem.kind == engine::ProblemKind::Cycle) {
            bool standIn = false;
            for (const int a : problem.cycle)
                standIn = standIn || (unread[static_cast<std::size_t>(a)] & bit(ActivityField::Id));
            if (standIn)
                continue;
        }
        if (problem.kind == engine::ProblemKind::TotalCrashCostTooLarge && anyUnread)
            continue;
        // The predecessor may be the activity whose id could not be read.
        if (problem.kind == engine::ProblemKind::UnknownPredecessor && anyIdUnread)
            continue;

        Problem placed {.kind = FileProblemKind::Engine,
                        .place = placeOf(problem.activity, fieldOf(problem.kind)),
                        .value = shownValue(problem.detail),
                        .engineKind = problem.kind};
        if (problem.kind == engine::ProblemKind::TooManyActivities)
            placed.number = static_cast<std::int64_t>(project.activities.size());
        for (const int a : problem.cycle)
            placed.names << shownValue(project.activities[static_cast<std::size_t>(a)].id);
        problems.add(std::move(placed));
    }
    return found.empty();
}

const char *keyOf(ActivityField field)
{
    switch (field) {
    case ActivityField::Id:
        return "id";
    case ActivityField::Name:
        return "name";
    case ActivityField::Predecessors:
        return "predecessors";
    case ActivityField::NormalDuration:
        return "normal_duration";
    case ActivityField::CrashDuration:
        return "crash_duration";
    case ActivityField::Cost:
        return "crash_cost_per_unit";
    case ActivityField::Estimate:
        return "estimate";
    case ActivityField::None:
        break;
    }
    return "";
}

} // namespace io
