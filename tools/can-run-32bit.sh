#!/bin/sh
# Tells whether this machine can run 32-bit (i386) programs, by running one: some build machines
# have the kernel's IA-32 emulation switched off, and there every i386 program, Wine's 32-bit side
# included, fails with "Exec format error". The x86 build's programs run under Wine only where this
# answers yes; elsewhere they are built, not run.
#   tools/can-run-32bit.sh [--wine]
# Exit 0: it can. Exit 1: it cannot, and the reason is printed on standard output. With --wine,
# Wine's 32-bit side (Debian's wine32:i386) must be installed as well. RP_NO_32BIT=1 answers no,
# so that the path of such a machine can be tried on any machine.
set -u
if [ "${RP_NO_32BIT:-0}" = 1 ]; then echo "RP_NO_32BIT=1"; exit 1; fi
root=$(cd "$(dirname "$0")/.." && pwd)
dir="${RP_BUILD_DIR:-$root/build}"
mkdir -p "$dir" 2>/dev/null || dir=${TMPDIR:-/tmp}
probe=$(mktemp "$dir/.i386-probe.XXXXXX") || { echo "no folder to write the probe into"; exit 1; }
trap 'rm -f "$probe"' EXIT
# The smallest i386 Linux program: a static ELF whose entry point calls exit(42); a non-executable
# stack header keeps the kernel from warning about it.
printf '\177\105\114\106\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\164\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\2\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\173\0\0\0\173\0\0\0\5\0\0\0\0\20\0\0\121\345\164\144\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\6\0\0\0\20\0\0\0\263\52\61\300\100\315\200' >"$probe"
chmod +x "$probe"
out=$( ("$probe") 2>&1 )
rc=$?
if [ $rc != 42 ]; then
  why=$(printf '%s' "$out" | tail -n 1 | sed 's/.*: //')
  echo "an i386 program does not start: ${why:-exit code $rc}"
  exit 1
fi
if [ "${1:-}" = --wine ]; then
  wine32=/usr/lib/wine/wineserver32
  if [ ! -x "$wine32" ]; then echo "Wine's 32-bit side is not installed (wine32:i386)"; exit 1; fi
  if ! "$wine32" --version >/dev/null 2>&1; then echo "Wine's 32-bit side does not start ($wine32)"; exit 1; fi
fi
exit 0
