// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "grade.h"

#include "answersfile.h"
#include "gradereport.h"
#include "network.h"
#include "schedule.h"

namespace cli {

Report gradeReport(const engine::Project &project, const QString &answersPath,
                   std::optional<qint64> target)
{
    io::AnswersRead read = io::openAnswers(answersPath, &project);
    if (!read.isLoaded())
        throw AnswersFileError(read.problems.message().toStdString());
    engine::Answers &answers = read.file->answers;
    if (target) {
        const engine::Network network(project);
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
    const trainer::Grade grade = trainer::gradeAnswers(project, answers);
    return {trainer::gradeReportText(project, grade), trainer::gradeReportJson(project, grade)};
}

} // namespace cli
