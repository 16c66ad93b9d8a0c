// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "canvas.h"

#include <QFontMetrics>
#include <QPainter>

namespace platform {
namespace {

QPen makePen(const QColor &color, int width)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// GDI-like figures: the outline runs just inside the right and bottom edges.
QRectF figureRect(int left, int top, int right, int bottom)
{
    return QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
}

} // namespace

Canvas::Canvas(QSize size, QColor background)
    : m_image(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32), m_background(background)
{
    erase();
}

void Canvas::resize(QSize size)
{
    if (size.isEmpty() || size == m_image.size())
        return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(m_background);
    QPainter painter(&resized);
    painter.drawImage(0, 0, m_image);
    m_image = resized;
}

void Canvas::erase()
{
    m_image.fill(m_background);
}

void Canvas::rectangle(int left, int top, int right, int bottom)
{
    QPainter painter(&m_image);
    painter.setPen(makePen(m_penColor, m_penWidth));
    painter.setBrush(m_brushColor);
    painter.drawRect(figureRect(left, top, right, bottom));
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    QPainter painter(&m_image);
    painter.setPen(makePen(m_penColor, m_penWidth));
    painter.setBrush(m_brushColor);
    painter.drawEllipse(figureRect(left, top, right, bottom));
}

void Canvas::lineTo(int x, int y)
{
    QPainter painter(&m_image);
    QPen pen = makePen(m_penColor, m_penWidth);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(m_current) + QPointF(0.5, 0.5), QPointF(x, y) + QPointF(0.5, 0.5));
    m_current = {x, y};
}

void Canvas::textOut(int x, int y, const QString &text)
{
    QPainter painter(&m_image);
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font);
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    painter.fillRect(cell, m_brushColor);
    painter.setPen(m_textColor);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    m_current = {x + cell.width(), y};
}

PaintBox::PaintBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::erase()
{
    if (parentWidget())
        m_canvas.setBackground(parentWidget()->palette().color(parentWidget()->backgroundRole()));
    m_canvas.resize(size());
    m_canvas.erase();
    update();
}

void PaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas.image());
}

void PaintBox::resizeEvent(QResizeEvent *event)
{
    m_canvas.resize(size());
    QWidget::resizeEvent(event);
}

} // namespace platform
