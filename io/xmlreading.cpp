// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "xmlreading.h"

#include "engineproblems.h"

#include <QXmlStreamReader>

#include <algorithm>

namespace io {

const XmlElement *XmlElement::child(QStringView childName) const
{
    for (const XmlElement &c : children) {
        if (c.name == childName)
            return &c;
    }
    return nullptr;
}

std::optional<QString> XmlElement::attribute(QStringView attributeName) const
{
    for (const auto &[key, value] : attributes) {
        if (key == attributeName)
            return value;
    }
    return std::nullopt;
}

std::optional<XmlElement> parseXml(const QByteArray &bytes, const QString &file,
                                   const XmlKeep &keep, ProblemList &problems)
{
    QXmlStreamReader reader(bytes);
    // Elements open now; nullptr for one that is not kept (nor anything inside it).
    std::vector<XmlElement *> open;
    XmlElement root;
    bool haveRoot = false;
    // The reader's column counts the characters read on the line: the last one read.
    auto placeHere = [&] {
        return Place {.file = file,
                      .line = static_cast<int>(reader.lineNumber()),
                      .column = std::max(1, static_cast<int>(reader.columnNumber()))};
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            problems.add({.kind = FileProblemKind::XmlDoctype, .place = placeHere()});
            return std::nullopt;
        case QXmlStreamReader::StartElement: {
            if (open.size() >= static_cast<std::size_t>(kMaxXmlDepth)) {
                problems.add({.kind = FileProblemKind::XmlTooDeep,
                              .place = placeHere(),
                              .bound = kMaxXmlDepth});
                return std::nullopt;
            }
            XmlElement *parent = open.empty() ? nullptr : open.back();
            const QStringView name = reader.name();
            XmlElement *element = nullptr;
            if (open.empty()) {
                element = &root;
                haveRoot = true;
            } else if (parent && keep(parent, name)) {
                element = &parent->children.emplace_back();
            }
            if (element) {
                element->name = name.toString();
                element->line = static_cast<int>(reader.lineNumber());
                for (const QXmlStreamAttribute &a : reader.attributes())
                    element->attributes.emplace_back(a.name().toString(), a.value().toString());
            }
            open.push_back(element);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.empty())
                open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty() && open.back())
                open.back()->text += reader.text();
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        problems.add({.kind = FileProblemKind::XmlSyntax,
                      .place = placeHere(),
                      .value = reader.errorString()});
        return std::nullopt;
    }
    if (!haveRoot) {
        problems.add({.kind = FileProblemKind::XmlSyntax,
                      .place = placeHere(),
                      .value = QStringLiteral("the file has no element")});
        return std::nullopt;
    }
    return root;
}

QString shownTask(const PlanTask &task)
{
    const QString id = shownValue(task.id);
    return task.name.empty() ? id : QStringLiteral("%1 (%2)").arg(id, shownValue(task.name));
}

namespace {

// Links between activities made from those of summary tasks, at most: far more than any
// plan has, few enough to fit in memory.
constexpr std::int64_t kMaxExpandedLinks = 10'000'000;

class PlanBuilder {
public:
    PlanBuilder(Plan plan, const QString &file, ProblemList problems)
        : m_plan(std::move(plan)), m_file(file), m_problems(std::move(problems))
    {
    }
    ReadResult build();

private:
    bool isSummary(int task) const { return m_end[static_cast<std::size_t>(task)] > task + 1; }
    bool isInside(int task, int summary) const
    {
        return task >= summary && task < m_end[static_cast<std::size_t>(summary)];
    }
    const PlanTask &task(int index) const { return m_plan.tasks[static_cast<std::size_t>(index)]; }
    void linkProblem(FileProblemKind kind, const PlanLink &link, QString value = {});
    bool checkLink(const PlanLink &link);
    int commonSummaryDepth(int a, int b) const;
    // The activities a link from (`last`) or to a task stands for.
    std::vector<int> ends(int task, bool last) const;

    Plan m_plan;
    QString m_file;
    ProblemList m_problems;
    std::vector<int> m_end; // one past the task's last descendant
    std::vector<int> m_depth; // 1 at the top
    // The deepest summary that holds a link into (out of) the task and the link's other
    // end, by depth; 0 for none.
    std::vector<int> m_innerIn, m_innerOut;
};

void PlanBuilder::linkProblem(FileProblemKind kind, const PlanLink &link, QString value)
{
    m_problems.add(
        {.kind = kind,
         .place = {.file = m_file, .line = link.line, .activity = shownValue(task(link.to).id)},
         .value = std::move(value),
         .names = {shownTask(task(link.from)), shownTask(task(link.to))},
         .linkType = link.type});
}

// Whether the link can become finish-to-start links between activities, exactly.
bool PlanBuilder::checkLink(const PlanLink &link)
{
    // A task its own predecessor is left to engine::validate to name.
    if (link.from != link.to && (isInside(link.to, link.from) || isInside(link.from, link.to))) {
        linkProblem(FileProblemKind::SummaryLinkInexact, link);
        return false;
    }
    if (!link.lag.isEmpty()) {
        linkProblem(FileProblemKind::LinkLagRefused, link, link.lag);
        return false;
    }
    // Another type is the same as finish to start where the ends it joins are one moment.
    auto isInstant
        = [this](int t) { return !isSummary(t) && task(t).durationRead && task(t).days == 0; };
    const bool fromInstant = isInstant(link.from);
    const bool toInstant = isInstant(link.to);
    bool exact = true;
    switch (link.type) {
    case LinkType::FinishStart:
        break;
    case LinkType::StartStart:
        exact = fromInstant;
        break;
    case LinkType::FinishFinish:
        exact = toInstant;
        break;
    case LinkType::StartFinish:
        exact = fromInstant && toInstant;
        break;
    }
    if (!exact) {
        linkProblem(FileProblemKind::LinkTypeRefused, link);
        return false;
    }
    return true;
}

int PlanBuilder::commonSummaryDepth(int a, int b) const
{
    while (a != b) {
        if (a < 0 || b < 0)
            return 0;
        if (m_depth[static_cast<std::size_t>(a)] >= m_depth[static_cast<std::size_t>(b)])
            a = task(a).parent;
        else
            b = task(b).parent;
    }
    return a < 0 ? 0 : m_depth[static_cast<std::size_t>(a)];
}

std::vector<int> PlanBuilder::ends(int summary, bool last) const
{
    if (!isSummary(summary))
        return {summary};
    const std::vector<int> &inner = last ? m_innerOut : m_innerIn;
    const int depth = m_depth[static_cast<std::size_t>(summary)];
    std::vector<int> found;
    for (int t = summary + 1; t < m_end[static_cast<std::size_t>(summary)]; ++t) {
        if (!isSummary(t) && inner[static_cast<std::size_t>(t)] < depth)
            found.push_back(t);
    }
    return found;
}

ReadResult PlanBuilder::build()
{
    const auto count = m_plan.tasks.size();
    m_end.assign(count, 0);
    m_depth.assign(count, 1);
    for (std::size_t i = 0; i < count; ++i) {
        const int parent = m_plan.tasks[i].parent;
        m_end[i] = static_cast<int>(i) + 1;
        if (parent >= 0)
            m_depth[i] = m_depth[static_cast<std::size_t>(parent)] + 1;
    }
    // Children follow their parent in a row, so a parent ends where its last one does.
    for (std::size_t i = count; i-- > 0;) {
        const int parent = m_plan.tasks[i].parent;
        if (parent >= 0)
            m_end[static_cast<std::size_t>(parent)]
                = std::max(m_end[static_cast<std::size_t>(parent)], m_end[i]);
    }

    std::vector<PlanLink> links;
    for (const PlanLink &link : m_plan.links) {
        if (checkLink(link))
            links.push_back(link);
    }

    // Which tasks wait for another inside a summary, and which another waits for.
    m_innerIn.assign(count, 0);
    m_innerOut.assign(count, 0);
    for (const PlanLink &link : links) {
        const int depth = commonSummaryDepth(link.from, link.to);
        int &in = m_innerIn[static_cast<std::size_t>(link.to)];
        int &out = m_innerOut[static_cast<std::size_t>(link.from)];
        in = std::max(in, depth);
        out = std::max(out, depth);
    }
    // A task inside a summary that waits (is waited for) does so as well.
    for (std::size_t i = 0; i < count; ++i) {
        const int parent = m_plan.tasks[i].parent;
        if (parent >= 0) {
            m_innerIn[i] = std::max(m_innerIn[i], m_innerIn[static_cast<std::size_t>(parent)]);
            m_innerOut[i] = std::max(m_innerOut[i], m_innerOut[static_cast<std::size_t>(parent)]);
        }
    }

    std::vector<std::vector<int>> predecessors(count);
    std::int64_t made = 0;
    for (const PlanLink &link : links) {
        const std::vector<int> from = ends(link.from, true);
        const std::vector<int> to = ends(link.to, false);
        if (from.empty() || to.empty()) {
            linkProblem(FileProblemKind::SummaryLinkInexact, link);
            continue;
        }
        made += static_cast<std::int64_t>(from.size() * to.size());
        if (made > kMaxExpandedLinks) {
            m_problems.add({.kind = FileProblemKind::TooManyLinks,
                            .place = {.file = m_file, .line = link.line},
                            .bound = kMaxExpandedLinks});
            break;
        }
        for (const int t : to) {
            auto &list = predecessors[static_cast<std::size_t>(t)];
            list.insert(list.end(), from.begin(), from.end());
        }
    }
    if (!m_problems.isEmpty())
        return ReadResult::failed(std::move(m_problems));

    engine::Project project;
    project.title = m_plan.title;
    std::vector<int> lines;
    ProblemList warnings;
    for (std::size_t i = 0; i < count; ++i) {
        if (isSummary(static_cast<int>(i)))
            continue;
        PlanTask &t = m_plan.tasks[i];
        std::vector<int> &list = predecessors[i];
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        engine::Activity activity;
        activity.id = t.id; // later activities name it
        activity.name = std::move(t.name);
        activity.normalDuration = t.days;
        activity.crashDuration = t.days;
        for (const int p : list)
            activity.predecessors.push_back(m_plan.tasks[static_cast<std::size_t>(p)].id);
        project.activities.push_back(std::move(activity));
        lines.push_back(t.line);
    }
    const std::vector<FieldSet> unread(project.activities.size(), 0);
    const auto placeOf = [&](int activity, ActivityField) {
        Place place {.file = m_file};
        if (activity >= 0) {
            const auto at = static_cast<std::size_t>(activity);
            place.line = lines[at];
            place.activity = shownValue(project.activities[at].id);
            place.activityNumber = activity + 1;
        }
        return place;
    };
    if (!addEngineProblems(project, unread, placeOf, m_problems))
        return ReadResult::failed(std::move(m_problems));
    for (std::size_t i = 0; i < project.activities.size(); ++i)
        warnings.add({.kind = FileProblemKind::CrashDataMissing,
                      .place = placeOf(static_cast<int>(i), ActivityField::None)});
    return ReadResult::loaded(std::move(project), std::move(warnings));
}

} // namespace

ReadResult buildPlan(Plan plan, const QString &file, ProblemList problems)
{
    return PlanBuilder(std::move(plan), file, std::move(problems)).build();
}

} // namespace io
