#pragma once

#include "activitytable.h"
#include "applicationerror.h"
#include "setdefinition.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// What the last analysis of an exercise window found; index 0 is path 1. Everything is
// zero and empty until the first analysis, and a reset of the window leaves it alone.
struct AnalysisState {
    std::array<std::int32_t, 4> pathLength {}, pathCrashLength {};
    std::int32_t projectDuration = 0, criticalPath = 0, minimumDuration = 0;
    std::array<QString, 4> pathMarker;
};

// A path whose durations add up to more than a 32-bit signed integer can hold. Every
// single duration converts, so only the sum can say that the data are unusable.
class PathSumOverflowError : public ApplicationError {
public:
    enum class Column { NormalDuration, CrashDuration };

    PathSumOverflowError(int pathNumber, Column column);
    int pathNumber() const noexcept { return m_pathNumber; }
    Column column() const noexcept { return m_column; }

private:
    int m_pathNumber;
    Column m_column;
};

// "<---- สายงานวิกฤต", the marker of the critical path.
const QString &criticalPathMarker();

// Recomputes the whole analysis from the working rows: the path lengths (sums of
// NormalDuration), project duration, critical path (the first longest path), the crashed
// lengths (sums of CrashDuration) and the minimum duration. Durations are whole numbers
// of the set's time unit. Each value is stored as soon as it is known, so a
// ConversionError or PathSumOverflowError leaves everything computed before it in place.
// Precondition: 1 to 4 paths, each naming activities that exist in the table.
void analysePaths(const ActivityTable &table, const std::vector<PathDefinition> &paths,
                  AnalysisState &state);

// The caption under the target field: "ควร >= " and the minimum duration.
QString minimumDurationCaption(std::int32_t minimum);
