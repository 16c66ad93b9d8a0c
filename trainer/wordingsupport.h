// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "money.h"
#include "project.h"
#include "thaiwords.h"

#include <QString>
#include <QStringList>

#include <vector>

// What the trainer's Thai texts share: units, money and lists of names.

namespace trainer {

// The trainer's projects are in days, as the practice sets are.
inline QString unitWord()
{
    return io::thaiUnitWord(engine::TimeUnit::Day);
}

// "3 วัน".
inline QString inUnits(engine::Duration duration)
{
    return QString::number(duration) + u' ' + unitWord();
}

// "175.00 บาท".
inline QString baht(engine::Satang amount)
{
    return QString::fromStdString(engine::formatBaht(amount)) + QStringLiteral(" บาท");
}

// "175.00 บาทต่อวัน".
inline QString bahtPerUnit(engine::Satang amount)
{
    return QString::fromStdString(engine::formatBaht(amount)) + QStringLiteral(" บาทต่อ")
        + unitWord();
}

// "A", "A และ B", "A, B และ C".
QString joinedThai(const QStringList &names);

// The activities' ids joined as joinedThai joins them.
QString namesOf(const engine::Project &project, const std::vector<int> &activities);

// The activities that name `activity` as a predecessor, in the project's order.
std::vector<int> successorsOf(const engine::Project &project, int activity);

} // namespace trainer
