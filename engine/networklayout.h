// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "jobcontrol.h"
#include "network.h"
#include "schedule.h"

#include <vector>

namespace engine {

// A layered drawing of an activity-on-node network, read from left to right: every activity
// in a column (layer) after the columns of its predecessors, activities that start at the
// same time in the same column where the links allow it, and the order within each column
// chosen for few crossing links. Coordinates are in layout units: a node is a box of
// nodeWidth x nodeHeight centred on its point; a window scales them as it likes.
struct LayoutOptions {
    double nodeWidth = 120;
    double nodeHeight = 60;
    double layerGap = 60; // between the boxes of neighbouring columns
    double rowGap = 24; // between boxes in one column
    int sweeps = 48; // most passes of the crossing reduction from each first order
    // Looked at between the parts of the work (JobStopped when a stop is asked for); none: the
    // layout runs to its end.
    JobControl *control = nullptr;
};

struct LayoutPoint {
    double x = 0, y = 0;
};

struct NetworkLayout {
    struct Node {
        int layer = 0;
        int order = 0; // position in its column, from the top
        LayoutPoint centre;
    };
    // A link from a predecessor to an activity: from the middle of the right side of the
    // first box to the middle of the left side of the second. In every column it crosses it
    // bends once to a height between that column's boxes and runs level across the column
    // (two points: the column's left and right edge), so it never passes over a box and
    // every straight piece joins the right edge of one column to the left edge of the next.
    struct Link {
        int from = 0, to = 0;
        std::vector<LayoutPoint> points;
    };
    std::vector<Node> nodes; // one per activity
    std::vector<Link> links; // one per predecessor link, in the network's order
    int layerCount = 0;
    double width = 0, height = 0; // of the whole drawing, margins included
    long long crossings = 0; // pairs of straight link pieces that cross (between columns)
};

// Lays out the network for the given schedule (its earliest starts choose the columns);
// throws std::invalid_argument when the schedule is not of this network. Time and memory
// are linear in activities + links + bends (a link has one bend per column it crosses): the
// crossing reduction spends at most a fixed amount of work plus a few visits per node and
// edge of the layered graph, so small drawings get all `sweeps` and large ones a few.
NetworkLayout layoutNetwork(const Network &network, const Schedule &schedule,
                            const LayoutOptions &options = {});

} // namespace engine
