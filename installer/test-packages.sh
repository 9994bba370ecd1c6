#!/bin/sh
# Both release packages under Wine, each in a fresh prefix copied from the cross build's template
# (run by CTest after the release target):
#   1. with the training feature and PASSWORD (one that begins with "#", which Windows Installer
#      would read as a number or binary data unless the package says otherwise): the zip's files
#      byte for byte, the shortcut, RPHLP naming the installed help, the Password as given, and a
#      verbose log without the password; repaired without PASSWORD (REINSTALL=ALL with the modes
#      of msiexec /fomus and /fa, whose options Wine's msiexec does not take), the Password is as
#      it was; removed, the prefix is as it was (Windows Installer's own bookkeeping and Wine's
#      device list aside);
#   2. without options: no Password, no training files; a Password set by hand survives removal;
#   3. a package of a lower version (with PASSWORD), then this one without: one product is left,
#      with the Password kept, and the installed program runs (tests/e2e/e2e_installed_test.cpp)
#      where this machine can run it: an x86 program needs Wine's 32-bit side.
#   test-packages.sh <release-dir> <cross-build> <version> [<release-build>]
# The cross build gives the prefix and the test program; the release build (the cross build unless
# named) made the packages, and its staged files give the older package of step 3.
set -eu
release=$(cd "$1" && pwd) build=$(cd "$2" && pwd) version=$3
stage=$(cd "${4:-$2}" && pwd)/installer/stage
here=$(cd "$(dirname "$0")" && pwd)
wineserver=$(command -v /usr/lib/wine/wineserver wineserver | head -n 1)
work="$build/installer-test"
export RP_WINE_PREFIX="$work/prefix" WINEPREFIX="$work/prefix"
trap '"$wineserver" -k 2>/dev/null || true' EXIT
fail() { echo "FAIL ($arch): $*" >&2; exit 1; }
run() { "$build/wine-run" "$@" </dev/null; }
# msi <operation> <package> [properties...]
msi() {
  op=$1 file=$(printf 'Z:%s' "$2" | tr / '\\'); shift 2
  run msiexec "$op" "$file" "$@" /qn || fail "msiexec $op $file $*"
}
installed() {  # the package's product is registered
  code=$(msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p')
  run reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" $view >/dev/null 2>&1
}
value() { run reg query "$1" /v "$2" $view 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
# What a package may leave or take: registry keys and values, and files outside C:\windows. The
# Uninstall key that holds the products' keys is Windows Installer's: Wine's makes it for the first
# product of a view and leaves it, empty, after the removal (a prefix whose 32-bit side never ran
# has no such key in its 32-bit view before).
snapshot() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w
  awk -v noise='\\\\(Installer|Enum|Class|DeviceClasses)(\\\\|\\])|CurrentVersion\\\\\\\\Uninstall\\]' '
    /^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key); if (key !~ noise) print key; next }
    /^#/ || $0 == "" { next }
    key !~ noise { print key, $0 }' \
    "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -print | sort)
}

for arch in x86 x64; do
  pkg="$release/remotepanel-$version-$arch.msi"
  pw="#Pw-$arch-$$"
  if [ $arch = x86 ]; then pf='C:\Program Files (x86)' view=/reg:32; else pf='C:\Program Files' view=/reg:64; fi
  folder="$pf\\Kestrovane RemotePanel"
  unix_folder="$WINEPREFIX/drive_c/${pf#C:\\}/Kestrovane RemotePanel"
  suite='HKLM\Software\KOV\Kestrovane' model='HKLM\Software\KOV\Kestrovane\Printers\Brindlemark 400ZX'
  rm -rf "$work" && mkdir -p "$work/zip"
  (cd "$work/zip" && cmake -E tar xf "$release/remotepanel-$version-$arch.zip")
  zipped=$(cd "$work/zip" && find . -type f ! -name README.txt -exec basename {} \; | sort)
  packaged=$(msiinfo export "$pkg" File | tail -n +4 | cut -f3 | sort)
  [ "$zipped" = "$packaged" ] || fail "zip [$zipped] and package [$packaged] differ"

  run cmd /c exit
  snapshot > "$work/before"
  msi /i "$pkg" ADDLOCAL=ALL PASSWORD="$pw" /l*v "Z:$work/install.log"
  for f in $packaged; do cmp "$unix_folder/$f" "$(find "$work/zip" -name "$f")" || fail "$f differs"; done
  find "$WINEPREFIX/drive_c" -name 'Kestrovane リモートパネル.lnk' | grep -q . || fail "no shortcut"
  [ "$(value "$model" RPHLP)" = "$folder\\remotepanel.chm" ] || fail "RPHLP: $(value "$model" RPHLP)"
  [ "$(value "$suite" Password)" = "$pw" ] || fail "Password not written"
  grep -q WriteRegistryValues "$work/install.log" && ! grep -q -F "$pw" "$work/install.log" ||
    fail "no verbose log, or the password is in it"
  for mode in omus a; do
    msi /i "$pkg" REINSTALL=ALL REINSTALLMODE=$mode
    [ "$(value "$suite" Password)" = "$pw" ] || fail "repaired ($mode), the Password is: $(value "$suite" Password)"
  done
  msi /x "$pkg"
  snapshot | diff "$work/before" - || fail "the removal left or took the lines above"

  msi /i "$pkg"
  ! run reg query "$suite" /v Password $view >/dev/null 2>&1 && [ ! -e "$unix_folder/qmxctl.exe" ] ||
    fail "without options: a Password or the training files"
  run reg add "$suite" /v Password /d by-hand $view /f >/dev/null
  msi /x "$pkg"
  [ "$(value "$suite" Password)" = by-hand ] && [ -z "$(value "$model" RPHLP)" ] ||
    fail "a removal without PASSWORD took the Password set by hand, or left RPHLP"

  cmake -DARCH=$arch -DVERSION=0.1 -DSTAGE="$stage/remotepanel-$version-$arch" \
    -DMSI="$work/old.msi" -P "$here/Msi.cmake" >/dev/null 2>&1 || fail "no package 0.1"
  msi /i "$work/old.msi" ADDLOCAL=ALL PASSWORD="$pw"
  msi /i "$pkg" ADDLOCAL=ALL
  installed "$pkg" && ! installed "$work/old.msi" || fail "not one product"
  if [ $arch = x86 ] && ! why=$(sh "$here/../tools/can-run-32bit.sh" --wine); then
    echo "$arch: installed, repaired, removed and upgraded; the installed program is not run: this machine cannot run 32-bit programs ($why)"
  else
    RP_INSTALLED="$folder" RP_PASSWORD="$pw" run "$build/bin/e2e_installed_tests.exe" || fail "program"
    echo "$arch: installed, repaired, run, removed and upgraded"
  fi
  "$wineserver" -k
done
