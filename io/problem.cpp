// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "problem.h"

#include <algorithm>

namespace io {

QString shownValue(QStringView text)
{
    constexpr qsizetype kShown = 80;
    QString shown;
    for (qsizetype i = 0; i < text.size() && i < kShown; ++i) {
        const char16_t c = text[i].unicode();
        // Control characters would break the message into lines or hide; show them escaped.
        if (c == u'\n')
            shown += u"\\n";
        else if (c == u'\r')
            shown += u"\\r";
        else if (c == u'\t')
            shown += u"\\t";
        else if (c < 0x20 || c == 0x7f)
            shown += QStringLiteral("\\x%1").arg(unsigned(c), 2, 16, QChar(u'0'));
        else
            shown += QChar(c);
    }
    if (text.size() > kShown)
        shown += u"...";
    return shown;
}

QString shownValue(std::string_view utf8)
{
    // 400 bytes hold at least 100 characters; cut before a continuation byte.
    std::size_t length = std::min<std::size_t>(utf8.size(), 400);
    while (length < utf8.size() && length > 0
           && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80)
        --length;
    return shownValue(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(length)));
}

} // namespace io
