// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashkitfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

namespace io {

namespace {

// QString::fromUtf8 would drop a byte order mark at the start of a text: it is data here.
QString text(const std::string &utf8)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom
                               | QStringDecoder::Flag::Stateless);
    return decoder.decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

// Whole Baht as an integer, anything else as the double nearest to it: that double
// converts back to the same satang (see amountFromDouble).
QJsonValue baht(engine::Satang amount)
{
    if (amount % 100 == 0)
        return QJsonValue(static_cast<qint64>(amount / 100));
    return QJsonValue(static_cast<double>(amount) / 100.0);
}

} // namespace

QByteArray writeCrashkit(const engine::Project &project)
{
    QJsonArray activities;
    for (const engine::Activity &a : project.activities) {
        QJsonArray predecessors;
        for (const std::string &id : a.predecessors)
            predecessors.append(text(id));
        QJsonObject activity {
            {QStringLiteral("id"), text(a.id)},
            {QStringLiteral("name"), text(a.name)},
            {QStringLiteral("predecessors"), predecessors},
            {QStringLiteral("normal_duration"), static_cast<qint64>(a.normalDuration)},
            {QStringLiteral("crash_duration"), static_cast<qint64>(a.crashDuration)},
            {QStringLiteral("crash_cost_per_unit"), baht(a.crashCostPerUnit)},
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
        {QStringLiteral("title"), text(project.title)},
        {QStringLiteral("activities"), activities},
    };
    if (project.target)
        root.insert(QStringLiteral("target_duration"), static_cast<qint64>(*project.target));
    // Qt's JSON reader drops a U+FEFF written as such at the start of a text, but keeps the
    // escape; outside texts the file has only ASCII, so every such byte sequence is one.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

} // namespace io
