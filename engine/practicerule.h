// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

// The practice sets' own crashing rule, as the course teaches it on its small networks: a
// fixed list of up to four paths, the first longest path is the critical one, and each
// iteration shortens one activity of it. Numbers are 32-bit whole numbers read at the
// moment of use, so a reader that fails (a practice window's cell that is not a number)
// stops the rule where it is and leaves everything done before in place.
namespace engine::practice {

// An activity's numbers by activity index (0 for A). Each call may throw; the rule lets
// the exception pass and keeps what it computed before.
class Cells {
public:
    virtual ~Cells() = default;
    virtual std::int32_t normalDuration(int activity) const = 0;
    virtual std::int32_t crashDuration(int activity) const = 0;
    virtual std::int32_t costPerUnit(int activity) const = 0; // Baht per time unit
};

// Activity indices from the start of the network to its end; also the crashing candidate
// list of the path.
using Path = std::vector<int>;
inline constexpr std::size_t kMaxPaths = 4;

// What the last analysis found; index 0 is path 1. Zero until the first analysis.
struct PathAnalysis {
    std::array<std::int32_t, kMaxPaths> pathLength {}, pathCrashLength {};
    std::int32_t projectDuration = 0;
    std::int32_t criticalPath = 0; // 1-based: the first path of the greatest length
    std::int32_t minimumDuration = 0; // the longest fully crashed path
    // Which paths carry the critical-path marker in the log: after an analysis only the
    // critical one; a path's mark is cleared as soon as its new length is stored.
    std::array<bool, kMaxPaths> marked {};
};

// A path whose durations add up beyond the 32-bit signed range.
class PathSumOverflow : public std::overflow_error {
public:
    enum class Column { NormalDuration, CrashDuration };
    PathSumOverflow(int pathNumber, Column column);
    int pathNumber() const noexcept { return m_pathNumber; } // 1-based
    Column column() const noexcept { return m_column; }

private:
    int m_pathNumber;
    Column m_column;
};

// Recomputes the analysis: the normal length of every path in path order (clearing its
// mark), the project duration and critical path (ties go to the lower number) with its
// mark, then the crashed lengths and the minimum duration. Each value is stored as soon as
// it is known. Precondition: 1 to 4
// paths of known activities (std::invalid_argument otherwise).
void analysePaths(std::span<const Path> paths, const Cells &cells, PathAnalysis &analysis);

// The activity one iteration shortens. Until a candidate qualifies it is none, the cost
// the 999999 that every later candidate has to beat, and no days.
struct Selection {
    int activity = -1;
    std::int32_t cost = 999999;
    std::int32_t cutDays = 0;
    bool isMade() const { return activity >= 0; }
};

// Walks the candidates in order. The first is taken at any cost if it has days left
// (normal - crash > 0); a later one replaces the choice only if its cost per unit is
// strictly lower and it has days left, so ties keep the earlier candidate. A later
// candidate's cost is read first, its durations only when the cost wins. cutDays is every
// day the chosen activity has left, held at the largest 32-bit value should the
// difference not fit.
Selection selectOnPath(const Path &candidates, const Cells &cells);

// The days actually cut: no more than the remaining reduction still needs.
std::int32_t limitCut(std::int32_t cutDays, std::int32_t remainingReduction);

// Baht of one iteration: cost per unit times the days cut, in 64 bits.
std::int64_t iterationCost(std::int32_t cost, std::int32_t cutDays);

// Project duration less target, held inside 32 bits (edited data can put the two
// further apart than a 32-bit difference allows).
std::int32_t remainingReduction(std::int32_t projectDuration, std::int32_t target);

// The Baht a run has spent, added up exactly. One iteration costs up to 2^62 in magnitude
// (a 32-bit cost per unit times a 32-bit cut), so a few of them can leave the 64-bit range;
// the sum is therefore kept as a 128-bit two's-complement number, which fewer than 2^63
// additions cannot overflow.
class CostTotal {
public:
    // The magnitude high * 2^64 + low.
    struct Magnitude {
        std::uint64_t high = 0;
        std::uint64_t low = 0;
    };

    // Adds an amount in Baht.
    void add(std::int64_t baht);
    bool isNegative() const { return m_high < 0; }
    Magnitude magnitude() const;
    // The total when it lies in the 64-bit range, else nothing.
    std::optional<std::int64_t> toInt64() const;

    bool operator==(const CostTotal &) const = default;

private:
    std::int64_t m_high = 0; // the total is m_high * 2^64 + m_low
    std::uint64_t m_low = 0;
};

// A run between clicks; zero until the first run.
struct RunState {
    std::int32_t targetDuration = 0;
    std::int32_t remainingReduction = 0; // time units still to cut
    std::int32_t checkRound = 0; // number of the iteration being carried out
    CostTotal totalCrashCost; // whole Baht, exact
};

// Whether a target is one the analysis allows: between the minimum and the project
// duration, both included.
bool targetInRange(std::int32_t target, const PathAnalysis &analysis);

// Starts a run for an accepted target: round 1, the reduction still to make, total 0.
void startRun(RunState &run, std::int32_t target, const PathAnalysis &analysis);

// What one iteration does around the rule's arithmetic; runCrashing calls these in order.
class Iteration {
public:
    virtual ~Iteration() = default;
    // Before the choice: the state the iteration starts from (logs, drawing).
    virtual void begin(const RunState &run) = 0;
    // Shortens the activity by the days (its normal duration becomes normal - days).
    virtual void shorten(int activity, std::int32_t days) = 0;
    // Analyses again, so that the PathAnalysis given to runCrashing is current.
    virtual void reanalyse() = 0;
    // After the choice, cut and analysis; run holds the new remainder and total.
    virtual void end(const RunState &run, const Selection &selection, std::int64_t cost) = 0;
};

enum class RunEnd {
    Reached, // the remaining reduction is 0
    CannotShorten, // no activity of the critical path qualifies: another iteration would repeat
};

// The crashing loop: while a reduction remains, begin, choose on the critical path, cut no
// more than still needed, re-analyse, recompute the remainder from the new project
// duration, add the iteration's cost, end, and count the round. Any exception from the
// cells or the iteration ends the run where it is.
RunEnd runCrashing(RunState &run, std::span<const Path> paths, const PathAnalysis &analysis,
                   const Cells &cells, Iteration &iteration);

// Plain numbers for the rule, e.g. a practice set's built-in rows: index 0 is activity A.
class NumberTable : public Cells {
public:
    struct Row {
        std::int32_t normalDuration, crashDuration, costPerUnit;
    };
    explicit NumberTable(std::vector<Row> rows) : m_rows(std::move(rows)) { }

    std::int32_t normalDuration(int activity) const override
    {
        return row(activity).normalDuration;
    }
    std::int32_t crashDuration(int activity) const override { return row(activity).crashDuration; }
    std::int32_t costPerUnit(int activity) const override { return row(activity).costPerUnit; }
    void setNormalDuration(int activity, std::int32_t value)
    {
        rowAt(activity).normalDuration = value;
    }
    const std::vector<Row> &rows() const { return m_rows; }

private:
    const Row &row(int activity) const { return m_rows.at(static_cast<std::size_t>(activity)); }
    Row &rowAt(int activity) { return m_rows.at(static_cast<std::size_t>(activity)); }
    std::vector<Row> m_rows;
};

} // namespace engine::practice
