// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"
#include "reporting.h"

#include "timecostcurve.h"
#include "totalcost.h"

#include <QString>

namespace cli {

namespace {

// The largest amount printed: JSON numbers (doubles) hold every satang up to 2^53.
constexpr engine::Satang kLargestAmount = engine::Satang {1} << 53;

bool totalFits(const engine::CurvePoint &point, engine::Satang indirectPerUnit)
{
    return point.duration == 0 || indirectPerUnit <= (kLargestAmount - point.cost) / point.duration;
}

// Refuses an indirect cost that takes the total at some duration beyond what JSON holds
// exactly, naming the first such duration from the normal one down. The total is convex
// in the duration, so it exceeds somewhere only if it does at one end.
void checkTotals(const engine::TimeCostCurve &curve, engine::Satang indirectPerUnit)
{
    const std::vector<engine::CurvePoint> &ends = curve.breakpoints();
    if (totalFits(ends.front(), indirectPerUnit) && totalFits(ends.back(), indirectPerUnit))
        return;
    curve.visitPoints([&](const engine::CurvePoint &point) {
        if (!totalFits(point, indirectPerUnit))
            throw UsageError(
                QStringLiteral("--indirect-cost: the total cost at duration %1 exceeds %2 Baht")
                    .arg(point.duration)
                    .arg(QString::fromStdString(engine::formatBaht(kLargestAmount)))
                    .toStdString());
    });
}

void writePoint(JsonWriter &json, const engine::CurvePoint &point,
                std::optional<qint64> indirectPerUnit)
{
    json.beginObject();
    json.key("duration");
    json.value(point.duration);
    json.key("extra_cost");
    json.value(bahtNumber(point.cost));
    if (indirectPerUnit) {
        const engine::Satang indirect = *indirectPerUnit * point.duration;
        json.key("indirect_cost");
        json.value(bahtNumber(indirect));
        json.key("total_cost");
        json.value(bahtNumber(indirect + point.cost));
    }
    json.endObject();
}

void writeJson(Output &output, const engine::Project &project, const engine::TimeCostCurve &curve,
               std::optional<qint64> indirectPerUnit,
               const std::optional<engine::LowestTotalCost> &lowest)
{
    JsonWriter json(output);
    json.beginObject();
    json.key("breakpoints");
    json.beginArray();
    for (const engine::CurvePoint &point : curve.breakpoints())
        writePoint(json, point, std::nullopt);
    json.endArray();
    if (indirectPerUnit) {
        json.key("indirect_cost_per_unit");
        json.value(bahtNumber(*indirectPerUnit));
        json.key("least_total_cost");
        json.value(bahtNumber(lowest->total));
        json.key("least_total_durations");
        json.beginArray();
        // Every tied duration, from the longest down as the points run.
        for (engine::Duration d = lowest->longest; d >= lowest->shortest; --d)
            json.value(d);
        json.endArray();
    }
    json.key("normal_duration");
    json.value(curve.normalDuration());
    json.key("points");
    json.beginArray();
    curve.visitPoints(
        [&](const engine::CurvePoint &point) { writePoint(json, point, indirectPerUnit); });
    json.endArray();
    json.key("shortest_duration");
    json.value(curve.shortestDuration());
    json.key("title");
    json.value(project.title);
    json.endObject();
}

void fillRow(Row &row, const engine::CurvePoint &point, std::optional<qint64> indirectPerUnit)
{
    row.clear();
    row.number(point.duration).baht(point.cost);
    if (indirectPerUnit) {
        const engine::Satang indirect = *indirectPerUnit * point.duration;
        row.baht(indirect).baht(indirect + point.cost);
    }
}

void writeText(Output &output, const engine::Project &project, const engine::TimeCostCurve &curve,
               std::optional<qint64> indirectPerUnit,
               const std::optional<engine::LowestTotalCost> &lowest)
{
    writeTitleLine(output, project);
    output.write(
        QStringLiteral("Least extra cost from the normal duration %1 down to the shortest %2:\n\n")
            .arg(curve.normalDuration())
            .arg(curve.shortestDuration()));
    TextTable table({"duration", "extra cost"});
    if (indirectPerUnit)
        table.addColumns({"indirect cost", "total cost"});
    // The widest cells are those of the largest amounts, which lie on breakpoints: the
    // duration and the indirect cost grow with the duration, the extra cost falls, and the
    // total, convex, is largest at one end. So the points need not be measured one by one.
    Row row;
    for (const engine::CurvePoint &point : curve.breakpoints()) {
        fillRow(row, point, indirectPerUnit);
        table.measure(row);
    }
    table.writeHeader(output);
    curve.visitPoints([&](const engine::CurvePoint &point) {
        fillRow(row, point, indirectPerUnit);
        table.write(output, row);
    });

    output.write("\nBreakpoints: ");
    bool first = true;
    for (const engine::CurvePoint &point : curve.breakpoints()) {
        if (!first)
            output.write(", ");
        first = false;
        output.writeNumber(point.duration);
        output.write(" (");
        output.write(engine::formatBaht(point.cost));
        output.write(")");
    }
    output.write('\n');
    if (indirectPerUnit) {
        output.write(QStringLiteral("With %1 Baht of indirect cost per %3, the least total "
                                    "cost is %2 Baht, at duration ")
                         .arg(QString::fromStdString(engine::formatBaht(*indirectPerUnit)),
                              QString::fromStdString(engine::formatBaht(lowest->total)),
                              unitName(project.timeUnit)));
        for (engine::Duration d = lowest->longest; d >= lowest->shortest; --d) {
            output.writeNumber(d);
            output.write(d > lowest->shortest ? ", " : ".\n");
        }
    }
}

} // namespace

void writeCurve(Output &output, const engine::Project &project, const engine::Network &network,
                std::optional<qint64> indirectCostPerUnit, bool json)
{
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    std::optional<engine::LowestTotalCost> lowest;
    if (indirectCostPerUnit) {
        checkTotals(curve, *indirectCostPerUnit);
        // Every total fits below 2^53 (checked above), so value() cannot throw.
        lowest = engine::lowestTotalCost(curve.breakpoints(), *indirectCostPerUnit).value();
    }
    if (json)
        writeJson(output, project, curve, indirectCostPerUnit, lowest);
    else
        writeText(output, project, curve, indirectCostPerUnit, lowest);
}

} // namespace cli
