# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# What an installation of crashkit holds, relative to its prefix, and the check that a folder
# holds exactly that; sourced by install_test.sh and package_test.sh, which define fail.
icon_sizes=(16 32 48 64 128 256)
# The desktop entry, the icons and the metainfo all carry the AppStream id, which is also the
# Wayland app id the program gives itself.
desktop_id=example.c_seed_def725b8.crashkit
desktop_name=$desktop_id.desktop
metainfo_name=$desktop_id.metainfo.xml
installed_files=(bin/crashkit bin/crashkit-cli "share/applications/$desktop_name"
                 "share/metainfo/$metainfo_name" "share/mime/packages/$desktop_id.xml"
                 lib/crashkit/crashkit-projectwindow.so)
for size in "${icon_sizes[@]}"; do
  installed_files+=("share/icons/hicolor/${size}x${size}/apps/$desktop_id.png")
done

# Usage: expect_installed_files <prefix>. Anything else (a test program, a developer tool, a
# library) must not be installed.
expect_installed_files() {
  local actual wanted
  actual=$(cd "$1" && find . -type f -o -type l | sed 's|^\./||' | sort)
  wanted=$(printf '%s\n' "${installed_files[@]}" | sort)
  if [ "$actual" != "$wanted" ]; then
    diff <(echo "$wanted") <(echo "$actual") >&2 || true
    fail "installed files differ from the expected list (< expected, > installed)"
  fi
}
