// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "primerwidgets.h"

#include "controls.h"
#include "fonts.h"
#include "jpeg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

using platform::jpegResource;
using platform::sarabunFont;

namespace primer {
namespace {

const QColor kGridLine(64, 64, 64);
constexpr int kDocumentMargin = 1;

// JPEG noise leaves the white around a drawing slightly off-white, hence the threshold.
QImage withTransparentWhite(const QImage &image)
{
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (qRed(line[x]) > 236 && qGreen(line[x]) > 236 && qBlue(line[x]) > 236)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return keyed;
}

} // namespace

QFrame *makePage(QWidget *sheet, const char *name, const QRect &bounds)
{
    return platform::makePanel(sheet, name, bounds, kPageColor, platform::Bevel::Lowered);
}

QLabel *makeHeading(QWidget *parent, const char *name, QPoint topLeft, const QString &text,
                    const QFont &font, const QColor &color)
{
    const QFontMetrics metrics(font);
    const QRect bounds(topLeft, QSize(metrics.horizontalAdvance(text) + 2, metrics.height()));
    QLabel *label = platform::makeLabel(parent, name, bounds, text, font);
    platform::setTextColor(label, color);
    return label;
}

// Lays the text out as QPlainTextEdit does: one block a paragraph, lines broken at word
// boundaries within the width less the document margins, the leading included. The box
// shows its last line only with two pixels to spare below the margins.
int fittedTextHeight(const QString &text, const QFont &font, int width)
{
    qreal height = 2 * kDocumentMargin + 2;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal blockHeight = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(width - 2 * kDocumentMargin);
            blockHeight += line.height();
        }
        layout.endLayout();
        height += std::ceil(blockHeight);
    }
    return static_cast<int>(std::ceil(height));
}

QPlainTextEdit *makeTextBlock(QWidget *parent, const char *name, QPoint topLeft, int width,
                              const QString &text, const QColor &color)
{
    return makeTextBlock(parent, name, topLeft, width, text, color, sarabunFont(21));
}

QPlainTextEdit *makeTextBlock(QWidget *parent, const char *name, QPoint topLeft, int width,
                              const QString &text, const QColor &color, const QFont &font)
{
    const QRect bounds(topLeft, QSize(width, fittedTextHeight(text, font, width)));
    auto *block = platform::place(new QPlainTextEdit(parent), name, bounds);
    block->setFrameShape(QFrame::NoFrame);
    block->setFont(font);
    block->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    block->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    block->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    block->document()->setDocumentMargin(kDocumentMargin);
    platform::setBackground(block, kPageColor);
    platform::setTextColor(block, color);
    block->setPlainText(text);
    return block;
}

platform::ImageBox *makePicture(QWidget *parent, const char *name, const QRect &bounds,
                                const QString &resource)
{
    return new platform::ImageBox(parent, name, bounds, jpegResource(resource));
}

platform::ImageBox *makeKeyedPicture(QWidget *parent, const char *name, const QRect &bounds,
                                     const QString &resource)
{
    return new platform::ImageBox(parent, name, bounds,
                                  withTransparentWhite(jpegResource(resource)));
}

platform::ImageBox *makeNextPageControl(QWidget *page, const char *imageName,
                                        const char *captionName)
{
    const QRect picture(page->width() - 65 - 16, 6, 65, 65);
    const QFont font = sarabunFont(21, true);
    const QString caption = QStringLiteral("หน้าถัดไป");
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(caption) + 2;
    // A plain label: a click on it falls through to the page, which ignores it.
    makeHeading(page, captionName,
                QPoint(picture.left() - width - 2, picture.center().y() - metrics.height() / 2 + 4),
                caption, font, kCaptionGrey);
    return makePicture(page, imageName, picture, QStringLiteral(":/primer/next.jpg"));
}

platform::ImageBox *makeClosePageControl(QWidget *page, const char *imageName)
{
    return makePicture(page, imageName, QRect(page->width() - 40 - 18, 10, 40, 38),
                       QStringLiteral(":/primer/close.jpg"));
}

CellGrid::CellGrid(QWidget *parent, const char *name, QPoint topLeft, std::vector<int> columnWidths,
                   std::vector<int> rowHeights, const QFont &font)
    : QWidget(parent), m_columnWidths(std::move(columnWidths)), m_rowHeights(std::move(rowHeights)),
      m_font(font)
{
    const int width = left(static_cast<int>(m_columnWidths.size()));
    const int height = top(static_cast<int>(m_rowHeights.size()));
    platform::place(this, name, QRect(topLeft, QSize(width, height)));
    platform::setBackground(this, kGridLine);
}

int CellGrid::left(int column) const
{
    return std::accumulate(m_columnWidths.begin(), m_columnWidths.begin() + column, 0) + column + 1;
}

int CellGrid::top(int row) const
{
    return std::accumulate(m_rowHeights.begin(), m_rowHeights.begin() + row, 0) + row + 1;
}

QLabel *CellGrid::addCell(int row, int column, const QString &text, const QColor &color,
                          int rowSpan, int columnSpan)
{
    const QRect bounds(QPoint(left(column), top(row)),
                       QPoint(left(column + columnSpan) - 2, top(row + rowSpan) - 2));
    const QByteArray name = QStringLiteral("r%1c%2").arg(row).arg(column).toLatin1();
    QLabel *cell = platform::makeLabel(this, name.constData(), bounds, text, m_font);
    cell->setAlignment(Qt::AlignCenter);
    platform::setBackground(cell, color);
    return cell;
}

BackgroundClickPanel::BackgroundClickPanel(QWidget *parent, const char *name, const QRect &bounds,
                                           const QColor &color)
    : QFrame(parent)
{
    platform::place(this, name, bounds);
    setFrameShape(QFrame::NoFrame);
    platform::setBackground(this, color);
}

// A press that starts on a child reaches this panel only because the child ignored it;
// childAt() tells the two apart.
void BackgroundClickPanel::mousePressEvent(QMouseEvent *event)
{
    m_pressedOnBackground
        = event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr;
    event->accept();
}

void BackgroundClickPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const bool onBackground = rect().contains(at) && childAt(at) == nullptr;
    const bool wasPressed = std::exchange(m_pressedOnBackground, false);
    event->accept();
    if (event->button() == Qt::LeftButton && wasPressed && onBackground)
        emit clicked();
}

NodeDrawing::NodeDrawing(QWidget *parent, const QString &prefix, QPoint origin,
                         const QFont &textFont)
    : m_parent(parent), m_prefix(prefix), m_origin(origin), m_textFont(textFont)
{
}

QPoint NodeDrawing::centre(int column, int row) const
{
    return m_origin + QPoint(column * kColumnStep, row * kRowStep);
}

platform::ImageBox *NodeDrawing::addNode(const QString &key, int column, int row,
                                         const QString &text)
{
    const int side = kCircleSide;
    const QRect bounds(centre(column, row) - QPoint(side / 2, side / 2), QSize(side, side));
    const QByteArray circleName = (m_prefix + QStringLiteral("Node") + key).toLatin1();
    platform::ImageBox *circle
        = makeKeyedPicture(m_parent, circleName.constData(), bounds, circleResource());
    const QByteArray textName = (m_prefix + QStringLiteral("NodeText") + key).toLatin1();
    QLabel *label = platform::makeLabel(circle, textName.constData(), QRect(0, 0, side, side), text,
                                        m_textFont);
    label->setAlignment(Qt::AlignCenter);
    platform::setTextColor(label, QColor(24, 44, 112));
    return circle;
}

platform::ImageBox *NodeDrawing::addArrow(const QString &key, int column, int row, ArrowKind kind)
{
    const ArrowPicture picture = arrowPicture(kind);
    const QByteArray arrowName = (m_prefix + QStringLiteral("Arrow") + key).toLatin1();
    return makeKeyedPicture(m_parent, arrowName.constData(),
                            picture.box.translated(centre(column, row)), picture.resource);
}

PageFlow::PageFlow(int top, int bottom) : m_top(top), m_bottom(bottom), m_lowest(top)
{
}

int PageFlow::rowTop(int gap)
{
    m_rows.push_back({});
    return m_rows.size() == 1 ? m_top : m_lowest + gap;
}

QWidget *PageFlow::add(QWidget *widget)
{
    m_rows.back().widgets.push_back(widget);
    m_lowest = std::max(m_lowest, widget->geometry().bottom() + 1);
    return widget;
}

void PageFlow::spread(int maxExtra)
{
    const int gaps = static_cast<int>(m_rows.size()) - 1;
    if (gaps <= 0 || m_lowest >= m_bottom)
        return;
    const int extra = std::min(maxExtra, (m_bottom - m_lowest) / gaps);
    for (int row = 1; row <= gaps; ++row) {
        for (QWidget *widget : m_rows[static_cast<size_t>(row)].widgets)
            widget->move(widget->x(), widget->y() + row * extra);
    }
    m_lowest += gaps * extra;
}

} // namespace primer
