// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QString>

class QWidget;
class QListWidget;
class QPushButton;
class QLineEdit;

namespace platform {

// Gives a control its designer name and its place inside its parent.
template<typename Widget> Widget *place(Widget *widget, const char *name, const QRect &bounds)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(bounds);
    return widget;
}

enum class Bevel { Lowered, RaisedOuterLoweredInner };

// A panel: a frame with a bevel on a solid colour.
QFrame *makePanel(QWidget *parent, const char *name, const QRect &bounds, const QColor &color,
                  Bevel bevel);

void setBackground(QWidget *widget, const QColor &color);
// The colour behind the text of an edit box, list or text box.
void setFieldColor(QWidget *widget, const QColor &color);

void setTextColor(QWidget *widget, const QColor &color);

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &bounds, const QString &text,
                  const QFont &font);

// A list box whose lines all have the same height.
QListWidget *makeListBox(QWidget *parent, const char *name, const QRect &bounds, const QFont &font,
                         int itemHeight, const QColor &color);

// A button with a glyph left of its caption.
QPushButton *makeGlyphButton(QWidget *parent, const char *name, const QRect &bounds,
                             const QString &caption, const QFont &font, const QIcon &glyph);

QLineEdit *makeEdit(QWidget *parent, const char *name, const QRect &bounds, const QString &text,
                    const QFont &font);

// A label sized to its text. A right-aligned one keeps its right edge and grows to the
// left, as a designer's auto-size label does.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    AutoSizeLabel(QWidget *parent, const char *name, const QRect &designBounds, bool rightAligned);
    void setCaption(const QString &text);

private:
    int m_anchorX; // left edge, or right edge (exclusive) when right-aligned
    bool m_rightAligned;
};

// An image stretched to its frame that reports clicks.
class ImageBox : public QLabel {
    Q_OBJECT
public:
    ImageBox(QWidget *parent, const char *name, const QRect &bounds, const QImage &image);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace platform
