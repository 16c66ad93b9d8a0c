#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Crashkit maintainers
# Lists every place in the given folders or files that opens a message box or a dialog itself
# instead of through platform/ (platform::showMessage, chooseFile, choosePrinter), where no
# test can answer it, as "file:line: what: the line"; exits 1 if there is one. The enum values
# of QMessageBox (QMessageBox::Save) and its header are allowed; comments are not read.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 FOLDER_OR_FILE..." >&2; exit 2; }

files=()
while IFS= read -r -d '' file; do
  files+=("$file")
done < <(find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
# Scanning nothing would pass for the wrong reason.
[ ${#files[@]} -gt 0 ] || { echo "$0: no C++ files in $*" >&2; exit 2; }

awk '
# The line without its comments; inBlock carries a /* comment over to the next lines.
function code(line,    out, at) {
  out = ""
  while (line != "") {
    if (inBlock) {
      at = index(line, "*/")
      if (at == 0) return out
      line = substr(line, at + 2)
      inBlock = 0
    }
    at = index(line, "/*")
    slash = index(line, "//")
    if (slash > 0 && (at == 0 || slash < at)) return out substr(line, 1, slash - 1)
    if (at == 0) return out line
    out = out substr(line, 1, at - 1) " "
    line = substr(line, at + 2)
    inBlock = 1
  }
  return out
}

# Names of event loops and applications, whose exec() runs no dialog.
function collectLoops(file,    line, text, piece, saved) {
  split("", loops)
  loops["qApp"] = 1
  saved = inBlock
  inBlock = 0
  while ((getline line < file) > 0) {
    text = code(line)
    while (match(text, /(QEventLoop|QCoreApplication|QGuiApplication|QApplication)[ \t]*[*&]?[ \t]*[A-Za-z_][A-Za-z0-9_]*/)) {
      piece = substr(text, RSTART, RLENGTH)
      text = substr(text, RSTART + RLENGTH)
      sub(/^[A-Za-z]*[ \t]*[*&]?[ \t]*/, "", piece)
      loops[piece] = 1
    }
  }
  close(file)
  inBlock = saved
}

# Why the code runs a dialog of its own, or "".
function offence(text,    rest, receiver) {
  if (match(text, /(^|[^A-Za-z0-9_])(QFileDialog|QPrintDialog|QPageSetupDialog|QPrintPreviewDialog|QInputDialog|QColorDialog|QFontDialog|QErrorMessage|QProgressDialog)([^A-Za-z0-9_]|$)/)) {
    rest = substr(text, RSTART, RLENGTH)
    gsub(/[^A-Za-z]/, "", rest)
    return rest
  }
  if (text ~ /QMessageBox[ \t]*::[ \t]*(information|warning|critical|question|about|aboutQt)[ \t]*\(/)
    return "a static QMessageBox function"
  if (text ~ /(^|[^A-Za-z0-9_])new[ \t]+QMessageBox([^A-Za-z0-9_]|$)/)
    return "new QMessageBox"
  if (text ~ /(^|[^A-Za-z0-9_:])QMessageBox[ \t]*[*&]*[ \t]*[A-Za-z_][A-Za-z0-9_]*[ \t]*([;({=,)[]|$)/ \
      || text ~ /[<,][ \t]*(const[ \t]+)?QMessageBox[ \t]*[*&]?[ \t]*>[ \t]*[*&]?[ \t]*[A-Za-z_]/)
    return "a QMessageBox variable"
  if (text ~ /:[ \t]*((public|protected|private)[ \t]+)?QMessageBox([^A-Za-z0-9_:]|$)/)
    return "a QMessageBox subclass"
  if (text ~ /QDialog[ \t]*::[ \t]*exec[ \t]*\(/ \
      || text ~ /(^|[^A-Za-z0-9_.>:])exec[ \t]*\([ \t]*\)/)
    return "exec() of a dialog"
  rest = text
  while (match(rest, /(\.|->)[ \t]*exec[ \t]*\([ \t]*\)/)) {
    receiver = substr(rest, 1, RSTART - 1)
    rest = substr(rest, RSTART + RLENGTH)
    if (match(receiver, /[A-Za-z_][A-Za-z0-9_]*[ \t]*$/) && RSTART > 0) {
      receiver = substr(receiver, RSTART)
      sub(/[ \t]*$/, "", receiver)
      if (receiver in loops)
        continue
    }
    return "exec() of a dialog"
  }
  return ""
}

FNR == 1 { inBlock = 0; collectLoops(FILENAME) }
{
  why = offence(code($0))
  if (why != "") {
    line = $0
    sub(/^[ \t]*/, "", line)
    printf "%s:%d: %s: %s\n", FILENAME, FNR, why, line
    ++found
  }
}
END {
  if (found) {
    printf "%d place(s) open a box or a dialog past platform/; tests cannot answer them there. " \
           "Use platform::showMessage, platform::chooseFile or platform::choosePrinter.\n", found \
      > "/dev/stderr"
    exit 1
  }
}
' "${files[@]}"
echo "no box or dialog opened past platform/ in ${#files[@]} files"
