#!/bin/sh
# Runs a command inside one Wine session of a cross build: a fresh private prefix copied from the
# build's template, a persistent wineserver (fast start of every test process), Wine's background
# processes (services, the desktop) started before the command so they do not hold its pipes, and
# the wineserver shut down
# afterwards, also when the command fails or is interrupted.
#   tools/wine-session.sh <cross-build-dir> [--keep-prefix] -- <command> [args...]
# RP_DPI=<dots per inch> (144 for 150 %, 192 for 200 %) makes Wine report that screen resolution to
# every program of the session: the prefix's LogPixels is set before the session's wineserver starts.
set -eu
build=$(cd "$1" && pwd); shift
keep=0
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  case $1 in --keep-prefix) keep=1 ;; *) echo "wine-session: unknown option $1" >&2; exit 2 ;; esac
  shift
done
[ "${1:-}" = "--" ] && shift
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
export RP_WINE_PREFIX="${RP_WINE_PREFIX:-$build/wine/run}"
export WINEPREFIX="$RP_WINE_PREFIX"
[ -f "$build/wine/template/.rp-ready" ] || { echo "wine-session: no template prefix in $build (build the wine_prefix target)" >&2; exit 2; }
[ $keep = 1 ] || rm -rf "$RP_WINE_PREFIX"
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM
"$build/wine-run" cmd /c exit </dev/null >/dev/null 2>&1 || true   # makes the prefix copy
if [ -n "${RP_DPI:-}" ]; then
  case $RP_DPI in *[!0-9]*) echo "wine-session: RP_DPI must be a number of dots per inch" >&2; exit 2 ;; esac
  "$build/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$RP_DPI" /f \
    </dev/null >/dev/null 2>&1
  # Programs take the resolution from a wineserver started after the change.
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
fi
"$wineserver" -p 2>/dev/null || true
"$build/wine-run" cmd /c exit </dev/null >/dev/null 2>&1 || true   # starts Wine's services
# Wine starts its desktop process for the first window and ends it about a second after the last
# window has gone; started by a test, it would hold the test's output pipe that second. A hidden
# window kept open for the whole session keeps the desktop up, with no pipe of anyone's. The
# command waits until that window is there: a test that came first would start the desktop
# itself, and the window would then keep it, with the test's pipe, up to the session's end.
if [ -f "$build/bin/rp_shot.exe" ]; then
  ready="$RP_WINE_PREFIX/drive_c/rp-session-ready"
  rm -f "$ready"
  "$build/wine-run" "$build/bin/rp_shot.exe" idle 'C:\rp-session-ready' </dev/null >/dev/null 2>&1 &
  waited=0
  while [ ! -f "$ready" ] && [ $waited -lt 300 ]; do sleep 0.1; waited=$((waited + 1)); done
  [ -f "$ready" ] || echo "wine-session: Wine's desktop did not come up in 30 s; going on" >&2
fi
"$@"
