// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "mspdiwriter.h"

#include "mspdireader.h"
#include "network.h"
#include "projectfile.h"
#include "schedule.h"

#include <QXmlStreamWriter>

#include <algorithm>
#include <utility>

namespace io {

namespace {

constexpr std::int64_t kMspdiHoursPerDay = 8;
constexpr std::int64_t kMspdiMinutesPerDay = kMspdiHoursPerDay * 60;
constexpr std::int64_t kMspdiMinutesPerMorning = 4 * 60; // 08:00 to 12:00, then 13:00 to 17:00
constexpr std::int64_t kMspdiUnixEpochJulianDay = 2'440'588; // 1970-01-01
const QString kMspdiNamespace = QStringLiteral("http://schemas.microsoft.com/project");

// A time unit's working minutes and Microsoft Project's code for showing durations and lags
// in it.
struct MspdiUnit {
    std::int64_t minutes;
    const char *format;
};

MspdiUnit mspdiUnit(engine::TimeUnit unit)
{
    switch (unit) {
    case engine::TimeUnit::Minute:
        return {1, "3"};
    case engine::TimeUnit::Hour:
        return {60, "5"};
    case engine::TimeUnit::Day:
        break;
    case engine::TimeUnit::Week:
        return {5 * kMspdiMinutesPerDay, "9"};
    }
    return {kMspdiMinutesPerDay, "7"};
}

// Microsoft Project's code of a link type.
const char *mspdiLinkType(engine::LinkType type)
{
    switch (type) {
    case engine::LinkType::FinishToStart:
        break;
    case engine::LinkType::StartToStart:
        return "3";
    case engine::LinkType::FinishToFinish:
        return "0";
    case engine::LinkType::StartToFinish:
        return "2";
    }
    return "1";
}

// The Monday to Friday calendar from a start date, in Julian days, which go on far beyond
// the years QDate holds.
class MspdiCalendar {
public:
    explicit MspdiCalendar(QDate start)
    {
        const int weekday = start.dayOfWeek(); // 1 Monday .. 7 Sunday
        m_first = start.toJulianDay() + (weekday > 5 ? 8 - weekday : 0);
        m_firstWeekday = weekday > 5 ? 0 : weekday - 1;
    }

    std::int64_t workingDay(std::int64_t day) const
    {
        const std::int64_t rest = day % 5;
        return m_first + day / 5 * 7 + rest + (m_firstWeekday + rest >= 5 ? 2 : 0);
    }

    // Where a time of the plan (working minutes from its start) lies when work begins at it:
    // on the working day it falls in, 08:00 for the day's first minute.
    QString startAt(std::int64_t minutes) const;
    // Where it lies when work ends at it: on the working day whose work it ends, 17:00 for
    // the day's last minute, or the plan's start for time 0.
    QString finishAt(std::int64_t minutes) const;

private:
    std::int64_t m_first = 0; // working day 0
    int m_firstWeekday = 0; // of working day 0: 0 Monday .. 4 Friday
};

// The date and time as xs:dateTime writes it ("2026-03-05T08:00:00"), the year with at least
// four digits.
QString mspdiDateTime(std::int64_t julianDay, std::int64_t minuteOfDay)
{
    // The proleptic Gregorian date of a day count (Howard Hinnant's civil_from_days), with
    // years counted from March so that a leap day ends its year.
    const std::int64_t days = julianDay - kMspdiUnixEpochJulianDay + 719'468; // from 0000-03-01
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra
        = (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const std::int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return QStringLiteral("%1-%2-%3T%4:%5:00")
        .arg(static_cast<qlonglong>(year), 4, 10, QChar(u'0'))
        .arg(static_cast<qlonglong>(month), 2, 10, QChar(u'0'))
        .arg(static_cast<qlonglong>(day), 2, 10, QChar(u'0'))
        .arg(static_cast<qlonglong>(minuteOfDay / 60), 2, 10, QChar(u'0'))
        .arg(static_cast<qlonglong>(minuteOfDay % 60), 2, 10, QChar(u'0'));
}

// The clock time `worked` working minutes into a day (0 .. 480), in minutes from midnight:
// work that begins there after the morning begins after lunch; work that ends there at the
// end of the morning ends before it.
std::int64_t mspdiClock(std::int64_t worked, bool begins)
{
    const bool afternoon
        = begins ? worked >= kMspdiMinutesPerMorning : worked > kMspdiMinutesPerMorning;
    return 8 * 60 + worked + (afternoon ? 60 : 0);
}

QString MspdiCalendar::startAt(std::int64_t minutes) const
{
    const std::int64_t day = minutes / kMspdiMinutesPerDay;
    return mspdiDateTime(workingDay(day), mspdiClock(minutes - day * kMspdiMinutesPerDay, true));
}

QString MspdiCalendar::finishAt(std::int64_t minutes) const
{
    if (minutes == 0)
        return startAt(0);
    const std::int64_t day = (minutes - 1) / kMspdiMinutesPerDay;
    return mspdiDateTime(workingDay(day), mspdiClock(minutes - day * kMspdiMinutesPerDay, false));
}

// A duration of `minutes` working minutes: "PT16H0M0S", "PT1H30M0S".
QString mspdiDuration(std::int64_t minutes)
{
    return QStringLiteral("PT%1H%2M0S")
        .arg(static_cast<qlonglong>(minutes / 60))
        .arg(static_cast<qlonglong>(minutes % 60));
}

// A task's start: a task of 0 days lies where its predecessors end, as Microsoft Project
// places a milestone.
QString mspdiTaskStart(const MspdiCalendar &calendar, std::int64_t start, std::int64_t duration)
{
    return duration == 0 ? calendar.finishAt(start) : calendar.startAt(start);
}

void writeMspdiNumber(QXmlStreamWriter &xml, const QString &name, qlonglong number)
{
    xml.writeTextElement(name, QString::number(number));
}

void writeMspdiFlag(QXmlStreamWriter &xml, const QString &name, bool flag)
{
    xml.writeTextElement(name, flag ? QStringLiteral("1") : QStringLiteral("0"));
}

// Text of the project as an element. XML 1.0 has no place for control characters but tab and
// line breaks: they become U+FFFD. A carriage return is written as a character reference, since
// a reader turns a literal one into a line feed.
void writeMspdiText(QXmlStreamWriter &xml, const QString &name, const std::string &utf8)
{
    QString text = QString::fromStdString(utf8);
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF)
            c = QChar(QChar::ReplacementCharacter);
    }
    xml.writeStartElement(name);
    const QStringList lines = text.split(u'\r');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        if (!lines[i].isEmpty())
            xml.writeCharacters(lines[i]);
    }
    xml.writeEndElement();
}

void writeMspdiCalendar(QXmlStreamWriter &xml)
{
    xml.writeStartElement(QStringLiteral("Calendars"));
    xml.writeStartElement(QStringLiteral("Calendar"));
    writeMspdiNumber(xml, QStringLiteral("UID"), 1);
    xml.writeTextElement(QStringLiteral("Name"), QStringLiteral("Standard"));
    writeMspdiFlag(xml, QStringLiteral("IsBaseCalendar"), true);
    xml.writeStartElement(QStringLiteral("WeekDays"));
    // Day types 1 Sunday .. 7 Saturday.
    for (int dayType = 1; dayType <= 7; ++dayType) {
        const bool working = dayType != 1 && dayType != 7;
        xml.writeStartElement(QStringLiteral("WeekDay"));
        writeMspdiNumber(xml, QStringLiteral("DayType"), dayType);
        writeMspdiFlag(xml, QStringLiteral("DayWorking"), working);
        if (working) {
            xml.writeStartElement(QStringLiteral("WorkingTimes"));
            for (const auto &[from, to] :
                 {std::pair {"08:00:00", "12:00:00"}, std::pair {"13:00:00", "17:00:00"}}) {
                xml.writeStartElement(QStringLiteral("WorkingTime"));
                xml.writeTextElement(QStringLiteral("FromTime"), QLatin1String(from));
                xml.writeTextElement(QStringLiteral("ToTime"), QLatin1String(to));
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement(); // WeekDays
    xml.writeEndElement(); // Calendar
    xml.writeEndElement(); // Calendars
}

} // namespace

QDate mspdiFirstDate()
{
    return {1984, 1, 1};
}

QDate mspdiLastDate()
{
    return {2149, 12, 31};
}

std::optional<QDate> mspdiFinishDay(QDate start, engine::Duration workingDays)
{
    const QDate day = QDate::fromJulianDay(
        MspdiCalendar(start).workingDay(std::max<engine::Duration>(0, workingDays - 1)));
    if (!day.isValid())
        return std::nullopt;
    return day;
}

QByteArray writeMspdi(const engine::Project &project, QDate start,
                      std::span<const engine::Duration> crashed)
{
    const engine::Network network(project);
    const std::span<const engine::Duration> normal = network.normalDurations();
    const bool isCrashed = !crashed.empty();
    const std::span<const engine::Duration> durations = isCrashed ? crashed : normal;
    const engine::Schedule plan = engine::computeSchedule(network, durations);
    const engine::Schedule baseline = isCrashed ? engine::computeSchedule(network, normal) : plan;
    const MspdiCalendar calendar(start);
    const MspdiUnit unit = mspdiUnit(project.timeUnit);
    const QString unitFormat = QLatin1String(unit.format);
    // Times of the plan in working minutes.
    const auto at = [&](engine::Duration time) { return time * unit.minutes; };

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("Project"));
    xml.writeDefaultNamespace(kMspdiNamespace);
    // The version of the schema these elements follow: Microsoft Project 2007's.
    writeMspdiNumber(xml, QStringLiteral("SaveVersion"), 12);
    if (!project.title.empty()) {
        writeMspdiText(xml, QStringLiteral("Name"), project.title);
        writeMspdiText(xml, QStringLiteral("Title"), project.title);
    }
    writeMspdiFlag(xml, QStringLiteral("ScheduleFromStart"), true);
    xml.writeTextElement(QStringLiteral("StartDate"), mspdiDateTime(start.toJulianDay(), 8 * 60));
    xml.writeTextElement(QStringLiteral("FinishDate"), calendar.finishAt(at(plan.projectDuration)));
    xml.writeTextElement(QStringLiteral("CurrencyCode"), QStringLiteral("THB"));
    writeMspdiNumber(xml, QStringLiteral("CalendarUID"), 1);
    xml.writeTextElement(QStringLiteral("DefaultStartTime"), QStringLiteral("08:00:00"));
    xml.writeTextElement(QStringLiteral("DefaultFinishTime"), QStringLiteral("17:00:00"));
    writeMspdiNumber(xml, QStringLiteral("MinutesPerDay"), kMspdiMinutesPerDay);
    writeMspdiNumber(xml, QStringLiteral("MinutesPerWeek"), kMspdiMinutesPerDay * 5);
    writeMspdiNumber(xml, QStringLiteral("DaysPerMonth"), 20);

    xml.writeStartElement(QStringLiteral("ExtendedAttributes"));
    xml.writeStartElement(QStringLiteral("ExtendedAttribute"));
    xml.writeTextElement(QStringLiteral("FieldID"), kMspdiActivityFieldId.toString());
    xml.writeTextElement(QStringLiteral("FieldName"), kMspdiActivityFieldName.toString());
    xml.writeTextElement(QStringLiteral("Alias"), kMspdiActivityFieldAlias.toString());
    xml.writeEndElement();
    xml.writeEndElement();

    writeMspdiCalendar(xml);

    if (!project.activities.empty())
        xml.writeStartElement(QStringLiteral("Tasks"));
    for (int i = 0; i < network.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const engine::Activity &a = project.activities[k];
        const engine::Duration duration = durations[k];
        xml.writeStartElement(QStringLiteral("Task"));
        writeMspdiNumber(xml, QStringLiteral("UID"), i + 1);
        writeMspdiNumber(xml, QStringLiteral("ID"), i + 1);
        writeMspdiText(xml, QStringLiteral("Name"), a.name.empty() ? a.id : a.name);
        // Fixed duration: the plan has no resources whose work could stretch it.
        writeMspdiNumber(xml, QStringLiteral("Type"), 1);
        writeMspdiNumber(xml, QStringLiteral("OutlineNumber"), i + 1);
        writeMspdiNumber(xml, QStringLiteral("OutlineLevel"), 1);
        xml.writeTextElement(QStringLiteral("Start"),
                             mspdiTaskStart(calendar, at(plan.earliestStart[k]), at(duration)));
        xml.writeTextElement(QStringLiteral("Finish"),
                             calendar.finishAt(at(plan.earliestFinish[k])));
        xml.writeTextElement(QStringLiteral("Duration"), mspdiDuration(at(duration)));
        xml.writeTextElement(QStringLiteral("DurationFormat"), unitFormat);
        writeMspdiFlag(xml, QStringLiteral("Estimated"), false);
        writeMspdiFlag(xml, QStringLiteral("Milestone"), duration == 0);
        writeMspdiFlag(xml, QStringLiteral("Critical"), plan.isCritical(i));
        // As soon as possible: the links, not the dates, place the task.
        writeMspdiNumber(xml, QStringLiteral("ConstraintType"), 0);
        const std::span<const int> predecessors = network.predecessors(i);
        const std::span<const engine::LinkTiming> timings = network.predecessorTimings(i);
        for (std::size_t m = 0; m < predecessors.size(); ++m) {
            const engine::LinkTiming timing = timings.empty() ? engine::LinkTiming {} : timings[m];
            xml.writeStartElement(QStringLiteral("PredecessorLink"));
            writeMspdiNumber(xml, QStringLiteral("PredecessorUID"), predecessors[m] + 1);
            xml.writeTextElement(QStringLiteral("Type"), QLatin1String(mspdiLinkType(timing.type)));
            // In tenths of a minute.
            writeMspdiNumber(xml, QStringLiteral("LinkLag"), at(timing.lag) * 10);
            xml.writeTextElement(QStringLiteral("LagFormat"), unitFormat);
            xml.writeEndElement();
        }
        xml.writeStartElement(QStringLiteral("ExtendedAttribute"));
        xml.writeTextElement(QStringLiteral("FieldID"), kMspdiActivityFieldId.toString());
        writeMspdiText(xml, QStringLiteral("Value"), a.id);
        xml.writeEndElement();
        if (isCrashed) {
            xml.writeStartElement(QStringLiteral("Baseline"));
            writeMspdiNumber(xml, QStringLiteral("Number"), 0);
            xml.writeTextElement(
                QStringLiteral("Start"),
                mspdiTaskStart(calendar, at(baseline.earliestStart[k]), at(normal[k])));
            xml.writeTextElement(QStringLiteral("Finish"),
                                 calendar.finishAt(at(baseline.earliestFinish[k])));
            xml.writeTextElement(QStringLiteral("Duration"), mspdiDuration(at(normal[k])));
            xml.writeTextElement(QStringLiteral("DurationFormat"), unitFormat);
            xml.writeEndElement();
        }
        xml.writeEndElement(); // Task
    }
    if (!project.activities.empty())
        xml.writeEndElement(); // Tasks
    xml.writeEndElement(); // Project
    xml.writeEndDocument();
    return bytes;
}

ProblemList saveMspdi(const engine::Project &project, QDate start,
                      std::span<const engine::Duration> crashed, const QString &path)
{
    // What a .crashkit save checks: everything that keeps the project from reading back.
    ProblemList problems = checkSavable(project, path, FileFormat::Crashkit);
    if (!problems.isEmpty())
        return problems;
    return saveBytes(writeMspdi(project, start, crashed), path);
}

} // namespace io
