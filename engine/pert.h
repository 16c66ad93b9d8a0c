// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "project.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace engine {

// Two expected times tie when they differ by at most this much times the larger of 1 and
// their size: sums of decimals (3 x 0.1 against 0.3) differ in their last bits by the order
// in which they were added.
inline constexpr double kPertRelativeTolerance = 1e-9;
// How many tied longest paths analysePert counts before it stops counting.
inline constexpr std::size_t kPertTiedPathLimit = 1000;

// PERT with three time estimates: per activity the expected time te = (a + 4m + b) / 6 and
// the variance ((b - a) / 6)^2; an activity without estimates counts with its normal
// duration and no variance. The project's expected duration is the longest path of expected
// times; its spread is that of the critical path: the square root of the sum of its
// activities' variances, and its duration is taken as normally distributed.
struct PertAnalysis {
    std::vector<double> expected; // te per activity
    std::vector<double> variance; // per activity
    double expectedDuration = 0; // the longest path of expected times
    std::vector<int> criticalPath; // activities of the path whose spread is used, in order
    double pathVariance = 0; // of criticalPath: the sum of its activities' variances
    double standardDeviation = 0; // sqrt(pathVariance)
    // How many paths of expected times tie for the longest (within kPertRelativeTolerance of
    // it), counted up to kPertTiedPathLimit (then tiedPathsComplete is false); when several
    // tie, criticalPath is the one with the largest variance: the most uncertain, so the
    // probabilities are the cautious ones. Among tied paths of equal variance, each activity
    // of the path is reached from its predecessor of lowest index, counted from the end.
    // 0 for a project without activities.
    std::size_t tiedPaths = 1;
    bool tiedPathsComplete = true;
};

// The expected time (a + 4m + b) / 6 and the variance ((b - a) / 6)^2 of one estimate.
double expectedTime(const ThreeTimeEstimate &estimate);
double estimateVariance(const ThreeTimeEstimate &estimate);

// Precondition: `network` was built from `project` (one activity per node, same order), so
// validate(project) found every estimate sound, and its links are plain (throws
// std::invalid_argument otherwise). Linear in activities + links.
PertAnalysis analysePert(const Project &project, const Network &network);

// The chance of finishing by `day` (0..1): the normal distribution's CDF at
// (day - expectedDuration) / standardDeviation; with no spread, 1 when day >= the expected
// duration (within kPertRelativeTolerance), else 0. NaN for a NaN day.
double probabilityOfFinishingBy(const PertAnalysis &analysis, double day);

// The day by which the project finishes with probability `probability` (0 < p < 1):
// expectedDuration + z * standardDeviation, z the normal quantile. Nothing for p outside (0, 1).
std::optional<double> dayForProbability(const PertAnalysis &analysis, double probability);

} // namespace engine
