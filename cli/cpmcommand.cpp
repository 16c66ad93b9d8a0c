// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"
#include "reporting.h"

#include "schedule.h"

namespace cli {

namespace {

void writeJson(Output &output, const engine::Project &project, const engine::Network &network,
               const engine::Schedule &schedule, engine::Duration shortest, std::size_t pathLimit)
{
    JsonWriter json(output);
    json.beginObject();
    json.key("activities");
    json.beginArray();
    for (int i = 0; i < network.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const engine::Activity &a = project.activities[k];
        json.beginObject();
        json.key("critical");
        json.value(schedule.isCritical(i));
        json.key("duration");
        json.value(a.normalDuration);
        json.key("earliest_finish");
        json.value(schedule.earliestFinish[k]);
        json.key("earliest_start");
        json.value(schedule.earliestStart[k]);
        json.key("id");
        json.value(a.id);
        json.key("latest_finish");
        json.value(schedule.latestFinish[k]);
        json.key("latest_start");
        json.value(schedule.latestStart[k]);
        json.key("name");
        json.value(a.name);
        json.key("total_float");
        json.value(schedule.totalFloat(i));
        json.endObject();
    }
    json.endArray();
    json.key("critical_paths");
    json.beginArray();
    const bool complete
        = engine::visitCriticalPaths(network, schedule, pathLimit, [&](std::span<const int> path) {
              writeIds(json, project, path);
          });
    json.endArray();
    json.key("critical_paths_complete");
    json.value(complete);
    json.key("project_duration");
    json.value(schedule.projectDuration);
    json.key("shortest_duration");
    json.value(shortest);
    json.key("title");
    json.value(project.title);
    json.endObject();
}

void writeText(Output &output, const engine::Project &project, const engine::Network &network,
               const engine::Schedule &schedule, engine::Duration shortest, std::size_t pathLimit)
{
    writeTitleLine(output, project);
    output.write("Project duration: ");
    output.writeNumber(schedule.projectDuration);
    output.write(QStringLiteral(" ") + unitName(project.timeUnit, schedule.projectDuration != 1));
    output.write("\nShortest reachable duration: ");
    output.writeNumber(shortest);
    output.write(QStringLiteral(" ") + unitName(project.timeUnit, shortest != 1));
    output.write("\n\n");

    TextTable table({"activity", "duration", "ES", "EF", "LS", "LF", "float", "critical"});
    Row row;
    auto fill = [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        row.clear();
        row.text(project.activities[k].id)
            .number(project.activities[k].normalDuration)
            .number(schedule.earliestStart[k])
            .number(schedule.earliestFinish[k])
            .number(schedule.latestStart[k])
            .number(schedule.latestFinish[k])
            .number(schedule.totalFloat(i))
            .text(schedule.isCritical(i) ? "yes" : "no");
    };
    for (int i = 0; i < network.size(); ++i) {
        fill(i);
        table.measure(row);
    }
    table.writeHeader(output);
    for (int i = 0; i < network.size(); ++i) {
        fill(i);
        table.write(output, row);
    }

    output.write("\nCritical paths:\n");
    std::size_t listed = 0;
    const bool complete
        = engine::visitCriticalPaths(network, schedule, pathLimit, [&](std::span<const int> path) {
              output.write("  ");
              for (std::size_t k = 0; k < path.size(); ++k) {
                  if (k > 0)
                      output.write(" - ");
                  cli::writeText(output, idOf(project, path[k]));
              }
              output.write('\n');
              ++listed;
          });
    if (!complete) {
        output.write("  (only the first ");
        output.writeNumber(static_cast<std::int64_t>(listed));
        output.write(" are listed; use --paths N for more)\n");
    }
}

} // namespace

void writeCpm(Output &output, const engine::Project &project, const engine::Network &network,
              int pathLimit, bool json)
{
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    const engine::Duration shortest = engine::shortestDuration(network);
    const auto limit = static_cast<std::size_t>(pathLimit);
    if (json)
        writeJson(output, project, network, schedule, shortest, limit);
    else
        writeText(output, project, network, schedule, shortest, limit);
}

} // namespace cli
