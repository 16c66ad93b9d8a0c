// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "networkview.h"

#include "arrowitems.h"
#include "backgroundjob.h"
#include "controlnames.h"
#include "fonts.h"
#include "linknotation.h"
#include "networkpaint.h"
#include "thaitext.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionGraphicsItem>
#include <QTextDocument>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace project {

namespace {

// Sizes in layout units, which are pixels at zoom 1.
constexpr double kNodeWidth = 136;
constexpr double kNodeHeight = 80;
constexpr double kBandHeight = 20; // the ES/EF row on top and the LS/LF row below
// Fitting the whole drawing never shrinks it below this (texts stay about 9 px and more);
// larger drawings are scrolled. The buttons and the wheel may go further.
constexpr double kLegibleScale = 0.7;
// Scenes with more items than this are painted without a spatial index (see buildScene).
constexpr std::size_t kIndexedItems = 4000;

using namespace networkpaint;

engine::LayoutOptions viewLayoutOptions()
{
    engine::LayoutOptions options;
    options.nodeWidth = kNodeWidth;
    options.nodeHeight = kNodeHeight;
    options.layerGap = 56;
    options.rowGap = 22;
    return options;
}

} // namespace

// One activity: a rounded box with ES and EF on top, the id and the duration in the middle
// and LS and LF below, red when critical.
class NetworkNodeItem : public QGraphicsItem {
public:
    NetworkNodeItem(const QString &id, const QString &name)
    {
        setNames(id, name);
        setZValue(2);
    }

    void setNames(const QString &id, const QString &name)
    {
        m_id = id;
        setToolTip(name.isEmpty() ? QString() : id + QStringLiteral(" – ") + name);
    }

    // Without `shown`, the four times stay blank (a student works them out).
    void setTimes(engine::Duration duration, const QString &unit, engine::Duration es,
                  engine::Duration ef, engine::Duration ls, engine::Duration lf, bool critical,
                  bool shown = true)
    {
        m_texts = {shown ? QStringLiteral("ES %1").arg(QString::number(es)) : QString(),
                   shown ? QStringLiteral("EF %1").arg(QString::number(ef)) : QString(),
                   m_id,
                   QStringLiteral("ระยะเวลา %1 %2").arg(QString::number(duration), unit),
                   shown ? QStringLiteral("LS %1").arg(QString::number(ls)) : QString(),
                   shown ? QStringLiteral("LF %1").arg(QString::number(lf)) : QString()};
        m_critical = critical;
        update();
    }
    bool critical() const { return m_critical; }
    const QStringList &texts() const { return m_texts; }

    QRectF boundingRect() const override
    {
        return QRectF(-kNodeWidth / 2 - 2, -kNodeHeight / 2 - 2, kNodeWidth + 4, kNodeHeight + 4);
    }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        static const QFont small = platform::sarabunFont(13);
        static const QFont bold = platform::sarabunFont(17, true);
        const QRectF box(-kNodeWidth / 2, -kNodeHeight / 2, kNodeWidth, kNodeHeight);
        painter->setPen(QPen(m_critical ? kCriticalRed : kBorder, m_critical ? 2.5 : 1.2));
        painter->setBrush(m_critical ? kCriticalFill : QColor(Qt::white));
        painter->drawRoundedRect(box, 8, 8);
        painter->setPen(QPen(kBandLine, 0.8));
        const double top = box.top() + kBandHeight, bottom = box.bottom() - kBandHeight;
        painter->drawLine(QPointF(box.left() + 4, top), QPointF(box.right() - 4, top));
        painter->drawLine(QPointF(box.left() + 4, bottom), QPointF(box.right() - 4, bottom));
        painter->drawLine(QPointF(0, box.top() + 3), QPointF(0, top));
        painter->drawLine(QPointF(0, bottom), QPointF(0, box.bottom() - 3));
        if (m_texts.size() < 6)
            return;
        const double pad = 6;
        painter->setPen(kText);
        painter->setFont(small);
        const QRectF topLeft(box.left() + pad, box.top(), kNodeWidth / 2 - pad, kBandHeight);
        const QRectF topRight(0, box.top(), kNodeWidth / 2 - pad, kBandHeight);
        painter->drawText(topLeft, Qt::AlignLeft | Qt::AlignVCenter, m_texts[0]);
        painter->drawText(topRight, Qt::AlignRight | Qt::AlignVCenter, m_texts[1]);
        painter->drawText(topLeft.translated(0, kNodeHeight - kBandHeight),
                          Qt::AlignLeft | Qt::AlignVCenter, m_texts[4]);
        painter->drawText(topRight.translated(0, kNodeHeight - kBandHeight),
                          Qt::AlignRight | Qt::AlignVCenter, m_texts[5]);
        const double middle = kNodeHeight - 2 * kBandHeight;
        const QRectF idRect(box.left() + pad, top, kNodeWidth - 2 * pad, middle * 0.56);
        const QRectF durationRect(box.left() + pad, idRect.bottom(), idRect.width(),
                                  middle - idRect.height());
        painter->setFont(bold);
        painter->setPen(m_critical ? kCriticalRed.darker(130) : kText);
        painter->drawText(
            idRect, Qt::AlignCenter,
            QFontMetricsF(bold).elidedText(m_texts[2], Qt::ElideRight, idRect.width()));
        painter->setFont(small);
        painter->setPen(kText);
        painter->drawText(durationRect, Qt::AlignHCenter | Qt::AlignTop, m_texts[3]);
    }

private:
    QString m_id;
    QStringList m_texts;
    bool m_critical = false;
};

// One link: the layout's polyline ending in an arrowhead on the successor's box; a link that
// is not plain finish-to-start has its type and lag written small at its middle ("SS+2").
class NetworkLinkItem : public QGraphicsItem {
public:
    NetworkLinkItem(const std::vector<engine::LayoutPoint> &points, const QString &label)
        : m_label(label)
    {
        networkpaint::Arrow arrow = networkpaint::arrowAlong(points);
        m_points = std::move(arrow.corners);
        m_line = std::move(arrow.line);
        m_arrow = std::move(arrow.head);
        m_bounds = (m_line.boundingRect() | m_arrow.boundingRect()).adjusted(-3, -3, 3, 3);
        if (!m_label.isEmpty()) {
            const QFontMetricsF metrics(labelFont());
            const QPointF middle = m_line.pointAtPercent(0.5);
            const QSizeF size(metrics.horizontalAdvance(m_label) + 6, metrics.height());
            m_labelRect = QRectF(middle - QPointF(size.width() / 2, size.height() / 2), size);
            m_bounds |= m_labelRect;
        }
    }

    void setCritical(bool critical)
    {
        m_critical = critical;
        setZValue(critical ? 1 : 0);
        update();
    }
    bool critical() const { return m_critical; }
    const QString &label() const { return m_label; }

    QRectF boundingRect() const override { return m_bounds; }

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        const QColor colour = m_critical ? kCriticalRed : kLinkGrey;
        painter->setPen(
            QPen(colour, m_critical ? 2.4 : 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(m_line);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawPolygon(m_arrow);
        if (m_label.isEmpty())
            return;
        // On white, so that the line does not run through the letters.
        painter->setBrush(Qt::white);
        painter->drawRoundedRect(m_labelRect, 3, 3);
        painter->setPen(m_critical ? kCriticalRed.darker(130) : kText);
        painter->setFont(labelFont());
        painter->drawText(m_labelRect, Qt::AlignCenter, m_label);
    }

private:
    static const QFont &labelFont()
    {
        static const QFont font = platform::sarabunFont(11);
        return font;
    }

    std::vector<QPointF> m_points;
    QPainterPath m_line;
    QPolygonF m_arrow;
    QRectF m_bounds;
    QString m_label;
    QRectF m_labelRect;
    bool m_critical = false;
};

// The link from `from` to `to` of the network: its timing (plain when the network has only
// plain links).
engine::LinkTiming timingOfLink(const engine::Network &network, int from, int to)
{
    const std::span<const engine::LinkTiming> timings = network.predecessorTimings(to);
    const std::span<const int> before = network.predecessors(to);
    for (std::size_t k = 0; k < before.size() && k < timings.size(); ++k) {
        if (before[k] == from)
            return timings[k];
    }
    return {};
}

// Deletes a scene of many items a slice at a time, then itself.
class SceneDisposer : public QObject {
public:
    SceneDisposer(QGraphicsScene *scene, std::vector<QGraphicsItem *> items)
        : m_items(std::move(items))
    {
        scene->setParent(this);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            constexpr std::size_t kSlice = 2000;
            for (std::size_t k = 0; k < kSlice && !m_items.empty(); ++k) {
                delete m_items.back();
                m_items.pop_back();
            }
            if (m_items.empty()) {
                m_timer.stop();
                deleteLater(); // and the scene with it, empty by now
            }
        });
        m_timer.start();
    }

private:
    std::vector<QGraphicsItem *> m_items;
    QTimer m_timer;
};

NetworkView::NetworkView(QWidget *parent)
    : ZoomableView(parent), m_scene(new QGraphicsScene(this)),
      m_layoutJob(new BackgroundJob(QStringLiteral("กำลังจัดวางแผนภาพเครือข่าย"), this))
{
    setObjectName(QStringLiteral("networkView"));
    setAccessibleName(QStringLiteral("แผนภาพเครือข่ายกิจกรรม"));
    setScene(m_scene);
    m_scene->setBackgroundBrush(Qt::white);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                   | QPainter::SmoothPixmapTransform);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setAlignment(Qt::AlignCenter);
    connect(m_layoutJob, &BackgroundJob::cancelled, this, [this] {
        m_stopped = true;
        showText(QStringLiteral("หยุดจัดวางแผนภาพแล้ว\nดับเบิลคลิกที่นี่เพื่อวาดใหม่"));
    });
    connect(m_layoutJob, &BackgroundJob::failed, this, [this](const QString &reason) {
        showText(QStringLiteral("วาดแผนภาพไม่ได้: ") + reason);
    });
}

void NetworkView::clearDrawing()
{
    if (m_nodes.size() + m_linkItems.size() + m_events.size() + m_arrows.size() > kIndexedItems) {
        // Deleting thousands of items takes longer than a paint may: a fresh scene now, and
        // the old one emptied a few thousand items at a time between the window's events.
        std::vector<QGraphicsItem *> items(m_nodes.begin(), m_nodes.end());
        items.insert(items.end(), m_linkItems.begin(), m_linkItems.end());
        items.insert(items.end(), m_events.begin(), m_events.end());
        items.insert(items.end(), m_arrows.begin(), m_arrows.end());
        new SceneDisposer(m_scene, std::move(items));
        m_scene = new QGraphicsScene(this);
        m_scene->setBackgroundBrush(Qt::white);
        setScene(m_scene);
    } else {
        m_scene->clear();
    }
    m_nodes.clear();
    m_linkItems.clear();
    m_events.clear();
    m_arrows.clear();
    m_diagram = {};
    m_messageItem = nullptr;
    m_critical = 0;
}

void NetworkView::showMessage(const QString &message)
{
    m_layoutJob->abandon();
    m_analysis.reset();
    m_stopped = false;
    showText(message);
}

void NetworkView::showText(const QString &message)
{
    clearDrawing();
    m_key = {};
    m_layout = {};
    m_drawn = false;
    m_message = message;
    m_messageItem = m_scene->addText(message, platform::sarabunFont(18));
    m_messageItem->setDefaultTextColor(QColor(84, 110, 122));
    m_messageItem->setTextWidth(420);
    QTextOption centred(Qt::AlignCenter);
    centred.setWrapMode(QTextOption::WordWrap);
    m_messageItem->document()->setDefaultTextOption(centred);
    m_scene->setSceneRect(m_messageItem->boundingRect());
    resetTransform();
    cancelFit();
}

engine::Schedule NetworkView::columnSchedule(const ProjectAnalysis &analysis, bool byLinks)
{
    if (!byLinks)
        return analysis.schedule;
    // Every activity one unit long: its column then tells how many links lead to it, and
    // nothing about the durations.
    const std::vector<engine::Duration> ones(static_cast<std::size_t>(analysis.network.size()), 1);
    return engine::computeSchedule(analysis.network, ones);
}

NetworkView::LayoutKey NetworkView::keyOf(const ProjectAnalysis &analysis, bool byLinks,
                                          NetworkStyle style)
{
    LayoutKey key;
    key.style = style;
    const engine::Network &network = analysis.network;
    key.ids.reserve(analysis.project.activities.size());
    for (const engine::Activity &a : analysis.project.activities)
        key.ids.push_back(a.id);
    key.links.reserve(static_cast<std::size_t>(network.size()) + network.linkCount());
    for (int a = 0; a < network.size(); ++a) {
        const std::span<const int> before = network.predecessors(a);
        key.links.push_back(static_cast<int>(before.size()));
        key.links.insert(key.links.end(), before.begin(), before.end());
        const std::span<const engine::LinkTiming> timings = network.predecessorTimings(a);
        key.timings.insert(key.timings.end(), timings.begin(), timings.end());
    }
    key.earliestStarts = columnSchedule(analysis, byLinks).earliestStart;
    return key;
}

void NetworkView::showProject(AnalysisSnapshot analysis,
                              std::span<const engine::Duration> durations)
{
    m_layoutJob->abandon();
    m_stopped = false;
    m_analysis = std::move(analysis);
    m_durations.assign(durations.begin(), durations.end());
    if (!m_analysis || !m_analysis->sound()) {
        showMessage(QStringLiteral("ไม่มีเครือข่ายให้วาด"));
        return;
    }
    if (const QString problem = durationsProblem(); !problem.isEmpty()) {
        showMessage(problem);
        return;
    }
    if (m_style == NetworkStyle::ActivityOnArrow && !m_analysis->network.plainLinks()) {
        // Nothing to wait for: the message is the drawing.
        showText(arrowStyleRefusal());
        m_drawn = true;
        emit drawn();
        return;
    }
    LayoutKey key = keyOf(*m_analysis, m_columnsByLinks, m_style);
    if (m_message.isEmpty() && !(m_nodes.empty() && m_events.empty()) && key == m_key) {
        // The same layout would come out: only names and times change.
        refreshNames();
        m_drawn = true;
        updateTimes();
        emit drawn();
        return;
    }
    m_drawn = false;
    startLayout();
}

// A layout and the items that draw it, made together off the window's thread; the window
// only puts them into its scene.
struct NetworkView::Drawing {
    engine::NetworkLayout layout;
    std::vector<std::unique_ptr<NetworkNodeItem>> nodes;
    std::vector<std::unique_ptr<NetworkLinkItem>> links;
    engine::ArrowDiagram diagram;
    std::vector<std::unique_ptr<EventItem>> events;
    std::vector<std::unique_ptr<ArrowItem>> arrows;
};

// The events are laid out as the boxes are, by their earliest times: the same columns, the
// same few crossings.
void NetworkView::drawArrows(Drawing &drawing, const ProjectAnalysis &analysis, bool byLinks,
                             engine::JobControl *control)
{
    drawing.diagram = engine::buildArrowDiagram(analysis.network, control);
    const engine::ArrowDiagram &diagram = drawing.diagram;
    std::vector<std::pair<int, int>> links;
    links.reserve(diagram.arrows.size());
    for (const engine::ArrowDiagram::Arrow &arrow : diagram.arrows)
        links.emplace_back(arrow.from, arrow.to);
    const engine::Network events(diagram.eventCount, links);
    // Every activity one unit long when the columns should tell nothing about the durations.
    std::vector<engine::Duration> lengths;
    lengths.reserve(analysis.project.activities.size());
    for (const engine::Activity &a : analysis.project.activities)
        lengths.push_back(byLinks ? 1 : a.normalDuration);
    engine::Schedule columns;
    columns.earliestStart = engine::computeEventTimes(diagram, lengths).earliest;
    engine::LayoutOptions options;
    options.nodeWidth = kEventDiameter;
    options.nodeHeight = kEventDiameter;
    options.layerGap = 80; // room for an activity's id and duration along its arrow
    options.rowGap = 40;
    options.control = control;
    drawing.layout = engine::layoutNetwork(events, columns, options);

    // The layout's links follow the network's order of predecessors: find each arrow's.
    std::map<std::pair<int, int>, std::size_t> linkOf;
    for (std::size_t k = 0; k < drawing.layout.links.size(); ++k)
        linkOf.emplace(std::pair(drawing.layout.links[k].from, drawing.layout.links[k].to), k);
    drawing.arrows.reserve(diagram.arrows.size());
    for (const engine::ArrowDiagram::Arrow &arrow : diagram.arrows) {
        const auto &points = drawing.layout.links[linkOf.at({arrow.from, arrow.to})].points;
        if (arrow.isDummy()) {
            drawing.arrows.push_back(std::make_unique<ArrowItem>(points, QString(), QString()));
            continue;
        }
        const engine::Activity &a
            = analysis.project.activities[static_cast<std::size_t>(arrow.activity)];
        drawing.arrows.push_back(std::make_unique<ArrowItem>(points, QString::fromStdString(a.id),
                                                             QString::fromStdString(a.name)));
    }
    drawing.events.reserve(static_cast<std::size_t>(diagram.eventCount));
    for (int e = 0; e < diagram.eventCount; ++e) {
        auto item = std::make_unique<EventItem>(e + 1);
        const engine::LayoutPoint centre = drawing.layout.nodes[static_cast<std::size_t>(e)].centre;
        item->setPos(centre.x, centre.y);
        drawing.events.push_back(std::move(item));
    }
}

NetworkView::Drawing NetworkView::drawingOf(const ProjectAnalysis &analysis, bool byLinks,
                                            NetworkStyle style, engine::JobControl *control)
{
    Drawing drawing;
    if (style == NetworkStyle::ActivityOnArrow) {
        drawArrows(drawing, analysis, byLinks, control);
        return drawing;
    }
    engine::LayoutOptions options = viewLayoutOptions();
    options.control = control;
    drawing.layout
        = engine::layoutNetwork(analysis.network, columnSchedule(analysis, byLinks), options);
    drawing.links.reserve(drawing.layout.links.size());
    for (const engine::NetworkLayout::Link &link : drawing.layout.links) {
        const engine::LinkTiming timing = timingOfLink(analysis.network, link.from, link.to);
        const QString label = timing.plain()
            ? QString()
            : QString::fromStdString(io::linkItem({}, timing)).trimmed();
        drawing.links.push_back(std::make_unique<NetworkLinkItem>(link.points, label));
    }
    drawing.nodes.reserve(drawing.layout.nodes.size());
    for (std::size_t i = 0; i < drawing.layout.nodes.size(); ++i) {
        const engine::Activity &a = analysis.project.activities[i];
        auto item = std::make_unique<NetworkNodeItem>(QString::fromStdString(a.id),
                                                      QString::fromStdString(a.name));
        item->setPos(drawing.layout.nodes[i].centre.x, drawing.layout.nodes[i].centre.y);
        drawing.nodes.push_back(std::move(item));
    }
    return drawing;
}

void NetworkView::startLayout()
{
    const AnalysisSnapshot analysis = m_analysis;
    if (analysis->project.activities.size() > BackgroundJob::inlineLimit())
        showText(
            QStringLiteral("กำลังจัดวางแผนภาพ %1 กิจกรรม...").arg(analysis->project.activities.size()));
    m_layoutJob->start<std::shared_ptr<Drawing>>(
        analysis->project.activities.size(),
        [analysis, byLinks = m_columnsByLinks, style = m_style](engine::JobControl &control) {
            return std::make_shared<Drawing>(drawingOf(*analysis, byLinks, style, &control));
        },
        [this, analysis](std::shared_ptr<Drawing> drawing) {
            if (analysis != m_analysis)
                return;
            m_message.clear();
            m_key = keyOf(*analysis, m_columnsByLinks, m_style);
            buildScene(*drawing);
            m_layout = std::move(drawing->layout);
            m_drawn = true;
            updateTimes();
            emit drawn();
        });
}

void NetworkView::setRevealed(bool times, bool critical)
{
    m_showTimes = times;
    m_showCritical = critical;
    if (m_drawn)
        updateTimes();
}

void NetworkView::setStyle(NetworkStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    m_key = {};
    if (m_analysis && m_analysis->sound())
        showProject(m_analysis, m_durations);
}

void NetworkView::setColumnsByLinks(bool byLinks)
{
    if (m_columnsByLinks == byLinks)
        return;
    m_columnsByLinks = byLinks;
    m_key = {};
    if (m_analysis && m_analysis->sound())
        showProject(m_analysis, m_durations);
}

void NetworkView::showDurations(std::span<const engine::Duration> durations)
{
    m_durations.assign(durations.begin(), durations.end());
    if (!m_analysis)
        return;
    if (const QString problem = durationsProblem(); !problem.isEmpty()) {
        showMessage(problem);
        return;
    }
    if (m_drawn)
        updateTimes();
}

QString NetworkView::durationsProblem() const
{
    const auto n = static_cast<std::size_t>(m_analysis->network.size());
    if (m_durations.size() != n)
        return QStringLiteral("วาดแผนภาพไม่ได้: จำนวนระยะเวลา (%1) ไม่ตรงกับเครือข่าย (%2 กิจกรรม)")
            .arg(m_durations.size())
            .arg(n);
    const auto negative = std::find_if(m_durations.begin(), m_durations.end(),
                                       [](engine::Duration d) { return d < 0; });
    if (negative != m_durations.end()) {
        const auto at = static_cast<std::size_t>(negative - m_durations.begin());
        return QStringLiteral("วาดแผนภาพไม่ได้: ระยะเวลาของกิจกรรม %1 ติดลบ (%2)")
            .arg(QString::fromStdString(m_analysis->project.activities[at].id))
            .arg(*negative);
    }
    return {};
}

bool NetworkView::isDrawn() const
{
    return m_drawn;
}

void NetworkView::refreshNames()
{
    const std::vector<engine::Activity> &activities = m_analysis->project.activities;
    for (std::size_t i = 0; i < m_nodes.size() && i < activities.size(); ++i)
        m_nodes[i]->setNames(QString::fromStdString(activities[i].id),
                             QString::fromStdString(activities[i].name));
    for (std::size_t i = 0; i < m_arrows.size() && i < activities.size(); ++i)
        m_arrows[i]->setNames(QString::fromStdString(activities[i].id),
                              QString::fromStdString(activities[i].name));
}

void NetworkView::buildScene(Drawing &drawing)
{
    clearDrawing();
    // Adding many items one by one rebuilds the scene's index again and again.
    m_scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_linkItems.reserve(drawing.links.size());
    for (std::unique_ptr<NetworkLinkItem> &item : drawing.links) {
        m_linkItems.push_back(item.get());
        m_scene->addItem(item.release());
    }
    m_nodes.reserve(drawing.nodes.size());
    for (std::unique_ptr<NetworkNodeItem> &item : drawing.nodes) {
        m_nodes.push_back(item.get());
        m_scene->addItem(item.release());
    }
    m_arrows.reserve(drawing.arrows.size());
    for (std::unique_ptr<ArrowItem> &item : drawing.arrows) {
        m_arrows.push_back(item.get());
        m_scene->addItem(item.release());
    }
    m_events.reserve(drawing.events.size());
    for (std::unique_ptr<EventItem> &item : drawing.events) {
        m_events.push_back(item.get());
        m_scene->addItem(item.release());
    }
    m_diagram = std::move(drawing.diagram);
    // The index pays when a paint shows a small part of many items, but Qt builds it at the
    // first paint, in one go: for thousands of items that takes longer than a paint that
    // just looks at every item's box.
    if (m_nodes.size() + m_linkItems.size() + m_events.size() + m_arrows.size() <= kIndexedItems)
        m_scene->setItemIndexMethod(QGraphicsScene::BspTreeIndex);
    m_scene->setSceneRect(0, 0, drawing.layout.width, drawing.layout.height);
    fitWhenShown();
}

void NetworkView::updateTimes()
{
    if (!m_events.empty()) {
        updateEventTimes();
        return;
    }
    if (!m_analysis || m_durations.size() != m_nodes.size())
        return;
    engine::computeSchedule(m_analysis->network, m_durations, m_schedule);
    const engine::Schedule &s = m_schedule;
    const QString unit = thaiUnitWord(m_analysis->project.timeUnit);
    m_critical = 0;
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const bool critical = m_showCritical && s.isCritical(static_cast<int>(i));
        m_critical += critical;
        m_nodes[i]->setTimes(s.earliestFinish[i] - s.earliestStart[i], unit, s.earliestStart[i],
                             s.earliestFinish[i], s.latestStart[i], s.latestFinish[i], critical,
                             m_showTimes);
    }
    // Red where the link holds its activity back: the earliest start it allows is the one.
    const engine::Network &network = m_analysis->network;
    for (std::size_t e = 0; e < m_linkItems.size(); ++e) {
        const int fromNode = m_layout.links[e].from, toNode = m_layout.links[e].to;
        const auto from = static_cast<std::size_t>(fromNode);
        const auto to = static_cast<std::size_t>(toNode);
        const engine::LinkTiming timing = network.plainLinks()
            ? engine::LinkTiming {}
            : timingOfLink(network, fromNode, toNode);
        const engine::Duration allowed
            = engine::startAllowedAfter(timing, s.earliestStart[from], s.earliestFinish[from],
                                        s.earliestFinish[to] - s.earliestStart[to]);
        m_linkItems[e]->setCritical(m_nodes[from]->critical() && m_nodes[to]->critical()
                                    && s.earliestStart[to] == allowed);
    }
}

void NetworkView::updateEventTimes()
{
    if (!m_analysis || m_durations.size() != static_cast<std::size_t>(m_analysis->network.size())
        || m_events.size() != static_cast<std::size_t>(m_diagram.eventCount))
        return;
    const engine::EventTimes times = engine::computeEventTimes(m_diagram, m_durations);
    for (std::size_t e = 0; e < m_events.size(); ++e)
        m_events[e]->setTimes(times.earliest[e], times.latest[e],
                              m_showCritical && times.isCritical(static_cast<int>(e)), m_showTimes);
    m_critical = 0;
    for (std::size_t i = 0; i < m_arrows.size(); ++i) {
        const engine::ArrowDiagram::Arrow &arrow = m_diagram.arrows[i];
        const bool critical = m_showCritical && times.criticalArrow[i];
        m_arrows[i]->setCritical(critical);
        if (!arrow.isDummy()) {
            m_arrows[i]->setDuration(m_durations[static_cast<std::size_t>(arrow.activity)]);
            m_critical += critical;
        }
    }
}

void NetworkView::zoomToFit()
{
    const QRectF drawing = drawingRect();
    const QRect port = viewport()->rect();
    if (drawing.isEmpty() || port.isEmpty())
        return;
    const double margin = 8;
    const double fit = std::min((port.width() - 2 * margin) / drawing.width(),
                                (port.height() - 2 * margin) / drawing.height());
    const double scale = std::clamp(fit, kLegibleScale, 1.0);
    resetTransform();
    QGraphicsView::scale(scale, scale);
    // A drawing too large to fit starts at its left end, where the project starts.
    if (fit < kLegibleScale)
        ensureVisible(QRectF(drawing.left(), drawing.center().y(), 1, 1), 0, 0);
    else
        centerOn(drawing.center());
}

void NetworkView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_stopped && m_analysis) {
        m_stopped = false;
        startLayout();
        event->accept();
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

QRectF NetworkView::drawingRect() const
{
    return m_scene->sceneRect();
}

void NetworkView::renderDrawing(QPainter *painter, const QRectF &target)
{
    if (!painter)
        return;
    painter->save();
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_scene->render(painter, target, drawingRect(), Qt::KeepAspectRatio);
    painter->restore();
}

int NetworkView::criticalNodeCount() const
{
    return m_critical;
}

QRectF NetworkView::nodeRect(int activity) const
{
    if (activity < 0 || static_cast<std::size_t>(activity) >= m_nodes.size())
        return {};
    const QPointF centre = m_nodes[static_cast<std::size_t>(activity)]->pos();
    return QRectF(centre.x() - kNodeWidth / 2, centre.y() - kNodeHeight / 2, kNodeWidth,
                  kNodeHeight);
}

QStringList NetworkView::nodeTexts(int activity) const
{
    if (activity < 0 || static_cast<std::size_t>(activity) >= m_nodes.size())
        return {};
    return m_nodes[static_cast<std::size_t>(activity)]->texts();
}

QString NetworkView::linkLabel(int from, int to) const
{
    for (std::size_t e = 0; e < m_linkItems.size() && e < m_layout.links.size(); ++e) {
        if (m_layout.links[e].from == from && m_layout.links[e].to == to)
            return m_linkItems[e]->label();
    }
    return {};
}

const engine::ArrowDiagram *NetworkView::arrowDiagram() const
{
    return m_events.empty() ? nullptr : &m_diagram;
}

QRectF NetworkView::eventRect(int event) const
{
    if (event < 0 || static_cast<std::size_t>(event) >= m_events.size())
        return {};
    const QPointF centre = m_events[static_cast<std::size_t>(event)]->pos();
    return QRectF(centre.x() - kEventDiameter / 2, centre.y() - kEventDiameter / 2, kEventDiameter,
                  kEventDiameter);
}

QStringList NetworkView::eventTexts(int event) const
{
    if (event < 0 || static_cast<std::size_t>(event) >= m_events.size())
        return {};
    return m_events[static_cast<std::size_t>(event)]->texts();
}

bool NetworkView::arrowIsCritical(int arrow) const
{
    return arrow >= 0 && static_cast<std::size_t>(arrow) < m_arrows.size()
        && m_arrows[static_cast<std::size_t>(arrow)]->critical();
}

QStringList NetworkView::arrowTexts(int arrow) const
{
    if (arrow < 0 || static_cast<std::size_t>(arrow) >= m_arrows.size())
        return {};
    return m_arrows[static_cast<std::size_t>(arrow)]->texts();
}

QComboBox *makeStyleChoice(NetworkView *view, QWidget *parent, const char *objectName)
{
    auto *choice = named(new QComboBox(parent), objectName, QStringLiteral("แบบการวาดเครือข่าย"));
    choice->addItem(QStringLiteral("กิจกรรมบนโหนด (AON)"));
    choice->addItem(QStringLiteral("กิจกรรมบนลูกศร (AOA)"));
    QObject::connect(choice, &QComboBox::currentIndexChanged, view, [view](int index) {
        view->setStyle(index == 1 ? NetworkStyle::ActivityOnArrow : NetworkStyle::ActivityOnNode);
    });
    return choice;
}

QString arrowStyleRefusal()
{
    return QStringLiteral("แบบกิจกรรมบนลูกศร (AOA) วาดได้เมื่อทุกความสัมพันธ์เป็นแบบเสร็จ-เริ่มไม่มีเวลาหน่วง "
                          "โครงการนี้มีความสัมพันธ์แบบอื่น จึงวาดได้แบบกิจกรรมบนโหนด (AON)");
}

void allowArrowStyle(QComboBox *choice, bool allowed)
{
    auto *model = qobject_cast<QStandardItemModel *>(choice->model());
    QStandardItem *arrows = model ? model->item(1) : nullptr;
    if (!arrows)
        return;
    arrows->setEnabled(allowed);
    arrows->setToolTip(allowed ? QString() : arrowStyleRefusal());
}

} // namespace project
