// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practiceset.h"

// Practice set 1 (TForm3): nine activities in days, four paths.
const PracticeSet &practiceSet1()
{
    static const PracticeSet set = withRoutes({
        .number = 1,
        .capacity = 10,
        .rows = {
            // activity, predecessor, normal, crash, cost per day
            {"A", "-", "7", "6", "150"},
            {"B", "-", "8", "6", "75"},
            {"C", "A", "9", "7", "200"},
            {"D", "A", "11", "9", "125"},
            {"E", "B", "8", "5", "115"},
            {"F", "B", "10", "7", "100"},
            {"G", "C", "13", "11", "200"},
            {"H", "D , E", "13", "12", "100"},
            {"I", "F", "14", "10", "125"},
        },
        .paths = {
            {"ACG", 0},
            {"ADH", 0},
            {"BEH", 0},
            {"BFI", 0},
        },
        .unitPiece = " วัน  = ",
    });
    return set;
}
