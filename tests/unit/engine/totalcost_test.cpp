// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "enginetestsupport.h"
#include "randomproject.h"

#include "money.h"
#include "timecostcurve.h"
#include "totalcost.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

// The lowest total cost (extra + indirect x duration) read off the curve's breakpoints,
// against every whole duration tried, and the checked arithmetic it rests on.

using engine::CurvePoint;
using engine::Duration;
using engine::LowestTotalCost;
using engine::Satang;

namespace {

constexpr Satang kMax = std::numeric_limits<Satang>::max();
constexpr Satang kMin = std::numeric_limits<Satang>::min();

// The product computed with wrap-around, and whether dividing it back gives the factor: the
// exact product fits exactly when it does (and it is not -1 x the smallest value).
std::optional<Satang> productByDivision(Satang a, Satang b)
{
    const auto wrapped
        = static_cast<Satang>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
    if (a == 0)
        return 0;
    if ((a == -1 && b == kMin) || (b == -1 && a == kMin) || wrapped / a != b)
        return std::nullopt;
    return wrapped;
}

// The sum with wrap-around; it overflowed when both addends share a sign the sum lacks.
std::optional<Satang> sumBySign(Satang a, Satang b)
{
    const auto wrapped
        = static_cast<Satang>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
    if ((a < 0) == (b < 0) && (wrapped < 0) != (a < 0))
        return std::nullopt;
    return wrapped;
}

} // namespace

TEST(CheckedArithmetic, EdgesAndRandomOperandsAgreeWithWrapAround)
{
    const std::array<Satang, 16> edges
        = {0,           1,        -1,           2,        -2,           3037000499, 3037000500,
           -3037000500, kMax / 2, kMax / 2 + 1, kMin / 2, kMin / 2 - 1, kMax,       kMin,
           kMax - 1,    kMin + 1};
    std::vector<Satang> operands(edges.begin(), edges.end());
    testsupport::Random random(4242);
    for (int i = 0; i < 300; ++i) {
        // Magnitudes of every size, so that about half the products overflow.
        const int bits = static_cast<int>(testsupport::below(random, 64));
        const Satang magnitude = static_cast<Satang>(random() >> (64 - std::max(bits, 1)) >> 1);
        operands.push_back(testsupport::chance(random, 50) ? magnitude : -magnitude);
    }
    int overflows = 0;
    for (const Satang a : operands) {
        for (const Satang b : operands) {
            EXPECT_EQ(engine::checkedMultiply(a, b), productByDivision(a, b)) << a << " x " << b;
            EXPECT_EQ(engine::checkedAdd(a, b), sumBySign(a, b)) << a << " + " << b;
            overflows += !productByDivision(a, b);
        }
    }
    EXPECT_GT(overflows, static_cast<int>(operands.size() * operands.size() / 4));
    // Worked by hand: 3037000499^2 < 2^63 - 1 < 3037000500^2; the smallest value is -2^63.
    EXPECT_EQ(engine::checkedMultiply(3037000499, 3037000499), Satang {9223372030926249001});
    EXPECT_EQ(engine::checkedMultiply(3037000500, 3037000500), std::nullopt);
    EXPECT_EQ(engine::checkedMultiply(kMin / 2, 2), kMin);
    EXPECT_EQ(engine::checkedMultiply(kMin, -1), std::nullopt);
    EXPECT_EQ(engine::checkedAdd(kMax, kMin), Satang {-1});
    EXPECT_EQ(engine::checkedAdd(kMin, -1), std::nullopt);
}

TEST(LowestTotalCost, PracticeSet1ByHand)
{
    // Extra cost 0, 75, 250, 475, 725, 1150 Baht from 32 down to 27 days; its slopes are 75,
    // 175, 225, 250 and 425 Baht a day.
    const engine::Network network(enginetest::practiceSet1());
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    struct Case {
        Satang indirect;
        LowestTotalCost expected;
    };
    const Case cases[] = {
        {0, {0, 32, 32}}, // nothing pays for crashing
        {7'000, {224'000, 32, 32}}, // below the first slope
        {7'500, {240'000, 31, 32}}, // the first segment ties
        {17'500, {550'000, 30, 31}},
        {30'000, {912'500, 28, 28}}, // the CLI's example: 9125 Baht at 28 days
        {42'500, {1'262'500, 27, 28}}, // the last segment ties
        {50'000, {1'465'000, 27, 27}}, // above every slope: crash to the end
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.indirect);
        EXPECT_EQ(engine::lowestTotalCost(curve.breakpoints(), c.indirect), c.expected);
    }
}

// On random projects, the breakpoints alone give what every whole duration of the curve
// gives, for an indirect cost just below, at and just above every slope of the curve (at a
// slope, its whole segment ties).
TEST(LowestTotalCost, BreakpointsAgreeWithEveryWholeDuration)
{
    testsupport::Random random(1961);
    int ties = 0, answers = 0;
    for (int k = 0; k < 250; ++k) {
        testsupport::ProjectShape shape;
        shape.activities = 1 + static_cast<int>(testsupport::below(random, 30));
        shape.predecessors = static_cast<int>(testsupport::below(random, 4));
        shape.window = static_cast<int>(testsupport::below(random, 4));
        shape.maxDuration = std::array<Duration, 3> {4, 12, 40}[static_cast<std::size_t>(k % 3)];
        shape.maxCost
            = std::array<Satang, 3> {3, 500, 1'000'000}[static_cast<std::size_t>(k / 3 % 3)];
        const engine::Project project = testsupport::randomProject(random, shape);
        const engine::TimeCostCurve curve = engine::timeCostCurve(engine::Network(project));
        const std::vector<CurvePoint> &breakpoints = curve.breakpoints();
        const std::vector<CurvePoint> points = curve.points();

        std::set<Satang> indirectCosts = {0, 1};
        Satang steepest = 0;
        for (std::size_t i = 1; i < breakpoints.size(); ++i) {
            const Satang slope = (breakpoints[i].cost - breakpoints[i - 1].cost)
                / (breakpoints[i - 1].duration - breakpoints[i].duration);
            indirectCosts.insert({slope - 1, slope, slope + 1});
            steepest = std::max(steepest, slope);
        }
        indirectCosts.insert(steepest + 1'000);
        indirectCosts.erase(-1);

        for (const Satang indirect : indirectCosts) {
            SCOPED_TRACE(testing::Message() << "project " << k << ", indirect " << indirect);
            std::optional<Satang> least;
            std::set<Duration> reaching;
            for (const CurvePoint &point : points) {
                const Satang total = point.cost + indirect * point.duration;
                if (!least || total < *least)
                    reaching.clear();
                if (!least || total <= *least) {
                    least = total;
                    reaching.insert(point.duration);
                }
            }
            const std::optional<LowestTotalCost> answer
                = engine::lowestTotalCost(breakpoints, indirect);
            ASSERT_TRUE(answer);
            EXPECT_EQ(answer->total, *least);
            EXPECT_EQ(answer->shortest, *reaching.begin());
            EXPECT_EQ(answer->longest, *reaching.rbegin());
            // The durations that reach it are one unbroken range.
            EXPECT_EQ(static_cast<Duration>(reaching.size()),
                      answer->longest - answer->shortest + 1);
            // Every point may stand in for the breakpoints, as the chart passes them.
            EXPECT_EQ(engine::lowestTotalCost(points, indirect), answer);
            ++answers;
            ties += answer->longest > answer->shortest;
        }
    }
    // Ties must be well represented, or the cases miss what they are for.
    EXPECT_GT(ties, answers / 5);
}

TEST(LowestTotalCost, TotalsBeyond64BitsAreNoAnswer)
{
    // 7 x (kMax / 7) + remainder is exactly the largest value.
    const Satang perUnit = kMax / 7;
    const Satang remainder = kMax - 7 * perUnit;
    const std::vector<CurvePoint> justFits = {{7, remainder}, {6, remainder + perUnit}};
    EXPECT_EQ(engine::lowestTotalCost(justFits, perUnit), (LowestTotalCost {kMax, 6, 7}));
    // One satang more, by the extra cost or by the indirect cost.
    const std::vector<CurvePoint> addOverflows = {{7, remainder + 1}, {6, remainder + perUnit}};
    EXPECT_EQ(engine::lowestTotalCost(addOverflows, perUnit), std::nullopt);
    EXPECT_EQ(engine::lowestTotalCost(justFits, perUnit + 1), std::nullopt);
    // The lowest total fits, but the total at the normal duration does not: no curve of
    // totals can be drawn, so no answer either.
    const std::vector<CurvePoint> normalOverflows = {{1'000'000, 0}, {1, 0}};
    EXPECT_EQ(engine::lowestTotalCost(normalOverflows, kMax / 1'000'000 + 1), std::nullopt);
    EXPECT_EQ(engine::lowestTotalCost(normalOverflows, kMax / 1'000'000),
              (LowestTotalCost {kMax / 1'000'000, 1, 1}));
    // Preconditions.
    EXPECT_THROW(engine::lowestTotalCost({}, 0), std::invalid_argument);
    EXPECT_THROW(engine::lowestTotalCost(justFits, -1), std::invalid_argument);
}

TEST(LowestTotalCost, EmptyCurveIsSafe)
{
    const engine::TimeCostCurve empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.normalDuration(), 0);
    EXPECT_EQ(empty.shortestDuration(), 0);
    EXPECT_TRUE(empty.points().empty());
    EXPECT_THROW(static_cast<void>(empty.costAt(0)), std::out_of_range);
    EXPECT_THROW(engine::lowestTotalCost(empty.breakpoints(), 100), std::invalid_argument);
}

// Visiting the points of a curve a million units long, segment by segment, gives at every
// whole duration the cost that costAt finds by searching the breakpoints, and nothing else.
TEST(TimeCostCurve, VisitedPointsAreTheCostsAtEveryDuration)
{
    // Slopes 5, 7 and 1,000 satang per unit; segments of 600,000, 1 and 399,998 units.
    const engine::TimeCostCurve curve(
        {{1'000'000, 0}, {400'000, 3'000'000}, {399'999, 3'000'007}, {1, 3'000'007 + 399'998'000}});
    EXPECT_EQ(curve.pointCount(), 1'000'000);
    Duration expected = curve.normalDuration();
    Duration visited = 0;
    curve.visitPoints([&](const CurvePoint &point) {
        ++visited;
        ASSERT_EQ(point.duration, expected);
        ASSERT_EQ(point.cost, curve.costAt(point.duration)) << point.duration;
        --expected;
    });
    EXPECT_EQ(visited, 1'000'000);
    EXPECT_EQ(expected, 0); // the last one visited was the shortest, 1

    const engine::TimeCostCurve single({{7, 0}});
    std::vector<CurvePoint> points;
    single.visitPoints([&](const CurvePoint &point) { points.push_back(point); });
    EXPECT_EQ(points, (std::vector<CurvePoint> {{7, 0}}));
    const engine::TimeCostCurve empty;
    empty.visitPoints([](const CurvePoint &) { ADD_FAILURE() << "an empty curve has no point"; });
    EXPECT_EQ(empty.pointCount(), 0);
}
