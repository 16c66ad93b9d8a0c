#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Installs what building and testing crashkit needs on Debian 12, skipping what is there.
# Packages given as arguments are installed as well (scripts/windows.sh adds its own).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  graphviz
  liblemon-dev
  libboost-dev
  glpk-utils libglpk-dev
  libgtest-dev libbenchmark-dev
  fonts-thai-tlwg fontconfig
  poppler-utils
  desktop-file-utils appstream
  dpkg-dev file
  nsis
  clang-format
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
