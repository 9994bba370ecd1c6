#!/bin/sh
# Start-up figures of remotepanel.exe: the median time until its frame is shown against a program
# that shows one dialog, alternately in one Wine session (same prefix, same run), and their ratio.
#   tools/startup-figures.sh [<cross-build>] [rounds]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/cross-x86}" && pwd)   # the x86 build unless told
exec sh "$root/tools/wine-session.sh" "$build" -- \
  "$build/wine-run" "$build/bin/rp_startup_figures.exe" "${2:-15}"
