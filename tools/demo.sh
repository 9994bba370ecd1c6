#!/bin/sh
# Builds the Windows program and runs it under Wine against a virtual printer, headless: the panel
# reads the printer's settings and shows them; a screenshot of the program's window is taken and
# its place is said. It uses the x86 Release build (build/cross-x86, the one tools/test.sh also
# makes): the build that users run, since the maker's KOVQMX.DLL is a 32-bit library. On a machine
# that cannot run 32-bit programs (tools/can-run-32bit.sh) it shows the x64 build (build/cross, the
# x64 build of tools/test.sh) and says so.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${RP_BUILD_DIR:-$root/build}
sh tools/setup.sh
if no32=$(sh tools/can-run-32bit.sh --wine); then
  cross="$build/cross-x86"
  cmake -S "$root" -B "$cross" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
else
  echo "demo: this machine cannot run 32-bit programs ($no32); showing the x64 build"
  cross="$build/cross"
  cmake -S "$root" -B "$cross" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
fi
cmake --build "$cross" -j "${RP_JOBS:-2}"
shots="$cross/screenshots"
mkdir -p "$shots"
bin="$cross/bin"
sh tools/wine-session.sh "$cross" -- sh tools/demo-session.sh "$cross" "$shots/demo.png"
echo "demo: the program ran on the virtual printer and shows its settings; screenshot: $shots/demo.png"
if [ -f "$bin/remotepanel.chm" ]; then
  echo "demo: help: RPHLP names the built help file $bin/remotepanel.chm (the Help button opens it where an HTML Help viewer is)"
fi
