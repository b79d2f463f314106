#!/bin/sh
# How publishing and published movies scale, against Gnumeric's ssconvert on the same files in
# the same run. Generated workbooks (tools/bench-workbook.py): 100,000 and 1,000,000 cells of
# values, running totals, conditional sums, lookups, text formulas and sliding 100-row sums,
# and a running total B{r} = SUM($A$2:A{r}) over 3,000 rows. The machine may be shared: every
# measure is taken in interleaved pairs (ours, then the peer's, again and again) and their
# medians compared, each line with its goal:
# - publishing, whole processes pinned to two processors: wall time and CPU time against
#   ssconvert's conversion to CSV, the CPU time also less what zlib takes to deflate the movie
#   at level 9 (the level movies are written at, timed alone on the movie's bytes), and peak
#   memory per cell against ssconvert's;
# - in Ruffle (when the test player is installed): a full recalculation of the 100,000-cell
#   model against what ssconvert --recalc spends calculating it (its time less the plain
#   conversion's), the first values of the 100,000- and 1,000,000-cell movies, and how long a
#   dashboard over the 100,000 cells takes to recalculate after a slider change of an input
#   that a hundred formulas depend on, without and with TODAY() and RAND() in the model (goal:
#   within a frame, 33 ms, and without going on over frames), and over the 100,000 and the
#   1,000,000 cells the longest call into the movie while a change of an input that thousands of
#   formulas depend on, and then a full recalculation, go on over frames (goal: 300 ms).
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

# elapsed_ns <command...>: the wall time of one whole process in ns (its output discarded), and
# its CPU time (user and system) in ns to $work/cpu; sets last_rc to its exit code.
elapsed_ns() {
    start=$(date +%s%N)
    last_rc=0
    /usr/bin/time -f "%U %S %M" -o "$work/usage" "$@" >/dev/null 2>&1 || last_rc=$?
    echo $(( $(date +%s%N) - start )) >> "$work/times"
    awk '{ printf "%.0f\n", ($1 + $2) * 1e9 }' "$work/usage" >> "$work/cpu"
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# pair_runs <label> <workbook>: runs ours and ssconvert in turn on two processors, pairs
# times, and prints the medians of wall and CPU time, their ratios against the goals and what
# our run left.
pair_runs() {
    rm -f "$work/ours" "$work/theirs" "$work/ours_cpu" "$work/theirs_cpu"
    ours_rc=0
    for i in $(seq "$pairs"); do
        : > "$work/times"
        : > "$work/cpu"
        elapsed_ns taskset -c 0,1 "$publish" -q --all-formulas "$2" "$work/movie.swf"
        ours_rc=$last_rc
        elapsed_ns taskset -c 0,1 ssconvert "$2" "$work/out.csv"
        sed -n 1p "$work/times" >> "$work/ours"
        sed -n 2p "$work/times" >> "$work/theirs"
        sed -n 1p "$work/cpu" >> "$work/ours_cpu"
        sed -n 2p "$work/cpu" >> "$work/theirs_cpu"
    done
    if [ "$ours_rc" -eq 0 ]; then
        result="movie of $(stat -c %s "$work/movie.swf") bytes"
    else
        result="NOT PUBLISHED (exit $ours_rc): $("$publish" -q --all-formulas "$2" "$work/movie.swf" 2>&1 | head -1)"
    fi
    deflate=$(deflate_ns "$work/movie.swf")
    awk -v label="$1" -v ours="$(median "$work/ours")" -v theirs="$(median "$work/theirs")" \
        -v oc="$(median "$work/ours_cpu")" -v tc="$(median "$work/theirs_cpu")" -v n="$pairs" -v result="$result" \
        -v zc="$deflate" 'BEGIN {
        printf "%-34s wall: ours %8.1f ms  ssconvert %8.1f ms  ratio %.2f (goal <= 1.00)\n", label, ours / 1e6, theirs / 1e6, ours / theirs
        printf "%-34s CPU:  ours %8.1f ms  ssconvert %8.1f ms  ratio %.2f\n", "", oc / 1e6, tc / 1e6, oc / tc
        printf "%-34s CPU less level-9 deflate (%.1f ms): ours %8.1f ms  ratio %.2f (goal <= 0.80)\n", "", zc / 1e6,
               (oc - zc) / 1e6, (oc - zc) / tc
        printf "%-34s %s; medians of %d interleaved pairs on 2 processors\n", "", result, n
    }'
}

# deflate_ns <movie>: the CPU time in ns zlib takes to deflate a compressed movie's body at level
# 9 on one processor (the movie is written in pieces on several, which costs about the same).
deflate_ns() {
    python3 - "$1" <<'PY'
import sys, time, zlib
data = open(sys.argv[1], "rb").read()
body = zlib.decompress(data[8:]) if data[:3] == b"CWS" else b""
start = time.process_time()
zlib.compress(body, 9)
print(int((time.process_time() - start) * 1e9))
PY
}

"$root/tools/bench-workbook.py" mixed 10000 "$work/cells100k.xlsx"
"$root/tools/bench-workbook.py" mixed 100000 "$work/cells1m.xlsx"
"$root/tools/bench-workbook.py" running 3000 "$work/running3000.xlsx"

echo "publishing, whole processes (our movie of all formulas; ssconvert to CSV):"
pair_runs "100,000 cells, 20,000 formulas" "$work/cells100k.xlsx"
pair_runs "1,000,000 cells, 200,000 formulas" "$work/cells1m.xlsx"

# Peak memory of publishing the million cells, per cell of the workbook (GNU time's report),
# against ssconvert's converting it, in pairs.
rm -f "$work/ours_kb" "$work/theirs_kb"
for i in $(seq 3); do
    /usr/bin/time -f %M -o "$work/peak" "$publish" -q --all-formulas "$work/cells1m.xlsx" "$work/movie.swf" \
        >/dev/null 2>&1 || true
    tail -1 "$work/peak" >> "$work/ours_kb"
    /usr/bin/time -f %M -o "$work/peak" ssconvert "$work/cells1m.xlsx" "$work/out.csv" >/dev/null 2>&1 || true
    tail -1 "$work/peak" >> "$work/theirs_kb"
done
awk -v ours="$(median "$work/ours_kb")" -v theirs="$(median "$work/theirs_kb")" 'BEGIN {
    printf "peak memory at 1,000,000 cells: ours %.0f MB, %.0f bytes a cell; ssconvert %.0f MB, %.0f bytes a cell; ratio %.2f (goal <= 1.20)\n",
           ours / 1024, ours * 1024 / 1e6, theirs / 1024, theirs * 1024 / 1e6, ours / theirs
}'

if [ ! -x "$maker" ] || [ ! -x "$asc" ] || [ ! -d "$root/tests/player/node_modules/@ruffle-rs/ruffle" ]; then
    echo "in Ruffle: not measured (build make_publish_movies and vantorel-asc; tools/setup.sh --tests" \
         "installs the player)"
    exit 0
fi
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
"$root/tools/bench-workbook.py" mixed 10000 "$work/volatile100k.xlsx" --volatile
"$root/tools/bench-workbook.py" mixed 10000 "$work/nosumif100k.xlsx" --no-sumif
for book in running10 cells100k cells1m running3000; do "$maker" "$work/movies" "$work/$book.xlsx" >/dev/null; done

# Dashboards over the 100,000 cells: a slider on K1, which L1:L100 depend on, a display of L100
# and one of M1, which counts the numbers of I and J and so keeps every formula of the
# workbook in the movie; over the workbook with TODAY() and RAND() also displays of those.
# dashboard <workbook> <name> [input shown]: the slider on another input, the display of
# another cell.
mkdir -p "$work/probe"
dashboard() {
    input=${3:-K1}
    shown=${4:-L100}
    extra=
    if [ "$2" = volatile ]; then
        extra=',
    {"symbol": "KVValueDisplaySymbol", "name": "Today", "x": 10, "y": 230, "width": 170, "height": 40,
     "parameters": {"General": {"mv": "Data!N1"}}},
    {"symbol": "KVValueDisplaySymbol", "name": "Random", "x": 190, "y": 230, "width": 170, "height": 40,
     "parameters": {"General": {"mv": "Data!N2"}}}'
    fi
    cat > "$work/$2.json" <<EOF
{
  "workbook": "$1",
  "canvas": {"width": 400, "height": 300, "paper": "#FFFFFF"},
  "components": [
    {"symbol": "KVSliderHSymbol", "name": "Input", "x": 10, "y": 10, "width": 360, "height": 60,
     "parameters": {"General": {"mv": "Data!$input"}, "Behavior": {"minValue": 0, "maxValue": 100, "incSize": 1}}},
    {"symbol": "KVValueDisplaySymbol", "name": "Last", "x": 10, "y": 90, "width": 360, "height": 60,
     "parameters": {"General": {"mv": "Data!$shown"}}},
    {"symbol": "KVValueDisplaySymbol", "name": "Count", "x": 10, "y": 170, "width": 360, "height": 50,
     "parameters": {"General": {"mv": "Data!M1"}}}$extra
  ]
}
EOF
    "$publish" -q --map "$work/$2.map" "$work/$2.json" "$work/$1" "$work/probe/$2.swf" >/dev/null
    "$root/tools/bench-recalc-probe.py" --full "$asc" "movies/$2.swf" "$(map_variable "$input" "$2")" \
        "$(map_variable "$shown" "$2")" "$work/probe/probe-$2.swf"
}
# map_variable <cell> <dashboard>: the cell's variable in the dashboard's movie.
map_variable() { awk -F '\t' -v cell="$1" '$3 == cell { print $1 }' "$work/$2.map"; }
dashboard cells100k.xlsx plain
dashboard volatile100k.xlsx volatile
dashboard nosumif100k.xlsx nosumif
# probe <name>: plays the dashboard's probe; sets line to what it printed.
probe() {
    line=$(node "$root/tests/player/lib/recalc.mjs" "$work/probe" "probe-$1.swf" 2>/dev/null | sed -n 1p)
}

# In interleaved rounds: our full recalculation of the 100,000 cells in Ruffle, ssconvert
# --recalc and the plain conversion (the peer's calculation is their difference), and the
# dashboard's input change without and with TODAY().
rounds=$(( pairs < 5 ? pairs : 5 ))
rm -f "$work/full" "$work/recalc" "$work/plainconv" "$work/input" "$work/inputv"
rm -f "$work/fulln" "$work/recalcn" "$work/plainconvn"
for i in $(seq "$rounds"); do
    probe plain
    echo "$line" | sed -n 's/.*full recalculation: \([0-9]*\) ms.*/\1/p' >> "$work/full"
    echo "$line" | sed -n 's/.*one input changed: \([0-9]*\) ms.*/\1/p' >> "$work/input"
    plain_line=$line
    : > "$work/times"
    elapsed_ns ssconvert --recalc "$work/cells100k.xlsx" "$work/out.csv"
    elapsed_ns ssconvert "$work/cells100k.xlsx" "$work/out.csv"
    sed -n 1p "$work/times" >> "$work/recalc"
    sed -n 2p "$work/times" >> "$work/plainconv"
    probe volatile
    echo "$line" | sed -n 's/.*one input changed: \([0-9]*\) ms.*/\1/p' >> "$work/inputv"
    volatile_line=$line
    probe nosumif
    echo "$line" | sed -n 's/.*full recalculation: \([0-9]*\) ms.*/\1/p' >> "$work/fulln"
    : > "$work/times"
    elapsed_ns ssconvert --recalc "$work/nosumif100k.xlsx" "$work/out.csv"
    elapsed_ns ssconvert "$work/nosumif100k.xlsx" "$work/out.csv"
    sed -n 1p "$work/times" >> "$work/recalcn"
    sed -n 2p "$work/times" >> "$work/plainconvn"
done
peer=$(awk -v a="$(median "$work/recalc")" -v b="$(median "$work/plainconv")" 'BEGIN { print (a - b) / 1e6 }')
echo "in Ruffle (medians of $rounds interleaved rounds):"
if [ -s "$work/full" ]; then
    awk -v ours="$(median "$work/full")" -v peer="$peer" 'BEGIN {
        printf "full recalculation, 100,000 cells: ours %.0f ms; ssconvert --recalc calculates in %.0f ms; ratio %.1f (goal <= 10)\n",
               ours, peer, ours / (peer > 1 ? peer : 1)
    }'
else
    echo "full recalculation, 100,000 cells: not measured: $plain_line"
fi
# The same model with sliding sums in place of the conditional sums, which cost the peer most.
peer=$(awk -v a="$(median "$work/recalcn")" -v b="$(median "$work/plainconvn")" 'BEGIN { print (a - b) / 1e6 }')
if [ -s "$work/fulln" ]; then
    awk -v ours="$(median "$work/fulln")" -v peer="$peer" 'BEGIN {
        printf "  the same without conditional sums: ours %.0f ms; ssconvert --recalc %.0f ms; ratio %.1f (goal <= 10)\n",
               ours, peer, ours / (peer > 1 ? peer : 1)
    }'
fi
for kind in input inputv; do
    label="one input with 100 dependents changed"
    [ "$kind" = inputv ] && label="the same with TODAY() and RAND() in the model"
    if [ -s "$work/$kind" ]; then
        awk -v ms="$(median "$work/$kind")" -v label="$label" 'BEGIN {
            printf "%s: %.0f ms (goal <= 33, within the call)\n", label, ms
        }'
    else
        echo "$label: not measured"
    fi
done
echo "  last runs: $plain_line"
echo "             $volatile_line"

# spread <workbook> <name> <size>: a dashboard whose slider is on A1, which starts the first
# block of 5,000 rows (its running totals, conditional sums, lookups and sliding sums and M1
# depend on it), showing I5000; the change and then a full recalculation as after new data, each
# over as many frames as it takes, with the longest call into the movie and I5000 at their ends.
spread() {
    dashboard "$1" "$2" A1 I5000
    line=$(node "$root/tests/player/lib/recalc.mjs" "$work/probe" "probe-$2.swf" 2>/dev/null | sed -n 1p)
    change=$(echo "$line" | sed -n 's/.*one input changed: [0-9]* ms, [^,]*, ended after \([0-9]*\) ms, longest call \([0-9]*\) ms; dependent now \([0-9.e+]*\).*/\1 \2 \3/p')
    full=$(echo "$line" | sed -n 's/.*full recalculation: \([0-9]*\) ms of calls, ended after \([0-9]*\) ms, longest call \([0-9]*\) ms, dependent \([0-9.e+]*\).*/\1 \2 \3 \4/p')
    if [ -z "$change" ] || [ -z "$full" ]; then
        echo "$3 cells, an input with thousands of dependents: not measured: $line"
        return
    fi
    echo "$change $full" | awk -v size="$3" '{
        printf "%s cells, an input with thousands of dependents changed: ended after %d ms, longest call %d ms (goal <= 300), I5000 %s\n",
               size, $1, $2, $3 == 12502504 ? "right" : "WRONG (" $3 ")"
        printf "  then a full recalculation: %d ms of calls, ended after %d ms, longest call %d ms (goal <= 300), I5000 %s\n",
               $4, $5, $6, $7 == 12502504 ? "right" : "WRONG (" $7 ")"
    }'
}
spread cells100k.xlsx spread100k 100,000
spread cells1m.xlsx spread1m 1,000,000

base=$(first_calc running10-formulas 2>/dev/null)
ours=$(first_calc cells100k-formulas 2>/dev/null)
million=$(first_calc cells1m-formulas 2>/dev/null)
echo "first values (less the probe's wait and the ${base:-?} ms a ten-row movie takes to show its values):"
for pair in "100,000:$ours:" "1,000,000:$million: (goal <= 15000)"; do
    size=${pair%%:*}
    rest=${pair#*:}
    ms=${rest%%:*}
    goal=${rest#*:}
    if [ -n "$ms" ] && [ -n "$base" ]; then
        awk -v ms="$ms" -v base="$base" -v size="$size" -v goal="$goal" 'BEGIN {
            printf "%s-cell movie: values shown after %.0f ms%s\n", size, ms - base, goal
        }'
    else
        echo "$size-cell movie: did not finish its first calculation"
    fi
done
echo "3,000-row running total: movie of $(stat -c %s "$work/movies/running3000-formulas.swf") bytes (goal < 1,048,576)"
running=$(first_calc running3000-formulas 2>/dev/null)
if [ -n "$running" ] && [ -n "$base" ]; then
    awk -v ms="$running" -v base="$base" 'BEGIN { printf "  calculated in %.0f ms (goal < 1000)\n", ms - base }'
else
    echo "  did not finish its first calculation"
fi
echo "designer start: not measured by this script"
