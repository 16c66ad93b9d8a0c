// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QFont>

namespace worksheets {

// The Thai font of the printed sheets, `pointSize` points high: TH Sarabun New where it is
// installed, else the program's stand-in Laksaman (fonts-thai-tlwg), Garuda or Loma, in the
// order the windows use them (platform/fonts.cpp, which needs widgets and so is not linked).
QFont sheetFont(double pointSize, bool bold = false);

} // namespace worksheets
