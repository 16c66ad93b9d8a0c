// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "practiceset.h"

#include <QString>

#include <vector>

// One row of five text cells. Numbers stay text and are converted where they are used.
struct ActivityRow {
    QString activity;
    QString predecessor;
    QString normalDuration;
    QString crashDuration;
    QString crashCostPerDay;
};

// 2m rows numbered from 1: rows 1..m are the pristine rows (the set's built-in data),
// rows m+1..2m the working rows. Activity k (A = 1) has its pristine row at k and its
// working row at m + k. Every cell starts empty.
class ActivityTable {
public:
    explicit ActivityTable(int capacity);

    int capacity() const { return m_capacity; }
    int rowCount() const { return 2 * m_capacity; }

    // Row by its number, 1..2m.
    ActivityRow &row(int number);
    const ActivityRow &row(int number) const;

    // Activity k's rows, k = 1..m.
    ActivityRow &pristine(int activity) { return row(activity); }
    ActivityRow &working(int activity) { return row(m_capacity + activity); }
    const ActivityRow &working(int activity) const { return row(m_capacity + activity); }

private:
    int m_capacity;
    std::vector<ActivityRow> m_rows;
};

// Activity number of a letter: 'A' is 1.
inline int activityNumber(char letter)
{
    return letter - 'A' + 1;
}

// A built-in row's texts as a table row.
ActivityRow builtInRow(const BuiltInRow &row);

// A set's table as a reset leaves it: the built-in rows in the pristine and the working half.
ActivityTable builtInTable(const PracticeSet &set);
