// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "sheets.h"

#include "networkpicture.h"
#include "sheetfonts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace worksheets {

namespace {

// Points: the writer's resolution is 72 dots per inch, so one unit is one point.
constexpr int kResolution = 72;
constexpr double kMargin = 42;
constexpr double kBodySize = 12;
constexpr double kTableSize = 11;

QString money(engine::Satang amount)
{
    return QString::fromStdString(bahtNumber(amount));
}

QString idOf(const engine::Project &project, int activity)
{
    return QString::fromStdString(project.activities[static_cast<std::size_t>(activity)].id);
}

QString idList(const engine::Project &project, const std::vector<int> &activities)
{
    QStringList ids;
    for (const int activity : activities)
        ids << idOf(project, activity);
    return ids.join(QStringLiteral(", "));
}

struct Column {
    QString header;
    double weight = 1; // share of the table's width
};

// A document of A4 pages written from the top down; tables and pictures move to a new page
// when they do not fit on this one.
class Document {
public:
    Document(QIODevice *device, const SheetHeading &heading, const QString &kind)
        : m_writer(device), m_heading(heading), m_kind(kind)
    {
        m_writer.setResolution(kResolution);
        m_writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        m_writer.setCreator(QStringLiteral("Crashkit"));
        m_writer.setTitle(heading.variant + QStringLiteral(" – ") + kind);
        m_painter.begin(&m_writer);
        m_painter.setRenderHint(QPainter::TextAntialiasing);
        measurePage();
        startPage();
    }
    ~Document() { m_painter.end(); }

    double contentWidth() const { return m_width - 2 * kMargin; }

    void heading(const QString &text)
    {
        space(6);
        paragraph(text, 14, true);
    }

    void paragraph(const QString &text, double size = kBodySize, bool bold = false)
    {
        m_painter.setFont(sheetFont(size, bold));
        const QRectF bounds
            = m_painter.boundingRect(QRectF(0, 0, contentWidth(), 10000), Qt::TextWordWrap, text);
        fit(bounds.height());
        m_painter.drawText(QRectF(kMargin, m_y, contentWidth(), bounds.height()),
                           Qt::TextWordWrap | Qt::AlignLeft, text);
        m_y += bounds.height() + 2;
    }

    void space(double points) { m_y += points; }

    // A table with a header row; each row is as high as its tallest cell. The header is
    // repeated at the top of a new page.
    void table(const std::vector<Column> &columns, const std::vector<QStringList> &rows,
               double minimumRowHeight = 0)
    {
        double total = 0;
        for (const Column &column : columns)
            total += column.weight;
        std::vector<double> widths;
        for (const Column &column : columns)
            widths.push_back(contentWidth() * column.weight / total);
        QStringList headers;
        for (const Column &column : columns)
            headers << column.header;
        auto rowHeight = [&](const QStringList &cells, bool bold) {
            m_painter.setFont(sheetFont(kTableSize, bold));
            double height = minimumRowHeight;
            for (qsizetype c = 0; c < cells.size(); ++c) {
                const QRectF bounds
                    = m_painter.boundingRect(QRectF(0, 0, widths[c] - 6, 10000),
                                             Qt::TextWordWrap | Qt::AlignCenter, cells[c]);
                height = std::max(height, bounds.height() + 6);
            }
            return height;
        };
        auto drawRow = [&](const QStringList &cells, bool bold, double height) {
            m_painter.setFont(sheetFont(kTableSize, bold));
            m_painter.setPen(QPen(Qt::black, 0.6));
            double x = kMargin;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QRectF cell(x, m_y, widths[c], height);
                if (bold)
                    m_painter.fillRect(cell, QColor(232, 232, 232));
                m_painter.drawRect(cell);
                if (static_cast<qsizetype>(c) < cells.size())
                    m_painter.drawText(cell.adjusted(3, 3, -3, -3),
                                       Qt::TextWordWrap | Qt::AlignCenter, cells[c]);
                x += widths[c];
            }
            m_y += height;
        };
        const double headerHeight = rowHeight(headers, true);
        bool headerDrawn = false;
        for (const QStringList &row : rows) {
            const double height = rowHeight(row, false);
            if (!headerDrawn || m_y + height > m_height - kMargin) {
                if (headerDrawn || m_y + headerHeight + height > m_height - kMargin)
                    fit(headerHeight + height);
                drawRow(headers, true, headerHeight);
                headerDrawn = true;
            }
            drawRow(row, false, height);
        }
        if (!headerDrawn) {
            fit(headerHeight);
            drawRow(headers, true, headerHeight);
        }
        m_y += 6;
    }

    // The network under `title`, kept on one page with it, at most kMaxNetworkHeight high.
    // A network too wide to be written in on a portrait page gets a landscape page of its own.
    void network(const QString &title, const engine::Project &project,
                 const engine::NetworkLayout &layout, const engine::Schedule &schedule,
                 NodeTimes times)
    {
        constexpr double kMaxNetworkHeight = 330;
        constexpr double kSmallestPortraitScale = 0.75;
        double scale = std::min(1.0, contentWidth() / layout.width);
        if (scale < kSmallestPortraitScale) {
            turnPage(QPageLayout::Landscape);
            if (!title.isEmpty())
                heading(title);
            const double height = m_height - kMargin - m_y;
            paintNetwork(m_painter, QRectF(kMargin, m_y, contentWidth(), height), project, layout,
                         schedule, times);
            turnPage(QPageLayout::Portrait);
            return;
        }
        double height = std::min(layout.height * scale, kMaxNetworkHeight);
        // Drawn a little smaller rather than leave the rest of this page empty.
        const double room = m_height - kMargin - m_y - 30;
        if (room < height && room >= 0.7 * height)
            height = room;
        fit(height + 30);
        if (!title.isEmpty())
            heading(title);
        paintNetwork(m_painter, QRectF(kMargin, m_y, contentWidth(), height), project, layout,
                     schedule, times);
        m_y += height + 6;
    }

private:
    // Starts a new page in `orientation` (the first page stays where nothing is on it yet).
    void turnPage(QPageLayout::Orientation orientation)
    {
        m_writer.setPageOrientation(orientation);
        m_writer.newPage();
        measurePage();
        startPage();
    }

    void measurePage()
    {
        const QRect page = m_writer.pageLayout().fullRectPoints();
        m_width = page.width();
        m_height = page.height();
    }

    void fit(double height)
    {
        if (m_y + height > m_height - kMargin && m_y > m_top + 1) {
            m_writer.newPage();
            startPage();
        }
    }

    void startPage()
    {
        ++m_page;
        m_painter.setPen(Qt::black);
        m_painter.setFont(sheetFont(9));
        const QRectF band(kMargin, kMargin / 2, contentWidth(), kMargin / 2);
        const QString right = QStringLiteral("%1 · หน้า %2").arg(m_kind).arg(m_page);
        m_painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter, right);
        // A long set name gives way to the page number.
        const QFontMetricsF metrics(m_painter.font(), &m_writer);
        const QString left = metrics.elidedText(
            m_heading.setName + QStringLiteral(" · ") + m_heading.variant, Qt::ElideMiddle,
            band.width() - metrics.horizontalAdvance(right) - 12);
        m_painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, left);
        m_y = kMargin + 4;
        m_top = m_y;
    }

    QPdfWriter m_writer;
    QPainter m_painter;
    SheetHeading m_heading;
    QString m_kind;
    double m_width = 0, m_height = 0;
    double m_y = 0, m_top = 0;
    int m_page = 0;
};

std::vector<QStringList> activityRows(const engine::Project &project)
{
    std::vector<QStringList> rows;
    for (const engine::Activity &a : project.activities) {
        QStringList predecessors;
        for (const std::string &p : a.predecessors)
            predecessors << QString::fromStdString(p);
        const bool crashable = a.crashDuration < a.normalDuration;
        rows.push_back(
            {QString::fromStdString(a.id),
             predecessors.isEmpty() ? QStringLiteral("–") : predecessors.join(QStringLiteral(", ")),
             QString::number(a.normalDuration), QString::number(a.crashDuration),
             crashable ? money(a.crashCostPerUnit) : QStringLiteral("เร่งไม่ได้")});
    }
    return rows;
}

const std::vector<Column> &activityColumns()
{
    static const std::vector<Column> columns = {{QStringLiteral("กิจกรรม"), 1},
                                                {QStringLiteral("กิจกรรมที่ต้องทำก่อน"), 1.6},
                                                {QStringLiteral("เวลาปกติ"), 1},
                                                {QStringLiteral("เวลาเร่งเต็มที่"), 1.2},
                                                {QStringLiteral("ค่าเร่งต่อหน่วยเวลา (บาท)"), 1.6}};
    return columns;
}

const std::vector<Column> &scheduleColumns()
{
    static const std::vector<Column> columns
        = {{QStringLiteral("กิจกรรม"), 1},  {QStringLiteral("เวลา"), 1}, {QStringLiteral("ES"), 1},
           {QStringLiteral("EF"), 1},      {QStringLiteral("LS"), 1},   {QStringLiteral("LF"), 1},
           {QStringLiteral("เวลาเผื่อ"), 1}, {QStringLiteral("วิกฤต"), 1}};
    return columns;
}

const std::vector<Column> &stepColumns()
{
    static const std::vector<Column> columns = {{QStringLiteral("ขั้นที่"), 0.7},
                                                {QStringLiteral("กิจกรรมวิกฤต"), 2},
                                                {QStringLiteral("กิจกรรมที่เร่ง"), 1.4},
                                                {QStringLiteral("ลดลง (หน่วยเวลา)"), 1},
                                                {QStringLiteral("ค่าเร่งต่อหน่วย (บาท)"), 1.2},
                                                {QStringLiteral("ค่าใช้จ่ายขั้นนี้ (บาท)"), 1.2},
                                                {QStringLiteral("เวลาโครงการ"), 1},
                                                {QStringLiteral("ค่าใช้จ่ายสะสม (บาท)"), 1.2}};
    return columns;
}

QString question(const WorkedSolution &solution)
{
    return QStringLiteral("โครงการนี้มีกิจกรรมตามตาราง ผู้บริหารต้องการให้โครงการเสร็จภายใน %1 หน่วยเวลา "
                          "จงตอบคำถามต่อไปนี้\n"
                          "1. คำนวณ ES EF LS LF และเวลาเผื่อของทุกกิจกรรม ระยะเวลาโครงการเมื่อใช้เวลาปกติ "
                          "และเส้นทางวิกฤตทุกเส้น\n"
                          "2. เร่งโครงการทีละขั้นตามวิธีในตำรา (เร่งกิจกรรมวิกฤตที่ค่าเร่งต่อหน่วยถูกที่สุด) "
                          "จนเหลือ %1 หน่วยเวลา บอกค่าใช้จ่ายที่เพิ่มขึ้นรวม\n"
                          "3. ค่าใช้จ่ายเพิ่มที่น้อยที่สุดที่ทำให้โครงการเสร็จใน %1 หน่วยเวลาคือเท่าใด")
        .arg(solution.target);
}

QByteArray finish(QBuffer &buffer)
{
    buffer.close();
    return buffer.data();
}

} // namespace

QByteArray worksheetPdf(const SheetHeading &heading, const engine::Project &project,
                        const WorkedSolution &solution)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        Document document(&buffer, heading, QStringLiteral("ใบงาน"));
        document.paragraph(QStringLiteral("ใบงาน: การเร่งโครงการด้วย PERT/CPM"), 18, true);
        document.paragraph(QStringLiteral("ชื่อ ........................................ "
                                          "เลขที่ ........ ชั้น ........"));
        document.heading(QStringLiteral("ข้อมูลกิจกรรม"));
        document.table(activityColumns(), activityRows(project));
        document.heading(QStringLiteral("คำถาม (เวลาเป้าหมาย %1 หน่วยเวลา)").arg(solution.target));
        document.paragraph(question(solution));
        const engine::NetworkLayout layout = sheetLayout(solution.network, solution.schedule);
        document.network(QStringLiteral("ข่ายงาน (เติม ES EF ในแถวบน LS LF ในแถวล่างของแต่ละกล่อง)"),
                         project, layout, solution.schedule, NodeTimes::Blank);
        document.heading(QStringLiteral("ตารางเวลา"));
        std::vector<QStringList> scheduleRows;
        for (const engine::Activity &a : project.activities)
            scheduleRows.push_back(
                {QString::fromStdString(a.id), QString::number(a.normalDuration)});
        document.table(scheduleColumns(), scheduleRows, 20);
        document.paragraph(QStringLiteral("ระยะเวลาโครงการ ........ หน่วยเวลา   เส้นทางวิกฤต "
                                          "................................................"));
        document.heading(QStringLiteral("ขั้นตอนการเร่งโครงการ"));
        const std::size_t blankRows = std::max<std::size_t>(6, solution.greedySteps.size() + 2);
        document.table(stepColumns(), std::vector<QStringList>(blankRows), 24);
        document.paragraph(QStringLiteral("ค่าใช้จ่ายเพิ่มรวมเมื่อเร่งเหลือ %1 หน่วยเวลา ........ บาท   "
                                          "ค่าใช้จ่ายเพิ่มที่น้อยที่สุด ........ บาท")
                               .arg(solution.target));
    }
    return finish(buffer);
}

QByteArray answerSheetPdf(const SheetHeading &heading, const engine::Project &project,
                          const WorkedSolution &solution)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        Document document(&buffer, heading, QStringLiteral("เฉลย"));
        const engine::Schedule &schedule = solution.schedule;
        document.paragraph(QStringLiteral("เฉลย: การเร่งโครงการด้วย PERT/CPM"), 18, true);
        document.paragraph(QStringLiteral("เวลาเป้าหมาย %1 หน่วยเวลา").arg(solution.target));
        document.heading(QStringLiteral("1. ตารางเวลาเมื่อใช้เวลาปกติ"));
        std::vector<QStringList> rows;
        for (std::size_t i = 0; i < project.activities.size(); ++i) {
            const int activity = static_cast<int>(i);
            rows.push_back({QString::fromStdString(project.activities[i].id),
                            QString::number(project.activities[i].normalDuration),
                            QString::number(schedule.earliestStart[i]),
                            QString::number(schedule.earliestFinish[i]),
                            QString::number(schedule.latestStart[i]),
                            QString::number(schedule.latestFinish[i]),
                            QString::number(schedule.totalFloat(activity)),
                            schedule.isCritical(activity) ? QStringLiteral("✓") : QString()});
        }
        document.table(scheduleColumns(), rows);
        document.paragraph(
            QStringLiteral("ระยะเวลาโครงการ %1 หน่วยเวลา").arg(schedule.projectDuration), kBodySize,
            true);
        QStringList paths;
        for (const std::vector<int> &path : solution.criticalPaths.paths)
            paths << QString::fromStdString(pathText(project, path));
        document.paragraph(QStringLiteral("เส้นทางวิกฤต (%1 เส้น): %2")
                               .arg(paths.size())
                               .arg(paths.join(QStringLiteral(", "))));
        const engine::NetworkLayout layout = sheetLayout(solution.network, schedule);
        document.network(QStringLiteral("ข่ายงานพร้อมเวลา (แถวบน ES EF แถวล่าง LS LF)"), project,
                         layout, schedule, NodeTimes::Filled);

        document.heading(
            QStringLiteral("2. เร่งโครงการทีละขั้นตามวิธีในตำรา จนเหลือ %1 หน่วยเวลา").arg(solution.target));
        std::vector<QStringList> steps;
        for (const engine::GreedyStep &step : solution.greedySteps) {
            QStringList cuts;
            for (const engine::Cut &cut : step.cuts)
                cuts << idOf(project, cut.activity);
            steps.push_back(
                {QString::number(step.number), idList(project, step.criticalBefore),
                 cuts.join(QStringLiteral(" + ")), QString::number(step.units),
                 money(step.costPerUnit), money(step.cost),
                 QStringLiteral("%1 → %2").arg(step.durationBefore).arg(step.durationAfter),
                 money(step.totalCost)});
        }
        document.table(stepColumns(), steps);
        document.paragraph(
            QStringLiteral("ค่าใช้จ่ายเพิ่มรวมตามวิธีในตำรา %1 บาท").arg(money(solution.greedyCost)),
            kBodySize, true);

        document.heading(QStringLiteral("3. ค่าใช้จ่ายเพิ่มที่น้อยที่สุดที่ %1 หน่วยเวลา").arg(solution.target));
        document.paragraph(
            QStringLiteral("ค่าใช้จ่ายเพิ่มที่น้อยที่สุด %1 บาท").arg(money(solution.leastCost.cost)),
            kBodySize, true);
        std::vector<QStringList> shortened;
        for (std::size_t i = 0; i < project.activities.size(); ++i) {
            const engine::Activity &a = project.activities[i];
            const engine::Duration now = solution.leastCost.durations[i];
            if (now < a.normalDuration)
                shortened.push_back({QString::fromStdString(a.id),
                                     QString::number(a.normalDuration), QString::number(now),
                                     QString::number(a.normalDuration - now),
                                     money((a.normalDuration - now) * a.crashCostPerUnit)});
        }
        document.table({{QStringLiteral("กิจกรรมที่เร่ง"), 1},
                        {QStringLiteral("เวลาปกติ"), 1},
                        {QStringLiteral("เวลาหลังเร่ง"), 1},
                        {QStringLiteral("ลดลง"), 1},
                        {QStringLiteral("ค่าใช้จ่าย (บาท)"), 1}},
                       shortened);

        document.heading(QStringLiteral("4. เส้นโค้งเวลา–ค่าใช้จ่าย (ค่าใช้จ่ายเพิ่มที่น้อยที่สุดที่แต่ละระยะเวลา)"));
        std::vector<engine::CurvePoint> points = solution.curve.points();
        // Three pairs of columns side by side keep a long curve short on paper.
        constexpr std::size_t kPairs = 3;
        const std::size_t perColumn = (points.size() + kPairs - 1) / kPairs;
        std::vector<QStringList> curveRows;
        for (std::size_t r = 0; r < perColumn; ++r) {
            QStringList row;
            for (std::size_t pair = 0; pair < kPairs; ++pair) {
                const std::size_t k = pair * perColumn + r;
                if (k < points.size())
                    row << QString::number(points[k].duration) << money(points[k].cost);
                else
                    row << QString() << QString();
            }
            curveRows.push_back(row);
        }
        std::vector<Column> curveColumns;
        for (std::size_t pair = 0; pair < kPairs; ++pair) {
            curveColumns.push_back({QStringLiteral("ระยะเวลา"), 1});
            curveColumns.push_back({QStringLiteral("ค่าใช้จ่ายเพิ่ม (บาท)"), 1.4});
        }
        document.table(curveColumns, curveRows);
    }
    return finish(buffer);
}

} // namespace worksheets
