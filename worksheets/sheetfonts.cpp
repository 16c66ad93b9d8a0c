// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sheetfonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace worksheets {

namespace {

QString family()
{
    static const QString chosen = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char *wanted : {"TH Sarabun New", "Laksaman", "Garuda", "Loma"}) {
            const QString name = QString::fromLatin1(wanted);
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return QStringLiteral("Laksaman");
    }();
    return chosen;
}

} // namespace

QFont sheetFont(double pointSize, bool bold)
{
    QFont font(family());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace worksheets
