// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sets.h"

// The window of practice set 2 (TForm4).
const SetDefinition &set2Definition()
{
    static const SetDefinition definition{
        .practice = practiceSet(2),
        .caption = "การเร่งรัดกิจกรรม : ชุดเสริมทักษะที่ 2",
        .outerSize = QSize(1036, 775),
        .placement = WindowPlacement::CentredOnDesktop,
        .designedPosition = QPoint(),
        .windowColor = std::nullopt,


        .gridRowCount = 9,
        .gridRowHeight = 29,
        .columnWidths = {190, 102, 102, 98, 130},
        .activityHeader = "           กิจกรรม",
        .gridCellPrefix = false,

        .panel2Color = QColor(198, 243, 251),
        .listBox1Color = QColor(189, 249, 248),
        .label51TextColor = QColor(Qt::red),
        .bitBtn5FontPx = 21,
        .label47FontPx = 24,
        .label52FontPx = 19,

        .layout = {
            .panel1 = QRect(0, 5, 659, 729),
            .paintBox1 = QRect(7, 13, 646, 334),
            .bitBtn5 = QRect(225, 171, 181, 37),
            .label47 = QRect(12, 352, 169, 31),
            .stringGrid1 = QRect(11, 381, 631, 274),
            .bitBtn1 = QRect(9, 679, 140, 37),
            .bitBtn2 = QRect(152, 678, 141, 37),
            .bitBtn3 = QRect(296, 677, 141, 37),
            .bitBtn6 = QRect(537, 677, 114, 37),
            .panel2 = QRect(660, 5, 362, 729),
            .label48 = QRect(16, 16, 210, 27),
            .edit29 = QRect(287, 18, 42, 30),
            .label49 = QRect(16, 50, 263, 27),
            .edit28 = QRect(284, 47, 45, 34),
            .label53 = QRect(17, 73, 5, 27),
            .bitBtn4 = QRect(105, 111, 181, 37),
            .listBox1 = QRect(1, 152, 360, 353),
            .listBox2 = QRect(0, 507, 361, 163),
            .label50 = QRect(21, 681, 185, 25),
            .label51 = QRect(259, 679, 28, 27),
            .label52 = QRect(316, 680, 25, 25),
            .panel3 = QRect(6, 356, 646, 319),
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

        // Paths 3 and 4 are the two routes of the network that the original list left out;
        // without them a cut of B or C could leave the longer of a pair unanalysed.

        .network = {
            .frameWidth = 640,
            .nodes = {
                {10, 140, 60, 190},   // 1
                {110, 140, 160, 190}, // 2
                {200, 30, 250, 80},   // 3
                {200, 250, 250, 300}, // 4
                {280, 140, 330, 190}, // 5
                {480, 30, 530, 80},   // 6
                {380, 250, 430, 300}, // 7
                {480, 250, 530, 300}, // 8
                {580, 140, 630, 190}, // 9
            },
            .lines = {
                {1, 2, {60, 165}, {110, 165}, 'A'},
                {2, 3, {160, 165}, {200, 55}, 'B'},
                {2, 4, {160, 165}, {200, 275}, 'C'},
                {3, 5, {250, 55}, {280, 165}, 'D'},
                {4, 5, {250, 275}, {280, 165}, 'D'},
                {5, 6, {330, 165}, {480, 55}, 'E'},
                {5, 7, {330, 165}, {380, 275}, 'F'},
                {7, 8, {430, 275}, {480, 275}, 'G'},
                {6, 9, {530, 55}, {580, 165}, 'H'},
                {8, 9, {530, 275}, {580, 165}, 'H'},
            },
            .labels = {
                {'A', {70, 130}},
                {'B', {140, 80}},
                {'C', {140, 220}},
                {'D', {235, 160}},
                {'E', {360, 80}},
                {'F', {370, 200}},
                {'G', {440, 240}},
                {'H', {520, 150}},
            },
            .pathHighlights = {
                {.nodes = {1, 2, 3, 5, 6, 9},
                 .lines = {{1, 2}, {2, 3}, {3, 5}, {5, 6}, {6, 9}}},
                {.nodes = {1, 2, 4, 5, 7, 8, 9},
                 .lines = {{1, 2}, {2, 4}, {4, 5}, {5, 7}, {7, 8}, {8, 9}}},
                {.nodes = {1, 2, 4, 5, 6, 9},
                 .lines = {{1, 2}, {2, 4}, {4, 5}, {5, 6}, {6, 9}}},
                {.nodes = {1, 2, 3, 5, 7, 8, 9},
                 .lines = {{1, 2}, {2, 3}, {3, 5}, {5, 7}, {7, 8}, {8, 9}}},
            },
            .highlightFill = QColor(189, 249, 248),
        },
    };
    return definition;
}
