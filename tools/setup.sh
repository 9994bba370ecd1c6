#!/bin/sh
# Makes a Debian 12 machine ready to build and test RemotePanel (run as root). Installs only what is
# missing, so a second run takes a second.
#   tools/setup.sh [help-screenshots]   the option adds what tools/help-screenshots.sh needs
set -eu
# Both Windows builds: x64 (MinGW-w64 x86_64, wine64) and x86 (MinGW-w64 i686, and Debian's i386
# wine32, with which wine64 runs 32-bit programs in the same 64-bit prefix). The release's MSI
# packages: wixl, and msitools' msibuild and msiinfo.
packages="cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64 wine32:i386
  xvfb xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho locales python3 file python3-chm
  wixl msitools"
# Installed without the packages they recommend: fp-utils (chmcmd, the help compiler) would bring
# the whole Free Pascal compiler along.
lean="fp-utils"
[ "${1:-}" = help-screenshots ] && lean="$lean chromium libchm-bin"

missing() {
  out=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || out="$out $p"
  done
  echo "$out"
}

# install [apt-get options --] <packages>
install() {
  options=""
  if [ "${1:-}" = --no-install-recommends ]; then options=$1; shift; fi
  [ -n "$*" ] || return 0
  if [ "$(id -u)" != 0 ]; then
    echo "setup: these packages are missing and need root to install: $*" >&2
    exit 1
  fi
  echo "setup: installing $*"
  export DEBIAN_FRONTEND=noninteractive
  # wine32:i386 comes from the i386 side of the archive; the next apt-get update fetches its lists.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture (for wine32)"
    dpkg --add-architecture i386
  fi
  # A fresh machine's package lists may be missing or stale, and a mirror may fail for a moment:
  # up to three attempts, each with fresh lists.
  attempt=1
  while :; do
    # shellcheck disable=SC2086
    if apt-get update -qq && apt-get install -y -qq $options "$@" >/dev/null; then break; fi
    if [ $attempt -ge 3 ]; then echo "setup: apt-get failed to install: $*" >&2; exit 1; fi
    attempt=$((attempt + 1)); echo "setup: apt-get failed; trying again ($attempt of 3)" >&2; sleep 10
  done
}

# shellcheck disable=SC2046,SC2086
install $(missing $packages)
# shellcheck disable=SC2046,SC2086
install --no-install-recommends $(missing $lean)
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: the ja_JP.UTF-8 locale is missing and needs root to generate" >&2
    exit 1
  fi
  echo "setup: generating the ja_JP.UTF-8 locale"
  sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
echo "setup: ready"
