#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
#
# Writes the file lists that packaging/windows/crashkit.nsi includes, from the folder the
# installer installs (the zip's folder):
#   installer-lists.sh FOLDER OUT
#   OUT/files.nsh    SetOutPath per folder and a File command per file in it
#   OUT/unfiles.nsh  a Delete per file, then an RMDir per folder, deepest first
# so the uninstaller removes what was installed and nothing else (RMDir leaves a folder that
# holds something of the user's).
set -euo pipefail

if [ $# -ne 2 ] || [ ! -d "$1" ]; then
  echo "usage: installer-lists.sh FOLDER OUT (FOLDER: the files to install)" >&2
  exit 2
fi
folder="$(realpath "$1")"
mkdir -p "$2"
out="$(realpath "$2")"

# ./a/b.dll -> a\b.dll
windows_path() {
  local path=${1#./}
  printf '%s' "${path//\//\\}"
}

cd "$folder"
find . -type d | LC_ALL=C sort | while IFS= read -r dir; do
  if [ "$dir" = . ]; then
    echo 'SetOutPath "$INSTDIR"'
  else
    echo "SetOutPath \"\$INSTDIR\\$(windows_path "$dir")\""
  fi
  find "$dir" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort | while IFS= read -r file; do
    echo "File \"$folder/${file#./}\""
  done
done >"$out/files.nsh"

{
  find . -type f | LC_ALL=C sort | while IFS= read -r file; do
    echo "Delete \"\$INSTDIR\\$(windows_path "$file")\""
  done
  find . -mindepth 1 -type d | awk -F/ '{ print NF "\t" $0 }' | LC_ALL=C sort -t"$(printf '\t')" -k1,1nr -k2 |
    cut -f2- | while IFS= read -r dir; do
      echo "RMDir \"\$INSTDIR\\$(windows_path "$dir")\""
    done
} >"$out/unfiles.nsh"
