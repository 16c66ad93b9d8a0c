// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "pert.h"

#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace engine {

namespace {

// Whether `a` is within the tolerance below `b` or above it: ties of expected times.
bool ties(double a, double b)
{
    return std::abs(a - b) <= kPertRelativeTolerance * std::max({1.0, std::abs(a), std::abs(b)});
}

// Counts of tied paths stop one past the limit, so they never overflow.
std::size_t addCapped(std::size_t a, std::size_t b)
{
    return std::min(a + b, kPertTiedPathLimit + 1);
}

} // namespace

double expectedTime(const ThreeTimeEstimate &estimate)
{
    return (estimate.optimistic + 4 * estimate.mostLikely + estimate.pessimistic) / 6;
}

double estimateVariance(const ThreeTimeEstimate &estimate)
{
    const double sigma = (estimate.pessimistic - estimate.optimistic) / 6;
    return sigma * sigma;
}

PertAnalysis analysePert(const Project &project, const Network &network)
{
    const auto n = static_cast<std::size_t>(network.size());
    if (project.activities.size() != n)
        throw std::invalid_argument("analysePert: the network is not built from the project");
    if (!network.plainLinks())
        throw std::invalid_argument("analysePert: PERT's paths need finish-to-start links "
                                    "without lags");
    PertAnalysis result;
    result.expected.resize(n);
    result.variance.resize(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const Activity &a = project.activities[i];
        if (a.estimate) {
            result.expected[i] = expectedTime(*a.estimate);
            result.variance[i] = estimateVariance(*a.estimate);
        } else {
            result.expected[i] = static_cast<double>(a.normalDuration);
        }
    }

    // Forward over expected times: per activity its earliest expected finish, the variance
    // of the most uncertain tied longest path ending with it, the predecessor that path
    // comes through, and how many tied longest paths end with it.
    std::vector<double> finish(n, 0.0), pathVariance(n, 0.0);
    std::vector<int> through(n, -1);
    std::vector<std::size_t> count(n, 1);
    for (const int a : network.topologicalOrder()) {
        const auto i = static_cast<std::size_t>(a);
        const std::span<const int> predecessors = network.predecessors(a);
        double start = 0;
        for (const int p : predecessors)
            start = std::max(start, finish[static_cast<std::size_t>(p)]);
        if (!predecessors.empty()) {
            std::size_t tied = 0;
            for (const int p : predecessors) {
                const auto j = static_cast<std::size_t>(p);
                if (!ties(finish[j], start))
                    continue;
                tied = addCapped(tied, count[j]);
                const int best = through[i];
                if (best < 0 || pathVariance[j] > pathVariance[static_cast<std::size_t>(best)]
                    || (pathVariance[j] == pathVariance[static_cast<std::size_t>(best)]
                        && p < best))
                    through[i] = p;
            }
            count[i] = tied;
            pathVariance[i] = pathVariance[static_cast<std::size_t>(through[i])];
        }
        finish[i] = start + result.expected[i];
        pathVariance[i] += result.variance[i];
    }

    // The project ends with the activities without successors; the longest of them, and
    // among those that tie with it the most uncertain.
    double duration = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (network.successors(static_cast<int>(i)).empty())
            duration = std::max(duration, finish[i]);
    }
    int last = -1;
    std::size_t tied = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!network.successors(static_cast<int>(i)).empty() || !ties(finish[i], duration))
            continue;
        tied = addCapped(tied, count[i]);
        if (last < 0 || pathVariance[i] > pathVariance[static_cast<std::size_t>(last)])
            last = static_cast<int>(i);
    }
    result.expectedDuration = duration;
    result.tiedPaths = std::min(tied, kPertTiedPathLimit);
    result.tiedPathsComplete = tied <= kPertTiedPathLimit;
    for (int a = last; a >= 0; a = through[static_cast<std::size_t>(a)])
        result.criticalPath.push_back(a);
    std::reverse(result.criticalPath.begin(), result.criticalPath.end());
    // Summed again along the path, in its order, rather than taken from the forward pass:
    // the same figure, added the way a reader adds it.
    for (const int a : result.criticalPath)
        result.pathVariance += result.variance[static_cast<std::size_t>(a)];
    result.standardDeviation = std::sqrt(result.pathVariance);
    return result;
}

double probabilityOfFinishingBy(const PertAnalysis &analysis, double day)
{
    if (std::isnan(day))
        return day;
    if (!(analysis.standardDeviation > 0))
        return day >= analysis.expectedDuration || ties(day, analysis.expectedDuration) ? 1.0 : 0.0;
    const double z = (day - analysis.expectedDuration) / analysis.standardDeviation;
    // Phi(z) = erfc(-z / sqrt 2) / 2: exact in its tails, where 1 + erf would cancel.
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

std::optional<double> dayForProbability(const PertAnalysis &analysis, double probability)
{
    if (!(probability > 0 && probability < 1))
        return std::nullopt;
    const boost::math::normal_distribution<double> standard(0.0, 1.0);
    const double z = boost::math::quantile(standard, probability);
    return analysis.expectedDuration + z * analysis.standardDeviation;
}

} // namespace engine
