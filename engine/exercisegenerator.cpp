// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "exercisegenerator.h"

#include "crashcut.h"
#include "greedy.h"
#include "leastcost.h"
#include "network.h"
#include "schedule.h"
#include "timecostcurve.h"
#include "validation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace engine {

namespace {

constexpr Duration kMinNormal = 2;
constexpr Duration kMaxDrawnNormal = 10; // as drawn; lengthened up to kMaxNormal for ties
constexpr Duration kMaxNormal = 20;
constexpr Duration kMaxReduction = 4; // normal - crash, at most
constexpr int kMaxEnds = 3; // activities without predecessors, and those without successors
constexpr std::array<Satang, 4> kCostSteps = {500, 1000, 2500, 5000}; // 5, 10, 25, 50 Baht
constexpr std::int64_t kMaxCostMultiple = 40;
// A worksheet is worked by hand: the greedy reaches the target in 2 to 6 steps.
constexpr std::size_t kMaxGreedySteps = 6;

// SplitMix64 (Steele, Lea and Flood, 2014): a fixed sequence of 64-bit numbers for a seed,
// the same with every compiler and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) { }

    std::uint64_t next()
    {
        m_state += 0x9e3779b97f4a7c15U;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9U;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebU;
        return z ^ (z >> 31);
    }
    // lo .. hi, both included (lo <= hi, a small range, so the bias of the remainder is
    // far below anything a class could notice).
    std::int64_t between(std::int64_t lo, std::int64_t hi)
    {
        return lo + static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    int between(int lo, int hi)
    {
        return static_cast<int>(between(std::int64_t {lo}, std::int64_t {hi}));
    }
    bool chance(int percent) { return between(0, 99) < percent; }

private:
    std::uint64_t m_state;
};

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

// Predecessors per activity, as ascending indices of earlier activities.
using Links = std::vector<std::vector<int>>;

// A layered network of n activities: the first layer holds the activities without
// predecessors, the last those without successors (each at most kMaxEnds), every other
// activity follows one of the layer before and leads to one of the layer after. Links that
// others imply are dropped. Nothing when the draw falls apart into separate sub-projects.
std::optional<Links> drawNetwork(Random &random, int n)
{
    const int fewestLayers = std::max(3, (n + 3) / 5);
    const int layers = random.between(fewestLayers, std::max(fewestLayers + 1, n / 3 + 1));
    std::vector<int> width(at(layers), 1);
    for (int extra = n - layers; extra > 0; --extra) {
        int layer = random.between(0, layers - 1);
        if ((layer == 0 || layer == layers - 1) && width[at(layer)] == kMaxEnds)
            layer = random.between(1, layers - 2);
        ++width[at(layer)];
    }
    std::vector<int> first(at(layers) + 1, 0), layerOf;
    for (int l = 0; l < layers; ++l) {
        first[at(l) + 1] = first[at(l)] + width[at(l)];
        layerOf.insert(layerOf.end(), at(width[at(l)]), l);
    }
    auto anyIn
        = [&](int layer) { return random.between(first[at(layer)], first[at(layer) + 1] - 1); };

    Links predecessors(at(n));
    std::vector<bool> leadsOn(at(n), false);
    auto link = [&](int from, int to) {
        std::vector<int> &list = predecessors[at(to)];
        if (std::find(list.begin(), list.end(), from) == list.end())
            list.push_back(from);
        leadsOn[at(from)] = true;
    };
    for (int j = first[1]; j < n; ++j) {
        const int l = layerOf[at(j)];
        link(anyIn(l - 1), j);
        if (random.chance(40))
            link(anyIn(random.between(std::max(0, l - 2), l - 1)), j);
        if (random.chance(10))
            link(anyIn(random.between(std::max(0, l - 2), l - 1)), j);
    }
    for (int j = 0; j < first[at(layers) - 1]; ++j) {
        if (!leadsOn[at(j)])
            link(j, anyIn(layerOf[at(j)] + 1));
    }

    // Transitive reduction: p -> j goes when another predecessor of j already follows p.
    // Ancestor sets as bit masks (n <= 30), in index order, which is a topological order.
    std::vector<std::uint64_t> ancestors(at(n), 0);
    for (int j = 0; j < n; ++j) {
        for (const int p : predecessors[at(j)])
            ancestors[at(j)] |= ancestors[at(p)] | (std::uint64_t {1} << p);
    }
    for (int j = 0; j < n; ++j) {
        std::vector<int> &list = predecessors[at(j)];
        std::vector<int> kept;
        for (const int p : list) {
            const bool implied = std::any_of(list.begin(), list.end(), [&](int q) {
                return q != p && (ancestors[at(q)] >> p & 1U) != 0;
            });
            if (!implied)
                kept.push_back(p);
        }
        std::sort(kept.begin(), kept.end());
        list = std::move(kept);
    }

    // One piece: every activity joined to activity 0 through links either way.
    std::vector<int> piece(at(n));
    for (int j = 0; j < n; ++j)
        piece[at(j)] = j;
    auto root = [&](int j) {
        while (piece[at(j)] != j)
            j = piece[at(j)] = piece[at(piece[at(j)])];
        return j;
    };
    for (int j = 0; j < n; ++j) {
        for (const int p : predecessors[at(j)])
            piece[at(root(p))] = root(j);
    }
    for (int j = 1; j < n; ++j) {
        if (root(j) != root(0))
            return std::nullopt;
    }
    return predecessors;
}

// How many longest chains end at each activity (`into`) and start at it (`onwards`), read off
// the schedule's tight links; their product is the number of longest chains through it.
struct ChainCounts {
    std::vector<std::int64_t> into, onwards;
    std::int64_t critical = 0; // critical paths
};

ChainCounts countChains(const Network &network, const Schedule &schedule)
{
    const auto n = at(network.size());
    ChainCounts counts {std::vector<std::int64_t>(n, 0), std::vector<std::int64_t>(n, 0), 0};
    const std::span<const int> order = network.topologicalOrder();
    for (const int a : order) {
        std::int64_t &into = counts.into[at(a)];
        if (network.predecessors(a).empty())
            into = 1;
        for (const int p : network.predecessors(a)) {
            if (schedule.earliestFinish[at(p)] == schedule.earliestStart[at(a)])
                into += counts.into[at(p)];
        }
        if (network.successors(a).empty()
            && schedule.earliestFinish[at(a)] == schedule.projectDuration)
            counts.critical += into;
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        std::int64_t &onwards = counts.onwards[at(*it)];
        if (network.successors(*it).empty())
            onwards = 1;
        for (const int s : network.successors(*it)) {
            if (schedule.latestStart[at(s)] == schedule.latestFinish[at(*it)])
                onwards += counts.onwards[at(s)];
        }
    }
    return counts;
}

// Lengthens normal durations until exactly `wanted` paths are critical: while there are too
// many, a critical activity that only some of them pass is lengthened by one (only the paths
// through it stay critical); while there are too few, a non-critical activity is lengthened
// by its float, which makes its longest chains critical too, as long as they are not too
// many. False when no such change is left.
bool makeCriticalPaths(Random &random, const Network &network, std::vector<Duration> &normal,
                       int wanted)
{
    const int n = network.size();
    std::vector<int> candidates;
    for (int round = 0; round < 4 * n; ++round) {
        const Schedule schedule = computeSchedule(network, normal);
        const ChainCounts counts = countChains(network, schedule);
        if (counts.critical == wanted)
            return true;
        candidates.clear();
        for (int a = 0; a < n; ++a) {
            const std::int64_t through = counts.into[at(a)] * counts.onwards[at(a)];
            const Duration slack = schedule.totalFloat(a);
            const bool fits = counts.critical > wanted
                ? slack == 0 && through < counts.critical && normal[at(a)] < kMaxNormal
                : slack > 0 && counts.critical + through <= wanted
                    && normal[at(a)] + slack <= kMaxNormal;
            if (fits)
                candidates.push_back(a);
        }
        if (candidates.empty())
            return false;
        const int chosen
            = candidates[at(random.between(0, static_cast<int>(candidates.size()) - 1))];
        normal[at(chosen)] += counts.critical > wanted ? 1 : schedule.totalFloat(chosen);
    }
    return false;
}

// Whether `cut` is the only cheapest set at this point of the greedy: any other set as cheap
// would leave out some activity of it, so none may be as cheap with that activity uncuttable.
bool onlyCheapestSet(const Network &network, const Schedule &schedule,
                     std::span<const Duration> durations, const std::vector<int> &cut)
{
    Satang cost = 0;
    for (const int a : cut)
        cost += network.costsPerUnit()[at(a)];
    std::vector<Duration> without(durations.begin(), durations.end());
    for (const int a : cut) {
        without[at(a)] = network.crashDurations()[at(a)];
        const std::vector<int> other = cheapestCut(network, schedule, without);
        without[at(a)] = durations[at(a)];
        Satang otherCost = 0;
        for (const int b : other)
            otherCost += network.costsPerUnit()[at(b)];
        if (!other.empty() && otherCost <= cost)
            return false;
    }
    return true;
}

// One step of the greedy run towards the shortest duration, and the durations it began from.
struct StepFacts {
    Duration before = 0, after = 0;
    bool joint = false;
    Satang costPerUnit = 0;
    Satang totalBefore = 0;
    std::vector<Duration> durations;
    std::vector<int> cut;
};

// The greedy's first kMaxGreedySteps steps towards the shortest duration.
std::vector<StepFacts> greedyToShortest(const Network &network, Duration shortest)
{
    std::vector<StepFacts> steps;
    GreedyCrashing greedy(network);
    if (greedy.start(shortest) != GreedyCrashing::StartResult::Started)
        return steps;
    while (steps.size() < kMaxGreedySteps) {
        std::vector<Duration> durations = greedy.durations();
        const Satang totalBefore = greedy.totalCost();
        const std::optional<GreedyStep> step = greedy.step();
        if (!step)
            break;
        StepFacts facts {step->durationBefore,
                         step->durationAfter,
                         step->cuts.size() >= 2,
                         step->costPerUnit,
                         totalBefore,
                         std::move(durations),
                         {}};
        for (const Cut &cut : step->cuts)
            facts.cut.push_back(cut.activity);
        steps.push_back(std::move(facts));
    }
    return steps;
}

std::string plural(int count, const char *one, const char *many)
{
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

std::string describeSettings(const ExerciseSettings &settings)
{
    return plural(settings.activities, "activity", "activities") + ", "
        + plural(settings.criticalPaths, "critical path", "critical paths")
        + (settings.jointStep ? ", a joint step" : ", one activity a step")
        + (settings.greedyOverpays ? ", the greedy overpays" : ", the greedy at least cost");
}

Project projectOf(const Links &predecessors, const std::vector<Duration> &normal,
                  const std::vector<Duration> &reduction, const std::vector<Satang> &cost)
{
    Project project;
    for (std::size_t j = 0; j < predecessors.size(); ++j) {
        Activity a;
        a.id = exerciseActivityId(static_cast<int>(j));
        for (const int p : predecessors[j])
            a.predecessors.push_back(exerciseActivityId(p));
        a.normalDuration = normal[j];
        a.crashDuration = normal[j] - reduction[j];
        a.crashCostPerUnit = cost[j];
        project.activities.push_back(std::move(a));
    }
    return project;
}

// One candidate drawn from the random sequence: an exercise that meets every setting, or
// nothing.
std::optional<GeneratedExercise> tryCandidate(Random &random, const ExerciseSettings &settings)
{
    const int n = settings.activities;
    const std::optional<Links> predecessors = drawNetwork(random, n);
    if (!predecessors)
        return std::nullopt;

    std::vector<Duration> normal(at(n)), reduction(at(n));
    std::vector<Satang> cost(at(n));
    const Satang step = kCostSteps[at(random.between(0, static_cast<int>(kCostSteps.size()) - 1))];
    int fixed = 0;
    for (std::size_t j = 0; j < at(n); ++j) {
        normal[j] = random.between(kMinNormal, kMaxDrawnNormal);
        if (fixed < n / 5 && random.chance(10)) {
            ++fixed; // cannot be crashed: no cost either
            continue;
        }
        reduction[j] = random.between(Duration {1}, std::min(kMaxReduction, normal[j] - 1));
        cost[j] = step * random.between(std::int64_t {2}, kMaxCostMultiple);
    }

    // The network's links, at the drawn durations; makeCriticalPaths passes its own.
    const Network shape(projectOf(*predecessors, normal, reduction, cost));
    if (!makeCriticalPaths(random, shape, normal, settings.criticalPaths))
        return std::nullopt;

    GeneratedExercise exercise;
    exercise.project = projectOf(*predecessors, normal, reduction, cost);
    const Network network(exercise.project);
    exercise.normalDuration = computeSchedule(network, network.normalDurations()).projectDuration;
    exercise.shortestDuration = shortestDuration(network);

    const std::vector<StepFacts> steps = greedyToShortest(network, exercise.shortestDuration);
    if (steps.size() < 2 || (!settings.jointStep && steps[0].joint)
        || (settings.jointStep && std::none_of(steps.begin(), steps.end(), [](const StepFacts &s) {
                return s.joint;
            })))
        return std::nullopt;

    // Targets the greedy reaches in two or more steps, meeting the settings: (target, step).
    const TimeCostCurve curve = timeCostCurve(network);
    std::vector<std::pair<Duration, std::size_t>> targets;
    bool joint = false;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        joint = joint || steps[k].joint;
        if (k == 0 || joint != settings.jointStep)
            continue;
        for (Duration t = steps[k].before - 1; t >= steps[k].after; --t) {
            const Satang greedyCost
                = steps[k].totalBefore + steps[k].costPerUnit * (steps[k].before - t);
            if ((greedyCost > curve.costAt(t)) == settings.greedyOverpays)
                targets.emplace_back(t, k);
        }
    }
    // Only those above the first step with two cheapest sets (checked last: it is the
    // costliest test and most candidates never get here).
    if (targets.empty())
        return std::nullopt;
    for (std::size_t k = 0; k <= targets.back().second; ++k) {
        const Schedule schedule = computeSchedule(network, steps[k].durations);
        if (!onlyCheapestSet(network, schedule, steps[k].durations, steps[k].cut)) {
            std::erase_if(targets, [k](const auto &target) { return target.second >= k; });
            break;
        }
    }
    if (targets.empty())
        return std::nullopt;
    exercise.target = targets[at(random.between(0, static_cast<int>(targets.size()) - 1))].first;

    // The claims, checked once more with the engine's own functions as a user would run them.
    const CriticalPaths paths
        = listCriticalPaths(network, computeSchedule(network, network.normalDurations()),
                            static_cast<std::size_t>(kMaxExerciseCriticalPaths) + 1);
    const std::vector<GreedyStep> greedy = crashGreedily(network, exercise.target);
    const std::optional<LeastCost> least = leastCost(network, exercise.target);
    if (!paths.complete || !least || greedy.empty()
        || greedy.back().durationAfter != exercise.target)
        return std::nullopt;
    exercise.criticalPaths = static_cast<int>(paths.paths.size());
    exercise.greedySteps = static_cast<int>(greedy.size());
    exercise.jointStep = std::any_of(greedy.begin(), greedy.end(),
                                     [](const GreedyStep &s) { return s.cuts.size() >= 2; });
    exercise.greedyCost = greedy.back().totalCost;
    exercise.leastCost = least->cost;
    if (exercise.criticalPaths != settings.criticalPaths || exercise.jointStep != settings.jointStep
        || (exercise.greedyCost > exercise.leastCost) != settings.greedyOverpays
        || exercise.greedySteps < 2 || !validate(exercise.project).empty())
        return std::nullopt;
    return exercise;
}

} // namespace

std::string exerciseActivityId(int index)
{
    std::string id;
    for (int rest = index + 1; rest > 0; rest = (rest - 1) / 26)
        id.insert(id.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return id;
}

ExerciseResult generateExercise(std::uint64_t seed, const ExerciseSettings &settings)
{
    if (settings.activities < kMinExerciseActivities
        || settings.activities > kMaxExerciseActivities)
        return ExerciseRefusal {ExerciseRefusalReason::ActivitiesOutOfRange,
                                "the number of activities must be "
                                    + std::to_string(kMinExerciseActivities) + " to "
                                    + std::to_string(kMaxExerciseActivities) + ", not "
                                    + std::to_string(settings.activities)};
    if (settings.criticalPaths < 1 || settings.criticalPaths > kMaxExerciseCriticalPaths)
        return ExerciseRefusal {ExerciseRefusalReason::CriticalPathsOutOfRange,
                                "the number of critical paths must be 1 to "
                                    + std::to_string(kMaxExerciseCriticalPaths) + ", not "
                                    + std::to_string(settings.criticalPaths)};

    Random random(seed);
    for (int attempt = 1; attempt <= kExerciseAttempts; ++attempt) {
        std::optional<GeneratedExercise> exercise = tryCandidate(random, settings);
        if (!exercise)
            continue;
        exercise->seed = seed;
        exercise->settings = settings;
        exercise->attempts = attempt;
        exercise->project.title
            = "Exercise " + std::to_string(seed) + " (" + describeSettings(settings) + ")";
        exercise->project.target = exercise->target;
        return *std::move(exercise);
    }
    const char *hint = settings.greedyOverpays && !settings.jointStep
        ? "the greedy seldom pays more than the least cost unless some step cuts two or more "
          "activities together: ask for a joint step too, or try more activities or another seed"
        : "try more activities, fewer critical paths or another seed";
    return ExerciseRefusal {ExerciseRefusalReason::NotFound,
                            "no project of " + describeSettings(settings) + " was found in "
                                + std::to_string(kExerciseAttempts) + " attempts from seed "
                                + std::to_string(seed) + "; " + hint};
}

} // namespace engine
