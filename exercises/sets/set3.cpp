// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practiceset.h"

// Practice set 3 (TForm5): six activities in days, two independent chains.
const PracticeSet &practiceSet3()
{
    static const PracticeSet set = withRoutes({
        .number = 3,
        .capacity = 10,
        .rows = {
            // activity, predecessor, normal, crash, cost per day
            {"A", "-", "10", "8", "1200"},
            {"B", "-", "8", "7", "1500"},
            {"C", "A", "9", "7", "2000"},
            {"D", "B", "11", "9", "1250"},
            {"E", "C", "8", "6", "3000"},
            {"F", "D", "10", "7", "1000"},
        },
        .paths = {
            {"ACE", 0},
            {"BDF", 0},
        },
        .unitPiece = " วัน  = ",
    });
    return set;
}
