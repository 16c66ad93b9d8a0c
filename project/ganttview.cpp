// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "ganttview.h"

#include "fonts.h"
#include "networkpaint.h"
#include "thaitext.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace project {

namespace {

// Sizes in scene units, which are pixels at zoom 1.
constexpr double kIdColumnWidth = 110; // the ids' column
constexpr double kCaptionHeight = 26;
constexpr double kScaleHeight = 24;
constexpr double kHeaderHeight = kCaptionHeight + kScaleHeight;
constexpr double kRowHeight = 22;
constexpr double kBarInset = 4; // above and below a bar within its row
constexpr double kRightMargin = 24;
constexpr double kPlanGap = 28; // between the two plans
constexpr double kChartWidth = 720; // the time axis of a project, at zoom 1

const QColor kBarBlue(84, 110, 122);
const QColor kFloatGrey(176, 190, 197);
const QColor kGridLine(236, 239, 241);
const QColor kRowShade(250, 250, 250);

// A tick every 1, 2 or 5 times a power of ten time units, at least 36 pixels apart.
engine::Duration tickStep(double unitWidth)
{
    for (engine::Duration power = 1;; power *= 10) {
        for (const engine::Duration factor : {1, 2, 5}) {
            if (static_cast<double>(power * factor) * unitWidth >= 36 || power > 1'000'000'000'000)
                return power * factor;
        }
    }
}

} // namespace

// One plan: its caption, the time scale and one row per activity, painted for the rows in
// view only.
class GanttPlanItem : public QGraphicsItem {
public:
    GanttPlanItem(AnalysisSnapshot analysis, const std::vector<engine::Duration> &durations,
                  const QString &caption, double unitWidth, engine::Duration axisLength)
        : m_analysis(std::move(analysis)), m_caption(caption), m_unitWidth(unitWidth),
          m_axisLength(axisLength)
    {
        setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
        m_schedule = engine::computeSchedule(m_analysis->network, durations);
        const auto n = m_analysis->project.activities.size();
        m_height = kHeaderHeight + static_cast<double>(n) * kRowHeight;
        m_width = kIdColumnWidth + static_cast<double>(axisLength) * unitWidth + kRightMargin;
        m_ids.reserve(n);
        for (const engine::Activity &a : m_analysis->project.activities)
            m_ids.push_back(QString::fromStdString(a.id));
    }

    void setLinksShown(bool shown)
    {
        m_links = shown;
        update();
    }

    const engine::Schedule &schedule() const { return m_schedule; }
    const ProjectAnalysis &analysis() const { return *m_analysis; }
    double x(engine::Duration time) const
    {
        return kIdColumnWidth + static_cast<double>(time) * m_unitWidth;
    }
    double rowTop(std::size_t row) const
    {
        return kHeaderHeight + static_cast<double>(row) * kRowHeight;
    }
    QRectF bar(std::size_t i) const
    {
        return QRectF(
            x(m_schedule.earliestStart[i]), rowTop(i) + kBarInset,
            static_cast<double>(m_schedule.earliestFinish[i] - m_schedule.earliestStart[i])
                * m_unitWidth,
            kRowHeight - 2 * kBarInset);
    }
    QRectF slack(std::size_t i) const
    {
        const double top = rowTop(i) + kRowHeight / 2 - 2;
        return QRectF(x(m_schedule.earliestFinish[i]), top,
                      static_cast<double>(m_schedule.latestFinish[i] - m_schedule.earliestFinish[i])
                          * m_unitWidth,
                      4);
    }
    bool critical(std::size_t i) const { return m_schedule.isCritical(static_cast<int>(i)); }

    QRectF boundingRect() const override { return QRectF(0, 0, m_width, m_height); }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *) override
    {
        static const QFont captionFont = platform::sarabunFont(17, true);
        static const QFont small = platform::sarabunFont(14);
        const QRectF exposed = option->exposedRect.isEmpty() ? boundingRect() : option->exposedRect;
        const std::size_t n = m_ids.size();
        const auto firstRow = static_cast<std::size_t>(
            std::clamp((exposed.top() - kHeaderHeight) / kRowHeight, 0.0, static_cast<double>(n)));
        const auto endRow = static_cast<std::size_t>(
            std::clamp(std::ceil((exposed.bottom() - kHeaderHeight) / kRowHeight), 0.0,
                       static_cast<double>(n)));

        // Shaded every other row, and the grid of the time scale.
        painter->setPen(Qt::NoPen);
        painter->setBrush(kRowShade);
        for (std::size_t i = firstRow; i < endRow; ++i) {
            if (i % 2 == 1)
                painter->drawRect(QRectF(0, rowTop(i), m_width, kRowHeight));
        }
        const engine::Duration step = tickStep(m_unitWidth);
        const auto firstTick = std::max<engine::Duration>(
            0,
            static_cast<engine::Duration>((exposed.left() - kIdColumnWidth) / m_unitWidth) / step
                * step);
        painter->setFont(small);
        for (engine::Duration t = firstTick; t <= m_axisLength && x(t) <= exposed.right() + 40;
             t += step) {
            painter->setPen(QPen(kGridLine, 1));
            painter->drawLine(QPointF(x(t), kHeaderHeight), QPointF(x(t), m_height));
            painter->setPen(QPen(networkpaint::kText, 1));
            painter->drawLine(QPointF(x(t), kHeaderHeight - 6), QPointF(x(t), kHeaderHeight));
            painter->drawText(QRectF(x(t) - 30, kCaptionHeight, 60, kScaleHeight - 6),
                              Qt::AlignCenter, QString::number(t));
        }
        painter->setPen(QPen(networkpaint::kText, 1));
        painter->drawLine(QPointF(kIdColumnWidth, kHeaderHeight),
                          QPointF(x(m_axisLength), kHeaderHeight));
        painter->setFont(captionFont);
        painter->drawText(QRectF(4, 0, m_width - 8, kCaptionHeight),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("%1 · ระยะเวลาโครงการ %2 %3")
                              .arg(m_caption)
                              .arg(m_schedule.projectDuration)
                              .arg(thaiUnitWord(m_analysis->project.timeUnit)));

        if (m_links)
            paintLinks(painter, firstRow, endRow);
        const QFontMetricsF metrics(small);
        for (std::size_t i = firstRow; i < endRow; ++i) {
            painter->setFont(small);
            painter->setPen(networkpaint::kText);
            painter->drawText(QRectF(6, rowTop(i), kIdColumnWidth - 12, kRowHeight),
                              Qt::AlignLeft | Qt::AlignVCenter,
                              metrics.elidedText(m_ids[i], Qt::ElideRight, kIdColumnWidth - 12));
            const QColor colour = critical(i) ? networkpaint::kCriticalRed : kBarBlue;
            painter->setPen(Qt::NoPen);
            if (m_schedule.latestFinish[i] > m_schedule.earliestFinish[i]) {
                painter->setBrush(kFloatGrey);
                painter->drawRect(slack(i));
            }
            painter->setBrush(colour);
            const QRectF b = bar(i);
            if (b.width() > 0) {
                painter->drawRect(b);
            } else {
                // An activity without time: a diamond at its moment.
                const QPointF c(b.left(), b.center().y());
                const double r = (kRowHeight - 2 * kBarInset) / 2;
                painter->drawPolygon(QPolygonF({c + QPointF(0, -r), c + QPointF(r, 0),
                                                c + QPointF(0, r), c + QPointF(-r, 0)}));
            }
        }
    }

    // The line of the link to activity i from its k-th predecessor: from the predecessor's
    // start or finish (by the link's type) to the activity's start or finish, coming in from
    // the left to a start and from the right to a finish; the arrowhead is at the last point.
    QPolygonF linkLine(std::size_t i, std::size_t k) const
    {
        const engine::Network &network = m_analysis->network;
        const auto p = static_cast<std::size_t>(network.predecessors(static_cast<int>(i))[k]);
        const std::span<const engine::LinkTiming> timings
            = network.predecessorTimings(static_cast<int>(i));
        const engine::LinkType type
            = k < timings.size() ? timings[k].type : engine::LinkType::FinishToStart;
        const bool fromStart = !engine::fromFinish(type);
        const bool toFinish = !engine::toStart(type);
        const double from
            = x(fromStart ? m_schedule.earliestStart[p] : m_schedule.earliestFinish[p]);
        const double to = x(toFinish ? m_schedule.earliestFinish[i] : m_schedule.earliestStart[i]);
        const double fromY = rowTop(p) + (p < i ? kRowHeight - kBarInset : kBarInset);
        const double y = rowTop(i) + kRowHeight / 2;
        const double bend = toFinish ? std::max(from, to + 6) : std::max(from, to - 6);
        return QPolygonF(
            {QPointF(from, fromY), QPointF(bend, fromY), QPointF(bend, y), QPointF(to, y)});
    }

private:
    // Each link in view, with its arrowhead pointing the way the line comes in.
    void paintLinks(QPainter *painter, std::size_t firstRow, std::size_t endRow) const
    {
        const engine::Network &network = m_analysis->network;
        painter->setPen(QPen(kFloatGrey.darker(130), 1));
        painter->setBrush(kFloatGrey.darker(130));
        for (std::size_t i = firstRow; i < endRow; ++i) {
            const std::size_t count = network.predecessors(static_cast<int>(i)).size();
            for (std::size_t k = 0; k < count; ++k) {
                const QPolygonF line = linkLine(i, k);
                painter->drawPolyline(line);
                const QPointF tip = line.back();
                const double back = line[2].x() > tip.x() ? 5 : -5;
                painter->drawPolygon(
                    QPolygonF({tip, tip + QPointF(back, -3), tip + QPointF(back, 3)}));
            }
        }
    }

    AnalysisSnapshot m_analysis;
    engine::Schedule m_schedule;
    std::vector<QString> m_ids;
    QString m_caption;
    double m_unitWidth;
    engine::Duration m_axisLength;
    double m_width = 0, m_height = 0;
    bool m_links = false;
};

GanttView::GanttView(QWidget *parent) : ZoomableView(parent), m_scene(new QGraphicsScene(this))
{
    setObjectName(QStringLiteral("ganttView"));
    setAccessibleName(QStringLiteral("แผนภูมิแกนต์"));
    setScene(m_scene);
    m_scene->setBackgroundBrush(Qt::white);
    m_scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

GanttView::~GanttView() = default;

void GanttView::showMessage(const QString &message)
{
    m_scene->clear();
    m_plans.clear();
    m_message = message;
    QGraphicsTextItem *text = m_scene->addText(message, platform::sarabunFont(18));
    text->setDefaultTextColor(QColor(84, 110, 122));
    m_scene->setSceneRect(text->boundingRect());
}

void GanttView::showPlans(AnalysisSnapshot analysis,
                          const std::optional<std::vector<engine::Duration>> &crashed,
                          const QString &crashedCaption)
{
    if (!analysis || !analysis->sound()) {
        showMessage(QStringLiteral("ไม่มีแผนให้แสดง"));
        return;
    }
    const auto n = analysis->project.activities.size();
    if (crashed && crashed->size() != n) {
        showMessage(QStringLiteral("แสดงแผนไม่ได้: จำนวนระยะเวลาไม่ตรงกับโครงการ"));
        return;
    }
    m_scene->clear();
    m_plans.clear();
    m_message.clear();
    const engine::Duration axis = std::max<engine::Duration>(1, analysis->schedule.projectDuration);
    m_unitWidth = std::clamp(kChartWidth / static_cast<double>(axis), 0.01, 48.0);
    const auto normal = analysis->network.normalDurations();
    auto add = [&](const std::vector<engine::Duration> &durations, const QString &caption) {
        auto *item = new GanttPlanItem(analysis, durations, caption, m_unitWidth, axis);
        item->setLinksShown(m_links);
        const double top = m_plans.empty()
            ? 0
            : m_plans.back()->pos().y() + m_plans.back()->boundingRect().height() + kPlanGap;
        item->setPos(0, top);
        m_scene->addItem(item);
        m_plans.push_back(item);
    };
    add(std::vector<engine::Duration>(normal.begin(), normal.end()), QStringLiteral("แผนที่เวลาปกติ"));
    if (crashed)
        add(*crashed, crashedCaption);
    m_scene->setSceneRect(m_scene->itemsBoundingRect());
    fitWhenShown();
}

void GanttView::setLinksShown(bool shown)
{
    m_links = shown;
    for (GanttPlanItem *plan : m_plans)
        plan->setLinksShown(shown);
}

QRectF GanttView::barRect(int plan, int activity) const
{
    if (plan < 0 || plan >= planCount() || activity < 0
        || static_cast<std::size_t>(activity)
            >= m_plans[static_cast<std::size_t>(plan)]->schedule().earliestStart.size())
        return {};
    const GanttPlanItem *item = m_plans[static_cast<std::size_t>(plan)];
    return item->bar(static_cast<std::size_t>(activity)).translated(item->pos());
}

QRectF GanttView::floatRect(int plan, int activity) const
{
    if (barRect(plan, activity).isNull())
        return {};
    const GanttPlanItem *item = m_plans[static_cast<std::size_t>(plan)];
    const QRectF slack = item->slack(static_cast<std::size_t>(activity));
    return slack.width() > 0 ? slack.translated(item->pos()) : QRectF();
}

QPolygonF GanttView::linkLine(int plan, int activity, int k) const
{
    if (barRect(plan, activity).isNull() || k < 0)
        return {};
    const GanttPlanItem *item = m_plans[static_cast<std::size_t>(plan)];
    if (static_cast<std::size_t>(k) >= item->analysis().network.predecessors(activity).size())
        return {};
    return item->linkLine(static_cast<std::size_t>(activity), static_cast<std::size_t>(k))
        .translated(item->pos());
}

bool GanttView::barIsCritical(int plan, int activity) const
{
    return !barRect(plan, activity).isNull()
        && m_plans[static_cast<std::size_t>(plan)]->critical(static_cast<std::size_t>(activity));
}

double GanttView::timeOrigin() const
{
    return kIdColumnWidth;
}

QRectF GanttView::drawingRect() const
{
    return m_scene->sceneRect();
}

void GanttView::renderDrawing(QPainter *painter, const QRectF &target)
{
    if (!painter)
        return;
    painter->save();
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_scene->render(painter, target, drawingRect(), Qt::KeepAspectRatio);
    painter->restore();
}

void GanttView::zoomToFit()
{
    const QRectF drawing = drawingRect();
    const QRect port = viewport()->rect();
    if (drawing.isEmpty() || port.isEmpty())
        return;
    const double scale = std::clamp((port.width() - 16) / drawing.width(), 0.5, 1.5);
    resetTransform();
    QGraphicsView::scale(scale, scale);
    ensureVisible(QRectF(drawing.topLeft(), QSizeF(1, 1)), 0, 0);
}

} // namespace project
