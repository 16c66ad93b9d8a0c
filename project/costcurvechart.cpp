// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "costcurvechart.h"

#include "backgroundjob.h"
#include "fonts.h"
#include "greedy.h"
#include "greedylog.h"
#include "money.h"
#include "schedule.h"
#include "thaitext.h"
#include "totalcost.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <memory>

namespace project {

namespace {

// The chart is laid out at this width and scaled to where it is painted, so its fonts keep
// their proportion on a 300 dpi page as on the screen.
constexpr double kLogicalWidth = 800.0;

// Durations shown one by one up to this many; a longer curve is shown by its breakpoints.
constexpr engine::Duration kMaxWholePoints = 200'000;
// Points marked on a line up to this many; more would only thicken it.
constexpr std::size_t kMarkedPoints = 300;

double baht(engine::Satang satang)
{
    return static_cast<double>(satang) / 100.0;
}

// An integer tick step giving about `ticks` ticks over `span` units: 1, 2, 5, 10, 20, 50...
double wholeTickStep(double span, int ticks)
{
    const double raw = std::max(1.0, span / ticks);
    double step = 1.0;
    while (true) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (step * factor >= raw)
                return step * factor;
        }
        step *= 10.0;
    }
}

std::optional<engine::Satang> totalAt(const engine::CurvePoint &point, engine::Satang indirect)
{
    const std::optional<engine::Satang> indirectTotal
        = engine::checkedMultiply(indirect, point.duration);
    return indirectTotal ? engine::checkedAdd(*indirectTotal, point.cost) : std::nullopt;
}

} // namespace

CostCurveChart::CostCurveChart(QWidget *parent)
    : QWidget(parent), m_unitWord(thaiUnitWord(engine::TimeUnit::Day)), m_chartView(new QChartView),
      m_indirectCostEdit(new QLineEdit), m_indirectMessage(new QLabel),
      m_lowestTotalLabel(new QLabel), m_indirectCaption(new QLabel),
      m_job(new BackgroundJob(QStringLiteral("กำลังคำนวณเส้นโค้งเวลากับค่าใช้จ่าย"), this))
{
    connect(m_job, &BackgroundJob::cancelled, this, [this] {
        clearCurve(QStringLiteral("หยุดคำนวณเส้นโค้งแล้ว ดับเบิลคลิกที่กราฟเพื่อคำนวณใหม่"));
        m_stopped = true;
    });
    connect(m_job, &BackgroundJob::failed, this, [this](const QString &reason) {
        clearCurve(QStringLiteral("คำนวณเส้นโค้งไม่สำเร็จ: ") + reason);
    });
    m_chartView->setObjectName(QStringLiteral("costCurveChartView"));
    m_chartView->setAccessibleName(QStringLiteral("เส้นโค้งเวลากับค่าใช้จ่าย"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_indirectCostEdit->setObjectName(QStringLiteral("indirectCostEdit"));
    m_indirectCostEdit->setAccessibleName(QStringLiteral("ค่าใช้จ่ายทางอ้อมต่อหน่วยเวลา"));
    m_indirectCostEdit->setPlaceholderText(QStringLiteral("ไม่มี"));
    m_indirectCostEdit->setToolTip(
        QStringLiteral("ค่าใช้จ่ายทางอ้อมเป็นบาทต่อหน่วยเวลา เช่น 1500 หรือ 1500.50 เว้นว่างได้"));
    m_indirectCostEdit->setMaximumWidth(160);
    m_indirectMessage->setObjectName(QStringLiteral("indirectCostMessage"));
    m_indirectMessage->setAccessibleName(QStringLiteral("ข้อความค่าใช้จ่ายทางอ้อม"));
    m_indirectMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_indirectMessage->hide();
    m_lowestTotalLabel->setObjectName(QStringLiteral("lowestTotalLabel"));
    m_lowestTotalLabel->setAccessibleName(QStringLiteral("ค่าใช้จ่ายรวมต่ำสุด"));

    m_indirectCaption->setObjectName(QStringLiteral("indirectCostCaption"));
    m_indirectCaption->setBuddy(m_indirectCostEdit);
    auto *row = new QHBoxLayout;
    row->addWidget(m_indirectCaption);
    row->addWidget(m_indirectCostEdit);
    row->addWidget(m_indirectMessage);
    row->addStretch();
    row->addWidget(m_lowestTotalLabel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_chartView, 1);

    connect(m_indirectCostEdit, &QLineEdit::textChanged, this,
            &CostCurveChart::onIndirectCostEdited);
    setUnitWord(m_unitWord);
    clearCurve(QString());
}

void CostCurveChart::showCurve(AnalysisSnapshot analysis)
{
    m_job->abandon();
    m_stopped = false;
    m_analysis = std::move(analysis);
    if (!m_analysis || !m_analysis->sound()) {
        clearCurve(QStringLiteral("ไม่มีโครงการ"));
        return;
    }
    if (m_analysis->project.activities.size() > BackgroundJob::inlineLimit())
        clearCurve(QStringLiteral("กำลังคำนวณเส้นโค้งเวลากับค่าใช้จ่าย..."));
    const AnalysisSnapshot shown = m_analysis;
    m_job->start<Curves>(
        shown->project.activities.size(),
        [shown](engine::JobControl &control) { return curvesOf(shown->network, control); },
        [this, shown](Curves curves) {
            if (shown != m_analysis)
                return;
            m_message.clear();
            m_curve = std::move(curves.curve);
            m_breakpoints = std::move(curves.breakpoints);
            m_greedy = std::move(curves.greedy);
            onIndirectCostEdited(m_indirectCostEdit->text());
            emit curveShown();
        });
}

CostCurveChart::Curves CostCurveChart::curvesOf(const engine::Network &network,
                                                engine::JobControl &control)
{
    Curves curves;
    // The progress goes from 0 to 1 twice: for the exact curve, then for the greedy run.
    const engine::TimeCostCurve curve = engine::timeCostCurve(network, &control);
    // The curve is linear between its breakpoints, so beyond a few hundred thousand whole
    // durations its breakpoints draw the same line, and the lowest total (extra + a linear
    // indirect cost) lies on one of them too.
    curves.curve = curve.normalDuration() - curve.shortestDuration() < kMaxWholePoints
        ? curve.points()
        : curve.breakpoints();
    curves.breakpoints = curve.breakpoints();
    curves.greedy.push_back({curve.normalDuration(), 0});
    for (const engine::GreedyStep &step :
         engine::crashGreedily(network, curve.shortestDuration(), &control))
        curves.greedy.push_back({step.durationAfter, step.totalCost});
    return curves;
}

bool CostCurveChart::isShown() const
{
    return m_analysis && !m_job->isRunning() && !m_curve.empty();
}

void CostCurveChart::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_stopped && m_analysis) {
        showCurve(m_analysis);
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CostCurveChart::clearCurve(const QString &message)
{
    m_job->abandon();
    m_message = message;
    m_curve.clear();
    m_breakpoints.clear();
    m_greedy.clear();
    onIndirectCostEdited(m_indirectCostEdit->text());
}

const std::vector<engine::CurvePoint> &CostCurveChart::curvePoints() const
{
    return m_curve;
}

const std::vector<engine::CurvePoint> &CostCurveChart::greedyPoints() const
{
    return m_greedy;
}

std::optional<engine::CurvePoint> CostCurveChart::lowestTotal() const
{
    return m_lowest;
}

std::optional<engine::Satang> CostCurveChart::indirectCostPerUnit() const
{
    return m_indirect;
}

void CostCurveChart::setIndirectCostPerUnit(std::optional<engine::Satang> satang)
{
    const QString text = satang ? QString::fromStdString(engine::formatBaht(*satang)) : QString();
    if (text == m_indirectCostEdit->text())
        onIndirectCostEdited(text);
    else
        m_indirectCostEdit->setText(text);
}

void CostCurveChart::setUnitWord(const QString &word)
{
    m_unitWord = word;
    m_indirectCaption->setText(QStringLiteral("ค่าใช้จ่ายทางอ้อม (บาทต่อ") + word + u')');
    // The lowest total's label names the unit too.
    onIndirectCostEdited(m_indirectCostEdit->text());
}

std::optional<engine::CurvePoint>
CostCurveChart::lowestTotalCost(const std::vector<engine::CurvePoint> &points,
                                engine::Satang indirectPerUnit)
{
    if (points.empty())
        return std::nullopt;
    const std::optional<engine::LowestTotalCost> lowest
        = engine::lowestTotalCost(points, indirectPerUnit);
    if (!lowest)
        return std::nullopt;
    return engine::CurvePoint {lowest->shortest, lowest->total};
}

void CostCurveChart::onIndirectCostEdited(const QString &text)
{
    m_indirect.reset();
    QString problem;
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty()) {
        const std::optional<engine::Satang> value
            = engine::parseBaht(withArabicDigits(trimmed).toStdString());
        if (!value)
            problem = QStringLiteral("ค่าใช้จ่ายทางอ้อมต้องเป็นจำนวนบาท ทศนิยมไม่เกินสองตำแหน่ง "
                                     "ไม่มีจุลภาค เช่น 1500 หรือ 1500.50");
        else if (*value < 0)
            problem = QStringLiteral("ค่าใช้จ่ายทางอ้อมต้องไม่ติดลบ");
        else
            m_indirect = value;
    }
    m_lowest.reset();
    if (m_indirect && !m_curve.empty()) {
        m_lowest = lowestTotalCost(m_curve, *m_indirect);
        if (!m_lowest) {
            m_indirect.reset();
            problem = QStringLiteral("ค่าใช้จ่ายทางอ้อมสูงเกินกว่าจะรวมได้");
        }
    }
    m_indirectMessage->setText(problem);
    m_indirectMessage->setVisible(!problem.isEmpty());
    if (m_lowest)
        m_lowestTotalLabel->setText(QStringLiteral("ต่ำสุดที่ ") + QString::number(m_lowest->duration)
                                    + u' ' + m_unitWord + QStringLiteral(": ")
                                    + bahtText(m_lowest->cost) + QStringLiteral(" บาท"));
    else
        m_lowestTotalLabel->clear();
    rebuild();
}

QChart *CostCurveChart::makeChart() const
{
    auto chart = std::make_unique<QChart>();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundBrush(Qt::white);
    chart->setTitleFont(platform::sarabunFont(24, true));
    chart->legend()->setFont(platform::sarabunFont(18));
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (m_curve.empty()) {
        chart->setTitle(m_message.isEmpty() ? QStringLiteral("ยังไม่มีเส้นโค้งเวลากับค่าใช้จ่าย")
                                            : m_message);
        chart->legend()->hide();
        return chart.release();
    }
    chart->setTitle(QStringLiteral("เส้นโค้งเวลากับค่าใช้จ่าย"));

    // With its whole durations marked while they are few; beyond that its breakpoints draw
    // the same line (it is straight between them) at a fraction of the cost.
    const bool marked = m_curve.size() <= kMarkedPoints;
    const std::vector<engine::CurvePoint> &line
        = marked || m_breakpoints.empty() ? m_curve : m_breakpoints;
    auto *curve = new QLineSeries;
    curve->setName(QStringLiteral("ค่าเร่งต่ำสุด"));
    curve->setPointsVisible(marked);
    curve->setPen(QPen(QColor(0x1f, 0x5f, 0xb4), 2.5));
    for (const engine::CurvePoint &point : line)
        curve->append(static_cast<double>(point.duration), baht(point.cost));

    // The greedy's steps as dots; thousands of them (each a marker item of its own) as a line.
    const QColor orange(0xe6, 0x8a, 0x00);
    QXYSeries *greedy = nullptr;
    if (m_greedy.size() <= kMarkedPoints) {
        auto *dots = new QScatterSeries;
        dots->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        dots->setMarkerSize(11);
        dots->setColor(orange);
        dots->setBorderColor(QColor(0x80, 0x4a, 0x00));
        greedy = dots;
    } else {
        greedy = new QLineSeries;
        greedy->setPen(QPen(orange, 2.0));
    }
    greedy->setName(QStringLiteral("เร่งทีละขั้นตามตำรา"));
    for (const engine::CurvePoint &point : m_greedy)
        greedy->append(static_cast<double>(point.duration), baht(point.cost));

    chart->addSeries(curve);
    chart->addSeries(greedy);

    engine::Satang highest = 0;
    for (const auto *points : {&m_curve, &m_greedy}) {
        for (const engine::CurvePoint &point : *points)
            highest = std::max(highest, point.cost);
    }
    if (m_indirect && m_lowest) {
        auto *total = new QLineSeries;
        total->setName(QStringLiteral("ค่าใช้จ่ายรวม (รวมค่าใช้จ่ายทางอ้อม)"));
        total->setPointsVisible(marked);
        QPen pen(QColor(0x2e, 0x8b, 0x3e), 2.0);
        pen.setStyle(Qt::DashLine);
        total->setPen(pen);
        for (const engine::CurvePoint &point : line) {
            // lowestTotalCost checked every sum for overflow already.
            const engine::Satang sum = *totalAt(point, *m_indirect);
            highest = std::max(highest, sum);
            total->append(static_cast<double>(point.duration), baht(sum));
        }
        auto *lowest = new QScatterSeries;
        lowest->setName(QStringLiteral("ค่าใช้จ่ายรวมต่ำสุด"));
        lowest->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        lowest->setMarkerSize(16);
        lowest->setColor(QColor(0xd0, 0x10, 0x10));
        lowest->append(static_cast<double>(m_lowest->duration), baht(m_lowest->cost));
        chart->addSeries(total);
        chart->addSeries(lowest);
    }

    const double longest = static_cast<double>(m_curve.front().duration);
    const double shortest = static_cast<double>(m_curve.back().duration);
    auto *xAxis = new QValueAxis;
    xAxis->setTitleText(QStringLiteral("ระยะเวลาโครงการ (") + m_unitWord + u')');
    xAxis->setLabelFormat(QStringLiteral("%d"));
    xAxis->setRange(shortest - 1.0, longest + 1.0);
    xAxis->setTickType(QValueAxis::TicksDynamic);
    xAxis->setTickAnchor(shortest);
    xAxis->setTickInterval(wholeTickStep(longest - shortest + 2.0, 10));
    auto *yAxis = new QValueAxis;
    yAxis->setTitleText(QStringLiteral("ค่าใช้จ่าย (บาท)"));
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    yAxis->setRange(0.0, std::max(1.0, baht(highest) * 1.08));
    yAxis->applyNiceNumbers();
    for (QValueAxis *axis : {xAxis, yAxis}) {
        axis->setTitleFont(platform::sarabunFont(20));
        axis->setLabelsFont(platform::sarabunFont(18));
    }
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    return chart.release();
}

void CostCurveChart::rebuild()
{
    QChart *old = m_chartView->chart();
    m_chartView->setChart(makeChart());
    delete old;
}

void CostCurveChart::renderChart(QPainter *painter, const QRectF &target)
{
    if (target.width() <= 0 || target.height() <= 0)
        return;
    const QSizeF logical(kLogicalWidth, kLogicalWidth * target.height() / target.width());
    QGraphicsScene scene;
    QChart *chart = makeChart();
    scene.addItem(chart); // the scene owns it now
    chart->setGeometry(QRectF(QPointF(), logical));
    if (QGraphicsLayout *layout = chart->layout())
        layout->activate();
    scene.setSceneRect(QRectF(QPointF(), logical));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    scene.render(painter, target, QRectF(QPointF(), logical), Qt::IgnoreAspectRatio);
    painter->restore();
}

} // namespace project
