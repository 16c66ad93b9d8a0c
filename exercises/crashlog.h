// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "practicerule.h"
#include "practiceset.h"

#include <QLocale>
#include <QString>

#include <cstdint>

// The texts the crashing procedure writes into its logs and message boxes. Numbers are
// plain decimal; blanks inside and at the ends of the pieces belong to the texts.

// "    สายงานที่ 1 : A+C+G = ": the path's letters joined by '+', then the path's fill
// blanks, so that all labels of a set have the same length. pathNumber is 1-based.
QString pathLabel(int pathNumber, const PathDefinition &path);

// "ตรวจสอบครั้งที่ 3", heading every iteration in both logs.
QString iterationHeader(std::int32_t round);

// One path of an iteration: label, length, a blank and the path's marker (empty unless
// the path is critical, so such a line ends in the blank).
QString pathLogLine(const QString &label, std::int32_t length, const QString &marker);

// "สิ้นสุดการเร่งโครงการ....", the line after the last iteration.
const QString &closingLine();

// One path after the last iteration: label and length, nothing after.
QString closingPathLine(const QString &label, std::int32_t length);

// The choice of one iteration. unitPiece is the set's " วัน  = " or " สัปดาห์  = ";
// cost is Baht per time unit, iterationCost Baht.
QString selectionLine(char activity, std::int32_t cost, std::int32_t cutDays,
                      const QString &unitPiece, std::int64_t iterationCost);

// The message box closing an iteration while time is still to be cut; days in every set.
QString remainingMessage(std::int32_t remaining);

// The message box closing the last iteration.
const QString &finishedMessage();

// The error box for a target above the project duration or below the minimum.
const QString &targetOutOfRangeMessage();

// The message box that ends a run when no activity of the critical path can be
// shortened any more, so another iteration would only repeat the last one.
const QString &cannotShortenMessage();

// The cost total in whole Baht with the locale's group separator, decimal point and
// negative sign, groups of three and two decimals, e.g. "1,150.00". Groups are shown in
// every locale, the C locale included, and digits are ASCII. At most 15 significant digits
// are shown, the precision the practice windows have always displayed: a total of 10^15
// Baht or more is rounded to 15 digits, halves away from zero, and ends in zeros.
QString formatTotalCost(const engine::practice::CostTotal &total, const QLocale &locale);
