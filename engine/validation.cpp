// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "validation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>

namespace engine {

namespace {

bool badIdCharacter(std::string_view id)
{
    if (id.front() == ' ' || id.back() == ' ')
        return true;
    return std::any_of(id.begin(), id.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == ',' || c == ';' || byte < 0x20 || byte == 0x7f;
    });
}

// The predecessor links as indices, each list stored after the one before (compressed
// rows); unknown ids and self-references are left out, being problems of their own.
struct Links {
    std::vector<int> to;
    std::vector<std::size_t> start = {0};

    std::span<const int> of(std::size_t activity) const
    {
        return std::span<const int>(to).subspan(start[activity],
                                                start[activity + 1] - start[activity]);
    }
    std::size_t size() const { return start.size() - 1; }
};

// One cycle in every strongly connected group of activities that has one, found without
// recursion (Tarjan's algorithm over the predecessor links), each listed so that every
// activity is a predecessor of the next.
std::vector<std::vector<int>> findCycles(const Links &predecessors)
{
    const int n = static_cast<int>(predecessors.size());
    std::vector<int> order(static_cast<std::size_t>(n), -1), low(static_cast<std::size_t>(n), 0),
        component(static_cast<std::size_t>(n), -1);
    std::vector<int> stack, path;
    std::vector<std::size_t> next(static_cast<std::size_t>(n), 0);
    std::vector<bool> onStack(static_cast<std::size_t>(n), false);
    std::vector<std::vector<int>> groups;
    int counter = 0;
    for (int root = 0; root < n; ++root) {
        if (order[static_cast<std::size_t>(root)] >= 0)
            continue;
        path.push_back(root);
        while (!path.empty()) {
            const auto v = static_cast<std::size_t>(path.back());
            if (next[v] == 0 && order[v] < 0) {
                order[v] = low[v] = counter++;
                stack.push_back(static_cast<int>(v));
                onStack[v] = true;
            }
            if (next[v] < predecessors.of(v).size()) {
                const auto w = static_cast<std::size_t>(predecessors.of(v)[next[v]++]);
                if (order[w] < 0)
                    path.push_back(static_cast<int>(w));
                else if (onStack[w])
                    low[v] = std::min(low[v], order[w]);
                continue;
            }
            path.pop_back();
            if (!path.empty()) {
                const auto parent = static_cast<std::size_t>(path.back());
                low[parent] = std::min(low[parent], low[v]);
            }
            if (low[v] == order[v]) {
                std::vector<int> group;
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[static_cast<std::size_t>(w)] = false;
                    component[static_cast<std::size_t>(w)] = static_cast<int>(groups.size());
                    group.push_back(w);
                } while (w != static_cast<int>(v));
                groups.push_back(std::move(group));
            }
        }
    }

    std::vector<std::vector<int>> cycles;
    std::vector<int> seenAt(static_cast<std::size_t>(n), -1);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].size() < 2)
            continue;
        // Walk from the group's lowest activity to a predecessor inside the group until an
        // activity repeats; the walk from its first visit on is a cycle, found backwards.
        int v = *std::min_element(groups[g].begin(), groups[g].end());
        std::vector<int> walk;
        while (seenAt[static_cast<std::size_t>(v)] < 0) {
            seenAt[static_cast<std::size_t>(v)] = static_cast<int>(walk.size());
            walk.push_back(v);
            for (const int p : predecessors.of(static_cast<std::size_t>(v))) {
                if (component[static_cast<std::size_t>(p)] == static_cast<int>(g)) {
                    v = p;
                    break;
                }
            }
        }
        std::vector<int> cycle(walk.begin() + seenAt[static_cast<std::size_t>(v)], walk.end());
        std::reverse(cycle.begin(), cycle.end());
        // Start at the cycle's lowest activity, keeping the order.
        std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
        cycles.push_back(std::move(cycle));
    }
    return cycles;
}

struct EstimateFault {
    ProblemKind kind;
    std::size_t at; // 0 optimistic, 1 most likely, 2 pessimistic
};

// What is wrong with PERT's estimates of one activity, if anything, and which of the three
// it is: the kinds are tried in turn, each over all three values, so the value named is one
// that has the fault reported.
std::optional<EstimateFault> estimateFault(const ThreeTimeEstimate &e)
{
    const std::array values = {e.optimistic, e.mostLikely, e.pessimistic};
    const std::pair<ProblemKind, bool (*)(double)> rules[] = {
        {ProblemKind::EstimateNotFinite, [](double v) { return !std::isfinite(v); }},
        {ProblemKind::EstimateNegative, [](double v) { return v < 0; }},
        {ProblemKind::EstimateTooLarge,
         [](double v) { return v > static_cast<double>(kMaxDuration); }},
    };
    for (const auto &[kind, faulty] : rules) {
        const auto found = std::find_if(values.begin(), values.end(), faulty);
        if (found != values.end())
            return EstimateFault {kind, static_cast<std::size_t>(found - values.begin())};
    }
    if (e.mostLikely < e.optimistic)
        return EstimateFault {ProblemKind::EstimateOrder, 1};
    if (e.pessimistic < e.mostLikely)
        return EstimateFault {ProblemKind::EstimateOrder, 2};
    return std::nullopt;
}

std::string quotedId(std::string_view text)
{
    // Appended piece by piece: GCC 12 at -O3 takes "'" + std::string for an overlapping copy.
    std::string result;
    result.reserve(text.size() + 2);
    result += '\'';
    result += text;
    result += '\'';
    return result;
}

std::string activityName(const Project &project, int activity)
{
    if (activity < 0 || static_cast<std::size_t>(activity) >= project.activities.size())
        return "the project";
    const std::string &id = project.activities[static_cast<std::size_t>(activity)].id;
    if (id.empty())
        return "activity in row " + std::to_string(activity + 1);
    return "activity " + id;
}

} // namespace

std::vector<Problem> validate(const Project &project)
{
    std::vector<Problem> problems;
    if (project.activities.size() > kMaxActivities) {
        problems.push_back({ProblemKind::TooManyActivities, -1, {}, {}});
        return problems;
    }

    // Each id is looked up once per mention: hash lookups dominate at 100,000 activities.
    std::unordered_map<std::string_view, int> index;
    index.reserve(project.activities.size());
    std::vector<bool> duplicate(project.activities.size(), false);
    for (std::size_t i = 0; i < project.activities.size(); ++i) {
        const std::string &id = project.activities[i].id;
        if (!id.empty() && !index.emplace(id, static_cast<int>(i)).second)
            duplicate[i] = true;
    }
    Links links;
    links.start.reserve(project.activities.size() + 1);

    // The largest total crash cost before it stops mattering how much larger it is.
    Satang totalCrashCost = 0;
    bool totalTooLarge = false;
    for (std::size_t i = 0; i < project.activities.size(); ++i) {
        const Activity &a = project.activities[i];
        const int at = static_cast<int>(i);
        auto report = [&](ProblemKind kind, std::string detail = {}) {
            problems.push_back({kind, at, std::move(detail), {}});
        };
        if (a.id.empty())
            report(ProblemKind::EmptyId);
        else if (a.id.size() > kMaxIdLength)
            report(ProblemKind::IdTooLong);
        else if (badIdCharacter(a.id))
            report(ProblemKind::BadIdCharacter);
        if (duplicate[i])
            report(ProblemKind::DuplicateId);
        if (a.name.size() > kMaxNameLength)
            report(ProblemKind::NameTooLong);
        bool ownPredecessor = false;
        for (const std::string &p : a.predecessors) {
            const auto found = index.find(p);
            if (found == index.end()) {
                report(ProblemKind::UnknownPredecessor, p);
            } else if (p == a.id) {
                if (!ownPredecessor)
                    report(ProblemKind::OwnPredecessor);
                ownPredecessor = true;
            } else {
                links.to.push_back(found->second);
            }
        }
        links.start.push_back(links.to.size());
        if (!a.linkTimings.empty() && a.linkTimings.size() != a.predecessors.size())
            report(ProblemKind::LinkTimingCount);
        for (std::size_t k = 0; k < a.linkTimings.size() && k < a.predecessors.size(); ++k) {
            const Duration lag = a.linkTimings[k].lag;
            if (lag > kMaxLag || lag < -kMaxLag)
                report(ProblemKind::LagTooLarge, a.predecessors[k]);
        }

        bool durationsInRange = true;
        if (a.normalDuration < 0) {
            report(ProblemKind::NegativeNormalDuration);
            durationsInRange = false;
        } else if (a.normalDuration > kMaxDuration) {
            report(ProblemKind::NormalDurationTooLarge);
            durationsInRange = false;
        }
        if (a.crashDuration < 0) {
            report(ProblemKind::NegativeCrashDuration);
            durationsInRange = false;
        } else if (a.crashDuration > kMaxDuration) {
            report(ProblemKind::CrashDurationTooLarge);
            durationsInRange = false;
        }
        bool costInRange = true;
        if (a.crashCostPerUnit < 0) {
            report(ProblemKind::NegativeCost);
            costInRange = false;
        } else if (a.crashCostPerUnit > kMaxCostPerUnit) {
            report(ProblemKind::CostTooLarge);
            costInRange = false;
        }
        if (a.estimate) {
            if (const std::optional<EstimateFault> fault = estimateFault(*a.estimate))
                report(fault->kind);
        }
        if (durationsInRange && a.crashDuration > a.normalDuration)
            report(ProblemKind::CrashAboveNormal);
        else if (durationsInRange && costInRange && !totalTooLarge) {
            // Both factors are bounded (10^6 and 10^11), so the product fits in 64 bits.
            totalCrashCost += a.crashCostPerUnit * (a.normalDuration - a.crashDuration);
            totalTooLarge = totalCrashCost > kMaxTotalCrashCost;
        }
    }

    for (std::vector<int> &cycle : findCycles(links))
        problems.push_back({ProblemKind::Cycle, cycle.front(), {}, std::move(cycle)});

    if (totalTooLarge)
        problems.push_back({ProblemKind::TotalCrashCostTooLarge, -1, {}, {}});
    if (project.target && *project.target < 0)
        problems.push_back({ProblemKind::NegativeTarget, -1, {}, {}});
    return problems;
}

std::size_t estimateAtFault(const ThreeTimeEstimate &estimate)
{
    const std::optional<EstimateFault> fault = estimateFault(estimate);
    return fault ? fault->at : 0;
}

std::string describe(const Problem &problem, const Project &project)
{
    const std::string who = activityName(project, problem.activity);
    switch (problem.kind) {
    case ProblemKind::TooManyActivities:
        return "the project has " + std::to_string(project.activities.size())
            + " activities; at most " + std::to_string(kMaxActivities) + " are allowed";
    case ProblemKind::EmptyId:
        return who + ": the activity has no id";
    case ProblemKind::IdTooLong:
        return who.substr(0, 40) + "...: the id is longer than " + std::to_string(kMaxIdLength)
            + " bytes";
    case ProblemKind::BadIdCharacter:
        return who
            + ": an id may not contain a comma, a semicolon or a control character, nor begin or "
              "end with a blank";
    case ProblemKind::NameTooLong:
        return who + ": the name is longer than " + std::to_string(kMaxNameLength) + " bytes";
    case ProblemKind::DuplicateId:
        return who + ": another activity before it has the same id";
    case ProblemKind::UnknownPredecessor:
        return who + ": predecessor " + quotedId(problem.detail) + " is not an activity";
    case ProblemKind::OwnPredecessor:
        return who + ": the activity is its own predecessor";
    case ProblemKind::LinkTimingCount:
        return who + ": the link types do not match the predecessors one for one";
    case ProblemKind::LagTooLarge:
        return who + ": the lag after " + quotedId(problem.detail) + " is beyond "
            + std::to_string(kMaxLag) + " either way";
    case ProblemKind::Cycle: {
        std::string text = "the predecessors form a cycle: ";
        for (const int a : problem.cycle)
            text += project.activities.at(static_cast<std::size_t>(a)).id + " -> ";
        text += project.activities.at(static_cast<std::size_t>(problem.cycle.front())).id;
        return text;
    }
    case ProblemKind::NegativeNormalDuration:
        return who + ": the normal duration is negative";
    case ProblemKind::NegativeCrashDuration:
        return who + ": the crash duration is negative";
    case ProblemKind::NegativeCost:
        return who + ": the crash cost per unit is negative";
    case ProblemKind::NormalDurationTooLarge:
        return who + ": the normal duration is above " + std::to_string(kMaxDuration);
    case ProblemKind::CrashDurationTooLarge:
        return who + ": the crash duration is above " + std::to_string(kMaxDuration);
    case ProblemKind::CostTooLarge:
        return who + ": the crash cost per unit is above " + formatBaht(kMaxCostPerUnit) + " Baht";
    case ProblemKind::CrashAboveNormal:
        return who + ": the crash duration is longer than the normal duration";
    case ProblemKind::TotalCrashCostTooLarge:
        return "crashing every activity fully would cost more than "
            + formatBaht(kMaxTotalCrashCost) + " Baht";
    case ProblemKind::NegativeTarget:
        return "the target duration is negative";
    case ProblemKind::EstimateNotFinite:
        return who + ": a time estimate is not a finite number";
    case ProblemKind::EstimateNegative:
        return who + ": a time estimate is negative";
    case ProblemKind::EstimateTooLarge:
        return who + ": a time estimate is above " + std::to_string(kMaxDuration);
    case ProblemKind::EstimateOrder:
        return who + ": the time estimates must be optimistic <= most likely <= pessimistic";
    }
    return who + ": unknown problem";
}

} // namespace engine
