// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace platform {

// A button glyph: a strip of two equal square images side by side, the normal one then
// the greyed one shown while the button is disabled. The colour of each image's
// bottom-left pixel is transparent.
QIcon glyphFromStrip(const QImage &strip);

// The glyph strip stored as a resource (":/glyphs/...").
QIcon glyphResource(const QString &resourcePath);

} // namespace platform
