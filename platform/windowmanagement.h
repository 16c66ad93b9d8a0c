// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QPoint>
#include <QSize>

class QShowEvent;
class QWidget;

namespace platform {

// Layouts give a window's outer size, frame and caption included. The client area is
// the outer size less a typical sizeable frame (4 px a side) and caption bar (26 px).
QSize clientSizeFor(QSize outerSize);
void setOuterSize(QWidget *window, QSize outerSize);

void centreOnDesktop(QWidget *window);

// Modeless show: a hidden window becomes visible (its show handler runs) and comes to
// the front; a visible one only comes to the front.
void showModeless(QWidget *window);

// True when a show event means the window is turning from hidden to visible, not a
// restore from minimised that the window system reports.
bool isTurningVisible(const QShowEvent *event);

} // namespace platform
