// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"
#include "readresult.h"

#include <QByteArray>
#include <QString>

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
// resolved into links between the activities.
struct PlanTask {
    std::string id {}; // the activity's id
    std::string name {};
    int parent = -1; // the summary task it is in (an earlier index), -1 at the top
    int line = 0;
    engine::Duration days = 0; // for tasks without children
    bool durationRead = true; // false when the file's duration could not be read
};

struct PlanLink {
    int from = 0; // the predecessor task's index
    int to = 0; // the successor task's index
    LinkType type = LinkType::FinishStart;
    QString lag {}; // the lag as written; empty when it is zero
    int line = 0;
};

struct Plan {
    std::string title {};
    std::vector<PlanTask> tasks {}; // parents before their children, children in a row
    std::vector<PlanLink> links {};
};

// Turns the plan into a project: tasks with children become nothing and their links go to
// their first or come from their last children; links that do not come out exact, or
// have a lag or another type than finish to start that is not the same as one, are
// refused, and so are links that would make more than 10,000,000 links between activities,
// counted before any is made. Takes time linear in the tasks, the links and the links made
// (times the nesting depth, which the readers bound). Each activity can be crashed nowhere
// (crash duration = normal, cost 0) and gets a CrashDataMissing warning. Then
// engine::validate runs. Problems already in `problems` make the result fail with them and
// those found here.
ReadResult buildPlan(Plan plan, const QString &file, ProblemList problems);

// The name a task is shown by in a problem: "5 (Dig)".
QString shownTask(const PlanTask &task);

} // namespace io
