// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The predecessors cell's notation ("A, B FS+2") and the time unit's words.

#include "linknotation.h"

#include "randomsoundproject.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

struct Cell {
    const char *text;
    std::vector<std::string> ids;
    std::vector<engine::LinkTiming> timings; // empty: all plain
    std::optional<io::LinkNotationFault> fault = std::nullopt;
    const char *item = ""; // the faulty item
};

TEST(LinkNotation, ReadsEveryItemOrNamesTheFaultyOne)
{
    using engine::LinkType;
    using io::LinkNotationFault;
    constexpr engine::LinkTiming fs {};
    const Cell cells[] = {
        {"", {}, {}},
        {" \t ", {}, {}},
        {" - ", {}, {}},
        {"A", {"A"}, {}},
        {"A;B , ,C,", {"A", "B", "C"}, {}},
        {"A, -", {"A", "-"}, {}},
        {"B FS+2", {"B"}, {{LinkType::FinishToStart, 2}}},
        {"b ss-1", {"b"}, {{LinkType::StartToStart, -1}}},
        {"A, B\tSF+3", {"A", "B"}, {fs, {LinkType::StartToFinish, 3}}},
        {"B FS, C FS+0, D fs-0", {"B", "C", "D"}, {}},
        {"B FF", {"B"}, {{LinkType::FinishToFinish, 0}}},
        {"Paint walls FS+2", {"Paint walls"}, {{LinkType::FinishToStart, 2}}},
        {"Paint  walls  SS", {"Paint  walls"}, {{LinkType::StartToStart, 0}}},
        {"Paint walls", {"Paint walls"}, {}},
        {"FSX, B FSX, FS+2", {"FSX", "B FSX", "FS+2"}, {}},
        {"B SF-1000000", {"B"}, {{LinkType::StartToFinish, -engine::kMaxLag}}},
        {"B FS2", {}, {}, LinkNotationFault::LagWithoutSign, "B FS2"},
        {"A , B FS+1.5 ; C", {}, {}, LinkNotationFault::LagNotWhole, "B FS+1.5"},
        {"B FS+", {}, {}, LinkNotationFault::LagNotWhole, "B FS+"},
        {"B SS-x", {}, {}, LinkNotationFault::LagNotWhole, "B SS-x"},
        {"B FF+1000001", {}, {}, LinkNotationFault::LagTooLarge, "B FF+1000001"},
        {"B FF-99999999999999999999999",
         {},
         {},
         LinkNotationFault::LagTooLarge,
         "B FF-99999999999999999999999"},
    };
    for (const Cell &c : cells) {
        SCOPED_TRACE(c.text);
        io::PredecessorCell cell;
        const auto problem = io::parsePredecessorCell(c.text, cell);
        if (c.fault) {
            ASSERT_TRUE(problem.has_value());
            EXPECT_EQ(problem->fault, *c.fault);
            EXPECT_EQ(problem->item, c.item);
            continue;
        }
        ASSERT_FALSE(problem.has_value()) << problem->item;
        EXPECT_EQ(cell.ids, c.ids);
        EXPECT_EQ(cell.timings, c.timings);
    }
}

// Whatever the ids and links, an activity's cell reads back as its predecessors and links:
// ids that end in a word like a link type too.
TEST(LinkNotation, CellsReadBackAsWritten)
{
    using engine::LinkType;
    const char *const words[] = {"A", "FS", "ss", "SF+2", "FF-1", "FS2", "FSX", "fs+", "x.5", "-"};
    iotest::RandomSource random(7);
    for (int round = 0; round < 2000; ++round) {
        engine::Activity activity;
        for (auto k = random.between(0, 4); k > 0; --k) {
            std::string id = random.pick(words);
            for (auto w = random.between(0, 2); w > 0; --w)
                id.append(random.percent(20) ? "  " : " ").append(random.pick(words));
            activity.predecessors.push_back(id);
            activity.linkTimings.push_back(
                random.percent(50)
                    ? engine::LinkTiming {}
                    : engine::LinkTiming {static_cast<LinkType>(random.between(0, 3)),
                                          random.between(-engine::kMaxLag, engine::kMaxLag)});
        }
        const std::string written = io::predecessorCell(activity);
        SCOPED_TRACE(written);
        io::PredecessorCell cell;
        ASSERT_FALSE(io::parsePredecessorCell(written, cell).has_value());
        // A lone "-" is no predecessors in a cell: the CSV writer adds a comma to it.
        if (written == "-")
            continue;
        EXPECT_EQ(cell.ids, activity.predecessors);
        for (std::size_t k = 0; k < cell.ids.size(); ++k) {
            const engine::LinkTiming read
                = k < cell.timings.size() ? cell.timings[k] : engine::LinkTiming {};
            EXPECT_EQ(read, activity.linkTiming(k)) << k;
        }
    }
}

TEST(LinkNotation, TimeUnitsInEitherLanguage)
{
    const struct {
        const char *word;
        std::optional<engine::TimeUnit> unit;
    } cases[] = {
        {"minute", engine::TimeUnit::Minute},
        {" HOUR\t", engine::TimeUnit::Hour},
        {"Day", engine::TimeUnit::Day},
        {"week", engine::TimeUnit::Week},
        {"\xE0\xB8\x99\xE0\xB8\xB2\xE0\xB8\x97\xE0\xB8\xB5", engine::TimeUnit::Minute}, // นาที
        {"\xE0\xB8\x8A\xE0\xB8\xB1\xE0\xB9\x88\xE0\xB8\xA7\xE0\xB9\x82\xE0\xB8\xA1\xE0\xB8\x87",
         engine::TimeUnit::Hour}, // ชั่วโมง
        {"\xE0\xB8\xA7\xE0\xB8\xB1\xE0\xB8\x99", engine::TimeUnit::Day}, // วัน
        {"", std::nullopt},
        {"days", std::nullopt},
        {"d", std::nullopt},
        {"mi nute", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(io::parseTimeUnit(c.word), c.unit) << c.word;
    for (const engine::TimeUnit unit : {engine::TimeUnit::Minute, engine::TimeUnit::Hour,
                                        engine::TimeUnit::Day, engine::TimeUnit::Week})
        EXPECT_EQ(io::parseTimeUnit(io::timeUnitWord(unit)), unit);
}

} // namespace
