#!/bin/sh
# How long the designer takes to show a document: from the program's start until the stage has
# drawn every component of the document (the time `vantorel --screenshot` reports), for a blank
# new document and for a generated document of 200 components, each against its goal. Runs on
# the display, else under a private Xvfb (tools/under-display.sh). Every start is a whole new
# process; the script prints the median and the slowest of the runs, and how many starts did not
# draw the stage at all.
# Usage: tools/bench-start.sh [build folder] [runs, at least 3]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
designer=$build/install/vantorel
doc=$build/tools/vantorel-doc/vantorel-doc
if [ ! -x "$designer" ] || [ ! -x "$doc" ]; then
    echo "build first: cmake --build $build --target vantorel vantorel-doc install_folder" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 200 components of ten kinds in a grid, without a model.
python3 - "$work/200.json" <<'EOF'
import json, sys
symbols = ["KVGaugeSymbol", "KVSliderHSymbol", "KVValueDisplaySymbol", "KVLabelCompSymbol",
           "KVColumnChartSymbol", "KVDialSymbol", "KVCheckBoxSymbol", "KVProgressBarHSymbol",
           "KVPushButtonSymbol", "KVPieChartSymbol"]
components = []
for i in range(200):
    row, column = divmod(i, 20)
    components.append({"symbol": symbols[i % len(symbols)], "name": "C%03d" % i,
                       "x": 10 + column * 80, "y": 10 + row * 80, "width": 72, "height": 72})
json.dump({"canvas": {"width": 1620, "height": 820}, "components": components}, open(sys.argv[1], "w"))
EOF
"$doc" --install "$build/install" "$work/200.json" "$work/200.vtd" >/dev/null

# starts <label> <goal ms> [document]: the runs' times until the stage drew the document.
starts() {
    label=$1
    goal=$2
    shift 2
    : > "$work/times"
    failed=0
    for i in $(seq "$runs"); do
        rc=0
        "$root/tools/under-display.sh" "$designer" --screenshot "$work/shot.png" "$@" > "$work/out" 2>&1 || rc=$?
        ms=$(sed -n 's/^vantorel: the stage drew the document \([0-9]*\) ms after the start$/\1/p' "$work/out")
        if [ -n "$ms" ]; then
            echo "$ms" >> "$work/times"
        else
            # what the start said, its most frequent messages first, for the one who looks into it
            failed=$((failed + 1))
            echo "$label: start $i did not draw the document (exit code $rc); it said:" >&2
            grep -v -e '^$' -e 'dconf-WARNING' "$work/out" | sort | uniq -c | sort -rn | head -8 >&2
        fi
    done
    sort -n "$work/times" | awk -v label="$label" -v goal="$goal" -v failed="$failed" -v n="$runs" '
        { v[NR] = $1 }
        END {
            if (NR == 0) { printf "%-28s the stage never drew (%d starts)\n", label, n; exit }
            median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%-28s median %6.2f s  slowest %6.2f s  (goal <= %.1f s: %s); %d of %d starts never drew it\n",
                   label, median / 1000, v[NR] / 1000, goal / 1000, median <= goal ? "met" : "NOT MET", failed, n
        }'
}

echo "designer start until the stage drew the document, $runs starts each, on $(nproc) processors (load: $(cut -d' ' -f1-3 /proc/loadavg))"
starts "blank new document" 2000
starts "200 components" 5000 "$work/200.vtd"
