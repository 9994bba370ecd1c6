#!/bin/sh
# Makes a Debian 12 machine ready to build and test RemotePanel (run as root). Installs only what is
# missing, so a second run takes a second.
#   tools/setup.sh [help-screenshots]   the option adds what tools/help-screenshots.sh needs
# The 64-bit packages are required: set-up fails when apt cannot install them. Wine's 32-bit side
# (wine32:i386, for running the x86 build) is optional: it is installed only where this machine can
# run 32-bit programs at all (tools/can-run-32bit.sh), and when it cannot be installed set-up says
# so and goes on; tools/test.sh then skips the x86 Wine suite.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
# Both Windows builds are compiled here: x64 (MinGW-w64 x86_64, wine64) and x86 (MinGW-w64 i686).
# The release's MSI packages: wixl, and msitools' msibuild and msiinfo. rpsettings' JSON documents are
# checked against their schema with python3-jsonschema.
packages="cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64
  xvfb xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho locales python3 file python3-chm python3-jsonschema
  wixl msitools"
# Installed without the packages they recommend: fp-utils (chmcmd, the help compiler) would bring
# the whole Free Pascal compiler along.
lean="fp-utils"
[ "${1:-}" = help-screenshots ] && lean="$lean chromium libchm-bin"
# With it, wine64 runs the x86 build's 32-bit programs in the same 64-bit prefix.
wine32="wine32:i386"

missing() {
  out=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || out="$out $p"
  done
  echo "$out"
}

need_root() {
  [ "$(id -u)" = 0 ] && return 0
  echo "setup: $*" >&2
  exit 1
}

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -rf "$log" "$log.sources"' EXIT

# A mirror may be briefly inconsistent: apt-get update then fetches every index but one and exits
# non-zero. That is a warning: what was fetched is used. The suites whose index failed are kept in
# $failed_suites for the one call that may have to leave them out.
failed_suites=""
update() {
  if apt-get update -qq >"$log" 2>&1; then failed_suites=""; return 0; fi
  sed 's/^/setup: apt-get update: /' "$log" >&2
  failed_suites=$(sed -n 's|^E: Failed to fetch .*/dists/\([^/ ]*\)/.*|\1|p' "$log" | sort -u | tr '\n' ' ' | sed 's/ $//')
  echo "setup: warning: some package indexes could not be fetched${failed_suites:+ ($failed_suites)}; going on with the others" >&2
}

# install_required [--no-install-recommends] <packages>: up to three attempts, each with fresh
# lists; the last failure ends set-up with apt's own message.
install_required() {
  options=""
  if [ "${1:-}" = --no-install-recommends ]; then options=$1; shift; fi
  [ -n "$*" ] || return 0
  need_root "these packages are missing and need root to install:$*"
  echo "setup: installing $*"
  attempt=1
  while :; do
    update
    # shellcheck disable=SC2086
    apt-get install -y -qq $options "$@" >/dev/null && return 0
    if [ $attempt -ge 3 ]; then echo "setup: apt-get failed to install:$*" >&2; exit 1; fi
    attempt=$((attempt + 1)); echo "setup: apt-get failed; trying again ($attempt of 3)" >&2; sleep 10
  done
}

# without_suites <suites>: apt options for one call that leaves those suites out, with a copy of
# this machine's package sources (the machine's own stay as they are). The 64-bit libraries already
# installed from a left-out suite may be newer than anything the other suites offer for i386, and a
# library installed for both architectures must have one version: the remaining suites are pinned
# above 1000 so that apt may take such a library back to the version both architectures have.
without_suites() {
  dir="$log.sources"
  rm -rf "$dir" && mkdir -p "$dir/preferences.d"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v drop=" $1 " '
      function flush() { if (stanza != "" && keep) printf "%s\n", stanza; stanza = ""; keep = 1 }
      BEGIN { keep = 1 }
      /^[ \t]*$/ { flush(); next }
      {
        if ($1 == "Suites:") {
          line = "Suites:"
          for (i = 2; i <= NF; i++) if (index(drop, " " $i " ") == 0) line = line " " $i
          if (line == "Suites:") keep = 0
          $0 = line
        }
        stanza = stanza $0 "\n"
      }
      END { flush() }' "$f" > "$dir/$(basename "$f")"
  done
  : > "$dir/sources.list"
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    awk -v drop=" $1 " '{ keep = 1; for (i = 1; i <= NF; i++) if (index(drop, " " $i " ")) keep = 0 } keep' \
      "$f" >> "$dir/sources.list"
  done
  kept=$(cat "$dir"/*.sources "$dir/sources.list" 2>/dev/null |
    awk '$1 == "Suites:" { for (i = 2; i <= NF; i++) print $i } $1 == "deb" { sub(/\[[^]]*\] */, ""); print $3 }' | sort -u)
  for suite in $kept; do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: 1001\n\n' "$suite"
  done > "$dir/preferences"
  echo "--no-remove --allow-downgrades -o Dir::Etc::SourceParts=$dir -o Dir::Etc::SourceList=$dir/sources.list" \
    "-o Dir::Etc::Preferences=$dir/preferences -o Dir::Etc::PreferencesParts=$dir/preferences.d"
}

# Wine's 32-bit side: never a reason for set-up to fail.
install_wine32() {
  [ -n "$(missing $wine32)" ] || return 0
  if ! why=$(sh "$here/can-run-32bit.sh"); then
    echo "setup: not installing $wine32: this machine cannot run 32-bit programs ($why); the x86 build is compiled but its Wine suite is skipped"
    return 0
  fi
  need_root "$wine32 (Wine's 32-bit side) is missing and needs root to install"
  echo "setup: installing $wine32"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture (for $wine32)"
    dpkg --add-architecture i386
  fi
  update
  apt-get install -y -qq --no-remove "$wine32" >/dev/null 2>"$log" && return 0
  # With one suite's i386 index missing, the 64-bit libraries installed from that suite are newer
  # than any i386 package the other indexes offer, and apt finds no solution: once more without it.
  if [ -n "$failed_suites" ]; then
    echo "setup: trying $wine32 once more without the suites whose index is missing: $failed_suites"
    # shellcheck disable=SC2046
    if apt-get install -y -qq $(without_suites "$failed_suites") "$wine32" >/dev/null 2>"$log"; then
      echo "setup: $wine32 installed without $failed_suites"
      return 0
    fi
  fi
  sed 's/^/setup: apt-get: /' "$log" >&2
  echo "setup: warning: $wine32 could not be installed: Wine cannot run 32-bit programs here, so the x86 build is compiled but its Wine suite is skipped"
}

# shellcheck disable=SC2046,SC2086
install_required $(missing $packages)
# shellcheck disable=SC2046,SC2086
install_required --no-install-recommends $(missing $lean)
install_wine32
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  need_root "the ja_JP.UTF-8 locale is missing and needs root to generate"
  echo "setup: generating the ja_JP.UTF-8 locale"
  sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
echo "setup: ready"
