// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include <QByteArray>
#include <QFont>
#include <QStringList>

#include <optional>

namespace platform {

// The two Thai families the layouts are designed for. Where a family is not installed
// a free Thai stand-in is used that keeps the designed text widths (see fonts.cpp).
// Sizes are character heights in pixels.
QFont browalliaFont(int pixelHeight, bool bold = false);
QFont sarabunFont(int pixelHeight, bool bold = false);

// The fonts a copy of the program carries with it (the Windows zip's "fonts" folder beside
// the program: TLWG Laksaman, the stand-in above) are added for this run only, so a machine
// without the designed families still shows Thai as designed. Every .ttf and .otf file in
// `folder` is added; returns the families added, and names in `refused` the files that are
// not fonts. A missing folder adds nothing.
QStringList addBundledFonts(const QString &folder, QStringList *refused = nullptr);

// The platform the program starts Qt with on Windows, given QT_QPA_PLATFORM as set and the
// command line: the windows platform with FreeType drawing the text, unless the user chose a
// platform or a font engine. FreeType draws the unhinted Thai captions with the same advances
// and anti-aliasing as on Linux, against which every designed box was measured; Qt's default
// engine draws them heavier (DirectWrite) or aliased and hinted (GDI, where DirectWrite is
// missing). Empty when the choice is left as it is.
std::optional<QByteArray> windowsPlatformWithFontEngine(const QByteArray &environment,
                                                        const QStringList &arguments);

} // namespace platform
