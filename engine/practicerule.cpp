// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practicerule.h"

#include <algorithm>
#include <limits>
#include <string>

namespace engine::practice {

namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

std::int32_t clamped(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp(value, kLowest, kHighest));
}

// Reads the column of every activity of the path, in path order, and adds them up in 64
// bits, which no path of a practice table can overflow.
std::int32_t pathSum(const Path &path, const Cells &cells, int pathNumber,
                     PathSumOverflow::Column column)
{
    std::int64_t sum = 0;
    for (const int activity : path) {
        sum += column == PathSumOverflow::Column::NormalDuration ? cells.normalDuration(activity)
                                                                 : cells.crashDuration(activity);
    }
    if (sum > kHighest || sum < kLowest)
        throw PathSumOverflow(pathNumber, column);
    return static_cast<std::int32_t>(sum);
}

// Normal less crash duration without overflow; only its sign and its minimum with the
// remaining reduction are ever used, and both survive the clamp.
std::int32_t daysAvailable(int activity, const Cells &cells)
{
    const std::int64_t normal = cells.normalDuration(activity);
    return clamped(normal - cells.crashDuration(activity));
}

} // namespace

PathSumOverflow::PathSumOverflow(int pathNumber, Column column)
    : std::overflow_error("the durations of path " + std::to_string(pathNumber)
                          + " add up beyond the 32-bit range"),
      m_pathNumber(pathNumber), m_column(column)
{
}

void analysePaths(std::span<const Path> paths, const Cells &cells, PathAnalysis &analysis)
{
    if (paths.empty() || paths.size() > kMaxPaths)
        throw std::invalid_argument("analysePaths: a practice set has one to four paths");
    const std::size_t count = paths.size();

    for (std::size_t k = 0; k < count; ++k) {
        analysis.pathLength[k] = pathSum(paths[k], cells, static_cast<int>(k + 1),
                                         PathSumOverflow::Column::NormalDuration);
        analysis.marked[k] = false;
    }

    // Strictly greater only: among equally long paths the lowest-numbered stays critical.
    analysis.projectDuration = analysis.pathLength[0];
    analysis.criticalPath = 1;
    for (std::size_t k = 1; k < count; ++k) {
        if (analysis.pathLength[k] > analysis.projectDuration) {
            analysis.projectDuration = analysis.pathLength[k];
            analysis.criticalPath = static_cast<std::int32_t>(k + 1);
        }
    }
    analysis.marked[static_cast<std::size_t>(analysis.criticalPath - 1)] = true;

    for (std::size_t k = 0; k < count; ++k)
        analysis.pathCrashLength[k] = pathSum(paths[k], cells, static_cast<int>(k + 1),
                                              PathSumOverflow::Column::CrashDuration);
    analysis.minimumDuration
        = *std::max_element(analysis.pathCrashLength.begin(),
                            analysis.pathCrashLength.begin() + static_cast<std::ptrdiff_t>(count));
}

Selection selectOnPath(const Path &candidates, const Cells &cells)
{
    Selection selection;
    bool first = true;
    for (const int activity : candidates) {
        if (first) {
            first = false;
            const std::int32_t days = daysAvailable(activity, cells);
            if (days > 0)
                selection = {activity, cells.costPerUnit(activity), days};
            continue;
        }
        const std::int32_t cost = cells.costPerUnit(activity);
        if (cost < selection.cost) {
            const std::int32_t days = daysAvailable(activity, cells);
            if (days > 0)
                selection = {activity, cost, days};
        }
    }
    return selection;
}

std::int32_t limitCut(std::int32_t cutDays, std::int32_t remainingReduction)
{
    return cutDays > remainingReduction ? remainingReduction : cutDays;
}

std::int64_t iterationCost(std::int32_t cost, std::int32_t cutDays)
{
    return std::int64_t {cost} * cutDays;
}

std::int32_t remainingReduction(std::int32_t projectDuration, std::int32_t target)
{
    return clamped(std::int64_t {projectDuration} - target);
}

void CostTotal::add(std::int64_t baht)
{
    // The amount's sign extension adds -1 to the high word; a low word that wraps past 2^64
    // carries 1 into it. Unsigned arithmetic wraps by definition.
    const std::uint64_t before = m_low;
    m_low += static_cast<std::uint64_t>(baht);
    m_high += (baht < 0 ? -1 : 0) + (m_low < before ? 1 : 0);
}

CostTotal::Magnitude CostTotal::magnitude() const
{
    const auto high = static_cast<std::uint64_t>(m_high);
    if (!isNegative())
        return {high, m_low};
    // Two's complement: invert both words and add one to the whole.
    return {~high + (m_low == 0 ? 1 : 0), ~m_low + 1};
}

std::optional<std::int64_t> CostTotal::toInt64() const
{
    const bool lowSignBit = m_low > static_cast<std::uint64_t>(kInt64Max);
    if (m_high != (lowSignBit ? -1 : 0))
        return std::nullopt;
    return static_cast<std::int64_t>(m_low);
}

bool targetInRange(std::int32_t target, const PathAnalysis &analysis)
{
    return target <= analysis.projectDuration && target >= analysis.minimumDuration;
}

void startRun(RunState &run, std::int32_t target, const PathAnalysis &analysis)
{
    run.targetDuration = target;
    run.checkRound = 1;
    run.remainingReduction = remainingReduction(analysis.projectDuration, target);
    run.totalCrashCost = {};
}

RunEnd runCrashing(RunState &run, std::span<const Path> paths, const PathAnalysis &analysis,
                   const Cells &cells, Iteration &iteration)
{
    while (run.remainingReduction > 0) {
        iteration.begin(run);
        if (analysis.criticalPath < 1
            || static_cast<std::size_t>(analysis.criticalPath) > paths.size())
            throw std::invalid_argument("runCrashing: the paths have not been analysed");
        Selection selection
            = selectOnPath(paths[static_cast<std::size_t>(analysis.criticalPath - 1)], cells);
        if (!selection.isMade())
            return RunEnd::CannotShorten;
        selection.cutDays = limitCut(selection.cutDays, run.remainingReduction);
        iteration.shorten(selection.activity, selection.cutDays);
        iteration.reanalyse();
        run.remainingReduction = remainingReduction(analysis.projectDuration, run.targetDuration);
        const std::int64_t cost = iterationCost(selection.cost, selection.cutDays);
        run.totalCrashCost.add(cost);
        iteration.end(run, selection, cost);
        ++run.checkRound;
    }
    return RunEnd::Reached;
}

} // namespace engine::practice
