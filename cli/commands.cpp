// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"

#include "greedy.h"
#include "leastcost.h"
#include "pert.h"
#include "schedule.h"
#include "texttable.h"
#include "timecostcurve.h"
#include "totalcost.h"
#include "values.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>

namespace cli {

namespace {

// The largest amount printed: JSON numbers (doubles) hold every satang up to 2^53.
constexpr engine::Satang kLargestAmount = engine::Satang {1} << 53;

// Whole numbers for JSON; QJsonValue takes them as qint64.
QJsonValue whole(std::int64_t value)
{
    return QJsonValue(static_cast<qint64>(value));
}

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QString baht(engine::Satang amount)
{
    return text(engine::formatBaht(amount));
}

QString idOf(const engine::Project &project, int activity)
{
    return text(project.activities[static_cast<std::size_t>(activity)].id);
}

QJsonArray idsOf(const engine::Project &project, const std::vector<int> &activities)
{
    QJsonArray ids;
    for (const int a : activities)
        ids.append(idOf(project, a));
    return ids;
}

QString joinedIds(const engine::Project &project, const std::vector<int> &activities,
                  const QString &separator)
{
    QStringList ids;
    for (const int a : activities)
        ids << idOf(project, a);
    return ids.isEmpty() ? QStringLiteral("none") : ids.join(separator);
}

QString titleLine(const engine::Project &project)
{
    return project.title.empty() ? QString() : text(project.title) + u'\n';
}

void checkTarget(engine::Duration target, engine::Duration normal, engine::Duration shortest)
{
    if (target < shortest)
        throw UsageError(QStringLiteral("--target %1 is below the shortest reachable duration, %2")
                             .arg(target)
                             .arg(shortest)
                             .toStdString());
    if (target > normal)
        throw UsageError(QStringLiteral("--target %1 is above the normal project duration, %2")
                             .arg(target)
                             .arg(normal)
                             .toStdString());
}

} // namespace

double bahtNumber(engine::Satang amount)
{
    return static_cast<double>(amount) / 100.0;
}

Report cpmReport(const engine::Project &project, int pathLimit)
{
    const engine::Network network(project);
    const engine::Schedule schedule = engine::computeSchedule(network, network.normalDurations());
    const engine::Duration shortest = engine::shortestDuration(network);
    const engine::CriticalPaths paths
        = engine::listCriticalPaths(network, schedule, static_cast<std::size_t>(pathLimit));

    Report report;
    TextTable table({QStringLiteral("activity"), QStringLiteral("duration"), QStringLiteral("ES"),
                     QStringLiteral("EF"), QStringLiteral("LS"), QStringLiteral("LF"),
                     QStringLiteral("float"), QStringLiteral("critical")});
    QJsonArray activities;
    for (int i = 0; i < network.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const engine::Activity &a = project.activities[k];
        table.addRow(
            {text(a.id), QString::number(a.normalDuration),
             QString::number(schedule.earliestStart[k]),
             QString::number(schedule.earliestFinish[k]), QString::number(schedule.latestStart[k]),
             QString::number(schedule.latestFinish[k]), QString::number(schedule.totalFloat(i)),
             schedule.isCritical(i) ? QStringLiteral("yes") : QStringLiteral("no")});
        activities.append(QJsonObject {
            {QStringLiteral("id"), text(a.id)},
            {QStringLiteral("name"), text(a.name)},
            {QStringLiteral("duration"), whole(a.normalDuration)},
            {QStringLiteral("earliest_start"), whole(schedule.earliestStart[k])},
            {QStringLiteral("earliest_finish"), whole(schedule.earliestFinish[k])},
            {QStringLiteral("latest_start"), whole(schedule.latestStart[k])},
            {QStringLiteral("latest_finish"), whole(schedule.latestFinish[k])},
            {QStringLiteral("total_float"), whole(schedule.totalFloat(i))},
            {QStringLiteral("critical"), schedule.isCritical(i)},
        });
    }

    QJsonArray pathList;
    QString pathLines;
    for (const std::vector<int> &path : paths.paths) {
        pathList.append(idsOf(project, path));
        pathLines += QStringLiteral("  ") + joinedIds(project, path, QStringLiteral(" - ")) + u'\n';
    }
    if (!paths.complete)
        pathLines += QStringLiteral("  (only the first %1 are listed; use --paths N for more)\n")
                         .arg(paths.paths.size());

    report.text = titleLine(project)
        + QStringLiteral("Project duration: %1\nShortest reachable duration: %2\n\n")
              .arg(schedule.projectDuration)
              .arg(shortest)
        + table.toString() + QStringLiteral("\nCritical paths:\n") + pathLines;
    report.json = QJsonObject {
        {QStringLiteral("title"), text(project.title)},
        {QStringLiteral("project_duration"), whole(schedule.projectDuration)},
        {QStringLiteral("shortest_duration"), whole(shortest)},
        {QStringLiteral("activities"), activities},
        {QStringLiteral("critical_paths"), pathList},
        {QStringLiteral("critical_paths_complete"), paths.complete},
    };
    return report;
}

Report crashReport(const engine::Project &project, qint64 target, Method method)
{
    const engine::Network network(project);
    const engine::Duration normal
        = engine::computeSchedule(network, network.normalDurations()).projectDuration;
    const engine::Duration shortest = engine::shortestDuration(network);
    checkTarget(target, normal, shortest);

    Report report;
    QJsonObject json {
        {QStringLiteral("title"), text(project.title)},
        {QStringLiteral("method"),
         method == Method::Greedy ? QStringLiteral("greedy") : QStringLiteral("optimal")},
        {QStringLiteral("normal_duration"), whole(normal)},
        {QStringLiteral("shortest_duration"), whole(shortest)},
        {QStringLiteral("target"), whole(target)},
    };

    std::vector<engine::Duration> durations;
    engine::Satang extraCost = 0;
    engine::Duration reached = normal;
    if (method == Method::Greedy) {
        engine::GreedyCrashing greedy(network);
        greedy.start(target);
        TextTable table({QStringLiteral("step"), QStringLiteral("critical"), QStringLiteral("cut"),
                         QStringLiteral("units"), QStringLiteral("Baht/unit"),
                         QStringLiteral("cost"), QStringLiteral("duration"),
                         QStringLiteral("total")});
        QJsonArray steps;
        while (const auto step = greedy.step()) {
            std::vector<int> cut;
            for (const engine::Cut &c : step->cuts)
                cut.push_back(c.activity);
            table.addRow(
                {QString::number(step->number),
                 joinedIds(project, step->criticalBefore, QStringLiteral(",")),
                 joinedIds(project, cut, QStringLiteral("+")), QString::number(step->units),
                 baht(step->costPerUnit), baht(step->cost),
                 QStringLiteral("%1 -> %2").arg(step->durationBefore).arg(step->durationAfter),
                 baht(step->totalCost)});
            steps.append(QJsonObject {
                {QStringLiteral("step"), whole(step->number)},
                {QStringLiteral("critical_before"), idsOf(project, step->criticalBefore)},
                {QStringLiteral("cut"), idsOf(project, cut)},
                {QStringLiteral("units"), whole(step->units)},
                {QStringLiteral("cost_per_unit"), bahtNumber(step->costPerUnit)},
                {QStringLiteral("cost"), bahtNumber(step->cost)},
                {QStringLiteral("duration_before"), whole(step->durationBefore)},
                {QStringLiteral("duration_after"), whole(step->durationAfter)},
                {QStringLiteral("critical_after"), idsOf(project, step->criticalAfter)},
                {QStringLiteral("total_cost"), bahtNumber(step->totalCost)},
            });
        }
        durations = greedy.durations();
        extraCost = greedy.totalCost();
        reached = greedy.schedule().projectDuration;
        json.insert(QStringLiteral("steps"), steps);
        report.text
            = QStringLiteral("Greedy crashing from %1 to %2 (each step cuts the cheapest set "
                             "of critical activities that shortens every critical path):\n\n")
                  .arg(normal)
                  .arg(target)
            + (steps.isEmpty() ? QStringLiteral("No step: the target is the normal duration.\n")
                               : table.toString());
    } else {
        const std::optional<engine::LeastCost> least = engine::leastCost(network, target);
        durations = least->durations;
        extraCost = least->cost;
        reached = least->projectDuration;
        report.text
            = QStringLiteral("Least-cost durations for %1 (normal duration %2, shortest %3):\n\n")
                  .arg(target)
                  .arg(normal)
                  .arg(shortest);
    }

    TextTable table({QStringLiteral("activity"), QStringLiteral("normal"), QStringLiteral("crash"),
                     QStringLiteral("new"), QStringLiteral("cut"), QStringLiteral("Baht/unit"),
                     QStringLiteral("cost")});
    QJsonArray activities;
    for (int i = 0; i < network.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const engine::Activity &a = project.activities[k];
        const engine::Duration cut = a.normalDuration - durations[k];
        table.addRow({text(a.id), QString::number(a.normalDuration),
                      QString::number(a.crashDuration), QString::number(durations[k]),
                      QString::number(cut), baht(a.crashCostPerUnit),
                      baht(a.crashCostPerUnit * cut)});
        activities.append(QJsonObject {
            {QStringLiteral("id"), text(a.id)},
            {QStringLiteral("normal_duration"), whole(a.normalDuration)},
            {QStringLiteral("crash_duration"), whole(a.crashDuration)},
            {QStringLiteral("duration"), whole(durations[k])},
            {QStringLiteral("units_cut"), whole(cut)},
            {QStringLiteral("cost"), bahtNumber(a.crashCostPerUnit * cut)},
        });
    }
    if (method == Method::Greedy)
        report.text += QStringLiteral("\nDurations reached:\n\n");
    report.text += table.toString()
        + QStringLiteral("\nProject duration reached: %1\nExtra cost: %2 Baht\n")
              .arg(reached)
              .arg(baht(extraCost));
    json.insert(QStringLiteral("activities"), activities);
    json.insert(QStringLiteral("reached_duration"), whole(reached));
    json.insert(QStringLiteral("extra_cost"), bahtNumber(extraCost));
    report.text.prepend(titleLine(project));
    report.json = json;
    return report;
}

Report curveReport(const engine::Project &project, std::optional<qint64> indirectCostPerUnit)
{
    const engine::Network network(project);
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);

    QStringList header {QStringLiteral("duration"), QStringLiteral("extra cost")};
    if (indirectCostPerUnit)
        header << QStringLiteral("indirect cost") << QStringLiteral("total cost");
    TextTable table(header);
    QJsonArray points;
    for (const engine::CurvePoint &point : curve.points()) {
        QStringList row {QString::number(point.duration), baht(point.cost)};
        QJsonObject entry {{QStringLiteral("duration"), whole(point.duration)},
                           {QStringLiteral("extra_cost"), bahtNumber(point.cost)}};
        if (indirectCostPerUnit) {
            // Amounts stay below 2^53 satang, so that JSON numbers hold them exactly.
            if (point.duration > 0
                && *indirectCostPerUnit > (kLargestAmount - point.cost) / point.duration)
                throw UsageError(QStringLiteral("--indirect-cost: the total cost at duration %1 "
                                                "exceeds %2 Baht")
                                     .arg(point.duration)
                                     .arg(baht(kLargestAmount))
                                     .toStdString());
            const engine::Satang indirect = *indirectCostPerUnit * point.duration;
            const engine::Satang total = indirect + point.cost;
            row << baht(indirect) << baht(total);
            entry.insert(QStringLiteral("indirect_cost"), bahtNumber(indirect));
            entry.insert(QStringLiteral("total_cost"), bahtNumber(total));
        }
        table.addRow(row);
        points.append(entry);
    }

    QJsonArray breakpoints;
    QStringList breakpointText;
    for (const engine::CurvePoint &point : curve.breakpoints()) {
        breakpoints.append(QJsonObject {{QStringLiteral("duration"), whole(point.duration)},
                                        {QStringLiteral("extra_cost"), bahtNumber(point.cost)}});
        breakpointText << QStringLiteral("%1 (%2)").arg(point.duration).arg(baht(point.cost));
    }

    Report report;
    report.text = titleLine(project)
        + QStringLiteral(
              "Least extra cost from the normal duration %1 down to the shortest %2:\n\n")
              .arg(curve.normalDuration())
              .arg(curve.shortestDuration())
        + table.toString() + QStringLiteral("\nBreakpoints: ")
        + breakpointText.join(QStringLiteral(", ")) + u'\n';
    report.json = QJsonObject {
        {QStringLiteral("title"), text(project.title)},
        {QStringLiteral("normal_duration"), whole(curve.normalDuration())},
        {QStringLiteral("shortest_duration"), whole(curve.shortestDuration())},
        {QStringLiteral("points"), points},
        {QStringLiteral("breakpoints"), breakpoints},
    };
    if (indirectCostPerUnit) {
        // Every total fits: each was checked against 2^53 above (value() would throw if not).
        const engine::LowestTotalCost lowest
            = engine::lowestTotalCost(curve.breakpoints(), *indirectCostPerUnit).value();
        const engine::Satang leastTotal = lowest.total;
        // Every tied duration, from the longest down as the table runs.
        QJsonArray least;
        QStringList leastText;
        for (engine::Duration d = lowest.longest; d >= lowest.shortest; --d) {
            least.append(whole(d));
            leastText << QString::number(d);
        }
        report.text
            += QStringLiteral("With %1 Baht of indirect cost per time unit, the least total "
                              "cost is %2 Baht, at duration %3.\n")
                   .arg(baht(*indirectCostPerUnit), baht(leastTotal),
                        leastText.join(QStringLiteral(", ")));
        report.json.insert(QStringLiteral("indirect_cost_per_unit"),
                           bahtNumber(*indirectCostPerUnit));
        report.json.insert(QStringLiteral("least_total_cost"), bahtNumber(leastTotal));
        report.json.insert(QStringLiteral("least_total_durations"), least);
    }
    return report;
}

Report pertReport(const engine::Project &project, std::optional<double> byDay,
                  std::optional<double> probability)
{
    if (std::none_of(project.activities.begin(), project.activities.end(),
                     [](const engine::Activity &a) { return a.estimate.has_value(); }))
        throw UsageError("no activity has three time estimates; pert needs the optimistic, "
                         "most likely and pessimistic times (CSV columns optimistic, "
                         "most_likely and pessimistic)");
    const engine::Network network(project);
    const engine::PertAnalysis pert = engine::analysePert(project, network);
    auto fixed = [](double value, int decimals) { return QString::number(value, 'f', decimals); };
    auto exact = [](double value) { return QString::fromStdString(io::formatEstimate(value)); };

    TextTable table({QStringLiteral("activity"), QStringLiteral("a"), QStringLiteral("m"),
                     QStringLiteral("b"), QStringLiteral("te"), QStringLiteral("variance")});
    QJsonArray activities;
    bool anyWithout = false;
    for (int i = 0; i < network.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const engine::Activity &a = project.activities[k];
        QJsonObject entry {{QStringLiteral("id"), text(a.id)},
                           {QStringLiteral("name"), text(a.name)},
                           {QStringLiteral("expected"), pert.expected[k]},
                           {QStringLiteral("variance"), pert.variance[k]}};
        if (a.estimate) {
            table.addRow({text(a.id), exact(a.estimate->optimistic), exact(a.estimate->mostLikely),
                          exact(a.estimate->pessimistic), fixed(pert.expected[k], 2),
                          fixed(pert.variance[k], 2)});
            entry.insert(QStringLiteral("optimistic"), a.estimate->optimistic);
            entry.insert(QStringLiteral("most_likely"), a.estimate->mostLikely);
            entry.insert(QStringLiteral("pessimistic"), a.estimate->pessimistic);
        } else {
            anyWithout = true;
            table.addRow({text(a.id), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"),
                          fixed(pert.expected[k], 2), fixed(0, 2)});
            entry.insert(QStringLiteral("optimistic"), QJsonValue());
            entry.insert(QStringLiteral("most_likely"), QJsonValue());
            entry.insert(QStringLiteral("pessimistic"), QJsonValue());
        }
        activities.append(entry);
    }

    Report report;
    report.text = titleLine(project)
        + QStringLiteral("PERT: te = (a + 4m + b) / 6, variance = ((b - a) / 6)^2\n\n")
        + table.toString();
    if (anyWithout)
        report.text += QStringLiteral("(- : no estimates; the normal duration, variance 0)\n");
    report.text += QStringLiteral("\nCritical path of expected times: %1\n"
                                  "Expected project duration: %2\n"
                                  "Variance of the path: %3\n"
                                  "Standard deviation: %4\n")
                       .arg(joinedIds(project, pert.criticalPath, QStringLiteral(" - ")),
                            fixed(pert.expectedDuration, 2), fixed(pert.pathVariance, 2),
                            fixed(pert.standardDeviation, 2));
    if (pert.tiedPaths > 1)
        report.text += QStringLiteral("Paths tied for the longest: %1%2; the one with the "
                                      "largest variance is used\n")
                           .arg(pert.tiedPaths)
                           .arg(pert.tiedPathsComplete ? QString() : QStringLiteral(" or more"));
    report.json = QJsonObject {
        {QStringLiteral("title"), text(project.title)},
        {QStringLiteral("activities"), activities},
        {QStringLiteral("critical_path"), idsOf(project, pert.criticalPath)},
        {QStringLiteral("expected_duration"), pert.expectedDuration},
        {QStringLiteral("path_variance"), pert.pathVariance},
        {QStringLiteral("standard_deviation"), pert.standardDeviation},
        {QStringLiteral("tied_paths"), whole(static_cast<std::int64_t>(pert.tiedPaths))},
        {QStringLiteral("tied_paths_complete"), pert.tiedPathsComplete},
    };

    // Z only where there is a spread to divide by.
    const bool spread = pert.standardDeviation > 0;
    auto zOf = [&](double day) { return (day - pert.expectedDuration) / pert.standardDeviation; };
    if (byDay) {
        const double chance = engine::probabilityOfFinishingBy(pert, *byDay);
        QJsonObject by {{QStringLiteral("day"), *byDay}, {QStringLiteral("probability"), chance}};
        QString line = QStringLiteral("Probability of finishing by %1: %2%")
                           .arg(exact(*byDay), fixed(100 * chance, 2));
        if (spread) {
            by.insert(QStringLiteral("z"), zOf(*byDay));
            line += QStringLiteral(" (Z = %1)").arg(fixed(zOf(*byDay), 2));
        }
        report.text += line + u'\n';
        report.json.insert(QStringLiteral("by"), by);
    }
    if (probability) {
        const double day = *engine::dayForProbability(pert, *probability);
        QJsonObject at {{QStringLiteral("probability"), *probability},
                        {QStringLiteral("day"), day}};
        QString line = QStringLiteral("Day reached with probability %1%: %2")
                           .arg(fixed(100 * *probability, 2), fixed(day, 2));
        if (spread) {
            at.insert(QStringLiteral("z"), zOf(day));
            line += QStringLiteral(" (Z = %1)").arg(fixed(zOf(day), 2));
        }
        report.text += line + u'\n';
        report.json.insert(QStringLiteral("for_probability"), at);
    }
    return report;
}

} // namespace cli
