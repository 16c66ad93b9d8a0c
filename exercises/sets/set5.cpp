// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "practiceset.h"

// Practice set 5 (TForm7): set 2's activity names on a smaller project in weeks.
const PracticeSet &practiceSet5()
{
    static const PracticeSet set = withRoutes({
        .number = 5,
        .capacity = 8,
        .rows = {
            // activity, predecessor, normal, crash, cost per week; E cannot be shortened
            {"A-รวบรวมความต้องการ", "-", "2", "1", "2200"},
            {"B-ออกแบบรายงาน", "A", "3", "2", "2000"},
            {"C-ออกแบบหน้าจอ", "A", "5", "4", "1800"},
            {"D-ออกแบบฐานข้อมูล", "B", "4", "3", "1800"},
            {"E-จัดทำเอกสาร", "B", "1", "1", "1800"},
            {"F-เขียนโปรแกรม", "C", "6", "5", "2000"},
            {"G-ทดสอบโปรแกรม", "D", "2", "1", "2000"},
            {"H-ติดตั้งโปรแกรม", "E, F, G", "8", "7", "2800"},
        },
        .paths = {
            {"ABDGH", 2},
            {"ABEH", 4},
            {"ACFH", 4},
        },
        .unitPiece = " สัปดาห์  = ",
    });
    return set;
}
