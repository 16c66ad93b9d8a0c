// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "problem.h"

#include <QStringDecoder>

#include <algorithm>

namespace io {

engine::LinkType engineLinkType(LinkType type)
{
    switch (type) {
    case LinkType::FinishStart:
        break;
    case LinkType::StartStart:
        return engine::LinkType::StartToStart;
    case LinkType::FinishFinish:
        return engine::LinkType::FinishToFinish;
    case LinkType::StartFinish:
        return engine::LinkType::StartToFinish;
    }
    return engine::LinkType::FinishToStart;
}

namespace {

// Whether a character would not be seen, or not for what it is, in a message: format
// characters (zero-width spaces and joiners, U+FEFF, direction marks), blanks other than the
// space (the no-break space, U+3000), line and paragraph separators, C1 controls, halves of
// surrogate pairs and unassigned code points.
bool isHidden(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Separator_Space:
        return c != u' ';
    default:
        return false;
    }
}

} // namespace

QString shownValue(QStringView text)
{
    constexpr qsizetype kShown = 80;
    QString shown;
    qsizetype i = 0;
    for (; i < text.size() && i < kShown; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        // Control characters would break the message into lines or hide; show them escaped.
        if (c == u'\n')
            shown += u"\\n";
        else if (c == u'\r')
            shown += u"\\r";
        else if (c == u'\t')
            shown += u"\\t";
        else if (c < 0x20 || c == 0x7f)
            shown += QStringLiteral("\\x%1").arg(unsigned(c), 2, 16, QChar(u'0'));
        else if (isHidden(c))
            shown += QStringLiteral("<U+%1>").arg(unsigned(c), 4, 16, QChar(u'0')).toUpper();
        else
            shown += QStringView(QChar::fromUcs4(c));
    }
    if (i < text.size())
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
    // A U+FEFF at the start is part of the text here, not a byte order mark to drop.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(length)));
    return shownValue(QStringView(text));
}

} // namespace io
