// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"
#include "schedule.h"

#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;
class QPagedPaintDevice;
class QRectF;

namespace project {

// Paints a picture (the network, the curve) into a rectangle of a painter.
using PicturePainter = std::function<void(QPainter *painter, const QRectF &target)>;

// Writes the picture as PNG (at `size` x 2 pixels, so it is crisp) or SVG (at `size`),
// chosen by the path's extension; the file is replaced whole or not at all. Returns an
// empty string on success, else the reason in Thai with the path.
QString exportPicture(const QString &path, const QSizeF &size, const PicturePainter &paint);

// What a report holds: the activity table, the CPM table, the network, the crashing log and
// the least-cost answer, the curve, the Gantt chart.
struct ReportContent {
    QString title;
    const engine::Project *project = nullptr; // sound
    const engine::Schedule *schedule = nullptr; // at normal durations
    QSizeF networkSize; // the network drawing's natural size
    PicturePainter paintNetwork;
    QString crashingLog; // empty when no run was made
    QString leastCostText;
    PicturePainter paintCurve;
    QSizeF ganttSize; // the Gantt chart's natural size
    PicturePainter paintGantt;
};

// Lays the report out on the device's pages (A4 portrait for PDF, what the print dialog
// chose for a printer), Thai text in the program's fonts; returns the number of pages.
int paintReport(QPagedPaintDevice *device, const ReportContent &content);

// The report as a PDF file through QPdfWriter (written to a temporary file, then renamed
// into place). Returns an empty string on success, else the reason in Thai with the path.
QString writePdfReport(const QString &path, const ReportContent &content, int *pageCount = nullptr);

} // namespace project
