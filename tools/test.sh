#!/bin/sh
# Builds and runs every test of RemotePanel:
#   1. native (g++): unit tests of the portable rules, benchmarks built;
#   2. native with AddressSanitizer + UndefinedBehaviorSanitizer (g++): the same unit tests;
#   3. fuzzers (clang + libFuzzer): each fuzz target for a few seconds;
#   4. Windows cross builds (MinGW-w64), each with its in-process and end-to-end tests under Wine:
#      x64 (Debug, build/cross); x64 Release with -DRP_TESTS=OFF (build/cross-x64-release), built
#      only: the release's x64 programs; x86 (Release, build/cross-x86: the build that loads the
#      maker's 32-bit KOVQMX.DLL, run through Wine's 32-bit side), whose tests also make the
#      release (build/release: both MSI packages and zips) and install, run, upgrade and remove
#      both packages under Wine.
# On a machine that cannot run 32-bit programs (tools/can-run-32bit.sh; RP_NO_32BIT=1 makes any
# machine answer so) the x86 build and the release are still made, the installer tests run in the
# x64 suite (all but running the installed x86 program), and the x86 Wine suite is skipped: the
# summary says so and why, and a skip is neither a pass nor a failure.
# Installs what it needs first (tools/setup.sh). Exits non-zero when any build or test fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${RP_BUILD_DIR:-$root/build}
jobs=${RP_JOBS:-2}
sh tools/setup.sh || exit 1

mkdir -p "$build"
summary="$build/test-summary.txt"
: > "$summary"
status=0

started=$(date +%s)
note() { printf '\n=== %s (at %d s) ===\n' "$*" $(($(date +%s) - started)); }

# run_suite <name> <build-dir> <ctest args...>: ctest's result line is kept for the summary.
run_suite() {
  name=$1 dir=$2; shift 2
  log="$dir/ctest.log"
  if "$@" > "$log" 2>&1; then rc=0; else rc=$?; fi
  cat "$log"
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  total=$(printf '%s' "$line" | sed -n 's/.*out of \([0-9]*\).*/\1/p')
  failed=$(printf '%s' "$line" | sed -n 's/.* \([0-9]*\) tests failed.*/\1/p')
  if [ -z "$total" ]; then
    if [ "$rc" = 0 ] && grep -q 'No tests were found' "$log"; then
      echo "$name 0 0" >> "$summary"; return
    fi
    echo "$name: no test result (exit $rc)" >> "$summary"; status=1; return
  fi
  echo "$name $((total - failed)) $failed" >> "$summary"
  [ "$rc" = 0 ] && [ "$failed" = 0 ] || status=1
}

# configure_and_build <dir> [--target <t>... --] <cmake options...>
configure_and_build() {
  dir=$1; shift
  targets=""
  if [ "${1:-}" = --target ]; then
    shift
    while [ "$1" != -- ]; do targets="$targets $1"; shift; done
    shift
  fi
  cmake -S "$root" -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$jobs" ${targets:+--target $targets}
}

note "native build (g++)"
if configure_and_build "$build/native" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DRP_BENCHMARKS=ON; then
  run_suite native "$build/native" ctest --test-dir "$build/native" -j "$jobs" --output-on-failure
else echo "native: build failed" >> "$summary"; status=1; fi

# No file may include a header of a folder above its own (the layers are in the script).
note "include graph (tools/check-includes.py)"
if python3 tools/check-includes.py; then echo "includes 1 0" >> "$summary"
else echo "includes 0 1" >> "$summary"; status=1; fi

note "native build with sanitizers (g++, ASan + UBSan)"
if configure_and_build "$build/asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DRP_SANITIZE=ON; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite sanitizers "$build/asan" ctest --test-dir "$build/asan" -j "$jobs" --output-on-failure
else echo "sanitizers: build failed" >> "$summary"; status=1; fi

note "fuzzers (clang + libFuzzer, short runs)"
if configure_and_build "$build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DRP_FUZZ=ON -DRP_TESTS=OFF; then
  if [ -f "$build/fuzz/CTestTestfile.cmake" ] && ctest --test-dir "$build/fuzz" -N | grep -q 'Total Tests: [1-9]'; then
    run_suite fuzzers "$build/fuzz" ctest --test-dir "$build/fuzz" -j "$jobs" --output-on-failure
  fi
else echo "fuzzers: build failed" >> "$summary"; status=1; fi

# wine_suite <name> <build-dir> <build type> <toolchain> [cmake options]: a cross build and its tests
# under Wine.
wine_suite() {
  name=$1 dir=$2 type=$3 toolchain=$4; shift 4
  note "Windows cross build $name ($type, MinGW-w64) and tests under Wine"
  if ! configure_and_build "$dir" -DCMAKE_BUILD_TYPE="$type" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" "$@"; then
    echo "$name: build failed" >> "$summary"; status=1; return
  fi
  # A Wine test process very rarely dies at launch with no output (seen once in many hundred runs,
  # never reproduced): each test gets a second attempt, and every test that needed it is named in
  # the summary so a test that fails now and then does not go unnoticed.
  run_suite "$name" "$dir" sh tools/wine-session.sh "$dir" -- \
    ctest --test-dir "$dir" -j 1 --output-on-failure --repeat until-pass:2
  retried=$(grep -v '\*\*\*Skipped' "$dir/ctest.log" |
    sed -n 's/^.*Test *#[0-9]*: \([^ ]*\) \.*\*\*\*.*$/\1/p' | sort -u | tr '\n' ' ')
  [ -z "$retried" ] || echo "$name: failed at the first attempt: $retried" >> "$summary"
}
x64_release() {
  note "x64 Release without tests (-DRP_TESTS=OFF): the release's x64 programs and help"
  dir="$build/cross-x64-release"
  if configure_and_build "$dir" --target remotepanel rpsettings KOVQMX qmxctl rp_help_chm -- \
       -DCMAKE_BUILD_TYPE=Release -DRP_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake"; then
    echo "x64-release built (no tests)" >> "$summary"
  else echo "x64-release: build failed" >> "$summary"; status=1; fi
}

if no32=$(sh tools/can-run-32bit.sh --wine); then
  wine_suite wine-x64 "$build/cross" Debug toolchain-mingw64.cmake -DRP_PACKAGES_FROM=
  x64_release
  # Its tests make the release from its own programs and those of build/cross-x64-release.
  wine_suite wine-x86 "$build/cross-x86" Release toolchain-mingw32.cmake
else
  echo "test: this machine cannot run 32-bit programs ($no32): the x86 build is compiled, not run"
  x64_release
  note "x86 Release (MinGW-w64), compiled with its tests, not run"
  if configure_and_build "$build/cross-x86" -DCMAKE_BUILD_TYPE=Release \
       -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"; then
    echo "x86 built (not run)" >> "$summary"
  else echo "x86: build failed" >> "$summary"; status=1; fi
  # The x64 suite makes the release from the two Release builds and installs both packages.
  wine_suite wine-x64 "$build/cross" Debug toolchain-mingw64.cmake -DRP_PACKAGES_FROM="$build/cross-x86"
  echo "wine-x86 skipped: this machine cannot run 32-bit programs ($no32)" >> "$summary"
fi

note "summary"
passed=0 failed=0 skipped=0
while read -r name p f; do
  case $p in
    skipped:) printf '%-15s%s %s\n' "$name" "$p" "$f"; skipped=$((skipped + 1)); continue ;;
    ''|*[!0-9]*) echo "$name $p $f"; continue ;;
  esac
  printf '%-12s %5d passed, %d failed\n' "$name" "$p" "$f"
  passed=$((passed + p)); failed=$((failed + f))
done < "$summary"
case $skipped in
  0) skips="" ;;
  1) skips=", 1 suite skipped" ;;
  *) skips=", $skipped suites skipped" ;;
esac
echo "tests: $passed passed, $failed failed$skips ($(($(date +%s) - started)) s)"
exit $status
