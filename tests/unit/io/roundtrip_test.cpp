// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Writing and reading again gives the same project back, for random sound projects with
// awkward texts: quotes, separators, line breaks, Thai, a lone "-" as an id, ids that end in
// something like a link type; links of every type with lags, and every time unit.

#include "iotestsupport.h"
#include "randomsoundproject.h"

namespace {

TEST(RoundTrip, WrittenProjectsReadBackTheSame)
{
    iotest::RandomSource random(20261208);
    for (int i = 0; i < 300; ++i) {
        iotest::RandomProjectOptions options;
        options.activities = static_cast<int>(random.between(0, 40));
        options.largeValues = i % 3 == 0;
        options.anyEstimates = i % 2 == 0;
        options.linkPercent = i % 5 == 0 ? 0 : 40;
        options.anyTimeUnit = i % 5 != 0;
        const engine::Project project = iotest::randomSoundProject(random, options);
        ASSERT_TRUE(engine::validate(project).empty())
            << engine::describe(engine::validate(project).front(), project);
        for (const io::FileFormat format : {io::FileFormat::Csv, io::FileFormat::Crashkit}) {
            SCOPED_TRACE(testing::Message() << "project " << i << ", format " << int(format));
            ASSERT_TRUE(io::checkSavable(project, u"x"_qs, format).isEmpty());
            const QByteArray written = io::write(project, format);
            const io::ReadResult result = io::read(written, u"x"_qs, format);
            ASSERT_TRUE(result.isLoaded()) << result.message().toStdString() << "\n"
                                           << written.toStdString();
            EXPECT_TRUE(result.warnings().isEmpty());
            ASSERT_EQ(
                iotest::difference(result.project(), project, format == io::FileFormat::Crashkit),
                "")
                << written.toStdString();
            // What was read writes the same bytes again.
            EXPECT_EQ(io::write(result.project(), format), written);
        }
    }
}

TEST(RoundTrip, ByteOrderMarksInsideTextsStay)
{
    // U+FEFF at the start of a text is data, not a mark to drop; only the file's own
    // first one is.
    const std::string mark = "\xEF\xBB\xBF";
    const engine::Project project {
        mark + "T",
        {{mark + "A", mark, {}, 1, 1, 0}, {"B", mark + "n", {mark + "A"}, 2, 1, 5}},
        3};
    for (const io::FileFormat format : {io::FileFormat::Csv, io::FileFormat::Crashkit}) {
        const io::ReadResult result = io::read(io::write(project, format), u"x"_qs, format);
        ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
        EXPECT_EQ(iotest::difference(result.project(), project, format == io::FileFormat::Crashkit),
                  "");
    }
}

TEST(RoundTrip, CsvIsWhatSpreadsheetsExpect)
{
    const engine::Project project {"",
                                   {{"A", "Dig, \"deep\"", {}, 5, 3, 100000},
                                    {"B", "", {"A", "-"}, 4, 2, 3333},
                                    {"-", " x", {}, 1, 1, 5}},
                                   std::nullopt};
    EXPECT_EQ(io::write(project, io::FileFormat::Csv).toStdString(),
              "\xEF\xBB\xBF"
              "activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit\r\n"
              "A,\"Dig, \"\"deep\"\"\",-,5,3,1000\r\n"
              "B,,\"A, -\",4,2,33.33\r\n"
              "-,\" x\",-,1,1,0.05\r\n");

    // Links in the notation, a plain link to an id that ends like a link type made
    // unmistakable, and the unit on every row.
    engine::Project linked {"",
                            {{"A", "", {}, 5, 3, 100}, {"C FS", "", {}, 1, 1, 0}},
                            std::nullopt,
                            engine::TimeUnit::Hour};
    linked.activities.push_back({"B", "", {"A", "C FS"}, 4, 2, 0});
    linked.activities.back().linkTimings = {{engine::LinkType::StartToStart, 2}, {}};
    EXPECT_EQ(
        io::write(linked, io::FileFormat::Csv).toStdString(),
        "\xEF\xBB\xBF"
        "activity,name,predecessors,normal_duration,crash_duration,crash_cost_per_unit,unit\r\n"
        "A,,-,5,3,1,hour\r\n"
        "C FS,,-,1,1,0,hour\r\n"
        "B,,\"A SS+2, C FS FS\",4,2,0,hour\r\n");
}

} // namespace
