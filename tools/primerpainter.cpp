// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Paints the pictures of the PERT/CPM primer window, so they can be reproduced and changed
// from source instead of living as opaque binaries.
//
// Rerun after a change:
//     cmake --build <build dir> --target primerpainter
//     QT_QPA_PLATFORM=offscreen <build dir>/tools/primerpainter <repository root>
// It overwrites assets/primer/*.jpg. The arrows of the activity-on-node drawings take their
// sizes from primer/networkgeometry.h, the same numbers the window places them with.

#include "networkgeometry.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <vector>

namespace {

const QColor kInk(24, 44, 112);
const QColor kRed(222, 24, 24);
const QColor kDarkRed(128, 0, 0);
const QColor kLightRed(255, 118, 98);
const QColor kNodeFill(255, 247, 204);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void begin(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// A filled arrowhead whose point lies at tip, pointing along the shaft from tail.
QPolygonF arrowHead(QPointF tail, QPointF tip, double length, double halfWidth)
{
    const QPointF along = tip - tail;
    const double norm = std::hypot(along.x(), along.y());
    const QPointF unit = along / norm;
    const QPointF normal(-unit.y(), unit.x());
    const QPointF base = tip - unit * length;
    return QPolygonF({tip, base + normal * halfWidth, base - normal * halfWidth});
}

void drawArrow(QPainter &painter, QPointF tail, QPointF tip, const QColor &color, bool dashed,
               double width = 2.6)
{
    const QPolygonF head = arrowHead(tail, tip, 13.0, 5.5);
    const QPointF along = tip - tail;
    const QPointF unit = along / std::hypot(along.x(), along.y());
    QPen pen(color, width, dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap);
    if (dashed)
        pen.setDashPattern({2.5, 1.8});
    painter.setPen(pen);
    painter.drawLine(tail, tip - unit * 11.0);
    painter.setPen(QPen(color, 1.0));
    painter.setBrush(color);
    painter.drawPolygon(head);
}

// The next-page sign: a thick red arrow curving over the top and down to the right.
QImage nextPagePicture()
{
    QImage image = blank(65, 65);
    QPainter painter(&image);
    begin(painter);
    const QRectF arc(10.0, 16.0, 42.0, 42.0);
    QPainterPath band;
    band.arcMoveTo(arc, 195.0);
    band.arcTo(arc, 195.0, -178.0);
    const QPointF end = band.currentPosition();
    const QPolygonF head(
        {end + QPointF(-11.0, -2.0), end + QPointF(11.0, -2.0), end + QPointF(0.0, 17.0)});

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kDarkRed, 12.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(band);
    painter.setPen(QPen(kDarkRed, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kDarkRed);
    painter.drawPolygon(head);

    QLinearGradient shade(0.0, 14.0, 0.0, 60.0);
    shade.setColorAt(0.0, kLightRed);
    shade.setColorAt(0.55, kRed);
    shade.setColorAt(1.0, QColor(176, 0, 0));
    painter.setPen(QPen(QBrush(shade), 8.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(band);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPolygon(
        QPolygonF({end + QPointF(-8.0, 0.0), end + QPointF(8.0, 0.0), end + QPointF(0.0, 13.5)}));
    return image;
}

// The close-page sign: a bold red cross with a darker rim.
QImage closePagePicture()
{
    QImage image = blank(40, 38);
    QPainter painter(&image);
    begin(painter);
    const QLineF strokes[] = {QLineF(9.0, 8.0, 31.0, 30.0), QLineF(31.0, 8.0, 9.0, 30.0)};
    painter.setPen(QPen(kDarkRed, 10.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLines(strokes, 2);
    QLinearGradient shade(0.0, 6.0, 0.0, 32.0);
    shade.setColorAt(0.0, kLightRed);
    shade.setColorAt(1.0, QColor(190, 0, 0));
    painter.setPen(QPen(QBrush(shade), 6.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLines(strokes, 2);
    return image;
}

// A red arrow-shaped bullet that marks a paragraph.
QImage bulletPicture()
{
    QImage image = blank(30, 26);
    QPainter painter(&image);
    begin(painter);
    const QPolygonF shape(
        {QPointF(3.0, 3.5), QPointF(27.0, 13.0), QPointF(3.0, 22.5), QPointF(9.5, 13.0)});
    QLinearGradient shade(0.0, 3.0, 0.0, 23.0);
    shade.setColorAt(0.0, kLightRed);
    shade.setColorAt(0.5, kRed);
    shade.setColorAt(1.0, QColor(160, 0, 0));
    painter.setPen(QPen(kDarkRed, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(shade);
    painter.drawPolygon(shape);
    return image;
}

QImage legendArrowPicture(bool dashed)
{
    QImage image = blank(120, 28);
    QPainter painter(&image);
    begin(painter);
    drawArrow(painter, QPointF(4.0, 14.0), QPointF(116.0, 14.0), kInk, dashed);
    return image;
}

void drawNode(QPainter &painter, QPointF centre, double radius)
{
    QRadialGradient fill(centre - QPointF(radius / 3.0, radius / 3.0), radius * 1.3);
    fill.setColorAt(0.0, Qt::white);
    fill.setColorAt(1.0, kNodeFill);
    painter.setPen(QPen(kInk, 2.6));
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
}

QImage nodePicture()
{
    const int side = primer::kCircleSide;
    QImage image = blank(side, side);
    QPainter painter(&image);
    begin(painter);
    drawNode(painter, QPointF(side / 2.0, side / 2.0), side / 2.0 - 2.0);
    return image;
}

QImage networkArrowPicture(const primer::ArrowPicture &geometry)
{
    QImage image = blank(geometry.box.width(), geometry.box.height());
    QPainter painter(&image);
    begin(painter);
    drawArrow(painter, geometry.tail, geometry.tip, kInk, false);
    return image;
}

struct Event {
    int number;
    QPointF centre;
};

struct Arc {
    int from;
    int to;
    QString label; // empty for a dummy activity
    QPointF labelCentre;
};

// The example project drawn with its activities on the arrows: ten events, nine
// activities and two dummies that carry the joint predecessors of D and G.
QImage activityOnArcPicture()
{
    constexpr double radius = 16.0;
    const std::vector<Event> events = {
        {1, {24, 130}}, {2, {94, 130}},  {3, {164, 40}},  {4, {164, 220}}, {5, {234, 130}},
        {6, {304, 40}}, {7, {304, 220}}, {8, {374, 130}}, {9, {444, 130}}, {10, {514, 130}},
    };
    const std::vector<Arc> arcs = {
        {1, 2, QStringLiteral("A=3"), {59, 114}},   {2, 3, QStringLiteral("B=2"), {108, 76}},
        {2, 4, QStringLiteral("C=1"), {108, 184}},  {4, 3, QString(), {}},
        {3, 5, QStringLiteral("D=2"), {186, 104}},  {5, 6, QStringLiteral("E=1"), {282, 104}},
        {5, 7, QStringLiteral("F=2"), {250, 188}},  {6, 7, QString(), {}},
        {7, 8, QStringLiteral("G=4"), {358, 188}},  {8, 9, QStringLiteral("H=1"), {409, 114}},
        {9, 10, QStringLiteral("I=1"), {479, 114}},
    };
    QImage image = blank(540, 262);
    QPainter painter(&image);
    begin(painter);
    QFont labelFont(QStringLiteral("Laksaman"));
    labelFont.setPixelSize(16);
    labelFont.setBold(true);
    QFont numberFont(QStringLiteral("Laksaman"));
    numberFont.setPixelSize(17);
    numberFont.setBold(true);

    for (const Arc &arc : arcs) {
        const QPointF a = events[static_cast<size_t>(arc.from - 1)].centre;
        const QPointF b = events[static_cast<size_t>(arc.to - 1)].centre;
        const QPointF along = b - a;
        const QPointF unit = along / std::hypot(along.x(), along.y());
        drawArrow(painter, a + unit * (radius + 2.0), b - unit * (radius + 2.0), kInk,
                  arc.label.isEmpty());
        if (arc.label.isEmpty())
            continue;
        const QPointF middle = arc.labelCentre;
        painter.setFont(labelFont);
        painter.setPen(QColor(200, 0, 0));
        painter.drawText(QRectF(middle - QPointF(30, 12), QSizeF(60, 24)), Qt::AlignCenter,
                         arc.label);
    }
    for (const Event &event : events) {
        drawNode(painter, event.centre, radius);
        painter.setFont(numberFont);
        painter.setPen(kInk);
        painter.drawText(
            QRectF(event.centre - QPointF(radius, radius + 1.0), QSizeF(2 * radius, 2 * radius)),
            Qt::AlignCenter, QString::number(event.number));
    }
    return image;
}

bool save(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    if (image.save(path, "JPG", 92))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: primerpainter <repository root>\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.mkpath(QStringLiteral("assets/primer"))) {
        QTextStream(stderr) << "cannot create assets/primer under " << root.path() << '\n';
        return 1;
    }
    const QDir folder(root.filePath(QStringLiteral("assets/primer")));

    bool written = save(nextPagePicture(), folder, QStringLiteral("next.jpg"));
    written = save(closePagePicture(), folder, QStringLiteral("close.jpg")) && written;
    written = save(bulletPicture(), folder, QStringLiteral("bullet.jpg")) && written;
    written = save(legendArrowPicture(false), folder, QStringLiteral("activity.jpg")) && written;
    written = save(legendArrowPicture(true), folder, QStringLiteral("dummy.jpg")) && written;
    written = save(nodePicture(), folder, QStringLiteral("node.jpg")) && written;
    written
        = save(activityOnArcPicture(), folder, QStringLiteral("activity-on-arc.jpg")) && written;
    for (const primer::ArrowKind kind : {primer::ArrowKind::Across, primer::ArrowKind::AcrossTwo,
                                         primer::ArrowKind::Up, primer::ArrowKind::Down}) {
        const primer::ArrowPicture geometry = primer::arrowPicture(kind);
        written = save(networkArrowPicture(geometry), folder, geometry.fileName) && written;
    }
    return written ? 0 : 1;
}
