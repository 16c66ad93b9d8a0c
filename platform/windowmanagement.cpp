// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "windowmanagement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QWidget>

namespace platform {

QSize clientSizeFor(QSize outerSize)
{
    return outerSize - QSize(8, 34);
}

void setOuterSize(QWidget *window, QSize outerSize)
{
    window->resize(clientSizeFor(outerSize));
}

void centreOnDesktop(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(desktop.center());
    window->move(frame.topLeft());
}

void showModeless(QWidget *window)
{
    if (!window->isVisible())
        window->show();
    window->raise();
    window->activateWindow();
}

bool isTurningVisible(const QShowEvent *event)
{
    return !event->spontaneous();
}

} // namespace platform
