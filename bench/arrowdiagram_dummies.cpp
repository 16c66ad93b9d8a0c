// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// How many dummies engine::buildArrowDiagram draws against the least possible, found by the
// engine tests' exhaustive search, printed as a Markdown table: for 3 to 7 activities, over
// random networks with fixed seeds (about 1, 2 and 3 predecessors each, wide and narrow
// shapes), the mean least number of dummies of any drawing, the mean least of the drawings
// whose events hold only the plain diagram's sets (a bound below all that merging events
// can reach), the mean the construction draws, how often it draws each least, and its worst
// excess over the least of all.
// Run: arrowdiagram_dummies [networks per size, default 200].

#include "fewestdummies.h"
#include "randomproject.h"

#include "arrowdiagram.h"
#include "network.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int networks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    std::printf("| activities | networks | least (mean) | least with plain sets (mean) | "
                "buildArrowDiagram (mean) | at the least | at the least with plain sets | "
                "worst excess | slowest search |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int n = 3; n <= 7; ++n) {
        long least = 0, leastByMerging = 0, drawn = 0;
        int atLeast = 0, atLeastByMerging = 0, worstExcess = 0;
        double slowest = 0;
        for (int k = 0; k < networks; ++k) {
            testsupport::Random random(static_cast<std::uint64_t>(1000 * n + k));
            testsupport::ProjectShape shape;
            shape.activities = n;
            shape.predecessors = 1 + k % 3;
            shape.window = (k / 3) % 2 == 0 ? 0 : 3;
            const engine::Network network(testsupport::randomProject(random, shape));
            const auto lists = enginetest::predecessorLists(network);
            const auto start = std::chrono::steady_clock::now();
            const int fewest = enginetest::fewestDummies(lists).dummies;
            slowest = std::max(
                slowest,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            const int byMerging
                = enginetest::fewestDummies(lists, enginetest::EventSets::OfPlainDiagram).dummies;
            const int dummies = static_cast<int>(engine::buildArrowDiagram(network).dummyCount());
            least += fewest;
            leastByMerging += byMerging;
            drawn += dummies;
            atLeast += dummies == fewest;
            atLeastByMerging += dummies == byMerging;
            worstExcess = std::max(worstExcess, dummies - fewest);
        }
        const double count = networks;
        std::printf("| %d | %d | %.2f | %.2f | %.2f | %.1f%% | %.1f%% | %d | %.3f s |\n", n,
                    networks, static_cast<double>(least) / count,
                    static_cast<double>(leastByMerging) / count, static_cast<double>(drawn) / count,
                    100.0 * atLeast / count, 100.0 * atLeastByMerging / count, worstExcess,
                    slowest);
    }
    return 0;
}
