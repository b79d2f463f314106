#!/bin/sh
# Generates a workbook of 100,000 cells of which 20,000 are formulas, imports it with our
# workbook engine and has Gnumeric convert the same file to CSV, and prints the ratio of the
# two times measured in this run. Usage: tools/bench-import.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
bench=$build/bench/bench_sheet_workbook_import
if [ ! -x "$bench" ]; then
    echo "build the benchmark first: cmake --build $build --target bench_sheet_workbook_import" >&2
    exit 1
fi
. "$root/tools/bench-peer.sh"
need_ssconvert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 10,000 rows of ten cells: eight values (numbers, texts, booleans) and two formulas.
awk 'BEGIN {
    for (r = 1; r <= 10000; r++)
        printf "%d,%d.25,item %d,%s,%d,%g,%d,%d,=A%d*B%d+D%d,=SUM(A%d:B%d)/E%d\n",
               r, r % 97, r, (r % 2 ? "TRUE" : "FALSE"), r % 13 + 1, r / 7, r * 3, 100 - r % 50,
               r, r, r, r, r, r
}' > "$work/generated.csv"
compare_with_ssconvert "$work" "$bench" cells

awk -v ours="$ours_ns" -v theirs="$theirs_ns" -v cells="$count" 'BEGIN {
    printf "cells imported:           %d\n", cells
    printf "our import (best of 5):   %.1f ms\n", ours / 1e6
    printf "ssconvert to CSV (best of 3, whole process): %.1f ms\n", theirs / 1e6
    printf "ratio ours / ssconvert:   %.3f\n", ours / theirs
}'
