// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"

#include <string_view>

namespace io {

// Adds a LoneSurrogate problem, placed by line and column, for every \u escape in a string of
// the JSON text that is half of a UTF-16 surrogate pair without its other half right beside
// it: Qt's parser would turn each into a stand-in character. Returns whether there is none.
// Precondition: the text is valid JSON, so every string is closed.
bool checkSurrogateEscapes(std::string_view json, const QString &file, ProblemList &problems);

} // namespace io
