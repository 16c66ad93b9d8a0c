// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashkitfile.h"
#include "jsonvalue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace io {

QByteArray writeCrashkit(const engine::Project &project)
{
    QJsonArray activities;
    for (const engine::Activity &a : project.activities) {
        QJsonArray predecessors;
        for (const std::string &id : a.predecessors)
            predecessors.append(jsonText(id));
        QJsonObject activity {
            {QStringLiteral("id"), jsonText(a.id)},
            {QStringLiteral("name"), jsonText(a.name)},
            {QStringLiteral("predecessors"), predecessors},
            {QStringLiteral("normal_duration"), static_cast<qint64>(a.normalDuration)},
            {QStringLiteral("crash_duration"), static_cast<qint64>(a.crashDuration)},
            {QStringLiteral("crash_cost_per_unit"), jsonBaht(a.crashCostPerUnit)},
        };
        // Qt writes a double in the shortest form that reads back as the same double.
        if (a.estimate)
            activity.insert(QStringLiteral("estimate"),
                            QJsonObject {
                                {QStringLiteral("optimistic"), a.estimate->optimistic},
                                {QStringLiteral("most_likely"), a.estimate->mostLikely},
                                {QStringLiteral("pessimistic"), a.estimate->pessimistic},
                            });
        activities.append(activity);
    }
    QJsonObject root {
        {QStringLiteral("format"), QString::fromLatin1(kCrashkitFormat)},
        {QStringLiteral("version"), kCrashkitVersion},
        {QStringLiteral("title"), jsonText(project.title)},
        {QStringLiteral("activities"), activities},
    };
    if (project.target)
        root.insert(QStringLiteral("target_duration"), static_cast<qint64>(*project.target));
    // Qt's JSON reader drops a U+FEFF written as such at the start of a text, but keeps the
    // escape; outside texts the file has only ASCII, so every such byte sequence is one.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

} // namespace io
