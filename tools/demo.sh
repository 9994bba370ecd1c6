#!/bin/sh
# Builds the Windows program and runs it under Wine against a virtual printer, headless: the panel
# reads the printer's settings and shows them; a screenshot of the program's window is taken and
# its place is said. It uses the x86 Release build (build/cross-x86, the one tools/test.sh also
# makes): the build that users run, since the maker's KOVQMX.DLL is a 32-bit library.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${RP_BUILD_DIR:-$root/build}
sh tools/setup.sh
cross="$build/cross-x86"
cmake -S "$root" -B "$cross" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build "$cross" -j "${RP_JOBS:-2}"
shots="$cross/screenshots"
mkdir -p "$shots"
bin="$cross/bin"
if [ -x "$bin/remotepanel.exe" ] && [ -x "$bin/qmxctl.exe" ]; then
  sh tools/wine-session.sh "$cross" -- sh tools/demo-session.sh "$cross" "$shots/demo.png"
  echo "demo: the program ran on the virtual printer and shows its settings; screenshot: $shots/demo.png"
  if [ -f "$bin/remotepanel.chm" ]; then
    echo "demo: help: RPHLP names the built help file $bin/remotepanel.chm (the Help button opens it where an HTML Help viewer is)"
  fi
else
  echo "demo: remotepanel.exe is not built yet in this version of the project; showing the rig's"
  echo "demo: test dialog (Japanese resources under Wine) instead."
  sh tools/wine-session.sh "$cross" -- sh tools/screenshot.sh "$cross" dialog 9000 "$shots/demo.png"
  echo "demo: screenshot: $shots/demo.png"
fi
