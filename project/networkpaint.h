// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "networklayout.h"

#include <QColor>
#include <QPainterPath>
#include <QPolygonF>

#include <vector>

// The colours and arrows of the network drawings, activity on node and on arrow alike.
namespace project::networkpaint {

const QColor kCriticalRed(198, 40, 40);
const QColor kCriticalFill(253, 236, 234);
const QColor kBorder(69, 90, 100);
const QColor kLinkGrey(120, 144, 156);
const QColor kText(33, 33, 33);
const QColor kBandLine(176, 190, 197);

// An arrowhead, in layout units.
constexpr double kArrowLength = 10;
constexpr double kArrowHalfWidth = 4.5;

// A layout's polyline as a drawn arrow: the line, stopped where the arrowhead begins, and the
// arrowhead on its last point. Points in layout units; fewer than two give nothing.
struct Arrow {
    std::vector<QPointF> corners; // the polyline's points
    QPainterPath line;
    QPolygonF head;
};
Arrow arrowAlong(const std::vector<engine::LayoutPoint> &points);

} // namespace project::networkpaint
