// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "readresult.h"

#include <QByteArray>

#include <optional>

namespace io {

enum class FileFormat {
    Csv, // .csv: the activities only (see csvreader.h)
    Crashkit, // .crashkit: the whole project (see crashkitfile.h)
    Mspdi, // .xml: Microsoft Project XML, read only (see mspdireader.h)
    Gantt, // .gan: GanttProject, read only (see ganreader.h)
};

// Whether the format can be saved; the planning tools' formats are only read.
inline bool isWritable(FileFormat format)
{
    return format == FileFormat::Csv || format == FileFormat::Crashkit;
}

// Files above this size (64 MiB) are refused unread: far more than a million activities.
inline constexpr qint64 kMaxFileSize = qint64 {64} << 20;

// The format a path's extension names (".csv", ".crashkit", ".xml", ".gan", in any case), or
// nullopt.
std::optional<FileFormat> formatOfPath(const QString &path);

// Reads a project from bytes in the given format, e.g. standard input. `displayName` is
// the name problems are placed in ("-", "plan.csv"). Bytes above kMaxFileSize are refused.
ReadResult read(const QByteArray &bytes, const QString &displayName, FileFormat format);

// Opens the file at `path` in the format its extension names. Refuses other extensions,
// files that are missing, not regular files (folders, devices, pipes), larger than
// kMaxFileSize or unreadable. Problems are placed in the path as given.
ReadResult openProject(const QString &path);

// The project in the given format. Precondition: checkSavable(project, ...) is empty, so
// the format is writable.
QByteArray write(const engine::Project &project, FileFormat format);

// What keeps the project from being written so that it reads back the same: every
// engine::validate problem and every text that is not UTF-8, placed in `displayName`; a
// format that is only read (isWritable) is one problem alone.
ProblemList checkSavable(const engine::Project &project, const QString &displayName,
                         FileFormat format);

// Writes `bytes` at `path` through QSaveFile: the file is replaced whole or not at all.
// Returns the system's reason for a failed write (CannotSave); empty on success.
[[nodiscard]] ProblemList saveBytes(const QByteArray &bytes, const QString &path);

// Saves the project at `path` in the format its extension names, through QSaveFile: the
// file is replaced whole or not at all. Returns the problems (an unsound project, an
// unknown extension, the system's reason for a failed write); empty on success.
[[nodiscard]] ProblemList saveProject(const engine::Project &project, const QString &path);

} // namespace io
