#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Configures and builds crashkit into build/<kind> (kind: release or sanitize), with warnings
# as errors and the developer programs under tools/ (the tests run the snapshot tool).
# Further arguments go to cmake's configure step (e.g. -DCRASHKIT_WERROR=OFF).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
case "$kind" in
  # Both builds are for the tests (the benchmarks have their own, scripts/bench.sh), and CI
  # builds both: the release build at -O1 without debug information compiles in about four
  # fifths of the time of -O2.
  release) options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG") ;;
  # Line tables only (-g1): enough for the sanitizers' stack traces, at less cost.
  sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCRASHKIT_SANITIZE=ON) ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
# A unity build (a few sources compiled as one) parses the Qt and GoogleTest headers far less
# often: the two builds of CI take about half the time.
cmake -S "$root" -B "$root/build/$kind" -G Ninja "${options[@]}" -DCMAKE_UNITY_BUILD=ON -DCRASHKIT_WERROR=ON \
  -DCRASHKIT_BUILD_TOOLS=ON "${@:2}" >/dev/null
cmake --build "$root/build/$kind" -j "$(nproc)"
