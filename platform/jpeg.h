// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a baseline or progressive JPEG with libjpeg. Returns a null image for data
// that is not a decodable JPEG; never aborts the program.
QImage decodeJpeg(const QByteArray &data);

// Decodes a JPEG compiled in as a Qt resource (":/..." path), once per path.
QImage jpegResource(const QString &resourcePath);
