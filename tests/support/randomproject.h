// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"
#include "validation.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

// Random projects for the engine's tests, fuzz drivers and benchmarks. The same seed gives
// the same project on every platform: choices are taken straight from std::mt19937_64,
// whose sequence the standard fixes, and never through a standard distribution, whose
// algorithm each library picks itself.

namespace testsupport {

using Random = std::mt19937_64;

// 0 .. n-1; n > 0.
inline std::int64_t below(Random &random, std::int64_t n)
{
    return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(n));
}

// lo .. hi, both included; lo <= hi.
inline std::int64_t between(Random &random, std::int64_t lo, std::int64_t hi)
{
    const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
    const std::uint64_t draw
        = span == std::numeric_limits<std::uint64_t>::max() ? random() : random() % (span + 1);
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + draw);
}

// True in about `percent` of the calls.
inline bool chance(Random &random, int percent)
{
    return below(random, 100) < percent;
}

// What a random project looks like. Every project made from it is sound.
struct ProjectShape {
    int activities = 10;
    // Each activity draws 0 .. 2 * predecessors predecessors among those before it, so it
    // has about this many; the first activity has none. Repeats in a list happen at times
    // (a list naming one activity twice is one link).
    int predecessors = 2;
    // When > 0, predecessors come only from the `window` activities just before, which
    // makes long, narrow networks; 0: from all earlier activities (short, wide ones).
    int window = 0;
    engine::Duration maxDuration = 20; // normal durations 0 .. maxDuration
    engine::Satang maxCost = 100'000; // costs per unit 0 .. maxCost satang
    // How often an activity has a zero normal duration, a crash duration equal to its
    // normal one, or a zero cost per unit (each, independently).
    int specialPercent = 10;
    // How many of the links (percent) get a random type and a lag in -maxLag .. maxLag; 0
    // keeps every link plain (and draws nothing more, so older seeds give the same projects).
    int linkPercent = 0;
    engine::Duration maxLag = 5;
};

// A random link timing: any of the four types, lag in -maxLag .. maxLag.
inline engine::LinkTiming randomLinkTiming(Random &random, engine::Duration maxLag)
{
    return {static_cast<engine::LinkType>(below(random, 4)), between(random, -maxLag, maxLag)};
}

// The id of activity `index` as randomProject names it.
inline std::string activityId(int index)
{
    // Appended rather than added: GCC 12 at -O3 warns falsely (-Wrestrict) about "A" + text.
    std::string id = "A";
    id += std::to_string(index);
    return id;
}

// A sound activity-on-node network: activity i has id activityId(i) and only earlier
// activities as predecessors, so it has no cycle. Crash durations lie between 0 and the
// normal one.
inline engine::Project randomProject(Random &random, const ProjectShape &shape)
{
    engine::Project project;
    project.title = "random";
    project.activities.reserve(static_cast<std::size_t>(shape.activities));
    for (int i = 0; i < shape.activities; ++i) {
        engine::Activity a;
        a.id = activityId(i);
        if (chance(random, 50))
            a.name.append("activity ").append(std::to_string(i));
        const int first = shape.window > 0 ? std::max(0, i - shape.window) : 0;
        if (i > first) {
            const auto count = below(random, 2 * std::int64_t {shape.predecessors} + 1);
            for (std::int64_t k = 0; k < count; ++k)
                a.predecessors.push_back(
                    activityId(static_cast<int>(between(random, first, i - 1))));
        }
        a.normalDuration
            = chance(random, shape.specialPercent) ? 0 : between(random, 0, shape.maxDuration);
        a.crashDuration = chance(random, shape.specialPercent)
            ? a.normalDuration
            : between(random, 0, a.normalDuration);
        a.crashCostPerUnit
            = chance(random, shape.specialPercent) ? 0 : between(random, 0, shape.maxCost);
        if (shape.linkPercent > 0 && !a.predecessors.empty()) {
            for (std::size_t k = 0; k < a.predecessors.size(); ++k)
                a.linkTimings.push_back(chance(random, shape.linkPercent)
                                            ? randomLinkTiming(random, shape.maxLag)
                                            : engine::LinkTiming {});
        }
        project.activities.push_back(std::move(a));
    }
    return project;
}

// A fault planted in a project, and the problem validate() must report for it: its kind and
// the activity it names (-1 for the project as a whole). For a cycle, `activity` is one of
// the activities the planted cycle passes through.
struct PlantedFault {
    engine::ProblemKind kind;
    int activity = -1;
    std::string detail; // the unknown predecessor's id
};

// Plants up to `count` faults, each on activities no other planted fault touches, so that
// each must be reported as planted (validate() may report more: a renamed id, for
// instance, leaves its successors naming an unknown predecessor). Precondition: the project
// came from randomProject (ids activityId(i), predecessors before their successors).
inline std::vector<PlantedFault> plantFaults(Random &random, engine::Project &project, int count)
{
    using engine::ProblemKind;
    static constexpr ProblemKind kinds[] = {
        ProblemKind::EmptyId,
        ProblemKind::IdTooLong,
        ProblemKind::BadIdCharacter,
        ProblemKind::NameTooLong,
        ProblemKind::DuplicateId,
        ProblemKind::UnknownPredecessor,
        ProblemKind::OwnPredecessor,
        ProblemKind::Cycle,
        ProblemKind::NegativeNormalDuration,
        ProblemKind::NegativeCrashDuration,
        ProblemKind::NegativeCost,
        ProblemKind::NormalDurationTooLarge,
        ProblemKind::CrashDurationTooLarge,
        ProblemKind::CostTooLarge,
        ProblemKind::CrashAboveNormal,
        ProblemKind::TotalCrashCostTooLarge,
        ProblemKind::NegativeTarget,
    };
    std::vector<engine::Activity> &activities = project.activities;
    const auto n = static_cast<std::int64_t>(activities.size());
    std::vector<bool> touched(activities.size(), false);
    std::vector<PlantedFault> planted;
    bool projectFaultPlanted = false;

    // Renames activity i and every reference to it (or drops the references when the new
    // id is empty, since an empty predecessor id is a problem of the successor).
    auto rename = [&](std::size_t i, const std::string &id) {
        const std::string old = activities[i].id;
        activities[i].id = id;
        for (engine::Activity &a : activities) {
            if (id.empty())
                std::erase(a.predecessors, old);
            else
                std::replace(a.predecessors.begin(), a.predecessors.end(), old, id);
        }
    };
    auto untouched = [&]() -> std::int64_t {
        for (int attempt = 0; attempt < 8 && n > 0; ++attempt) {
            const std::int64_t i = below(random, n);
            if (!touched[static_cast<std::size_t>(i)])
                return i;
        }
        return -1;
    };

    for (int k = 0; k < count; ++k) {
        const ProblemKind kind = kinds[below(random, std::size(kinds))];
        if (kind == ProblemKind::TotalCrashCostTooLarge || kind == ProblemKind::NegativeTarget) {
            if (projectFaultPlanted)
                continue;
            if (kind == ProblemKind::NegativeTarget) {
                project.target = -between(random, 1, std::numeric_limits<std::int64_t>::max());
                planted.push_back({kind, -1, {}});
                projectFaultPlanted = true;
                continue;
            }
        }
        const std::int64_t at = untouched();
        if (at < 0)
            continue;
        const auto i = static_cast<std::size_t>(at);
        engine::Activity &a = activities[i];
        PlantedFault fault {kind, static_cast<int>(at), {}};
        switch (kind) {
        case ProblemKind::EmptyId:
            rename(i, "");
            break;
        case ProblemKind::IdTooLong:
            rename(i, a.id + std::string(static_cast<std::size_t>(between(random, 101, 300)), 'x'));
            break;
        case ProblemKind::BadIdCharacter: {
            static const std::string bad[] = {",", ";", "\t", "\n", std::string(1, '\0'), "\x7f"};
            const std::string id
                = chance(random, 30) ? " " + a.id : a.id + bad[below(random, std::size(bad))];
            rename(i, id);
            break;
        }
        case ProblemKind::NameTooLong:
            a.name.assign(static_cast<std::size_t>(between(random, 1001, 3000)), 'n');
            break;
        case ProblemKind::DuplicateId: {
            // Take the id of an earlier, untouched activity; its references now lead there,
            // which is earlier still, so no cycle appears.
            if (at == 0)
                continue;
            const auto j = static_cast<std::size_t>(below(random, at));
            if (touched[j])
                continue;
            touched[j] = true;
            rename(i, activities[j].id);
            break;
        }
        case ProblemKind::UnknownPredecessor:
            fault.detail.append("missing").append(std::to_string(k));
            a.predecessors.push_back(fault.detail);
            break;
        case ProblemKind::OwnPredecessor:
            a.predecessors.push_back(a.id);
            break;
        case ProblemKind::Cycle: {
            // Make the activity a predecessor of one of its own predecessors.
            if (a.predecessors.empty())
                continue;
            const std::string &p = a.predecessors[static_cast<std::size_t>(
                below(random, static_cast<std::int64_t>(a.predecessors.size())))];
            const auto found = std::find_if(activities.begin(), activities.end(),
                                            [&](const engine::Activity &b) { return b.id == p; });
            if (found == activities.end())
                continue;
            const auto j = static_cast<std::size_t>(found - activities.begin());
            if (touched[j] || j == i)
                continue;
            touched[j] = true;
            activities[j].predecessors.push_back(a.id);
            break;
        }
        case ProblemKind::NegativeNormalDuration:
            a.normalDuration = -between(random, 1, std::numeric_limits<std::int64_t>::max());
            break;
        case ProblemKind::NegativeCrashDuration:
            a.crashDuration = -between(random, 1, std::numeric_limits<std::int64_t>::max());
            break;
        case ProblemKind::NegativeCost:
            a.crashCostPerUnit = -between(random, 1, std::numeric_limits<std::int64_t>::max());
            break;
        case ProblemKind::NormalDurationTooLarge:
            a.normalDuration = between(random, engine::kMaxDuration + 1,
                                       std::numeric_limits<std::int64_t>::max());
            a.crashDuration = std::min(a.crashDuration, engine::kMaxDuration);
            break;
        case ProblemKind::CrashDurationTooLarge:
            a.crashDuration = between(random, engine::kMaxDuration + 1,
                                      std::numeric_limits<std::int64_t>::max());
            a.normalDuration = std::max<std::int64_t>(a.normalDuration, 0);
            break;
        case ProblemKind::CostTooLarge:
            a.crashCostPerUnit = between(random, engine::kMaxCostPerUnit + 1,
                                         std::numeric_limits<std::int64_t>::max());
            break;
        case ProblemKind::CrashAboveNormal:
            a.normalDuration = between(random, 0, engine::kMaxDuration - 1);
            a.crashDuration = between(random, a.normalDuration + 1, engine::kMaxDuration);
            break;
        case ProblemKind::TotalCrashCostTooLarge:
            // One activity alone may cost up to 10^17 satang to crash fully.
            a.normalDuration = engine::kMaxDuration;
            a.crashDuration = 0;
            a.crashCostPerUnit = engine::kMaxCostPerUnit;
            fault.activity = -1;
            projectFaultPlanted = true;
            break;
        default:
            continue;
        }
        touched[i] = true;
        planted.push_back(std::move(fault));
    }
    return planted;
}

} // namespace testsupport
