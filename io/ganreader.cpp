// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "ganreader.h"

#include "xmlreading.h"

#include <QHash>

namespace io {

namespace {

struct Depend {
    QString successor {}; // its id
    LinkType type = LinkType::FinishStart;
    QString lag {}; // empty for none
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
    const QString duration = element.attribute(u"duration").value_or(QStringLiteral("0")).trimmed();
    if (element.attribute(u"meeting") != QStringLiteral("true")) {
        bool whole = false;
        const qlonglong days = duration.toLongLong(&whole);
        task.durationRead = whole && days >= 0;
        if (!whole) {
            m_problems.add({.kind = FileProblemKind::NotWholeNumber,
                            .place = placeAt(element.line, QStringLiteral("duration"), shownId),
                            .value = shownValue(duration)});
        } else if (days < 0) {
            m_problems.add({.kind = FileProblemKind::NegativeDuration,
                            .place = placeAt(element.line, QStringLiteral("duration"), shownId),
                            .value = shownValue(duration)});
        } else {
            task.days = days;
        }
    }
    std::vector<Depend> depends;
    for (const XmlElement &depend : element.children) {
        if (depend.name != u"depend")
            continue;
        Depend read {.successor = depend.attribute(u"id").value_or(QString()).trimmed(),
                     .line = depend.line};
        // GanttProject's types: 1 start to start, 2 finish to start, 3 finish to finish, 4
        // start to finish.
        const QString type = depend.attribute(u"type").value_or(QStringLiteral("2")).trimmed();
        if (type == u"1")
            read.type = LinkType::StartStart;
        else if (type == u"3")
            read.type = LinkType::FinishFinish;
        else if (type == u"4")
            read.type = LinkType::StartFinish;
        else if (type != u"2")
            m_problems.add({.kind = FileProblemKind::NotWholeNumber,
                            .place = placeAt(depend.line, QStringLiteral("type"), shownId),
                            .value = shownValue(type)});
        const QString lag = depend.attribute(u"difference").value_or(QString()).trimmed();
        bool number = false;
        const double days = lag.toDouble(&number);
        if (!lag.isEmpty() && (!number || days != 0))
            read.lag = QStringLiteral("%1 days").arg(lag);
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
                                    .lag = depend.lag,
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
