// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectanalysis.h"
#include "schedule.h"

#include "zoomableview.h"

#include <QPolygonF>

#include <optional>
#include <span>
#include <vector>

namespace project {

class GanttPlanItem;

// The schedule as a Gantt chart: one row per activity with its id, a bar from its earliest
// start to its earliest finish and, after it, its float as a thin bar to its latest finish;
// critical bars in red; a time scale in the project's units above; the links on request, each
// from its predecessor's start or finish to its activity's start or finish as its type says. The
// plan at normal durations on top and, when given, a crashed plan below it on the same scale, so
// the compression shows. Zoom with Ctrl+wheel, Ctrl++ / Ctrl+- / Ctrl+0 (fit); the scene can be
// rendered for export and the report.
//
// Each plan is one item that paints only the rows in view, so a chart of thousands of
// activities scrolls as fast as a small one.
class GanttView : public ZoomableView {
    Q_OBJECT
public:
    explicit GanttView(QWidget *parent = nullptr);
    ~GanttView() override;

    // Charts the analysis's normal plan and, when given (one duration per activity), the
    // crashed plan under `crashedCaption`.
    void showPlans(AnalysisSnapshot analysis,
                   const std::optional<std::vector<engine::Duration>> &crashed,
                   const QString &crashedCaption);
    // Only the message (nothing to chart).
    void showMessage(const QString &message);
    void setLinksShown(bool shown);

    // The time axis across the window (the rows scroll), the start in view.
    void zoomToFit() override;

    // The whole chart in scene coordinates, for export, and painting it into `target`.
    QRectF drawingRect() const;
    void renderDrawing(QPainter *painter, const QRectF &target);

    // How many plans are charted (0, 1 or 2) and, in scene coordinates, where a plan's bar of
    // an activity runs (earliest start to earliest finish) and its float (earliest to latest
    // finish; empty without float); whether the bar is red. For tests and the status line.
    int planCount() const { return static_cast<int>(m_plans.size()); }
    QRectF barRect(int plan, int activity) const;
    QRectF floatRect(int plan, int activity) const;
    bool barIsCritical(int plan, int activity) const;
    // The line drawn for the link to an activity from its k-th predecessor (in the network's
    // order), in scene coordinates, its arrowhead at the last point; empty when none is.
    QPolygonF linkLine(int plan, int activity, int k) const;
    // The x of time 0 and the width of one time unit, in scene coordinates.
    double timeOrigin() const;
    double unitWidth() const { return m_unitWidth; }
    QString message() const { return m_message; }

private:
    QGraphicsScene *m_scene;
    std::vector<GanttPlanItem *> m_plans;
    QString m_message;
    double m_unitWidth = 20;
    bool m_links = false;
};

} // namespace project
