// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practiceset.h"

// Practice set 2 (TForm4): a software project of eight activities in weeks.
const PracticeSet &practiceSet2()
{
    static const PracticeSet set = withRoutes({
        .number = 2,
        .capacity = 8,
        .rows = {
            // activity, predecessor, normal, crash, cost per week
            {"A-รวบรวมความต้องการ", "-", "8", "7", "2200"},
            {"B-ออกแบบรายงาน", "A", "4", "3", "2000"},
            {"C-ออกแบบหน้าจอ", "A", "4", "3", "1800"},
            {"D-ออกแบบฐานข้อมูล", "B,C", "8", "7", "1800"},
            {"E-จัดทำเอกสาร", "D", "28", "26", "1800"},
            {"F-เขียนโปรแกรม", "D", "12", "11", "2000"},
            {"G-ทดสอบโปรแกรม", "F", "8", "7", "2000"},
            {"H-ติดตั้งโปรแกรม", "E, G", "4", "3", "2800"},
        },
        .paths = {
            {"ABDEH", 2},
            {"ACDFGH", 0},
            {"ACDEH", 2},
            {"ABDFGH", 0},
        },
        .unitPiece = " สัปดาห์  = ",
    });
    return set;
}
