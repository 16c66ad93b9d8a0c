// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectfile.h"

#include "crashkitfile.h"
#include "csvreader.h"
#include "csvwriter.h"
#include "engineproblems.h"
#include "ganreader.h"
#include "mspdireader.h"
#include "utf8.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace io {

namespace {

ProblemList single(Problem problem)
{
    ProblemList problems;
    problems.add(std::move(problem));
    return problems;
}

// The extension as it is shown in a message: ".txt", or "" for none.
QString extensionOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot <= 0 ? QString() : name.mid(dot);
}

const char *fieldName(ActivityField field, FileFormat format)
{
    return format == FileFormat::Csv && field == ActivityField::Id ? "activity" : keyOf(field);
}

bool isUtf8(const std::string &text)
{
    return findInvalidUtf8(text) == std::string_view::npos;
}

} // namespace

std::optional<FileFormat> formatOfPath(const QString &path)
{
    const QString extension = extensionOf(path).toLower();
    if (extension == u".csv")
        return FileFormat::Csv;
    if (extension == u".crashkit")
        return FileFormat::Crashkit;
    if (extension == u".xml")
        return FileFormat::Mspdi;
    if (extension == u".gan")
        return FileFormat::Gantt;
    return std::nullopt;
}

ReadResult read(const QByteArray &bytes, const QString &displayName, FileFormat format)
{
    if (bytes.size() > kMaxFileSize)
        return ReadResult::failed(single({.kind = FileProblemKind::FileTooLarge,
                                          .place = {.file = displayName},
                                          .number = bytes.size(),
                                          .bound = kMaxFileSize}));
    switch (format) {
    case FileFormat::Csv:
        return readCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                       displayName);
    case FileFormat::Crashkit:
        return readCrashkit(bytes, displayName);
    case FileFormat::Mspdi:
        return readMspdi(bytes, displayName);
    case FileFormat::Gantt:
        return readGan(bytes, displayName);
    }
    return readCrashkit(bytes, displayName);
}

ReadResult openProject(const QString &path)
{
    const Place place {.file = path};
    const std::optional<FileFormat> format = formatOfPath(path);
    if (!format)
        return ReadResult::failed(single({.kind = FileProblemKind::UnknownExtension,
                                          .place = place,
                                          .value = extensionOf(path)}));
    // Checked before opening: opening a pipe for reading would wait for a writer.
    const QFileInfo info(path);
    if (!info.exists())
        return ReadResult::failed(single({.kind = FileProblemKind::FileMissing, .place = place}));
    if (!info.isFile())
        return ReadResult::failed(
            single({.kind = FileProblemKind::NotRegularFile, .place = place}));
    if (info.size() > kMaxFileSize)
        return ReadResult::failed(single({.kind = FileProblemKind::FileTooLarge,
                                          .place = place,
                                          .number = info.size(),
                                          .bound = kMaxFileSize}));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::failed(single(
            {.kind = FileProblemKind::CannotRead, .place = place, .value = file.errorString()}));
    // One byte more than allowed tells a file that grew since it was measured.
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return ReadResult::failed(single(
            {.kind = FileProblemKind::CannotRead, .place = place, .value = file.errorString()}));
    return read(bytes, path, *format);
}

QByteArray write(const engine::Project &project, FileFormat format)
{
    switch (format) {
    case FileFormat::Csv:
        return writeCsv(project);
    case FileFormat::Crashkit:
        return writeCrashkit(project);
    case FileFormat::Mspdi:
    case FileFormat::Gantt:
        break;
    }
    return {};
}

ProblemList checkSavable(const engine::Project &project, const QString &displayName,
                         FileFormat format)
{
    ProblemList problems;
    if (!isWritable(format)) {
        problems.add({.kind = FileProblemKind::ImportOnly,
                      .place = {.file = displayName},
                      .value = format == FileFormat::Mspdi ? QStringLiteral("Microsoft Project XML")
                                                           : QStringLiteral("GanttProject")});
        return problems;
    }
    const std::vector<FieldSet> unread(project.activities.size(), 0);
    const bool csv = format == FileFormat::Csv;
    addEngineProblems(
        project, unread,
        [&](int activity, ActivityField field) {
            Place place {.file = displayName};
            if (activity >= 0) {
                place.activity
                    = shownValue(project.activities[static_cast<std::size_t>(activity)].id);
                place.activityNumber = activity + 1;
            }
            place.field = QString::fromLatin1(fieldName(field, format));
            if (activity < 0 && field == ActivityField::None)
                place.field = csv ? QString() : QStringLiteral("target_duration");
            return place;
        },
        problems);

    auto checkText = [&](const std::string &text, int activity, const char *field) {
        if (isUtf8(text))
            return;
        Place place {.file = displayName, .field = QString::fromLatin1(field)};
        if (activity >= 0) {
            place.activity = shownValue(project.activities[static_cast<std::size_t>(activity)].id);
            place.activityNumber = activity + 1;
        }
        problems.add({.kind = FileProblemKind::TextNotUtf8, .place = place});
    };
    checkText(project.title, -1, "title");
    for (std::size_t i = 0; i < project.activities.size(); ++i) {
        const engine::Activity &a = project.activities[i];
        const int at = static_cast<int>(i);
        checkText(a.id, at, csv ? "activity" : "id");
        checkText(a.name, at, "name");
        for (const std::string &p : a.predecessors)
            checkText(p, at, "predecessors");
    }
    return problems;
}

ProblemList saveProject(const engine::Project &project, const QString &path)
{
    const std::optional<FileFormat> format = formatOfPath(path);
    if (!format)
        return single({.kind = FileProblemKind::UnknownExtension,
                       .place = {.file = path},
                       .value = extensionOf(path)});
    ProblemList problems = checkSavable(project, path, *format);
    if (!problems.isEmpty())
        return problems;

    return saveBytes(write(project, *format), path);
}

ProblemList saveBytes(const QByteArray &bytes, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return single(
            {.kind = FileProblemKind::CannotSave, .place = {.file = path}, .value = reason});
    }
    return {};
}

} // namespace io
