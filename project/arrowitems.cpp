// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "arrowitems.h"

#include "fonts.h"
#include "networkpaint.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace project {

namespace {

constexpr double kRadius = kEventDiameter / 2;
constexpr double kArrowLabelWidth = 120; // room for a label across the middle of a piece

} // namespace

EventItem::EventItem(int number) : m_texts {QString::number(number), QString(), QString()}
{
    setZValue(2);
}

void EventItem::setTimes(engine::Duration earliest, engine::Duration latest, bool critical,
                         bool shown)
{
    m_texts[1] = shown ? QString::number(earliest) : QString();
    m_texts[2] = shown ? QString::number(latest) : QString();
    m_critical = critical;
    update();
}

QRectF EventItem::boundingRect() const
{
    return QRectF(-kRadius - 2, -kRadius - 2, kEventDiameter + 4, kEventDiameter + 4);
}

void EventItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    static const QFont small = platform::sarabunFont(14);
    static const QFont bold = platform::sarabunFont(17, true);
    const QRectF circle(-kRadius, -kRadius, kEventDiameter, kEventDiameter);
    painter->setPen(QPen(m_critical ? networkpaint::kCriticalRed : networkpaint::kBorder,
                         m_critical ? 2.5 : 1.2));
    painter->setBrush(m_critical ? networkpaint::kCriticalFill : QColor(Qt::white));
    painter->drawEllipse(circle);
    painter->setPen(QPen(networkpaint::kBandLine, 0.8));
    painter->drawLine(QPointF(-kRadius + 1, 0), QPointF(kRadius - 1, 0));
    painter->drawLine(QPointF(0, 0), QPointF(0, kRadius - 1));
    painter->setPen(m_critical ? networkpaint::kCriticalRed.darker(130) : networkpaint::kText);
    painter->setFont(bold);
    painter->drawText(QRectF(-kRadius, -kRadius + 4, kEventDiameter, kRadius - 4), Qt::AlignCenter,
                      m_texts[0]);
    painter->setFont(small);
    painter->setPen(networkpaint::kText);
    // The lower half narrows towards the bottom: the times sit near the cut.
    const double halfWidth = kRadius * 0.8;
    painter->drawText(QRectF(-halfWidth, 1, halfWidth - 2, kRadius * 0.6), Qt::AlignCenter,
                      m_texts[1]);
    painter->drawText(QRectF(2, 1, halfWidth - 2, kRadius * 0.6), Qt::AlignCenter, m_texts[2]);
}

ArrowItem::ArrowItem(const std::vector<engine::LayoutPoint> &points, const QString &id,
                     const QString &name)
{
    setZValue(1);
    setNames(id, name);
    networkpaint::Arrow arrow = networkpaint::arrowAlong(points);
    m_line = std::move(arrow.line);
    m_arrow = std::move(arrow.head);
    const std::vector<QPointF> &corners = arrow.corners;
    if (corners.size() >= 2) {
        // The label sits halfway along the arrow: for an arrow across columns that is on a
        // level piece, away from the crowd of arrows leaving or entering an event.
        double total = 0;
        for (std::size_t k = 1; k < corners.size(); ++k)
            total += std::hypot(corners[k].x() - corners[k - 1].x(),
                                corners[k].y() - corners[k - 1].y());
        double left = total / 2;
        for (std::size_t k = 1; k < corners.size(); ++k) {
            const QPointF piece = corners[k] - corners[k - 1];
            const double pieceLength = std::hypot(piece.x(), piece.y());
            if (pieceLength >= left || k + 1 == corners.size()) {
                m_labelAt = corners[k - 1]
                    + piece * (pieceLength > 0 ? std::min(1.0, left / pieceLength) : 0.0);
                break;
            }
            left -= pieceLength;
        }
    }
    const QRectF label(m_labelAt.x() - kArrowLabelWidth / 2, m_labelAt.y() - 24, kArrowLabelWidth,
                       48);
    m_bounds = (m_line.boundingRect() | m_arrow.boundingRect() | label).adjusted(-3, -3, 3, 3);
}

void ArrowItem::setNames(const QString &id, const QString &name)
{
    m_id = id;
    setToolTip(name.isEmpty() || id.isEmpty() ? QString() : id + QStringLiteral(" – ") + name);
    update();
}

void ArrowItem::setDuration(engine::Duration duration)
{
    m_duration = QString::number(duration);
    update();
}

void ArrowItem::setCritical(bool critical)
{
    m_critical = critical;
    setZValue(critical ? 1.5 : 1);
    update();
}

QStringList ArrowItem::texts() const
{
    if (isDummy())
        return {};
    return {m_id, m_duration};
}

void ArrowItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    static const QFont small = platform::sarabunFont(14);
    static const QFont bold = platform::sarabunFont(15, true);
    const QColor colour = m_critical ? networkpaint::kCriticalRed : networkpaint::kLinkGrey;
    painter->setPen(QPen(colour, m_critical ? 2.4 : 1.3, isDummy() ? Qt::DashLine : Qt::SolidLine,
                         Qt::FlatCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_line);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    painter->drawPolygon(m_arrow);
    if (isDummy())
        return;
    // The id above the arrow, the duration below it, each on a white ground so that a line
    // behind it does not cross the text.
    auto label = [&](const QFont &font, const QString &text, double top, const QColor &ink) {
        const QFontMetricsF metrics(font);
        const QString shown = metrics.elidedText(text, Qt::ElideRight, kArrowLabelWidth);
        const double width = metrics.horizontalAdvance(shown) + 4;
        const QRectF box(m_labelAt.x() - width / 2, top, width, metrics.height());
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(255, 255, 255, 220));
        painter->drawRect(box);
        painter->setPen(ink);
        painter->setFont(font);
        painter->drawText(box, Qt::AlignCenter, shown);
    };
    label(bold, m_id, m_labelAt.y() - 2 - QFontMetricsF(bold).height(),
          m_critical ? networkpaint::kCriticalRed.darker(130) : networkpaint::kText);
    label(small, m_duration, m_labelAt.y() + 2, networkpaint::kText);
}

} // namespace project
