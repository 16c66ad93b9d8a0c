// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "network.h"
#include "networklayout.h"
#include "project.h"
#include "schedule.h"

#include <QGraphicsView>

#include <span>
#include <string>
#include <vector>

class QGraphicsScene;
class QGraphicsTextItem;

namespace project {

class NetworkNodeItem;
class NetworkLinkItem;

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

    // The box of an activity in scene coordinates (empty when none is drawn); 0 <= activity.
    QRectF nodeRect(int activity) const;
    // The texts an activity's box shows, one a line (empty when none is drawn).
    QStringList nodeTexts(int activity) const;
    // The message shown instead of a network, empty while a network is shown.
    QString message() const { return m_message; }
    // The scale of the drawing on screen (1 = one layout unit a pixel).
    double zoomFactor() const;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildScene(const engine::Project &project, const engine::Network &network);
    void updateTimes();
    void clearDrawing();
    // Scales by `factor` around the view's centre, within the allowed range.
    void scaleBy(double factor);

    QGraphicsScene *m_scene = nullptr;
    QGraphicsTextItem *m_messageItem = nullptr;
    QString m_message;
    engine::NetworkLayout m_layout;
    engine::Schedule m_schedule;
    // What the layout was made for: ids and predecessor lists (flat, with counts).
    std::vector<std::string> m_ids;
    std::vector<int> m_links;
    std::vector<NetworkNodeItem *> m_nodes;
    std::vector<NetworkLinkItem *> m_linkItems;
    int m_critical = 0;
    // Fit to the window at the next show or resize, until the user zooms.
    bool m_fitPending = false;
};

} // namespace project
