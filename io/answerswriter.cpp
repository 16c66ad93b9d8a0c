// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "answersfile.h"

#include "crashkitfile.h"
#include "jsonvalue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace io {

namespace {

// The schedule's fields in engine::ScheduleField's order, and the stages of the scores, as
// the reader takes them.
constexpr const char *kRowFields[] = {"es", "ef", "ls", "lf", "float"};
constexpr const char *kStages[] = {"schedule", "critical", "crashing"};

QJsonValue whole(engine::Duration number)
{
    return QJsonValue(static_cast<qint64>(number));
}

QJsonObject stageObject(const StageScore &score)
{
    return {{QStringLiteral("right"), score.right},
            {QStringLiteral("total"), score.total},
            {QStringLiteral("hints_used"), score.hintsUsed}};
}

} // namespace

QByteArray writeAnswers(const AnswersFile &file, const engine::Project &project)
{
    auto id = [&](int activity) {
        return jsonText(project.activities.at(static_cast<std::size_t>(activity)).id);
    };
    auto ids = [&](const std::vector<int> &activities) {
        QJsonArray list;
        for (const int a : activities)
            list.append(id(a));
        return list;
    };
    const engine::Answers &answers = file.answers;
    QJsonObject root;
    if (answers.projectDuration)
        root.insert(QStringLiteral("project_duration"), whole(*answers.projectDuration));
    if (!answers.schedule.empty()) {
        QJsonArray rows;
        for (std::size_t i = 0; i < answers.schedule.size(); ++i) {
            const engine::ScheduleAnswer &a = answers.schedule[i];
            const std::optional<engine::Duration> values[]
                = {a.earliestStart, a.earliestFinish, a.latestStart, a.latestFinish, a.totalFloat};
            QJsonObject row;
            for (std::size_t k = 0; k < std::size(values); ++k) {
                if (values[k])
                    row.insert(QString::fromLatin1(kRowFields[k]), whole(*values[k]));
            }
            if (!row.isEmpty()) {
                row.insert(QStringLiteral("activity"), id(static_cast<int>(i)));
                rows.append(row);
            }
        }
        root.insert(QStringLiteral("schedule"), rows);
    }
    if (answers.criticalActivities)
        root.insert(QStringLiteral("critical_activities"), ids(*answers.criticalActivities));
    if (answers.criticalPaths) {
        QJsonArray paths;
        for (const std::vector<int> &path : *answers.criticalPaths)
            paths.append(ids(path));
        root.insert(QStringLiteral("critical_paths"), paths);
    }
    if (answers.target)
        root.insert(QStringLiteral("target"), whole(*answers.target));
    if (!answers.steps.empty()) {
        QJsonArray steps;
        for (const engine::StepAnswer &step : answers.steps) {
            QJsonObject shorten;
            for (const auto &[a, units] : step.shorten)
                shorten.insert(id(a), whole(units));
            QJsonObject object {{QStringLiteral("shorten"), shorten}};
            if (step.cost)
                object.insert(QStringLiteral("cost"), jsonBaht(*step.cost));
            if (step.duration)
                object.insert(QStringLiteral("duration"), whole(*step.duration));
            steps.append(object);
        }
        root.insert(QStringLiteral("steps"), steps);
    }
    if (file.scores) {
        QJsonObject scores;
        const std::optional<StageScore> *stages[]
            = {&file.scores->schedule, &file.scores->critical, &file.scores->crashing};
        for (std::size_t k = 0; k < std::size(stages); ++k) {
            if (*stages[k])
                scores.insert(QString::fromLatin1(kStages[k]), stageObject(**stages[k]));
        }
        root.insert(QStringLiteral("scores"), scores);
    }
    if (file.project)
        root.insert(QStringLiteral("project"),
                    QJsonDocument::fromJson(writeCrashkit(*file.project)).object());
    // As in .crashkit files: Qt's reader drops an unescaped U+FEFF at the start of a text.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

ProblemList saveAnswers(const AnswersFile &file, const engine::Project &project,
                        const QString &path)
{
    const QByteArray bytes = writeAnswers(file, project);
    QSaveFile out(path);
    ProblemList problems;
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        problems.add(
            {.kind = FileProblemKind::CannotSave, .place = {.file = path}, .value = reason});
    }
    return problems;
}

} // namespace io
