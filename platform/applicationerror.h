// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace platform {

// The one kind of failure that may end an event handler early. The handler guard
// catches it and shows its message in the application-level error box; steps done
// before the throw stay done.
class ApplicationError : public std::exception {
public:
    explicit ApplicationError(QString message);
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that is not a whole number in the 32-bit signed range.
class ConversionError : public ApplicationError {
public:
    explicit ConversionError(QString offendingText);
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

} // namespace platform
