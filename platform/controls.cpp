// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "controls.h"

#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace platform {
namespace {

class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), m_height(height)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};

// Draws two bevels, an outer and an inner one, like a designer's panel with both set.
class BevelPanel : public QFrame {
public:
    BevelPanel(QWidget *parent, Bevel bevel) : QFrame(parent), m_bevel(bevel) { }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        if (m_bevel != Bevel::RaisedOuterLoweredInner)
            return;
        QPainter painter(this);
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        auto bevel = [&](QRect r, const QColor &topLeft, const QColor &bottomRight) {
            painter.setPen(topLeft);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(bottomRight);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        };
        QRect r = rect();
        bevel(r, light, dark);
        bevel(r.adjusted(1, 1, -1, -1), light, dark);
        bevel(r.adjusted(2, 2, -2, -2), dark, light);
        bevel(r.adjusted(3, 3, -3, -3), dark, light);
    }

private:
    Bevel m_bevel;
};

} // namespace

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setFieldColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QFrame *makePanel(QWidget *parent, const char *name, const QRect &bounds, const QColor &color,
                  Bevel bevel)
{
    auto *panel = place(new BevelPanel(parent, bevel), name, bounds);
    switch (bevel) {
    case Bevel::Lowered:
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    case Bevel::RaisedOuterLoweredInner:
        panel->setFrameStyle(QFrame::NoFrame);
        break;
    }
    setBackground(panel, color);
    return panel;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &bounds, const QString &text,
                  const QFont &font)
{
    auto *label = place(new QLabel(text, parent), name, bounds);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QListWidget *makeListBox(QWidget *parent, const char *name, const QRect &bounds, const QFont &font,
                         int itemHeight, const QColor &color)
{
    auto *list = place(new QListWidget(parent), name, bounds);
    list->setFont(font);
    list->setItemDelegate(new FixedHeightDelegate(itemHeight, list));
    list->setUniformItemSizes(true);
    setFieldColor(list, color);
    return list;
}

QPushButton *makeGlyphButton(QWidget *parent, const char *name, const QRect &bounds,
                             const QString &caption, const QFont &font, const QIcon &glyph)
{
    auto *button = place(new QPushButton(glyph, caption, parent), name, bounds);
    button->setFont(font);
    button->setIconSize(QSize(16, 16));
    return button;
}

QLineEdit *makeEdit(QWidget *parent, const char *name, const QRect &bounds, const QString &text,
                    const QFont &font)
{
    auto *edit = place(new QLineEdit(text, parent), name, bounds);
    edit->setFont(font);
    edit->setTextMargins(0, 0, 0, 0);
    return edit;
}

AutoSizeLabel::AutoSizeLabel(QWidget *parent, const char *name, const QRect &designBounds,
                             bool rightAligned)
    : QLabel(parent),
      m_anchorX(rightAligned ? designBounds.x() + designBounds.width() : designBounds.x()),
      m_rightAligned(rightAligned)
{
    place(this, name, designBounds);
    setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
}

void AutoSizeLabel::setCaption(const QString &text)
{
    setText(text);
    const int newWidth = qMax(1, fontMetrics().horizontalAdvance(text));
    const int left = m_rightAligned ? m_anchorX - newWidth : m_anchorX;
    setGeometry(left, y(), newWidth, height());
}

ImageBox::ImageBox(QWidget *parent, const char *name, const QRect &bounds, const QImage &image)
    : QLabel(parent)
{
    place(this, name, bounds);
    setScaledContents(true);
    setPixmap(QPixmap::fromImage(image));
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace platform
