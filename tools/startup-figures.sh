#!/bin/sh
# Start-up figures (a benchmark, not a test): remotepanel.exe until its panel shows the printer's
# settings against the floor program (only the platform's unavoidable work), and with 200 virtual
# printers until the selection dialog is shown against the floor with the same printers;
# alternating rounds in one Wine session (the three programs in each of their orders in turn),
# medians, and the breakdown of the program's time from its start-up trace. Ends with the lines
# "ratio settings/floor R" and "ratio selection200/floor200 R".
#   tools/startup-figures.sh [<cross-build>] [rounds]
# Without a build it configures and builds build/figures-x86: the x86 Release build, the one users
# run, with the start-up trace (-DRP_STARTUP_TRACE=ON); build/figures-x64 on a machine that cannot
# run 32-bit programs (tools/can-run-32bit.sh), and says so.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${1:-}" ]; then
  build=$(cd "$1" && pwd)
else
  arch=x86 toolchain=toolchain-mingw32.cmake
  if ! no32=$(sh "$root/tools/can-run-32bit.sh" --wine); then
    echo "startup-figures: this machine cannot run 32-bit programs ($no32); measuring the x64 build"
    arch=x64 toolchain=toolchain-mingw64.cmake
  fi
  build="$root/build/figures-$arch"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRP_STARTUP_TRACE=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
  cmake --build "$build" -j "${RP_JOBS:-2}" --target remotepanel rp_floor rp_min_dialog rp_startup_figures \
    qmxctl wine_prefix >/dev/null
fi
trace="$build/startup-trace.txt"
winpath=$(printf 'Z:%s' "$trace" | tr '/' '\\')
exec sh "$root/tools/wine-session.sh" "$build" -- \
  "$build/wine-run" "$build/bin/rp_startup_figures.exe" "${2:-15}" "$winpath"
