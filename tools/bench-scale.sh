#!/bin/sh
# How publishing and published movies scale, against Gnumeric's ssconvert on the same files in
# the same run. Generated workbooks (tools/bench-workbook.py): 100,000 and 1,000,000 cells of
# values, running totals, conditional sums, lookups and text formulas, and a running total
# B{r} = SUM($A$2:A{r}) over 3,000 rows. For each it prints the median of paired whole-process
# runs (our publish of all formulas to a movie, ssconvert to CSV) and their ratio; then, when
# the test player is installed, how long the 100,000-cell movie takes in Ruffle to show its
# values beside what ssconvert --recalc spends calculating the same workbook, and how long a
# dashboard over that workbook takes to recalculate after a slider change of an input that a
# hundred formulas depend on (goal: within a frame, 33 ms).
# Usage: tools/bench-scale.sh [build folder] [pairs, at least 7]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
pairs=${2:-7}
publish=$build/tools/vantorel-publish/vantorel-publish
maker=$build/tests/make_publish_movies
asc=$build/tools/vantorel-asc/vantorel-asc
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

# pair_runs <label> <workbook> <goal>: runs ours and ssconvert in turn, pairs times, and prints
# medians, the ratio against the goal given and what our run left.
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
    awk -v label="$1" -v ours="$ours" -v theirs="$theirs" -v n="$pairs" -v result="$result" -v goal="$3" 'BEGIN {
        printf "%-34s ours %8.1f ms  ssconvert %8.1f ms  ratio %.2f (%s; medians of %d pairs)\n",
               label, ours / 1e6, theirs / 1e6, ours / theirs, goal, n
        printf "%-34s %s\n", "", result
    }'
}

"$root/tools/bench-workbook.py" mixed 10000 "$work/cells100k.xlsx"
"$root/tools/bench-workbook.py" mixed 100000 "$work/cells1m.xlsx"
"$root/tools/bench-workbook.py" running 3000 "$work/running3000.xlsx"

echo "publishing, whole processes (our movie of all formulas; ssconvert to CSV):"
pair_runs "100,000 cells, 20,000 formulas" "$work/cells100k.xlsx" "goal <= 0.80"
pair_runs "1,000,000 cells, 200,000 formulas" "$work/cells1m.xlsx" "goal <= 0.80"
pair_runs "3,000-row running total" "$work/running3000.xlsx" "its goals are the movie's size and time below"

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

if [ ! -x "$maker" ] || [ ! -x "$asc" ] || [ ! -d "$root/tests/player/node_modules/@ruffle-rs/ruffle" ]; then
    echo "in Ruffle: not measured (build make_publish_movies and vantorel-asc; tools/setup.sh --tests" \
         "installs the player)"
    exit 0
fi
# The peer's calculation: ssconvert --recalc less the plain conversion, medians.
rm -f "$work/times"
for i in $(seq "$pairs"); do elapsed_ns ssconvert --recalc "$work/cells100k.xlsx" "$work/out.csv"; done
mv "$work/times" "$work/recalc"
for i in $(seq "$pairs"); do elapsed_ns ssconvert "$work/cells100k.xlsx" "$work/out.csv"; done
peer=$(awk -v a="$(median "$work/recalc")" -v b="$(median "$work/times")" 'BEGIN { print (a - b) / 1e6 }')
# first_calc <name>: the ms Ruffle took to load the movie and show the values of its first
# calculation, less the probe's fixed wait (empty when it did not finish); prints the player's line.
first_calc() {
    line=$(node "$root/tests/player/lib/firstcalc.mjs" "$work/movies" "$1" | sed -n 1p)
    echo "$line" >&2
    echo "$line" | sed -n 's/.* finished after \([0-9]*\) ms.*/\1/p' | awk '{ print $1 - 1500 }'
}
# What any movie costs the player to start and load, as plain ssconvert is the peer's: a running
# total of ten rows.
"$root/tools/bench-workbook.py" running 10 "$work/running10.xlsx"
"$maker" "$work/movies" "$work/running10.xlsx" >/dev/null
"$maker" "$work/movies" "$work/cells100k.xlsx" >/dev/null
"$maker" "$work/movies" "$work/running3000.xlsx" >/dev/null
base=$(first_calc running10-formulas 2>/dev/null)
ours=$(first_calc cells100k-formulas 2>/dev/null)
echo "in Ruffle (less the probe's wait and the ${base:-?} ms a ten-row movie takes to show its values):"
if [ -n "$ours" ] && [ -n "$base" ]; then
    awk -v ours="$ours" -v base="$base" -v peer="$peer" 'BEGIN {
        printf "100,000-cell movie: values shown after %.0f ms; ssconvert --recalc calculates in %.0f ms; ratio %.2f (goal <= 3)\n",
               ours - base, peer, (ours - base) / (peer > 1 ? peer : 1)
    }'
else
    echo "100,000-cell movie: did not finish its first calculation"
fi
echo "3,000-row running total: movie of $(stat -c %s "$work/movies/running3000-formulas.swf") bytes (goal < 1,048,576)"
running=$(first_calc running3000-formulas 2>/dev/null)
if [ -n "$running" ] && [ -n "$base" ]; then
    awk -v ms="$running" -v base="$base" 'BEGIN { printf "  calculated in %.0f ms (goal < 1000)\n", ms - base }'
else
    echo "  did not finish its first calculation"
fi

# A dashboard over the same workbook: a slider on K1, which L1:L100 depend on, a display of
# L100 and one of M1, which counts the numbers of I and J and so keeps every formula of the
# workbook in the movie.
cat > "$work/dashboard.json" <<'EOF'
{
  "workbook": "cells100k.xlsx",
  "canvas": {"width": 400, "height": 300, "paper": "#FFFFFF"},
  "components": [
    {"symbol": "KVSliderHSymbol", "name": "Input", "x": 10, "y": 10, "width": 360, "height": 60,
     "parameters": {"General": {"mv": "Data!K1"}, "Behavior": {"minValue": 0, "maxValue": 100, "incSize": 1}}},
    {"symbol": "KVValueDisplaySymbol", "name": "Last", "x": 10, "y": 90, "width": 360, "height": 60,
     "parameters": {"General": {"mv": "Data!L100"}}},
    {"symbol": "KVValueDisplaySymbol", "name": "Count", "x": 10, "y": 170, "width": 360, "height": 60,
     "parameters": {"General": {"mv": "Data!M1"}}}
  ]
}
EOF
mkdir -p "$work/probe"
"$publish" -q --map "$work/dashboard.map" "$work/dashboard.json" "$work/cells100k.xlsx" "$work/probe/dashboard.swf" \
    >/dev/null
variable() { awk -F '\t' -v cell="$1" '$3 == cell { print $1 }' "$work/dashboard.map"; }
"$root/tools/bench-recalc-probe.py" "$asc" movies/dashboard.swf "$(variable K1)" "$(variable L100)" \
    "$work/probe/probe.swf"
# The probe's slider change writes 5: L100 = 100 * 5 + I1 = 501.
echo "dashboard over 100,000 cells, one input with 100 dependents changed (goal: within 33 ms; dependent 501):"
node "$root/tests/player/lib/recalc.mjs" "$work/probe" probe.swf || echo "  not measured: the probe did not finish"
