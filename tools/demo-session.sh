#!/bin/sh
# The demo inside a Wine session (tools/demo.sh calls it through tools/wine-session.sh): the
# supported model and one virtual printer are installed with qmxctl, remotepanel.exe starts on it
# in a virtual desktop under Xvfb, and its frame is saved as a PNG.
#   tools/demo-session.sh <cross-build> <out.png>
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd); out=$2
bin="$build/bin"
qmxctl() { "$build/wine-run" "$bin/qmxctl.exe" "$@" </dev/null; }
qmxctl reset >/dev/null 2>&1 || true
qmxctl model install >/dev/null
qmxctl add "400ZX" --port LPT1: --spooler >/dev/null
sh "$root/tools/screenshot.sh" "$build" window RPWndClass "$out" -- "$bin/remotepanel.exe"
