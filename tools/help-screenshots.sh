#!/bin/sh
# Renders topics of the compiled help file to look at the Japanese text and the layout: the file is
# unpacked with extract_chmLib (its topics in code page 932, as the viewer reads them) and each
# topic is taken by headless Chromium. PNGs go into <out>, one per topic.
#   tools/help-screenshots.sh [<remotepanel.chm> [<out> [<topic> ...]]]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
sh "$root/tools/setup.sh" help-screenshots >/dev/null
chm=${1:-$root/build/native/help/remotepanel.chm}
out=${2:-$(dirname "$chm")/help-screenshots}
[ $# -gt 2 ] && shift 2 || set --
topics=${*:-index toolbar panel-status states paper-head-centering format-feed-cut-sheet form-left-margin print-pressure select-list}
[ -f "$chm" ] || { echo "help-screenshots: no help file $chm (build the rp_help_chm target)" >&2; exit 2; }
rm -rf "$out"
mkdir -p "$out"
extract_chmLib "$chm" "$out/html" >/dev/null
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for topic in $topics; do
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size=760,900 \
    --screenshot="$out/$topic.png" "file://$out/html/$topic.htm" >/dev/null 2>&1
done
echo "help-screenshots: $(ls "$out"/*.png | wc -l) topics in $out"
