// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"
#include "reporting.h"

#include "greedy.h"
#include "leastcost.h"
#include "mspdiwriter.h"
#include "schedule.h"

#include <vector>

namespace cli {

void writeExport(Output &output, const engine::Project &project, const engine::Network &network,
                 std::optional<qint64> target, Method method, QDate start)
{
    const engine::Schedule normalPlan = engine::computeSchedule(network, network.normalDurations());
    std::vector<engine::Duration> crashed;
    engine::Duration duration = normalPlan.projectDuration;
    if (target) {
        checkTarget(*target, normalPlan.projectDuration, engine::shortestDuration(network));
        if (method == Method::Greedy) {
            engine::GreedyCrashing greedy(network);
            greedy.start(*target);
            while (greedy.step()) { }
            crashed = greedy.durations();
            duration = greedy.schedule().projectDuration;
        } else {
            engine::LeastCost least = engine::leastCost(network, *target).value();
            crashed = std::move(least.durations);
            duration = least.projectDuration;
        }
    }
    // Microsoft Project opens no plan that runs past its last date; the first is --start's
    // bound already.
    const std::optional<QDate> finish = io::mspdiFinishDay(start, duration);
    if (!finish || *finish > io::mspdiLastDate())
        throw UsageError(
            QStringLiteral("the plan of %1 working days from %2 would end %3, after %4, the last "
                           "date Microsoft Project schedules")
                .arg(duration)
                .arg(start.toString(Qt::ISODate),
                     finish ? QStringLiteral("on ") + finish->toString(Qt::ISODate)
                            : QStringLiteral("beyond the year 9999"),
                     io::mspdiLastDate().toString(Qt::ISODate))
                .toStdString());
    output.write(io::writeMspdi(project, start, crashed));
}

} // namespace cli
