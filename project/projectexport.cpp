// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "projectexport.h"

#include "fonts.h"
#include "greedylog.h"
#include "linknotation.h"
#include "thaitext.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace project {

namespace {

// The largest PNG written: 2 x the drawing on each side, at most this many pixels in all
// (400 MB of image in memory) and what a QImage can hold on a side.
constexpr qint64 kMaxPixels = 100'000'000;
constexpr int kMaxSide = 32'000;

// The curve's proportions on the page.
const QSizeF kCurveShape(16, 10);

QString failure(const QString &what, const QString &path, const QString &reason)
{
    return what + QStringLiteral(": ") + QDir::toNativeSeparators(path) + QStringLiteral(" (")
        + reason + u')';
}

QString writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(QStringLiteral("บันทึกภาพไม่ได้"), path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(QStringLiteral("บันทึกภาพไม่ได้"), path, reason);
    }
    if (!file.commit())
        return failure(QStringLiteral("บันทึกภาพไม่ได้"), path, file.errorString());
    return QString();
}

QString exportPng(const QString &path, const QSizeF &size, const PicturePainter &paint)
{
    const double width = std::ceil(size.width() * 2.0);
    const double height = std::ceil(size.height() * 2.0);
    if (width > kMaxSide || height > kMaxSide || width * height > static_cast<double>(kMaxPixels))
        return failure(QStringLiteral("ภาพใหญ่เกินกว่าจะบันทึกเป็น PNG ได้ ลองบันทึกเป็น SVG"), path,
                       QString::number(width) + u'x' + QString::number(height)
                           + QStringLiteral(" จุด"));
    QImage image(static_cast<int>(width), static_cast<int>(height),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return failure(QStringLiteral("หน่วยความจำไม่พอสำหรับภาพ"), path,
                       QString::number(width) + u'x' + QString::number(height)
                           + QStringLiteral(" จุด"));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        paint(&painter, QRectF(0, 0, width, height));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return failure(QStringLiteral("บันทึกภาพไม่ได้"), path, QStringLiteral("เข้ารหัส PNG ไม่สำเร็จ"));
    return writeWhole(path, bytes);
}

QString exportSvg(const QString &path, const QSizeF &size, const PicturePainter &paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size.toSize());
    generator.setViewBox(QRectF(QPointF(), size));
    generator.setTitle(QFileInfo(path).completeBaseName());
    {
        QPainter painter;
        if (!painter.begin(&generator))
            return failure(QStringLiteral("บันทึกภาพไม่ได้"), path, QStringLiteral("เริ่มวาด SVG ไม่ได้"));
        painter.fillRect(QRectF(QPointF(), size), Qt::white);
        paint(&painter, QRectF(QPointF(), size));
    }
    return writeWhole(path, bytes);
}

// Lays the report out page by page, top to bottom, in the device's pixels: a cursor that
// starts a new page whenever the next piece does not fit.
class ReportLayout {
public:
    explicit ReportLayout(QPagedPaintDevice *device) : m_device(device)
    {
        m_width = device->width();
        m_height = device->height();
        m_pointToPixel = device->logicalDpiY() / 72.0;
    }

    bool begin()
    {
        if (m_width <= 0 || m_height <= 0 || !m_painter.begin(m_device))
            return false;
        m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        return true;
    }
    int finish()
    {
        m_painter.end();
        return m_pages;
    }

    QFont font(double points, bool bold = false) const
    {
        return platform::sarabunFont(static_cast<int>(std::lround(points * m_pointToPixel)), bold);
    }
    double gap(double points) const { return points * m_pointToPixel; }

    void newPage()
    {
        m_device->newPage();
        ++m_pages;
        m_y = 0;
    }
    // Makes room for `height` pixels: a new page unless the piece fits, or the page is still
    // empty (a piece taller than a page is cut at its foot rather than repeated forever).
    void ensure(double height)
    {
        if (m_y > 0 && m_y + height > m_height)
            newPage();
    }
    void skip(double height) { m_y = std::min(m_height, m_y + height); }

    double headingHeight(double points) const
    {
        return QFontMetricsF(font(points, true), m_device).height() + gap(4);
    }
    // A heading kept on one page with the next `keepWith` pixels (at least three lines of
    // text) of what follows it.
    void heading(const QString &text, double points, double keepWith = 0)
    {
        const QFont headingFont = font(points, true);
        const double lineHeight = QFontMetricsF(headingFont, m_device).height();
        ensure(headingHeight(points)
               + std::max(keepWith, 3 * QFontMetricsF(font(11), m_device).height()));
        m_painter.setFont(headingFont);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(0, m_y, m_width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                           text);
        m_y += lineHeight + gap(4);
    }

    // Text that wraps at the page width and flows on to the next pages, one paragraph a line.
    void paragraphs(const QString &text, double points)
    {
        const QFont textFont = font(points);
        m_painter.setFont(textFont);
        m_painter.setPen(Qt::black);
        for (const QString &paragraph : text.split(u'\n')) {
            QTextLayout layout(paragraph, textFont, m_device);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            std::vector<QTextLine> lines;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(m_width);
                lines.push_back(line);
            }
            layout.endLayout();
            for (const QTextLine &line : lines) {
                ensure(line.height());
                line.draw(&m_painter, QPointF(0, m_y - line.y()));
                m_y += line.height();
            }
        }
    }

    // A table with a header row repeated on every page it runs onto; columns share the width
    // in proportion to `weights`; cells too wide are elided.
    void table(const QStringList &headers, const std::vector<QStringList> &rows,
               const std::vector<double> &weights, const std::vector<bool> &numeric,
               const std::vector<bool> &emphasised = {})
    {
        const QFont cellFont = font(10);
        const QFont headerFont = font(10, true);
        const double rowHeight = QFontMetricsF(cellFont, m_device).height() * 1.35;
        double weightSum = 0;
        for (const double weight : weights)
            weightSum += weight;
        std::vector<double> left {0};
        for (const double weight : weights)
            left.push_back(left.back() + m_width * weight / weightSum);

        auto drawRow = [&](const QStringList &cells, const QFont &rowFont, const QColor &fill,
                           const QColor &ink) {
            const QRectF rowRect(0, m_y, m_width, rowHeight);
            if (fill.isValid())
                m_painter.fillRect(rowRect, fill);
            m_painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 0));
            m_painter.drawLine(rowRect.bottomLeft(), rowRect.bottomRight());
            m_painter.setFont(rowFont);
            m_painter.setPen(ink);
            const QFontMetricsF metrics(rowFont, m_device);
            const double pad = gap(3);
            for (qsizetype column = 0; column < cells.size() && column < qsizetype(weights.size());
                 ++column) {
                const auto c = static_cast<std::size_t>(column);
                const QRectF cellRect(left[c] + pad, m_y, left[c + 1] - left[c] - 2 * pad,
                                      rowHeight);
                const QString text
                    = metrics.elidedText(cells[column], Qt::ElideRight, cellRect.width());
                m_painter.drawText(cellRect,
                                   (numeric[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                                   text);
            }
            m_y += rowHeight;
        };
        auto drawHeader
            = [&] { drawRow(headers, headerFont, QColor(0xe4, 0xe8, 0xf0), Qt::black); };

        ensure(2 * rowHeight);
        drawHeader();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (m_y + rowHeight > m_height) {
                newPage();
                drawHeader();
            }
            const bool red = row < emphasised.size() && emphasised[row];
            drawRow(rows[row], cellFont, QColor(), red ? QColor(0xc0, 0x00, 0x00) : Qt::black);
        }
        m_y += gap(8);
    }

    // A picture under its heading, scaled to the page width and to what a page holds below
    // the heading, on a new page when the two do not fit below what is there.
    void picture(const QString &title, const PicturePainter &paint, QSizeF natural)
    {
        if (!paint || natural.width() <= 0 || natural.height() <= 0)
            return;
        const double headingPoints = 14;
        const double scale = std::min(m_width / natural.width(),
                                      (m_height - headingHeight(headingPoints)) / natural.height());
        const QSizeF size = natural * scale;
        heading(title, headingPoints, size.height());
        const QRectF target(QPointF((m_width - size.width()) / 2, m_y), size);
        m_painter.save();
        m_painter.setClipRect(target);
        paint(&m_painter, target);
        m_painter.restore();
        m_y += size.height() + gap(8);
    }

private:
    QPagedPaintDevice *m_device;
    QPainter m_painter;
    double m_width = 0, m_height = 0, m_pointToPixel = 1;
    double m_y = 0;
    int m_pages = 1;
};

QString number(engine::Duration value)
{
    return QString::number(value);
}

void activityTable(ReportLayout &layout, const engine::Project &project)
{
    std::vector<QStringList> rows;
    rows.reserve(project.activities.size());
    for (const engine::Activity &activity : project.activities) {
        const QString predecessors = QString::fromStdString(io::predecessorCell(activity));
        rows.push_back({QString::fromStdString(activity.id), QString::fromStdString(activity.name),
                        predecessors.isEmpty() ? QStringLiteral("-") : predecessors,
                        number(activity.normalDuration), number(activity.crashDuration),
                        bahtText(activity.crashCostPerUnit)});
    }
    layout.table({QStringLiteral("กิจกรรม"), QStringLiteral("ชื่อ"), QStringLiteral("กิจกรรมก่อนหน้า"),
                  QStringLiteral("ปกติ (%1)").arg(thaiUnitWord(project.timeUnit)),
                  QStringLiteral("เร่งได้ถึง"), QStringLiteral("ค่าเร่งต่อหน่วย (บาท)")},
                 rows, {1.2, 3.0, 2.0, 1.0, 1.2, 2.0}, {false, false, false, true, true, true});
}

void scheduleTable(ReportLayout &layout, const engine::Project &project,
                   const engine::Schedule &schedule)
{
    std::vector<QStringList> rows;
    std::vector<bool> critical;
    const std::size_t count = std::min(project.activities.size(), schedule.earliestStart.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int activity = static_cast<int>(i);
        rows.push_back({QString::fromStdString(project.activities[i].id),
                        number(schedule.earliestFinish[i] - schedule.earliestStart[i]),
                        number(schedule.earliestStart[i]), number(schedule.earliestFinish[i]),
                        number(schedule.latestStart[i]), number(schedule.latestFinish[i]),
                        number(schedule.totalFloat(activity)),
                        schedule.isCritical(activity) ? QStringLiteral("วิกฤต") : QString()});
        critical.push_back(schedule.isCritical(activity));
    }
    layout.table({QStringLiteral("กิจกรรม"), QStringLiteral("ระยะเวลา"), QStringLiteral("ES"),
                  QStringLiteral("EF"), QStringLiteral("LS"), QStringLiteral("LF"),
                  QStringLiteral("เวลาลอย"), QStringLiteral("วิกฤต")},
                 rows, {1.4, 1, 1, 1, 1, 1, 1, 1},
                 {false, true, true, true, true, true, true, false}, critical);
}

} // namespace

QString exportPicture(const QString &path, const QSizeF &size, const PicturePainter &paint)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg"))
        return failure(QStringLiteral("บันทึกภาพได้เฉพาะไฟล์ .png หรือ .svg"), path,
                       suffix.isEmpty() ? QStringLiteral("ไม่มีนามสกุล")
                                        : QStringLiteral("นามสกุล .") + suffix);
    if (!paint || !size.isValid() || size.isEmpty())
        return failure(QStringLiteral("ไม่มีภาพให้บันทึก"), path, QStringLiteral("ภาพว่าง"));
    return suffix == QStringLiteral("png") ? exportPng(path, size, paint)
                                           : exportSvg(path, size, paint);
}

int paintReport(QPagedPaintDevice *device, const ReportContent &content)
{
    ReportLayout layout(device);
    if (!layout.begin())
        return 0;
    layout.heading(content.title.isEmpty() ? QStringLiteral("รายงานการเร่งโครงการ") : content.title,
                   20);
    layout.skip(layout.gap(6));
    if (content.project) {
        layout.heading(QStringLiteral("ตารางกิจกรรม"), 14);
        activityTable(layout, *content.project);
        if (content.schedule) {
            layout.heading(QStringLiteral("ตาราง CPM ที่ระยะเวลาปกติ (ระยะเวลาโครงการ ")
                               + number(content.schedule->projectDuration) + u' '
                               + thaiUnitWord(content.project->timeUnit) + u')',
                           14);
            scheduleTable(layout, *content.project, *content.schedule);
        }
    }
    if (content.paintNetwork && !content.networkSize.isEmpty())
        layout.picture(QStringLiteral("ข่ายงาน"), content.paintNetwork, content.networkSize);
    layout.heading(QStringLiteral("การเร่งทีละขั้นตามวิธีในตำรา"), 14);
    layout.paragraphs(content.crashingLog.isEmpty() ? QStringLiteral("ยังไม่ได้เร่งโครงการ")
                                                    : content.crashingLog,
                      11);
    layout.skip(layout.gap(8));
    if (!content.leastCostText.isEmpty()) {
        layout.heading(QStringLiteral("ค่าเร่งต่ำสุด"), 14);
        layout.paragraphs(content.leastCostText, 11);
        layout.skip(layout.gap(8));
    }
    if (content.paintCurve)
        layout.picture(QStringLiteral("เส้นโค้งเวลากับค่าใช้จ่าย"), content.paintCurve, kCurveShape);
    if (content.paintGantt && !content.ganttSize.isEmpty())
        layout.picture(QStringLiteral("แผนภูมิแกนต์"), content.paintGantt, content.ganttSize);
    return layout.finish();
}

QString writePdfReport(const QString &path, const ReportContent &content, int *pageCount)
{
    const QString what = QStringLiteral("บันทึกรายงาน PDF ไม่ได้");
    if (pageCount)
        *pageCount = 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(what, path, file.errorString());
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(content.title);
        writer.setCreator(QStringLiteral("Crashkit"));
        pages = paintReport(&writer, content);
    }
    if (pages <= 0) {
        file.cancelWriting();
        return failure(what, path, QStringLiteral("เริ่มวาดหน้ากระดาษไม่ได้"));
    }
    if (!file.commit())
        return failure(what, path, file.errorString());
    if (pageCount)
        *pageCount = pages;
    return QString();
}

} // namespace project
