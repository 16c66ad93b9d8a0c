// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QPointF>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cmath>

// The activity-on-node drawings of the primer stand their circles on one grid. Every arrow
// joins neighbouring columns, straight across or one row up or down, or runs straight
// across two columns, so four arrow pictures serve every drawing. The painter tool draws
// those pictures from the same numbers, which keeps picture and placement in step.
namespace primer {

constexpr int kColumnStep = 100;
constexpr int kRowStep = 60;
constexpr int kCircleSide = 54;
// Free space between a circle's outline and the tail or tip of an arrow.
constexpr double kArrowClearance = 3.0;
// Room around the shaft inside the picture, so the arrowhead is not cut off.
constexpr int kArrowPadding = 8;

enum class ArrowKind { Across, AcrossTwo, Up, Down };

struct ArrowPicture {
    QString resource; // ":/primer/..." path of the JPEG
    QString fileName; // its name under assets/primer
    QRect box; // relative to the centre of the circle the arrow leaves
    QPointF tail; // shaft start, in picture coordinates
    QPointF tip; // arrowhead point, in picture coordinates
};

inline ArrowPicture arrowPicture(ArrowKind kind)
{
    double dx = kColumnStep;
    double dy = 0.0;
    QString name = QStringLiteral("arrow-across.jpg");
    switch (kind) {
    case ArrowKind::Across:
        break;
    case ArrowKind::AcrossTwo:
        dx = 2.0 * kColumnStep;
        name = QStringLiteral("arrow-across-two.jpg");
        break;
    case ArrowKind::Up:
        dy = -kRowStep;
        name = QStringLiteral("arrow-up.jpg");
        break;
    case ArrowKind::Down:
        dy = kRowStep;
        name = QStringLiteral("arrow-down.jpg");
        break;
    }
    const double length = std::hypot(dx, dy);
    const double reach = kCircleSide / 2.0 + kArrowClearance;
    const QPointF tail(reach * dx / length, reach * dy / length);
    const QPointF tip(dx - tail.x(), dy - tail.y());
    const QPoint topLeft(static_cast<int>(std::floor(std::min(tail.x(), tip.x()))) - kArrowPadding,
                         static_cast<int>(std::floor(std::min(tail.y(), tip.y()))) - kArrowPadding);
    const QPoint bottomRight(
        static_cast<int>(std::ceil(std::max(tail.x(), tip.x()))) + kArrowPadding,
        static_cast<int>(std::ceil(std::max(tail.y(), tip.y()))) + kArrowPadding);
    const QRect box(topLeft, bottomRight);
    return {QStringLiteral(":/primer/") + name, name, box, tail - QPointF(topLeft),
            tip - QPointF(topLeft)};
}

inline QString circleResource()
{
    return QStringLiteral(":/primer/node.jpg");
}

} // namespace primer
