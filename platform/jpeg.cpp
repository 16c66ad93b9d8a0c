// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "jpeg.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QStringList>

namespace platform {
namespace {

constexpr int kMaxSide = 16384;

// Every JPEG ends with its end-of-image marker. The decoder only warns when the data stops
// early and pads the missing rows with grey, so a file cut short is refused here.
bool endsWithEndOfImage(const QByteArray &data)
{
    return data.endsWith(QByteArrayLiteral("\xFF\xD9"));
}

} // namespace

QImage decodeJpeg(const QByteArray &data)
{
    if (!endsWithEndOfImage(data))
        return {};
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > kMaxSide || size.height() > kMaxSide)
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage jpegResource(const QString &resourcePath)
{
    // Pictures are shown in several places; each is decoded once. QImage shares its data,
    // so the cached copies cost nothing more.
    static QHash<QString, QImage> decoded;
    const auto found = decoded.constFind(resourcePath);
    if (found != decoded.constEnd())
        return *found;
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QImage image = decodeJpeg(file.readAll());
    decoded.insert(resourcePath, image);
    return image;
}

bool canDecodeJpeg()
{
    return QImageReader::supportedImageFormats().contains("jpeg");
}

QString missingJpegSupportMessage()
{
    return QStringLiteral("Qt's JPEG image plugin (imageformats/libqjpeg) was not found, so the "
                          "pictures cannot be shown. On Debian it comes with the package "
                          "libqt6gui6. Plugin folders searched: %1")
        .arg(QCoreApplication::libraryPaths().join(QStringLiteral(", ")));
}

} // namespace platform
