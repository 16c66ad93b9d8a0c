#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Installs what is missing, builds crashkit and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "crashkit is built (build/release/app/crashkit) but needs a graphical display to start:" >&2
  echo "run it from a desktop session (X11 or Wayland)." >&2
  exit 2
fi
exec "$root/build/release/app/crashkit"
