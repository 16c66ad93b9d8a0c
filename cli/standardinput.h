// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "projectfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

namespace cli {

// Everything on a stream up to its end, or why not: more than io::kMaxFileSize bytes (the
// reading stops one byte beyond) or a read error. The problem is a sentence for the user.
struct StreamBytes {
    QByteArray bytes;
    QString problem; // empty when the whole stream was read
};
StreamBytes readToEnd(std::FILE *stream);

// The form of a project given without a file name, by its first significant bytes: after a
// UTF-8 byte order mark and blanks, `{` starts a .crashkit file and `<` an XML one, whose
// first element (after any XML declaration, processing instructions, comments and
// DOCTYPE) is GanttProject's <project> or else taken for Microsoft Project's <Project>;
// anything else is CSV.
io::FileFormat guessFormat(QByteArrayView bytes);

} // namespace cli
