// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "tablecrashing.h"

#include "tablecells.h"

std::optional<engine::practice::RunEnd> crashTable(ActivityTable &table,
                                                   std::span<const engine::practice::Path> routes,
                                                   std::int32_t target, AnalysisState &analysis,
                                                   engine::practice::RunState &run,
                                                   TableIteration &iteration)
{
    analysePaths(table, routes, analysis);
    if (!engine::practice::targetInRange(target, analysis))
        return std::nullopt;
    engine::practice::startRun(run, target, analysis);
    return engine::practice::runCrashing(run, routes, analysis, TableCells(table), iteration);
}
