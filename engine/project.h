// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "money.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// Whole time units (days, weeks: the project says which; nothing converts between them).
using Duration = std::int64_t;

// PERT's three time estimates of an activity, in time units (decimals allowed, e.g. 2.5):
// sound when 0 <= optimistic <= mostLikely <= pessimistic.
struct ThreeTimeEstimate {
    double optimistic = 0;
    double mostLikely = 0;
    double pessimistic = 0;
    bool operator==(const ThreeTimeEstimate &) const = default;
};

// How a link ties an activity to its predecessor, with a lag in time units (negative: a
// lead). Finish-to-start: it starts `lag` after the predecessor finishes; start-to-start: it
// starts `lag` after the predecessor starts; finish-to-finish: it finishes `lag` after the
// predecessor finishes; start-to-finish: it finishes `lag` after the predecessor starts.
// Each is "at the earliest": an activity may always be later.
enum class LinkType { FinishToStart, StartToStart, FinishToFinish, StartToFinish };

struct LinkTiming {
    LinkType type = LinkType::FinishToStart;
    Duration lag = 0;
    // The textbook's link: finish-to-start without lag.
    bool plain() const { return type == LinkType::FinishToStart && lag == 0; }
    bool operator==(const LinkTiming &) const = default;
};

// The unit every duration and lag of a project counts in.
enum class TimeUnit { Minute, Hour, Day, Week };

// One activity of an activity-on-node network. Texts are UTF-8.
struct Activity {
    std::string id; // unique, referred to by predecessor lists
    std::string name; // free text, may be empty
    std::vector<std::string> predecessors; // ids of the activities it is linked after
    Duration normalDuration = 0;
    Duration crashDuration = 0; // the shortest it can be made; equal to normal: not crashable
    Satang crashCostPerUnit = 0; // extra cost of one time unit less
    // PERT's estimates, when the project gives them (all three or none).
    std::optional<ThreeTimeEstimate> estimate {};
    // Empty: every link finish-to-start without lag (the textbook's networks). Otherwise one
    // per predecessor, in the same order.
    std::vector<LinkTiming> linkTimings {};

    // The timing of the link to predecessors[k].
    LinkTiming linkTiming(std::size_t k) const
    {
        return k < linkTimings.size() ? linkTimings[k] : LinkTiming {};
    }
};

// A project as a user or a file gives it; it may hold any mistake until validate() says
// it is sound (see validation.h).
struct Project {
    std::string title;
    std::vector<Activity> activities;
    std::optional<Duration> target; // the duration the planner wants, when saved with the file
    TimeUnit timeUnit = TimeUnit::Day;
};

// Whether every link of the project is finish-to-start without lag.
inline bool hasPlainLinks(const Project &project)
{
    for (const Activity &a : project.activities) {
        for (const LinkTiming &t : a.linkTimings) {
            if (!t.plain())
                return false;
        }
    }
    return true;
}

// Bounds that keep every sum of the engine exact in 64 bits.
inline constexpr std::size_t kMaxActivities = 1'000'000;
inline constexpr Duration kMaxDuration = 1'000'000; // per activity
inline constexpr Duration kMaxLag = kMaxDuration; // either way
inline constexpr Satang kMaxCostPerUnit = 100'000'000'000; // 1,000,000,000 Baht
inline constexpr Satang kMaxTotalCrashCost = 1'000'000'000'000'000; // 10^13 Baht
inline constexpr std::size_t kMaxIdLength = 100; // bytes
inline constexpr std::size_t kMaxNameLength = 1000; // bytes

} // namespace engine
