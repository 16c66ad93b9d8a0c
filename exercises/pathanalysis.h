// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "activitytable.h"
#include "applicationerror.h"
#include "practicerule.h"

#include <QString>

#include <cstdint>
#include <span>

// What the last analysis of an exercise window found (path 1 at index 0). Everything is
// zero and unmarked until the first analysis, and a reset of the window leaves it alone.
using AnalysisState = engine::practice::PathAnalysis;

// A path whose durations add up to more than a 32-bit signed integer can hold. Every
// single duration converts, so only the sum can say that the data are unusable.
class PathSumOverflowError : public platform::ApplicationError {
public:
    using Column = engine::practice::PathSumOverflow::Column;

    PathSumOverflowError(int pathNumber, Column column);
    int pathNumber() const noexcept { return m_pathNumber; }
    Column column() const noexcept { return m_column; }

private:
    int m_pathNumber;
    Column m_column;
};

// "<---- สายงานวิกฤต", the marker of the critical path.
const QString &criticalPathMarker();

// The marker behind path k (0-based) in the crashing log: the critical-path marker when
// the path is marked, else empty.
QString pathMarker(const AnalysisState &state, std::size_t path);

// Recomputes the whole analysis from the working rows with the practice sets' rule: path
// lengths (sums of NormalDuration), project duration, critical path (the first longest
// path), crashed lengths (sums of CrashDuration) and the minimum duration, in whole time
// units. Each value is stored as soon as it is known, so a ConversionError or
// PathSumOverflowError leaves everything computed before it in place.
// Precondition: 1 to 4 routes, each naming activities that exist in the table.
void analysePaths(const ActivityTable &table, std::span<const engine::practice::Path> routes,
                  AnalysisState &state);

// The caption under the target field: "ควร >= " and the minimum duration.
QString minimumDurationCaption(std::int32_t minimum);
