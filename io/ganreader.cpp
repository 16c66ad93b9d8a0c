// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "ganreader.h"

#include "values.h"
#include "xmlreading.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace io {

namespace {

// GanttProject's codes of the link types, in the order of LinkType: 2 finish to start, 1
// start to start, 3 finish to finish, 4 start to finish.
constexpr std::array<char16_t, 4> kGanLinkTypeCodes {u'2', u'1', u'3', u'4'};

std::optional<LinkType> linkTypeOf(const QString &code)
{
    for (std::size_t i = 0; i < kGanLinkTypeCodes.size(); ++i) {
        if (code.size() == 1 && code.front() == QChar(kGanLinkTypeCodes[i]))
            return static_cast<LinkType>(i);
    }
    return std::nullopt;
}

QStringList linkTypeCodes()
{
    QStringList codes;
    for (const char16_t code : kGanLinkTypeCodes)
        codes << QString(QChar(code));
    return codes;
}

// GanttProject counts durations and lags in working days; the plan counts minutes.
constexpr std::int64_t kGanMinutesPerDay = 480;

struct Depend {
    QString successor {}; // its id
    LinkType type = LinkType::FinishStart;
    std::int64_t lagMinutes = 0;
    QString refusedLag {}; // see PlanLink
    int line = 0;
};

class GanReader {
public:
    GanReader(const QByteArray &bytes, const QString &file) : m_bytes(bytes), m_file(file) { }
    ReadResult read();

private:
    Place placeAt(int line, const QString &field, const QString &activity = {}) const
    {
        return {.file = m_file, .line = line, .field = field, .activity = activity};
    }
    void readTask(const XmlElement &element, int parent);

    const QByteArray &m_bytes;
    QString m_file;
    ProblemList m_problems;
    Plan m_plan;
    QHash<QString, int> m_taskOfId;
    std::vector<std::vector<Depend>> m_depends; // of each task
};

void GanReader::readTask(const XmlElement &element, int parent)
{
    const QString id = element.attribute(u"id").value_or(QString()).trimmed();
    const QString shownId = shownValue(id);
    if (id.isEmpty()) {
        m_problems.add({.kind = FileProblemKind::MissingValue,
                        .place = placeAt(element.line, QStringLiteral("id"))});
        return;
    }
    if (m_taskOfId.contains(id)) {
        m_problems.add({.kind = FileProblemKind::DuplicateTaskId,
                        .place = placeAt(element.line, QStringLiteral("id"), shownId),
                        .value = shownId});
        return;
    }
    const int index = static_cast<int>(m_plan.tasks.size());
    m_taskOfId.insert(id, index);
    PlanTask task {.id = id.toStdString(),
                   .name = element.attribute(u"name").value_or(QString()).toStdString(),
                   .parent = parent,
                   .line = element.line};
    // Checked here with its own limit, once: an imported activity's crash duration is its
    // duration, so the engine would find the same fault twice.
    const QString duration = element.attribute(u"duration").value_or(QStringLiteral("0"));
    if (element.attribute(u"meeting") != QStringLiteral("true")) {
        const std::string written = duration.toStdString();
        task.duration = duration.trimmed();
        engine::Duration days = 0;
        if (const auto problem = parseDuration(written, days)) {
            task.durationRead = false;
            m_problems.add({.kind = *problem,
                            .place = placeAt(element.line, QStringLiteral("duration"), shownId),
                            .value = shownValue(duration.trimmed()),
                            .bound = engine::kMaxDuration});
        }
        task.minutes = days * kGanMinutesPerDay;
    }
    std::vector<Depend> depends;
    for (const XmlElement &depend : element.children) {
        if (depend.name != u"depend")
            continue;
        Depend read {.successor = depend.attribute(u"id").value_or(QString()).trimmed(),
                     .line = depend.line};
        const QString type = depend.attribute(u"type").value_or(QStringLiteral("2")).trimmed();
        if (const std::optional<LinkType> known = linkTypeOf(type))
            read.type = *known;
        else
            m_problems.add({.kind = FileProblemKind::UnknownLinkType,
                            .place = placeAt(depend.line, QStringLiteral("type"), shownId),
                            .value = shownValue(type),
                            .names = linkTypeCodes()});
        // A whole number of days, either way (one too large in any unit is kept as too large,
        // for the engine to tell); anything else is told as the lag it is.
        const QString lag = depend.attribute(u"difference").value_or(QString()).trimmed();
        bool number = false;
        const qlonglong days = lag.toLongLong(&number);
        const engine::Duration beyond = 5 * engine::kMaxLag + 1;
        if (number)
            read.lagMinutes
                = std::clamp<engine::Duration>(days, -beyond, beyond) * kGanMinutesPerDay;
        else if (!lag.isEmpty())
            read.refusedLag = QStringLiteral("%1 days").arg(lag);
        if (read.successor.isEmpty())
            m_problems.add({.kind = FileProblemKind::MissingValue,
                            .place = placeAt(depend.line, QStringLiteral("id"), shownId)});
        else
            depends.push_back(std::move(read));
    }
    m_depends.push_back(std::move(depends));
    m_plan.tasks.push_back(std::move(task));
    for (const XmlElement &child : element.children) {
        if (child.name == u"task")
            readTask(child, index);
    }
}

ReadResult GanReader::read()
{
    std::size_t tasks = 0;
    bool tooMany = false;
    const XmlKeep keep = [&](const XmlElement *parent, QStringView name) {
        const QStringView in = parent->name;
        if (in == u"project")
            return name == u"tasks";
        if ((in == u"tasks" || in == u"task") && name == u"task") {
            tooMany = tooMany || ++tasks > engine::kMaxActivities;
            return !tooMany;
        }
        return in == u"task" && name == u"depend";
    };
    const std::optional<XmlElement> root = parseXml(m_bytes, m_file, keep, m_problems);
    if (!root)
        return ReadResult::failed(std::move(m_problems));
    if (root->name != u"project") {
        m_problems.add({.kind = FileProblemKind::NotPlanFile,
                        .place = placeAt(root->line, {}),
                        .value = shownValue(root->name),
                        .names = {QStringLiteral("project")}});
        return ReadResult::failed(std::move(m_problems));
    }
    if (tooMany) {
        m_problems.add({.kind = FileProblemKind::TooManyTasks,
                        .place = {.file = m_file},
                        .bound = static_cast<std::int64_t>(engine::kMaxActivities)});
        return ReadResult::failed(std::move(m_problems));
    }
    m_plan.title = root->attribute(u"name").value_or(QString()).toStdString();
    m_plan.minutesPerDay = kGanMinutesPerDay;
    m_plan.minutesPerWeek = 5 * kGanMinutesPerDay;
    m_plan.durationField = QStringLiteral("duration");
    if (const XmlElement *list = root->child(u"tasks")) {
        for (const XmlElement &task : list->children)
            readTask(task, -1);
    }
    // A depend element sits in the predecessor and names the successor.
    for (std::size_t from = 0; from < m_depends.size(); ++from) {
        for (const Depend &depend : m_depends[from]) {
            const auto to = m_taskOfId.constFind(depend.successor);
            if (to == m_taskOfId.constEnd()) {
                m_problems.add({.kind = FileProblemKind::UnknownLinkTask,
                                .place = placeAt(depend.line, QStringLiteral("depend"),
                                                 shownValue(m_plan.tasks[from].id)),
                                .value = shownValue(depend.successor)});
                continue;
            }
            m_plan.links.push_back({.from = static_cast<int>(from),
                                    .to = *to,
                                    .type = depend.type,
                                    .lagMinutes = depend.lagMinutes,
                                    .refusedLag = depend.refusedLag,
                                    .line = depend.line});
        }
    }
    return buildPlan(std::move(m_plan), m_file, std::move(m_problems));
}

} // namespace

ReadResult readGan(const QByteArray &bytes, const QString &file)
{
    return GanReader(bytes, file).read();
}

} // namespace io
