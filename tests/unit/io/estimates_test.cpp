// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// PERT's three time estimates in both project files: read, refused where they are wrong,
// and written back to the bit.

#include "iotestsupport.h"
#include "values.h"

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

using engine::ThreeTimeEstimate;
using io::FileProblemKind;

const std::string kHeader = "activity,predecessors,normal_duration,crash_duration,"
                            "crash_cost_per_unit,optimistic,most_likely,pessimistic\n";

std::vector<std::optional<ThreeTimeEstimate>> estimatesOf(const io::ReadResult &result)
{
    std::vector<std::optional<ThreeTimeEstimate>> estimates;
    for (const engine::Activity &a : result.project().activities)
        estimates.push_back(a.estimate);
    return estimates;
}

TEST(Estimates, CsvReadsAllThreeOrNone)
{
    const struct {
        const char *name;
        std::string text;
        std::vector<std::optional<ThreeTimeEstimate>> estimates;
    } cases[] = {
        {"whole and decimal, blank row cells for none",
         kHeader + "A,-,4,4,0,2,4,6\nB,A,3,3,0, , ,\nC,A,2,2,0, 1.5 ,2.25,\"3.125\"\n",
         {ThreeTimeEstimate {2, 4, 6}, std::nullopt, ThreeTimeEstimate {1.5, 2.25, 3.125}}},
        {"a point at either end, a plus sign",
         kHeader + "A,-,1,1,0,.5,1.,+2\n",
         {ThreeTimeEstimate {0.5, 1, 2}}},
        {"semicolons, estimate columns first and in another order",
         "Pessimistic;Optimistic;MOST_LIKELY;activity;predecessors;normal_duration;"
         "crash_duration;crash_cost_per_unit\n9;3;5;A;;5;5;0\n;;;B;A;1;1;0\n",
         {ThreeTimeEstimate {3, 5, 9}, std::nullopt}},
        {"no estimate columns",
         "activity,predecessors,normal_duration,crash_duration,"
         "crash_cost_per_unit\nA,-,1,1,0\n",
         {std::nullopt}},
        {"a third read as the nearest double",
         kHeader + "A,-,1,1,0,0.3333333333333333,1,2\n",
         {ThreeTimeEstimate {1.0 / 3, 1, 2}}},
    };
    for (const auto &c : cases) {
        const io::ReadResult result = iotest::readText(c.text);
        ASSERT_TRUE(result.isLoaded()) << c.name << ": " << result.message().toStdString();
        EXPECT_EQ(estimatesOf(result), c.estimates) << c.name;
    }
}

TEST(Estimates, CsvPlacesEveryRefusalAtItsColumn)
{
    const struct {
        const char *name;
        std::string text;
        FileProblemKind kind;
        std::optional<engine::ProblemKind> engineKind;
        int line;
        const char *column;
        int count = 1; // problems in all
    } cases[] = {
        {"one estimate column only",
         "activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit,optimistic\n",
         FileProblemKind::MissingColumn, std::nullopt, 1, "", 2},
        {"two of three", kHeader + "A,-,1,1,0,1,,3\n", FileProblemKind::EstimatesIncomplete,
         std::nullopt, 2, "optimistic"},
        {"decimal comma", kHeader + "A,-,1,1,0,1,\"2,5\",3\n", FileProblemKind::NotDecimal,
         std::nullopt, 2, "most_likely"},
        {"exponent", kHeader + "A,-,1,1,0,1,2,1e3\n", FileProblemKind::NotDecimal, std::nullopt, 2,
         "pessimistic"},
        {"words", kHeader + "A,-,1,1,0,one,2,3\n", FileProblemKind::NotDecimal, std::nullopt, 2,
         "optimistic"},
        {"a number beyond any estimate", kHeader + "A,-,1,1,0,1,2,12345678901234567\n",
         FileProblemKind::NumberTooLarge, std::nullopt, 2, "pessimistic"},
        {"negative", kHeader + "A,-,1,1,0,1,2,3\nB,A,1,1,0,-1,2,3\n", FileProblemKind::Engine,
         engine::ProblemKind::EstimateNegative, 3, "optimistic"},
        {"above the longest duration", kHeader + "A,-,1,1,0,1,2,1000000.5\n",
         FileProblemKind::Engine, engine::ProblemKind::EstimateTooLarge, 2, "pessimistic"},
        {"negative after one too large", kHeader + "A,-,1,1,0,2000000,-1,5\n",
         FileProblemKind::Engine, engine::ProblemKind::EstimateNegative, 2, "most_likely"},
        {"most likely below optimistic", kHeader + "A,-,1,1,0,3,2,4\n", FileProblemKind::Engine,
         engine::ProblemKind::EstimateOrder, 2, "most_likely"},
        {"pessimistic below most likely", kHeader + "A,-,1,1,0,1,5,4.5\n", FileProblemKind::Engine,
         engine::ProblemKind::EstimateOrder, 2, "pessimistic"},
    };
    for (const auto &c : cases) {
        const io::ReadResult result = iotest::readText(c.text);
        ASSERT_FALSE(result.isLoaded()) << c.name;
        const io::Problem *problem = c.engineKind
            ? iotest::findEngineProblem(result.problems(), *c.engineKind)
            : iotest::findProblem(result.problems(), c.kind);
        ASSERT_NE(problem, nullptr) << c.name << ": " << result.message().toStdString();
        EXPECT_EQ(problem->place.line, c.line) << c.name;
        EXPECT_EQ(problem->place.field.toStdString(), c.column) << c.name;
        EXPECT_EQ(result.problems().count(), c.count)
            << c.name << ": " << result.message().toStdString();
    }
    // The message names what is missing.
    const io::ReadResult result = iotest::readText(kHeader + "A,-,1,1,0,1,,\n");
    EXPECT_TRUE(result.message().contains(u"most_likely and pessimistic are missing"_qs))
        << result.message().toStdString();
}

std::string crashkitWith(const std::string &estimate)
{
    return R"({"format": "crashkit-project", "version": 1, "activities": [)"
           R"({"id": "A", "normal_duration": 4, "crash_duration": 3, "crash_cost_per_unit": 1)"
        + (estimate.empty() ? std::string() : R"(, "estimate": )" + estimate) + "}]}";
}

TEST(Estimates, CrashkitReadsTheEstimateObject)
{
    const io::ReadResult read = iotest::readText(
        crashkitWith(R"({"optimistic": 1.5, "most_likely": 2, "pessimistic": 4.75})"),
        io::FileFormat::Crashkit);
    ASSERT_TRUE(read.isLoaded()) << read.message().toStdString();
    EXPECT_EQ(estimatesOf(read),
              (std::vector<std::optional<ThreeTimeEstimate>> {ThreeTimeEstimate {1.5, 2, 4.75}}));
    for (const char *none : {"", "null"}) {
        const io::ReadResult result
            = iotest::readText(crashkitWith(none), io::FileFormat::Crashkit);
        ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
        EXPECT_FALSE(result.project().activities[0].estimate.has_value());
    }

    const struct {
        const char *estimate;
        FileProblemKind kind;
        std::optional<engine::ProblemKind> engineKind;
        const char *field;
    } refused[] = {
        {"[1, 2, 3]", FileProblemKind::WrongType, std::nullopt, "estimate"},
        {R"({"optimistic": 1, "most_likely": 2})", FileProblemKind::MissingKey, std::nullopt,
         "pessimistic"},
        {R"({"optimistic": 1, "most_likely": "2", "pessimistic": 3})", FileProblemKind::WrongType,
         std::nullopt, "most_likely"},
        {R"({"optimistic": 1, "most_likely": 2, "pessimistic": 3, "mode": 2})",
         FileProblemKind::UnknownKey, std::nullopt, "mode"},
        {R"({"optimistic": 4, "most_likely": 2, "pessimistic": 3})", FileProblemKind::Engine,
         engine::ProblemKind::EstimateOrder, "estimate"},
        {R"({"optimistic": -1, "most_likely": 2, "pessimistic": 3})", FileProblemKind::Engine,
         engine::ProblemKind::EstimateNegative, "estimate"},
    };
    for (const auto &c : refused) {
        const io::ReadResult result
            = iotest::readText(crashkitWith(c.estimate), io::FileFormat::Crashkit);
        ASSERT_FALSE(result.isLoaded()) << c.estimate;
        const io::Problem *problem = c.engineKind
            ? iotest::findEngineProblem(result.problems(), *c.engineKind)
            : iotest::findProblem(result.problems(), c.kind);
        ASSERT_NE(problem, nullptr) << c.estimate << ": " << result.message().toStdString();
        EXPECT_EQ(problem->place.field.toStdString(), c.field) << c.estimate;
        EXPECT_EQ(problem->place.activity, u"A"_qs) << c.estimate;
        EXPECT_EQ(result.problems().count(), 1) << result.message().toStdString();
    }
}

TEST(Estimates, WrittenBackToTheBit)
{
    engine::Project project {"",
                             {{"A", "", {}, 4, 3, 100, ThreeTimeEstimate {1.0 / 3, 0.5, 7}},
                              {"B", "", {"A"}, 2, 2, 0, std::nullopt},
                              {"C", "", {"A"}, 2, 2, 0, ThreeTimeEstimate {0.1, 0.2, 0.3}}},
                             std::nullopt};
    const QByteArray csv = io::write(project, io::FileFormat::Csv);
    EXPECT_TRUE(csv.contains("crash_cost_per_unit,optimistic,most_likely,pessimistic\r\n"));
    EXPECT_TRUE(csv.contains("B,,A,2,2,0,,,\r\n")) << csv.toStdString();
    EXPECT_TRUE(csv.contains(",0.1,0.2,0.3\r\n")) << csv.toStdString();
    for (const io::FileFormat format : {io::FileFormat::Csv, io::FileFormat::Crashkit}) {
        const io::ReadResult result = io::read(io::write(project, format), u"x"_qs, format);
        ASSERT_TRUE(result.isLoaded()) << result.message().toStdString();
        EXPECT_EQ(iotest::difference(result.project(), project, false), "");
    }
    // Without estimates neither file mentions them.
    for (engine::Activity &a : project.activities)
        a.estimate.reset();
    EXPECT_FALSE(io::write(project, io::FileFormat::Csv).contains("optimistic"));
    EXPECT_FALSE(io::write(project, io::FileFormat::Crashkit).contains("estimate"));
}

TEST(Estimates, PlainDecimalsReadBackExactly)
{
    const struct {
        const char *text;
        std::optional<double> value;
    } cases[] = {
        {"4", 4.0},
        {" 2.5\t", 2.5},
        {"-1", -1.0},
        {"+0.25", 0.25},
        {"0.1", 0.1},
        {"7.", 7.0},
        {".5", 0.5},
        {"", std::nullopt},
        {"1e3", std::nullopt},
        {"2,5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {".", std::nullopt},
        {"- 1", std::nullopt},
    };
    for (const auto &c : cases) {
        double value = -99;
        const std::optional<FileProblemKind> problem = io::parseEstimate(c.text, value);
        EXPECT_EQ(!problem, c.value.has_value()) << '"' << c.text << '"';
        if (c.value) {
            EXPECT_EQ(value, *c.value) << c.text;
        }
    }

    // Every finite double of the range is written as a plain decimal that reads back as it.
    std::mt19937_64 random(77);
    std::uniform_real_distribution<double> uniform(0, 1'000'000);
    std::vector<double> values = {0,
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  1e-7,
                                  1.0 / 3,
                                  999999.99};
    for (int i = 0; i < 2000; ++i)
        values.push_back(i % 2 ? uniform(random) : std::ldexp(uniform(random), -40));
    for (const double v : values) {
        const std::string text = io::formatEstimate(v);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        double back = -1;
        ASSERT_FALSE(io::parseEstimate(text, back).has_value()) << text;
        EXPECT_EQ(back, v) << text;
    }
}

} // namespace
