#!/bin/sh
# Gives a test run its own prefix: a copy of the template. The large, never-written files (DLLs,
# fonts) are hard links; the registry and the user folders are real copies.
set -eu
src=$1 dest=$2
lock="$dest.lock"
mkdir -p "$(dirname "$dest")"
exec 9>"$lock"
flock 9
[ -f "$dest/.rp-ready" ] && exit 0
rm -rf "$dest.tmp"
cp -al "$src" "$dest.tmp"
for f in "$dest.tmp"/*.reg "$dest.tmp"/.update-timestamp; do
  [ -e "$f" ] && { cp --remove-destination "$src/${f##*/}" "$f"; }
done
for d in drive_c/users drive_c/ProgramData drive_c/windows/temp; do
  if [ -d "$src/$d" ]; then rm -rf "$dest.tmp/$d"; cp -a "$src/$d" "$dest.tmp/$d"; fi
done
find "$dest.tmp/drive_c/windows" -maxdepth 1 -name '*.ini' -exec sh -c 'for f; do cp --remove-destination "'"$src"'/drive_c/windows/${f##*/}" "$f"; done' sh {} +
rm -rf "$dest"
mv "$dest.tmp" "$dest"
