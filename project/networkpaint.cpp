// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "networkpaint.h"

#include <cmath>

namespace project::networkpaint {

Arrow arrowAlong(const std::vector<engine::LayoutPoint> &points)
{
    Arrow arrow;
    for (const engine::LayoutPoint &p : points)
        arrow.corners.push_back(QPointF(p.x, p.y));
    const std::vector<QPointF> &corners = arrow.corners;
    if (corners.size() < 2)
        return arrow;
    const QPointF tip = corners.back();
    QPointF direction = tip - corners[corners.size() - 2];
    const double length = std::hypot(direction.x(), direction.y());
    direction = length > 0 ? direction / length : QPointF(1, 0);
    const QPointF normal(-direction.y(), direction.x());
    const QPointF base = tip - direction * kArrowLength;
    arrow.head << tip << base + normal * kArrowHalfWidth << base - normal * kArrowHalfWidth;
    arrow.line.moveTo(corners.front());
    for (std::size_t k = 1; k + 1 < corners.size(); ++k)
        arrow.line.lineTo(corners[k]);
    arrow.line.lineTo(base);
    return arrow;
}

} // namespace project::networkpaint
