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

// Drops the links that others imply (p -> j goes when another predecessor of j already follows
// p), given predecessors as earlier indices; false when the network falls apart into separate
// sub-projects.
bool reduceAndJoin(Links &predecessors)
{
    const int n = static_cast<int>(predecessors.size());
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
            return false;
    }
    return true;
}

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

    if (!reduceAndJoin(predecessors))
        return std::nullopt;
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

// A candidate's data before it is checked: predecessors as earlier indices, and per activity
// its normal duration, by how much it can be crashed and its cost per unit.
struct Draft {
    Links predecessors;
    std::vector<Duration> normal, reduction;
    std::vector<Satang> cost;
};

// A candidate drawn at random: a layered network, durations and costs, lengthened to the
// critical paths asked for.
std::optional<Draft> drawAtRandom(Random &random, const ExerciseSettings &settings)
{
    const int n = settings.activities;
    std::optional<Links> predecessors = drawNetwork(random, n);
    if (!predecessors)
        return std::nullopt;

    Draft draft {*std::move(predecessors), std::vector<Duration>(at(n)),
                 std::vector<Duration>(at(n)), std::vector<Satang>(at(n))};
    const Satang step = kCostSteps[at(random.between(0, static_cast<int>(kCostSteps.size()) - 1))];
    int fixed = 0;
    for (std::size_t j = 0; j < at(n); ++j) {
        draft.normal[j] = random.between(kMinNormal, kMaxDrawnNormal);
        if (fixed < n / 5 && random.chance(10)) {
            ++fixed; // cannot be crashed: no cost either
            continue;
        }
        draft.reduction[j]
            = random.between(Duration {1}, std::min(kMaxReduction, draft.normal[j] - 1));
        draft.cost[j] = step * random.between(std::int64_t {2}, kMaxCostMultiple);
    }

    // The network's links, at the drawn durations; makeCriticalPaths passes its own.
    const Network shape(projectOf(draft.predecessors, draft.normal, draft.reduction, draft.cost));
    if (!makeCriticalPaths(random, shape, draft.normal, settings.criticalPaths))
        return std::nullopt;
    return draft;
}

// Where each activity goes when every predecessor is to come first (the lowest ready activity
// next); nothing when there is a loop.
std::optional<std::vector<int>> orderOf(const Links &predecessors)
{
    const std::size_t n = predecessors.size();
    std::vector<int> newIndex(n, -1);
    for (int placed = 0; at(placed) < n; ++placed) {
        std::size_t next = n;
        for (std::size_t j = 0; j < n && next == n; ++j) {
            if (newIndex[j] < 0
                && std::all_of(predecessors[j].begin(), predecessors[j].end(),
                               [&](int p) { return newIndex[at(p)] >= 0; }))
                next = j;
        }
        if (next == n)
            return std::nullopt;
        newIndex[next] = placed;
    }
    return newIndex;
}

// The draft renumbered by orderOf's answer, predecessor lists ascending.
Draft renumbered(const Draft &draft, const std::vector<int> &newIndex)
{
    const std::size_t n = newIndex.size();
    Draft result {Links(n), std::vector<Duration>(n), std::vector<Duration>(n),
                  std::vector<Satang>(n)};
    for (std::size_t j = 0; j < n; ++j) {
        const std::size_t to = at(newIndex[j]);
        for (const int p : draft.predecessors[j])
            result.predecessors[to].push_back(newIndex[at(p)]);
        std::sort(result.predecessors[to].begin(), result.predecessors[to].end());
        result.normal[to] = draft.normal[j];
        result.reduction[to] = draft.reduction[j];
        result.cost[to] = draft.cost[j];
    }
    return result;
}

// The fewest activities drawOverpaying builds its pattern with: A, X, B, D and E; W unless
// a step is joint; a twin of A or B per further critical path, and with two twins either W
// or S (else four activities would start or end the project).
int overpayingPatternSize(const ExerciseSettings &settings)
{
    const int twins = settings.criticalPaths - 1;
    return 5 + twins + (settings.jointStep ? (twins == 2 ? 1 : 0) : 1);
}

// A candidate built around the pattern in which the textbook greedy pays more than the least
// cost, rather than waiting for it at random. Three chains leave a group of activities A (A and
// its twins, side by side) or end in a group B: A -> X -> B, A -> D and E -> B, all ending in
// W when there is a W. X is the cheapest on the only critical chain at first and the greedy cuts
// it until the other two chains are as long; then every chain is critical. The next step
// either cuts A and B together (a joint step: cheaper than D or E with either) or W alone
// (cheaper than A with B, but dearer than A with B less X). Cutting A and B shortens A -> X -> B
// twice over, so the least cost gives X's units back, which the greedy never does: it
// overpays. Further activities go in series after one already placed (dear or uncrashable,
// so that they leave the pattern alone) or as side branches from the start or to the finish
// with room to spare. Twins of A or B make 2 or 3 critical paths; a common first activity S
// keeps the start to three activities.
std::optional<Draft> drawOverpaying(Random &random, const ExerciseSettings &settings)
{
    if (settings.activities < overpayingPatternSize(settings))
        return std::nullopt;
    const int n = settings.activities;
    const int twins = settings.criticalPaths - 1;
    // Twins on the A side need S when there are two of them (A, A', A'' and E would start).
    const bool twinsOfA = random.chance(50);
    const bool withW
        = !settings.jointStep || (n >= 6 + twins + (twinsOfA && twins == 2) && random.chance(50));
    const bool withS = twinsOfA && twins == 2;
    // Without W, B and its twins and D end the project: at most three.
    if (!twinsOfA && twins == 2 && !withW)
        return std::nullopt;
    const int core = 5 + twins + (withW ? 1 : 0) + (withS ? 1 : 0);
    if (core > n)
        return std::nullopt;

    Draft draft;
    std::vector<int> role; // what each activity is, for its durations and costs
    enum : int { kS, kA, kX, kB, kD, kE, kW, kSeries, kSide };
    auto add = [&](std::vector<int> predecessors, int kind) {
        draft.predecessors.push_back(std::move(predecessors));
        role.push_back(kind);
        return static_cast<int>(role.size()) - 1;
    };
    const int s = withS ? add({}, kS) : -1;
    const std::vector<int> fromStart = withS ? std::vector<int> {s} : std::vector<int> {};
    std::vector<int> groupA {add(fromStart, kA)};
    for (int t = 0; twinsOfA && t < twins; ++t)
        groupA.push_back(add(fromStart, kA));
    const int e = add(fromStart, kE);
    const int x = add(groupA, kX);
    const int d = add(groupA, kD);
    std::vector<int> groupB {add({x, e}, kB)};
    for (int t = 0; !twinsOfA && t < twins; ++t)
        groupB.push_back(add({x, e}, kB));
    if (withW) {
        std::vector<int> ends = groupB;
        ends.push_back(d);
        add(ends, kW);
    }

    // Further activities, each in series after one already there or as a side branch.
    auto starts = [&] {
        return std::count_if(draft.predecessors.begin(), draft.predecessors.end(),
                             [](const std::vector<int> &list) { return list.empty(); });
    };
    auto leadsOn = [&](int a) {
        return std::any_of(draft.predecessors.begin(), draft.predecessors.end(),
                           [a](const std::vector<int> &list) {
                               return std::find(list.begin(), list.end(), a) != list.end();
                           });
    };
    auto finishes = [&] {
        int count = 0;
        for (int a = 0; a < static_cast<int>(role.size()); ++a)
            count += leadsOn(a) ? 0 : 1;
        return count;
    };
    while (static_cast<int>(role.size()) < n) {
        const int anchor = random.between(0, static_cast<int>(role.size()) - 1);
        const int kind = random.between(0, 2);
        const int anchorRole = role[at(anchor)];
        if (kind == 0 && anchorRole != kA && anchorRole != kB) {
            // In series after the anchor, taking over its successors: on a side branch or
            // beside D or E it is treated as one of them, elsewhere as a short, dear step.
            const int added = static_cast<int>(role.size());
            for (std::vector<int> &list : draft.predecessors)
                std::replace(list.begin(), list.end(), anchor, added);
            const bool alike = anchorRole == kD || anchorRole == kE || anchorRole == kSide;
            add({anchor}, alike ? anchorRole : kSeries);
        } else if (kind == 1 && finishes() < kMaxEnds) { // from the anchor to the finish
            add({anchor}, kSide);
        } else if (kind == 2 && starts() < kMaxEnds && !draft.predecessors[at(anchor)].empty()) {
            // from the start into the anchor
            const int added = add({}, kSide);
            draft.predecessors[at(anchor)].push_back(added);
        }
    }

    // Durations: the chain through X longest; D and E then lengthened until their chains are
    // exactly X's units shorter; side branches last, with float to spare.
    const auto size = role.size();
    draft.normal.assign(size, kMinNormal);
    draft.reduction.assign(size, 0);
    const Duration units = random.between(Duration {1}, Duration {3});
    const Duration normalA = random.between(kMinNormal, kMaxDrawnNormal);
    const Duration normalB = random.between(kMinNormal, kMaxDrawnNormal);
    for (std::size_t j = 0; j < size; ++j) {
        switch (role[j]) {
        case kA:
            draft.normal[j] = normalA;
            break;
        case kB:
            draft.normal[j] = normalB;
            break;
        case kX:
            draft.normal[j] = random.between(units + 1, kMaxDrawnNormal);
            break;
        case kS:
        case kW:
            draft.normal[j] = random.between(kMinNormal, kMaxDrawnNormal);
            break;
        case kSeries:
            draft.normal[j] = random.between(kMinNormal, kMinNormal + 2);
            break;
        default:
            break;
        }
        if (role[j] == kX)
            draft.reduction[j] = units;
        else if (role[j] != kSeries && role[j] != kSide)
            draft.reduction[j]
                = random.between(Duration {1}, std::min(kMaxReduction, draft.normal[j] - 1));
    }
    draft.cost.assign(size, 0);
    const std::optional<std::vector<int>> newIndex = orderOf(draft.predecessors);
    if (!newIndex)
        return std::nullopt;
    // The float of draft activity j at the durations so far.
    auto floatOf = [&](std::size_t j) {
        const Draft ordered = renumbered(draft, *newIndex);
        const Network network(
            projectOf(ordered.predecessors, ordered.normal, ordered.reduction, ordered.cost));
        return computeSchedule(network, network.normalDurations()).totalFloat((*newIndex)[j]);
    };
    for (const int kind : {kD, kE}) {
        for (std::size_t j = 0; j < size; ++j) {
            if (role[j] != kind)
                continue;
            // D (or E) and the activities in series with it share the lengthening.
            const Duration slack = floatOf(j);
            if (slack < units)
                return std::nullopt;
            draft.normal[j] += std::min(slack - units, kMaxNormal - draft.normal[j]);
            draft.reduction[j]
                = random.between(Duration {1}, std::min(kMaxReduction, draft.normal[j] - 1));
        }
    }
    for (std::size_t j = 0; j < size; ++j) {
        if ((role[j] == kD || role[j] == kE) && floatOf(j) != units)
            return std::nullopt;
    }
    for (std::size_t j = 0; j < size; ++j) {
        if (role[j] != kSide)
            continue;
        const Duration room = floatOf(j) - units - kMaxReduction;
        if (room < 0)
            return std::nullopt;
        draft.normal[j] += random.between(Duration {0}, std::min(room, kMaxDrawnNormal));
        draft.reduction[j]
            = random.between(Duration {1}, std::min(kMaxReduction, draft.normal[j] - 1));
    }

    // Costs, as multiples of the project's step.
    const Satang step = kCostSteps[at(random.between(0, static_cast<int>(kCostSteps.size()) - 1))];
    const std::int64_t costX = random.between(std::int64_t {2}, std::int64_t {5});
    std::int64_t sumA = 0, sumB = 0;
    std::vector<std::int64_t> multiple(size, 0);
    for (std::size_t j = 0; j < size; ++j) {
        if (role[j] == kA || role[j] == kB) {
            multiple[j] = random.between(costX + 1, costX + 8);
            (role[j] == kA ? sumA : sumB) += multiple[j];
        }
    }
    multiple[at(x)] = costX;
    // W between A with B less X and A with B; or, for a joint step, dearer than A with B.
    const std::int64_t costW = settings.jointStep
        ? random.between(sumA + sumB + 1, sumA + sumB + 10)
        : random.between(sumA + sumB - costX + 1, sumA + sumB - 1);
    const std::int64_t dear = std::max(costW, sumA + sumB) + 1;
    int fixed = 0;
    for (std::size_t j = 0; j < size; ++j) {
        switch (role[j]) {
        case kW:
            multiple[j] = costW;
            break;
        case kD: // D with B, and E with A, dearer than W and than A with B
        case kE:
        case kS:
            multiple[j] = random.between(dear, dear + 10);
            break;
        case kSeries:
            if (fixed < n / 5 && random.chance(40)) {
                ++fixed;
                draft.reduction[j] = 0;
            } else {
                draft.reduction[j]
                    = random.between(Duration {1}, std::min(kMaxReduction, draft.normal[j] - 1));
                multiple[j] = random.between(dear, dear + 10);
            }
            break;
        case kSide:
            multiple[j] = random.between(std::int64_t {2}, kMaxCostMultiple);
            break;
        default:
            break;
        }
    }
    for (std::size_t j = 0; j < size; ++j)
        draft.cost[j] = draft.reduction[j] > 0 ? step * multiple[j] : 0;

    Draft ordered = renumbered(draft, *newIndex);
    if (!reduceAndJoin(ordered.predecessors))
        return std::nullopt;
    return ordered;
}

// A drawn candidate checked against every setting: an exercise that meets them all, with its
// target, or nothing.
std::optional<GeneratedExercise> checkCandidate(Random &random, const ExerciseSettings &settings,
                                                const Draft &draft)
{
    GeneratedExercise exercise;
    exercise.project = projectOf(draft.predecessors, draft.normal, draft.reduction, draft.cost);
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
        // Where the greedy is to overpay, three candidates in four are built around the
        // pattern that makes it; the fourth is drawn at random, as for every other setting.
        const std::optional<Draft> draft = settings.greedyOverpays && attempt % 4 != 0
            ? drawOverpaying(random, settings)
            : drawAtRandom(random, settings);
        if (!draft)
            continue;
        std::optional<GeneratedExercise> exercise = checkCandidate(random, settings, *draft);
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
    std::string hint = "try more activities, fewer critical paths or another seed";
    if (settings.greedyOverpays && settings.activities < overpayingPatternSize(settings))
        hint = "a project where the greedy overpays with these settings needs "
            + std::to_string(overpayingPatternSize(settings))
            + " activities or more, as a rule (with a joint step: "
            + std::to_string(
                   overpayingPatternSize({settings.activities, settings.criticalPaths, true, true}))
            + ")";
    return ExerciseRefusal {ExerciseRefusalReason::NotFound,
                            "no project of " + describeSettings(settings) + " was found in "
                                + std::to_string(kExerciseAttempts) + " attempts from seed "
                                + std::to_string(seed) + "; " + hint};
}

} // namespace engine
