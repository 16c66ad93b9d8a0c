// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Paints the title-page gear picture and the six button glyph strips, so the compiled-in
// pictures can be reproduced and changed from source instead of living as opaque binaries.
//
// Rerun after a change:
//     cmake --build <build dir> --target assetpainter
//     QT_QPA_PLATFORM=offscreen <build dir>/tools/assetpainter <repository root>
// It overwrites assets/main/gear.jpg and assets/glyphs/<name>.bmp; the output does not
// depend on the machine except through the monospace font that draws the binary digits.

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

constexpr QRgb glyphKey = qRgb(0, 128, 128);
constexpr int glyphSide = 16;

// Rows of 0 and 1 along a band tilted through the centre; the band fades out before the
// picture's corners so the picture blends into the white panel.
void paintDigitStream(QPainter &painter, QPointF centre, bool onMetal)
{
    QRandomGenerator digits(20240611);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.save();
    painter.translate(centre);
    painter.rotate(-24.0);
    constexpr int rows = 5;
    constexpr double rowGap = 11.0;
    constexpr double columnGap = 7.5;
    for (int row = 0; row < rows; ++row) {
        const double y = (row - (rows - 1) / 2.0) * rowGap;
        const double shift = (row % 2) * columnGap / 2.0;
        for (double x = -124.0 + shift; x <= 124.0; x += columnGap) {
            const QString digit
                = digits.bounded(2) == 0 ? QStringLiteral("0") : QStringLiteral("1");
            const double reach = std::abs(x) / 124.0;
            const double fade = std::clamp((1.0 - reach) / 0.35, 0.0, 1.0);
            // Both passes draw the same digits, so the stream stays continuous across the rim.
            const double flicker
                = (onMetal ? 0.85 : 0.55) + (onMetal ? 0.15 : 0.45) * digits.generateDouble();
            const int alpha = static_cast<int>(255.0 * fade * flicker);
            const double mix = static_cast<double>(row) / (rows - 1);
            QColor colour = onMetal ? QColor(150, 255, 110)
                                    : QColor::fromRgbF(0.0f, static_cast<float>(0.55 - 0.15 * mix),
                                                       static_cast<float>(0.20 + 0.55 * mix));
            colour.setAlpha(alpha);
            painter.setPen(colour);
            painter.drawText(QRectF(x - 5.0, y - 7.0, 10.0, 14.0), Qt::AlignCenter, digit);
        }
    }
    painter.restore();
}

QImage paintGear()
{
    QImage picture(201, 202, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QPointF centre(100.5, 101.0);
    const QPainterPath gear = gearOutline(centre, 66.0, 80.0, 12);

    painter.fillPath(gear.translated(3.0, 4.0), QColor(0, 20, 60, 45));

    QLinearGradient steel(centre + QPointF(-70, -70), centre + QPointF(70, 70));
    steel.setColorAt(0.0, QColor(196, 214, 236));
    steel.setColorAt(0.45, QColor(118, 146, 186));
    steel.setColorAt(1.0, QColor(44, 64, 104));
    painter.fillPath(gear, steel);

    // A darker groove inside the rim and a raised hub give the flat outline some depth.
    painter.setClipPath(gear);
    painter.setPen(QPen(QColor(30, 48, 86, 150), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 57.0, 57.0);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
    painter.drawEllipse(centre + QPointF(-0.8, -0.8), 55.0, 55.0);
    QRadialGradient hub(centre + QPointF(-6, -6), 28.0);
    hub.setColorAt(0.0, QColor(236, 242, 250));
    hub.setColorAt(1.0, QColor(96, 120, 160));
    painter.setPen(QPen(QColor(30, 48, 86), 1.5));
    painter.setBrush(hub);
    painter.drawEllipse(centre, 23.0, 23.0);
    painter.setClipping(false);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 66.0 * 0.13, 66.0 * 0.13);
    painter.fillRect(QRectF(centre.x() - 2.5, centre.y() - 66.0 * 0.13 - 3.0, 5.0, 4.0),
                     QColor(30, 48, 86));

    painter.setPen(QPen(QColor(24, 38, 70), 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(gear);

    QPainterPath offMetal;
    offMetal.addRect(picture.rect());
    painter.setClipPath(offMetal.subtracted(gear));
    paintDigitStream(painter, centre, false);
    painter.setClipPath(gear);
    paintDigitStream(painter, centre, true);
    return picture;
}

// One character a pixel; every character not in the palette is the background key.
QImage glyphFromPixels(const std::array<const char *, glyphSide> &rows)
{
    auto colourOf = [](char code) -> QRgb {
        switch (code) {
        case 'k':
            return qRgb(0, 0, 0);
        case 'K':
            return qRgb(64, 64, 64);
        case 'g':
            return qRgb(128, 128, 128);
        case 's':
            return qRgb(192, 192, 192);
        case 'w':
            return qRgb(255, 255, 255);
        case 'r':
            return qRgb(240, 0, 0);
        case 'R':
            return qRgb(128, 0, 0);
        case 'y':
            return qRgb(255, 255, 0);
        case 'Y':
            return qRgb(255, 255, 192);
        case 'o':
            return qRgb(224, 128, 0);
        case 'b':
            return qRgb(0, 64, 255);
        case 'B':
            return qRgb(0, 0, 128);
        case 'c':
            return qRgb(96, 200, 255);
        case 'G':
            return qRgb(0, 128, 0);
        case 'l':
            return qRgb(0, 220, 0);
        case 'h':
            return qRgb(255, 204, 160);
        case 'H':
            return qRgb(200, 136, 88);
        default:
            return glyphKey;
        }
    };
    QImage glyph(glyphSide, glyphSide, QImage::Format_RGB32);
    glyph.fill(glyphKey);
    QPainter painter(&glyph);
    for (int y = 0; y < glyphSide; ++y) {
        const char *row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < glyphSide && row[x] != '\0'; ++x) {
            if (colourOf(row[x]) != glyphKey)
                painter.fillRect(x, y, 1, 1, QColor(colourOf(row[x])));
        }
    }
    return glyph;
}

// The classic greyed look: the darker half of the picture in shadow grey over a white copy
// shifted one pixel down and right, so the shape looks pressed into the button face.
QImage greyedGlyph(const QImage &normal)
{
    auto inked = [&](int x, int y) {
        const QRgb pixel = normal.pixel(x, y);
        return pixel != glyphKey && qGray(pixel) < 170;
    };
    QImage greyed(glyphSide, glyphSide, QImage::Format_RGB32);
    greyed.fill(glyphKey);
    QPainter painter(&greyed);
    for (int y = 0; y + 1 < glyphSide; ++y)
        for (int x = 0; x + 1 < glyphSide; ++x)
            if (inked(x, y))
                painter.fillRect(x + 1, y + 1, 1, 1, Qt::white);
    for (int y = 0; y < glyphSide; ++y)
        for (int x = 0; x < glyphSide; ++x)
            if (inked(x, y))
                painter.fillRect(x, y, 1, 1, QColor(128, 128, 128));
    return greyed;
}

QImage glyphStrip(const QImage &normal)
{
    QImage strip(2 * glyphSide, glyphSide, QImage::Format_RGB32);
    QPainter painter(&strip);
    painter.drawImage(0, 0, normal);
    painter.drawImage(glyphSide, 0, greyedGlyph(normal));
    return strip;
}

struct GlyphArt {
    const char *name;
    std::array<const char *, glyphSide> rows;
};

// Network nodes of three shapes joined by dotted arrows.
const GlyphArt buildArt {
    "build",
    {"................", "..kkk......kkkkk", ".kyyyk.....kbbbk", ".kyyyk.g.g.kbbbk",
     ".kyyyk.....kbbbk", "..kkk......kkkkk", "...g.........g..", "...g........g...",
     "....g......g....", "....g.....g.....", ".....g...g......", ".......k........",
     "......krk.......", ".....krrrk......", "....kkkkkkk.....", "................"}};

const GlyphArt editArt {
    "edit",
    {"............kk..", "kkkkkkkkk...kRRk", "kwwwwwwwk..kyyk.", "kwgggggwk.kyyk..",
     "kwwwwwwwkkyyk...", "kwggggwwkyyk....", "kwwwwwwkyyk.....", "kwgggwwkyk......",
     "kwwwwwhhhk......", "kwggghhhhhh.....", "kwwwwHhhhhhh....", "kwgggwHhhhhhB...",
     "kwwwwwwHhhhBBB..", "kkkkkkkkHHBBBBB.", "..........BBBBB.", "...........BBB.."}};

const GlyphArt checkArt {
    "save",
    {"................", "................", ".............RR.", "............RrrR",
     "...........RrrR.", "..........RrrR..", ".RR......RrrR...", "RrrR....RrrR....",
     "RrrrR..RrrR.....", ".RrrrRRrrR......", "..RrrrrrR.......", "...RrrrR........",
     "....RrR.........", ".....R..........", "................", "................"}};

// A blank sheet with a turned-down corner and a sparkle that marks it as new.
const GlyphArt pageArt {
    "startover",
    {"..o.............", "..okkkkkkkk.....", "ooYookwwwwkk....", "..okwwwwwwksk...",
     "..okwwwwwwkssk..", "...kwwwwwwkkkkk.", "...kwwwwwwwwwwkg", "...kwwwwwwwwwwkg",
     "...kwwwwwwwwwwkg", "...kwwwwwwwwwwkg", "...kwwwwwwwwwwkg", "...kwwwwwwwwwwkg",
     "...kwwwwwwwwwwkg", "...kwwwwwwwwwwkg", "...kkkkkkkkkkkkg", "....gggggggggggg"}};

const GlyphArt bulbArt {
    "crash",
    {".....kkkkkk.....", "...kkyyyyyykk...", "..kyywwyyyyyyk..", "..kywwyyyyyyyk..",
     ".kyywyyyyyyyyyk.", ".kyyyyooooyyyyk.", ".kyyyoyyyyoyyyk.", ".kyyyyoyyoyyyyk.",
     "..kyyyyooyyyyk..", "..kyyyyooyyyyk..", "...kyyyooyyyk...", "....kkkkkkkk....",
     "....kssssssk....", "....kggggggk....", "....kssssssk....", "......kkkk......"}};

// The prohibition sign is round, so it is computed rather than typed in.
QImage prohibitionGlyph()
{
    QImage glyph(glyphSide, glyphSide, QImage::Format_RGB32);
    glyph.fill(glyphKey);
    QPainter painter(&glyph);
    for (int y = 0; y < glyphSide - 1; ++y) {
        for (int x = 1; x < glyphSide; ++x) {
            const double dx = x - 8.0;
            const double dy = y - 7.0;
            const double distance = std::hypot(dx, dy);
            QColor colour;
            if (distance > 7.3)
                continue;
            if (distance > 6.4)
                colour = QColor(128, 0, 0);
            else if (distance > 4.3 || std::abs(dx - dy) < 1.1)
                colour = QColor(240, 0, 0);
            else
                colour = Qt::white;
            painter.fillRect(x, y, 1, 1, colour);
        }
    }
    return glyph;
}

bool save(const QImage &image, const QString &path, const char *format, int quality)
{
    if (!image.save(path, format, quality)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << "wrote " << path << '\n';
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: assetpainter <repository root>\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("assets/main"))
        || !root.mkpath(QStringLiteral("assets/glyphs"))) {
        QTextStream(stderr) << "cannot create the asset folders under " << root.path() << '\n';
        return 1;
    }

    bool written
        = save(paintGear(), root.filePath(QStringLiteral("assets/main/gear.jpg")), "JPG", 92);
    for (const GlyphArt *art : {&buildArt, &editArt, &checkArt, &pageArt, &bulbArt}) {
        const QString path
            = root.filePath(QStringLiteral("assets/glyphs/%1.bmp").arg(QLatin1String(art->name)));
        written = save(glyphStrip(glyphFromPixels(art->rows)), path, "BMP", -1) && written;
    }
    written = save(glyphStrip(prohibitionGlyph()),
                   root.filePath(QStringLiteral("assets/glyphs/cancel.bmp")), "BMP", -1)
        && written;
    return written ? 0 : 1;
}
