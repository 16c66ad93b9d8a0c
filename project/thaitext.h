// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "money.h"
#include "thaiwords.h"

#include <QString>

namespace project {

// The unit word and Thai digits are shared with the trainer and crashkit-cli (io/thaiwords.h).
using io::thaiUnitWord;
using io::withArabicDigits;

// An amount as the engine writes it (e.g. "1500" or "1500.50"), for a sentence in Thai.
inline QString bahtFigure(engine::Satang satang)
{
    return QString::fromStdString(engine::formatBaht(satang));
}

} // namespace project
