// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"
#include "readresult.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace io {

// One element of an XML file as the planning tools' readers keep it: the elements they
// do not need are checked for well-formedness and dropped.
struct XmlElement {
    QString name; // the local name, without a namespace prefix
    std::vector<std::pair<QString, QString>> attributes; // local name, value
    QString text; // the text directly inside, entities resolved, blanks kept
    int line = 0; // 1-based line of the start tag
    std::vector<XmlElement> children;

    // The first child of that name, or nullptr.
    const XmlElement *child(QStringView childName) const;
    // The attribute's value, or nullopt when absent.
    std::optional<QString> attribute(QStringView attributeName) const;
};

// Whether an element of `name` inside `parent` (nullptr for the root) is kept.
using XmlKeep = std::function<bool(const XmlElement *parent, QStringView name)>;

// Elements nested deeper than this are refused: no planning file comes near it.
inline constexpr int kMaxXmlDepth = 64;

// Parses the XML document with QXmlStreamReader, keeping the root and what `keep` asks
// for. Refuses a DOCTYPE (and so every entity declaration), nesting deeper than
// kMaxXmlDepth and malformed XML, each with the line and column, into `problems`;
// returns nullopt then. `file` is the name problems are placed in.
std::optional<XmlElement> parseXml(const QByteArray &bytes, const QString &file,
                                   const XmlKeep &keep, ProblemList &problems);

// A plan from a planning tool, in the order of its file, before summary tasks are
// resolved into links between the activities. Durations and lags are working minutes.
struct PlanTask {
    std::string id {}; // the activity's id
    std::string name {};
    int parent = -1; // the summary task it is in (an earlier index), -1 at the top
    int line = 0;
    std::int64_t minutes = 0; // for tasks without children
    bool durationRead = true; // false when the file's duration could not be read
    // Longer than engine::kMaxDuration of the plan's largest unit, so too long in any unit;
    // `minutes` is not used then.
    bool tooLong = false;
    QString duration {}; // as written, for a problem
    // What fixes the task's dates besides its links, which an activity does not keep: a
    // date constraint or manual scheduling, as the file's element names it; empty: none.
    QString fixedDates {};
};

struct PlanLink {
    int from = 0; // the predecessor task's index
    int to = 0; // the successor task's index
    LinkType type = LinkType::FinishStart;
    std::int64_t lagMinutes = 0;
    // A lag that cannot be read exactly (elapsed time, a percentage, part of a minute), as
    // written; empty when the lag is lagMinutes.
    QString refusedLag {};
    int line = 0;
};

struct Plan {
    std::string title {};
    std::vector<PlanTask> tasks {}; // parents before their children, children in a row
    std::vector<PlanLink> links {};
    std::int64_t minutesPerDay = 480;
    std::int64_t minutesPerWeek = 2400;
    QString durationField = QStringLiteral("Duration"); // where a task's duration is written
};

// Turns the plan into a project: tasks with children become nothing and their links go to
// those of their tasks that nothing inside them waits for, and come from those that nothing
// inside them follows (a link inside that holds only by its type or a negative lag keeps a
// task at the edge), each keeping the link's type and lag. A link that does not come out
// exact is refused: one between a summary task and a task inside it, one from a summary's
// start (start to start or to finish), one to a summary's finish (finish to finish, start to
// finish), one with a lag refused by the reader, and links that would make more than
// 10,000,000 links between activities, counted before any is made. Takes time linear in the
// tasks, the links and the links made (times the nesting depth, which the readers bound).
// The project's time unit is the largest of week, day, hour and minute in which every
// duration and lag is whole (days when all are 0); when it is not days a TimeUnitChosen
// warning says so. A duration longer than engine::kMaxDuration units is refused. Each
// activity can be crashed nowhere (crash duration = normal, cost 0) and gets a
// CrashDataMissing warning. Then engine::validate runs. Problems already in `problems` make
// the result fail with them and those found here.
ReadResult buildPlan(Plan plan, const QString &file, ProblemList problems);

// The name a task is shown by in a problem: "5 (Dig)".
QString shownTask(const PlanTask &task);

} // namespace io
