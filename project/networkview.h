// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "project.h"

#include <QGraphicsView>

#include <span>

namespace project {

// The project's network, activity on node, laid out in layers by earliest start: each node
// shows the activity's id, its duration and ES/EF/LS/LF; critical activities and the links
// between them in red. Zoom with Ctrl+wheel, Ctrl++ / Ctrl+- / Ctrl+0 (fit), pan by
// dragging. The scene can be rendered for export and print.
class NetworkView : public QGraphicsView {
    Q_OBJECT
public:
    explicit NetworkView(QWidget *parent = nullptr);

    // Lays out and draws the network of a sound project (analysis.network) with the given
    // durations (one per activity, e.g. a crashing step's). The layout is made once per
    // network and kept while only durations change, so a step redraws in place.
    void showNetwork(const engine::Project &project, const engine::Network &network,
                     std::span<const engine::Duration> durations);
    // Draws nothing but the message (a table with problems: nothing wrong is drawn).
    void showMessage(const QString &message);

    void zoomIn();
    void zoomOut();
    void zoomToFit();

    // The whole drawing, in scene coordinates, for export.
    QRectF drawingRect() const;
    // Paints the whole drawing into `target` of the painter (PNG, SVG, PDF, print).
    void renderDrawing(QPainter *painter, const QRectF &target);

    // How many activities are drawn red (for tests and the status line).
    int criticalNodeCount() const;
};

} // namespace project
