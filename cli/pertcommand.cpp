// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "commands.h"
#include "reporting.h"

#include "pert.h"
#include "values.h"

#include <QString>

#include <algorithm>

namespace cli {

namespace {

// A number with two decimals, as the tables show expected times and variances.
std::string fixed(double value)
{
    return QString::number(value, 'f', 2).toStdString();
}

struct Answers {
    std::optional<double> byDay, probability;
};

// The object of --by or --probability: the day, the chance and, given a spread, Z.
void writeAnswer(JsonWriter &json, double day, double probability, const engine::PertAnalysis &pert)
{
    json.beginObject();
    json.key("day");
    json.value(day);
    json.key("probability");
    json.value(probability);
    if (pert.standardDeviation > 0) {
        json.key("z");
        json.value((day - pert.expectedDuration) / pert.standardDeviation);
    }
    json.endObject();
}

void writeJson(Output &output, const engine::Project &project, const engine::PertAnalysis &pert,
               const Answers &answers)
{
    JsonWriter json(output);
    json.beginObject();
    json.key("activities");
    json.beginArray();
    for (std::size_t k = 0; k < project.activities.size(); ++k) {
        const engine::Activity &a = project.activities[k];
        json.beginObject();
        json.key("expected");
        json.value(pert.expected[k]);
        json.key("id");
        json.value(a.id);
        json.key("most_likely");
        a.estimate ? json.value(a.estimate->mostLikely) : json.null();
        json.key("name");
        json.value(a.name);
        json.key("optimistic");
        a.estimate ? json.value(a.estimate->optimistic) : json.null();
        json.key("pessimistic");
        a.estimate ? json.value(a.estimate->pessimistic) : json.null();
        json.key("variance");
        json.value(pert.variance[k]);
        json.endObject();
    }
    json.endArray();
    if (answers.byDay) {
        json.key("by");
        writeAnswer(json, *answers.byDay, engine::probabilityOfFinishingBy(pert, *answers.byDay),
                    pert);
    }
    json.key("critical_path");
    writeIds(json, project, pert.criticalPath);
    json.key("expected_duration");
    json.value(pert.expectedDuration);
    if (answers.probability) {
        json.key("for_probability");
        writeAnswer(json, *engine::dayForProbability(pert, *answers.probability),
                    *answers.probability, pert);
    }
    json.key("path_variance");
    json.value(pert.pathVariance);
    json.key("standard_deviation");
    json.value(pert.standardDeviation);
    json.key("tied_paths");
    json.value(static_cast<std::int64_t>(pert.tiedPaths));
    json.key("tied_paths_complete");
    json.value(pert.tiedPathsComplete);
    json.key("title");
    json.value(project.title);
    json.endObject();
}

void writeText(Output &output, const engine::Project &project, const engine::PertAnalysis &pert,
               const Answers &answers)
{
    auto exact = [](double value) { return io::formatEstimate(value); };
    auto fixedText = [](double value) { return QString::number(value, 'f', 2); };

    writeTitleLine(output, project);
    output.write("PERT: te = (a + 4m + b) / 6, variance = ((b - a) / 6)^2\n\n");
    TextTable table({"activity", "a", "m", "b", "te", "variance"});
    Row row;
    bool anyWithout = false;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            table.writeHeader(output);
        for (std::size_t k = 0; k < project.activities.size(); ++k) {
            const engine::Activity &a = project.activities[k];
            row.clear();
            row.text(a.id);
            if (a.estimate)
                row.text(exact(a.estimate->optimistic))
                    .text(exact(a.estimate->mostLikely))
                    .text(exact(a.estimate->pessimistic))
                    .text(fixed(pert.expected[k]))
                    .text(fixed(pert.variance[k]));
            else
                row.text("-").text("-").text("-").text(fixed(pert.expected[k])).text(fixed(0));
            anyWithout = anyWithout || !a.estimate;
            if (pass == 0)
                table.measure(row);
            else
                table.write(output, row);
        }
    }
    if (anyWithout)
        output.write("(- : no estimates; the normal duration, variance 0)\n");
    output.write("\nCritical path of expected times: ");
    if (pert.criticalPath.empty())
        output.write("none");
    for (std::size_t k = 0; k < pert.criticalPath.size(); ++k) {
        if (k > 0)
            output.write(" - ");
        cli::writeText(output, idOf(project, pert.criticalPath[k]));
    }
    output.write(QStringLiteral("\nExpected project duration: %1\n"
                                "Variance of the path: %2\n"
                                "Standard deviation: %3\n")
                     .arg(fixedText(pert.expectedDuration), fixedText(pert.pathVariance),
                          fixedText(pert.standardDeviation)));
    if (pert.tiedPaths > 1)
        output.write(QStringLiteral("Paths tied for the longest: %1%2; the one with the "
                                    "largest variance is used\n")
                         .arg(pert.tiedPaths)
                         .arg(pert.tiedPathsComplete ? QString() : QStringLiteral(" or more")));

    // Z only where there is a spread to divide by.
    const bool spread = pert.standardDeviation > 0;
    auto zOf = [&](double day) { return (day - pert.expectedDuration) / pert.standardDeviation; };
    if (answers.byDay) {
        const double chance = engine::probabilityOfFinishingBy(pert, *answers.byDay);
        QString line
            = QStringLiteral("Probability of finishing by %1: %2%")
                  .arg(QString::fromStdString(exact(*answers.byDay)), fixedText(100 * chance));
        if (spread)
            line += QStringLiteral(" (Z = %1)").arg(fixedText(zOf(*answers.byDay)));
        output.write(line + u'\n');
    }
    if (answers.probability) {
        const double day = *engine::dayForProbability(pert, *answers.probability);
        QString line = QStringLiteral("Day reached with probability %1%: %2")
                           .arg(fixedText(100 * *answers.probability), fixedText(day));
        if (spread)
            line += QStringLiteral(" (Z = %1)").arg(fixedText(zOf(day)));
        output.write(line + u'\n');
    }
}

} // namespace

void writePert(Output &output, const engine::Project &project, const engine::Network &network,
               std::optional<double> byDay, std::optional<double> probability, bool json)
{
    if (std::none_of(project.activities.begin(), project.activities.end(),
                     [](const engine::Activity &a) { return a.estimate.has_value(); }))
        throw UsageError("no activity has three time estimates; pert needs the optimistic, "
                         "most likely and pessimistic times (CSV columns optimistic, "
                         "most_likely and pessimistic)");
    const engine::PertAnalysis pert = engine::analysePert(project, network);
    const Answers answers {byDay, probability};
    if (json)
        writeJson(output, project, pert, answers);
    else
        writeText(output, project, pert, answers);
}

} // namespace cli
