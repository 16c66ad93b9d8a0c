// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "arguments.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace engine {
struct GeneratedExercise;
}

namespace cli {

// The answer key of an exercise: one JSON object with "seed", "target" and what `cpm --json`,
// `crash --json --target T` (greedy and --method optimal) and `curve --json` print for its
// project, under "cpm", "crash_greedy", "crash_optimal" and "curve".
QByteArray answerKey(const engine::GeneratedExercise &exercise);

// generate --out: writes the class set the arguments ask for into parsed.outFolder, all of it
// or nothing (it is written into a hidden folder beside it and renamed at the end). Needs a
// QGuiApplication for the PDFs and pictures. `say` takes the lines for standard error (skipped
// seeds, refusals). Returns the exit status: 0 written, 2 refused (nothing written).
int writeClassSet(const Arguments &parsed, const std::function<void(const QString &)> &say);

} // namespace cli
