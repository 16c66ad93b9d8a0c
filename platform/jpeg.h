// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// Decodes a baseline or progressive JPEG with Qt's JPEG image plugin into an RGB32 image.
// Returns a null image for data that is not a complete, decodable JPEG of at most
// 16384 x 16384 pixels, and when the plugin is missing; never aborts the program.
QImage decodeJpeg(const QByteArray &data);

// Decodes a JPEG compiled in as a Qt resource (":/..." path), once per path.
QImage jpegResource(const QString &resourcePath);

// Whether Qt found its JPEG image plugin (imageformats/libqjpeg), without which every
// picture of the program would stay blank. Needs a QGuiApplication.
bool canDecodeJpeg();

// The error text for a missing JPEG plugin: what is missing and where Qt looked.
QString missingJpegSupportMessage();

} // namespace platform
