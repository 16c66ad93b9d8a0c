// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "mspdireader.h"

#include "ganreader.h"
#include "xmlreading.h"

#include <QHash>

#include <algorithm>
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

// What a duration in a file comes to.
struct DurationRead {
    enum Status { Read, Malformed, TooLong } status = Malformed;
    std::int64_t milliseconds = 0;
};

// The digits at the front of `text`, taken off it, as a number no larger than `ceiling`:
// nullopt when there are none, `ceiling` + 1 for anything larger.
std::optional<std::int64_t> takeDigits(QStringView &text, std::int64_t ceiling)
{
    qsizetype digits = 0;
    std::int64_t value = 0;
    while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9') {
        if (value <= ceiling)
            value = value * 10 + (text[digits].unicode() - u'0');
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    text = text.mid(digits);
    return std::min(value, ceiling + 1);
}

// A duration as MSPDI writes it, XML Schema's form of ISO 8601: "PT16H0M0S", "P2DT4H". Days
// come before the T, hours, minutes and seconds after it, each at most once and in that
// order; only seconds may have decimals, down to milliseconds. A day is `minutesPerDay`.
// Years, months and weeks, signs and any other form are Malformed; a well-formed duration
// longer than `longest` milliseconds is TooLong.
DurationRead durationOf(QStringView text, std::int64_t minutesPerDay, std::int64_t longest)
{
    struct Unit {
        char16_t letter;
        bool afterT;
        std::int64_t milliseconds;
    };
    const Unit units[] = {{u'D', false, minutesPerDay * 60'000},
                          {u'H', true, 3'600'000},
                          {u'M', true, 60'000},
                          {u'S', true, 1'000}};
    text = text.trimmed();
    if (!text.startsWith(u'P'))
        return {};
    text = text.mid(1);
    bool afterT = false, anyUnit = false, unitAfterT = false, tooLong = false;
    std::size_t next = 0; // the first unit that may still come
    std::int64_t total = 0;
    while (!text.isEmpty()) {
        if (text.front() == u'T') {
            if (afterT)
                return {};
            afterT = true;
            text = text.mid(1);
            continue;
        }
        const std::optional<std::int64_t> whole = takeDigits(text, longest);
        if (!whole)
            return {};
        std::int64_t thousandths = 0;
        bool decimals = false;
        if (text.startsWith(u'.')) {
            text = text.mid(1);
            decimals = true;
            qsizetype digits = 0;
            for (; digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9'; ++digits) {
                if (digits < 3)
                    thousandths = thousandths * 10 + (text[digits].unicode() - u'0');
                else if (text[digits] != u'0')
                    return {}; // below a millisecond
            }
            if (digits == 0)
                return {};
            for (qsizetype d = digits; d < 3; ++d)
                thousandths *= 10;
            text = text.mid(digits);
        }
        if (text.isEmpty())
            return {};
        std::size_t unit = next;
        while (unit < std::size(units)
               && (units[unit].letter != text.front() || units[unit].afterT != afterT))
            ++unit;
        if (unit == std::size(units) || (decimals && units[unit].letter != u'S'))
            return {};
        text = text.mid(1);
        next = unit + 1;
        anyUnit = true;
        unitAfterT = unitAfterT || afterT;
        // Each part and the total stay at most `longest` plus a second: nothing overflows.
        if (*whole > longest / units[unit].milliseconds)
            tooLong = true;
        if (!tooLong) {
            total += *whole * units[unit].milliseconds + thousandths;
            tooLong = total > longest;
        }
    }
    if (!anyUnit || (afterT && !unitAfterT))
        return {};
    if (tooLong)
        return {.status = DurationRead::TooLong};
    return {.status = DurationRead::Read, .milliseconds = total};
}

// MSPDI's codes of the link types, in the order of LinkType: 1 finish to start, 3 start to
// start, 0 finish to finish, 2 start to finish.
constexpr std::array<char16_t, 4> kMspdiLinkTypeCodes {u'1', u'3', u'0', u'2'};

struct Link {
    QString predecessor {}; // its UID
    LinkType type = LinkType::FinishStart;
    std::int64_t lagMinutes = 0;
    QString refusedLag {}; // see PlanLink
    int line = 0;
};

// Whether a LagFormat code is a unit of working time: minutes, hours, days, weeks and months,
// estimated or not, and the format "none". The elapsed units and the percentages are not.
bool isWorkingTimeFormat(QStringView code)
{
    return isOneOf(code, {u"3", u"5", u"7", u"9", u"11", u"35", u"37", u"39", u"41", u"43", u"53"});
}

// Whether an assignment's timephased work pauses: a period without work between
// two with work, as Microsoft Project writes the gap of a split task.
bool workPauses(const XmlElement &parent)
{
    std::vector<std::pair<QString, bool>> periods; // start, whether work is done
    for (const XmlElement &data : parent.children) {
        if (data.name != u"TimephasedData")
            continue;
        // 1: remaining work, 2: actual work.
        const XmlElement *type = data.child(u"Type");
        const XmlElement *start = data.child(u"Start");
        const XmlElement *value = data.child(u"Value");
        if (!type || !start || !value || !isOneOf(type->text.trimmed(), {u"1", u"2"}))
            continue;
        const DurationRead work = durationOf(value->text, 1440, std::int64_t {1} << 50);
        if (work.status != DurationRead::Malformed)
            periods.emplace_back(start->text.trimmed(),
                                 work.milliseconds > 0 || work.status == DurationRead::TooLong);
    }
    // xs:dateTime in one time zone sorts as text.
    std::sort(periods.begin(), periods.end());
    bool worked = false, paused = false;
    for (const auto &[start, work] : periods) {
        if (work && paused)
            return true;
        worked = worked || work;
        paused = worked && !work;
    }
    return false;
}

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
    // Whether the file defines the custom field holding activity ids.
    bool definesActivityField(const XmlElement &root) const;
    // The activity id the task's custom field holds, or an empty text.
    QString activityFieldOf(const XmlElement &task) const;
    std::optional<std::int64_t> readWhole(const XmlElement &parent, QStringView name,
                                          std::int64_t lowest, std::int64_t highest,
                                          const QString &activity = {});

    const QByteArray &m_bytes;
    QString m_file;
    ProblemList m_problems;
    Plan m_plan;
    bool m_activityField = false;
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

bool MspdiReader::definesActivityField(const XmlElement &root) const
{
    const XmlElement *fields = root.child(u"ExtendedAttributes");
    if (!fields)
        return false;
    return std::any_of(fields->children.begin(), fields->children.end(),
                       [&](const XmlElement &field) {
                           return field.name == u"ExtendedAttribute"
                               && text(field, u"FieldID") == kMspdiActivityFieldId
                               && text(field, u"Alias") == kMspdiActivityFieldAlias;
                       });
}

QString MspdiReader::activityFieldOf(const XmlElement &task) const
{
    for (const XmlElement &value : task.children) {
        if (value.name == u"ExtendedAttribute" && text(value, u"FieldID") == kMspdiActivityFieldId)
            return text(value, u"Value");
    }
    return {};
}

void MspdiReader::readTask(const XmlElement &element)
{
    if (text(element, u"IsNull") == u"1")
        return;
    const QString uid = text(element, u"UID");
    if (uid == u"0")
        return;
    QString id = m_activityField ? activityFieldOf(element) : QString();
    // A task without an id of its own, e.g. one added in the planning tool, keeps its ID.
    const bool ownId = !id.isEmpty();
    if (!ownId)
        id = text(element, u"ID");
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

    QString name = text(element, u"Name");
    // Crashkit names an activity without a name by its id, so that the tool shows something.
    if (ownId && name == id)
        name.clear();
    PlanTask task {.id = id.toStdString(), .name = name.toStdString(), .line = element.line};
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

    // Dates fixed otherwise than by links: the schedule follows the links alone.
    if (const QString manual = text(element, u"Manual"); manual == u"1" || manual == u"true")
        task.fixedDates = QStringLiteral("Manual");
    else if (const QString constraint = text(element, u"ConstraintType");
             !constraint.isEmpty() && constraint != u"0")
        task.fixedDates = QStringLiteral("ConstraintType ") + constraint;
    const QString milestone = text(element, u"Milestone");
    const XmlElement *duration = element.child(u"Duration");
    if (milestone == u"1" || milestone == u"true") {
        task.minutes = 0;
    } else if (duration) {
        const QString written = duration->text.trimmed();
        task.duration = written;
        // Beyond the most units an activity lasts in the largest unit is too long in any.
        const std::int64_t longest = engine::kMaxDuration
            * std::max(m_plan.minutesPerDay, m_plan.minutesPerWeek) * kMillisecondsPerMinute;
        const DurationRead read = durationOf(written, m_plan.minutesPerDay, longest);
        switch (read.status) {
        case DurationRead::Malformed:
            task.durationRead = false;
            m_problems.add({.kind = FileProblemKind::BadTaskDuration,
                            .place = placeAt(*duration, u"Duration", shownId),
                            .value = shownValue(written)});
            break;
        case DurationRead::TooLong:
            task.tooLong = true; // buildPlan tells it
            break;
        case DurationRead::Read:
            if (read.milliseconds % kMillisecondsPerMinute != 0) {
                task.durationRead = false;
                m_problems.add({.kind = FileProblemKind::DurationNotWholeMinutes,
                                .place = placeAt(*duration, u"Duration", shownId),
                                .value = shownValue(written)});
            } else {
                task.minutes = read.milliseconds / kMillisecondsPerMinute;
            }
            break;
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
        if (const XmlElement *type = link.child(u"Type")) {
            const QString code = type->text.trimmed();
            const auto known = std::find_if(
                kMspdiLinkTypeCodes.begin(), kMspdiLinkTypeCodes.end(),
                [&](char16_t c) { return code.size() == 1 && code.front() == QChar(c); });
            if (known != kMspdiLinkTypeCodes.end()) {
                read.type = static_cast<LinkType>(known - kMspdiLinkTypeCodes.begin());
            } else {
                QStringList codes;
                for (const char16_t c : kMspdiLinkTypeCodes)
                    codes << QString(QChar(c));
                m_problems.add({.kind = FileProblemKind::UnknownLinkType,
                                .place = placeAt(*type, u"Type", shownId),
                                .value = shownValue(code),
                                .names = codes});
            }
        }
        if (link.child(u"LinkLag")) {
            const std::optional<std::int64_t> lag
                = readWhole(link, u"LinkLag", -999'999'999, 999'999'999, shownId);
            // Tenths of a minute of working time, unless the format says elapsed time or a
            // percentage of the predecessor's duration.
            const QString format = text(link, u"LagFormat");
            if (lag && *lag != 0) {
                if (*lag % 10 == 0 && (format.isEmpty() || isWorkingTimeFormat(format)))
                    read.lagMinutes = *lag / 10;
                else
                    read.refusedLag = QStringLiteral("%1 minutes (LinkLag %2, LagFormat %3)")
                                          .arg(static_cast<double>(*lag) / 10.0)
                                          .arg(*lag)
                                          .arg(format);
            }
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
            return isOneOf(name,
                           {u"Tasks", u"MinutesPerDay", u"MinutesPerWeek", u"Title", u"Name",
                            u"ExtendedAttributes", u"Assignments"});
        if (in == u"Assignments")
            return name == u"Assignment";
        if (in == u"Assignment")
            return isOneOf(name, {u"TaskUID", u"TimephasedData"});
        if (in == u"TimephasedData")
            return isOneOf(name, {u"Type", u"Start", u"Value"});
        if (in == u"ExtendedAttributes")
            return name == u"ExtendedAttribute";
        if (in == u"ExtendedAttribute")
            return isOneOf(name, {u"FieldID", u"Alias", u"Value"});
        if (in == u"Tasks") {
            if (name != u"Task")
                return false;
            tooMany = tooMany || ++tasks > engine::kMaxActivities;
            return !tooMany;
        }
        if (in == u"Task")
            return isOneOf(name,
                           {u"UID", u"ID", u"Name", u"Duration", u"Milestone", u"OutlineLevel",
                            u"OutlineNumber", u"PredecessorLink", u"IsNull", u"ExtendedAttribute",
                            u"Manual", u"ConstraintType"});
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
    m_plan.minutesPerDay = readWhole(*root, u"MinutesPerDay", 1, 1440).value_or(480);
    m_plan.minutesPerWeek = readWhole(*root, u"MinutesPerWeek", 1, 10080).value_or(2400);
    m_activityField = definesActivityField(*root);
    QString title = text(*root, u"Title");
    if (title.isEmpty())
        title = text(*root, u"Name");
    m_plan.title = title.toStdString();

    if (const XmlElement *list = root->child(u"Tasks")) {
        for (const XmlElement &task : list->children)
            readTask(task);
    }
    // A split task does its work in parts with a pause between, which one activity cannot
    // hold: it is refused rather than read without the pause.
    std::vector<bool> split(m_plan.tasks.size(), false);
    if (const XmlElement *list = root->child(u"Assignments")) {
        for (const XmlElement &assignment : list->children) {
            const auto task = m_taskOfUid.constFind(text(assignment, u"TaskUID"));
            if (task != m_taskOfUid.constEnd() && workPauses(assignment))
                split[static_cast<std::size_t>(*task)] = true;
        }
    }
    for (std::size_t t = 0; t < split.size(); ++t) {
        if (split[t])
            m_problems.add({.kind = FileProblemKind::TaskSplit,
                            .place = {.file = m_file,
                                      .line = m_plan.tasks[t].line,
                                      .activity = shownValue(m_plan.tasks[t].id)}});
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
            m_plan.links.push_back({.from = *from,
                                    .to = static_cast<int>(to),
                                    .type = link.type,
                                    .lagMinutes = link.lagMinutes,
                                    .refusedLag = link.refusedLag,
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
