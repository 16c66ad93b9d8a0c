#include "pathanalysis.h"

#include "wholenumber.h"

#include <limits>
#include <stdexcept>

namespace {

QString overflowMessage(int pathNumber, PathSumOverflowError::Column column)
{
    if (column == PathSumOverflowError::Column::NormalDuration)
        return QStringLiteral("ผลรวมระยะเวลาปกติของสายงานที่ %1 เกินขอบเขตที่คำนวณได้ "
                              "กรุณาตรวจสอบระยะเวลาปกติของกิจกรรม")
            .arg(pathNumber);
    return QStringLiteral("ผลรวมเวลาเร่งของสายงานที่ %1 เกินขอบเขตที่คำนวณได้ "
                          "กรุณาตรวจสอบเวลาเร่งของกิจกรรม")
        .arg(pathNumber);
}

// Converts the chosen duration of every activity of the path, in path order, and adds
// them up. The sum is kept in 64 bits, which cannot overflow for any path of a table.
std::int32_t pathSum(const ActivityTable &table, const PathDefinition &path, int pathNumber,
                     PathSumOverflowError::Column column)
{
    std::int64_t sum = 0;
    for (const char letter : path.activities) {
        const ActivityRow &row = table.working(activityNumber(letter));
        sum += toWholeNumber(column == PathSumOverflowError::Column::NormalDuration
                                 ? row.normalDuration
                                 : row.crashDuration);
    }
    if (sum > std::numeric_limits<std::int32_t>::max()
        || sum < std::numeric_limits<std::int32_t>::min())
        throw PathSumOverflowError(pathNumber, column);
    return static_cast<std::int32_t>(sum);
}

} // namespace

PathSumOverflowError::PathSumOverflowError(int pathNumber, Column column)
    : ApplicationError(overflowMessage(pathNumber, column)), m_pathNumber(pathNumber),
      m_column(column)
{
}

const QString &criticalPathMarker()
{
    static const QString marker = QStringLiteral("<---- สายงานวิกฤต");
    return marker;
}

void analysePaths(const ActivityTable &table, const std::vector<PathDefinition> &paths,
                  AnalysisState &state)
{
    if (paths.empty() || paths.size() > state.pathLength.size())
        throw std::invalid_argument("analysePaths: a set has one to four paths");
    const int pathCount = static_cast<int>(paths.size());

    for (int k = 0; k < pathCount; ++k) {
        state.pathLength[k]
            = pathSum(table, paths[k], k + 1, PathSumOverflowError::Column::NormalDuration);
        state.pathMarker[k].clear();
    }

    // Strictly greater only: among equally long paths the lowest-numbered stays critical.
    state.projectDuration = state.pathLength[0];
    state.criticalPath = 1;
    for (int k = 1; k < pathCount; ++k) {
        if (state.pathLength[k] > state.projectDuration) {
            state.projectDuration = state.pathLength[k];
            state.criticalPath = k + 1;
        }
    }
    state.pathMarker[state.criticalPath - 1] = criticalPathMarker();

    for (int k = 0; k < pathCount; ++k)
        state.pathCrashLength[k]
            = pathSum(table, paths[k], k + 1, PathSumOverflowError::Column::CrashDuration);

    state.minimumDuration = state.pathCrashLength[0];
    for (int k = 1; k < pathCount; ++k) {
        if (state.pathCrashLength[k] > state.minimumDuration)
            state.minimumDuration = state.pathCrashLength[k];
    }
}

QString minimumDurationCaption(std::int32_t minimum)
{
    return QStringLiteral("ควร >= ") + QString::number(minimum);
}
