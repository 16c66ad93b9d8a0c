// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "enginetestsupport.h"
#include "randomproject.h"

#include "network.h"
#include "validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <set>
#include <stdexcept>

using engine::Problem;
using engine::ProblemKind;
using enginetest::projectOf;

namespace {

constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();

// A sound three-activity chain that each case below spoils in one way.
engine::Project chain()
{
    return projectOf({{"A", "", 5, 3, 100}, {"B", "A", 4, 4, 0}, {"C", "B", 6, 2, 250}});
}

struct SingleProblemCase {
    const char *what;
    std::function<void(engine::Project &)> spoil;
    ProblemKind kind;
    int activity; // -1: the project
    const char *detail = "";
};

bool sameProblem(const Problem &p, ProblemKind kind, int activity, const std::string &detail)
{
    return p.kind == kind && p.activity == activity && p.detail == detail;
}

bool isCycle(const engine::Project &project, const std::vector<int> &cycle)
{
    if (cycle.size() < 2)
        return false;
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        const engine::Activity &next
            = project.activities[static_cast<std::size_t>(cycle[(k + 1) % cycle.size()])];
        const std::string &id = project.activities[static_cast<std::size_t>(cycle[k])].id;
        if (std::find(next.predecessors.begin(), next.predecessors.end(), id)
            == next.predecessors.end())
            return false;
    }
    return std::set<int>(cycle.begin(), cycle.end()).size() == cycle.size();
}

} // namespace

TEST(Validation, EachProblemNamesItsActivity)
{
    auto b = [](engine::Project &p) -> engine::Activity & { return p.activities[1]; };
    const SingleProblemCase cases[] = {
        {"empty id",
         [&](auto &p) {
             b(p).id = "";
             p.activities[2].predecessors = {};
         },
         ProblemKind::EmptyId, 1},
        {"id of 101 bytes",
         [&](auto &p) {
             b(p).id = std::string(101, 'B');
             p.activities[2].predecessors = {b(p).id};
         },
         ProblemKind::IdTooLong, 1},
        {"id of 100 bytes is fine, but duplicated",
         [&](auto &p) {
             p.activities[0].id = b(p).id = std::string(100, 'B');
             b(p).predecessors = {};
             p.activities[2].predecessors = {};
         },
         ProblemKind::DuplicateId, 1},
        {"comma in id",
         [&](auto &p) {
             b(p).id = "B,1";
             p.activities[2].predecessors = {"B,1"};
         },
         ProblemKind::BadIdCharacter, 1},
        {"semicolon in id",
         [&](auto &p) {
             b(p).id = "B;";
             p.activities[2].predecessors = {"B;"};
         },
         ProblemKind::BadIdCharacter, 1},
        {"tab in id",
         [&](auto &p) {
             b(p).id = "B\t";
             p.activities[2].predecessors = {"B\t"};
         },
         ProblemKind::BadIdCharacter, 1},
        {"leading blank",
         [&](auto &p) {
             b(p).id = " B";
             p.activities[2].predecessors = {" B"};
         },
         ProblemKind::BadIdCharacter, 1},
        {"name of 1001 bytes", [&](auto &p) { b(p).name = std::string(1001, 'n'); },
         ProblemKind::NameTooLong, 1},
        {"duplicate id", [&](auto &p) { p.activities[2].id = "A"; }, ProblemKind::DuplicateId, 2},
        {"unknown predecessor", [&](auto &p) { b(p).predecessors.push_back("X"); },
         ProblemKind::UnknownPredecessor, 1, "X"},
        {"empty predecessor id", [&](auto &p) { b(p).predecessors.push_back(""); },
         ProblemKind::UnknownPredecessor, 1, ""},
        {"own predecessor", [&](auto &p) { b(p).predecessors.push_back("B"); },
         ProblemKind::OwnPredecessor, 1},
        {"negative normal",
         [&](auto &p) {
             b(p).normalDuration = -1;
             b(p).crashDuration = 0;
         },
         ProblemKind::NegativeNormalDuration, 1},
        {"lowest normal", [&](auto &p) { b(p).normalDuration = kLowest; },
         ProblemKind::NegativeNormalDuration, 1},
        {"negative crash", [&](auto &p) { b(p).crashDuration = -1; },
         ProblemKind::NegativeCrashDuration, 1},
        {"negative cost", [&](auto &p) { b(p).crashCostPerUnit = kLowest; },
         ProblemKind::NegativeCost, 1},
        {"normal above the bound", [&](auto &p) { b(p).normalDuration = engine::kMaxDuration + 1; },
         ProblemKind::NormalDurationTooLarge, 1},
        {"largest normal", [&](auto &p) { b(p).normalDuration = kHuge; },
         ProblemKind::NormalDurationTooLarge, 1},
        {"crash above the bound", [&](auto &p) { b(p).crashDuration = kHuge; },
         ProblemKind::CrashDurationTooLarge, 1},
        {"cost above the bound",
         [&](auto &p) { b(p).crashCostPerUnit = engine::kMaxCostPerUnit + 1; },
         ProblemKind::CostTooLarge, 1},
        {"crash above normal", [&](auto &p) { b(p).crashDuration = 5; },
         ProblemKind::CrashAboveNormal, 1},
        {"total crash cost above the bound",
         [&](auto &p) {
             b(p).normalDuration = engine::kMaxDuration;
             b(p).crashDuration = engine::kMaxDuration - 10'001;
             b(p).crashCostPerUnit = engine::kMaxCostPerUnit;
         },
         ProblemKind::TotalCrashCostTooLarge, -1},
        {"negative target", [](auto &p) { p.target = -1; }, ProblemKind::NegativeTarget, -1},
        {"lowest target", [](auto &p) { p.target = kLowest; }, ProblemKind::NegativeTarget, -1},
    };
    for (const SingleProblemCase &c : cases) {
        SCOPED_TRACE(c.what);
        engine::Project project = chain();
        c.spoil(project);
        const std::vector<Problem> problems = engine::validate(project);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_TRUE(sameProblem(problems[0], c.kind, c.activity, c.detail))
            << "got kind " << static_cast<int>(problems[0].kind) << " on " << problems[0].activity
            << " '" << problems[0].detail << "'";
        // The sentence names the activity so that the user can find it.
        const std::string sentence = engine::describe(problems[0], project);
        if (c.activity >= 0) {
            const std::string &id = project.activities[static_cast<std::size_t>(c.activity)].id;
            const std::string row = "row " + std::to_string(c.activity + 1);
            EXPECT_NE(sentence.find(id.empty() ? row : id.substr(0, 30)), std::string::npos)
                << sentence;
        }
        if (*c.detail != '\0') {
            EXPECT_NE(sentence.find(c.detail), std::string::npos) << sentence;
        }
        EXPECT_THROW(engine::Network {project}, std::invalid_argument);
    }
}

TEST(Validation, SoundProjectsPass)
{
    EXPECT_TRUE(engine::validate(engine::Project {}).empty());
    EXPECT_EQ(engine::Network(engine::Project {}).size(), 0);
    EXPECT_TRUE(engine::validate(chain()).empty());
    EXPECT_TRUE(engine::validate(enginetest::practiceSet1()).empty());

    // Every bound itself is allowed, and so is a predecessor named twice.
    engine::Project edge = projectOf(
        {{"A", "", engine::kMaxDuration, 0, 1'000'000'000},
         {"B", "A,A", engine::kMaxDuration, engine::kMaxDuration, engine::kMaxCostPerUnit}});
    edge.activities[0].id = std::string(engine::kMaxIdLength, 'A');
    edge.activities[1].predecessors = {edge.activities[0].id, edge.activities[0].id};
    edge.activities[1].name = std::string(engine::kMaxNameLength, 'n');
    edge.target = 0;
    EXPECT_TRUE(engine::validate(edge).empty());
    EXPECT_EQ(engine::Network(edge).linkCount(), 1u);
}

TEST(Validation, ReportsEveryProblemAtOnce)
{
    engine::Project project = projectOf({
        {"A", "A", 5, 6, 100}, // own predecessor, crash above normal
        {"", "Q", -2, 1, -3}, // empty id, unknown Q, negative normal and cost
        {"A", "", 5, 3, 100}, // duplicate
        {"C", "D", 4, 4, 0},
        {"D", "C", 4, 4, 0}, // C and D form a cycle
    });
    project.target = -5;
    const std::vector<Problem> problems = engine::validate(project);
    const std::vector<std::pair<ProblemKind, int>> expected = {
        {ProblemKind::OwnPredecessor, 0},
        {ProblemKind::CrashAboveNormal, 0},
        {ProblemKind::EmptyId, 1},
        {ProblemKind::UnknownPredecessor, 1},
        {ProblemKind::NegativeNormalDuration, 1},
        {ProblemKind::NegativeCost, 1},
        {ProblemKind::DuplicateId, 2},
        {ProblemKind::Cycle, 3},
        {ProblemKind::NegativeTarget, -1},
    };
    ASSERT_EQ(problems.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(problems[k].kind, expected[k].first) << k;
        EXPECT_EQ(problems[k].activity, expected[k].second) << k;
        EXPECT_FALSE(engine::describe(problems[k], project).empty());
    }
}

TEST(Validation, NamesCyclesInOrder)
{
    struct Case {
        const char *what;
        engine::Project project;
        std::set<std::set<int>> cycles; // the activities of each cycle
    };
    const Case cases[] = {
        {"two around", projectOf({{"A", "B", 1, 1, 0}, {"B", "A", 1, 1, 0}}), {{0, 1}}},
        {"three against the list order",
         projectOf({{"A", "C", 1, 1, 0}, {"B", "A", 1, 1, 0}, {"C", "B", 1, 1, 0}}),
         {{0, 1, 2}}},
        {"three along the list order",
         projectOf({{"S", "", 1, 1, 0},
                    {"A", "S,B", 1, 1, 0},
                    {"B", "C", 1, 1, 0},
                    {"C", "A", 1, 1, 0},
                    {"T", "C", 1, 1, 0}}),
         {{1, 2, 3}}},
        {"two independent cycles and a self-loop beside them",
         projectOf({{"A", "B", 1, 1, 0},
                    {"B", "A", 1, 1, 0},
                    {"C", "C", 1, 1, 0},
                    {"D", "F", 1, 1, 0},
                    {"E", "D,A", 1, 1, 0},
                    {"F", "E", 1, 1, 0}}),
         {{0, 1}, {3, 4, 5}}},
        {"a cycle hanging off a sound part",
         projectOf({{"A", "", 1, 1, 0},
                    {"B", "A,D", 1, 1, 0},
                    {"C", "B", 1, 1, 0},
                    {"D", "C", 1, 1, 0},
                    {"E", "D", 1, 1, 0}}),
         {{1, 2, 3}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::set<std::set<int>> found;
        for (const Problem &p : engine::validate(c.project)) {
            if (p.kind != ProblemKind::Cycle)
                continue;
            EXPECT_TRUE(isCycle(c.project, p.cycle));
            EXPECT_EQ(p.activity, p.cycle.front());
            found.emplace(p.cycle.begin(), p.cycle.end());
            // The sentence walks the cycle: every id of it appears.
            const std::string sentence = engine::describe(p, c.project);
            for (const int a : p.cycle)
                EXPECT_NE(sentence.find(c.project.activities[static_cast<std::size_t>(a)].id),
                          std::string::npos);
        }
        EXPECT_EQ(found, c.cycles);
    }

    // A self-loop is the activity's own predecessor, never a cycle, and said once even when
    // the list names it twice.
    for (const char *predecessors : {"A", "A,A"}) {
        const std::vector<Problem> selfLoop
            = engine::validate(projectOf({{"A", predecessors, 1, 1, 0}}));
        ASSERT_EQ(selfLoop.size(), 1u) << predecessors;
        EXPECT_EQ(selfLoop[0].kind, ProblemKind::OwnPredecessor);
    }
}

TEST(Validation, LongCycleWithoutRecursion)
{
    // 200,000 activities around one cycle: a recursive search would exhaust the stack.
    engine::Project project;
    const int n = 200'000;
    for (int i = 0; i < n; ++i) {
        engine::Activity a;
        a.id = testsupport::activityId(i);
        a.predecessors = {testsupport::activityId((i + n - 1) % n)};
        project.activities.push_back(a);
    }
    const std::vector<Problem> problems = engine::validate(project);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].cycle.size(), static_cast<std::size_t>(n));
    EXPECT_TRUE(isCycle(project, problems[0].cycle));
}

TEST(Validation, TooManyActivities)
{
    engine::Project project;
    project.activities.resize(engine::kMaxActivities + 1);
    const std::vector<Problem> problems = engine::validate(project);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, ProblemKind::TooManyActivities);
    EXPECT_EQ(problems[0].activity, -1);
}

TEST(Validation, FindsPlantedFaultsInRandomProjects)
{
    testsupport::Random random(20261208);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        testsupport::ProjectShape shape;
        shape.activities = 1 + static_cast<int>(testsupport::below(random, 60));
        shape.predecessors = 1 + static_cast<int>(testsupport::below(random, 3));
        engine::Project project = testsupport::randomProject(random, shape);
        ASSERT_TRUE(engine::validate(project).empty());
        const std::vector<testsupport::PlantedFault> planted = testsupport::plantFaults(
            random, project, 1 + static_cast<int>(testsupport::below(random, 4)));
        const std::vector<Problem> problems = engine::validate(project);
        for (const testsupport::PlantedFault &fault : planted) {
            const bool reported
                = std::any_of(problems.begin(), problems.end(), [&](const Problem &p) {
                      return fault.kind == ProblemKind::Cycle
                          ? p.kind == ProblemKind::Cycle
                          : sameProblem(p, fault.kind, fault.activity, fault.detail);
                  });
            EXPECT_TRUE(reported) << "kind " << static_cast<int>(fault.kind) << " on "
                                  << fault.activity;
        }
        for (const Problem &p : problems) {
            if (p.kind == ProblemKind::Cycle) {
                EXPECT_TRUE(isCycle(project, p.cycle));
            }
            EXPECT_FALSE(engine::describe(p, project).empty());
        }
        if (planted.empty()) {
            EXPECT_NO_THROW(engine::Network {project});
        } else {
            EXPECT_THROW(engine::Network {project}, std::invalid_argument);
        }
    }
}
