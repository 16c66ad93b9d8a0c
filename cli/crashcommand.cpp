// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"
#include "reporting.h"
#include "spool.h"

#include "greedy.h"
#include "leastcost.h"
#include "schedule.h"

#include <QString>

#include <optional>
#include <vector>

namespace cli {

namespace {

// Where the crashing ends: every activity's duration, the duration reached and the cost.
struct Outcome {
    std::vector<engine::Duration> durations;
    engine::Satang extraCost = 0;
    engine::Duration reached = 0;
};

void writeStepJson(JsonWriter &json, const engine::Project &project, const engine::GreedyStep &step)
{
    std::vector<int> cut;
    for (const engine::Cut &c : step.cuts)
        cut.push_back(c.activity);
    json.beginObject();
    json.key("cost");
    json.value(bahtNumber(step.cost));
    json.key("cost_per_unit");
    json.value(bahtNumber(step.costPerUnit));
    json.key("critical_after");
    writeIds(json, project, step.criticalAfter);
    json.key("critical_before");
    writeIds(json, project, step.criticalBefore);
    json.key("cut");
    writeIds(json, project, cut);
    json.key("duration_after");
    json.value(step.durationAfter);
    json.key("duration_before");
    json.value(step.durationBefore);
    json.key("step");
    json.value(step.number);
    json.key("total_cost");
    json.value(bahtNumber(step.totalCost));
    json.key("units");
    json.value(step.units);
    json.endObject();
}

void fillStepRow(Row &row, const engine::Project &project, const engine::GreedyStep &step)
{
    std::vector<int> cut;
    for (const engine::Cut &c : step.cuts)
        cut.push_back(c.activity);
    row.clear();
    row.number(step.number);
    addIds(row, project, step.criticalBefore, ",");
    addIds(row, project, cut, "+");
    row.number(step.units)
        .baht(step.costPerUnit)
        .baht(step.cost)
        .number(step.durationBefore)
        .append(" -> ")
        .appendNumber(step.durationAfter)
        .baht(step.totalCost);
}

// The greedy's run, its steps kept in `spool` (as elements of a JSON array at depth 2, or as
// rows of `table`, which measures them) until the durations they reach have been written.
Outcome runGreedy(const engine::Network &network, const engine::Project &project,
                  engine::Duration target, bool json, Spool &spool, TextTable &table,
                  std::int64_t &steps)
{
    engine::GreedyCrashing greedy(network);
    greedy.start(target);
    JsonWriter elements(spool.output(), 2);
    Row row;
    steps = 0;
    while (const auto step = greedy.step()) {
        ++steps;
        if (json) {
            writeStepJson(elements, project, *step);
        } else {
            fillStepRow(row, project, *step);
            table.measure(row);
            spool.keep(row);
        }
    }
    return {greedy.durations(), greedy.totalCost(), greedy.schedule().projectDuration};
}

void fillActivityRow(Row &row, const engine::Activity &a, engine::Duration duration)
{
    const engine::Duration cut = a.normalDuration - duration;
    row.clear();
    row.text(a.id)
        .number(a.normalDuration)
        .number(a.crashDuration)
        .number(duration)
        .number(cut)
        .baht(a.crashCostPerUnit)
        .baht(a.crashCostPerUnit * cut);
}

} // namespace

void writeCrash(Output &output, const engine::Project &project, const engine::Network &network,
                qint64 target, Method method, bool json)
{
    const engine::Duration normal
        = engine::computeSchedule(network, network.normalDurations()).projectDuration;
    const engine::Duration shortest = engine::shortestDuration(network);
    checkTarget(target, normal, shortest);

    const bool greedy = method == Method::Greedy;
    std::optional<Spool> spool;
    TextTable stepTable(
        {"step", "critical", "cut", "units", "Baht/unit", "cost", "duration", "total"});
    std::int64_t steps = 0;
    Outcome outcome;
    if (greedy) {
        spool.emplace();
        outcome = runGreedy(network, project, target, json, *spool, stepTable, steps);
    } else {
        engine::LeastCost least = engine::leastCost(network, target).value();
        outcome = {std::move(least.durations), least.cost, least.projectDuration};
    }

    if (json) {
        JsonWriter writer(output);
        writer.beginObject();
        writer.key("activities");
        writer.beginArray();
        for (int i = 0; i < network.size(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            const engine::Activity &a = project.activities[k];
            const engine::Duration cut = a.normalDuration - outcome.durations[k];
            writer.beginObject();
            writer.key("cost");
            writer.value(bahtNumber(a.crashCostPerUnit * cut));
            writer.key("crash_duration");
            writer.value(a.crashDuration);
            writer.key("duration");
            writer.value(outcome.durations[k]);
            writer.key("id");
            writer.value(a.id);
            writer.key("normal_duration");
            writer.value(a.normalDuration);
            writer.key("units_cut");
            writer.value(cut);
            writer.endObject();
        }
        writer.endArray();
        writer.key("extra_cost");
        writer.value(bahtNumber(outcome.extraCost));
        writer.key("method");
        writer.value(greedy ? "greedy" : "optimal");
        writer.key("normal_duration");
        writer.value(normal);
        writer.key("reached_duration");
        writer.value(outcome.reached);
        writer.key("shortest_duration");
        writer.value(shortest);
        if (greedy) {
            writer.key("steps");
            writer.beginArray();
            writer.elementsFrom(steps, [&] { spool->copyTo(output); });
            writer.endArray();
        }
        writer.key("target");
        writer.value(static_cast<std::int64_t>(target));
        writer.key("title");
        writer.value(project.title);
        writer.endObject();
        return;
    }

    writeTitleLine(output, project);
    if (greedy) {
        output.write(QStringLiteral("Greedy crashing from %1 to %2 (each step cuts the cheapest "
                                    "set of critical activities that shortens every critical "
                                    "path):\n\n")
                         .arg(normal)
                         .arg(target));
        if (steps == 0) {
            output.write("No step: the target is the normal duration.\n");
        } else {
            stepTable.writeHeader(output);
            spool->replayRows([&](const Row &row) { stepTable.write(output, row); });
        }
        output.write("\nDurations reached:\n\n");
    } else {
        output.write(
            QStringLiteral("Least-cost durations for %1 (normal duration %2, shortest %3):\n\n")
                .arg(target)
                .arg(normal)
                .arg(shortest));
    }
    TextTable table({"activity", "normal", "crash", "new", "cut", "Baht/unit", "cost"});
    Row row;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            table.writeHeader(output);
        for (std::size_t k = 0; k < project.activities.size(); ++k) {
            fillActivityRow(row, project.activities[k], outcome.durations[k]);
            if (pass == 0)
                table.measure(row);
            else
                table.write(output, row);
        }
    }
    output.write(QStringLiteral("\nProject duration reached: %1 %3\nExtra cost: %2 Baht\n")
                     .arg(outcome.reached)
                     .arg(QString::fromStdString(engine::formatBaht(outcome.extraCost)),
                          unitName(project.timeUnit, outcome.reached != 1)));
}

} // namespace cli
