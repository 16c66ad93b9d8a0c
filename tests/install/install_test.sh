#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Usage: install_test.sh <cmake> <build dir> <project version>
# Installs the build into a temporary prefix, checks that exactly the program, its desktop entry,
# its AppStream metainfo and its icons land where a desktop and a software centre look for them,
# then starts the installed program and expects it still running two seconds later.
set -euo pipefail
cmake_command=$1
build_dir=$2
version=$3
prefix=$(mktemp -d)
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$prefix"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/installed_files.sh"

"$cmake_command" --install "$build_dir" --prefix "$prefix" >/dev/null

expect_installed_files "$prefix"
[ -x "$prefix/bin/crashkit" ] || fail "bin/crashkit is not executable"

# A PNG holds its width and height as big-endian words at bytes 16 and 20.
for size in "${icon_sizes[@]}"; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$desktop_id.png"
  read -r -a header <<<"$(od -An -tu1 -N24 "$icon" | tr '\n' ' ')"
  [ "${header[1]}${header[2]}${header[3]}" = "807871" ] || fail "$icon is not a PNG"
  width=$(((header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19]))
  height=$(((header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23]))
  [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] \
    || fail "$icon is ${width}x${height}, its folder says ${size}x${size}"
done

desktop="$prefix/share/applications/$desktop_name"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec | cut -d' ' -f1)" = crashkit ] || fail "Exec= does not name the installed program"
[ "$(entry Icon)" = "$desktop_id" ] || fail "Icon= does not name the installed icon, $desktop_id"
[ "$(entry 'Name\[th\]')" != "" ] || fail "the desktop entry has no Thai name"
# A double-clicked project file reaches the program: the entry takes a file and names the
# project file's type, which the installed MIME package declares for *.crashkit.
case "$(entry Exec)" in *" %f") ;; *) fail "Exec= does not take a file (%f)" ;; esac
entry MimeType | tr ';' '\n' | grep -qx application/x-crashkit \
  || fail "the desktop entry does not name application/x-crashkit"
mime="$prefix/share/mime/packages/$desktop_id.xml"
grep -q '<mime-type type="application/x-crashkit">' "$mime" && grep -q '<glob pattern="\*.crashkit"/>' "$mime" \
  || fail "the MIME package does not declare *.crashkit as application/x-crashkit"
# A Wayland desktop finds the entry by the app id the program gives itself
# (QGuiApplication::setDesktopFileName), a UTF-16 literal in the program.
app_id=$(strings -e l "$prefix/bin/crashkit" | grep -Fx "$desktop_id" || true)
[ -n "$app_id" ] || fail "bin/crashkit does not name its desktop entry's id, $desktop_id"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
else
  echo "desktop-file-validate not found (package desktop-file-utils); skipping that check"
fi

metainfo="$prefix/share/metainfo/$metainfo_name"
grep -q "<id>$desktop_id</id>" "$metainfo" || fail "the metainfo's id is not $desktop_id"
grep -q "<launchable type=\"desktop-id\">$desktop_name</launchable>" "$metainfo" \
  || fail "the metainfo does not launch the installed desktop entry, $desktop_name"
grep -q '<name xml:lang="th">' "$metainfo" || fail "the metainfo has no Thai name"
grep -q '<summary xml:lang="th">' "$metainfo" || fail "the metainfo has no Thai summary"
# appstreamcli accepts a metainfo without these; a software centre then shows no licence or age.
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" \
  || fail "the metainfo does not give the program's licence, GPL-3.0-or-later (see LICENSE)"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "the metainfo has no content rating"
# Releases are listed newest first; a new version needs its entry before it is installed.
newest=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', not $version"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
  # The tree check also finds the desktop entry the metainfo launches and matches the file name.
  appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"
else
  echo "appstreamcli not found (package appstream); skipping the metainfo validation"
fi

log="$prefix/crashkit.log"
QT_QPA_PLATFORM=offscreen "$prefix/bin/crashkit" >"$log" 2>&1 &
program_pid=$!
sleep 2
if ! kill -0 "$program_pid" 2>/dev/null; then
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  cat "$log" >&2
  fail "the installed crashkit ended within two seconds (exit status $status)"
fi
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true

# A file handed over as the desktop does (Exec=crashkit %f) opens without a complaint; a second
# file and an unknown option are refused with a message and exit status 2.
project="$prefix/given.csv"
printf 'activity,predecessors,normal_duration,crash_duration,crash_cost_per_unit\nA,-,3,2,100\n' >"$project"
QT_QPA_PLATFORM=offscreen "$prefix/bin/crashkit" "$project" >"$log" 2>&1 &
program_pid=$!
sleep 2
kill -0 "$program_pid" 2>/dev/null || { cat "$log" >&2; fail "crashkit FILE ended within two seconds"; }
for refused in "$project $project" "--no-such-option"; do
  status=0
  # shellcheck disable=SC2086
  QT_QPA_PLATFORM=offscreen "$prefix/bin/crashkit" $refused >"$log" 2>&1 || status=$?
  [ "$status" = 2 ] && grep -q "crashkit" "$log" \
    || fail "crashkit $refused: exit status $status, not 2 with a message"
done
echo "installed crashkit runs; installed files:"
printf '  %s\n' "${installed_files[@]}"
