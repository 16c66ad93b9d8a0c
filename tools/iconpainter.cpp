// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Paints the desktop icon: the title picture's steel gear with a stream of 0 and 1 across it,
// on a transparent background, at every size the desktop asks for.
//
// Rerun after a change:
//     cmake --build <build dir> --target iconpainter
//     QT_QPA_PLATFORM=offscreen <build dir>/tools/iconpainter <repository root>
// It overwrites packaging/icons/hicolor/<n>x<n>/apps/example.c_seed_def725b8.crashkit.png and,
// for Windows, packaging/windows/crashkit.ico (the program) and crashkit-project.ico (its
// .crashkit files: the gear on a page) (the build needs -DCRASHKIT_BUILD_TOOLS=ON, as
// scripts/build.sh sets).

#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
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
#include <vector>

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

// A page with a folded corner and the gear on it: how Windows shows a .crashkit file.
QImage paintDocumentIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / design, size / design);
    constexpr double left = 40.0, right = 216.0, top = 8.0, bottom = 248.0, fold = 56.0;
    QPainterPath page;
    page.moveTo(left, top);
    page.lineTo(right - fold, top);
    page.lineTo(right, top + fold);
    page.lineTo(right, bottom);
    page.lineTo(left, bottom);
    page.closeSubpath();
    painter.fillPath(page, QColor(252, 252, 250));
    painter.setPen(QPen(QColor(90, 100, 120), size < 32 ? 10.0 : 5.0));
    painter.drawPath(page);
    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    painter.fillPath(corner, QColor(214, 220, 230));
    painter.drawPath(corner);
    // Lines of text above the gear, only where they are more than a smudge.
    if (size >= 32) {
        painter.setPen(QPen(QColor(150, 160, 178), 7.0, Qt::SolidLine, Qt::RoundCap));
        for (const double y : {46.0, 72.0, 98.0})
            painter.drawLine(QPointF(left + 24.0, y),
                             QPointF(y < 60.0 ? right - fold - 16.0 : right - 24.0, y));
    }
    painter.resetTransform();
    const int gearSize = size * 5 / 8;
    painter.drawImage(
        QPointF(size / 2.0 - gearSize / 2.0, size - gearSize - size / 16.0),
        paintIcon(std::max(gearSize, 16))
            .scaled(gearSize, gearSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.end();
    return icon;
}

// A Windows icon file holding one PNG-compressed image per size (read by Windows Vista and
// later, and by windres, which copies the images into the program's resources).
QByteArray iconFile(const std::vector<QImage> &images)
{
    std::vector<QByteArray> pngs;
    for (const QImage &image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngs.push_back(png);
    }
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int side = images[i].width();
        out << quint8(side >= 256 ? 0 : side) << quint8(side >= 256 ? 0 : side) << quint8(0)
            << quint8(0) << quint16(1) << quint16(32) << quint32(pngs[i].size()) << offset;
        offset += static_cast<quint32>(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        out.writeRawData(png.constData(), static_cast<int>(png.size()));
    return file;
}

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
    std::vector<QImage> program, document;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        program.push_back(paintIcon(size));
        document.push_back(paintDocumentIcon(size));
    }
    for (const auto &[name, images] :
         {std::pair {QStringLiteral("crashkit.ico"), program},
          std::pair {QStringLiteral("crashkit-project.ico"), document}}) {
        const QString file = root.filePath(QStringLiteral("packaging/windows/") + name);
        if (!root.mkpath(QStringLiteral("packaging/windows"))
            || !writeFile(file, iconFile(images))) {
            err << "cannot write " << file << '\n';
            return 1;
        }
    }
    return 0;
}
