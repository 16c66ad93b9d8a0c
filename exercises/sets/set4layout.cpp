// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sets.h"

// The window of practice set 4 (TForm6).
const SetDefinition &set4Definition()
{
    static const SetDefinition definition{
        .practice = practiceSet(4),
        .caption = "การเร่งรัดกิจกรรม : ชุดเสริมทักษะ 4",
        .outerSize = QSize(1032, 776),
        .placement = WindowPlacement::CentredOnDesktop,
        .designedPosition = QPoint(),
        .windowColor = std::nullopt,


        .gridRowCount = 11,
        .gridRowHeight = 25,
        .columnWidths = {117, 124, 119, 115, 119},
        .activityHeader = "     กิจกรรม",
        .gridCellPrefix = true,

        .panel2Color = QColor(188, 247, 187),
        .listBox1Color = QColor(188, 247, 187),
        .label51TextColor = QColor(Qt::red),
        .bitBtn5FontPx = 19,
        .label47FontPx = 24,
        .label52FontPx = 19,

        .layout = {
            .panel1 = QRect(2, 5, 622, 731),
            .paintBox1 = QRect(8, 9, 609, 336),
            .bitBtn5 = QRect(217, 171, 181, 37),
            .label47 = QRect(16, 356, 169, 31),
            .stringGrid1 = QRect(11, 385, 602, 290),
            .bitBtn1 = QRect(5, 683, 141, 37),
            .bitBtn2 = QRect(149, 683, 141, 37),
            .bitBtn3 = QRect(293, 683, 141, 37),
            .bitBtn6 = QRect(520, 683, 94, 37),
            .panel2 = QRect(625, 5, 397, 731),
            .label48 = QRect(16, 24, 210, 27),
            .edit29 = QRect(298, 26, 54, 27),
            .label49 = QRect(16, 58, 263, 27),
            .edit28 = QRect(298, 56, 56, 34),
            .label53 = QRect(16, 80, 5, 27),
            .bitBtn4 = QRect(113, 115, 181, 37),
            .listBox1 = QRect(4, 160, 391, 343),
            .listBox2 = QRect(3, 507, 392, 171),
            .label50 = QRect(21, 689, 185, 25),
            .label51 = QRect(288, 688, 28, 27),
            .label52 = QRect(326, 688, 25, 25),
            .panel3 = QRect(8, 363, 609, 319),
        },
        .editPanel = {
            .heading = "ข้อมูลตารางงานและการเร่งโครงการ",
            .headingAt = QPoint(16, 13),
            .headingFontPx = 21,
            .firstEditTop = 50,
            .nameLeft = 55,
            .normalCaptionLeft = 134,
            .crashCaptionLeft = 277,
            .costCaptionLeft = 384,
            .costEditLeft = 458,
            .costEditWidth = 68,
            .unitLeft = 528,
            .unitWidth = 24,
            .unit = "บาท",
        },


        .network = {
            .frameWidth = 600,
            .nodes = {
                {10, 140, 60, 190},   // 1
                {130, 30, 180, 80},   // 2
                {130, 250, 180, 300}, // 3
                {260, 30, 310, 80},   // 4
                {260, 250, 310, 300}, // 5
                {380, 30, 430, 80},   // 6
                {530, 140, 580, 190}, // 7
            },
            .lines = {
                {1, 2, {60, 165}, {130, 55}, 'A'},
                {1, 3, {60, 165}, {130, 275}, 'B'},
                {2, 4, {180, 55}, {260, 55}, 'C'},
                {3, 5, {180, 275}, {260, 275}, 'D'},
                {4, 6, {310, 55}, {380, 55}, 'E'},
                {6, 7, {430, 55}, {530, 165}, 'F'},
                {5, 7, {310, 275}, {530, 165}, 'F'},
            },
            .labels = {
                {'A', {80, 80}},
                {'B', {80, 220}},
                {'C', {200, 20}},
                {'D', {200, 280}},
                {'E', {330, 20}},
                {'F', {450, 150}},
            },
            .pathHighlights = {
                {.nodes = {1, 2, 4, 6, 7},
                 .lines = {{1, 2}, {2, 4}, {4, 6}, {6, 7}}},
                {.nodes = {1, 3, 5, 7},
                 .lines = {{1, 3}, {3, 5}, {5, 7}}},
            },
            .highlightFill = QColor(0, 128, 0),
        },
    };
    return definition;
}
