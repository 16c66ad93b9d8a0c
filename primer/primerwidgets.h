#pragma once

#include "controls.h"
#include "networkgeometry.h"

#include <QColor>
#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QPlainTextEdit;

// The building blocks the primer's pages are made of: headings, borderless text blocks,
// pictures, the page-turning controls, bordered tables and the small node drawings.
namespace primer {

const QColor kPageColor(255, 255, 255);
const QColor kHeadingRed(255, 0, 0);
const QColor kHeadingBlue(0, 0, 255);
const QColor kCaptionGrey(128, 128, 128);
const QColor kOlive(128, 128, 0);

// A one-line label exactly as wide and high as its text in the given font.
QLabel *makeHeading(QWidget *parent, const char *name, QPoint topLeft, const QString &text,
                    const QFont &font, const QColor &color);

// A borderless, editable multi-line text box on the page's white.
QPlainTextEdit *makeTextBlock(QWidget *parent, const char *name, const QRect &bounds,
                              const QString &text, const QColor &color = Qt::black);
QPlainTextEdit *makeTextBlock(QWidget *parent, const char *name, const QRect &bounds,
                              const QString &text, const QColor &color, const QFont &font);

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

    QLabel *addCell(int row, int column, const QString &text, const QColor &color,
                    int rowSpan = 1, int columnSpan = 1);

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
// slot (column, row) is a circle centre relative to the drawing's origin.
class NodeDrawing {
public:
    NodeDrawing(QWidget *parent, QPoint origin, const QFont &textFont);

    // A circle named "Node" plus the key, with its text centred inside in a label named
    // "NodeText" plus the key.
    platform::ImageBox *addNode(const QString &key, int column, int row, const QString &text);
    // An arrow leaving the circle at (column, row).
    platform::ImageBox *addArrow(const QString &name, int column, int row,
                                 primernet::ArrowKind kind);

private:
    QPoint centre(int column, int row) const;

    QWidget *m_parent;
    QPoint m_origin;
    QFont m_textFont;
};

} // namespace primer
