#!/bin/sh
# Saves PNGs of the panel on a virtual printer in its main states into
# <cross-build>/screenshots/panel-<state>.png: settings loaded, a read outstanding, the printer
# busy, a user who may only read, and a printer refused while several are installed (the
# selection dialog at start is answered with its first row). Runs its own Wine session and Xvfb.
#   tools/panel-screenshots.sh [<cross-build>]
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
qmxctl() { "$build/wine-run" "$bin/qmxctl.exe" "$@" </dev/null >/dev/null; }
# Each state has a printer of its own: a program left running from an earlier shot keeps its
# printer's single-instance mark.
printer() {
  qmxctl reset
  qmxctl model install
  qmxctl add "$1" --port LPT1: --spooler
}
shot() { sh "$root/tools/screenshot.sh" "$build" window RPWndClass "$shots/panel-$1.png" -- "$bin/remotepanel.exe"; }

printer "KOV 400ZX"
shot loaded

printer "KOV 400ZX (1F)"
qmxctl fault "KOV 400ZX (1F)" latency 600000
shot reading

printer "KOV 400ZX (2F)"
qmxctl preset "KOV 400ZX (2F)" busy
shot busy

printer "KOV 400ZX (3F)"
qmxctl preset "KOV 400ZX (3F)" read-only
shot read-only

printer "KOV 400ZX (4F)"
qmxctl preset "KOV 400ZX (4F)" unsupported
qmxctl add "KOV 400ZX (5F)" --port LPT2: --spooler
RP_SHOT_PRESS="285 1052" shot refused-several

qmxctl reset
echo "panel screenshots: $shots/panel-*.png"
