#!/bin/sh
# Figure of rpsettings (not a test): `copy` from one virtual printer to N others (50 unless given),
# as time per printer, against one `qmxctl block` read of a target printer in the same Wine
# session, each the median of some rounds. Both are whole process runs, so the copy's own start is
# shown apart as well: the marginal time per printer is (copy to N - copy to 1) / (N - 1). Then
# `import` of one file to the N printers with the history kept (the default folder) against
# `--no-history`, alternating in the same rounds: the extra time per printer that the history costs.
#   tools/cli-figures.sh <cross-build> [printers] [rounds]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
printers=${2:-50}
rounds=${3:-5}
if [ -z "${RP_CLI_FIGURES_SESSION:-}" ]; then
  RP_CLI_FIGURES_SESSION=1 exec sh "$root/tools/wine-session.sh" "$build" -- \
    sh "$root/tools/cli-figures.sh" "$build" "$printers" "$rounds"
fi

run="$build/wine-run"
qmxctl() { "$run" "$build/bin/qmxctl.exe" "$@" >/dev/null; }
rpsettings() { "$run" "$build/bin/rpsettings.exe" "$@" >/dev/null; }
now_ms() { date +%s%N | cut -b1-13; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }'; }

qmxctl reset
qmxctl model install
qmxctl add SOURCE --spooler
qmxctl block SOURCE patch 25 46   # page length 70: every copy changes something
targets=""
i=1
while [ "$i" -le "$printers" ]; do
  qmxctl add "P$i" --spooler
  targets="$targets P$i"
  i=$((i + 1))
done

file="$build/cli-figures-source.txt"
"$run" "$build/bin/rpsettings.exe" export SOURCE "Z:$(echo "$file" | tr '/' '\\')" >/dev/null
copies="" singles="" reads="" kept="" unkept=""
round=1
while [ "$round" -le "$rounds" ]; do
  t0=$(now_ms)
  # shellcheck disable=SC2086
  rpsettings copy SOURCE $targets
  t1=$(now_ms)
  rpsettings copy SOURCE P1
  t2=$(now_ms)
  qmxctl block P1
  t3=$(now_ms)
  # shellcheck disable=SC2086
  rpsettings import $targets "Z:$(echo "$file" | tr '/' '\\')"
  t4=$(now_ms)
  # shellcheck disable=SC2086
  rpsettings import $targets "Z:$(echo "$file" | tr '/' '\\')" --no-history
  t5=$(now_ms)
  copies="$copies $((t1 - t0))" singles="$singles $((t2 - t1))" reads="$reads $((t3 - t2))"
  kept="$kept $((t4 - t3))" unkept="$unkept $((t5 - t4))"
  round=$((round + 1))
done
qmxctl reset

copy=$(echo "$copies" | tr ' ' '\n' | grep . | median)
single=$(echo "$singles" | tr ' ' '\n' | grep . | median)
read=$(echo "$reads" | tr ' ' '\n' | grep . | median)
with=$(echo "$kept" | tr ' ' '\n' | grep . | median)
without=$(echo "$unkept" | tr ' ' '\n' | grep . | median)
rm -f "$file"
awk -v n="$printers" -v copy="$copy" -v single="$single" -v read="$read" -v rounds="$rounds" \
    -v with="$with" -v without="$without" 'BEGIN {
  per = copy / n; marginal = (copy - single) / (n - 1)
  printf "rpsettings copy to %d virtual printers: %d ms (median of %d rounds)\n", n, copy, rounds
  printf "copy to 1 printer: %d ms; qmxctl block (one read, whole process): %d ms\n", single, read
  printf "time per printer: %.1f ms = %.2f x one qmxctl block run\n", per, per / read
  printf "marginal time per printer: %.1f ms = %.2f x one qmxctl block run\n", marginal, marginal / read
  printf "import to %d printers with history: %d ms, with --no-history: %d ms (medians)\n", n, with, without
  printf "history: %.1f ms extra per printer = %.2f x the import without it\n", (with - without) / n, with / without
}'
