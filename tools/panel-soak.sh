#!/bin/sh
# Runs the panel's model-based test longer than the test command does: random sequences of user and
# printer events against virtual printers, 100 steps per seed from <first-seed> on, checking after
# every step what must always hold (tests/gui/panel_dialog_state_test.cpp). Prints the seed of any
# failure; exits non-zero when one failed.
#   tools/panel-soak.sh [steps] [first-seed] [<cross-build>]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
steps=${1:-10000} seed=${2:-1}
build=$(cd "${3:-$(sh "$root/tools/default-build.sh" panel-soak)}" && pwd)
cmake --build "$build" -j "${RP_JOBS:-2}" --target gui_panel_dialog_tests wine_prefix >/dev/null
log="$build/panel-soak.log"
echo "panel-soak: $steps steps from seed $seed in $build (log: $log)"
if RP_SOAK_STEPS=$steps RP_SOAK_SEED=$seed sh "$root/tools/wine-session.sh" "$build" -- \
     "$build/wine-run" "$build/bin/gui_panel_dialog_tests.exe" --gtest_filter='PanelSoak.*' >"$log" 2>&1; then
  echo "panel-soak: $steps steps clean (seeds $seed to $((seed + (steps + 99) / 100 - 1)))"
else
  grep -a -E 'seed [0-9]+ (step|failed)' "$log" | sort -u | head -n 20
  echo "panel-soak: FAILED (see $log)"
  exit 1
fi
