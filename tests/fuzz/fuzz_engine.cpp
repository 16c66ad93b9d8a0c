// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Sends random projects, sound and with planted faults, through the whole planning engine:
// validation, the network, CPM, critical paths, the greedy crashing to a random target,
// the least cost and the time-cost curve. After each stage its results are checked against
// the stage's own promises and against each other; the only exception allowed is the
// network's refusal of a project that validation finds faulty.

#include "randomproject.h"

#include "arrowdiagram.h"
#include "greedy.h"
#include "leastcost.h"
#include "network.h"
#include "schedule.h"
#include "timecostcurve.h"
#include "validation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using engine::Duration;
using engine::Satang;
using testsupport::below;
using testsupport::between;
using testsupport::chance;

struct Options {
    double seconds = 5.0;
    std::uint64_t seed = 1;
};

// "--seconds N" and "--seed S", as the other drivers take them.
Options parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (hasValue && std::strcmp(argv[i], "--seconds") == 0) {
            options.seconds = std::atof(argv[++i]);
        } else if (hasValue && std::strcmp(argv[i], "--seed") == 0) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else {
            std::fprintf(stderr, "usage: %s [--seconds N] [--seed S]\n", argv[0]);
            std::exit(2);
        }
    }
    return options;
}

struct Figures {
    long long projects = 0;
    long long faulty = 0;
    long long greedySteps = 0;
    long long greedyDearer = 0; // runs from normal durations that paid more than the least cost
    long long curves = 0;
    long long failures = 0;
};

// Thrown by the checks below; carries what went wrong.
struct CheckFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void check(bool condition, const std::string &what)
{
    if (!condition)
        throw CheckFailed(what);
}

// The longest chain of the network with these durations, passing no blocked activity
// (-1 when every chain passes one), worked out in the project's own order: randomProject
// lists every predecessor before its successors.
Duration longestChain(const engine::Network &network, const std::vector<Duration> &durations,
                      const std::vector<bool> &blocked)
{
    std::vector<Duration> finish(durations.size(), -1);
    Duration longest = -1;
    for (int a = 0; a < network.size(); ++a) {
        const auto i = static_cast<std::size_t>(a);
        if (blocked[i])
            continue;
        Duration start = network.predecessors(a).empty() ? 0 : -1;
        for (const int p : network.predecessors(a)) {
            check(p < a, "a predecessor comes after its successor");
            start = std::max(start, finish[static_cast<std::size_t>(p)]);
        }
        if (start < 0)
            continue;
        finish[i] = start + durations[i];
        if (network.successors(a).empty())
            longest = std::max(longest, finish[i]);
    }
    return longest;
}

Satang extraCost(const engine::Network &network, const std::vector<Duration> &durations)
{
    Satang cost = 0;
    for (std::size_t i = 0; i < durations.size(); ++i)
        cost += network.costsPerUnit()[i] * (network.normalDurations()[i] - durations[i]);
    return cost;
}

void checkWithinRange(const engine::Network &network, const std::vector<Duration> &durations)
{
    for (std::size_t i = 0; i < durations.size(); ++i)
        check(durations[i] >= network.crashDurations()[i]
                  && durations[i] <= network.normalDurations()[i],
              "activity " + std::to_string(i) + " outside crash..normal");
}

engine::Project randomInput(testsupport::Random &random,
                            std::vector<testsupport::PlantedFault> &planted)
{
    testsupport::ProjectShape shape;
    shape.activities
        = static_cast<int>(chance(random, 90) ? below(random, 40) : below(random, 300));
    shape.predecessors = static_cast<int>(below(random, 5));
    shape.window = chance(random, 50) ? 0 : 1 + static_cast<int>(below(random, 8));
    static constexpr Duration durations[] = {0, 1, 5, 30, 1'000, engine::kMaxDuration};
    static constexpr Satang costs[] = {0, 1, 100, 1'000'000, engine::kMaxCostPerUnit};
    shape.maxDuration = durations[below(random, std::size(durations))];
    shape.maxCost = costs[below(random, std::size(costs))];
    shape.specialPercent = static_cast<int>(below(random, 50));
    if (chance(random, 25)) {
        shape.linkPercent = 1 + static_cast<int>(below(random, 100));
        shape.maxLag = between(random, 0, shape.maxDuration);
    }
    engine::Project project = testsupport::randomProject(random, shape);
    if (chance(random, 30))
        planted = testsupport::plantFaults(random, project, 1 + static_cast<int>(below(random, 4)));
    return project;
}

// Validation against the planted faults; true when the project is sound.
bool checkValidation(const engine::Project &project,
                     const std::vector<testsupport::PlantedFault> &planted)
{
    const std::vector<engine::Problem> problems = engine::validate(project);
    for (const testsupport::PlantedFault &fault : planted) {
        const bool found = std::any_of(problems.begin(), problems.end(), [&](const auto &p) {
            return p.kind == fault.kind
                && (fault.kind == engine::ProblemKind::Cycle
                    || (p.activity == fault.activity && p.detail == fault.detail));
        });
        check(found,
              "planted fault " + std::to_string(static_cast<int>(fault.kind)) + " on "
                  + std::to_string(fault.activity) + " not reported");
    }
    for (const engine::Problem &p : problems) {
        check(!engine::describe(p, project).empty(), "a problem without words");
        check(p.activity >= -1 && p.activity < static_cast<int>(project.activities.size()),
              "a problem names no row");
        if (p.kind != engine::ProblemKind::Cycle)
            continue;
        for (std::size_t k = 0; k < p.cycle.size(); ++k) {
            const auto &next
                = project.activities[static_cast<std::size_t>(p.cycle[(k + 1) % p.cycle.size()])];
            const std::string &id = project.activities[static_cast<std::size_t>(p.cycle[k])].id;
            check(std::find(next.predecessors.begin(), next.predecessors.end(), id)
                      != next.predecessors.end(),
                  "a reported cycle is not one");
        }
    }
    try {
        const engine::Network network(project);
        check(problems.empty(), "the network accepted a faulty project");
    } catch (const std::invalid_argument &error) {
        check(!problems.empty(),
              std::string("the network refused a sound project: ") + error.what());
    }
    return problems.empty();
}

void checkSchedule(const engine::Network &network, const std::vector<Duration> &durations,
                   const engine::Schedule &s, testsupport::Random &random)
{
    const int n = network.size();
    check(s.projectDuration
              == std::max<Duration>(
                  0, longestChain(network, durations, std::vector<bool>(durations.size()))),
          "project duration is not the longest chain");
    bool anyCritical = n == 0;
    for (int a = 0; a < n; ++a) {
        const auto i = static_cast<std::size_t>(a);
        check(s.earliestFinish[i] == s.earliestStart[i] + durations[i]
                  && s.latestFinish[i] == s.latestStart[i] + durations[i],
              "finish is not start plus duration");
        check(s.totalFloat(a) >= 0 && s.latestFinish[i] <= s.projectDuration, "negative float");
        for (const int p : network.predecessors(a))
            check(s.earliestStart[i] >= s.earliestFinish[static_cast<std::size_t>(p)]
                      && s.latestStart[i] >= s.latestFinish[static_cast<std::size_t>(p)],
                  "a link is broken");
        anyCritical = anyCritical || s.isCritical(a);
    }
    check(anyCritical, "nothing is critical");

    const auto limit = static_cast<std::size_t>(below(random, 50));
    const engine::CriticalPaths paths = engine::listCriticalPaths(network, s, limit);
    check(paths.paths.size() <= limit, "more paths than the limit");
    check(paths.complete || paths.paths.size() == limit, "incomplete below the limit");
    check(n == 0 || !paths.paths.empty() || limit == 0, "no critical path");
    for (const std::vector<int> &path : paths.paths) {
        check(!path.empty() && network.predecessors(path.front()).empty()
                  && network.successors(path.back()).empty(),
              "a critical path does not run from start to end");
        Duration length = 0;
        for (std::size_t k = 0; k < path.size(); ++k) {
            length += durations[static_cast<std::size_t>(path[k])];
            if (k > 0) {
                const auto before = network.predecessors(path[k]);
                check(std::find(before.begin(), before.end(), path[k - 1]) != before.end(),
                      "a critical path follows no link");
            }
        }
        check(length == s.projectDuration, "a critical path is not as long as the project");
    }
}

// Runs the greedy rule from the durations to the target and checks every step; returns the
// extra cost of where it ends over the normal durations, or -1 when the start was refused.
Satang checkGreedy(const engine::Network &network, const std::vector<Duration> &durations,
                   Duration target, Duration shortest, Figures &figures)
{
    engine::GreedyCrashing greedy(network, durations);
    const Duration current = greedy.schedule().projectDuration;
    const engine::GreedyCrashing::StartResult result = greedy.start(target);
    if (target > current) {
        check(result == engine::GreedyCrashing::StartResult::TargetAboveDuration, "start above");
        return -1;
    }
    if (target < shortest) {
        check(result == engine::GreedyCrashing::StartResult::TargetBelowShortest, "start below");
        return -1;
    }
    check(result == engine::GreedyCrashing::StartResult::Started, "start refused");
    Satang total = 0;
    for (int number = 1;; ++number) {
        const std::vector<Duration> before = greedy.durations();
        const engine::Schedule schedule = greedy.schedule();
        const std::optional<engine::GreedyStep> step = greedy.step();
        if (!step)
            break;
        ++figures.greedySteps;
        check(number < 1'000'000, "the greedy rule does not end");
        check(step->number == number && step->units >= 1
                  && step->durationBefore == schedule.projectDuration
                  && step->durationAfter == step->durationBefore - step->units
                  && step->durationAfter >= target,
              "a greedy step's numbers do not add up");
        std::vector<bool> cut(before.size(), false);
        Satang perUnit = 0;
        for (const engine::Cut &c : step->cuts) {
            const auto a = static_cast<std::size_t>(c.activity);
            check(!cut[a] && schedule.isCritical(c.activity) && c.units == step->units,
                  "a greedy cut is not one critical activity once");
            cut[a] = true;
            perUnit += c.costPerUnit;
        }
        check(longestChain(network, before, cut) < step->durationBefore,
              "a greedy cut misses a critical path");
        checkWithinRange(network, greedy.durations());
        for (std::size_t i = 0; i < before.size(); ++i)
            check(greedy.durations()[i] == (cut[i] ? before[i] - step->units : before[i]),
                  "a greedy step changed what it did not cut");
        total += step->cost;
        check(step->costPerUnit == perUnit && step->cost == perUnit * step->units
                  && step->totalCost == total,
              "a greedy step's cost does not add up");
    }
    check(greedy.finished() && greedy.schedule().projectDuration == target,
          "the greedy rule stopped off the target");
    check(greedy.totalCost()
              == extraCost(network, greedy.durations()) - extraCost(network, durations),
          "the greedy total is not what the durations cost");
    return extraCost(network, greedy.durations());
}

void checkLeastCost(const engine::Network &network, const engine::LeastCost &answer,
                    Duration target, Duration normal)
{
    check(answer.target == target
              && answer.durations.size() == static_cast<std::size_t>(network.size()),
          "least cost: wrong shape");
    checkWithinRange(network, answer.durations);
    const Duration reached = std::max<Duration>(
        0, longestChain(network, answer.durations, std::vector<bool>(answer.durations.size())));
    check(answer.projectDuration == reached && reached == std::min(target, normal),
          "least cost: does not reach the target exactly");
    check(answer.cost == extraCost(network, answer.durations) && answer.cost >= 0
              && answer.marginalCost >= 0,
          "least cost: the cost is not what the durations cost");
}

void checkCurve(const engine::Network &network, Duration normal, Duration shortest,
                const engine::LeastCost &atTarget)
{
    const engine::TimeCostCurve curve = engine::timeCostCurve(network);
    const std::vector<engine::CurvePoint> &b = curve.breakpoints();
    check(curve.normalDuration() == normal && curve.shortestDuration() == shortest
              && b.front().cost == 0,
          "curve: wrong ends");
    Satang slope = -1;
    for (std::size_t k = 1; k < b.size(); ++k) {
        const Duration days = b[k - 1].duration - b[k].duration;
        const Satang rise = b[k].cost - b[k - 1].cost;
        check(days > 0 && rise >= 0 && rise % days == 0, "curve: not falling in whole satang");
        check(rise / days > slope, "curve: not strictly convex at a breakpoint");
        slope = rise / days;
    }
    if (atTarget.target >= shortest)
        check(curve.costAt(atTarget.target) == atTarget.cost, "curve: not the least cost");
    check(curve.costAt(shortest) == engine::leastCost(network, shortest)->cost,
          "curve: not the least cost at the shortest duration");
}

// The activity-on-arrow diagram of any sound project, with the durations of the run: arrows run
// up the numbering without two between the same events, and the event times are CPM's.
void checkArrowDiagram(const engine::Network &network, const std::vector<Duration> &durations,
                       const engine::Schedule &schedule)
{
    const engine::ArrowDiagram diagram = engine::buildArrowDiagram(network);
    const auto n = static_cast<std::size_t>(network.size());
    check(diagram.arrows.size() >= n, "arrow diagram: an activity without its arrow");
    const engine::EventTimes times = engine::computeEventTimes(diagram, durations);
    check(times.projectDuration == schedule.projectDuration, "arrow diagram: another duration");
    std::set<std::pair<int, int>> ends;
    for (std::size_t i = 0; i < diagram.arrows.size(); ++i) {
        const engine::ArrowDiagram::Arrow &arrow = diagram.arrows[i];
        check(arrow.from < arrow.to && arrow.to < diagram.eventCount,
              "arrow diagram: an arrow against the numbering");
        check(ends.emplace(arrow.from, arrow.to).second, "arrow diagram: two arrows, same ends");
        check((i < n) == (arrow.activity == static_cast<int>(i)),
              "arrow diagram: arrows out of order");
        if (i >= n)
            continue;
        check(times.earliest[static_cast<std::size_t>(arrow.from)] == schedule.earliestStart[i]
                  && times.latest[static_cast<std::size_t>(arrow.to)] == schedule.latestFinish[i],
              "arrow diagram: event times are not CPM's");
        check(times.criticalArrow[i] == schedule.isCritical(static_cast<int>(i)),
              "arrow diagram: another critical activity");
    }
}

// Networks with links of every type: the schedule keeps every link both ways, the shortest
// duration is reached and is no longer than crashing everything, the greedy refuses, and the
// least cost reaches its target within range at what its durations cost, as the curve says.
void checkLinkedNetwork(testsupport::Random &random, const engine::Network &network,
                        Figures &figures)
{
    const auto n = static_cast<std::size_t>(network.size());
    const engine::Schedule s = engine::computeSchedule(network, network.normalDurations());
    for (int a = 0; a < network.size(); ++a) {
        const auto i = static_cast<std::size_t>(a);
        check(s.totalFloat(a) >= 0 && s.earliestStart[i] >= 0
                  && s.latestFinish[i] <= s.projectDuration,
              "linked: negative float");
        const auto before = network.predecessors(a);
        const auto timing = network.predecessorTimings(a);
        for (std::size_t k = 0; k < before.size(); ++k) {
            const auto p = static_cast<std::size_t>(before[k]);
            const Duration d = network.normalDurations()[i], dp = network.normalDurations()[p];
            check(s.earliestStart[i] >= engine::startAllowedAfter(timing[k], s.earliestStart[p],
                                                                  s.earliestFinish[p], d)
                      && s.latestFinish[p] <= engine::finishAllowedBefore(
                             timing[k], s.latestStart[i], s.latestFinish[i], dp),
                  "linked: a link is broken");
        }
    }
    const Duration normal = s.projectDuration;
    const Duration shortest = engine::shortestDuration(network);
    const std::vector<Duration> fastest = engine::shortestDurations(network);
    checkWithinRange(network, fastest);
    check(engine::computeSchedule(network, fastest).projectDuration == shortest
              && shortest
                  <= engine::computeSchedule(network, network.crashDurations()).projectDuration
              && shortest <= normal,
          "linked: the shortest duration is not reached");
    bool refused = false;
    try {
        engine::GreedyCrashing greedy(network);
    } catch (const std::invalid_argument &) {
        refused = true;
    }
    check(refused || network.plainLinks(), "linked: the greedy rule took other links");
    if (n > 300)
        return;
    const Duration target = between(random, shortest - 1, normal);
    const std::optional<engine::LeastCost> optimum = engine::leastCost(network, target);
    check(optimum.has_value() == (target >= shortest), "linked least cost: wrong refusal");
    if (!optimum)
        return;
    checkWithinRange(network, optimum->durations);
    check(engine::computeSchedule(network, optimum->durations).projectDuration <= target
              && optimum->cost == extraCost(network, optimum->durations),
          "linked least cost: misses the target or its cost");
    check(optimum->cost <= extraCost(network, fastest), "linked least cost: dearer than fastest");
    if (n <= 60 && normal - shortest <= 200) {
        const engine::TimeCostCurve curve = engine::timeCostCurve(network);
        check(curve.shortestDuration() == shortest && curve.normalDuration() == normal
                  && curve.costAt(target) == optimum->cost,
              "linked curve: not the least cost");
        ++figures.curves;
    }
}

void runOne(testsupport::Random &random, const engine::Project &project,
            const std::vector<testsupport::PlantedFault> &planted, Figures &figures)
{
    if (!checkValidation(project, planted)) {
        ++figures.faulty;
        return;
    }
    const engine::Network network(project);
    if (!network.plainLinks()) {
        checkLinkedNetwork(random, network, figures);
        return;
    }
    const auto n = static_cast<std::size_t>(network.size());
    std::vector<Duration> durations(network.normalDurations().begin(),
                                    network.normalDurations().end());
    if (chance(random, 50)) {
        for (std::size_t i = 0; i < n; ++i)
            durations[i]
                = between(random, network.crashDurations()[i], network.normalDurations()[i]);
    }
    const engine::Schedule schedule = engine::computeSchedule(network, durations);
    checkSchedule(network, durations, schedule, random);
    if (n <= 2'000)
        checkArrowDiagram(network, durations, schedule);

    const Duration normal
        = engine::computeSchedule(network, network.normalDurations()).projectDuration;
    const Duration shortest = engine::shortestDuration(network);
    check(shortest <= schedule.projectDuration && schedule.projectDuration <= normal,
          "durations between crash and normal leave the range");
    const Duration target = between(random, shortest - 2, schedule.projectDuration + 2);
    const Satang greedyCost = checkGreedy(network, durations, target, shortest, figures);

    const std::optional<engine::LeastCost> optimum = engine::leastCost(network, target);
    check(optimum.has_value() == (target >= shortest), "least cost: wrong refusal");
    if (!optimum)
        return;
    checkLeastCost(network, *optimum, target, normal);
    if (greedyCost >= 0) {
        check(greedyCost >= optimum->cost, "the greedy rule beat the least cost");
        if (std::equal(durations.begin(), durations.end(), network.normalDurations().begin()))
            figures.greedyDearer += greedyCost > optimum->cost;
    }
    if (n <= 100 && normal - shortest <= 2'000) {
        checkCurve(network, normal, shortest, *optimum);
        ++figures.curves;
    }
}

std::string dump(const engine::Project &project)
{
    std::string text;
    for (std::size_t i = 0; i < project.activities.size() && i < 60; ++i) {
        const engine::Activity &a = project.activities[i];
        text += "  '" + a.id.substr(0, 30) + "' after";
        for (const std::string &p : a.predecessors)
            text += " '" + p.substr(0, 30) + "'";
        text += ": " + std::to_string(a.normalDuration) + "/" + std::to_string(a.crashDuration)
            + ", " + std::to_string(a.crashCostPerUnit) + "\n";
    }
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = parseOptions(argc, argv);
    testsupport::Random random(options.seed);
    const auto end = std::chrono::steady_clock::now()
        + std::chrono::milliseconds(static_cast<std::int64_t>(options.seconds * 1000.0));
    Figures figures;

    while (figures.failures < 10 && std::chrono::steady_clock::now() < end) {
        std::vector<testsupport::PlantedFault> planted;
        const engine::Project project = randomInput(random, planted);
        ++figures.projects;
        std::string problem;
        try {
            runOne(random, project, planted, figures);
        } catch (const CheckFailed &failure) {
            problem = failure.what();
        } catch (const std::exception &error) {
            problem = std::string("unexpected exception: ") + error.what();
        }
        if (!problem.empty()) {
            ++figures.failures;
            std::printf("FAIL seed %llu project %lld: %s\n%s",
                        static_cast<unsigned long long>(options.seed), figures.projects,
                        problem.c_str(), dump(project).c_str());
        }
    }

    std::printf(
        "fuzz_engine seed %llu: %lld projects (%lld faulty), %lld greedy steps, %lld "
        "runs from normal durations where the greedy rule paid more than the least cost, %lld "
        "curves, %lld "
        "failures\n",
        static_cast<unsigned long long>(options.seed), figures.projects, figures.faulty,
        figures.greedySteps, figures.greedyDearer, figures.curves, figures.failures);
    return figures.failures == 0 ? 0 : 1;
}
