#!/bin/sh
# Saves PNGs of the shell's windows into <cross-build>/screenshots: the About box, the password
# dialog, the program's frame with its toolbar on a virtual printer, and the printer selection
# dialog with printers in different states. Runs its own Wine session and Xvfb.
#   tools/screenshots.sh [<cross-build>]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$(sh "$root/tools/default-build.sh" "$(basename "$0" .sh)")}" && pwd)
if [ "${RP_SHOTS_INSIDE:-0}" != 1 ]; then
  RP_SHOTS_INSIDE=1 exec sh "$root/tools/wine-session.sh" "$build" -- sh "$0" "$build"
fi
# With RP_DPI (tools/wine-session.sh) the screen has that many dots per inch: screenshots-<dpi>dpi.
shots="$build/screenshots${RP_DPI:+-${RP_DPI}dpi}"
bin="$build/bin"
mkdir -p "$shots"
shot() { sh "$root/tools/screenshot.sh" "$build" "$@"; }

shot dialog 116 "$shots/about.png"
shot dialog 1002 "$shots/password.png"

if [ -x "$bin/remotepanel.exe" ] && [ -x "$bin/qmxctl.exe" ]; then
  qmxctl() { "$build/wine-run" "$bin/qmxctl.exe" "$@" </dev/null >/dev/null; }
  qmxctl reset
  qmxctl model install
  qmxctl add "LP1" --port LPT1: --spooler
  shot window RPWndClass "$shots/frame.png" -- "$bin/remotepanel.exe"
  # Several printers: the program starts with the selection dialog.
  qmxctl add "\\\\srv\\office" --port "\\\\srv\\office" --second "IP_10.0.0.7" --spooler --preset busy
  qmxctl add "LP2" --port LPT2: --spooler --preset offline
  shot window "#32770" "$shots/selection.png" -- "$bin/remotepanel.exe"
  qmxctl reset
else
  echo "screenshots: remotepanel.exe or qmxctl.exe is not built; frame and selection skipped" >&2
fi
echo "screenshots: $shots"
