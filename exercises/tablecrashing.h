// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "activitytable.h"
#include "pathanalysis.h"
#include "practicerule.h"
#include "tablecells.h"

#include <optional>
#include <span>

// The practice rule's crashing loop on an activity table alone, as tests and benchmarks run
// it: each cut is written into the working rows and the routes are analysed again; nothing
// is shown. Subclasses may watch the iterations through begin() and end().
class TableIteration : public engine::practice::Iteration {
public:
    TableIteration(ActivityTable &table, std::span<const engine::practice::Path> routes,
                   AnalysisState &analysis)
        : m_table(table), m_routes(routes), m_analysis(analysis)
    {
    }

    void begin(const engine::practice::RunState &) override { }
    void shorten(int activity, std::int32_t days) override
    {
        shortenActivity(m_table, activity, days);
    }
    void reanalyse() override { analysePaths(m_table, m_routes, m_analysis); }
    void end(const engine::practice::RunState &, const engine::practice::Selection &,
             std::int64_t) override
    {
    }

private:
    ActivityTable &m_table;
    std::span<const engine::practice::Path> m_routes;
    AnalysisState &m_analysis;
};

// Analyses the table, starts a run for the target and runs it to its end; nothing when the
// target lies outside what the analysis allows (then no run starts).
std::optional<engine::practice::RunEnd> crashTable(ActivityTable &table,
                                                   std::span<const engine::practice::Path> routes,
                                                   std::int32_t target, AnalysisState &analysis,
                                                   engine::practice::RunState &run,
                                                   TableIteration &iteration);
