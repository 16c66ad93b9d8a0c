// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "answersfile.h"

#include "crashkitfile.h"
#include "jsonvalue.h"
#include "projectfile.h"
#include "utf8.h"
#include "values.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <climits>
#include <span>
#include <unordered_map>

namespace io {

namespace {

struct Key {
    const char *name;
    ValueType type;
};

constexpr Key kRootKeys[] = {
    {"project_duration", ValueType::WholeNumber},
    {"schedule", ValueType::List},
    {"critical_activities", ValueType::ListOfTexts},
    {"critical_paths", ValueType::List},
    {"target", ValueType::WholeNumber},
    {"steps", ValueType::List},
    {"scores", ValueType::Object},
    {"project", ValueType::Object},
};

// The schedule's fields in engine::ScheduleField's order, after the activity.
constexpr Key kRowKeys[] = {
    {"activity", ValueType::Text},  {"es", ValueType::WholeNumber},
    {"ef", ValueType::WholeNumber}, {"ls", ValueType::WholeNumber},
    {"lf", ValueType::WholeNumber}, {"float", ValueType::WholeNumber},
};

constexpr Key kStepKeys[] = {
    {"shorten", ValueType::Object},
    {"cost", ValueType::Amount},
    {"duration", ValueType::WholeNumber},
};

constexpr Key kStageNames[] = {
    {"schedule", ValueType::Object},
    {"critical", ValueType::Object},
    {"crashing", ValueType::Object},
};

constexpr Key kStageKeys[] = {
    {"right", ValueType::WholeNumber},
    {"total", ValueType::WholeNumber},
    {"hints_used", ValueType::WholeNumber},
};

QStringList keyNames(std::span<const Key> keys)
{
    QStringList names;
    for (const Key &key : keys)
        names << QString::fromLatin1(key.name);
    return names;
}

// "schedule[2].es": where in the file, lists counted from 1 as people count rows.
QString at(const QString &list, qsizetype position, const char *key = nullptr)
{
    QString field = QStringLiteral("%1[%2]").arg(list).arg(position + 1);
    if (key)
        field += u'.' + QString::fromLatin1(key);
    return field;
}

class AnswersReader {
public:
    AnswersReader(const QByteArray &bytes, const QString &file, const engine::Project *project)
        : m_bytes(bytes), m_file(file), m_project(project)
    {
    }
    AnswersRead read();

private:
    Place place(const QString &field) const { return {.file = m_file, .field = field}; }
    void checkKeys(const QJsonObject &object, std::span<const Key> keys, const QString &where);
    // The value under `key` when it is there, not null and of the key's type.
    std::optional<QJsonValue> valueOf(const QJsonObject &object, const Key &key,
                                      const QString &field);
    std::optional<std::int64_t> whole(const QJsonObject &object, const Key &key,
                                      const QString &field);
    std::optional<int> activity(const QJsonValue &id, const QString &field);
    void readProject(const QJsonObject &object);
    void readSchedule(const QJsonArray &rows);
    std::optional<std::vector<int>> readIds(const QJsonValue &list, const QString &field);
    void readSteps(const QJsonArray &steps);
    void readScores(const QJsonObject &scores);

    const QByteArray &m_bytes;
    QString m_file;
    const engine::Project *m_project;
    std::unordered_map<std::string, int> m_index;
    AnswersFile m_read;
    ProblemList m_problems;
};

void AnswersReader::checkKeys(const QJsonObject &object, std::span<const Key> keys,
                              const QString &where)
{
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const bool known = std::any_of(keys.begin(), keys.end(), [&](const Key &key) {
            return it.key() == QLatin1String(key.name);
        });
        if (!known)
            m_problems.add({.kind = FileProblemKind::UnknownKey,
                            .place = place(where.isEmpty() ? shownValue(it.key())
                                                           : where + u'.' + shownValue(it.key())),
                            .names = keyNames(keys)});
    }
}

std::optional<QJsonValue> AnswersReader::valueOf(const QJsonObject &object, const Key &key,
                                                 const QString &field)
{
    const QJsonValue value = object.value(QString::fromLatin1(key.name));
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!hasType(value, key.type)) {
        m_problems.add({.kind = FileProblemKind::WrongType,
                        .place = place(field),
                        .value = rendered(value),
                        .expected = key.type,
                        .found = typeOf(value)});
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> AnswersReader::whole(const QJsonObject &object, const Key &key,
                                                 const QString &field)
{
    const std::optional<QJsonValue> value = valueOf(object, key, field);
    if (!value)
        return std::nullopt;
    std::int64_t number = 0;
    if (const auto problem = wholeFromDouble(value->toDouble(), number)) {
        m_problems.add({.kind = *problem,
                        .place = place(field),
                        .value = rendered(*value),
                        .bound = kLargestExactWhole});
        return std::nullopt;
    }
    return number;
}

std::optional<int> AnswersReader::activity(const QJsonValue &id, const QString &field)
{
    if (!id.isString()) {
        m_problems.add({.kind = FileProblemKind::WrongType,
                        .place = place(field),
                        .value = rendered(id),
                        .expected = ValueType::Text,
                        .found = typeOf(id)});
        return std::nullopt;
    }
    const auto found = m_index.find(id.toString().toStdString());
    if (found == m_index.end()) {
        m_problems.add({.kind = FileProblemKind::UnknownAnswerActivity,
                        .place = place(field),
                        .value = shownValue(id.toString())});
        return std::nullopt;
    }
    return found->second;
}

// The kept project goes through the .crashkit reader, its problems placed under "project".
void AnswersReader::readProject(const QJsonObject &object)
{
    // Escaped as the writer escapes it, so that a U+FEFF starting a text stays in it.
    ReadResult result = readCrashkit(
        QJsonDocument(object).toJson(QJsonDocument::Compact).replace("\xEF\xBB\xBF", "\\ufeff"),
        m_file);
    if (result.isLoaded()) {
        m_read.project = result.takeProject();
        return;
    }
    for (Problem problem : result.problems().kept()) {
        problem.place.field = problem.place.field.isEmpty()
            ? QStringLiteral("project")
            : QStringLiteral("project.") + problem.place.field;
        m_problems.add(std::move(problem));
    }
}

void AnswersReader::readSchedule(const QJsonArray &rows)
{
    const std::size_t n = m_index.size();
    m_read.answers.schedule.assign(n, {});
    std::vector<bool> given(n, false);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (!rows[r].isObject()) {
            m_problems.add({.kind = FileProblemKind::WrongType,
                            .place = place(at(QStringLiteral("schedule"), r)),
                            .value = rendered(rows[r]),
                            .expected = ValueType::Object,
                            .found = typeOf(rows[r])});
            continue;
        }
        const QJsonObject row = rows[r].toObject();
        const QString where = at(QStringLiteral("schedule"), r);
        checkKeys(row, kRowKeys, where);
        const QString idField = at(QStringLiteral("schedule"), r, "activity");
        if (!row.contains(QStringLiteral("activity"))) {
            m_problems.add({.kind = FileProblemKind::MissingKey, .place = place(idField)});
            continue;
        }
        const std::optional<int> a = activity(row.value(QStringLiteral("activity")), idField);
        if (!a)
            continue;
        const auto i = static_cast<std::size_t>(*a);
        if (given[i]) {
            m_problems.add({.kind = FileProblemKind::RepeatedAnswer,
                            .place = place(idField),
                            .value = shownValue(row.value(QStringLiteral("activity")).toString())});
            continue;
        }
        given[i] = true;
        engine::ScheduleAnswer &answer = m_read.answers.schedule[i];
        std::optional<engine::Duration> *fields[]
            = {&answer.earliestStart, &answer.earliestFinish, &answer.latestStart,
               &answer.latestFinish, &answer.totalFloat};
        for (std::size_t k = 0; k < std::size(fields); ++k)
            *fields[k] = whole(row, kRowKeys[k + 1],
                               at(QStringLiteral("schedule"), r, kRowKeys[k + 1].name));
    }
}

std::optional<std::vector<int>> AnswersReader::readIds(const QJsonValue &list, const QString &field)
{
    if (!list.isArray()) {
        m_problems.add({.kind = FileProblemKind::WrongType,
                        .place = place(field),
                        .value = rendered(list),
                        .expected = ValueType::ListOfTexts,
                        .found = typeOf(list)});
        return std::nullopt;
    }
    const QJsonArray ids = list.toArray();
    std::vector<int> activities;
    bool all = true;
    for (qsizetype k = 0; k < ids.size(); ++k) {
        if (const std::optional<int> a = activity(ids[k], at(field, k)))
            activities.push_back(*a);
        else
            all = false;
    }
    if (!all)
        return std::nullopt;
    return activities;
}

void AnswersReader::readSteps(const QJsonArray &steps)
{
    for (qsizetype s = 0; s < steps.size(); ++s) {
        const QString where = at(QStringLiteral("steps"), s);
        if (!steps[s].isObject()) {
            m_problems.add({.kind = FileProblemKind::WrongType,
                            .place = place(where),
                            .value = rendered(steps[s]),
                            .expected = ValueType::Object,
                            .found = typeOf(steps[s])});
            continue;
        }
        const QJsonObject object = steps[s].toObject();
        checkKeys(object, kStepKeys, where);
        engine::StepAnswer step;
        const QString shortenField = at(QStringLiteral("steps"), s, "shorten");
        if (const auto shorten = valueOf(object, kStepKeys[0], shortenField)) {
            const QJsonObject units = shorten->toObject();
            for (auto it = units.constBegin(); it != units.constEnd(); ++it) {
                const QString field = shortenField + u'.' + shownValue(it.key());
                const std::optional<int> a = activity(it.key(), field);
                if (!a)
                    continue;
                const QJsonValue value = it.value();
                if (!value.isDouble()) {
                    m_problems.add({.kind = FileProblemKind::WrongType,
                                    .place = place(field),
                                    .value = rendered(value),
                                    .expected = ValueType::WholeNumber,
                                    .found = typeOf(value)});
                    continue;
                }
                std::int64_t number = 0;
                if (const auto problem = wholeFromDouble(value.toDouble(), number)) {
                    m_problems.add({.kind = *problem,
                                    .place = place(field),
                                    .value = rendered(value),
                                    .bound = kLargestExactWhole});
                    continue;
                }
                step.shorten.push_back({*a, number});
            }
            std::sort(step.shorten.begin(), step.shorten.end());
        }
        const QString costField = at(QStringLiteral("steps"), s, "cost");
        if (const auto cost = valueOf(object, kStepKeys[1], costField)) {
            engine::Satang satang = 0;
            if (const auto problem = amountFromDouble(cost->toDouble(), satang))
                m_problems.add(
                    {.kind = *problem, .place = place(costField), .value = rendered(*cost)});
            else
                step.cost = satang;
        }
        step.duration = whole(object, kStepKeys[2], at(QStringLiteral("steps"), s, "duration"));
        m_read.answers.steps.push_back(std::move(step));
    }
}

void AnswersReader::readScores(const QJsonObject &scores)
{
    checkKeys(scores, kStageNames, QStringLiteral("scores"));
    Scores read;
    std::optional<StageScore> *stages[] = {&read.schedule, &read.critical, &read.crashing};
    for (std::size_t k = 0; k < std::size(stages); ++k) {
        const QString where = QStringLiteral("scores.") + QString::fromLatin1(kStageNames[k].name);
        const auto stage = valueOf(scores, kStageNames[k], where);
        if (!stage)
            continue;
        const QJsonObject object = stage->toObject();
        checkKeys(object, kStageKeys, where);
        StageScore score;
        int *numbers[] = {&score.right, &score.total, &score.hintsUsed};
        for (std::size_t m = 0; m < std::size(numbers); ++m) {
            const QString field = where + u'.' + QString::fromLatin1(kStageKeys[m].name);
            if (!object.contains(QString::fromLatin1(kStageKeys[m].name))) {
                m_problems.add({.kind = FileProblemKind::MissingKey, .place = place(field)});
                continue;
            }
            const std::optional<std::int64_t> number = whole(object, kStageKeys[m], field);
            if (number && (*number < 0 || *number > INT_MAX))
                m_problems.add({.kind = FileProblemKind::NumberTooLarge,
                                .place = place(field),
                                .value = QString::number(*number),
                                .bound = INT_MAX});
            else if (number)
                *numbers[m] = static_cast<int>(*number);
        }
        *stages[k] = score;
    }
    m_read.scores = read;
}

AnswersRead AnswersReader::read()
{
    AnswersRead result;
    auto failed = [&]() {
        result.problems = std::move(m_problems);
        return result;
    };
    if (m_bytes.size() > kMaxFileSize) {
        m_problems.add({.kind = FileProblemKind::FileTooLarge,
                        .place = {.file = m_file},
                        .number = m_bytes.size(),
                        .bound = kMaxFileSize});
        return failed();
    }
    const std::string_view original(m_bytes.constData(), static_cast<std::size_t>(m_bytes.size()));
    const std::string_view text = withoutBom(original);
    if (!checkUtf8(original, text, m_file, m_problems))
        return failed();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        const std::size_t offset = std::min<std::size_t>(
            static_cast<std::size_t>(std::max(0, error.offset)), text.size());
        const TextPosition position = positionOf(text, offset);
        m_problems.add({.kind = FileProblemKind::JsonSyntax,
                        .place = {.file = m_file, .line = position.line, .column = position.column},
                        .value = error.errorString()});
        return failed();
    }
    if (!document.isObject()) {
        m_problems.add(
            {.kind = FileProblemKind::NotAnswersFile, .place = {.file = m_file, .line = 1}});
        return failed();
    }
    const QJsonObject root = document.object();
    checkKeys(root, kRootKeys, {});
    auto rootKey = [](const char *name) -> const Key & {
        for (const Key &key : kRootKeys) {
            if (qstrcmp(key.name, name) == 0)
                return key;
        }
        Q_UNREACHABLE();
    };
    if (const auto project = valueOf(root, rootKey("project"), QStringLiteral("project")))
        readProject(project->toObject());
    const engine::Project *against = m_project ? m_project
        : m_read.project                       ? &*m_read.project
                                               : nullptr;
    if (!against) {
        if (m_problems.isEmpty())
            m_problems.add(
                {.kind = FileProblemKind::AnswersWithoutProject, .place = {.file = m_file}});
        return failed();
    }
    for (std::size_t i = 0; i < against->activities.size(); ++i)
        m_index.emplace(against->activities[i].id, static_cast<int>(i));

    engine::Answers &answers = m_read.answers;
    answers.projectDuration
        = whole(root, rootKey("project_duration"), QStringLiteral("project_duration"));
    answers.target = whole(root, rootKey("target"), QStringLiteral("target"));
    if (const auto rows = valueOf(root, rootKey("schedule"), QStringLiteral("schedule")))
        readSchedule(rows->toArray());
    if (const auto ticks
        = valueOf(root, rootKey("critical_activities"), QStringLiteral("critical_activities")))
        answers.criticalActivities = readIds(*ticks, QStringLiteral("critical_activities"));
    if (const auto paths
        = valueOf(root, rootKey("critical_paths"), QStringLiteral("critical_paths"))) {
        answers.criticalPaths.emplace();
        const QJsonArray list = paths->toArray();
        for (qsizetype k = 0; k < list.size(); ++k) {
            if (auto path = readIds(list[k], at(QStringLiteral("critical_paths"), k)))
                answers.criticalPaths->push_back(std::move(*path));
        }
    }
    if (const auto steps = valueOf(root, rootKey("steps"), QStringLiteral("steps")))
        readSteps(steps->toArray());
    if (const auto scores = valueOf(root, rootKey("scores"), QStringLiteral("scores")))
        readScores(scores->toObject());

    if (!m_problems.isEmpty())
        return failed();
    result.file = std::move(m_read);
    return result;
}

} // namespace

AnswersRead readAnswers(const QByteArray &bytes, const QString &displayName,
                        const engine::Project *project)
{
    return AnswersReader(bytes, displayName, project).read();
}

AnswersRead openAnswers(const QString &path, const engine::Project *project)
{
    AnswersRead result;
    const Place place {.file = path};
    // Checked before opening: opening a pipe for reading would wait for a writer.
    const QFileInfo info(path);
    if (!info.exists()) {
        result.problems.add({.kind = FileProblemKind::FileMissing, .place = place});
        return result;
    }
    if (!info.isFile()) {
        result.problems.add({.kind = FileProblemKind::NotRegularFile, .place = place});
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problems.add(
            {.kind = FileProblemKind::CannotRead, .place = place, .value = file.errorString()});
        return result;
    }
    // One byte beyond the cap is enough for the reader to refuse the file as too large.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        result.problems.add(
            {.kind = FileProblemKind::CannotRead, .place = place, .value = file.errorString()});
        return result;
    }
    return readAnswers(bytes, path, project);
}

} // namespace io
