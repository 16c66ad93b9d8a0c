// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "networklayout.h"
#include "project.h"

#include <QGraphicsItem>
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>

#include <vector>

namespace project {

// The items of the activity-on-arrow drawing, in layout units (pixels at zoom 1).
inline constexpr double kEventDiameter = 64;

// One event as the course draws it: a circle cut across, its number in the upper half and, in
// the lower half, the earliest time (TE) on the left and the latest (TL) on the right; red
// when critical.
class EventItem : public QGraphicsItem {
public:
    explicit EventItem(int number);

    // Without `shown`, the two times stay blank (a student works them out).
    void setTimes(engine::Duration earliest, engine::Duration latest, bool critical, bool shown);
    bool critical() const { return m_critical; }
    // The number, the earliest and the latest time as shown (the times may be blank).
    const QStringList &texts() const { return m_texts; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override;

private:
    QStringList m_texts;
    bool m_critical = false;
};

// One arrow along the layout's polyline, ending in an arrowhead on the next event: an
// activity with its id above the arrow and its duration below, or a dummy, dashed and
// without a label.
class ArrowItem : public QGraphicsItem {
public:
    // An empty id makes a dummy.
    ArrowItem(const std::vector<engine::LayoutPoint> &points, const QString &id,
              const QString &name);

    void setDuration(engine::Duration duration);
    void setCritical(bool critical);
    bool critical() const { return m_critical; }
    bool isDummy() const { return m_id.isEmpty(); }
    void setNames(const QString &id, const QString &name);
    // The label's two lines (id, duration); empty for a dummy.
    QStringList texts() const;

    QRectF boundingRect() const override { return m_bounds; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override;

private:
    QPainterPath m_line;
    QPolygonF m_arrow;
    QPointF m_labelAt; // halfway along the arrow
    QRectF m_bounds;
    QString m_id, m_duration;
    bool m_critical = false;
};

} // namespace project
