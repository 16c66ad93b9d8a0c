// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "zoomableview.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace project {

namespace {

constexpr double kLeastZoom = 0.1;
constexpr double kMostZoom = 4;
constexpr double kZoomStep = 1.25;

} // namespace

ZoomableView::ZoomableView(QWidget *parent) : QGraphicsView(parent)
{
}

void ZoomableView::zoomIn()
{
    m_fitPending = false;
    scaleBy(kZoomStep);
}

void ZoomableView::zoomOut()
{
    m_fitPending = false;
    scaleBy(1 / kZoomStep);
}

double ZoomableView::zoomFactor() const
{
    return transform().m11();
}

void ZoomableView::fitWhenShown()
{
    m_fitPending = true;
    if (isVisible())
        zoomToFit();
}

void ZoomableView::scaleBy(double factor)
{
    const double now = zoomFactor();
    const double wanted = std::clamp(now * factor, kLeastZoom, kMostZoom);
    if (now > 0 && wanted != now)
        QGraphicsView::scale(wanted / now, wanted / now);
}

void ZoomableView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y();
        if (steps != 0) {
            m_fitPending = false;
            scaleBy(std::pow(kZoomStep, steps / 120.0));
        }
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

// The keys work with the view alone too; in a window whose menu has the same shortcuts, the
// menu's actions take them first and call the same functions.
void ZoomableView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::ZoomIn)
        || (event->modifiers() & Qt::ControlModifier && event->key() == Qt::Key_Equal)) {
        zoomIn();
    } else if (event->matches(QKeySequence::ZoomOut)) {
        zoomOut();
    } else if (event->modifiers() & Qt::ControlModifier && event->key() == Qt::Key_0) {
        m_fitPending = false;
        zoomToFit();
    } else {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ZoomableView::showEvent(QShowEvent *event)
{
    QGraphicsView::showEvent(event);
    if (m_fitPending)
        zoomToFit();
}

void ZoomableView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    if (m_fitPending)
        zoomToFit();
}

} // namespace project
