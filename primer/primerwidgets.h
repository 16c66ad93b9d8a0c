// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "controls.h"
#include "networkgeometry.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

// The building blocks the primer's pages are made of: headings, borderless text blocks,
// pictures, the page-turning controls, bordered tables and the small node drawings.
namespace primer {

const QColor kPageColor(255, 255, 255);
const QColor kHeadingRed(255, 0, 0);
const QColor kHeadingBlue(0, 0, 255);
const QColor kCaptionGrey(128, 128, 128);
const QColor kOlive(128, 128, 0);

// Where the text of a page begins, and how wide it runs.
constexpr int kPageMargin = 22;
constexpr int kPageTextWidth = 946;

// One page of the primer: a lowered white panel.
QFrame *makePage(QWidget *sheet, const char *name, const QRect &bounds);

// The height a text block of the given width needs to show all of the text, wrapped as
// the block wraps it.
int fittedTextHeight(const QString &text, const QFont &font, int width);

// A one-line label exactly as wide and high as its text in the given font.
QLabel *makeHeading(QWidget *parent, const char *name, QPoint topLeft, const QString &text,
                    const QFont &font, const QColor &color);

// A borderless, editable multi-line text box on the page's white, as high as its text
// needs at the given width.
QPlainTextEdit *makeTextBlock(QWidget *parent, const char *name, QPoint topLeft, int width,
                              const QString &text, const QColor &color = Qt::black);
QPlainTextEdit *makeTextBlock(QWidget *parent, const char *name, QPoint topLeft, int width,
                              const QString &text, const QColor &color, const QFont &font);

// Stacks the rows of a page from the top down, then hands the room left at the bottom
// out to the gaps between the rows, so every page fills its height with the font
// metrics at hand. A row is every widget added after rowTop() until the next rowTop().
class PageFlow {
public:
    PageFlow(int top, int bottom);

    // Where the next row begins, the given gap below the lowest widget so far.
    int rowTop(int gap);
    QWidget *add(QWidget *widget);
    // Moves the rows down, each gap growing by the same amount, at most maxExtra.
    void spread(int maxExtra);

private:
    struct Row {
        std::vector<QWidget *> widgets;
    };
    std::vector<Row> m_rows;
    int m_top;
    int m_bottom;
    int m_lowest;
};

// A picture from the compiled-in JPEGs, stretched to its frame.
platform::ImageBox *makePicture(QWidget *parent, const char *name, const QRect &bounds,
                                const QString &resource);

// The same, with the white around the drawing left transparent, so the pieces of a node
// drawing may overlap without one blanking the other.
platform::ImageBox *makeKeyedPicture(QWidget *parent, const char *name, const QRect &bounds,
                                     const QString &resource);

// The next-page picture at the page's top right with its grey caption left of it; only
// the picture reacts to a click.
platform::ImageBox *makeNextPageControl(QWidget *page, const char *imageName,
                                        const char *captionName);

// The red cross at the page's top right that closes the page.
platform::ImageBox *makeClosePageControl(QWidget *page, const char *imageName);

// A table of bordered cells: a dark container whose 1-pixel gaps between the cells are
// the grid lines. Cells are labels named "r<row>c<column>" after their top-left slot.
class CellGrid : public QWidget {
    Q_OBJECT
public:
    CellGrid(QWidget *parent, const char *name, QPoint topLeft, std::vector<int> columnWidths,
             std::vector<int> rowHeights, const QFont &font);

    QLabel *addCell(int row, int column, const QString &text, const QColor &color, int rowSpan = 1,
                    int columnSpan = 1);

private:
    int left(int column) const;
    int top(int row) const;

    std::vector<int> m_columnWidths;
    std::vector<int> m_rowHeights;
    QFont m_font;
};

// A borderless panel that reports a click on its own background only; a click on one of
// its children (a circle, a letter, an arrow picture) does nothing.
class BackgroundClickPanel : public QFrame {
    Q_OBJECT
public:
    BackgroundClickPanel(QWidget *parent, const char *name, const QRect &bounds,
                         const QColor &color);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressedOnBackground = false;
};

// Places the circles and arrows of an activity-on-node drawing on the shared grid. A
// slot (column, row) is a circle centre relative to the drawing's origin. The prefix
// keeps the names of two drawings apart.
class NodeDrawing {
public:
    NodeDrawing(QWidget *parent, const QString &prefix, QPoint origin, const QFont &textFont);

    // A circle named prefix + "Node" + key, with its text centred inside in a label named
    // prefix + "NodeText" + key.
    platform::ImageBox *addNode(const QString &key, int column, int row, const QString &text);
    // An arrow named prefix + "Arrow" + key, leaving the circle at (column, row).
    platform::ImageBox *addArrow(const QString &key, int column, int row, ArrowKind kind);

private:
    QPoint centre(int column, int row) const;

    QWidget *m_parent;
    QString m_prefix;
    QPoint m_origin;
    QFont m_textFont;
};

} // namespace primer
