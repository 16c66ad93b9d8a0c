#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
#
# Builds crashkit for 64-bit Windows on Debian 12, packs a zip and an installer, and tests
# all of it under Wine.
#
#   scripts/windows.sh             everything: libraries (cached), program, zip, installer, tests
#   scripts/windows.sh --no-tests  the same without the tests and the screenshots
#
# 1. Installs Debian's MinGW-w64 (POSIX threads), Wine, Xvfb, NSIS and the tools below.
# 2. Cross-builds what the program needs: Qt's base (Core, Gui, Widgets, PrintSupport, Test;
#    the windows and offscreen platforms; the bundled zlib, libpng, libjpeg, FreeType,
#    HarfBuzz and PCRE2) from Debian's source package, Qt SVG and Qt Charts for the
#    own-project window from Debian's where the mirror has them, otherwise from the upstream
#    6.4.2 tarballs in CRASHKIT_QT_SOURCES (checked against scripts/windows/qt-sources.sha256),
#    GoogleTest, LEMON and GLPK's glpsol (for the tests). The host's Qt tools (moc, rcc, uic)
#    do the code generation. Everything goes to a cache folder (CRASHKIT_WINDOWS_CACHE, default
#    build/windows-cache) and is reused on the next run.
# 3. Builds crashkit.exe, crashkit-cli.exe and the tests into build/windows with warnings as
#    errors.
# 4. Packs build/windows/crashkit-<version>-windows-x86_64.zip: the programs, the Qt and
#    MinGW runtime DLLs they load (found by walking their imports), the windows platform
#    plugin, the styles, the JPEG plugin and TLWG Laksaman (regular and bold), the free Thai
#    font the program uses where BrowalliaUPC and TH SarabunPSK are missing.
# 5. Makes build/windows/crashkit-<version>-setup.exe from the same folder with NSIS
#    (packaging/windows/crashkit.nsi).
# 6. Runs every test under Wine (wine64, a fresh prefix, the offscreen platform), starts the
#    program from the unpacked zip with the windows platform under Xvfb for a screenshot
#    (build/windows/screenshot.png), and checks the installer in a fresh prefix
#    (scripts/windows/check-installer.sh; results in build/windows/installer-check).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache="${CRASHKIT_WINDOWS_CACHE:-$root/build/windows-cache}"
out="$root/build/windows"
jobs="${CRASHKIT_JOBS:-$(nproc)}"
run_tests=1
case "${1:-}" in
  "") ;;
  --no-tests) run_tests=0 ;;
  *)
    echo "windows.sh: unknown option '$1' (the only option is --no-tests)" >&2
    exit 2
    ;;
esac

triplet=x86_64-w64-mingw32
toolchain="$root/scripts/windows/mingw-toolchain.cmake"
prefix="$cache/prefix" # every cross-built library and program
wine=/usr/lib/wine/wine64
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake
started=$SECONDS

say() { printf '\n== %s (%d s)\n' "$*" $((SECONDS - started)); }

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

# --- 1. Packages -------------------------------------------------------------------------
say "Packages"
# The host's Qt tools and the rest of what the Linux build needs, and for Windows:
"$root/scripts/setup.sh" \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine64 xvfb xauth x11-utils x11-apps netpbm zip unzip nsis icoutils \
  dpkg-dev fonts-thai-tlwg fonts-dejavu-core

# --- 2. Sources --------------------------------------------------------------------------
# apt-get source needs deb-src entries, which a fresh Debian 12 does not have.
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
  say "Adding Debian's source entries (/etc/apt/sources.list.d/crashkit-sources.sources)"
  "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/crashkit-sources.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  "${sudo_cmd[@]}" apt-get update -q
fi

mkdir -p "$cache/src" "$cache/stamps" "$prefix"

# Unpacks Debian's source package $1 into $cache/src/$1 and prints the folder; with --orig,
# the upstream tarball only, without Debian's patches. Fails when the mirror lacks it.
unpack() {
  local package=$1 orig=${2:-}
  local folder="$cache/src/$package"
  if [ ! -d "$folder" ]; then
    (cd "$cache/src" && apt-get source --download-only "$package" >&2) || return 1
    local dsc
    dsc="$(ls "$cache/src/${package}"_*.dsc | tail -1)"
    if [ "$orig" = --orig ]; then
      mkdir -p "$folder.tmp"
      tar -xf "$(ls "$cache/src/${package}"_*.orig.tar.* | grep -v '\.asc$' | tail -1)" \
        -C "$folder.tmp" --strip-components=1
      mv "$folder.tmp" "$folder"
    else
      dpkg-source --no-check -x "$dsc" "$folder" >&2
    fi
  fi
  echo "$folder"
}

stamp() { echo "$cache/stamps/$1"; }

qt_cross_options=(
  -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir"
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
)

# --- 3. Qt's base ------------------------------------------------------------------------
if [ ! -e "$(stamp qtbase)" ]; then
  say "Qt base: cross build (about 30 minutes at -j2)"
  source_dir="$(unpack qt6-base --orig)"
  # Debian's patches adapt Qt to Debian's own Linux builds; of them only the security fixes
  # are taken (the others force shared libzstd and Debian's paths, which a Windows build
  # has no use for).
  debian_dir="$cache/src/qt6-base-debian"
  if [ ! -d "$debian_dir" ]; then
    mkdir -p "$debian_dir"
    tar -xf "$(ls "$cache/src"/qt6-base_*.debian.tar.* | tail -1)" -C "$debian_dir"
    for fix in $(grep -E '^cve-' "$debian_dir/debian/patches/series"); do
      patch -d "$source_dir" -p1 --forward --batch <"$debian_dir/debian/patches/$fix"
    done
  fi
  # Without Debian's src/3rdparty/wintab, no tablet events; the rest of the windows platform
  # (DirectWrite, Direct2D) builds as upstream's.
  cmake -S "$source_dir" -B "$cache/build/qtbase" "${qt_cross_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_icu=OFF -DFEATURE_freetype=ON -DFEATURE_jpeg=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF
  ninja -C "$cache/build/qtbase" -j "$jobs" install
  touch "$(stamp qtbase)"
fi

# Further Qt modules, built against the cross-built base with the toolchain it installed.
# Their sources come from the Debian mirror where it has them, otherwise from the upstream
# tarball $2 in CRASHKIT_QT_SOURCES, checked against the sum in scripts/windows/qt-sources.sha256.
qt_module() {
  local package=$1 tarball=$2
  if [ -e "$(stamp "$package")" ]; then
    return 0
  fi
  say "$package: cross build"
  local source_dir
  if ! source_dir="$(unpack "$package" --orig 2>/dev/null)"; then
    source_dir="$(unpack_upstream "$package" "$tarball")" || return 1
  fi
  cmake -S "$source_dir" -B "$cache/build/$package" "${qt_cross_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
  ninja -C "$cache/build/$package" -j "$jobs" install
  touch "$(stamp "$package")"
}

# Unpacks the upstream tarball $2 for package $1 from CRASHKIT_QT_SOURCES into the cache
# after checking its SHA-256 sum; says what is missing or wrong and fails otherwise.
unpack_upstream() {
  local package=$1 tarball=$2
  local folder="$cache/src/$package"
  if [ -d "$folder" ]; then
    echo "$folder"
    return 0
  fi
  if [ -z "${CRASHKIT_QT_SOURCES:-}" ] || [ ! -f "$CRASHKIT_QT_SOURCES/$tarball" ]; then
    echo "windows.sh: the Debian mirror has no source of $package, and $tarball is not in" \
      "CRASHKIT_QT_SOURCES (${CRASHKIT_QT_SOURCES:-not set}). Download it from" \
      "https://download.qt.io/archive/qt/6.4/6.4.2/submodules/$tarball into a folder and" \
      "run again with CRASHKIT_QT_SOURCES=that-folder." >&2
    return 1
  fi
  local expected actual
  expected="$(awk -v f="$tarball" '$2 == f { print $1 }' "$root/scripts/windows/qt-sources.sha256")"
  actual="$(sha256sum "$CRASHKIT_QT_SOURCES/$tarball" | cut -d' ' -f1)"
  if [ -z "$expected" ] || [ "$expected" != "$actual" ]; then
    echo "windows.sh: $CRASHKIT_QT_SOURCES/$tarball has SHA-256 $actual;" \
      "scripts/windows/qt-sources.sha256 expects ${expected:-no file of that name}." >&2
    return 1
  fi
  mkdir -p "$folder.tmp"
  tar -xf "$CRASHKIT_QT_SOURCES/$tarball" -C "$folder.tmp" --strip-components=1
  mv "$folder.tmp" "$folder"
  echo "$folder"
}

qt_module qt6-svg qtsvg-everywhere-src-6.4.2.tar.xz
qt_module qt6-charts qtcharts-everywhere-src-6.4.2.tar.xz

# --- 4. The other libraries --------------------------------------------------------------
if [ ! -e "$(stamp googletest)" ]; then
  say "GoogleTest: cross build"
  source_dir="$(unpack googletest)"
  cmake -S "$source_dir" -B "$cache/build/googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON
  ninja -C "$cache/build/googletest" -j "$jobs" install
  touch "$(stamp googletest)"
fi

if [ ! -e "$(stamp lemon)" ]; then
  say "LEMON: cross build"
  source_dir="$(unpack liblemon)"
  cmake -S "$source_dir" -B "$cache/build/lemon" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DLEMON_ENABLE_GLPK=NO -DLEMON_ENABLE_ILOG=NO -DLEMON_ENABLE_COIN=NO \
    -DLEMON_ENABLE_SOPLEX=NO
  ninja -C "$cache/build/lemon" -j "$jobs" install
  touch "$(stamp lemon)"
fi

# glpsol.exe checks the engine's least-cost answers in the tests (it is not in the zip).
# Single-threaded: GLPK's thread-local variant calls gmtime_r and strerror_r, which MinGW
# lacks. With a 64 MB stack, as MathProg's translator needs for the tests' largest models
# (Windows gives a program 1 MB unless told; Linux 8 MB).
if [ ! -e "$(stamp glpk-64mb-stack)" ]; then
  say "GLPK: cross build of glpsol"
  source_dir="$(unpack glpk)"
  rm -rf "$cache/build/glpk" && mkdir -p "$cache/build/glpk"
  (cd "$cache/build/glpk" &&
    "$source_dir/configure" --host=$triplet --prefix="$prefix" --disable-shared \
      --enable-static --disable-reentrant CC=$triplet-gcc-posix \
      LDFLAGS=-Wl,--stack,67108864 >/dev/null &&
    make -j "$jobs" >/dev/null && make install >/dev/null)
  touch "$(stamp glpk-64mb-stack)"
fi

# Boost's headers (the normal distribution in engine/pert.cpp) are the same on every
# platform; Debian's are used as they are.
mkdir -p "$cache/boost/include"
ln -sfn /usr/include/boost "$cache/boost/include/boost"

# --- 5. The program and its tests --------------------------------------------------------
say "crashkit: configure and build"
gcc_runtime="$(dirname "$($triplet-g++-posix -print-file-name=libstdc++-6.dll)")"
thread_runtime="/usr/$triplet/lib"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Runs a Windows program under Wine: ctest's emulator and by hand. Wine hands no QT_*
# variable to the program, only WINEQT_* as QT_*; Qt Test logs to the debugger unless told.
mkdir -p "$out"
cat >"$out/wine-run" <<EOF
#!/usr/bin/env bash
# Written by scripts/windows.sh: runs a program of this build under Wine.
export WINEPREFIX="$out/wineprefix" WINEDEBUG="\${WINEDEBUG:--all}"
export WINEPATH="$(winpath "$prefix/bin");$(winpath "$gcc_runtime");$(winpath "$thread_runtime")"
export QT_FORCE_STDERR_LOGGING=1
export QT_QPA_FONTDIR="\${QT_QPA_FONTDIR:-$(winpath "$out/testfonts")}"
for name in \$(compgen -e); do
  case \$name in QT_*) export "WINE\$name=\${!name}" ;; esac
done
exec $wine "\$@"
EOF
chmod +x "$out/wine-run"

# The offscreen platform on Windows reads its fonts from one folder: the TLWG and DejaVu
# fonts the Linux tests see through fontconfig.
mkdir -p "$out/testfonts"
cp /usr/share/fonts/truetype/tlwg/*.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf \
  "$out/testfonts/"

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCRASHKIT_WINDOWS_PREFIX="$prefix" \
  -DCMAKE_PREFIX_PATH="$prefix" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
  -DBoost_INCLUDE_DIR="$cache/boost/include" -DBoost_NO_BOOST_CMAKE=ON \
  -DCRASHKIT_WERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$out/wine-run" \
  -DCRASHKIT_GLPSOL="Z:$prefix/bin/glpsol.exe"
ninja -C "$out" -j "$jobs"

# --- 6. The zip ---------------------------------------------------------------------------
say "Zip"
version="$(sed -n 's/^project(crashkit VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
name="crashkit-$version-windows-x86_64"
stage="$out/zip/$name"
rm -rf "$out/zip" "$out/install" && mkdir -p "$stage"
cmake --install "$out" --prefix "$out/install" >/dev/null
cp "$out/install/bin/"*.exe "$stage/"
cp "$out/install/bin/"*.dll "$stage/" 2>/dev/null || true
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll; do
  mkdir -p "$stage/$(dirname "$plugin")"
  cp "$prefix/plugins/$plugin" "$stage/$plugin"
done

# Every DLL the programs and plugins import that Windows itself does not have.
dll_dirs=("$prefix/bin" "$gcc_runtime" "$thread_runtime/../bin" "$thread_runtime")
find_dll() {
  local dll=$1 dir
  for dir in "${dll_dirs[@]}"; do
    if [ -e "$dir/$dll" ]; then
      echo "$dir/$dll"
      return 0
    fi
  done
  return 1
}
shopt -s nullglob
pending=("$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll)
shopt -u nullglob
while [ ${#pending[@]} -gt 0 ]; do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  for dll in $($triplet-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    if [ ! -e "$stage/$dll" ] && found="$(find_dll "$dll")"; then
      cp "$found" "$stage/$dll"
      pending+=("$stage/$dll")
    fi
  done
done

mkdir -p "$stage/fonts"
# The regular and bold faces are the ones the windows use; every face in the folder is loaded
# at start-up, so the italics stay out.
cp /usr/share/fonts/truetype/tlwg/Laksaman.ttf /usr/share/fonts/truetype/tlwg/Laksaman-Bold.ttf \
  "$stage/fonts/"
cp /usr/share/doc/fonts-tlwg-laksaman-ttf/copyright "$stage/fonts/COPYRIGHT.txt"
cp "$root/LICENSE" "$stage/LICENSE.txt"
cp "$root/packaging/windows/README.txt" "$stage/README.txt"
$triplet-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll
# zip adds to an archive that is there; start from none so no file of an earlier run stays.
rm -f "$out/$name.zip"
(cd "$out/zip" && zip -q -9 -r "$out/$name.zip" "$name")

# --- 7. The installer ---------------------------------------------------------------------
# packaging/windows/crashkit.nsi installs the zip's folder as it is, from the file lists
# scripts/windows/installer-lists.sh writes.
say "Installer"
setup="$out/crashkit-$version-setup.exe"
"$root/scripts/windows/installer-lists.sh" "$stage" "$out/installer"
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 -WX -DVERSION="$version" -DSTAGE="$stage" \
  -DFILES="$out/installer/files.nsh" -DUNFILES="$out/installer/unfiles.nsh" -DOUTFILE="$setup" \
  "$root/packaging/windows/crashkit.nsi"

# --- 8. Tests under Wine and the screenshot -------------------------------------------------
if [ $run_tests -eq 1 ]; then
  say "Tests under Wine"
  rm -rf "$out/wineprefix"
  WINEPREFIX="$out/wineprefix" WINEDEBUG=-all $wine wineboot --init >/dev/null 2>&1
  # Built-in locale as CI's, so the tests that do not set one see the same numbers.
  LC_ALL=C.UTF-8 ctest --test-dir "$out" -j "$jobs" --output-on-failure --timeout 900

  say "Screenshot: the program from the zip under Xvfb"
  rm -rf "$out/unpacked" && mkdir -p "$out/unpacked"
  unzip -q "$out/$name.zip" -d "$out/unpacked"
  display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  sleep 2
  # No WINEPATH: what the program loads must come from the zip.
  DISPLAY=$display WINEPREFIX="$out/wineprefix" WINEDEBUG=-all \
    $wine "$out/unpacked/$name/crashkit.exe" >"$out/program.log" 2>&1 &
  program=$!
  shown=0
  for _ in $(seq 60); do
    if DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '"crashkit\|"โปรแกรม'; then
      shown=1
      break
    fi
    sleep 1
  done
  sleep 3
  DISPLAY=$display xwininfo -root -tree | grep -E '^\s+0x[0-9a-f]+ "' | head -5 || true
  xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$out/screenshot.png"
  DISPLAY=$display WINEPREFIX="$out/wineprefix" $wine taskkill /f /im crashkit.exe \
    >/dev/null 2>&1 || kill $program 2>/dev/null || true
  kill $xvfb 2>/dev/null || true
  if [ $shown -ne 1 ]; then
    echo "windows.sh: the program showed no window under Wine within 60 s; its output:" >&2
    cat "$out/program.log" >&2
    exit 1
  fi
fi

if [ $run_tests -eq 1 ]; then
  say "The installer under Wine"
  "$root/scripts/windows/check-installer.sh" "$setup" "$out/installer-check" "$version"
fi

say "Done"
ls -l "$out/$name.zip" "$setup"
du -sh "$prefix" | sed 's/^/cross-built libraries: /'
