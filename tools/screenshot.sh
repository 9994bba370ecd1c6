#!/bin/sh
# Takes a PNG of one window of the program under Xvfb, inside a Wine virtual desktop.
#   tools/screenshot.sh <cross-build> dialog <template-id> <out.png>
#       shows a dialog template of the program's resources (rp_shot) and takes it;
#   tools/screenshot.sh <cross-build> window <class> <out.png> -- <program.exe> [args...]
#       starts a program and takes its first visible top-level window of that class (with
#       RP_SHOT_PRESS="<control-id> <button-id>" a dialog it shows first is answered);
#   tools/screenshot.sh <cross-build> drive "<tab> <button>" <out.png> -- <program.exe> [args...]
#       starts the program, shows tab <tab> of its panel once the settings are read, and takes
#       the frame, or with a button other than 0 the detail dialog that button opens.
# Run it inside tools/wine-session.sh (which owns the prefix and the wineserver).
set -eu
build=$(cd "$1" && pwd); mode=$2; what=$3; out=$4; shift 4
[ "${1:-}" = "--" ] && shift
bin="$build/bin"
work=$(mktemp -d "$build/shot.XXXXXX")
xpid=""
cleanup() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=""
for n in 91 92 93 94 95 96 97 98; do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "screenshot: no free X display" >&2; exit 1; }
# The Wine desktop holds the largest window; on a screen of more dots per inch (RP_DPI, set by
# tools/wine-session.sh) it grows with the windows, so that none is cut off.
dpi=${RP_DPI:-96}
[ "$dpi" -ge 96 ] 2>/dev/null || dpi=96
size="$((1024 * dpi / 96))x$((768 * dpi / 96))"
Xvfb "$display" -screen 0 "$((1280 * dpi / 96))x$((1024 * dpi / 96))x24" -nolisten tcp >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display" RP_WINE_DISPLAY=1

winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
rect="$work/rect"
desktop="rpshot$$"
case $mode in
  dialog)
    "$build/wine-run" explorer "/desktop=$desktop,$size" "$bin/rp_shot.exe" show "$what" "$(winpath "$rect")" \
      </dev/null >"$work/run.log" 2>&1 &
    ;;
  window)
    "$build/wine-run" explorer "/desktop=$desktop,$size" "$@" </dev/null >"$work/run.log" 2>&1 &
    # RP_SHOT_PRESS="<control-id> <button-id>": first press a button of a dialog the program shows
    # (for example OK of the printer selection dialog: "285 1052").
    if [ -n "${RP_SHOT_PRESS:-}" ]; then
      # shellcheck disable=SC2086
      "$build/wine-run" explorer "/desktop=$desktop,$size" "$bin/rp_shot.exe" press $RP_SHOT_PRESS \
        </dev/null >>"$work/run.log" 2>&1 &
    fi
    "$build/wine-run" explorer "/desktop=$desktop,$size" "$bin/rp_shot.exe" rect "$what" "$(winpath "$rect")" \
      </dev/null >>"$work/run.log" 2>&1 &
    ;;
  drive)
    "$build/wine-run" explorer "/desktop=$desktop,$size" "$@" </dev/null >"$work/run.log" 2>&1 &
    # shellcheck disable=SC2086
    "$build/wine-run" explorer "/desktop=$desktop,$size" "$bin/rp_shot.exe" drive $what "$(winpath "$rect")" \
      </dev/null >>"$work/run.log" 2>&1 &
    ;;
  *) echo "screenshot: unknown mode $mode" >&2; exit 2 ;;
esac
for _ in $(seq 600); do [ -s "$rect" ] && break; sleep 0.1; done
[ -s "$rect" ] || { echo "screenshot: the window did not appear" >&2; cat "$work/run.log" >&2; exit 1; }
read -r x y w h < "$rect"
win=$(xdotool search --name "^$desktop" 2>/dev/null | head -n 1)
[ -n "$win" ] || { echo "screenshot: no Wine desktop window" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
import -window "$win" "$work/full.png"
convert "$work/full.png" -crop "${w}x${h}+${x}+${y}" +repage "$out"
touch "$rect.done"
echo "screenshot: $out"
