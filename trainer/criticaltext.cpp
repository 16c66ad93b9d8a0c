// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The Thai wording of the critical activities and paths.

#include "verdicttext.h"
#include "wordingsupport.h"

#include <set>

namespace trainer {

namespace {

// Every critical path the check knows: those given right and those missed.
std::vector<std::vector<int>> knownCriticalPaths(const engine::CriticalCheck &check)
{
    std::set<std::vector<int>> paths(check.missedPaths.begin(), check.missedPaths.end());
    for (const engine::PathCheck &path : check.paths) {
        if (path.problem == engine::PathProblem::None)
            paths.insert(path.path);
    }
    return {paths.begin(), paths.end()};
}

QString pathsList(const engine::Project &project, const std::vector<std::vector<int>> &paths)
{
    QStringList names;
    for (const std::vector<int> &path : paths)
        names << pathName(project, path);
    return joinedThai(names);
}

QString criticalPathsAnswer(const engine::Project &project, const engine::CriticalCheck &check)
{
    const std::vector<std::vector<int>> paths = knownCriticalPaths(check);
    QString text = QStringLiteral("เส้นทางวิกฤตคือ %1 ยาว %2")
                       .arg(pathsList(project, paths), inUnits(check.projectDuration));
    if (!check.missedPathsComplete)
        text += QStringLiteral(" (และยังมีอีก เกินกว่าที่แสดงได้)");
    return text;
}

QString pathRule(const engine::CriticalCheck &check)
{
    return QStringLiteral("เส้นทางวิกฤตเริ่มที่กิจกรรมที่ไม่มีกิจกรรมก่อนหน้า ต่อกันตามลำดับก่อนหลัง "
                          "ไปจนถึงกิจกรรมที่ไม่มีกิจกรรมตามมา ทุกกิจกรรมบนเส้นทางมีเวลาลอย 0 "
                          "และรวมกันยาวเท่าระยะเวลาโครงการ %1")
        .arg(inUnits(check.projectDuration));
}

} // namespace

ItemText ticksText(const engine::Project &project, const engine::CriticalCheck &check)
{
    ItemText text;
    const QString critical = namesOf(project, check.criticalActivities);
    QStringList floats;
    for (const auto &[a, floatOf] : check.wronglyTicked)
        floats << QStringLiteral("%1 มีเวลาลอย %2").arg(activityName(project, a), inUnits(floatOf));
    switch (check.ticks) {
    case engine::Verdict::Right:
    case engine::Verdict::RightFromOwn:
        text.message = QStringLiteral("เลือกกิจกรรมวิกฤตถูกต้อง: %1").arg(critical);
        break;
    case engine::Verdict::Unanswered:
        text.message = QStringLiteral("ยังไม่ได้เลือกกิจกรรมวิกฤต");
        break;
    case engine::Verdict::Wrong: {
        QStringList parts;
        if (!check.missedActivities.empty())
            parts << QStringLiteral("ยังขาด %1").arg(namesOf(project, check.missedActivities));
        if (!floats.isEmpty())
            parts << QStringLiteral("เลือก %1 เกินมา ซึ่งไม่ใช่กิจกรรมวิกฤต (%2)")
                         .arg(namesOf(project,
                                      [&] {
                                          std::vector<int> ids;
                                          for (const auto &entry : check.wronglyTicked)
                                              ids.push_back(entry.first);
                                          return ids;
                                      }()),
                              joinedThai(floats));
        if (parts.isEmpty())
            parts << QStringLiteral("มีกิจกรรมที่ไม่อยู่ในโครงการ");
        text.message
            = QStringLiteral("ยังเลือกกิจกรรมวิกฤตไม่ถูก: %1").arg(parts.join(QStringLiteral("; ")));
        break;
    }
    }
    text.hints.nudge = QStringLiteral("กิจกรรมวิกฤตคือกิจกรรมที่เลื่อนไม่ได้เลย: "
                                      "ดูคอลัมน์เวลาลอยในตารางเวลา");
    text.hints.rule = QStringLiteral("กิจกรรมวิกฤตคือกิจกรรมที่มีเวลาลอย (LS - ES) เท่ากับ 0");
    if (!check.missedActivities.empty())
        text.hints.rule += QStringLiteral(": %1 มีเวลาลอย 0 จึงเป็นกิจกรรมวิกฤต")
                               .arg(namesOf(project, check.missedActivities));
    if (!floats.isEmpty())
        text.hints.rule += QStringLiteral("; %1 จึงไม่ใช่กิจกรรมวิกฤต").arg(joinedThai(floats));
    text.hints.answer = check.criticalActivities.empty()
        ? QStringLiteral("โครงการนี้ไม่มีกิจกรรมวิกฤต")
        : QStringLiteral("กิจกรรมวิกฤตคือ %1").arg(critical);
    return text;
}

ItemText pathText(const engine::Project &project, const engine::CriticalCheck &check,
                  std::size_t position)
{
    const engine::PathCheck &path = check.paths.at(position);
    const QString name = pathName(project, path.path);
    const QString at = activityName(project, path.activity);
    ItemText text;
    text.hints.nudge = QStringLiteral("เส้นทางวิกฤตคือเส้นทางที่ยาวที่สุดจากจุดเริ่มถึงจุดสิ้นสุดโครงการ: "
                                      "ไล่ตามกิจกรรมที่มีเวลาลอย 0");
    text.hints.rule = pathRule(check);
    text.hints.answer = criticalPathsAnswer(project, check);
    switch (path.problem) {
    case engine::PathProblem::None:
        text.message
            = QStringLiteral("เส้นทาง %1 ยาว %2 เป็นเส้นทางวิกฤต ถูกต้อง").arg(name, inUnits(path.length));
        break;
    case engine::PathProblem::Empty:
        text.message = QStringLiteral("เส้นทางที่ %1 ไม่มีกิจกรรมเลย").arg(position + 1);
        break;
    case engine::PathProblem::UnknownActivity:
        text.message = QStringLiteral("เส้นทาง %1 มีกิจกรรม%2 ซึ่งไม่มีในโครงการ").arg(name, at);
        break;
    case engine::PathProblem::NotLinked: {
        const QString next
            = activityName(project, path.path.at(static_cast<std::size_t>(path.at) + 1));
        text.message = QStringLiteral("ในเส้นทาง %1 กิจกรรม %2 ไม่ได้ต่อจาก %3 โดยตรง: "
                                      "%3 ไม่ใช่กิจกรรมก่อนหน้าของ %2")
                           .arg(name, next, at);
        text.hints.rule += QStringLiteral("; %1 ไม่ได้อยู่ในรายการกิจกรรมก่อนหน้าของ %2").arg(at, next);
        break;
    }
    case engine::PathProblem::NotFromStart: {
        QStringList before;
        for (const std::string &id :
             project.activities.at(static_cast<std::size_t>(path.activity)).predecessors)
            before << QString::fromStdString(id);
        text.message = QStringLiteral("เส้นทาง %1 ไม่ได้เริ่มจากจุดเริ่มโครงการ: "
                                      "%2 ยังมีกิจกรรมก่อนหน้า คือ %3")
                           .arg(name, at, joinedThai(before));
        break;
    }
    case engine::PathProblem::NotToFinish:
        text.message = QStringLiteral("เส้นทาง %1 ไปไม่ถึงจุดสิ้นสุดโครงการ: "
                                      "%2 ยังมีกิจกรรมที่ตามมา คือ %3")
                           .arg(name, at, namesOf(project, successorsOf(project, path.activity)));
        break;
    case engine::PathProblem::HasFloat:
        text.message = QStringLiteral("เส้นทาง %1 ยาว %2 ไม่ใช่เส้นทางวิกฤต: %3 มีเวลาลอย %4")
                           .arg(name, inUnits(path.length), at, inUnits(path.floatOf));
        text.hints.rule += QStringLiteral("; เส้นทาง %1 ยาว %2 สั้นกว่า %3")
                               .arg(name, inUnits(path.length), inUnits(check.projectDuration));
        break;
    case engine::PathProblem::NotLongest: {
        const QString next = static_cast<std::size_t>(path.at) + 1 < path.path.size()
            ? activityName(project, path.path[static_cast<std::size_t>(path.at) + 1])
            : QString();
        text.message
            = QStringLiteral("เส้นทาง %1 ยาว %2 สั้นกว่าระยะเวลาโครงการ %3 "
                             "จึงไม่ใช่เส้นทางวิกฤต ถึงทุกกิจกรรมบนเส้นทางจะเป็นกิจกรรมวิกฤต: "
                             "เมื่อ %4 เสร็จแล้ว %5 ยังต้องรอกิจกรรมอื่น")
                  .arg(name, inUnits(path.length), inUnits(check.projectDuration), at, next);
        break;
    }
    case engine::PathProblem::Repeated:
        text.message = QStringLiteral("เส้นทาง %1 ตอบซ้ำกับเส้นทางที่ตอบไว้แล้ว").arg(name);
        text.hints.nudge = QStringLiteral("แต่ละเส้นทางวิกฤตตอบเพียงครั้งเดียว");
        break;
    }
    return text;
}

ItemText missedPathsText(const engine::Project &project, const engine::CriticalCheck &check)
{
    ItemText text;
    const auto count = check.missedPaths.size();
    if (count == 0 && check.missedPathsComplete)
        text.message = QStringLiteral("ตอบเส้นทางวิกฤตครบทุกเส้นแล้ว");
    else
        text.message
            = QStringLiteral("ยังขาดเส้นทางวิกฤต %1 เส้น: %2%3")
                  .arg(count)
                  .arg(pathsList(project, check.missedPaths),
                       check.missedPathsComplete ? QString() : QStringLiteral(" และยังมีอีก"));
    text.hints.nudge = count == 0 ? QStringLiteral("ไม่มีเส้นทางวิกฤตที่ขาด")
                                  : QStringLiteral("ยังมีเส้นทางวิกฤตอีก %1 เส้น: "
                                                   "ดูว่ากิจกรรมวิกฤตต่อกันได้อีกทางใดบ้าง")
                                        .arg(count);
    text.hints.rule = pathRule(check);
    text.hints.answer = criticalPathsAnswer(project, check);
    return text;
}

} // namespace trainer
