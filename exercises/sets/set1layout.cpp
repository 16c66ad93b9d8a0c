// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sets.h"

// The window of practice set 1 (TForm3).
const SetDefinition &set1Definition()
{
    static const SetDefinition definition{
        .practice = practiceSet(1),
        .caption = "การเร่งรัดกิจกรรม : ชุดเสริมทักษะที่ 1",
        .outerSize = QSize(1032, 776),
        .placement = WindowPlacement::CentredOnDesktop,
        .designedPosition = QPoint(),
        .windowColor = QColor(193, 242, 247),


        .gridRowCount = 11,
        .gridRowHeight = 25,
        .columnWidths = {98, 124, 123, 103, 119},
        .activityHeader = "     กิจกรรม",
        .gridCellPrefix = true,

        .panel2Color = QColor(239, 191, 184),
        .listBox1Color = QColor(239, 191, 184),
        .label51TextColor = QColor(Qt::red),
        .bitBtn5FontPx = 21,
        .label47FontPx = 24,
        .label52FontPx = 19,

        .layout = {
            .panel1 = QRect(2, 5, 598, 726),
            .paintBox1 = QRect(15, 17, 569, 334),
            .bitBtn5 = QRect(201, 171, 181, 37),
            .label47 = QRect(16, 356, 169, 31),
            .stringGrid1 = QRect(11, 385, 577, 290),
            .bitBtn1 = QRect(9, 683, 140, 37),
            .bitBtn2 = QRect(153, 683, 140, 37),
            .bitBtn3 = QRect(297, 683, 140, 37),
            .bitBtn6 = QRect(498, 683, 94, 37),
            .panel2 = QRect(601, 5, 419, 727),
            .label48 = QRect(16, 16, 210, 27),
            .edit29 = QRect(300, 18, 54, 24),
            .label49 = QRect(16, 50, 263, 27),
            .edit28 = QRect(298, 48, 56, 34),
            .label53 = QRect(15, 68, 5, 27),
            .bitBtn4 = QRect(118, 113, 181, 34),
            .listBox1 = QRect(2, 150, 415, 353),
            .listBox2 = QRect(2, 505, 415, 180),
            .label50 = QRect(21, 689, 185, 25),
            .label51 = QRect(323, 688, 28, 27),
            .label52 = QRect(367, 688, 25, 25),
            .panel3 = QRect(5, 363, 588, 319),
        },
        .editPanel = {
            .heading = "ข้อมูลตารางงานและการเร่งโครงการ",
            .headingAt = QPoint(16, 8),
            .headingFontPx = 21,
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
                {320, 30, 370, 80},   // 4
                {320, 100, 370, 150}, // 5
                {320, 170, 370, 220}, // 6
                {320, 250, 370, 300}, // 7
                {470, 140, 520, 190}, // 8
            },
            .lines = {
                {1, 2, {60, 165}, {150, 55}, 'A'},
                {1, 3, {60, 165}, {150, 275}, 'B'},
                {2, 4, {200, 55}, {320, 55}, 'C'},
                {2, 5, {200, 55}, {320, 125}, 'D'},
                {3, 6, {200, 275}, {320, 195}, 'E'},
                {3, 7, {200, 275}, {320, 275}, 'F'},
                {4, 8, {370, 55}, {470, 165}, 'G'},
                {5, 8, {370, 125}, {470, 165}, 'H'},
                {6, 8, {370, 195}, {470, 165}, 'H'},
                {7, 8, {370, 275}, {470, 165}, 'I'},
            },
            .labels = {
                {'A', {80, 80}},
                {'B', {80, 220}},
                {'C', {250, 20}},
                {'D', {250, 120}},
                {'E', {250, 180}},
                {'F', {250, 285}},
                {'G', {420, 80}},
                {'H', {380, 150}},
                {'I', {420, 225}},
            },
            .pathHighlights = {
                {.nodes = {1, 2, 4, 8},
                 .lines = {{1, 2}, {2, 4}, {4, 8}}},
                {.nodes = {1, 2, 5, 8},
                 .lines = {{1, 2}, {2, 5}, {5, 8}}},
                {.nodes = {1, 3, 6, 8},
                 .lines = {{1, 3}, {3, 6}, {6, 8}}},
                {.nodes = {1, 3, 7, 8},
                 .lines = {{1, 3}, {3, 7}, {7, 8}}},
            },
            .highlightFill = QColor(0, 128, 0),
        },
    };
    return definition;
}
