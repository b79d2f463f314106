#!/bin/sh
# Generates a workbook of 100,000 cells with 20,000 formulas (running totals 5,000 deep,
# lookups, conditional sums over 5,000 rows), publishes it as a movie of all its formulas with
# our code and has Gnumeric convert the same file to CSV, and prints the ratio of the two
# times measured in this run; then plays the movie in Ruffle and prints how long its first
# calculation took. Usage: tools/bench-publish.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
bench=$build/bench/bench_publish_movie
maker=$build/tests/make_publish_movies
if [ ! -x "$bench" ] || [ ! -x "$maker" ]; then
    echo "build first: cmake --build $build --target bench_publish_movie make_publish_movies install_folder" >&2
    exit 1
fi
. "$root/tools/bench-peer.sh"
need_ssconvert
export VANTOREL_INSTALL_DIR="${VANTOREL_INSTALL_DIR:-$build/install}"
export VANTOREL_SOURCE_DIR="$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 10,000 rows of ten cells: eight values and two formulas. Column I keeps running totals in
# two blocks of 5,000 rows; column J looks a key up (odd rows) or sums the first 5,000 rows of
# A where E matches (even rows).
awk 'BEGIN {
    for (r = 1; r <= 10000; r++) {
        total = (r == 1 || r == 5001) ? sprintf("=A%d", r) : sprintf("=I%d+A%d", r - 1, r)
        other = (r % 2) ? sprintf("=INDEX($B$1:$B$5000,MATCH(E%d,$E$1:$E$5000,0))", r) \
                        : sprintf("=SUMIF($E$1:$E$5000,E%d,$A$1:$A$5000)", r)
        printf "%d,%d.25,item %d,%s,%d,%g,%d,%d,\"%s\",\"%s\"\n",
               r, r % 97, r, (r % 2 ? "TRUE" : "FALSE"), r % 13 + 1, r / 7, r * 3, 100 - r % 50, total, other
    }
}' > "$work/generated.csv"
compare_with_ssconvert "$work" "$bench" bytes

awk -v ours="$ours_ns" -v theirs="$theirs_ns" -v bytes="$count" 'BEGIN {
    printf "movie written:                               %d bytes\n", bytes
    printf "our publish, workbook to .swf (best of 3):   %.1f ms\n", ours / 1e6
    printf "ssconvert to CSV (best of 3, whole process): %.1f ms\n", theirs / 1e6
    printf "ratio ours / ssconvert:                      %.3f\n", ours / theirs
}'

"$maker" "$work/movies" "$work/generated.xlsx"
if [ -d "$root/tests/player/node_modules/@ruffle-rs/ruffle" ]; then
    node "$root/tests/player/lib/firstcalc.mjs" "$work/movies" generated-formulas
else
    echo "first calculation in Ruffle: not measured (tools/setup.sh --tests installs the player)"
fi
