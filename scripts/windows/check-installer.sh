#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
#
# Checks the Windows installer under Wine, as scripts/windows.sh calls it:
#   scripts/windows/check-installer.sh SETUP.exe RESULTS-FOLDER VERSION
#
# In a fresh Wine prefix, once for everyone (/S, Program Files, HKLM) and once for the user
# (/S /CurrentUser, the user's Programs folder, HKCU):
#   - installs silently and checks the files, the Start-menu entry and the registry entries
#     (file type, "open with", the entry in installed programs);
#   - the installed programs answer --version and --help on the console, and carry their
#     icons and version information;
#   - starts the program through its Start-menu entry on the windows platform under Xvfb and
#     takes a screenshot (RESULTS/installed-<mode>.png);
#   - opens a .crashkit file through its association and checks that the own-project window
#     shows it (RESULTS/association-<mode>.png);
#   - uninstalls silently with the command the system's installed programs would run, and
#     lists every file and registry key that was not there before; any of them that is ours
#     fails the check.
# Exits non-zero when a check fails, after all have run.
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: check-installer.sh SETUP.exe RESULTS-FOLDER VERSION" >&2
  exit 2
fi
setup="$(realpath "$1")"
out="$(realpath -m "$2")"
version=$3
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$out/prefix" WINEDEBUG=-all
unset WINEPATH
failures=0

fail() {
  echo "installer check: FAILED: $*" >&2
  failures=$((failures + 1))
}
# ok TEXT: says TEXT passed when no check failed since the last mark.
mark() { marked=$failures; }
ok() { [ "$failures" -eq "$marked" ] && echo "installer check: ok: $*"; mark; }
marked=0
# Waits until every program in the prefix has ended; after $1 seconds (120 unless given) it
# ends them, and says so unless asked to be quiet ($2 = quiet), as after taskkill.
settle() {
  if ! timeout "${1:-120}" "$wineserver" -w; then
    [ "${2:-}" = quiet ] || fail "programs were still running after ${1:-120} s; ended them"
    "$wineserver" -k || true
  fi
}
now() { date +%s%N; }
# Seconds since $1 (a now), to a tenth.
since() { awk -v from="$1" -v to="$(now)" 'BEGIN { printf "%.1f", (to - from) / 1e9 }'; }

# Every file under C:\ and every registry key (HKLM and HKCU), one per line, sorted.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . -mindepth 1 | LC_ALL=C sort) >"$out/$1.files"
  {
    sed -n 's/^\[\(.*\)\] [0-9]*$/HKLM\\\\\1/p' "$WINEPREFIX/system.reg"
    sed -n 's/^\[\(.*\)\] [0-9]*$/HKCU\\\\\1/p' "$WINEPREFIX/user.reg"
  } | LC_ALL=C sort >"$out/$1.keys"
}

# Whether the registry (as Wine keeps it: HKLM in system.reg, HKCU in user.reg) has the key.
has_key() {
  local file=$1 key=$2
  grep -qF "[${key//\\/\\\\}]" "$WINEPREFIX/$file"
}

# Waits up to $2 seconds for a top-level window whose title holds $1.
wait_for_window() {
  local pattern=$1 limit=$2
  for _ in $(seq "$limit"); do
    if DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q -- "$pattern"; then
      return 0
    fi
    sleep 1
  done
  return 1
}

screenshot() {
  sleep 3
  DISPLAY=$display xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$out/$1"
}

# Ends the program and whatever it or Wine left open (an error box, say).
stop_program() {
  "$wine" taskkill /f /im crashkit.exe >/dev/null 2>&1 || true
  settle 15 quiet
}

# Lists the files and registry keys that were not there before $1's install ($2 says when);
# fails when one of them is the program's (its name, its Thai name, its uninstaller's copy).
leftovers() {
  local mode=$1 when=$2 name=$3
  snapshot "$name-$mode"
  LC_ALL=C comm -13 "$out/before-$mode.files" "$out/$name-$mode.files" >"$out/left-$name-$mode.files"
  LC_ALL=C comm -13 "$out/before-$mode.keys" "$out/$name-$mode.keys" >"$out/left-$name-$mode.keys"
  echo "installer check: $mode: files $when that were not there before ($(wc -l <"$out/left-$name-$mode.files")):"
  sed 's/^/    /' "$out/left-$name-$mode.files"
  echo "installer check: $mode: registry keys $when that were not there before ($(wc -l <"$out/left-$name-$mode.keys")):"
  sed 's/^/    /' "$out/left-$name-$mode.keys"
  local pattern=(-e crashkit -e 'ชุดเสริมทักษะ')
  [ "$name" = after ] || pattern+=(-e '/Un\.exe$')
  if grep -i "${pattern[@]}" "$out/left-$name-$mode.files" "$out/left-$name-$mode.keys"; then
    fail "$mode: files or keys of the program are left $when (above)"
    return 1
  fi
}

rm -rf "$out"
mkdir -p "$out"
display=:$((200 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display

started=$(now)
"$wine" wineboot --init >/dev/null 2>&1
settle
echo "installer check: fresh Wine prefix in $(since "$started") s"

# A small project for the association, named so its window is easy to find.
sample="$out/AssociationCheck.crashkit"
cat >"$sample" <<'EOF'
{
  "format": "crashkit-project",
  "version": 1,
  "title": "AssociationCheck",
  "activities": [
    {"id": "A", "name": "", "predecessors": [], "normal_duration": 4, "crash_duration": 2,
     "crash_cost_per_unit": 1000},
    {"id": "B", "name": "", "predecessors": ["A"], "normal_duration": 3, "crash_duration": 3,
     "crash_cost_per_unit": 0}
  ]
}
EOF

# The installer's first page as a Thai Windows shows it (a look only; it installs nothing).
LANG=th_TH.UTF-8 LC_ALL=th_TH.UTF-8 "$wine" "$setup" >/dev/null 2>&1 &
if wait_for_window '"Crashkit\|"ติดตั้ง' 60; then
  screenshot installer-page.png
  ok "the installer opens in Thai (installer-page.png)"
else
  fail "the installer showed no window within 60 s"
fi
"$wine" taskkill /f /im "$(basename "$setup")" >/dev/null 2>&1 || true
settle 15 quiet

user="$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)"
for mode in AllUsers CurrentUser; do
  if [ $mode = AllUsers ]; then
    folder_unix="$WINEPREFIX/drive_c/Program Files/Crashkit"
    folder='C:\Program Files\Crashkit'
    menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    hive=system.reg
    options=(/S)
  else
    folder_unix="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Crashkit"
    folder="C:\\users\\$user\\AppData\\Local\\Programs\\Crashkit"
    menu="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    hive=user.reg
    options=(/S /CurrentUser)
  fi
  echo
  echo "installer check: --- installed for $mode ---"
  mark

  snapshot "before-$mode"
  started=$(now)
  "$wine" "$setup" "${options[@]}" || fail "$mode: the installer ended with status $?"
  settle
  echo "installer check: silent install in $(since "$started") s"

  for file in crashkit.exe crashkit-cli.exe crashkit-projectwindow.dll uninstall.exe \
    platforms/qwindows.dll fonts/Laksaman.ttf LICENSE.txt; do
    [ -f "$folder_unix/$file" ] || fail "$mode: $folder\\${file//\//\\} is missing"
  done
  shortcut="$menu/ชุดเสริมทักษะ PERT-CPM.lnk"
  [ -f "$shortcut" ] || fail "$mode: the Start-menu entry $shortcut is missing"
  for key in 'Software\Classes\.crashkit' 'Software\Classes\Crashkit.Project\DefaultIcon' \
    'Software\Classes\Crashkit.Project\shell\open\command' \
    'Software\Classes\Applications\crashkit.exe\SupportedTypes' \
    'Software\Microsoft\Windows\CurrentVersion\Uninstall\Crashkit'; do
    has_key $hive "$key" || fail "$mode: the registry key $key is missing ($hive)"
  done
  ok "$mode: files, Start-menu entry and registry keys are in place"

  # The programs from the installed place, without any path to the build's DLLs.
  answer="$("$wine" "$folder\\crashkit.exe" --version 2>&1 | tr -d '\r' || true)"
  [ "$answer" = "crashkit $version" ] || fail "$mode: crashkit.exe --version said '$answer'"
  "$wine" "$folder\\crashkit.exe" --help 2>&1 | grep -q -- '--practise' ||
    fail "$mode: crashkit.exe --help printed no help"
  answer="$("$wine" "$folder\\crashkit-cli.exe" --version 2>&1 | tr -d '\r' || true)"
  [[ "$answer" == *"$version"* ]] || fail "$mode: crashkit-cli.exe --version said '$answer'"
  ok "$mode: --version and --help print to the console"
  if [ $mode = AllUsers ]; then
    for program in crashkit crashkit-cli; do
      resources="$(wrestool -l "$folder_unix/$program.exe" 2>&1 || true)"
      grep -q 'type=icon' <<<"$resources" || fail "$program.exe carries no icon"
      grep -q 'type=version' <<<"$resources" || fail "$program.exe carries no version information"
      details="$(wrestool -x --raw --type=version "$folder_unix/$program.exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -d '\0' || true)"
      grep -q "$version" <<<"$details" || fail "$program.exe's version information lacks $version"
    done
    wrestool -l "$folder_unix/crashkit.exe" | grep -q -- "--name=2 .*type=group_icon" ||
      fail "crashkit.exe carries no second icon for its project files"
    ok "the programs carry their icons and version information"
  fi

  # Through the Start-menu entry, as a student starts it.
  "$wine" start /unix "$shortcut" >/dev/null 2>&1 &
  if wait_for_window '"โปรแกรม\|"crashkit' 90; then
    screenshot "installed-$mode.png"
    ok "$mode: the Start-menu entry starts the program (installed-$mode.png)"
  else
    fail "$mode: the Start-menu entry showed no window within 90 s"
  fi
  stop_program

  # A double-click on a project file. For everyone: wine start asks the shell, which follows
  # HKEY_CLASSES_ROOT as Explorer does. For the user: Wine's HKEY_CLASSES_ROOT leaves out the
  # user's own classes (HKCU\Software\Classes), which Windows merges in, so the command the
  # install registered there is read and run as Windows would run it.
  if [ $mode = AllUsers ]; then
    "$wine" start /unix "$sample" >/dev/null 2>&1 &
  else
    open_command="$("$wine" reg query 'HKCU\Software\Classes\Crashkit.Project\shell\open\command' /ve 2>/dev/null |
      sed -n 's/^.*REG_SZ *//p' | tr -d '\r' || true)"
    program="$(sed -n 's/^"\([^"]*\)" "%1"$/\1/p' <<<"$open_command")"
    if [ -n "$program" ]; then
      "$wine" "$program" "$("$wine" winepath -w "$sample" 2>/dev/null | tr -d '\r')" >/dev/null 2>&1 &
    else
      fail "$mode: the registered open command is '$open_command', not '\"...crashkit.exe\" \"%1\"'"
    fi
  fi
  if wait_for_window 'AssociationCheck' 90; then
    screenshot "association-$mode.png"
    ok "$mode: a .crashkit file opens in the own-project window (association-$mode.png)"
  else
    fail "$mode: opening $sample through its association showed no project window within 90 s"
  fi
  stop_program

  # Installed again over itself: the files stay and the user's settings are kept.
  if [ $mode = AllUsers ]; then
    "$wine" reg add 'HKCU\Software\crashkit\crashkit' /v InstallerCheck /d kept /f >/dev/null 2>&1
    settle
    "$wine" "$setup" "${options[@]}" || fail "$mode: the second install ended with status $?"
    settle
    [ -f "$folder_unix/crashkit.exe" ] || fail "$mode: installed again, crashkit.exe is gone"
    "$wine" reg query 'HKCU\Software\crashkit\crashkit' /v InstallerCheck 2>/dev/null | grep -q kept ||
      fail "$mode: installing again lost the user's settings"
    ok "$mode: installed again over itself, the user's settings kept"
  fi

  # The uninstall command the system's installed programs list holds.
  command="$(grep -A20 -F '[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Crashkit]' \
    "$WINEPREFIX/$hive" | sed -n 's/^"QuietUninstallString"="\\"\(.*\)\\" \(.*\)"$/\1|\2/p' |
    head -1)"
  if [ -z "$command" ]; then
    fail "$mode: no QuietUninstallString in the registry"
    continue
  fi
  uninstaller="${command%%|*}"
  uninstaller="${uninstaller//\\\\/\\}"
  read -r -a uninstall_options <<<"${command#*|}"
  started=$(now)
  "$wine" "$uninstaller" "${uninstall_options[@]}" || fail "$mode: the uninstaller ended with status $?"
  settle
  echo "installer check: silent uninstall ($uninstaller ${uninstall_options[*]}) in" \
    "$(since "$started") s"

  leftovers "$mode" "after the uninstall" after || true
  # NSIS's uninstaller runs from a copy in %TEMP%, which Windows deletes at the next start
  # (PendingFileRenameOperations); a restart shows what stays for good.
  "$wine" wineboot --restart >/dev/null 2>&1 || true
  settle
  if leftovers "$mode" "after a restart" restarted; then
    ok "$mode: nothing of ours is left after the uninstall and a restart"
  fi
done

kill $xvfb 2>/dev/null || true
echo
if [ $failures -ne 0 ]; then
  echo "installer check: $failures check(s) failed" >&2
  exit 1
fi
echo "installer check: every check passed"
