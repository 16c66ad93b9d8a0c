// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "mspdireader.h"

#include "ganreader.h"
#include "xmlreading.h"

#include <QHash>

#include <array>

namespace io {

namespace {

constexpr int kMaxOutlineLevel = 100;
constexpr std::int64_t kMillisecondsPerMinute = 60'000;

bool isOneOf(QStringView name, std::initializer_list<const char16_t *> names)
{
    for (const char16_t *n : names) {
        if (name == QStringView(n))
            return true;
    }
    return false;
}

// A whole number of at most nine digits, or nullopt.
std::optional<std::int64_t> wholeNumber(QStringView text, bool allowNegative = false)
{
    text = text.trimmed();
    bool negative = false;
    if (allowNegative && text.startsWith(u'-')) {
        negative = true;
        text = text.mid(1);
    }
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? -value : value;
}

// An ISO 8601 duration as MSPDI writes it, "PT16H0M0S" (a day, "P2DT4H", is one of
// `minutesPerDay`), in milliseconds; nullopt for anything else or below a millisecond.
std::optional<std::int64_t> durationMilliseconds(QStringView text, std::int64_t minutesPerDay)
{
    text = text.trimmed();
    if (!text.startsWith(u'P') || text.size() < 2)
        return std::nullopt;
    text = text.mid(1);
    bool inTime = false;
    std::int64_t total = 0;
    while (!text.isEmpty()) {
        if (text.front() == u'T') {
            if (inTime)
                return std::nullopt;
            inTime = true;
            text = text.mid(1);
            continue;
        }
        qsizetype at = 0;
        std::int64_t whole = 0, thousandths = 0;
        int digits = 0, fraction = -1;
        while (at < text.size()) {
            const QChar c = text[at];
            if (c >= u'0' && c <= u'9') {
                const int d = c.unicode() - u'0';
                if (fraction < 0) {
                    if (++digits > 9)
                        return std::nullopt;
                    whole = whole * 10 + d;
                } else if (++fraction <= 3) {
                    thousandths = thousandths * 10 + d;
                } else if (d != 0) {
                    return std::nullopt;
                }
            } else if ((c == u'.' || c == u',') && fraction < 0) {
                fraction = 0;
            } else {
                break;
            }
            ++at;
        }
        if (digits == 0 || at == text.size())
            return std::nullopt;
        for (int f = std::max(fraction, 0); f < 3; ++f)
            thousandths *= 10;
        const std::int64_t amount = whole * 1000 + thousandths; // thousandths of the unit
        const QChar unit = text[at];
        std::int64_t minutes = 0;
        if (!inTime && unit == u'D')
            minutes = minutesPerDay;
        else if (inTime && unit == u'H')
            minutes = 60;
        else if (inTime && unit == u'M')
            minutes = 1;
        else if (inTime && unit == u'S')
            minutes = 0;
        else
            return std::nullopt;
        total += unit == u'S' ? amount : amount * minutes * 60;
        text = text.mid(at + 1);
    }
    return total;
}

struct Link {
    QString predecessor {}; // its UID
    int type = 1;
    QString lag {}; // empty for none
    int line = 0;
};

class MspdiReader {
public:
    MspdiReader(const QByteArray &bytes, const QString &file) : m_bytes(bytes), m_file(file) { }
    ReadResult read();

private:
    Place placeAt(const XmlElement &element, QStringView field = {}, const QString &activity = {})
    {
        return {.file = m_file,
                .line = element.line,
                .field = field.toString(),
                .activity = activity};
    }
    QString text(const XmlElement &parent, QStringView name) const
    {
        const XmlElement *element = parent.child(name);
        return element ? element->text.trimmed() : QString();
    }
    void readTask(const XmlElement &element);
    std::optional<std::int64_t> readWhole(const XmlElement &parent, QStringView name,
                                          std::int64_t lowest, std::int64_t highest,
                                          const QString &activity = {});

    const QByteArray &m_bytes;
    QString m_file;
    ProblemList m_problems;
    Plan m_plan;
    std::int64_t m_minutesPerDay = 480;
    QHash<QString, int> m_taskOfUid;
    std::vector<std::vector<Link>> m_links; // of each task
    std::vector<std::pair<int, int>> m_levels; // the summary tasks open: level, index
};

std::optional<std::int64_t> MspdiReader::readWhole(const XmlElement &parent, QStringView name,
                                                   std::int64_t lowest, std::int64_t highest,
                                                   const QString &activity)
{
    const XmlElement *element = parent.child(name);
    if (!element)
        return std::nullopt;
    const QString value = element->text.trimmed();
    const std::optional<std::int64_t> number = wholeNumber(value, lowest < 0);
    if (!number || *number < lowest) {
        m_problems.add({.kind = FileProblemKind::NotWholeNumber,
                        .place = placeAt(*element, name, activity),
                        .value = shownValue(value)});
        return std::nullopt;
    }
    if (*number > highest) {
        m_problems.add({.kind = FileProblemKind::NumberTooLarge,
                        .place = placeAt(*element, name, activity),
                        .value = shownValue(value),
                        .bound = highest});
        return std::nullopt;
    }
    return number;
}

void MspdiReader::readTask(const XmlElement &element)
{
    if (text(element, u"IsNull") == u"1")
        return;
    const QString uid = text(element, u"UID");
    if (uid == u"0")
        return;
    QString id = text(element, u"ID");
    if (id.isEmpty())
        id = uid;
    const QString shownId = shownValue(id);
    if (uid.isEmpty()) {
        m_problems.add(
            {.kind = FileProblemKind::MissingValue, .place = placeAt(element, u"UID", shownId)});
        return;
    }
    const int index = static_cast<int>(m_plan.tasks.size());
    if (m_taskOfUid.contains(uid)) {
        m_problems.add({.kind = FileProblemKind::DuplicateTaskId,
                        .place = placeAt(*element.child(u"UID"), u"UID", shownId),
                        .value = shownValue(uid)});
        return;
    }
    m_taskOfUid.insert(uid, index);

    PlanTask task {.id = id.toStdString(),
                   .name = text(element, u"Name").toStdString(),
                   .line = element.line};
    // The outline level says which summary task holds it: the last one above it.
    std::int64_t level = 1;
    if (element.child(u"OutlineLevel"))
        level = readWhole(element, u"OutlineLevel", 1, kMaxOutlineLevel, shownId).value_or(1);
    else if (const QString number = text(element, u"OutlineNumber"); !number.isEmpty())
        level = std::min<std::int64_t>(number.count(u'.') + 1, kMaxOutlineLevel);
    while (!m_levels.empty() && m_levels.back().first >= level)
        m_levels.pop_back();
    task.parent = m_levels.empty() ? -1 : m_levels.back().second;
    m_levels.emplace_back(static_cast<int>(level), index);

    const QString milestone = text(element, u"Milestone");
    const XmlElement *duration = element.child(u"Duration");
    if (milestone == u"1" || milestone == u"true") {
        task.days = 0;
    } else if (duration) {
        const QString written = duration->text.trimmed();
        const std::optional<std::int64_t> ms = durationMilliseconds(written, m_minutesPerDay);
        const std::int64_t perDay = m_minutesPerDay * kMillisecondsPerMinute;
        task.durationRead = false;
        if (!ms) {
            m_problems.add({.kind = FileProblemKind::BadTaskDuration,
                            .place = placeAt(*duration, u"Duration", shownId),
                            .value = shownValue(written)});
        } else if (*ms % perDay != 0) {
            m_problems.add({.kind = FileProblemKind::DurationNotWholeDays,
                            .place = placeAt(*duration, u"Duration", shownId),
                            .value = shownValue(written),
                            .number = *ms / kMillisecondsPerMinute,
                            .bound = m_minutesPerDay});
        } else {
            task.days = *ms / perDay;
            task.durationRead = true;
        }
    }
    // A task without Duration is a summary task or lasts 0 days; a summary's is not used.

    std::vector<Link> links;
    for (const XmlElement &link : element.children) {
        if (link.name != u"PredecessorLink")
            continue;
        Link read {.predecessor = text(link, u"PredecessorUID"), .line = link.line};
        if (read.predecessor.isEmpty()) {
            m_problems.add({.kind = FileProblemKind::MissingValue,
                            .place = placeAt(link, u"PredecessorUID", shownId)});
            continue;
        }
        read.type = static_cast<int>(readWhole(link, u"Type", 0, 3, shownId).value_or(1));
        if (link.child(u"LinkLag")) {
            const std::optional<std::int64_t> lag
                = readWhole(link, u"LinkLag", -999'999'999, 999'999'999, shownId);
            if (lag && *lag != 0)
                read.lag = QStringLiteral("%1 minutes (LinkLag %2, LagFormat %3)")
                               .arg(static_cast<double>(*lag) / 10.0)
                               .arg(*lag)
                               .arg(text(link, u"LagFormat"));
        }
        links.push_back(std::move(read));
    }
    m_links.push_back(std::move(links));
    m_plan.tasks.push_back(std::move(task));
}

ReadResult MspdiReader::read()
{
    std::size_t tasks = 0;
    bool tooMany = false;
    const XmlKeep keep = [&](const XmlElement *parent, QStringView name) {
        const QStringView in = parent->name;
        if (in == u"Project")
            return isOneOf(name, {u"Tasks", u"MinutesPerDay", u"Title", u"Name"});
        if (in == u"Tasks") {
            if (name != u"Task")
                return false;
            tooMany = tooMany || ++tasks > engine::kMaxActivities;
            return !tooMany;
        }
        if (in == u"Task")
            return isOneOf(name,
                           {u"UID", u"ID", u"Name", u"Duration", u"Milestone", u"OutlineLevel",
                            u"OutlineNumber", u"PredecessorLink", u"IsNull"});
        if (in == u"PredecessorLink")
            return isOneOf(name, {u"PredecessorUID", u"Type", u"LinkLag", u"LagFormat"});
        return false;
    };
    const std::optional<XmlElement> root = parseXml(m_bytes, m_file, keep, m_problems);
    if (!root)
        return ReadResult::failed(std::move(m_problems));
    // GanttProject once saved its own files as .xml too.
    if (root->name == u"project")
        return readGan(m_bytes, m_file);
    if (root->name != u"Project") {
        m_problems.add({.kind = FileProblemKind::NotPlanFile,
                        .place = placeAt(*root),
                        .value = shownValue(root->name),
                        .names = {QStringLiteral("Project")}});
        return ReadResult::failed(std::move(m_problems));
    }
    if (tooMany) {
        m_problems.add({.kind = FileProblemKind::TooManyTasks,
                        .place = {.file = m_file},
                        .bound = static_cast<std::int64_t>(engine::kMaxActivities)});
        return ReadResult::failed(std::move(m_problems));
    }
    m_minutesPerDay = readWhole(*root, u"MinutesPerDay", 1, 1440).value_or(480);
    QString title = text(*root, u"Title");
    if (title.isEmpty())
        title = text(*root, u"Name");
    m_plan.title = title.toStdString();

    if (const XmlElement *list = root->child(u"Tasks")) {
        for (const XmlElement &task : list->children)
            readTask(task);
    }
    for (std::size_t to = 0; to < m_links.size(); ++to) {
        for (const Link &link : m_links[to]) {
            const auto from = m_taskOfUid.constFind(link.predecessor);
            if (from == m_taskOfUid.constEnd()) {
                m_problems.add({.kind = FileProblemKind::UnknownLinkTask,
                                .place = {.file = m_file,
                                          .line = link.line,
                                          .field = QStringLiteral("PredecessorUID"),
                                          .activity = shownValue(m_plan.tasks[to].id)},
                                .value = shownValue(link.predecessor)});
                continue;
            }
            // MSPDI's types: 0 finish to finish, 1 finish to start, 2 start to finish, 3 start
            // to start.
            constexpr std::array kTypes {LinkType::FinishFinish, LinkType::FinishStart,
                                         LinkType::StartFinish, LinkType::StartStart};
            m_plan.links.push_back({.from = *from,
                                    .to = static_cast<int>(to),
                                    .type = kTypes[static_cast<std::size_t>(link.type)],
                                    .lag = link.lag,
                                    .line = link.line});
        }
    }
    return buildPlan(std::move(m_plan), m_file, std::move(m_problems));
}

} // namespace

ReadResult readMspdi(const QByteArray &bytes, const QString &file)
{
    return MspdiReader(bytes, file).read();
}

} // namespace io
