// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "timecostcurve.h"

#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

namespace project {

// The time-cost curve (Qt Charts): the exact least extra cost at every whole duration from
// the normal one down to the shortest, the greedy rule's totals at the durations of its
// steps (run to the shortest duration) as points on it, and, when an indirect cost per time
// unit is entered, the total cost (extra + indirect x duration) with its lowest point
// marked. Axes and legend in Thai; money in Baht.
//
// Controls (objectName): costCurveChartView, indirectCostEdit (Baht per time unit, empty
// for none), lowestTotalLabel.
class CostCurveChart : public QWidget {
    Q_OBJECT
public:
    explicit CostCurveChart(QWidget *parent = nullptr);

    // Computes and shows the curve of a sound network.
    void showCurve(const engine::Network &network);
    // An empty chart with the message (a table with problems).
    void clearCurve(const QString &message);

    // What is drawn, for tests and the report: the curve's points (every whole duration),
    // the greedy's points, and the lowest total (duration, extra + indirect) when an
    // indirect cost is set.
    const std::vector<engine::CurvePoint> &curvePoints() const;
    const std::vector<engine::CurvePoint> &greedyPoints() const;
    std::optional<engine::CurvePoint> lowestTotal() const;
    // Satang per time unit; nothing when the field is empty.
    std::optional<engine::Satang> indirectCostPerUnit() const;
    void setIndirectCostPerUnit(std::optional<engine::Satang> satang);

    // Paints the chart into `target` (PNG, SVG, PDF, print).
    void renderChart(QPainter *painter, const QRectF &target);
};

} // namespace project
