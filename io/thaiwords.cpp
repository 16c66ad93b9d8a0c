// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "thaiwords.h"

namespace io {

QString thaiUnitWord(engine::TimeUnit unit)
{
    switch (unit) {
    case engine::TimeUnit::Minute:
        return QStringLiteral("นาที");
    case engine::TimeUnit::Hour:
        return QStringLiteral("ชั่วโมง");
    case engine::TimeUnit::Day:
        break;
    case engine::TimeUnit::Week:
        return QStringLiteral("สัปดาห์");
    }
    return QStringLiteral("วัน");
}

QString thaiLinkTypeName(engine::LinkType type)
{
    switch (type) {
    case engine::LinkType::FinishToStart:
        break;
    case engine::LinkType::StartToStart:
        return QStringLiteral("เริ่ม-เริ่ม");
    case engine::LinkType::FinishToFinish:
        return QStringLiteral("เสร็จ-เสร็จ");
    case engine::LinkType::StartToFinish:
        return QStringLiteral("เริ่ม-เสร็จ");
    }
    return QStringLiteral("เสร็จ-เริ่ม");
}

QString withArabicDigits(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= 0x0E50 && c.unicode() <= 0x0E59)
            c = QChar(u'0' + (c.unicode() - 0x0E50));
    }
    return text;
}

} // namespace io
