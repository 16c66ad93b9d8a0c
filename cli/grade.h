// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "commands.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace cli {

// An answers file that cannot be read: the message places every problem in the file.
class AnswersFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// grade: the student's answers in the file at `answersPath` checked against the project, as
// the trainer window checks them, worded in Thai by the same module; `target` (time units)
// overrides the answers' target. Throws AnswersFileError for a file that cannot be read and
// UsageError for a target outside the shortest and the normal duration, both before anything
// is written.
void writeGrade(Output &output, const engine::Project &project, const engine::Network &network,
                const QString &answersPath, std::optional<qint64> target, bool json);

} // namespace cli
