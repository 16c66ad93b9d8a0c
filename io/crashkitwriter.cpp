// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashkitfile.h"
#include "jsonvalue.h"
#include "linknotation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace io {

QByteArray writeCrashkit(const engine::Project &project)
{
    QJsonArray activities;
    for (const engine::Activity &a : project.activities) {
        // An id for a plain link, an object for the others.
        QJsonArray predecessors;
        for (std::size_t k = 0; k < a.predecessors.size(); ++k) {
            const engine::LinkTiming timing = a.linkTiming(k);
            if (timing.plain())
                predecessors.append(jsonText(a.predecessors[k]));
            else
                predecessors.append(QJsonObject {
                    {QStringLiteral("id"), jsonText(a.predecessors[k])},
                    {QStringLiteral("type"), QString::fromLatin1(linkTypeCode(timing.type))},
                    {QStringLiteral("lag"), static_cast<qint64>(timing.lag)},
                });
        }
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
    // The oldest version that holds the project, so that older programs read what they can.
    const bool plain = engine::hasPlainLinks(project) && project.timeUnit == engine::TimeUnit::Day;
    QJsonObject root {
        {QStringLiteral("format"), QString::fromLatin1(kCrashkitFormat)},
        {QStringLiteral("version"), plain ? 1 : kCrashkitLinksVersion},
        {QStringLiteral("title"), jsonText(project.title)},
        {QStringLiteral("activities"), activities},
    };
    if (project.timeUnit != engine::TimeUnit::Day) {
        const std::string_view unit = timeUnitWord(project.timeUnit);
        root.insert(QStringLiteral("time_unit"),
                    QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())));
    }
    if (project.target)
        root.insert(QStringLiteral("target_duration"), static_cast<qint64>(*project.target));
    // Qt's JSON reader drops a U+FEFF written as such at the start of a text, but keeps the
    // escape; outside texts the file has only ASCII, so every such byte sequence is one.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

} // namespace io
