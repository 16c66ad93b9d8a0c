// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "networklayout.h"
#include "project.h"
#include "schedule.h"

#include <QByteArray>
#include <QRectF>

class QPainter;

namespace worksheets {

// What a box of the activity-on-node drawing shows besides the activity's id and duration.
enum class NodeTimes {
    None, // id and duration only (the quiz's picture)
    Blank, // four empty cells ES EF / LS LF for the student to fill in (the worksheet)
    Filled, // the four cells with the schedule's times (the answer sheet)
};

// The activity-on-node layout the sheets draw: engine::layoutNetwork with boxes sized for
// the id, the duration and the four time cells.
engine::NetworkLayout sheetLayout(const engine::Network &network, const engine::Schedule &schedule);

// Draws the network into `area`, scaled down (never up beyond 1.4) to fit and centred: each
// activity a box with its id and duration, the links as arrows along the layout's points,
// critical activities in bold when the times are filled. The painter's state is kept.
void paintNetwork(QPainter &painter, const QRectF &area, const engine::Project &project,
                  const engine::NetworkLayout &layout, const engine::Schedule &schedule,
                  NodeTimes times);

// The network as a PNG picture on white, `scale` pixels per layout unit.
QByteArray networkPng(const engine::Project &project, const engine::NetworkLayout &layout,
                      const engine::Schedule &schedule, NodeTimes times, double scale = 1.0);

} // namespace worksheets
