// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "pathanalysis.h"

#include "tablecells.h"

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

} // namespace

PathSumOverflowError::PathSumOverflowError(int pathNumber, Column column)
    : platform::ApplicationError(overflowMessage(pathNumber, column)), m_pathNumber(pathNumber),
      m_column(column)
{
}

const QString &criticalPathMarker()
{
    static const QString marker = QStringLiteral("<---- สายงานวิกฤต");
    return marker;
}

QString pathMarker(const AnalysisState &state, std::size_t path)
{
    return state.marked.at(path) ? criticalPathMarker() : QString();
}

void analysePaths(const ActivityTable &table, std::span<const engine::practice::Path> routes,
                  AnalysisState &state)
{
    try {
        engine::practice::analysePaths(routes, TableCells(table), state);
    } catch (const engine::practice::PathSumOverflow &overflow) {
        // The window shows the error box of the program's own errors, in Thai.
        throw PathSumOverflowError(overflow.pathNumber(), overflow.column());
    }
}

QString minimumDurationCaption(std::int32_t minimum)
{
    return QStringLiteral("ควร >= ") + QString::number(minimum);
}
