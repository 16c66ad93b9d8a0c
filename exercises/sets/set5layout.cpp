// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sets.h"

// The window of practice set 5 (TForm7).
const SetDefinition &set5Definition()
{
    static const SetDefinition definition{
        .practice = practiceSet(5),
        .caption = "การเร่งรัดกิจกรรม : ชุดเสริมทักษะที่ 5",
        .outerSize = QSize(1032, 776),
        .placement = WindowPlacement::AtDesignedPosition,
        .designedPosition = QPoint(-4, -4),
        .windowColor = QColor(189, 249, 248),


        .gridRowCount = 9,
        .gridRowHeight = 29,
        .columnWidths = {190, 102, 102, 98, 130},
        .activityHeader = "           กิจกรรม",
        .gridCellPrefix = false,

        .panel2Color = QColor(0, 128, 255),
        .listBox1Color = QColor(198, 226, 255),
        .label51TextColor = QColor(Qt::white),
        .bitBtn5FontPx = 21,
        .label47FontPx = 21,
        .label52FontPx = 21,

        .layout = {
            .panel1 = QRect(0, 5, 657, 729),
            .paintBox1 = QRect(5, 17, 646, 334),
            .bitBtn5 = QRect(225, 171, 181, 37),
            .label47 = QRect(12, 352, 148, 27),
            .stringGrid1 = QRect(13, 381, 631, 274),
            .bitBtn1 = QRect(6, 681, 141, 37),
            .bitBtn2 = QRect(149, 681, 142, 37),
            .bitBtn3 = QRect(294, 681, 142, 37),
            .bitBtn6 = QRect(546, 681, 103, 37),
            .panel2 = QRect(659, 5, 363, 729),
            .label48 = QRect(16, 16, 210, 27),
            .edit29 = QRect(296, 16, 37, 23),
            .label49 = QRect(16, 50, 263, 27),
            .edit28 = QRect(285, 47, 40, 34),
            .label53 = QRect(17, 72, 5, 27),
            .bitBtn4 = QRect(113, 107, 181, 37),
            .listBox1 = QRect(2, 152, 357, 353),
            .listBox2 = QRect(1, 510, 359, 163),
            .label50 = QRect(21, 681, 185, 25),
            .label51 = QRect(281, 680, 28, 27),
            .label52 = QRect(315, 679, 28, 27),
            .panel3 = QRect(5, 361, 645, 319),
        },
        .editPanel = {
            .heading = "ข้อมูลตารางงานและการเร่งโครงการ (ต่อสัปดาห์)",
            .headingAt = QPoint(16, 8),
            .headingFontPx = 21,
            .firstEditTop = 39,
            .nameLeft = 48,
            .normalCaptionLeft = 128,
            .crashCaptionLeft = 272,
            .costCaptionLeft = 392,
            .costEditLeft = 469,
            .costEditWidth = 84,
            .unitLeft = 565,
            .unitWidth = 42,
            .unit = "บาท/วัน",
        },


        .network = {
            .frameWidth = 640,
            .nodes = {
                {10, 140, 60, 190},   // 1
                {120, 140, 170, 190}, // 2
                {220, 30, 270, 80},   // 3
                {220, 250, 270, 300}, // 4
                {360, 30, 410, 80},   // 5
                {360, 140, 410, 190}, // 6
                {360, 250, 410, 300}, // 7
                {500, 60, 550, 110},  // 8
                {580, 140, 630, 190}, // 9
            },
            .lines = {
                {1, 2, {60, 165}, {120, 165}, 'A'},
                {2, 3, {170, 165}, {220, 55}, 'B'},
                {2, 4, {170, 165}, {220, 275}, 'C'},
                {3, 5, {270, 55}, {360, 55}, 'D'},
                {3, 6, {270, 55}, {360, 165}, 'E'},
                {4, 7, {270, 275}, {360, 275}, 'F'},
                {5, 8, {410, 55}, {500, 85}, 'G'},
                {8, 9, {550, 85}, {580, 165}, 'H'},
                {6, 9, {410, 165}, {580, 165}, 'H'},
                {7, 9, {410, 275}, {580, 165}, 'H'},
            },
            .labels = {
                {'A', {70, 130}},
                {'B', {150, 80}},
                {'C', {150, 220}},
                {'D', {300, 20}},
                {'E', {300, 140}},
                {'F', {300, 240}},
                {'G', {440, 30}},
                {'H', {520, 130}},
            },
            .pathHighlights = {
                {.nodes = {1, 2, 3, 5, 8, 9},
                 .lines = {{1, 2}, {2, 3}, {3, 5}, {5, 8}, {8, 9}}},
                {.nodes = {1, 2, 3, 6, 9},
                 .lines = {{1, 2}, {2, 3}, {3, 6}, {6, 9}}},
                {.nodes = {1, 2, 4, 7, 9},
                 .lines = {{1, 2}, {2, 4}, {4, 7}, {7, 9}}},
            },
            .highlightFill = QColor(0, 128, 255),
        },
    };
    return definition;
}
