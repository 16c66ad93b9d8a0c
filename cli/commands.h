// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "arguments.h"
#include "output.h"

#include "network.h"
#include "project.h"

#include <QDate>

#include <optional>

namespace cli {

// Each command writes its report to `output` as it is produced, as text for people or
// (json) as one JSON object for scripts, with memory bounded by the project rather than
// by what is printed. It works on a sound project of at least one activity (the readers
// refuse any unsound one) and `network`, the project compiled. A request the project
// cannot meet (a target below the shortest duration, say) throws UsageError before
// anything is written; a failed write throws OutputError.
void writeCpm(Output &output, const engine::Project &project, const engine::Network &network,
              int pathLimit, bool json);
// The network drawn activity on arrow, at normal durations: events and arrows.
void writeAoa(Output &output, const engine::Project &project, const engine::Network &network,
              bool json);
// Crashing to `target` time units, by the textbook greedy or at the least cost.
void writeCrash(Output &output, const engine::Project &project, const engine::Network &network,
                qint64 target, Method method, bool json);
// The plan as Microsoft Project XML (io::writeMspdi) from `start`: at normal durations, or
// with `target` crashed to it by the method, the normal plan then being baseline 0. A plan
// ending after the last date Microsoft Project schedules is refused.
void writeExport(Output &output, const engine::Project &project, const engine::Network &network,
                 std::optional<qint64> target, Method method, QDate start);
// The time-cost curve; with an indirect cost per time unit (satang, 0 or more) also the
// total cost at every duration and the least of it.
void writeCurve(Output &output, const engine::Project &project, const engine::Network &network,
                std::optional<qint64> indirectCostPerUnit, bool json);
// PERT over the three time estimates; `byDay` (time units, 0 or more) asks for the chance of
// finishing by then, `probability` (0 < p < 1) for the day reached with it. Throws
// UsageError when no activity has estimates.
void writePert(Output &output, const engine::Project &project, const engine::Network &network,
               std::optional<double> byDay, std::optional<double> probability, bool json);

} // namespace cli
