// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "answercheck.h"
#include "problemlist.h"
#include "project.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A student's answers to the trainer "ฝึกทำเอง" as a JSON file (see "The answers file" in the
// README): the schedule, the critical activities and paths, the target and the crashing steps,
// every part optional; activities by their ids, money in Baht. The trainer window also keeps
// the scores and the whole project in it, so that the work reopens alone.

namespace io {

// How far a student got in one stage.
struct StageScore {
    int right = 0;
    int total = 0;
    int hintsUsed = 0;
    bool operator==(const StageScore &) const = default;
};

struct Scores {
    std::optional<StageScore> schedule, critical, crashing;
    bool operator==(const Scores &) const = default;
};

struct AnswersFile {
    // Activities as indices into the project the file was read against; the schedule is
    // empty or has one row per activity.
    engine::Answers answers;
    std::optional<Scores> scores;
    std::optional<engine::Project> project; // the project kept in the file, if any
};

// A whole answers file, or the problems that kept it from being read (never half of one).
struct AnswersRead {
    std::optional<AnswersFile> file;
    ProblemList problems;
    bool isLoaded() const { return file.has_value(); }
};

// Reads an answers file's bytes (UTF-8, a byte order mark allowed); `displayName` is the name
// problems are placed in. Ids are resolved against `project`, or without one against the
// project the file keeps. Bytes above kMaxFileSize are refused.
AnswersRead readAnswers(const QByteArray &bytes, const QString &displayName,
                        const engine::Project *project = nullptr);

// Opens the file at `path` (any extension) and reads it as readAnswers does; a missing, not
// regular, too large or unreadable file is one problem.
AnswersRead openAnswers(const QString &path, const engine::Project *project = nullptr);

// The answers as an indented JSON file, keys in alphabetical order, ids from `project`.
// Preconditions: every activity index is one of `project`'s, the schedule is empty or has one
// row per activity, a step names an activity at most once, whole numbers lie within +-2^53
// and amounts within +-2^50 satang (11 trillion Baht: a double then holds the satang exactly
// after the division by 100 and back), and a kept project is sound; then readAnswers gives the same
// answers back (a step's activities in ascending order).
QByteArray writeAnswers(const AnswersFile &file, const engine::Project &project);

// Saves through QSaveFile: the file is replaced whole or not at all. Returns the system's
// reason for a failed write as a problem; empty on success.
[[nodiscard]] ProblemList saveAnswers(const AnswersFile &file, const engine::Project &project,
                                      const QString &path);

} // namespace io
