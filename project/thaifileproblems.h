// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "problemlist.h"

#include <QString>

namespace project {

// One line in Thai: where in the file, then what is wrong, e.g.
// "plan.csv บรรทัด 5 คอลัมน์ normal_duration: 'x7' ไม่ใช่จำนวนเต็ม". The file name, column
// names, keys, ids and values stay as the file has them; a problem that a cell of the table
// can have too reads as it does there.
QString thaiFileProblem(const io::Problem &problem);

// The kept problems (or warnings) one a line, at most `shown` of them, then a line saying how
// many more there are (counting those the list did not keep).
QString thaiProblemListText(const io::ProblemList &problems, int shown = 20);

} // namespace project
