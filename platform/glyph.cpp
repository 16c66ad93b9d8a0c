// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "glyph.h"

#include <QPixmap>

namespace platform {
namespace {

QPixmap withTransparentKey(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QIcon glyphFromStrip(const QImage &strip)
{
    QIcon icon;
    if (strip.isNull())
        return icon;
    const int side = strip.height();
    icon.addPixmap(withTransparentKey(strip.copy(0, 0, side, side)), QIcon::Normal);
    const QImage disabled = strip.width() >= 2 * side
        ? strip.copy(side, 0, side, side)
        : strip.copy(0, 0, side, side).convertToFormat(QImage::Format_Grayscale8);
    icon.addPixmap(withTransparentKey(disabled), QIcon::Disabled);
    return icon;
}

QIcon glyphResource(const QString &resourcePath)
{
    return glyphFromStrip(QImage(resourcePath));
}

} // namespace platform
