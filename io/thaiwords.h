// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <QString>

// Thai words that every Thai text of the program shares: the windows', the trainer's and
// crashkit-cli's. They live here, below all of them, so that there is one of each.

namespace io {

// The word for a project's time unit, as written after a number ("12 วัน", "3 ชั่วโมง"). The
// trainer's and the practice sets' projects are always in days.
QString thaiUnitWord(engine::TimeUnit unit);

// A link type as a sentence names it: เสร็จ-เริ่ม, เริ่ม-เริ่ม, เสร็จ-เสร็จ, เริ่ม-เสร็จ.
QString thaiLinkTypeName(engine::LinkType type);

// Thai digits (๐ .. ๙) as 0 .. 9, so that a number typed with them converts; other
// characters as they are.
QString withArabicDigits(QString text);

} // namespace io
