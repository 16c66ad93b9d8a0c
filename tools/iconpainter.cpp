// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Paints the desktop icon: the title picture's steel gear with a stream of 0 and 1 across it,
// on a transparent background, at every size the desktop asks for.
//
// Rerun after a change:
//     cmake --build <build dir> --target iconpainter
//     QT_QPA_PLATFORM=offscreen <build dir>/tools/iconpainter <repository root>
// It overwrites packaging/icons/hicolor/<n>x<n>/apps/example.c_seed_def725b8.crashkit.png
// (the build needs -DCRASHKIT_BUILD_TOOLS=ON, as scripts/build.sh sets).

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "gearoutline.h"
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// Everything is laid out on a 256-pixel square and scaled to the wanted size.
constexpr double design = 256.0;
const QPointF centre(128.0, 128.0);
constexpr double rootRadius = 84.0;
constexpr double tipRadius = 106.0;

QPainterPath gearOutline(int teeth)
{
    return ::gearOutline(centre, rootRadius, tipRadius, teeth);
}

// The digits get larger and fewer as the icon shrinks, so they stay a visible texture.
void paintDigitStream(QPainter &painter, int size, bool onMetal)
{
    QRandomGenerator digits(20240611);
    const bool small = size < 64;
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(small ? 34 : 20);
    font.setBold(true);
    painter.setFont(font);
    painter.save();
    painter.translate(centre);
    painter.rotate(-24.0);
    const int rows = small ? 3 : 5;
    const double rowGap = small ? 34.0 : 21.0;
    const double columnGap = small ? 22.0 : 13.5;
    constexpr double reachEnd = 122.0;
    for (int row = 0; row < rows; ++row) {
        const double y = (row - (rows - 1) / 2.0) * rowGap;
        const double shift = (row % 2) * columnGap / 2.0;
        for (double x = -reachEnd + shift; x <= reachEnd; x += columnGap) {
            const QString digit
                = digits.bounded(2) == 0 ? QStringLiteral("0") : QStringLiteral("1");
            const double fade = std::clamp((1.0 - std::abs(x) / reachEnd) / 0.35, 0.0, 1.0);
            const double flicker = onMetal ? 0.85 + 0.15 * digits.generateDouble()
                                           : 0.80 + 0.20 * digits.generateDouble();
            const double mix = static_cast<double>(row) / (rows - 1);
            QColor colour = onMetal ? QColor(150, 255, 110)
                                    : QColor::fromRgbF(0.05f, static_cast<float>(0.66 - 0.16 * mix),
                                                       static_cast<float>(0.30 + 0.55 * mix));
            colour.setAlphaF(static_cast<float>(fade * flicker));
            painter.setPen(colour);
            painter.drawText(QRectF(x - columnGap, y - rowGap / 2.0, 2.0 * columnGap, rowGap),
                             Qt::AlignCenter, digit);
        }
    }
    painter.restore();
}

QImage paintIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / design, size / design);

    // Tiny icons get fewer, broader teeth so the outline still reads as a gear.
    const QPainterPath gear = gearOutline(size < 32 ? 8 : 12);
    painter.fillPath(gear.translated(4.0, 6.0), QColor(0, 20, 60, 70));

    QLinearGradient steel(centre + QPointF(-90, -90), centre + QPointF(90, 90));
    steel.setColorAt(0.0, QColor(196, 214, 236));
    steel.setColorAt(0.45, QColor(118, 146, 186));
    steel.setColorAt(1.0, QColor(44, 64, 104));
    painter.fillPath(gear, steel);

    painter.setClipPath(gear);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 48, 86, 150), 4.0));
    painter.drawEllipse(centre, 73.0, 73.0);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 2.5));
    painter.drawEllipse(centre + QPointF(-1.2, -1.2), 70.0, 70.0);
    QRadialGradient hub(centre + QPointF(-8, -8), 36.0);
    hub.setColorAt(0.0, QColor(236, 242, 250));
    hub.setColorAt(1.0, QColor(96, 120, 160));
    painter.setPen(QPen(QColor(30, 48, 86), 2.5));
    painter.setBrush(hub);
    painter.drawEllipse(centre, 30.0, 30.0);
    painter.setClipping(false);

    // The bore stays see-through, as the holes do.
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, rootRadius * 0.13, rootRadius * 0.13);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    painter.setPen(QPen(QColor(24, 38, 70), size < 64 ? 6.0 : 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(gear);

    // Below 24 pixels a digit would be a single grey dot that only muddies the gear.
    if (size >= 24) {
        QPainterPath offMetal;
        offMetal.addRect(QRectF(0.0, 0.0, design, design));
        painter.setClipPath(offMetal.subtracted(gear));
        paintDigitStream(painter, size, false);
        painter.setClipPath(gear);
        paintDigitStream(painter, size, true);
    }
    painter.end();
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: iconpainter <repository root>\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("packaging/icons/hicolor/%1x%1/apps").arg(size);
        // Named by the program's desktop id, as the desktop entry's Icon= names it.
        const QString file
            = root.filePath(folder + QStringLiteral("/example.c_seed_def725b8.crashkit.png"));
        if (!root.mkpath(folder) || !paintIcon(size).save(file)) {
            err << "cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
