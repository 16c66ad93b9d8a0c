#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Checks that every C++ source and header git tracks is formatted as .clang-format says
# (Debian 12's clang-format 14) and lists the files that are not; exits 1 if there are any.
# With --fix, formats those files in place instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
  '') mode=check ;;
  --fix) mode=fix ;;
  *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac
cd "$root"
command -v clang-format >/dev/null || { echo "clang-format not found (scripts/setup.sh installs it)" >&2; exit 2; }

# Tracked files only, so build folders and scratch files are never touched; a file deleted
# but not yet committed is skipped.
files=()
while IFS= read -r -d '' file; do
  if [ -f "$file" ]; then files+=("$file"); fi
done < <(git ls-files -z -- '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "format.sh: git lists no C++ files under $root" >&2; exit 2; }

if [ "$mode" = fix ]; then
  clang-format -i "${files[@]}"
  echo "formatted ${#files[@]} files with $(clang-format --version)"
  exit 0
fi

# One run over all files; each place that differs is reported as
# "file:line:column: error: code should be clang-formatted [-Wclang-format-violations]".
status=0
report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) || status=$?
if [ "$status" -eq 0 ]; then
  echo "format: all ${#files[@]} C++ files are formatted as .clang-format says"
  exit 0
fi
unformatted=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
                <<<"$report" | sort -u)
if [ -z "$unformatted" ]; then
  # clang-format failed for another reason (a bad .clang-format, an unreadable file).
  echo "$report" >&2
  echo "format: clang-format failed (exit status $status)" >&2
  exit 2
fi
echo "format: $(wc -l <<<"$unformatted") of ${#files[@]} C++ files are not formatted as" \
  ".clang-format says ($(clang-format --version | sed 's/.*version //')):"
sed 's/^/  /' <<<"$unformatted"
echo "format: ./scripts/format.sh --fix formats them"
exit 1
