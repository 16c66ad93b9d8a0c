// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "grade.h"

#include "answersfile.h"
#include "gradereport.h"
#include "schedule.h"

#include <QJsonDocument>

namespace cli {

void writeGrade(Output &output, const engine::Project &project, const engine::Network &network,
                const QString &answersPath, std::optional<qint64> target, bool json)
{
    // The steps a student is graded on are the textbook's, on its finish-to-start networks.
    if (!network.plainLinks())
        throw UsageError("grading follows the textbook's steps, which need every link "
                         "finish-to-start without a lag; this project has other links");
    io::AnswersRead read = io::openAnswers(answersPath, &project);
    if (!read.isLoaded())
        throw AnswersFileError(read.problems.message().toStdString());
    engine::Answers &answers = read.file->answers;
    if (target) {
        const engine::Duration normal
            = engine::computeSchedule(network, network.normalDurations()).projectDuration;
        const engine::Duration shortest = engine::shortestDuration(network);
        if (*target < shortest || *target > normal)
            throw UsageError(QStringLiteral("--target %1 is outside the shortest reachable "
                                            "duration, %2, and the normal duration, %3")
                                 .arg(*target)
                                 .arg(shortest)
                                 .arg(normal)
                                 .toStdString());
        answers.target = *target;
    }
    // A grade report is a page or two: built whole, then written.
    const trainer::Grade grade = trainer::gradeAnswers(project, answers);
    if (json)
        output.write(
            QJsonDocument(trainer::gradeReportJson(project, grade)).toJson(QJsonDocument::Indented));
    else
        output.write(trainer::gradeReportText(project, grade));
}

} // namespace cli
