// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "activitytable.h"
#include "practiceset.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The one reference model that tests, fuzz drivers and benchmarks hold the program against:
// the routes a network's predecessor letters describe, their lengths, the practice sets'
// built-in rows in the forms the checks need, and a small greedy crasher over plain
// numbers. Nothing here calls the program's analysis or crashing code; the built-in rows
// are taken through the program's own builtInRow() and practiceProject() only where a
// check needs the data as the program holds it.

namespace testsupport {

// One activity as a predecessor column describes it: its letter and the text of its
// Predecessor cell ("-", "A", "D , E", "B,C").
struct Precedence {
    char letter = ' ';
    std::string predecessors;
};

// The letters a predecessor text names: "-" (blanks around it allowed) names none, else
// single letters out of `known` between commas, blanks around each. error says which item
// is wrong and in which text; the letters are then incomplete.
struct PredecessorLetters {
    std::vector<char> letters;
    std::string error;
};

inline std::string trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

inline PredecessorLetters predecessorLetters(std::string_view text, std::string_view known)
{
    PredecessorLetters result;
    if (trimmedBlanks(text) == "-")
        return result;
    std::string_view rest = text;
    while (true) {
        const auto comma = rest.find(',');
        const std::string item = trimmedBlanks(rest.substr(0, comma));
        if (item.size() == 1 && known.find(item[0]) != std::string_view::npos) {
            result.letters.push_back(item[0]);
        } else if (result.error.empty()) {
            result.error = "bad predecessor item '" + item + "' in \"" + std::string(text) + "\"";
        }
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return result;
}

// Every route of a network: a chain of activities from one without predecessors to one
// that no other waits for, spelled as its letters; sorted, so in lexicographic order.
// error says where the network is broken (a bad predecessor item, a letter used twice, a
// cycle); routes is then empty.
struct Routes {
    std::vector<std::string> routes;
    std::string error;
};

inline Routes routesFromPredecessors(const std::vector<Precedence> &activities)
{
    Routes result;
    std::string known;
    for (const Precedence &activity : activities) {
        if (known.find(activity.letter) != std::string::npos) {
            result.error = std::string("activity ") + activity.letter + " is listed twice";
            return result;
        }
        known += activity.letter;
    }
    std::map<char, std::vector<char>> successors;
    std::set<char> starts, waitedFor;
    for (const Precedence &activity : activities) {
        const PredecessorLetters before = predecessorLetters(activity.predecessors, known);
        if (!before.error.empty()) {
            result.error = before.error;
            return result;
        }
        if (before.letters.empty())
            starts.insert(activity.letter);
        for (const char p : before.letters) {
            successors[p].push_back(activity.letter);
            waitedFor.insert(p);
        }
    }
    std::set<std::string> found;
    std::function<bool(const std::string &)> walk = [&](const std::string &route) {
        if (route.size() > known.size()) {
            result.error = "the predecessors form a cycle: " + route;
            return false;
        }
        const char last = route.back();
        if (!waitedFor.count(last)) {
            found.insert(route);
            return true;
        }
        for (const char next : successors[last]) {
            if (!walk(route + next))
                return false;
        }
        return true;
    };
    for (const char start : starts) {
        if (!walk(std::string(1, start)))
            return result;
    }
    if (found.empty() && !activities.empty())
        result.error = "no activity starts the network: the predecessors form a cycle";
    else
        result.routes.assign(found.begin(), found.end());
    return result;
}

// The routes of a network, failing with std::logic_error (its message saying what is
// wrong) where the network is broken: for callers whose network is built in.
inline std::vector<std::string> routesOf(const std::vector<Precedence> &activities)
{
    Routes routes = routesFromPredecessors(activities);
    if (!routes.error.empty())
        throw std::logic_error(routes.error);
    return std::move(routes.routes);
}

// Table rows as the predecessor column describes them: the letter is the first character
// of the activity cell after blanks ("A-รวบรวมความต้องการ" is A).
inline std::vector<Precedence> precedences(const std::vector<ActivityRow> &rows)
{
    std::vector<Precedence> result;
    for (const ActivityRow &row : rows) {
        const QString activity = row.activity.trimmed();
        result.push_back({activity.isEmpty() ? ' ' : static_cast<char>(activity.at(0).unicode()),
                          row.predecessor.toStdString()});
    }
    return result;
}

// A set's built-in rows as table rows, A first, through the program's builtInRow().
inline std::vector<ActivityRow> builtInRows(const PracticeSet &set)
{
    std::vector<ActivityRow> rows;
    for (const BuiltInRow &row : set.rows)
        rows.push_back(builtInRow(row));
    return rows;
}

enum class Column { Normal, Crash };

// Reads a duration cell; nullopt when the text is not a number.
using DurationReader = std::function<std::optional<std::int64_t>(const QString &)>;

// Plain decimal with blanks around it, 64 bits.
inline std::optional<std::int64_t> plainDecimal(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

// Length of a route (activity letters) under per-letter durations.
inline std::int64_t routeLength(std::string_view route,
                                const std::function<std::int64_t(char)> &duration)
{
    std::int64_t sum = 0;
    for (const char letter : route)
        sum += duration(letter);
    return sum;
}

// The real project duration of table rows: the longest route through the network that
// their Predecessor letters describe, summing the column's durations, in 64 bits so that a
// sum beyond 32 bits shows as such. Empty when there are no rows or a duration does not
// read; std::logic_error when the predecessors do not form a network.
inline std::optional<std::int64_t> longestRoute(const std::vector<ActivityRow> &rows,
                                                Column column = Column::Normal,
                                                const DurationReader &read = plainDecimal)
{
    if (rows.empty())
        return std::nullopt;
    const std::vector<Precedence> network = precedences(rows);
    std::map<char, std::int64_t> durations;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto value
            = read(column == Column::Normal ? rows[k].normalDuration : rows[k].crashDuration);
        if (!value)
            return std::nullopt;
        durations[network[k].letter] = *value;
    }
    std::optional<std::int64_t> longest;
    for (const std::string &route : routesOf(network)) {
        const std::int64_t length
            = routeLength(route, [&](char letter) { return durations.at(letter); });
        longest = longest ? std::max(*longest, length) : length;
    }
    return longest;
}

// A practice set as plain numbers, activity A first: durations in the set's time unit, cost
// per day in whole Baht. Read through the program's practiceProject().
struct PlainSet {
    std::vector<std::int64_t> normal, crash, cost;
};

inline PlainSet plainSet(const PracticeSet &set)
{
    PlainSet plain;
    for (const engine::Activity &activity : practiceProject(set).activities) {
        plain.normal.push_back(activity.normalDuration);
        plain.crash.push_back(activity.crashDuration);
        plain.cost.push_back(activity.crashCostPerUnit / 100);
    }
    return plain;
}

// Lengths of the paths (activity letters, A = index 0) under the durations.
inline std::vector<std::int64_t> pathLengths(const std::vector<std::string> &paths,
                                             const std::vector<std::int64_t> &durations)
{
    std::vector<std::int64_t> lengths;
    for (const std::string &path : paths) {
        lengths.push_back(routeLength(path, [&](char letter) {
            return durations.at(static_cast<std::size_t>(letter - 'A'));
        }));
    }
    return lengths;
}

// The price a later candidate must undercut when none is chosen yet: costs of 999999 and
// more are never chosen unless they stand first on the path.
inline constexpr std::int64_t kNoCandidateCost = 999999;

// One iteration of the greedy run.
struct GreedyStep {
    std::vector<std::int64_t> lengthsBefore;
    int critical = 0; // 1-based: the first longest path
    char chosen = ' ';
    std::int64_t cost = 0; // Baht per time unit
    std::int64_t cut = 0; // time units
    std::vector<std::int64_t> durationsAfter;
    std::int64_t projectAfter = 0;
    std::int64_t remainingAfter = 0;
};

// The greedy rule of the practice sets, worked over plain numbers: on the first longest
// path the first candidate is taken if it has time left, a later one only if strictly
// cheaper (than kNoCandidateCost while none is chosen) and with time left; the cut is what it has
// left or what is still needed, whichever is less. Runs until the longest path meets the target, no
// candidate is left, or 50 iterations. paths: non-empty, letters within the set's activities.
inline std::vector<GreedyStep>
greedyCrash(const PlainSet &set, const std::vector<std::string> &paths, std::int64_t target)
{
    auto longestOf = [](const std::vector<std::int64_t> &lengths) {
        return *std::max_element(lengths.begin(), lengths.end());
    };
    std::vector<std::int64_t> durations = set.normal;
    std::vector<std::int64_t> lengths = pathLengths(paths, durations);
    std::int64_t remaining = longestOf(lengths) - target;
    std::vector<GreedyStep> run;
    while (remaining > 0 && run.size() < 50) {
        GreedyStep step;
        step.lengthsBefore = lengths;
        step.critical
            = static_cast<int>(std::max_element(lengths.begin(), lengths.end()) - lengths.begin())
            + 1;
        int chosen = -1;
        std::int64_t price = kNoCandidateCost;
        std::int64_t days = 0;
        const std::string &letters = paths[static_cast<std::size_t>(step.critical - 1)];
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const auto k = static_cast<std::size_t>(letters[i] - 'A');
            const std::int64_t left = durations[k] - set.crash[k];
            if (left > 0 && (i == 0 || set.cost[k] < price)) {
                chosen = static_cast<int>(k);
                price = set.cost[k];
                days = left;
            }
        }
        if (chosen < 0)
            break;
        step.chosen = static_cast<char>('A' + chosen);
        step.cost = price;
        step.cut = std::min(days, remaining);
        durations[static_cast<std::size_t>(chosen)] -= step.cut;
        lengths = pathLengths(paths, durations);
        remaining = longestOf(lengths) - target;
        step.durationsAfter = durations;
        step.projectAfter = longestOf(lengths);
        step.remainingAfter = remaining;
        run.push_back(step);
    }
    return run;
}

} // namespace testsupport
