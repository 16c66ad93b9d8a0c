// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "arguments.h"

#include <QJsonObject>
#include <QString>

#include "project.h"

namespace cli {

// What a command prints: the text for people and the JSON object for scripts.
struct Report {
    QString text;
    QJsonObject json;
};

// Each command works on a sound project (the readers refuse any other). Throws UsageError
// for a request the project cannot meet (e.g. a target below the shortest duration).
Report cpmReport(const engine::Project &project, int pathLimit);
Report crashReport(const engine::Project &project, qint64 target, Method method);
Report curveReport(const engine::Project &project, std::optional<qint64> indirectCostPerUnit);
// PERT over the three time estimates; `byDay` (time units, 0 or more) asks for the chance of
// finishing by then, `probability` (0 < p < 1) for the day reached with it. Throws
// UsageError when no activity has estimates.
Report pertReport(const engine::Project &project, std::optional<double> byDay,
                  std::optional<double> probability);

// Money in Baht for JSON: a number with at most two decimals (exact for any amount the
// engine allows, which stays below 2^53 satang).
double bahtNumber(engine::Satang amount);

} // namespace cli
