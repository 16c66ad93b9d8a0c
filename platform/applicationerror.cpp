// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "applicationerror.h"

namespace platform {

ApplicationError::ApplicationError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8())
{
}

ConversionError::ConversionError(QString offendingText)
    : ApplicationError(QStringLiteral("'%1' is not a valid integer value.").arg(offendingText)),
      m_text(std::move(offendingText))
{
}

} // namespace platform
