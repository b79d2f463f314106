#!/usr/bin/env bash
# Runs every fuzz target of a build for a short, bounded time.
#   tools/fuzz.sh <build folder> [seconds per target]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?build folder}
seconds=${2:-20}
status=0
# As in the sanitized tests: the font configuration library's caches are not leaks.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); name=${name#fuzz_}
  corpus=$(mktemp -d)
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  # fuzz/<name>.shipped: the target also starts from the documents this build ships, without
  # their 8-byte version header (the target writes it), so the seeds never lag behind them.
  if [ -f "$root/fuzz/$name.shipped" ]; then
    shipped="$corpus.shipped"
    mkdir -p "$shipped"
    for document in "$build"/install/samples/*/*.vtd "$build"/install/template/*/*.vtd; do
      [ -f "$document" ] && tail -c +9 "$document" >"$shipped/$(basename "$document" .vtd)"
    done
    if [ -n "$(ls -A "$shipped")" ]; then
      seeds+=("$shipped")
    else
      echo "warning: $name runs without the shipped documents it starts from (none in $build/install;" \
           "build the target shipped_documents)"
    fi
  fi
  # A target without seeds starts from nothing and reaches far less in the same time: say so.
  [ ${#seeds[@]} -eq 0 ] && echo "warning: $name runs without a seed corpus (no fuzz/corpus/$name)"
  # fuzz/<name>.options: flags of one target, after the common ones so they win.
  extra=()
  [ -f "$root/fuzz/$name.options" ] && read -r -a extra < "$root/fuzz/$name.options"
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 \
       "${extra[@]}" -artifact_prefix="$build/fuzz/crash-$name-" "$corpus" "${seeds[@]}" \
       >"$build/fuzz/$name.log" 2>&1; then
    echo "fuzz target $name failed:"; tail -n 40 "$build/fuzz/$name.log"
    status=1
  fi
  rm -rf "$corpus" "$corpus.shipped"
done
echo "fuzz targets run: ${#targets[@]}"
exit $status
