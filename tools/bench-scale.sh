#!/bin/sh
# How publishing and published movies scale, against Gnumeric's ssconvert on the same files in
# the same run. Generated workbooks (tools/bench-workbook.py): 100,000 and 1,000,000 cells of
# values, running totals, conditional sums, lookups and text formulas, and a running total
# B{r} = SUM($A$2:A{r}) over 3,000 rows. For each it prints the median of paired whole-process
# runs (our publish of all formulas to a movie, ssconvert to CSV) and their ratio; then, when
# the test player is installed, how long the 100,000-cell movie takes in Ruffle to show its
# values beside what ssconvert --recalc spends calculating the same workbook.
# Usage: tools/bench-scale.sh [build folder] [pairs, at least 7]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
pairs=${2:-7}
publish=$build/tools/vantorel-publish/vantorel-publish
maker=$build/tests/make_publish_movies
if [ ! -x "$publish" ]; then
    echo "build first: cmake --build $build --target vantorel-publish install_folder [make_publish_movies]" >&2
    exit 1
fi
. "$root/tools/bench-peer.sh"
need_ssconvert
export VANTOREL_INSTALL_DIR="${VANTOREL_INSTALL_DIR:-$build/install}"
export VANTOREL_SOURCE_DIR="$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# elapsed_ns <command...>: the wall time of one whole process in ns (its output discarded); sets
# last_rc to its exit code.
elapsed_ns() {
    start=$(date +%s%N)
    last_rc=0
    "$@" >/dev/null 2>&1 || last_rc=$?
    echo $(( $(date +%s%N) - start )) >> "$work/times"
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# pair_runs <label> <workbook>: runs ours and ssconvert in turn, pairs times, and prints medians,
# the ratio and what our run left.
pair_runs() {
    rm -f "$work/ours" "$work/theirs"
    ours_rc=0
    for i in $(seq "$pairs"); do
        : > "$work/times"
        elapsed_ns "$publish" -q --all-formulas "$2" "$work/movie.swf"
        ours_rc=$last_rc
        elapsed_ns ssconvert "$2" "$work/out.csv"
        sed -n 1p "$work/times" >> "$work/ours"
        sed -n 2p "$work/times" >> "$work/theirs"
    done
    ours=$(median "$work/ours")
    theirs=$(median "$work/theirs")
    if [ "$ours_rc" -eq 0 ]; then
        result="movie of $(stat -c %s "$work/movie.swf") bytes"
    else
        result="NOT PUBLISHED (exit $ours_rc): $("$publish" -q --all-formulas "$2" "$work/movie.swf" 2>&1 | head -1)"
    fi
    awk -v label="$1" -v ours="$ours" -v theirs="$theirs" -v n="$pairs" -v result="$result" 'BEGIN {
        printf "%-34s ours %8.1f ms  ssconvert %8.1f ms  ratio %.2f (goal <= 0.80; medians of %d pairs)\n",
               label, ours / 1e6, theirs / 1e6, ours / theirs, n
        printf "%-34s %s\n", "", result
    }'
}

"$root/tools/bench-workbook.py" mixed 10000 "$work/cells100k.xlsx"
"$root/tools/bench-workbook.py" mixed 100000 "$work/cells1m.xlsx"
"$root/tools/bench-workbook.py" running 3000 "$work/running3000.xlsx"

echo "publishing, whole processes (our movie of all formulas; ssconvert to CSV):"
pair_runs "100,000 cells, 20,000 formulas" "$work/cells100k.xlsx"
pair_runs "1,000,000 cells, 200,000 formulas" "$work/cells1m.xlsx"
pair_runs "3,000-row running total" "$work/running3000.xlsx"

# Peak memory of publishing the million cells, per cell of the workbook (GNU time's report).
if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M -o "$work/peak" "$publish" -q --all-formulas "$work/cells1m.xlsx" "$work/movie.swf" \
        >/dev/null 2>&1 || true
    awk -v kb="$(tail -1 "$work/peak")" 'BEGIN {
        printf "peak memory publishing 1,000,000 cells: %.0f MB, %.0f bytes a cell (goal <= 683)\n",
               kb / 1024, kb * 1024 / 1e6
    }'
else
    echo "peak memory: not measured (/usr/bin/time, Debian package time, is missing)"
fi

if [ ! -x "$maker" ] || [ ! -d "$root/tests/player/node_modules/@ruffle-rs/ruffle" ]; then
    echo "in Ruffle: not measured (build make_publish_movies; tools/setup.sh --tests installs the player)"
    exit 0
fi
# The peer's calculation: ssconvert --recalc less the plain conversion, medians.
rm -f "$work/times"
for i in $(seq "$pairs"); do elapsed_ns ssconvert --recalc "$work/cells100k.xlsx" "$work/out.csv"; done
mv "$work/times" "$work/recalc"
for i in $(seq "$pairs"); do elapsed_ns ssconvert "$work/cells100k.xlsx" "$work/out.csv"; done
peer=$(awk -v a="$(median "$work/recalc")" -v b="$(median "$work/times")" 'BEGIN { print (a - b) / 1e6 }')
"$maker" "$work/movies" "$work/cells100k.xlsx"
shown=$(node "$root/tests/player/lib/firstcalc.mjs" "$work/movies" cells100k-formulas | sed -n 1p)
echo "100,000-cell movie in Ruffle: $shown"
ms=$(echo "$shown" | sed -n 's/.* after \([0-9]*\) ms.*/\1/p')
if [ -n "$ms" ]; then
    awk -v ms="$ms" -v peer="$peer" 'BEGIN {
        ours = ms - 1500
        printf "values shown after %.0f ms (less the probe wait); ssconvert --recalc calculates in %.0f ms; ratio %.2f (goal <= 3)\n",
               ours, peer, ours / (peer > 1 ? peer : 1)
    }'
fi
