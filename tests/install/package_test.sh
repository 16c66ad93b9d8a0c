#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Usage: package_test.sh <cpack> <build dir> <project version>
# Builds the Debian package into a temporary folder and checks that it carries the build's
# version, a maintainer, exactly the installed files under /usr, with metainfo that AppStream
# accepts, and dependencies that match the libraries its programs link.
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
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ "$maintainer" =~ ^[^\<\>]*[^\<\>\ ]\ \<[^\<\>@\ ]+@[^\<\>@\ ]+\>$ ]] \
  || fail "the package's maintainer '$maintainer' is not a name and an address"

dpkg-deb -x "$deb" "$work/root"
expect_installed_files "$work/root/usr"

# Depends: as dpkg-shlibdeps derives it, plus what is loaded at run time and listed by hand.
# Each library the packaged programs link must come from a package named there, and each
# package named there must hold one of those libraries or be one listed by hand.
by_hand=(qt6-qpa-plugins fonts-thai-tlwg fonts-tlwg-laksaman)
depends=$(dpkg-deb -f "$deb" Depends)
declare -A named=() accounted=()
for package in $(sed 's/([^)]*)//g; s/[,|]/ /g' <<<"$depends"); do named[$package]=1; done
for package in libqt6widgets6 "${by_hand[@]}"; do
  [ -n "${named[$package]:-}" ] || fail "Depends does not name $package: $depends"
  accounted[$package]=1
done
grep -q 'fonts-thai-tlwg | fonts-tlwg-laksaman' <<<"$depends" \
  || fail "Depends does not take either Thai font package: $depends"
# The programs, and the module the program loads for the own-project window.
needed=$(for program in "$work/root/usr/bin/"* "$work/root/usr/lib/crashkit/"*.so; do
           readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'
         done | sort -u)
[ -n "$needed" ] || fail "readelf finds no linked library in the packaged programs"
patterns=()
for library in $needed; do patterns+=("*/$library"); done
# One line per library file on this machine: "pkg:arch[, pkg:arch]: /path/libname.so.N".
owners=$(dpkg -S "${patterns[@]}" 2>/dev/null | grep -v '^diversion' || true)
for library in $needed; do
  providers=$(awk -v suffix="/$library" -F ': ' \
                'substr($2, length($2) - length(suffix) + 1) == suffix { print $1 }' \
                <<<"$owners" | sed 's/, /\n/g' | sed 's/:.*//' | sort -u)
  [ -n "$providers" ] || fail "no installed package holds $library, which the programs link"
  found=
  for package in $providers; do
    accounted[$package]=1
    if [ -n "${named[$package]:-}" ]; then found=yes; fi
  done
  [ -n "$found" ] || fail "$library (in $providers) is linked but Depends names none of it"
done
for package in "${!named[@]}"; do
  [ -n "${accounted[$package]:-}" ] \
    || fail "Depends names $package, which holds no library the programs link"
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli rejects the package"
else
  echo "appstreamcli not found (package appstream); skipping the metainfo validation"
fi
echo "$(basename "$deb") carries:"
printf '  /usr/%s\n' "${installed_files[@]}"
echo "and depends on: $depends"
