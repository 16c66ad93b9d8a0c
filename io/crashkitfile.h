// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "readresult.h"

#include <QByteArray>

namespace io {

// The .crashkit project file: JSON with a format marker and version (see "Project files" in the
// README).
inline constexpr char kCrashkitFormat[] = "crashkit-project";
// The newest version this program reads and writes. Version 2 brought links with a type and
// a lag and the time unit; a project without them is written as version 1, which older
// programs read too.
inline constexpr int kCrashkitVersion = 2;
inline constexpr int kCrashkitLinksVersion = 2;

// Reads a .crashkit file's bytes (UTF-8, a byte order mark allowed); `file` is the name
// problems are placed in.
ReadResult readCrashkit(const QByteArray &bytes, const QString &file);

// The project as an indented .crashkit file, keys in a fixed (alphabetical) order.
// Precondition: the project is sound and its texts are UTF-8, so that readCrashkit gives
// the same project back.
QByteArray writeCrashkit(const engine::Project &project);

} // namespace io
