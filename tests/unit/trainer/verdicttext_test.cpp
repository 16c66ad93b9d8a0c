// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// The trainer's Thai wording: every verdict, path problem and step problem gives Thai that
// names the activities, paths and numbers it is about, with three different hints; the rule
// hint works with the student's own values; the grade report counts as the checks count.

#include "randomproject.h"

#include "answercheck.h"
#include "gradereport.h"
#include "money.h"
#include "network.h"
#include "practiceset.h"
#include "verdicttext.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <set>

using engine::Duration;
using engine::PathProblem;
using engine::StepProblem;

namespace {

enum { A, B, C, D, E, F, G, H, I };

const engine::Project &setOne()
{
    static const engine::Project project = practiceProject(practiceSet(1));
    return project;
}

bool isThai(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B; });
}

QString id(const engine::Project &project, int activity)
{
    return QString::fromStdString(project.activities[static_cast<std::size_t>(activity)].id);
}

QString money(engine::Satang amount)
{
    return QString::fromStdString(engine::formatBaht(amount));
}

// Non-empty Thai everywhere, three hints that differ, and every piece named somewhere in the
// message or the hints.
void expectWorded(const trainer::ItemText &text, const QStringList &named,
                  const QStringList &inMessage = {})
{
    const QString all = text.message + u'\n' + text.hints.nudge + u'\n' + text.hints.rule + u'\n'
        + text.hints.answer;
    SCOPED_TRACE(all.toStdString());
    for (const QString &part : {text.message, text.hints.nudge, text.hints.rule, text.hints.answer})
        EXPECT_TRUE(isThai(part) && !part.contains(u'\n'));
    EXPECT_EQ((std::set<QString> {text.hints.nudge, text.hints.rule, text.hints.answer}).size(),
              3u);
    for (const QString &part : named)
        EXPECT_TRUE(all.contains(part)) << part.toStdString();
    for (const QString &part : inMessage)
        EXPECT_TRUE(text.message.contains(part)) << part.toStdString();
}

engine::StepAnswer stepOf(std::vector<std::pair<int, Duration>> shorten,
                          std::optional<engine::Satang> cost = std::nullopt,
                          std::optional<Duration> duration = std::nullopt)
{
    return {std::move(shorten), cost, duration};
}

} // namespace

TEST(VerdictText, EveryVerdictHasItsOwnWord)
{
    std::set<QString> words;
    for (const engine::Verdict verdict : {engine::Verdict::Right, engine::Verdict::RightFromOwn,
                                          engine::Verdict::Wrong, engine::Verdict::Unanswered}) {
        const QString word = trainer::verdictWord(verdict);
        EXPECT_TRUE(isThai(word));
        words.insert(word);
    }
    EXPECT_EQ(words.size(), 4u);
}

// On random projects with random answers, every cell says which cell it is and what was
// given; its rule names every cell it takes and works with the student's values where they
// answered; its answer gives the true value.
TEST(VerdictText, CellsInTheStudentsNumbers)
{
    testsupport::Random random(99);
    std::set<engine::Verdict> seen;
    for (int round = 0; round < 60; ++round) {
        testsupport::ProjectShape shape;
        shape.activities = 1 + static_cast<int>(testsupport::below(random, 12));
        const engine::Project project = testsupport::randomProject(random, shape);
        const engine::Network network(project);
        engine::Answers answers = engine::modelAnswers(network, std::nullopt);
        auto tweak = [&](std::optional<Duration> &value) {
            if (testsupport::chance(random, 20))
                value.reset();
            else if (testsupport::chance(random, 20))
                value = *value + testsupport::between(random, -3, 3);
        };
        for (engine::ScheduleAnswer &row : answers.schedule) {
            tweak(row.earliestStart);
            tweak(row.earliestFinish);
            tweak(row.latestStart);
            tweak(row.latestFinish);
            tweak(row.totalFloat);
        }
        tweak(answers.projectDuration);
        const engine::ScheduleCheck check = engine::checkSchedule(network, answers);
        std::vector<const engine::CellCheck *> cells;
        for (const engine::CellCheck &cell : check.cells)
            cells.push_back(&cell);
        cells.push_back(&check.projectDuration);
        for (const engine::CellCheck *cell : cells) {
            seen.insert(cell->verdict);
            const trainer::ItemText text = trainer::cellText(project, check, *cell);
            QStringList named {trainer::cellName(project, *cell)};
            QStringList inMessage {named.front()};
            if (cell->given)
                inMessage << QString::number(*cell->given);
            if (cell->verdict == engine::Verdict::RightFromOwn)
                inMessage << QString::number(cell->expected);
            for (const int s : cell->sources)
                named << id(project, s);
            expectWorded(text, named, inMessage);
            EXPECT_TRUE(text.hints.answer.contains(QString::number(cell->expected)));
            for (const int s : cell->sources) {
                EXPECT_TRUE(text.hints.rule.contains(id(project, s)));
                // The value the rule takes from that cell: the student's, else the true one.
                const engine::ScheduleField from
                    = cell->activity < 0 || cell->field == engine::ScheduleField::EarliestStart
                    ? engine::ScheduleField::EarliestFinish
                    : cell->field == engine::ScheduleField::LatestFinish
                    ? engine::ScheduleField::LatestStart
                    : cell->field == engine::ScheduleField::EarliestFinish
                    ? engine::ScheduleField::EarliestStart
                    : cell->field == engine::ScheduleField::LatestStart
                    ? engine::ScheduleField::LatestFinish
                    : engine::ScheduleField::LatestStart;
                const engine::CellCheck &source
                    = check.cells[static_cast<std::size_t>(s) * 5 + static_cast<std::size_t>(from)];
                EXPECT_TRUE(text.hints.rule.contains(
                    QString::number(source.given.value_or(source.expected))));
            }
            // Where the student's sources all stand, the rule ends in what they give.
            if (cell->fromOwn && cell->activity >= 0 && !cell->sources.empty()) {
                EXPECT_TRUE(text.hints.rule.endsWith(u"= "_qs + QString::number(*cell->fromOwn)))
                    << text.hints.rule.toStdString();
            }
        }
    }
    EXPECT_EQ(seen.size(), 4u);
}

// Every path problem, each on set 1 (B-F-I is critical, 32 days) or on a network where A-C is
// a chain of critical activities shorter than the project.
TEST(VerdictText, EveryPathProblem)
{
    const engine::Network network(setOne());
    engine::Answers answers;
    answers.criticalPaths
        = {{B, F, I}, {}, {B, 42, I}, {B, I}, {C, G}, {A, C}, {A, D, H}, {B, F, I}};
    answers.criticalActivities = {B, F, I, E};
    const engine::CriticalCheck check = engine::checkCriticalPaths(network, answers);

    const engine::Project crossing {"crossing",
                                    {{"A", "", {}, 1, 1, 0},
                                     {"B", "", {}, 3, 3, 0},
                                     {"C", "", {"A", "B"}, 1, 1, 0},
                                     {"D", "", {"A"}, 3, 3, 0}},
                                    std::nullopt};
    engine::Answers shorter;
    shorter.criticalPaths = {{0, 2}};
    const engine::CriticalCheck shorterCheck
        = engine::checkCriticalPaths(engine::Network(crossing), shorter);

    std::set<PathProblem> seen;
    auto expectPath
        = [&](const engine::Project &project, const engine::CriticalCheck &c, std::size_t k) {
              const engine::PathCheck &path = c.paths[k];
              seen.insert(path.problem);
              SCOPED_TRACE(static_cast<int>(path.problem));
              QStringList inMessage;
              if (!path.path.empty())
                  inMessage << trainer::pathName(project, path.path);
              else
                  inMessage << QString::number(k + 1);
              if (path.activity >= 0 && path.problem != PathProblem::UnknownActivity)
                  inMessage << id(project, path.activity);
              if (path.problem == PathProblem::UnknownActivity)
                  inMessage << QString::number(path.activity + 1);
              if (path.problem == PathProblem::HasFloat)
                  inMessage << QString::number(path.floatOf) << QString::number(path.length);
              if (path.problem == PathProblem::NotLongest)
                  inMessage << QString::number(path.length) << QString::number(c.projectDuration);
              if (path.problem == PathProblem::NotLinked)
                  inMessage << id(project, path.path[static_cast<std::size_t>(path.at) + 1]);
              expectWorded(trainer::pathText(project, c, k), {}, inMessage);
          };
    for (std::size_t k = 0; k < check.paths.size(); ++k)
        expectPath(setOne(), check, k);
    expectPath(crossing, shorterCheck, 0);
    for (int k = 0; k <= static_cast<int>(PathProblem::Repeated); ++k)
        EXPECT_EQ(seen.count(static_cast<PathProblem>(k)), 1u) << k;

    // The ticks: E was ticked with 3 days of float; the answer names the critical activities.
    expectWorded(trainer::ticksText(setOne(), check), {u"B"_qs, u"F"_qs, u"I"_qs},
                 {u"E"_qs, u"3"_qs});
    engine::Answers none;
    const engine::CriticalCheck missing = engine::checkCriticalPaths(network, none);
    expectWorded(trainer::missedPathsText(setOne(), missing), {}, {u"B-F-I"_qs});
    expectWorded(trainer::ticksText(setOne(), missing), {u"B, F และ I"_qs});
}

// Every step problem on set 1 (32 days; after B by one day, 31 with A-D-H and B-F-I critical),
// each naming its activities, path and figures, and the greedy's step as the answer.
TEST(VerdictText, EveryStepProblem)
{
    const engine::Network network(setOne());
    std::vector<Duration> normal;
    for (const engine::Activity &a : setOne().activities)
        normal.push_back(a.normalDuration);
    std::vector<Duration> afterB = normal;
    afterB[B] -= 1;
    const struct {
        bool second;
        Duration target;
        engine::StepAnswer step;
    } cases[] = {
        {false, 28, stepOf({{B, 1}}, 7500, 31)},
        {false, 32, stepOf({{B, 1}})},
        {false, 28, stepOf({})},
        {false, 28, stepOf({{B, 1}, {42, 1}})},
        {false, 28, stepOf({{B, 1}, {B, 1}})},
        {false, 28, stepOf({{B, 0}})},
        {false, 28, stepOf({{B, 3}})},
        {true, 28, stepOf({{D, 2}, {F, 1}})},
        {true, 28, stepOf({{B, 1}})},
        {false, 28, stepOf({{B, 1}, {E, 1}})},
        {true, 28, stepOf({{D, 1}, {F, 1}})},
        {false, 28, stepOf({{B, 2}})},
        {false, 28, stepOf({{B, 1}}, 7000, 31)},
        {false, 28, stepOf({{B, 1}}, 7500, 30)},
    };
    std::set<StepProblem> seen;
    for (const auto &c : cases) {
        const engine::StepCheck step
            = engine::checkStep(network, c.second ? afterB : normal, c.target, c.step, 3);
        seen.insert(step.problem);
        SCOPED_TRACE(static_cast<int>(step.problem));
        QStringList inMessage {u"ขั้นที่ 3"_qs};
        QStringList named;
        if (step.activity >= 0 && step.activity < network.size())
            inMessage << id(setOne(), step.activity);
        if (!step.path.empty())
            inMessage << trainer::pathName(setOne(), step.path);
        switch (step.problem) {
        case StepProblem::None:
            inMessage << money(step.expectedCost) << QString::number(step.expectedDuration);
            break;
        case StepProblem::AfterTarget:
            inMessage << QString::number(step.target) << QString::number(step.durationBefore);
            break;
        case StepProblem::UnknownActivity:
            inMessage << QString::number(step.activity + 1);
            break;
        case StepProblem::BelowCrash:
            inMessage << QString::number(step.allowedUnits);
            break;
        case StepProblem::NotCheapest:
            inMessage << money(step.givenPerUnit) << money(step.cheapestPerUnit);
            named << money(17500);
            for (const int a : step.cheapestSet)
                inMessage << id(setOne(), a);
            break;
        case StepProblem::TooManyUnits:
            inMessage << QString::number(step.allowedUnits);
            break;
        case StepProblem::NonCritical:
            inMessage << QString::number(step.activityFloat);
            break;
        case StepProblem::WrongCost:
            inMessage << money(step.expectedCost) << money(*step.givenCost);
            break;
        case StepProblem::WrongDuration:
            inMessage << QString::number(step.expectedDuration)
                      << QString::number(*step.givenDuration);
            break;
        default:
            break;
        }
        // The greedy's own step is the answer, unless the target is met.
        if (step.problem != StepProblem::AfterTarget && step.problem != StepProblem::WrongCost
            && step.problem != StepProblem::WrongDuration) {
            for (const int a : step.cheapestSet)
                named << id(setOne(), a);
            named << money(step.cheapestPerUnit * step.cheapestUnits);
        }
        expectWorded(trainer::stepText(setOne(), step), named, inMessage);
    }
    for (int k = 0; k <= static_cast<int>(StepProblem::WrongDuration); ++k)
        EXPECT_EQ(seen.count(static_cast<StepProblem>(k)), 1u) << k;
}

// The target and the totals in figures; the report counts as the checks count, in text and
// in JSON alike.
TEST(VerdictText, TargetTotalsAndReport)
{
    const engine::Network network(setOne());
    for (const Duration target : {26, 28, 33}) {
        engine::Answers answers = engine::modelAnswers(network, 28);
        answers.target = target;
        const engine::CrashingCheck check = engine::checkCrashing(network, answers);
        expectWorded(trainer::targetText(check), {u"27"_qs, u"32"_qs}, {QString::number(target)});
    }
    engine::Answers answers = engine::modelAnswers(network, 28);
    answers.schedule[C].earliestStart = 8;
    answers.steps.pop_back();
    const trainer::Grade grade = trainer::gradeAnswers(setOne(), answers);
    const QString totals = trainer::totalsText(grade.crashing);
    for (const QString &figure : {money(47500), money(72500), u"29"_qs, u"28"_qs})
        EXPECT_TRUE(totals.contains(figure)) << figure.toStdString();

    const QString text = trainer::gradeReportText(setOne(), grade);
    for (const auto &[right, total] : {std::pair {grade.schedule.right, grade.schedule.total},
                                       std::pair {grade.critical.right, grade.critical.total},
                                       std::pair {grade.crashing.right, grade.crashing.total},
                                       std::pair {grade.right(), grade.total()}})
        EXPECT_TRUE(text.contains(u"ถูก %1 จาก %2"_qs.arg(right).arg(total))) << right << total;
    EXPECT_EQ(grade.schedule.right, grade.schedule.total - 1);
    EXPECT_EQ(grade.crashing.right, 3);
    EXPECT_EQ(grade.crashing.total, 4);
    // The wrong cell comes with its hints, a right one without.
    EXPECT_TRUE(text.contains(u"ES ของ C: ตอบ 8, ค่าที่ถูก 7"_qs));
    EXPECT_EQ(text.count(u"คำใบ้ 1"_qs), 1);

    const QJsonObject json = trainer::gradeReportJson(setOne(), grade);
    EXPECT_EQ(json[u"right"_qs].toInt(), grade.right());
    EXPECT_EQ(json[u"total"_qs].toInt(), grade.total());
    const QJsonArray cells = json[u"schedule"_qs][u"cells"_qs].toArray();
    ASSERT_EQ(cells.size(), 9 * 5 + 1);
    const QJsonObject wrong = cells[C * 5].toObject();
    EXPECT_EQ(wrong[u"verdict"_qs].toString(), u"wrong"_qs);
    EXPECT_EQ(wrong[u"given"_qs].toInt(), 8);
    EXPECT_EQ(wrong[u"expected"_qs].toInt(), 7);
    EXPECT_FALSE(wrong[u"hints"_qs][u"rule"_qs].toString().isEmpty());
    EXPECT_EQ(json[u"crashing"_qs][u"least_cost"_qs].toDouble(), 725.0);
    EXPECT_EQ(json[u"crashing"_qs][u"steps"_qs].toArray().size(), 3);
}
