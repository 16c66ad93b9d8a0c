// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "gradereport.h"

#include "network.h"
#include "verdicttext.h"
#include "wordingsupport.h"

#include <QJsonArray>

namespace trainer {

namespace {

const char *verdictKey(engine::Verdict verdict)
{
    switch (verdict) {
    case engine::Verdict::Right:
        return "right";
    case engine::Verdict::RightFromOwn:
        return "right_from_own";
    case engine::Verdict::Wrong:
        return "wrong";
    case engine::Verdict::Unanswered:
        break;
    }
    return "unanswered";
}

const char *fieldKey(const engine::CellCheck &cell)
{
    if (cell.activity < 0)
        return "project_duration";
    switch (cell.field) {
    case engine::ScheduleField::EarliestStart:
        return "es";
    case engine::ScheduleField::EarliestFinish:
        return "ef";
    case engine::ScheduleField::LatestStart:
        return "ls";
    case engine::ScheduleField::LatestFinish:
        return "lf";
    case engine::ScheduleField::TotalFloat:
        break;
    }
    return "float";
}

const char *pathProblemKey(engine::PathProblem problem)
{
    switch (problem) {
    case engine::PathProblem::None:
        return "none";
    case engine::PathProblem::Empty:
        return "empty";
    case engine::PathProblem::UnknownActivity:
        return "unknown_activity";
    case engine::PathProblem::NotLinked:
        return "not_linked";
    case engine::PathProblem::NotFromStart:
        return "not_from_start";
    case engine::PathProblem::NotToFinish:
        return "not_to_finish";
    case engine::PathProblem::HasFloat:
        return "has_float";
    case engine::PathProblem::NotLongest:
        return "not_longest";
    case engine::PathProblem::Repeated:
        break;
    }
    return "repeated";
}

const char *stepProblemKey(engine::StepProblem problem)
{
    using P = engine::StepProblem;
    switch (problem) {
    case P::None:
        return "none";
    case P::AfterTarget:
        return "after_target";
    case P::NothingShortened:
        return "nothing_shortened";
    case P::UnknownActivity:
        return "unknown_activity";
    case P::Repeated:
        return "repeated";
    case P::NotPositive:
        return "not_positive";
    case P::BelowCrash:
        return "below_crash";
    case P::UnequalUnits:
        return "unequal_units";
    case P::PathNotShortened:
        return "path_not_shortened";
    case P::NonCritical:
        return "non_critical";
    case P::NotCheapest:
        return "not_cheapest";
    case P::TooManyUnits:
        return "too_many_units";
    case P::WrongCost:
        return "wrong_cost";
    case P::WrongDuration:
        break;
    }
    return "wrong_duration";
}

QJsonValue whole(std::optional<std::int64_t> value)
{
    return value ? QJsonValue(static_cast<qint64>(*value)) : QJsonValue(QJsonValue::Null);
}

// Money for JSON as the other commands give it: Baht, exact below 2^53 satang.
QJsonValue bahtValue(std::optional<engine::Satang> amount)
{
    return amount ? QJsonValue(static_cast<double>(*amount) / 100.0) : QJsonValue(QJsonValue::Null);
}

QJsonArray idsOf(const engine::Project &project, const std::vector<int> &activities)
{
    QJsonArray ids;
    for (const int a : activities)
        ids.append(activityName(project, a));
    return ids;
}

void addText(QJsonObject &object, const ItemText &text)
{
    object.insert(QStringLiteral("message"), text.message);
    object.insert(QStringLiteral("hints"),
                  QJsonObject {{QStringLiteral("nudge"), text.hints.nudge},
                               {QStringLiteral("rule"), text.hints.rule},
                               {QStringLiteral("answer"), text.hints.answer}});
}

// Text lines of one item: the head line, and for an item not plainly right its message and
// the three hints.
void addLines(QStringList &lines, engine::Verdict verdict, const QString &head,
              const ItemText &text)
{
    lines << QStringLiteral("  [%1] %2").arg(verdictWord(verdict), head);
    if (verdict == engine::Verdict::Right)
        return;
    lines << QStringLiteral("      %1").arg(text.message);
    lines << QStringLiteral("      คำใบ้ 1: %1").arg(text.hints.nudge);
    lines << QStringLiteral("      คำใบ้ 2: %1").arg(text.hints.rule);
    lines << QStringLiteral("      คำใบ้ 3: %1").arg(text.hints.answer);
}

QString given(std::optional<std::int64_t> value)
{
    return value ? QString::number(*value) : QStringLiteral("-");
}

QString stageHead(int number, const QString &name, int right, int total)
{
    return QStringLiteral("%1. %2: ถูก %3 จาก %4").arg(number).arg(name).arg(right).arg(total);
}

} // namespace

Grade gradeAnswers(const engine::Project &project, const engine::Answers &answers,
                   std::size_t pathLimit)
{
    const engine::Network network(project);
    return {engine::checkSchedule(network, answers),
            engine::checkCriticalPaths(network, answers, pathLimit),
            engine::checkCrashing(network, answers)};
}

QString gradeReportText(const engine::Project &project, const Grade &grade)
{
    QStringList lines;
    lines << (project.title.empty()
                  ? QStringLiteral("ตรวจงาน")
                  : QStringLiteral("ตรวจงาน: %1").arg(QString::fromStdString(project.title)));
    lines << QStringLiteral("คะแนนรวม: ถูก %1 จาก %2").arg(grade.right()).arg(grade.total());
    lines << QString();

    const engine::ScheduleCheck &schedule = grade.schedule;
    lines << stageHead(1, QStringLiteral("ตารางเวลา (CPM)"), schedule.right, schedule.total);
    auto addCell = [&](const engine::CellCheck &cell) {
        addLines(lines, cell.verdict,
                 QStringLiteral("%1: ตอบ %2, ค่าที่ถูก %3")
                     .arg(cellName(project, cell), given(cell.given))
                     .arg(cell.expected),
                 cellText(project, schedule, cell));
    };
    for (const engine::CellCheck &cell : schedule.cells)
        addCell(cell);
    addCell(schedule.projectDuration);
    lines << QString();

    const engine::CriticalCheck &critical = grade.critical;
    lines << stageHead(2, QStringLiteral("กิจกรรมวิกฤตและเส้นทางวิกฤต"), critical.right,
                       critical.total);
    const ItemText ticks = ticksText(project, critical);
    addLines(lines, critical.ticks, QStringLiteral("กิจกรรมวิกฤต"), ticks);
    for (std::size_t k = 0; k < critical.paths.size(); ++k) {
        const ItemText path = pathText(project, critical, k);
        addLines(lines, critical.paths[k].verdict,
                 QStringLiteral("เส้นทาง %1").arg(pathName(project, critical.paths[k].path)), path);
    }
    const ItemText missed = missedPathsText(project, critical);
    addLines(lines,
             critical.missedPaths.empty() ? engine::Verdict::Right : engine::Verdict::Unanswered,
             missed.message, missed);
    lines << QString();

    const engine::CrashingCheck &crashing = grade.crashing;
    lines << stageHead(3, QStringLiteral("การเร่งโครงการ"), crashing.right, crashing.total);
    const ItemText target = targetText(crashing);
    addLines(lines, crashing.target,
             QStringLiteral("เป้าหมาย: ตอบ %1").arg(given(crashing.givenTarget)), target);
    for (const engine::StepCheck &step : crashing.steps) {
        const ItemText text = stepText(project, step);
        const bool right = step.problem == engine::StepProblem::None;
        addLines(lines, right ? engine::Verdict::Right : engine::Verdict::Wrong,
                 right ? text.message
                       : QStringLiteral("ขั้นที่ %1: ค่าใช้จ่าย ตอบ %2 ค่าที่ถูก %3; "
                                        "ระยะเวลาหลังเร่ง ตอบ %4 ค่าที่ถูก %5")
                             .arg(step.number)
                             .arg(step.givenCost ? baht(*step.givenCost) : QStringLiteral("-"),
                                  baht(step.expectedCost), given(step.givenDuration))
                             .arg(step.expectedDuration),
                 text);
    }
    lines << QStringLiteral("  %1").arg(totalsText(crashing));
    return lines.join(u'\n') + u'\n';
}

QJsonObject gradeReportJson(const engine::Project &project, const Grade &grade)
{
    const engine::ScheduleCheck &schedule = grade.schedule;
    QJsonArray cells;
    auto addCell = [&](const engine::CellCheck &cell) {
        QJsonObject item {
            {QStringLiteral("activity"),
             cell.activity < 0 ? QJsonValue(QJsonValue::Null)
                               : QJsonValue(activityName(project, cell.activity))},
            {QStringLiteral("field"), QString::fromLatin1(fieldKey(cell))},
            {QStringLiteral("verdict"), QString::fromLatin1(verdictKey(cell.verdict))},
            {QStringLiteral("expected"), whole(cell.expected)},
            {QStringLiteral("given"), whole(cell.given)},
            {QStringLiteral("from_own"), whole(cell.fromOwn)},
        };
        addText(item, cellText(project, schedule, cell));
        cells.append(item);
    };
    for (const engine::CellCheck &cell : schedule.cells)
        addCell(cell);
    addCell(schedule.projectDuration);

    const engine::CriticalCheck &critical = grade.critical;
    QJsonArray wrongly;
    for (const auto &[a, floatOf] : critical.wronglyTicked)
        wrongly.append(QJsonObject {{QStringLiteral("activity"), activityName(project, a)},
                                    {QStringLiteral("float"), whole(floatOf)}});
    QJsonObject ticks {
        {QStringLiteral("verdict"), QString::fromLatin1(verdictKey(critical.ticks))},
        {QStringLiteral("missed"), idsOf(project, critical.missedActivities)},
        {QStringLiteral("wrongly_ticked"), wrongly},
    };
    addText(ticks, ticksText(project, critical));
    QJsonArray paths;
    for (std::size_t k = 0; k < critical.paths.size(); ++k) {
        const engine::PathCheck &path = critical.paths[k];
        QJsonObject item {
            {QStringLiteral("path"), idsOf(project, path.path)},
            {QStringLiteral("verdict"), QString::fromLatin1(verdictKey(path.verdict))},
            {QStringLiteral("problem"), QString::fromLatin1(pathProblemKey(path.problem))},
            {QStringLiteral("length"), whole(path.length)},
        };
        addText(item, pathText(project, critical, k));
        paths.append(item);
    }
    QJsonArray missedList;
    for (const std::vector<int> &path : critical.missedPaths)
        missedList.append(idsOf(project, path));
    QJsonObject missed {{QStringLiteral("paths"), missedList},
                        {QStringLiteral("complete"), critical.missedPathsComplete}};
    addText(missed, missedPathsText(project, critical));

    const engine::CrashingCheck &crashing = grade.crashing;
    QJsonObject target {
        {QStringLiteral("given"), whole(crashing.givenTarget)},
        {QStringLiteral("verdict"), QString::fromLatin1(verdictKey(crashing.target))}};
    addText(target, targetText(crashing));
    QJsonArray steps;
    for (const engine::StepCheck &step : crashing.steps) {
        QJsonObject shorten;
        for (const auto &[a, units] : step.shorten)
            shorten.insert(activityName(project, a), whole(units));
        QJsonObject item {
            {QStringLiteral("step"), step.number},
            {QStringLiteral("shorten"), shorten},
            {QStringLiteral("problem"), QString::fromLatin1(stepProblemKey(step.problem))},
            {QStringLiteral("applicable"), step.applicable},
            {QStringLiteral("expected_cost"), bahtValue(step.expectedCost)},
            {QStringLiteral("given_cost"), bahtValue(step.givenCost)},
            {QStringLiteral("expected_duration"), whole(step.expectedDuration)},
            {QStringLiteral("given_duration"), whole(step.givenDuration)},
        };
        addText(item, stepText(project, step));
        steps.append(item);
    }

    return {
        {QStringLiteral("title"), QString::fromStdString(project.title)},
        {QStringLiteral("right"), grade.right()},
        {QStringLiteral("total"), grade.total()},
        {QStringLiteral("schedule"),
         QJsonObject {{QStringLiteral("right"), schedule.right},
                      {QStringLiteral("total"), schedule.total},
                      {QStringLiteral("cells"), cells}}},
        {QStringLiteral("critical"),
         QJsonObject {{QStringLiteral("right"), critical.right},
                      {QStringLiteral("total"), critical.total},
                      {QStringLiteral("ticks"), ticks},
                      {QStringLiteral("paths"), paths},
                      {QStringLiteral("missed_paths"), missed}}},
        {QStringLiteral("crashing"),
         QJsonObject {{QStringLiteral("right"), crashing.right},
                      {QStringLiteral("total"), crashing.total},
                      {QStringLiteral("target"), target},
                      {QStringLiteral("steps"), steps},
                      {QStringLiteral("normal_duration"), whole(crashing.normalDuration)},
                      {QStringLiteral("shortest_duration"), whole(crashing.shortestDuration)},
                      {QStringLiteral("reached_duration"), whole(crashing.reachedDuration)},
                      {QStringLiteral("reached_target"), crashing.reachedTarget},
                      {QStringLiteral("student_total"), bahtValue(crashing.studentTotal)},
                      {QStringLiteral("greedy_total"), bahtValue(crashing.greedyTotal)},
                      {QStringLiteral("least_cost"), bahtValue(crashing.leastCost)},
                      {QStringLiteral("totals"), totalsText(crashing)}}},
    };
}

} // namespace trainer
