#!/bin/sh
# Makes a Wine prefix for the tests: Japanese locale, crash debugger off (a crash then exits at
# once instead of hanging in winedbg), null graphics driver when there is no X display, unmanaged
# X11 windows for screenshots, IPA fonts standing in for the MS Japanese fonts.
set -eu
dest=$1
wine64=${RP_WINE64:-/usr/lib/wine/wine64}
wineserver=${RP_WINESERVER:-/usr/lib/wine/wineserver}
tmp="$dest.tmp"
rm -rf "$tmp" "$dest"
mkdir -p "$tmp"
export WINEPREFIX="$tmp" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
"$wine64" wineboot -i </dev/null >/dev/null 2>&1
# 32-bit programs (the x86 build) need the prefix's 32-bit system folder, which wineboot fills only
# when Wine's 32-bit side (Debian's wine32:i386) is installed.
if [ "${RP_WINE_BITS:-64}" = 32 ] && [ ! -f "$tmp/drive_c/windows/syswow64/kernel32.dll" ]; then
  echo "make-wine-prefix: this Wine cannot run 32-bit programs (install wine32:i386: tools/setup.sh)" >&2
  "$wineserver" -k 2>/dev/null || true
  exit 1
fi
# Wine draws caption buttons and check marks with its Marlett font; this Wine does not find its own
# font folder, so the fonts go into the prefix's Fonts folder.
for font in /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
  [ -f "$font" ] && cp "$font" "$tmp/drive_c/windows/Fonts/"
done
reg="$tmp/rp-settings.reg"
{
  printf '\357\273\277Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"="-"\r\n"Auto"="0"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="x11,null"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="Y"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n"ＭＳ Ｐ明朝"="IPAPMincho"\r\n"ＭＳ 明朝"="IPAMincho"\r\n"MS UI Gothic"="IPAPGothic"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16 > "$reg"
cp "$reg" "$tmp/drive_c/rp-settings.reg"
"$wine64" regedit /s 'C:\rp-settings.reg' </dev/null >/dev/null 2>&1
rm -f "$tmp/drive_c/rp-settings.reg" "$reg"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
touch "$tmp/.rp-ready"
mv "$tmp" "$dest"
