// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "project.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Random sound projects (engine::validate finds nothing) for the file tests, the fuzz
// driver and the benchmark. The same seed gives the same project on every platform: only
// the generator's raw output is used, no standard distribution.
namespace iotest {

struct RandomProjectOptions {
    int activities = 20;
    int predecessorsEach = 2; // at most; fewer near the start
    bool awkwardTexts = true; // ids and names with quotes, separators, line breaks, Thai
    bool largeValues = false; // durations and costs up to the engine's bounds
    // PERT's three estimates for most activities of most projects: whole or with two
    // decimals, or any double of the range when anyEstimates.
    bool estimates = true;
    bool anyEstimates = false;
    // How many of the links (percent) get a random type and a lag in -maxLag .. maxLag (up to
    // the engine's bound with largeValues); with awkwardTexts some ids then end in a word
    // that looks like a link type ("x FS", "x SS+2"). 0 draws nothing more, so that older
    // seeds give the same projects.
    int linkPercent = 0;
    engine::Duration maxLag = 5;
    // Any of the four time units rather than the day; a project without activities keeps
    // the day, which a CSV file has no row to give otherwise.
    bool anyTimeUnit = false;
};

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : m_engine(seed) { }
    // lo .. hi inclusive.
    std::int64_t between(std::int64_t lo, std::int64_t hi)
    {
        return lo
            + static_cast<std::int64_t>(m_engine() % (static_cast<std::uint64_t>(hi - lo) + 1));
    }
    bool percent(int chance) { return between(0, 99) < chance; }
    template<typename List> const auto &pick(const List &list)
    {
        return list[static_cast<std::size_t>(
            between(0, static_cast<std::int64_t>(std::size(list)) - 1))];
    }

private:
    std::mt19937_64 m_engine;
};

inline std::string randomText(RandomSource &random, bool forId)
{
    // Pieces an id may hold: no comma, semicolon or control character.
    // clang-format off
    static const std::array<const char *, 13> idPieces = {
        "A", "b", "7", "-", "_", "\"", "'", " x", "\xE0\xB8\x81" /* ก */,
        "\xE0\xB9\x80\xE0\xB8\x88" /* เจ */, "\xF0\x9F\x98\x80" /* emoji */, ".",
        "\xEF\xBB\xBF" /* U+FEFF, a byte order mark inside the text */};
    // clang-format on
    // A name may hold anything but text that is not UTF-8.
    static const std::array<std::string_view, 12> namePieces
        = {",",
           ";",
           "\"",
           "\r\n",
           "\n",
           "\r",
           " ",
           "\t",
           std::string_view("\0", 1),
           "=1+2",
           "\xE0\xB8\x82\xE0\xB8\xB8\xE0\xB8\x94" /* ขุด */,
           "-"};
    std::string text;
    const int pieces = static_cast<int>(random.between(forId ? 1 : 0, 4));
    for (int i = 0; i < pieces; ++i) {
        if (!forId && random.percent(50)) {
            text += random.pick(namePieces);
        } else {
            text += random.pick(idPieces);
        }
    }
    return text;
}

inline engine::Project randomSoundProject(RandomSource &random, const RandomProjectOptions &options)
{
    engine::Project project;
    const auto n = static_cast<std::size_t>(options.activities);
    project.activities.resize(n);
    std::vector<std::string> ids(n);
    for (std::size_t i = 0; i < n; ++i) {
        // A running number between two '#' keeps ids unique; awkward texts around it test
        // the quoting.
        ids[i] = options.awkwardTexts && random.percent(30)
            ? randomText(random, true) + "#" + std::to_string(i) + "#" + randomText(random, true)
            : std::string("A").append(std::to_string(i + 1));
        // Blanks at either end are not allowed in an id.
        while (!ids[i].empty() && ids[i].front() == ' ')
            ids[i].erase(0, 1);
        static const std::array<const char *, 8> linkLikeWords
            = {" FS", " ss", " SF+2", " FF-1", " FS2", " FSX", " SS+1.5", " fs+"};
        if (options.linkPercent > 0 && options.awkwardTexts && random.percent(20))
            ids[i] += random.pick(linkLikeWords);
    }
    if (options.awkwardTexts && n > 1 && random.percent(20))
        ids[0] = "-"; // a lone dash also means "no predecessors" in CSV
    for (std::size_t i = 0; i < n; ++i) {
        engine::Activity &a = project.activities[i];
        a.id = ids[i];
        if (options.awkwardTexts)
            a.name = randomText(random, false);
        else
            a.name = std::string("Task ").append(std::to_string(i + 1));
        // Predecessors only among earlier activities: no cycle.
        const auto count = std::min<std::int64_t>(static_cast<std::int64_t>(i),
                                                  random.between(0, options.predecessorsEach));
        for (std::int64_t k = 0; k < count; ++k) {
            const std::string &p
                = ids[static_cast<std::size_t>(random.between(0, static_cast<std::int64_t>(i) - 1))];
            if (std::find(a.predecessors.begin(), a.predecessors.end(), p) == a.predecessors.end())
                a.predecessors.push_back(p);
        }
        const engine::Duration longest
            = options.largeValues && random.percent(10) ? engine::kMaxDuration : 60;
        a.normalDuration = random.between(0, longest);
        a.crashDuration = random.between(0, a.normalDuration);
        // Crashing everything fully stays within the engine's total even when every
        // activity draws the largest duration and cost.
        const std::int64_t many = std::max(1, options.activities);
        const engine::Satang costliest = options.largeValues && random.percent(10)
            ? engine::kMaxTotalCrashCost / engine::kMaxDuration / many / 2
            : std::min<engine::Satang>(10'000'000, engine::kMaxTotalCrashCost / longest / many);
        a.crashCostPerUnit = random.between(0, costliest);
        if (random.percent(40))
            a.crashCostPerUnit -= a.crashCostPerUnit % 100; // whole Baht
    }
    // Any order in the file: predecessors may come after the activities that name them.
    for (std::size_t i = n; i > 1; --i)
        std::swap(project.activities[i - 1],
                  project.activities[static_cast<std::size_t>(
                      random.between(0, static_cast<std::int64_t>(i) - 1))]);
    if (options.awkwardTexts)
        project.title = randomText(random, false);
    if (random.percent(50))
        project.target = random.between(0, 500);
    // Drawn last, so that the rest of a seed's project is the same with or without them.
    if (options.estimates && random.percent(70)) {
        const engine::Duration longest = options.largeValues ? engine::kMaxDuration : 60;
        auto value = [&]() {
            switch (random.between(0, options.anyEstimates ? 2 : 1)) {
            case 0:
                return static_cast<double>(random.between(0, longest));
            case 1:
                return static_cast<double>(random.between(0, longest * 100)) / 100;
            default: // any double in range, e.g. 1/3: its last bits must survive the file
                return static_cast<double>(random.between(0, (std::int64_t {1} << 52)))
                    / static_cast<double>(std::int64_t {1} << 52) * static_cast<double>(longest);
            }
        };
        for (engine::Activity &a : project.activities) {
            if (!random.percent(80))
                continue;
            std::array<double, 3> abm = {value(), value(), value()};
            std::sort(abm.begin(), abm.end());
            a.estimate = engine::ThreeTimeEstimate {abm[0], abm[1], abm[2]};
        }
    }
    if (options.linkPercent > 0) {
        for (engine::Activity &a : project.activities) {
            for (std::size_t k = 0; k < a.predecessors.size(); ++k) {
                if (!random.percent(options.linkPercent)) {
                    a.linkTimings.emplace_back();
                    continue;
                }
                const engine::Duration maxLag
                    = options.largeValues && random.percent(10) ? engine::kMaxLag : options.maxLag;
                a.linkTimings.push_back({static_cast<engine::LinkType>(random.between(0, 3)),
                                         random.between(-maxLag, maxLag)});
            }
        }
    }
    if (options.anyTimeUnit && n > 0)
        project.timeUnit = static_cast<engine::TimeUnit>(random.between(0, 3));
    return project;
}

} // namespace iotest
