#!/bin/sh
# The demo inside a Wine session (tools/demo.sh calls it through tools/wine-session.sh): the
# supported model (with the help file built beside the program as its RPHLP) and one virtual
# printer are installed with qmxctl, remotepanel.exe starts on it
# in a virtual desktop under Xvfb, opens its session, reads the printer's settings and shows them
# on its first page, and the frame is saved as a PNG.
#   tools/demo-session.sh <cross-build> <out.png>
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd); out=$2
bin="$build/bin"
qmxctl() { "$build/wine-run" "$bin/qmxctl.exe" "$@" </dev/null; }
qmxctl reset >/dev/null 2>&1 || true
qmxctl model install >/dev/null
qmxctl add "400ZX" --port LPT1: --spooler >/dev/null
# A few settings that differ from the initial values, so that the panel visibly shows the
# printer's own: paper set left, head centering columns 30, 24 and 90.
qmxctl block "400ZX" patch 22 9e 18 5a >/dev/null
sh "$root/tools/screenshot.sh" "$build" window RPWndClass "$out" -- "$bin/remotepanel.exe"
