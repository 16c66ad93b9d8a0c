// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"
#include "reporting.h"

#include "arrowdiagram.h"

namespace cli {

namespace {

void writeJson(Output &output, const engine::Project &project, const engine::ArrowDiagram &diagram,
               const engine::EventTimes &times)
{
    JsonWriter json(output);
    json.beginObject();
    json.key("arrows");
    json.beginArray();
    for (std::size_t i = 0; i < diagram.arrows.size(); ++i) {
        const engine::ArrowDiagram::Arrow &arrow = diagram.arrows[i];
        json.beginObject();
        json.key("activity");
        if (arrow.isDummy())
            json.null();
        else
            json.value(idOf(project, arrow.activity));
        json.key("critical");
        json.value(static_cast<bool>(times.criticalArrow[i]));
        json.key("dummy");
        json.value(arrow.isDummy());
        json.key("duration");
        json.value(
            arrow.isDummy()
                ? engine::Duration {0}
                : project.activities[static_cast<std::size_t>(arrow.activity)].normalDuration);
        json.key("from");
        json.value(static_cast<engine::Duration>(arrow.from + 1));
        json.key("to");
        json.value(static_cast<engine::Duration>(arrow.to + 1));
        json.endObject();
    }
    json.endArray();
    json.key("dummies");
    json.value(static_cast<engine::Duration>(diagram.dummyCount()));
    json.key("dummies_fully_reduced");
    json.value(diagram.fullyReduced);
    json.key("events");
    json.beginArray();
    for (int e = 0; e < diagram.eventCount; ++e) {
        json.beginObject();
        json.key("critical");
        json.value(times.isCritical(e));
        json.key("earliest");
        json.value(times.earliest[static_cast<std::size_t>(e)]);
        json.key("latest");
        json.value(times.latest[static_cast<std::size_t>(e)]);
        json.key("number");
        json.value(static_cast<engine::Duration>(e + 1));
        json.endObject();
    }
    json.endArray();
    json.key("project_duration");
    json.value(times.projectDuration);
    json.key("title");
    json.value(project.title);
    json.endObject();
}

void writeText(Output &output, const engine::Project &project, const engine::ArrowDiagram &diagram,
               const engine::EventTimes &times)
{
    writeTitleLine(output, project);
    output.write("Project duration: ");
    output.writeNumber(times.projectDuration);
    output.write(QStringLiteral(" ") + unitName(project.timeUnit, times.projectDuration != 1));
    output.write("\nEvents: ");
    output.writeNumber(diagram.eventCount);
    output.write(", dummies: ");
    output.writeNumber(static_cast<std::int64_t>(diagram.dummyCount()));
    if (!diagram.fullyReduced)
        output.write(" (a project this large is not searched for every dummy that could go)");
    output.write("\n\n");

    TextTable events({"event", "earliest", "latest", "critical"});
    Row row;
    auto fillEvent = [&](int e) {
        row.clear();
        row.number(e + 1)
            .number(times.earliest[static_cast<std::size_t>(e)])
            .number(times.latest[static_cast<std::size_t>(e)])
            .text(times.isCritical(e) ? "yes" : "no");
    };
    for (int e = 0; e < diagram.eventCount; ++e) {
        fillEvent(e);
        events.measure(row);
    }
    events.writeHeader(output);
    for (int e = 0; e < diagram.eventCount; ++e) {
        fillEvent(e);
        events.write(output, row);
    }

    output.write('\n');
    TextTable arrows({"from", "to", "activity", "duration", "critical"});
    auto fillArrow = [&](std::size_t i) {
        const engine::ArrowDiagram::Arrow &arrow = diagram.arrows[i];
        row.clear();
        row.number(arrow.from + 1).number(arrow.to + 1);
        if (arrow.isDummy())
            row.text("(dummy)").number(0);
        else
            row.text(idOf(project, arrow.activity))
                .number(
                    project.activities[static_cast<std::size_t>(arrow.activity)].normalDuration);
        row.text(times.criticalArrow[i] ? "yes" : "no");
    };
    for (std::size_t i = 0; i < diagram.arrows.size(); ++i) {
        fillArrow(i);
        arrows.measure(row);
    }
    arrows.writeHeader(output);
    for (std::size_t i = 0; i < diagram.arrows.size(); ++i) {
        fillArrow(i);
        arrows.write(output, row);
    }
}

} // namespace

void writeAoa(Output &output, const engine::Project &project, const engine::Network &network,
              bool json)
{
    const engine::ArrowDiagram diagram = engine::buildArrowDiagram(network);
    const engine::EventTimes times = engine::computeEventTimes(diagram, network.normalDurations());
    if (json)
        writeJson(output, project, diagram, times);
    else
        writeText(output, project, diagram, times);
}

} // namespace cli
