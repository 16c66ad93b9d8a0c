// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "applicationerror.h"
#include "messagebox.h"

#include <QObject>

#include <utility>

namespace platform {

// Runs one event handler. A failure ends the handler where it stands and is shown in
// the application-level error box; nothing unwinds into the event loop.
template<typename Handler> void runGuarded(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const ApplicationError &error) {
        showApplicationError(error.message());
    }
}

// Connects a signal to a handler method of the receiver through the guard.
template<typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Receiver *receiver,
                                       void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, handler] { runGuarded([&] { (receiver->*handler)(); }); });
}

} // namespace platform
