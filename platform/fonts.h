// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QFont>

namespace platform {

// The two Thai families the layouts are designed for. Where a family is not installed
// a free Thai stand-in is used that keeps the designed text widths (see fonts.cpp).
// Sizes are character heights in pixels.
QFont browalliaFont(int pixelHeight, bool bold = false);
QFont sarabunFont(int pixelHeight, bool bold = false);

} // namespace platform
