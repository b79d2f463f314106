#!/usr/bin/env bash
# Builds everything and runs every test.
#   VANTOREL_SANITIZE=1  build with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
#   VANTOREL_FUZZ=1      also build the libFuzzer targets (clang)
#   VANTOREL_WERROR=1    treat compiler warnings as errors
#   VANTOREL_JOBS=N      build and test with N jobs (default: every core)
# Arguments go to CTest: tools/test.sh -R screen_user runs only the tests it picks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" --tests

build="$root/build"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ -n "${VANTOREL_SANITIZE:-}${VANTOREL_FUZZ:-}" ]; then
  build="$root/build-sanitize"
  options+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
  [ -n "${VANTOREL_SANITIZE:-}" ] && options+=(-DVANTOREL_SANITIZE=ON)
  [ -n "${VANTOREL_FUZZ:-}" ] && options+=(-DVANTOREL_FUZZ=ON)
fi
[ -n "${VANTOREL_WERROR:-}" ] && options+=(-DVANTOREL_WERROR=ON)
jobs=${VANTOREL_JOBS:-$(nproc)}

cmake -S "$root" -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 300 "$@"
