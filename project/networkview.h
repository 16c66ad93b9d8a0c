// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "arrowdiagram.h"
#include "networklayout.h"
#include "projectanalysis.h"
#include "schedule.h"

#include "zoomableview.h"

#include <span>
#include <string>
#include <vector>

class QComboBox;
class QGraphicsScene;
class QGraphicsTextItem;

namespace project {

class ArrowItem;
class BackgroundJob;
class EventItem;
class NetworkNodeItem;
class NetworkLinkItem;

// The two ways of drawing a network the course teaches.
enum class NetworkStyle {
    ActivityOnNode, // boxes for the activities, arrows for the links
    ActivityOnArrow, // circles for the events, arrows for the activities, dashed dummies
};

// The project's network, laid out in layers by earliest start, in either style. Activity on
// node: each box shows the activity's id, its duration and ES/EF/LS/LF. Activity on arrow:
// each circle shows the event's number and its earliest and latest time (TE, TL), each
// arrow the activity's id and duration, dummies dashed. Critical activities, events and the
// links between them in red (a link that is not plain finish-to-start labelled with its type and
// lag, "SS+2"). Zoom with Ctrl+wheel, Ctrl++ / Ctrl+- / Ctrl+0 (fit), pan by
// dragging. The scene can be rendered for export and print.
//
// The columns follow the earliest starts at normal durations, so an edit lays the network
// out again (off the window's thread for a large project, with the message and the job
// indicator meanwhile), while a crashing step only redraws the times and colours in place.
class NetworkView : public ZoomableView {
    Q_OBJECT
public:
    explicit NetworkView(QWidget *parent = nullptr);

    // Draws the network of a sound analysis with the given durations (one per activity: the
    // normal ones, or a crashing step's). The layout is made for the analysis's normal
    // schedule; it is kept only when the activities, their links and their earliest starts
    // are those of the drawing already shown (then the layout would come out the same).
    void showProject(AnalysisSnapshot analysis, std::span<const engine::Duration> durations);
    // A crashing step of the analysis shown: new times and colours on the same layout.
    void showDurations(std::span<const engine::Duration> durations);
    // Draws nothing but the message (a table with problems: nothing wrong is drawn).
    void showMessage(const QString &message);

    // What the boxes tell (both by default): their four times, and red for the critical
    // activities. A student working them out sees ids and durations only.
    void setRevealed(bool times, bool critical);
    // Boxes for the activities (the default) or arrows; the drawing is laid out again.
    void setStyle(NetworkStyle style);
    NetworkStyle style() const { return m_style; }
    // Columns by the number of links leading to an activity instead of by its earliest start,
    // so that the drawing tells nothing about the schedule (off by default).
    void setColumnsByLinks(bool byLinks);

    // The drawing of the last analysis given is complete (not waiting for its layout).
    bool isDrawn() const;
    // The analysis given last (none after showMessage).
    AnalysisSnapshot analysis() const { return m_analysis; }
    // The job that lays out large networks (for the window's job indicator).
    BackgroundJob *layoutJob() const { return m_layoutJob; }

    void zoomToFit() override;

    // The whole drawing, in scene coordinates, for export.
    QRectF drawingRect() const;
    // Paints the whole drawing into `target` of the painter (PNG, SVG, PDF, print).
    void renderDrawing(QPainter *painter, const QRectF &target);

    // How many activities are drawn red, as boxes or arrows (for tests and the status line).
    int criticalNodeCount() const;

    // The box of an activity in scene coordinates (empty when none is drawn); 0 <= activity.
    QRectF nodeRect(int activity) const;
    // The texts an activity's box shows, one a line (empty when none is drawn).
    QStringList nodeTexts(int activity) const;
    // The activity-on-arrow diagram drawn (none in the other style or before a drawing).
    const engine::ArrowDiagram *arrowDiagram() const;
    // The circle of an event (counted from 0) in scene coordinates, and its texts: number,
    // earliest and latest time (empty when none is drawn).
    QRectF eventRect(int event) const;
    QStringList eventTexts(int event) const;
    // An arrow of the diagram (in the diagram's order): whether it is drawn red, and its
    // label's lines (id and duration; none for a dummy).
    bool arrowIsCritical(int arrow) const;
    QStringList arrowTexts(int arrow) const;
    // The label of the link drawn from activity `from` to `to` ("SS+2"; empty for a plain
    // link or none drawn).
    QString linkLabel(int from, int to) const;
    // The message shown instead of a network, empty while a network is shown.
    QString message() const { return m_message; }

signals:
    // The drawing of the analysis given last is complete.
    void drawn();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // What a layout depends on besides the fixed options: ids, links, earliest starts (and
    // what the drawing labels the links with).
    struct LayoutKey {
        std::vector<std::string> ids;
        std::vector<int> links; // per activity: the number of predecessors, then them
        std::vector<engine::LinkTiming> timings; // the links' (labels), empty when all plain
        std::vector<engine::Duration> earliestStarts;
        NetworkStyle style = NetworkStyle::ActivityOnNode;
        bool operator==(const LayoutKey &) const = default;
    };
    // The schedule whose earliest starts choose the columns.
    static engine::Schedule columnSchedule(const ProjectAnalysis &analysis, bool byLinks);
    static LayoutKey keyOf(const ProjectAnalysis &analysis, bool byLinks, NetworkStyle style);
    // Shows the message in place of the drawing, keeping the analysis (while it is laid out).
    void showText(const QString &message);
    struct Drawing;
    // The layout of the analysis's normal schedule and the items that draw it; touches no
    // widget, so that it runs off the window's thread.
    static Drawing drawingOf(const ProjectAnalysis &analysis, bool byLinks, NetworkStyle style,
                             engine::JobControl *control);
    static void drawArrows(Drawing &drawing, const ProjectAnalysis &analysis, bool byLinks,
                           engine::JobControl *control);
    void startLayout();
    // Why the durations given cannot be drawn with the analysis (empty when they can).
    QString durationsProblem() const;
    // Puts the drawing's items into a fresh scene (they belong to the scene then).
    void buildScene(Drawing &drawing);
    void refreshNames();
    void updateTimes();
    void updateEventTimes();
    void clearDrawing();

    QGraphicsScene *m_scene = nullptr;
    QGraphicsTextItem *m_messageItem = nullptr;
    QString m_message;
    AnalysisSnapshot m_analysis; // the analysis given last
    std::vector<engine::Duration> m_durations; // the durations given last
    engine::NetworkLayout m_layout;
    LayoutKey m_key; // what the layout drawn was made for
    bool m_drawn = false; // the scene shows m_analysis
    bool m_stopped = false; // the student cancelled the layout
    bool m_showTimes = true, m_showCritical = true;
    bool m_columnsByLinks = false;
    NetworkStyle m_style = NetworkStyle::ActivityOnNode;
    engine::Schedule m_schedule;
    BackgroundJob *m_layoutJob;
    std::vector<NetworkNodeItem *> m_nodes;
    std::vector<NetworkLinkItem *> m_linkItems;
    engine::ArrowDiagram m_diagram; // of the activity-on-arrow drawing shown
    std::vector<EventItem *> m_events;
    std::vector<ArrowItem *> m_arrows; // in the diagram's order
    int m_critical = 0;
};

// A choice between the view's two styles (activity on node first), named for tests and screen
// readers; choosing redraws the view.
QComboBox *makeStyleChoice(NetworkView *view, QWidget *parent, const char *objectName);
// Activity on arrow needs plain finish-to-start links (engine/arrowdiagram.h): for a network
// with others the choice's arrow item is off, its tooltip saying why (arrowStyleRefusal), and
// the view shows that text in place of arrows if they are asked for all the same.
void allowArrowStyle(QComboBox *choice, bool allowed);
QString arrowStyleRefusal();

} // namespace project
