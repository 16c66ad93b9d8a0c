#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Installs what is missing, builds crashkit and runs every test: once in the normal
# build and once more under AddressSanitizer and UndefinedBehaviorSanitizer; last, checks
# that the C++ files are formatted (scripts/format.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
status=0
for kind in release sanitize; do
  echo "== $kind build =="
  "$root/scripts/build.sh" "$kind"
  if [ "$kind" = sanitize ]; then
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  fi
  echo "== $kind tests =="
  ctest --test-dir "$root/build/$kind" --output-on-failure -j "$(nproc)" || status=1
done

# Unformatted code fails the run: scripts/format.sh --fix formats it.
echo "== format check =="
if ! "$root/scripts/format.sh"; then
  status=1
fi
exit $status
