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
  # No debug information in the release build: it roughly doubles what the compiler and the
  # linker write, and CI builds twice.
  release) options=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG") ;;
  sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DCRASHKIT_SANITIZE=ON) ;;
  *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$root/build/$kind" -G Ninja "${options[@]}" -DCRASHKIT_WERROR=ON \
  -DCRASHKIT_BUILD_TOOLS=ON "${@:2}" >/dev/null
cmake --build "$root/build/$kind" -j "$(nproc)"
