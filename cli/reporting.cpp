// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "reporting.h"

#include "linknotation.h"

#include "arguments.h"
#include "utf8.h"

namespace cli {

void addIds(Row &row, const engine::Project &project, std::span<const int> activities,
            std::string_view separator)
{
    if (activities.empty()) {
        row.text("none");
        return;
    }
    row.text(idOf(project, activities.front()));
    for (const int a : activities.subspan(1))
        row.append(separator).append(idOf(project, a));
}

void writeIds(JsonWriter &json, const engine::Project &project, std::span<const int> activities)
{
    json.beginArray();
    for (const int a : activities)
        json.value(idOf(project, a));
    json.endArray();
}

void writeText(Output &output, std::string_view utf8)
{
    if (io::findInvalidUtf8(utf8) == std::string_view::npos)
        output.write(utf8);
    else
        output.write(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void writeTitleLine(Output &output, const engine::Project &project)
{
    if (project.title.empty())
        return;
    writeText(output, project.title);
    output.write('\n');
}

QString unitName(engine::TimeUnit unit, bool plural)
{
    const QString name = QString::fromLatin1(io::timeUnitWord(unit));
    return plural ? name + u's' : name;
}

void checkTarget(engine::Duration target, engine::Duration normal, engine::Duration shortest)
{
    if (target < shortest)
        throw UsageError(QStringLiteral("--target %1 is below the shortest reachable duration, %2")
                             .arg(target)
                             .arg(shortest)
                             .toStdString());
    if (target > normal)
        throw UsageError(QStringLiteral("--target %1 is above the normal project duration, %2")
                             .arg(target)
                             .arg(normal)
                             .toStdString());
}

} // namespace cli
