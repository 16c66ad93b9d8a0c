// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QString>

namespace project {

// The word for the project's time unit, as the window writes it after a number ("12 วัน").
QString thaiUnitWord();

// Thai digits (๐ .. ๙) as 0 .. 9, so that a number typed with them converts; other
// characters as they are.
QString withArabicDigits(QString text);

} // namespace project
