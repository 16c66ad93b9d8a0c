// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "thaiwords.h"

namespace project {

// The unit word and Thai digits are shared with the trainer and crashkit-cli (io/thaiwords.h).
using io::thaiUnitWord;
using io::withArabicDigits;

} // namespace project
