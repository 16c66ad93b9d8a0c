#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Imports every Microsoft Project XML and GanttProject file in a folder with crashkit-cli and
# counts how many load and, for the others, why not: the first problem of each file with its
# place (file, line, activity) left out, so that files refused for the same reason group.
# Usage: tools/planimportsurvey.sh FOLDER [CRASHKIT-CLI]
set -uo pipefail
folder=${1:?usage: planimportsurvey.sh FOLDER [CRASHKIT-CLI]}
cli=${2:-build/release/cli/crashkit-cli}
loaded=0
refused=0
reasons=$(mktemp)
trap 'rm -f "$reasons"' EXIT
while IFS= read -r -d '' file; do
  if output=$("$cli" cpm "$file" 2>&1); then
    loaded=$((loaded + 1))
    printf 'loaded   %s\n' "$file"
  else
    refused=$((refused + 1))
    first=$(printf '%s\n' "$output" | head -n 1)
    printf 'refused  %s: %s\n' "$file" "$first"
    # "crashkit-cli: path:12:3: activity 4: Duration: what" -> "Duration: what"
    printf '%s\n' "${first#crashkit-cli: }" | sed -E "s|^$(printf '%s' "$file" | sed 's/[][\.*^$|]/\\&/g')||" |
      sed -E 's/^(:[0-9]+)*: (activity [^:]*: )?//; s/[0-9]+/N/g' >>"$reasons"
  fi
done < <(find "$folder" -type f \( -iname '*.xml' -o -iname '*.gan' \) -print0 | sort -z)
echo "loaded $loaded, refused $refused"
sort "$reasons" | uniq -c | sort -rn
