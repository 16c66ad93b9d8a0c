// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "networkpicture.h"

#include "sheetfonts.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace worksheets {

namespace {

constexpr double kNodeWidth = 96;
constexpr double kNodeHeight = 64;
constexpr double kArrowLength = 9;
constexpr double kArrowHalfWidth = 4;

void drawArrow(QPainter &painter, const std::vector<engine::LayoutPoint> &points)
{
    if (points.size() < 2)
        return;
    QPainterPath line(QPointF(points.front().x, points.front().y));
    for (std::size_t k = 1; k < points.size(); ++k)
        line.lineTo(points[k].x, points[k].y);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    const QPointF tip(points.back().x, points.back().y);
    const QPointF before(points[points.size() - 2].x, points[points.size() - 2].y);
    QPointF direction = tip - before;
    const double length = std::hypot(direction.x(), direction.y());
    if (length <= 0)
        return;
    direction /= length;
    const QPointF normal(-direction.y(), direction.x());
    const QPointF base = tip - direction * kArrowLength;
    const QPointF head[3] = {tip, base + normal * kArrowHalfWidth, base - normal * kArrowHalfWidth};
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(head, 3);
}

void drawNode(QPainter &painter, const QRectF &box, const engine::Activity &activity,
              const engine::Schedule &schedule, std::size_t index, NodeTimes times)
{
    const bool critical
        = times == NodeTimes::Filled && schedule.isCritical(static_cast<int>(index));
    QPen pen(Qt::black, critical ? 2.2 : 1.0);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    if (times == NodeTimes::None) {
        // The id large above, the duration below.
        painter.setFont(sheetFont(14, true));
        painter.drawText(QRectF(box.left(), box.top(), box.width(), box.height() * 0.58),
                         Qt::AlignCenter, QString::fromStdString(activity.id));
        painter.setFont(sheetFont(10));
        painter.drawText(
            QRectF(box.left(), box.top() + box.height() * 0.5, box.width(), box.height() * 0.45),
            Qt::AlignCenter, QStringLiteral("t = %1").arg(activity.normalDuration));
        return;
    }
    const double headHeight = box.height() * 0.42;
    const QRectF head(box.left(), box.top(), box.width(), headHeight);
    painter.setFont(sheetFont(11, true));
    painter.drawText(head.adjusted(4, 0, -box.width() / 2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QString::fromStdString(activity.id));
    painter.setFont(sheetFont(9));
    painter.drawText(head.adjusted(box.width() / 2, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("t = %1").arg(activity.normalDuration));
    painter.setPen(QPen(Qt::black, 0.6));
    const double top = head.bottom();
    const double rowHeight = (box.bottom() - top) / 2;
    painter.drawLine(QPointF(box.left(), top), QPointF(box.right(), top));
    painter.drawLine(QPointF(box.left(), top + rowHeight), QPointF(box.right(), top + rowHeight));
    painter.drawLine(QPointF(box.center().x(), top), QPointF(box.center().x(), box.bottom()));
    if (times != NodeTimes::Filled)
        return;
    painter.setFont(sheetFont(8.5));
    const engine::Duration values[4]
        = {schedule.earliestStart[index], schedule.earliestFinish[index],
           schedule.latestStart[index], schedule.latestFinish[index]};
    for (int cell = 0; cell < 4; ++cell) {
        const QRectF rect(cell % 2 == 0 ? box.left() : box.center().x(),
                          top + rowHeight * (cell / 2), box.width() / 2, rowHeight);
        painter.drawText(rect, Qt::AlignCenter, QString::number(values[cell]));
    }
}

} // namespace

engine::NetworkLayout sheetLayout(const engine::Network &network, const engine::Schedule &schedule)
{
    engine::LayoutOptions options;
    options.nodeWidth = kNodeWidth;
    options.nodeHeight = kNodeHeight;
    options.layerGap = 44;
    options.rowGap = 26;
    return engine::layoutNetwork(network, schedule, options);
}

void paintNetwork(QPainter &painter, const QRectF &area, const engine::Project &project,
                  const engine::NetworkLayout &layout, const engine::Schedule &schedule,
                  NodeTimes times)
{
    if (layout.width <= 0 || layout.height <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scale
        = std::min({area.width() / layout.width, area.height() / layout.height, 1.4});
    painter.translate(area.left() + (area.width() - layout.width * scale) / 2,
                      area.top() + (area.height() - layout.height * scale) / 2);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, 1.0));
    for (const engine::NetworkLayout::Link &link : layout.links)
        drawArrow(painter, link.points);
    for (std::size_t i = 0; i < layout.nodes.size(); ++i) {
        const engine::LayoutPoint centre = layout.nodes[i].centre;
        const QRectF box(centre.x - kNodeWidth / 2, centre.y - kNodeHeight / 2, kNodeWidth,
                         kNodeHeight);
        drawNode(painter, box, project.activities[i], schedule, i, times);
    }
    painter.restore();
}

QByteArray networkPng(const engine::Project &project, const engine::NetworkLayout &layout,
                      const engine::Schedule &schedule, NodeTimes times, double scale)
{
    const QSize size(std::max(1, static_cast<int>(std::ceil(layout.width * scale))),
                     std::max(1, static_cast<int>(std::ceil(layout.height * scale))));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintNetwork(painter, QRectF(QPointF(0, 0), QSizeF(size)), project, layout, schedule,
                     times);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Black on white: one grey byte a pixel compresses several times faster than four.
    image.convertTo(QImage::Format_Grayscale8);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace worksheets
