// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "networkdrawing.h"

#include "canvas.h"

using platform::Canvas;

namespace {

constexpr int kFrameHeight = 330;

const NodeBox *nodeBox(const NetworkGeometry &network, int node)
{
    if (node < 1 || node > static_cast<int>(network.nodes.size()))
        return nullptr;
    return &network.nodes[static_cast<std::size_t>(node - 1)];
}

void drawNodeNumber(Canvas &canvas, const NodeBox &box, int node)
{
    canvas.textOut(box.left + 20, box.top + 10, QString::number(node));
}

const NetworkLine *findLine(const NetworkGeometry &network, int from, int to)
{
    for (const NetworkLine &line : network.lines) {
        if (line.fromNode == from && line.toNode == to)
            return &line;
    }
    return nullptr;
}

} // namespace

QString activityLabelText(char activity, const ActivityTable &table)
{
    return QString(QLatin1Char(activity)) + QStringLiteral("= ")
        + table.working(activityNumber(activity)).normalDuration;
}

void drawNetwork(Canvas &canvas, const NetworkGeometry &network, const ActivityTable &table,
                 const NetworkColors &colors)
{
    canvas.setPenColor(Qt::black);
    canvas.setBrushColor(colors.window);
    canvas.setPenWidth(3);
    canvas.setTextColor(colors.text);
    canvas.rectangle(0, 0, network.frameWidth, kFrameHeight);
    for (const NodeBox &box : network.nodes)
        canvas.ellipse(box.left, box.top, box.right, box.bottom);
    for (const NetworkLine &line : network.lines) {
        canvas.moveTo(line.start.x(), line.start.y());
        canvas.lineTo(line.end.x(), line.end.y());
    }
    for (std::size_t i = 0; i < network.nodes.size(); ++i)
        drawNodeNumber(canvas, network.nodes[i], static_cast<int>(i + 1));
    canvas.setBrushColor(QColor(255, 255, 0));
    for (const ActivityLabel &label : network.labels)
        canvas.textOut(label.at.x(), label.at.y(), activityLabelText(label.activity, table));
}

void highlightPath(Canvas &canvas, const NetworkGeometry &network, int pathNumber)
{
    canvas.setPenColor(QColor(255, 0, 0));
    canvas.setPenWidth(4);
    canvas.setBrushColor(network.highlightFill);
    if (pathNumber < 1 || pathNumber > static_cast<int>(network.pathHighlights.size()))
        return;
    const PathHighlight &path = network.pathHighlights[static_cast<std::size_t>(pathNumber - 1)];
    for (int node : path.nodes) {
        if (const NodeBox *box = nodeBox(network, node))
            canvas.ellipse(box->left, box->top, box->right, box->bottom);
    }
    for (const auto &[from, to] : path.lines) {
        if (const NetworkLine *line = findLine(network, from, to)) {
            canvas.moveTo(line->start.x(), line->start.y());
            canvas.lineTo(line->end.x(), line->end.y());
        }
    }
    for (int node : path.nodes) {
        if (const NodeBox *box = nodeBox(network, node))
            drawNodeNumber(canvas, *box, node);
    }
}
