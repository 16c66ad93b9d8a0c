// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QGraphicsView>

namespace project {

// A drawing that zooms: Ctrl+wheel, Ctrl++ / Ctrl+- and Ctrl+0 (fit), from a tenth to four
// times its size. A new drawing is fitted to the window when it is first shown and at each
// resize, until the user zooms. Each view says what fitting means for it.
class ZoomableView : public QGraphicsView {
public:
    void zoomIn();
    void zoomOut();
    virtual void zoomToFit() = 0;
    // The scale of the drawing on screen (1 = one scene unit a pixel).
    double zoomFactor() const;

protected:
    explicit ZoomableView(QWidget *parent);

    // Fits now if the view is shown, else when it is, and again at each resize.
    void fitWhenShown();
    // No fitting until the next drawing.
    void cancelFit() { m_fitPending = false; }
    // Scales by `factor` around the view's centre, within the allowed range.
    void scaleBy(double factor);

    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_fitPending = false;
};

} // namespace project
