// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sets.h"

// The window of practice set 3 (TForm5).
const SetDefinition &set3Definition()
{
    static const SetDefinition definition{
        .practice = practiceSet(3),
        .caption = "การเร่งรัดกิจกรรม : ชุดเสริมทักษะ 3",
        .outerSize = QSize(1032, 776),
        .placement = WindowPlacement::CentredOnDesktop,
        .designedPosition = QPoint(),
        .windowColor = std::nullopt,


        .gridRowCount = 7,
        .gridRowHeight = 25,
        .columnWidths = {102, 109, 111, 108, 128},
        .activityHeader = "     กิจกรรม",
        .gridCellPrefix = true,

        .panel2Color = QColor(251, 249, 206),
        .listBox1Color = QColor(251, 249, 206),
        .label51TextColor = QColor(Qt::red),
        .bitBtn5FontPx = 21,
        .label47FontPx = 24,
        .label52FontPx = 19,

        .layout = {
            .panel1 = QRect(7, 7, 586, 729),
            .paintBox1 = QRect(7, 9, 569, 334),
            .bitBtn5 = QRect(217, 171, 181, 37),
            .label47 = QRect(16, 356, 169, 31),
            .stringGrid1 = QRect(11, 385, 566, 186),
            .bitBtn1 = QRect(9, 683, 139, 37),
            .bitBtn2 = QRect(153, 683, 139, 37),
            .bitBtn3 = QRect(297, 683, 139, 37),
            .bitBtn6 = QRect(480, 683, 94, 37),
            .panel2 = QRect(593, 7, 430, 729),
            .label48 = QRect(16, 16, 210, 27),
            .edit29 = QRect(298, 17, 55, 23),
            .label49 = QRect(16, 50, 263, 27),
            .edit28 = QRect(298, 47, 46, 34),
            .label53 = QRect(17, 72, 5, 27),
            .bitBtn4 = QRect(145, 107, 181, 37),
            .listBox1 = QRect(4, 150, 424, 353),
            .listBox2 = QRect(5, 510, 422, 169),
            .label50 = QRect(21, 681, 185, 25),
            .label51 = QRect(323, 680, 28, 27),
            .label52 = QRect(367, 683, 25, 25),
            .panel3 = QRect(16, 356, 568, 319),
        },
        .editPanel = {
            .heading = "ข้อมูลตารางงานและการเร่งโครงการ",
            .headingAt = QPoint(16, 8),
            .headingFontPx = 19,
            .firstEditTop = 39,
            .nameLeft = 48,
            .normalCaptionLeft = 128,
            .crashCaptionLeft = 272,
            .costCaptionLeft = 384,
            .costEditLeft = 458,
            .costEditWidth = 68,
            .unitLeft = 528,
            .unitWidth = 24,
            .unit = "บาท",
        },


        .network = {
            .frameWidth = 550,
            .nodes = {
                {10, 140, 60, 190},   // 1
                {150, 30, 200, 80},   // 2
                {150, 250, 200, 300}, // 3
                {320, 100, 370, 150}, // 4
                {320, 170, 370, 220}, // 5
                {470, 140, 520, 190}, // 6
            },
            .lines = {
                {1, 2, {60, 165}, {150, 55}, 'A'},
                {1, 3, {60, 165}, {150, 275}, 'B'},
                // C ends 5 px above the middle of node 4's left side, as the picture has it.
                {2, 4, {200, 55}, {320, 120}, 'C'},
                {3, 5, {200, 275}, {320, 195}, 'D'},
                {4, 6, {370, 125}, {470, 165}, 'E'},
                {5, 6, {370, 195}, {470, 165}, 'F'},
            },
            .labels = {
                {'A', {80, 80}},
                {'B', {80, 220}},
                {'C', {250, 80}},
                {'D', {250, 220}},
                {'E', {420, 120}},
                {'F', {420, 180}},
            },
            .pathHighlights = {
                {.nodes = {1, 2, 4, 6},
                 .lines = {{1, 2}, {2, 4}, {4, 6}}},
                {.nodes = {1, 3, 5, 6},
                 .lines = {{1, 3}, {3, 5}, {5, 6}}},
            },
            .highlightFill = QColor(0, 128, 0),
        },
    };
    return definition;
}
