#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# The Windows installer's file lists and script, on a folder with nested, spaced and Thai
# names: every file is installed into its own folder and deleted again, every folder removed
# after the folders inside it, and makensis builds the installer with warnings as errors.
# (The installer itself runs under Wine in scripts/windows.sh, not here.)
#   windows_installer_test.sh REPOSITORY MAKENSIS
set -uo pipefail
root=$1
makensis=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

stage="$work/stage"
mkdir -p "$stage/platforms" "$stage/fonts" "$stage/a b/c d" "$stage/a b/เอกสาร"
for file in crashkit.exe LICENSE.txt platforms/qwindows.dll fonts/Laksaman.ttf \
  "a b/one two.txt" "a b/c d/deep.dll" "a b/เอกสาร/โครงการ.crashkit"; do
  printf '%s\n' "$file" >"$stage/$file"
done
cp "$root/LICENSE" "$stage/LICENSE.txt"

bash "$root/scripts/windows/installer-lists.sh" "$stage" "$work/lists" || fail "the lists script failed"

# Installed: the folder each File lands in (the SetOutPath before it) and its name there
# must be the file's place in the stage.
awk -v stage="$stage/" '
  /^SetOutPath / { dir = $0; sub(/^SetOutPath "\$INSTDIR\\?/, "", dir); sub(/"$/, "", dir) }
  /^File / { file = $0; sub(/^File "/, "", file); sub(/"$/, "", file)
             rel = substr(file, length(stage) + 1); gsub(/\//, "\\", rel)
             base = rel; sub(/.*\\/, "", base)
             print (dir == "" ? base : dir "\\" base) "|" rel }
' "$work/lists/files.nsh" >"$work/installed"
while IFS='|' read -r target source; do
  [ "$target" = "$source" ] || fail "$source is installed as $target"
done <"$work/installed"
(cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g' | LC_ALL=C sort) >"$work/expected"
cut -d'|' -f2 "$work/installed" | LC_ALL=C sort >"$work/got-installed"
sed -n 's/^Delete "\$INSTDIR\\\(.*\)"$/\1/p' "$work/lists/unfiles.nsh" | LC_ALL=C sort >"$work/got-deleted"
cmp -s "$work/expected" "$work/got-installed" ||
  fail "installed files differ from the folder's: $(diff "$work/expected" "$work/got-installed" | tr '\n' ' ')"
cmp -s "$work/expected" "$work/got-deleted" ||
  fail "deleted files differ from the folder's: $(diff "$work/expected" "$work/got-deleted" | tr '\n' ' ')"

# Removed: every folder once, each after every folder inside it and after every Delete.
sed -n 's/^RMDir "\$INSTDIR\\\(.*\)"$/\1/p' "$work/lists/unfiles.nsh" >"$work/removed"
(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g' | LC_ALL=C sort) >"$work/folders"
LC_ALL=C sort "$work/removed" | cmp -s "$work/folders" - || fail "removed folders differ from the folder's"
line=0
declare -A position
while IFS= read -r dir; do
  line=$((line + 1))
  position[$dir]=$line
done <"$work/removed"
while IFS= read -r dir; do
  parent=${dir%\\*}
  if [ "$parent" != "$dir" ] && [ "${position[$parent]:-0}" -le "${position[$dir]}" ]; then
    fail "$parent is removed before $dir, which is inside it"
  fi
done <"$work/removed"
last_delete=$(grep -n '^Delete ' "$work/lists/unfiles.nsh" | tail -1 | cut -d: -f1)
first_rmdir=$(grep -n '^RMDir ' "$work/lists/unfiles.nsh" | head -1 | cut -d: -f1)
[ "$last_delete" -lt "$first_rmdir" ] || fail "a folder is removed before its files are deleted"

# The installer script builds from these lists with no warning.
if ! "$makensis" -V2 -INPUTCHARSET UTF8 -WX -DVERSION=1.2.3 -DSTAGE="$stage" \
  -DFILES="$work/lists/files.nsh" -DUNFILES="$work/lists/unfiles.nsh" \
  -DOUTFILE="$work/crashkit-1.2.3-setup.exe" "$root/packaging/windows/crashkit.nsi" >"$work/log" 2>&1; then
  fail "makensis failed:"
  cat "$work/log"
elif [ "$(head -c 2 "$work/crashkit-1.2.3-setup.exe")" != MZ ]; then
  fail "makensis wrote no Windows program"
fi

[ $failed -eq 0 ] && echo "PASS: installer lists and script"
exit $failed
