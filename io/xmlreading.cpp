// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "xmlreading.h"

#include "engineproblems.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <span>
#include <tuple>

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

struct PlanUnit {
    engine::TimeUnit unit = engine::TimeUnit::Day;
    std::int64_t minutes = 1;
};

// The largest of day, hour and minute that every duration read of a task without children
// (end[i] == i + 1: one past its last descendant) and every lag of `links` is a whole number
// of; days when all are 0. Never weeks: a plan in whole weeks would then be crashed a week at
// a time, while its activities can usually be cut by days.
PlanUnit planUnit(const Plan &plan, const std::vector<int> &end, const std::vector<PlanLink> &links)
{
    std::array<PlanUnit, 3> units {PlanUnit {engine::TimeUnit::Day, plan.minutesPerDay},
                                   PlanUnit {engine::TimeUnit::Hour, 60},
                                   PlanUnit {engine::TimeUnit::Minute, 1}};
    std::array<bool, 3> whole {true, true, true};
    const auto count = [&](std::int64_t minutes) {
        for (std::size_t u = 0; u < units.size(); ++u)
            whole[u] = whole[u] && minutes % units[u].minutes == 0;
    };
    for (std::size_t i = 0; i < plan.tasks.size(); ++i) {
        const PlanTask &task = plan.tasks[i];
        if (end[i] == static_cast<int>(i) + 1 && task.durationRead && !task.tooLong)
            count(task.minutes);
    }
    for (const PlanLink &link : links)
        count(link.lagMinutes);
    for (std::size_t u = 0; u < units.size(); ++u) {
        if (whole[u])
            return units[u];
    }
    return units.back();
}

class PlanBuilder {
public:
    PlanBuilder(Plan plan, const QString &file, ProblemList problems)
        : m_plan(std::move(plan)), m_file(file), m_problems(std::move(problems))
    {
    }
    ReadResult build();

private:
    // The activities a link into a task (First) or out of it (Last) stands for.
    enum End { First, Last };

    bool isSummary(int task) const { return m_end[static_cast<std::size_t>(task)] > task + 1; }
    bool isInside(int task, int summary) const
    {
        return task >= summary && task < m_end[static_cast<std::size_t>(summary)];
    }
    const PlanTask &task(int index) const { return m_plan.tasks[static_cast<std::size_t>(index)]; }
    int parent(int index) const { return task(index).parent; }
    void linkProblem(FileProblemKind kind, const PlanLink &link, QString value = {});
    bool checkLink(const PlanLink &link);
    int commonSummary(int a, int b) const;
    void findInnerLinks(const std::vector<PlanLink> &links);
    void countEnds(End end);
    bool countLinks(const std::vector<PlanLink> &links);
    void listEnds(End end, const std::vector<PlanLink> &links);
    std::span<const int> ends(int task, End end) const;

    Plan m_plan;
    QString m_file;
    ProblemList m_problems;
    std::vector<int> m_end; // one past the task's last descendant
    std::vector<int> m_depth; // 1 at the top
    // For each task, the deepest summary around it (or the task itself) that holds a link
    // into (out of) the task or a summary around it and the link's other end; -1 for none.
    // Summaries around a task come before it in the file, so the deepest has the largest index.
    std::array<std::vector<int>, 2> m_inner;
    // For each task, how many activities a link into (out of) it stands for.
    std::array<std::vector<std::int64_t>, 2> m_count;
    // The activities of the summaries that links name, in the file's order: those of
    // summary s start at m_listStart[end][s] in m_list[end].
    std::array<std::vector<std::int64_t>, 2> m_listStart;
    std::array<std::vector<int>, 2> m_list;
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

// Whether the link can become links between activities, exactly.
bool PlanBuilder::checkLink(const PlanLink &link)
{
    // A task its own predecessor is left to engine::validate to name.
    if (link.from != link.to && (isInside(link.to, link.from) || isInside(link.from, link.to))) {
        linkProblem(FileProblemKind::SummaryLinkInexact, link);
        return false;
    }
    if (!link.refusedLag.isEmpty()) {
        linkProblem(FileProblemKind::LinkLagRefused, link, link.refusedLag);
        return false;
    }
    // A summary starts when the first of its tasks starts and finishes when the last one
    // finishes. A link from its finish or to its start holds for each of its tasks; one from
    // its start or to its finish holds for whichever task comes first (last), which no link
    // between activities says.
    const bool fromStart = link.type == LinkType::StartStart || link.type == LinkType::StartFinish;
    const bool toFinish = link.type == LinkType::FinishFinish || link.type == LinkType::StartFinish;
    if ((fromStart && isSummary(link.from)) || (toFinish && isSummary(link.to))) {
        linkProblem(FileProblemKind::LinkTypeRefused, link);
        return false;
    }
    return true;
}

// The deepest task that holds both (a task holds itself), or -1; steps at most the nesting
// depth, which the readers bound.
int PlanBuilder::commonSummary(int a, int b) const
{
    while (a != b && a >= 0 && b >= 0) {
        if (m_depth[static_cast<std::size_t>(a)] >= m_depth[static_cast<std::size_t>(b)])
            a = parent(a);
        else
            b = parent(b);
    }
    return a == b ? a : -1;
}

void PlanBuilder::findInnerLinks(const std::vector<PlanLink> &links)
{
    const auto count = m_plan.tasks.size();
    for (std::vector<int> &inner : m_inner)
        inner.assign(count, -1);
    for (const PlanLink &link : links) {
        // The link leaves its successor out of the tasks a link into the summary goes to only
        // when the successor cannot start before its predecessor does, and its predecessor out
        // of those a link from the summary comes from only when that cannot finish after the
        // successor does: a negative lag or the other types keep them in.
        const bool startsAfter = link.lagMinutes >= 0
            && (link.type == LinkType::FinishStart || link.type == LinkType::StartStart);
        const bool finishesBefore = link.lagMinutes >= 0
            && (link.type == LinkType::FinishStart || link.type == LinkType::FinishFinish);
        const int common = commonSummary(link.from, link.to);
        int &in = m_inner[First][static_cast<std::size_t>(link.to)];
        int &out = m_inner[Last][static_cast<std::size_t>(link.from)];
        if (startsAfter)
            in = std::max(in, common);
        if (finishesBefore)
            out = std::max(out, common);
    }
    // A task inside a summary that waits (is waited for) does so as well.
    for (std::size_t i = 0; i < count; ++i) {
        if (const int p = m_plan.tasks[i].parent; p >= 0) {
            for (std::vector<int> &inner : m_inner)
                inner[i] = std::max(inner[i], inner[static_cast<std::size_t>(p)]);
        }
    }
}

// A task without children is an end of every summary around it up to, not including, the
// one its inner links stay in (m_inner). Marked +1 at its parent and -1 there, the counts are
// the sums over each summary's tasks, added up from the last task to the first.
void PlanBuilder::countEnds(End end)
{
    const auto count = m_plan.tasks.size();
    std::vector<std::int64_t> &sums = m_count[end];
    sums.assign(count, 0);
    for (std::size_t t = 0; t < count; ++t) {
        const int p = m_plan.tasks[t].parent;
        if (isSummary(static_cast<int>(t)) || p < 0)
            continue;
        ++sums[static_cast<std::size_t>(p)];
        if (const int stop = m_inner[end][t]; stop >= 0)
            --sums[static_cast<std::size_t>(stop)];
    }
    for (std::size_t t = count; t-- > 0;) {
        if (const int p = m_plan.tasks[t].parent; p >= 0)
            sums[static_cast<std::size_t>(p)] += sums[t];
    }
    for (std::size_t t = 0; t < count; ++t) {
        if (!isSummary(static_cast<int>(t)))
            sums[t] = 1;
    }
}

// Counts the links between activities that the links make, before any is made; refuses
// links whose summary has no end to join and more links than kMaxExpandedLinks.
bool PlanBuilder::countLinks(const std::vector<PlanLink> &links)
{
    std::int64_t made = 0;
    for (const PlanLink &link : links) {
        const std::int64_t from = m_count[Last][static_cast<std::size_t>(link.from)];
        const std::int64_t to = m_count[First][static_cast<std::size_t>(link.to)];
        if (from == 0 || to == 0) {
            linkProblem(FileProblemKind::SummaryLinkInexact, link);
            continue;
        }
        // Each count is at most the number of tasks, so neither the product nor the sum
        // (checked against the bound every time) can overflow.
        made += from * to;
        if (made > kMaxExpandedLinks) {
            m_problems.add({.kind = FileProblemKind::TooManyLinks,
                            .place = {.file = m_file, .line = link.line},
                            .bound = kMaxExpandedLinks});
            return false;
        }
    }
    return m_problems.isEmpty();
}

// Lists the ends of every summary a link names, each task found by stepping from summary to
// summary that a link names above it: every step adds one entry, and the entries number
// at most the links counted, so this takes time linear in the plan and those links.
void PlanBuilder::listEnds(End end, const std::vector<PlanLink> &links)
{
    const auto count = m_plan.tasks.size();
    std::vector<std::int64_t> &start = m_listStart[end];
    start.assign(count, -1);
    std::int64_t total = 0;
    for (const PlanLink &link : links) {
        const auto named = static_cast<std::size_t>(end == First ? link.to : link.from);
        if (isSummary(static_cast<int>(named)) && start[named] < 0) {
            start[named] = total;
            total += m_count[end][named];
        }
    }
    // The nearest summary at or above each task that a link names, or -1.
    std::vector<int> nearest(count, -1);
    for (std::size_t t = 0; t < count; ++t) {
        const int p = m_plan.tasks[t].parent;
        nearest[t] = start[t] >= 0 ? static_cast<int>(t)
                                   : (p >= 0 ? nearest[static_cast<std::size_t>(p)] : -1);
    }
    std::vector<int> &list = m_list[end];
    list.assign(static_cast<std::size_t>(total), -1);
    std::vector<std::int64_t> filled(start);
    for (std::size_t t = 0; t < count; ++t) {
        const int p = m_plan.tasks[t].parent;
        if (isSummary(static_cast<int>(t)) || p < 0)
            continue;
        // Both are around the task, so the index tells which is deeper.
        const int stop = m_inner[end][t];
        for (int s = nearest[static_cast<std::size_t>(p)]; s > stop;) {
            list[static_cast<std::size_t>(filled[static_cast<std::size_t>(s)]++)]
                = static_cast<int>(t);
            const int above = parent(s);
            s = above >= 0 ? nearest[static_cast<std::size_t>(above)] : -1;
        }
    }
}

std::span<const int> PlanBuilder::ends(int summary, End end) const
{
    const auto at = static_cast<std::size_t>(summary);
    return std::span<const int>(m_list[end])
        .subspan(static_cast<std::size_t>(m_listStart[end][at]),
                 static_cast<std::size_t>(m_count[end][at]));
}

ReadResult PlanBuilder::build()
{
    const auto count = m_plan.tasks.size();
    m_end.assign(count, 0);
    m_depth.assign(count, 1);
    for (std::size_t i = 0; i < count; ++i) {
        const int p = m_plan.tasks[i].parent;
        m_end[i] = static_cast<int>(i) + 1;
        if (p >= 0)
            m_depth[i] = m_depth[static_cast<std::size_t>(p)] + 1;
    }
    // Children follow their parent in a row, so a parent ends where its last one does.
    for (std::size_t i = count; i-- > 0;) {
        const int p = m_plan.tasks[i].parent;
        if (p >= 0)
            m_end[static_cast<std::size_t>(p)]
                = std::max(m_end[static_cast<std::size_t>(p)], m_end[i]);
    }

    std::vector<PlanLink> links;
    for (const PlanLink &link : m_plan.links) {
        if (checkLink(link))
            links.push_back(link);
    }
    findInnerLinks(links);
    countEnds(First);
    countEnds(Last);
    if (!countLinks(links))
        return ReadResult::failed(std::move(m_problems));
    listEnds(First, links);
    listEnds(Last, links);

    // Each activity's links: the predecessor's index and the link's timing in minutes.
    std::vector<std::vector<std::pair<int, engine::LinkTiming>>> predecessors(count);
    for (const PlanLink &link : links) {
        const std::array<int, 2> tasks {link.from, link.to};
        const std::span<const int> from
            = isSummary(link.from) ? ends(link.from, Last) : std::span<const int>(tasks).first(1);
        const std::span<const int> to
            = isSummary(link.to) ? ends(link.to, First) : std::span<const int>(tasks).last(1);
        const engine::LinkTiming timing {engineLinkType(link.type), link.lagMinutes};
        for (const int t : to) {
            auto &list = predecessors[static_cast<std::size_t>(t)];
            for (const int f : from)
                list.emplace_back(f, timing);
        }
    }
    const PlanUnit unit = planUnit(m_plan, m_end, links);
    for (std::size_t i = 0; i < count; ++i) {
        const PlanTask &t = m_plan.tasks[i];
        if (isSummary(static_cast<int>(i)) || !t.durationRead
            || (!t.tooLong && t.minutes / unit.minutes <= engine::kMaxDuration))
            continue;
        // Told here, once: the engine would find it in both the normal and the crash
        // duration, which an imported activity has alike.
        m_problems.add({.kind = FileProblemKind::TaskDurationTooLong,
                        .place = {.file = m_file,
                                  .line = t.line,
                                  .field = m_plan.durationField,
                                  .activity = shownValue(t.id)},
                        .value = shownValue(t.duration),
                        .bound = engine::kMaxDuration,
                        .unit = unit.unit});
    }
    if (!m_problems.isEmpty())
        return ReadResult::failed(std::move(m_problems));

    engine::Project project;
    project.title = m_plan.title;
    project.timeUnit = unit.unit;
    std::vector<int> lines;
    std::vector<std::pair<std::size_t, QString>> fixedDates; // activity, what fixed them
    ProblemList warnings;
    if (unit.unit != engine::TimeUnit::Day)
        warnings.add({.kind = FileProblemKind::TimeUnitChosen,
                      .place = {.file = m_file},
                      .number = m_plan.minutesPerDay,
                      .bound = m_plan.minutesPerWeek,
                      .unit = unit.unit});
    for (std::size_t i = 0; i < count; ++i) {
        if (isSummary(static_cast<int>(i)))
            continue;
        PlanTask &t = m_plan.tasks[i];
        auto &list = predecessors[i];
        const auto order = [](const std::pair<int, engine::LinkTiming> &a,
                              const std::pair<int, engine::LinkTiming> &b) {
            return std::tuple(a.first, a.second.type, a.second.lag)
                < std::tuple(b.first, b.second.type, b.second.lag);
        };
        std::sort(list.begin(), list.end(), order);
        list.erase(std::unique(list.begin(), list.end()), list.end());
        engine::Activity activity;
        activity.id = t.id; // later activities name it
        activity.name = std::move(t.name);
        activity.normalDuration = t.minutes / unit.minutes;
        activity.crashDuration = activity.normalDuration;
        const bool plain = std::all_of(list.begin(), list.end(),
                                       [](const auto &link) { return link.second.plain(); });
        for (const auto &[p, timing] : list) {
            activity.predecessors.push_back(m_plan.tasks[static_cast<std::size_t>(p)].id);
            if (!plain)
                activity.linkTimings.push_back({timing.type, timing.lag / unit.minutes});
        }
        project.activities.push_back(std::move(activity));
        lines.push_back(t.line);
        if (!t.fixedDates.isEmpty())
            fixedDates.emplace_back(project.activities.size() - 1, t.fixedDates);
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
    for (const auto &[activity, what] : fixedDates)
        warnings.add({.kind = FileProblemKind::FixedDatesIgnored,
                      .place = placeOf(static_cast<int>(activity), ActivityField::None),
                      .value = what});
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
