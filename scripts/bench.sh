#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Builds the benchmarks (Release) into build/bench and runs them: start-up time and peak
# memory against a minimal Qt program, one crashing iteration, one build and the logic
# alone with Google Benchmark, then the engine at scale against its baselines and the
# project-file readers. Optional argument: start-up runs per program (20).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCRASHKIT_BUILD_BENCH=ON -DCRASHKIT_BUILD_TESTS=OFF -DCRASHKIT_WERROR=ON >/dev/null
cmake --build "$root/build/bench" -j "$(nproc)" --target startup_bench iteration_bench \
  answercheck_bench exercise_bench \
  engine_bench arrowdiagram_bench arrowdiagram_dummies csv_bench projectwindow_bench cli_bench \
  classset_bench
export QT_QPA_PLATFORM=offscreen

echo
echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg) =="
echo
"$root/build/bench/bench/startup_bench" "$runs"
echo
# Qt's notes about the offscreen platform are not results.
# On one core, as the start-up runs: virtual machines' cores can differ in speed.
pin=()
if command -v taskset >/dev/null; then
  pin=(taskset -c "$(taskset -cp $$ | sed 's/.*: //; s/[,-].*//')")
fi
"${pin[@]}" "$root/build/bench/bench/iteration_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>&1 |
  grep -v -e 'XDG_RUNTIME_DIR' -e 'This plugin does not support'
echo
"${pin[@]}" "$root/build/bench/bench/engine_bench"
echo
"${pin[@]}" "$root/build/bench/bench/arrowdiagram_bench"
echo
# Dummies drawn against the least possible on 200 random networks of 3 to 7 activities.
"${pin[@]}" "$root/build/bench/bench/arrowdiagram_dummies"
echo
"${pin[@]}" "$root/build/bench/bench/answercheck_bench"
echo
"${pin[@]}" "$root/build/bench/bench/exercise_bench"
echo
"${pin[@]}" "$root/build/bench/bench/csv_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true
echo
# Not pinned: the window's long jobs run on a core of their own beside the window's thread.
"$root/build/bench/bench/projectwindow_bench" 10000 2>&1 |
  grep -v -e 'XDG_RUNTIME_DIR' -e 'This plugin does not support'
echo
# crashkit-cli at 10^4 and 10^5 activities (--sizes 10000,100000,1000000 for the README's
# million, about half an hour).
"$root/build/bench/bench/cli_bench"
echo
# A class set of 100 variants with their PDFs and question bank.
"$root/build/bench/bench/classset_bench"
