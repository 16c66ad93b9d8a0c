#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Usage: package_test.sh <cpack> <build dir> <project version>
# Builds the Debian package into a temporary folder and checks that it carries the build's
# version and exactly the installed files under /usr, with metainfo that AppStream accepts.
set -euo pipefail
cpack_command=$1
build_dir=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/installed_files.sh"

"$cpack_command" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >/dev/null
packages=("$work"/*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack did not write one .deb"
deb=${packages[0]}

[ "$(dpkg-deb -f "$deb" Package)" = crashkit ] || fail "the package is not named crashkit"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] \
  || fail "the package's version is $(dpkg-deb -f "$deb" Version), the build is $version"

dpkg-deb -x "$deb" "$work/root"
expect_installed_files "$work/root/usr"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli rejects the package"
else
  echo "appstreamcli not found (package appstream); skipping the metainfo validation"
fi
echo "$(basename "$deb") carries:"
printf '  /usr/%s\n' "${installed_files[@]}"
