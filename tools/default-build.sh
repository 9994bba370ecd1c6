#!/bin/sh
# The cross build that the screenshot scripts take when they are given none: build/cross-x86, the
# build users run, where this machine can run 32-bit programs; build/cross (x64) elsewhere, said on
# standard error by <who>.
#   tools/default-build.sh <who>
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RP_BUILD_DIR:-$root/build}
if no32=$(sh "$root/tools/can-run-32bit.sh" --wine); then
  echo "$build/cross-x86"
else
  echo "$1: this machine cannot run 32-bit programs ($no32); using the x64 build" >&2
  echo "$build/cross"
fi
