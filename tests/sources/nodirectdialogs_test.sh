#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The check of direct boxes and dialogs against fixture/dialogs.cpp: it must report exactly
# the lines marked "offence" and fail, and pass the same file without them.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fixture=$here/fixture/dialogs.cpp
check=$here/nodirectdialogs.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

status=0
bash "$check" "$fixture" >"$work/report" 2>/dev/null || status=$?
if [ "$status" -ne 1 ]; then
  echo "FAIL: the check ended with status $status on the fixture, not 1"
  failed=1
fi
grep -n '// offence' "$fixture" | cut -d: -f1 >"$work/expected"
sed -n 's/^[^:]*:\([0-9]*\):.*/\1/p' "$work/report" >"$work/reported"
while read -r line; do
  echo "FAIL: not reported, line $line: $(sed -n "${line}p" "$fixture")"
  failed=1
done < <(comm -23 <(sort "$work/expected") <(sort "$work/reported"))
while read -r line; do
  echo "FAIL: reported though allowed: $(grep "^[^:]*:$line:" "$work/report")"
  failed=1
done < <(comm -13 <(sort "$work/expected") <(sort "$work/reported"))

grep -v '// offence' "$fixture" >"$work/allowed.cpp"
status=0
bash "$check" "$work/allowed.cpp" >"$work/clean" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  echo "FAIL: the check ended with status $status on the allowed lines alone, not 0:"
  cat "$work/clean"
  failed=1
fi

# Nothing to scan is an error, not a pass.
status=0
bash "$check" "$work/nothing-here" >/dev/null 2>&1 || status=$?
if [ "$status" -eq 0 ]; then
  echo "FAIL: the check passed with nothing to scan"
  failed=1
fi

[ "$failed" -eq 0 ] && echo "the check reports all $(wc -l <"$work/expected") offences and nothing else"
exit "$failed"
