// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>

namespace platform {

// Drawing state and operations on a kept image. Every operation paints at once and
// keeps nothing else, so a QPainter is never held across calls. Figures are drawn
// without antialiasing, as the classic Windows canvas does, which also keeps a crashing
// iteration's redraw cheap.
class Canvas {
public:
    explicit Canvas(QSize size = {}, QColor background = Qt::white);

    void setPenColor(const QColor &color) { m_penColor = color; }
    void setPenWidth(int width) { m_penWidth = width; }
    void setBrushColor(const QColor &color) { m_brushColor = color; }
    void setFont(const QFont &font) { m_font = font; }
    void setTextColor(const QColor &color) { m_textColor = color; }
    const QFont &font() const { return m_font; }

    // Outlined with the pen and filled with the brush; (left, top) to (right, bottom),
    // right and bottom exclusive.
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void moveTo(int x, int y) { m_current = {x, y}; }
    void lineTo(int x, int y);
    // Text with its top-left corner at (x, y); the cell behind it takes the brush colour.
    void textOut(int x, int y, const QString &text);
    // Clears the whole image to the background colour.
    void erase();
    void resize(QSize size);

    const QImage &image() const { return m_image; }
    QColor background() const { return m_background; }
    void setBackground(const QColor &color) { m_background = color; }

private:
    QImage m_image;
    QColor m_background;
    QColor m_penColor = Qt::black;
    int m_penWidth = 1;
    QColor m_brushColor = Qt::white;
    QColor m_textColor = Qt::black;
    QFont m_font;
    QPoint m_current;
};

// A widget that shows its canvas. The picture survives window-system repaints; it
// changes only through the canvas operations.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget *parent = nullptr);

    Canvas &canvas() { return m_canvas; }
    const Canvas &canvas() const { return m_canvas; }
    // Clears the picture to the parent's background; the area shows it at the next paint.
    void erase();
    // Shows what has been drawn on the canvas since the last call.
    void refresh() { update(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Canvas m_canvas;
};

} // namespace platform
