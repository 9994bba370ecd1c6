#!/bin/sh
# Saves PNGs of the panel on each of its tab pages, and of each page's detail dialogs, on a
# virtual printer whose settings have been read: <cross-build>/screenshots/tab-<n>-<name>.png and
# dialog-<name>.png. Runs its own Wine session and Xvfb.
#   tools/page-screenshots.sh <cross-build>
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
if [ "${RP_SHOTS_INSIDE:-0}" != 1 ]; then
  RP_SHOTS_INSIDE=1 exec sh "$root/tools/wine-session.sh" "$build" -- sh "$0" "$build"
fi
# With RP_DPI (tools/wine-session.sh) the screen has that many dots per inch: screenshots-<dpi>dpi.
shots="$build/screenshots${RP_DPI:+-${RP_DPI}dpi}"
bin="$build/bin"
mkdir -p "$shots"
qmxctl() { "$build/wine-run" "$bin/qmxctl.exe" "$@" </dev/null >/dev/null; }
n=0
# shot <out-name> <tab> <button>: a printer of its own for every shot, since a program left
# running from an earlier shot keeps its printer's single-instance mark.
shot() {
  n=$((n + 1))
  qmxctl reset
  qmxctl model install
  qmxctl add "KOV 400ZX ($n)" --port LPT1: --spooler
  # Form 2 chosen, so that the form dialog can be opened.
  qmxctl block "KOV 400ZX ($n)" patch 68 02
  sh "$root/tools/screenshot.sh" "$build" drive "$2 $3" "$shots/$1.png" -- "$bin/remotepanel.exe"
}
shot tab-0-paper 0 0
shot tab-1-format 1 0
shot tab-2-font 2 0
shot tab-3-print 3 0
shot tab-4-environment 4 0
shot tab-5-other 5 0
shot dialog-paper-advanced 0 1166
shot dialog-form-settings 1 1142
shot dialog-font-advanced 2 1191
shot dialog-dos-environment 3 1197
shot dialog-print-advanced 3 1198
shot dialog-environment-advanced 4 1213
qmxctl reset
echo "page screenshots: $shots/tab-*.png $shots/dialog-*.png"
