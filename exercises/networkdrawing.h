// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "activitytable.h"
#include "setdefinition.h"

#include <QColor>

namespace platform {
class Canvas;
}

// Colours of the network picture.
struct NetworkColors {
    QColor window; // frame and node fill, node-number background
    QColor text; // node numbers and labels
};

// Draws the set's whole network on a cleared canvas (the caller clears it): frame, nodes, lines,
// node numbers and one yellow label per activity with its NormalDuration text as it stands (nothing
// is converted, so any text can be shown).
void drawNetwork(platform::Canvas &canvas, const NetworkGeometry &network,
                 const ActivityTable &table, const NetworkColors &colors);

// Draws one path over the picture: red outlines and lines 4 px wide, nodes filled with
// the set's highlight colour and numbered again. pathNumber outside 1..paths draws nothing.
void highlightPath(platform::Canvas &canvas, const NetworkGeometry &network, int pathNumber);

// The label text of an activity: "A= " followed by its NormalDuration text.
QString activityLabelText(char activity, const ActivityTable &table);
