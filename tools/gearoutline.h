// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

// The gear of the title picture and of the program's icon, shared by the tools that
// paint them.

#include <QPainterPath>
#include <QPointF>

#include <array>
#include <cmath>
#include <numbers>

// The gear as one closed outline: trapezoid teeth on a root circle, with round lightening
// holes and a bore cut out, so the digit stream shows through the holes.
inline QPainterPath gearOutline(QPointF centre, double rootRadius, double tipRadius, int teeth)
{
    const double pitch = 2.0 * std::numbers::pi / teeth;
    QPainterPath outline;
    auto at = [&](double radius, double angle) {
        return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    };
    for (int tooth = 0; tooth < teeth; ++tooth) {
        const double middle = tooth * pitch - std::numbers::pi / 2.0;
        const std::array<QPointF, 4> flank {
            at(rootRadius, middle - 0.27 * pitch), at(tipRadius, middle - 0.16 * pitch),
            at(tipRadius, middle + 0.16 * pitch), at(rootRadius, middle + 0.27 * pitch)};
        if (tooth == 0)
            outline.moveTo(flank[0]);
        else
            outline.lineTo(flank[0]);
        for (int i = 1; i < 4; ++i)
            outline.lineTo(flank[static_cast<std::size_t>(i)]);
        for (int step = 1; step <= 6; ++step)
            outline.lineTo(at(rootRadius, middle + (0.27 + 0.46 * step / 6.0) * pitch));
    }
    outline.closeSubpath();

    QPainterPath holes;
    for (int hole = 0; hole < 5; ++hole) {
        const double angle = hole * 2.0 * std::numbers::pi / 5.0 - std::numbers::pi / 2.0;
        holes.addEllipse(at(rootRadius * 0.62, angle), rootRadius * 0.17, rootRadius * 0.17);
    }
    holes.addEllipse(centre, rootRadius * 0.13, rootRadius * 0.13);
    return outline.subtracted(holes);
}
