// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "practiceset.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// Everything that differs between the practice sets' windows, as plain data. Texts are
// UTF-8. The set's own data (rows, paths, unit) is its PracticeSet.

// A node's circle by its 50 x 50 bounding box, right and bottom exclusive.
struct NodeBox {
    int left, top, right, bottom;
};

// One drawn line of an activity; an activity with converging lines has several.
struct NetworkLine {
    int fromNode, toNode;
    QPoint start, end;
    char activity;
};

// Top-left corner of an activity's yellow duration label.
struct ActivityLabel {
    char activity;
    QPoint at;
};

// What the highlight of one path redraws, in path order.
struct PathHighlight {
    std::vector<int> nodes;
    std::vector<std::pair<int, int>> lines;
};

struct NetworkGeometry {
    int frameWidth; // the frame runs from (0,0) to (frameWidth, 330)
    std::vector<NodeBox> nodes; // node 1 first
    std::vector<NetworkLine> lines; // in drawing order
    std::vector<ActivityLabel> labels; // in letter order
    std::vector<PathHighlight> pathHighlights; // path 1 first
    QColor highlightFill;
};

// Control rectangles, left, top, width, height inside the parent.
struct ExerciseLayout {
    QRect panel1, paintBox1, bitBtn5, label47, stringGrid1, bitBtn1, bitBtn2, bitBtn3, bitBtn6;
    QRect panel2, label48, edit29, label49, edit28, label53, bitBtn4, listBox1, listBox2;
    QRect label50, label51, label52, panel3;
};

// The edit panel: heading, then one line per activity 29 px apart. The duration edits
// sit at 224 and 328 (41 x 31) in every set.
struct EditPanelLayout {
    const char *heading;
    QPoint headingAt;
    int headingFontPx;
    int firstEditTop;
    int nameLeft, normalCaptionLeft, crashCaptionLeft, costCaptionLeft;
    int costEditLeft, costEditWidth;
    int unitLeft, unitWidth;
    const char *unit;
};

enum class WindowPlacement { CentredOnDesktop, AtDesignedPosition };

struct SetDefinition {
    const PracticeSet &practice;
    const char *caption;
    QSize outerSize;
    WindowPlacement placement;
    QPoint designedPosition; // used with AtDesignedPosition
    std::optional<QColor> windowColor; // none: the system's button-face colour

    int gridRowCount; // header row included
    int gridRowHeight;
    std::array<int, 5> columnWidths;
    const char *activityHeader; // column 0 header, its leading blanks included
    bool gridCellPrefix; // seven blanks before every data cell

    QColor panel2Color;
    QColor listBox1Color;
    QColor label51TextColor;
    int bitBtn5FontPx;
    int label47FontPx;
    int label52FontPx;

    ExerciseLayout layout;
    EditPanelLayout editPanel;

    NetworkGeometry network;
};
