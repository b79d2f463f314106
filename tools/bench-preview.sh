#!/bin/sh
# How long the designer's preview takes to show its first frame after View > Preview is pressed
# (the steps `vantorel --screenshot FILE --preview` reports: the movie built and written, the
# preview's page loaded, its player ready, the movie sent to the page, its first frame), on a
# quiet machine and with every processor busy (stress-ng --cpu, twice as many workers as
# processors). Goals: 2 s when quiet, three times that when busy. Every run is a new process on
# the display, else under a private Xvfb (tools/under-display.sh); the script prints each run's
# steps and the median and slowest time to the first frame.
# Usage: tools/bench-preview.sh [build folder] [runs, at least 3] [document]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-5}
designer=$build/install/vantorel
doc=${3:-$build/install/samples/Dashboards/regional-sales.vtd}
if [ ! -x "$designer" ]; then
    echo "build first: cmake --build $build --target vantorel install_folder" >&2
    exit 1
fi
work=$(mktemp -d)
stress=""
cleanup() {
    [ -n "$stress" ] && kill "$stress" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# previews <label> <goal ms>: the runs' times from the press to the first frame.
previews() {
    label=$1
    goal=$2
    : > "$work/times"
    failed=0
    for i in $(seq "$runs"); do
        rc=0
        "$root/tools/under-display.sh" "$designer" --screenshot "$work/shot.png" --preview "$doc" > "$work/out" 2>&1 || rc=$?
        steps=$(sed -n 's/^vantorel: preview steps: //p' "$work/out")
        ms=$(printf '%s\n' "$steps" | sed -n 's/.*first frame \([0-9]*\) ms after the press$/\1/p')
        if [ -n "$ms" ]; then
            echo "$ms" >> "$work/times"
            echo "  $label, run $i: $steps"
        else
            failed=$((failed + 1))
            echo "$label: run $i showed no preview (exit code $rc); it said:" >&2
            grep -v -e '^$' -e 'dconf-WARNING' "$work/out" | sort | uniq -c | sort -rn | head -8 >&2
        fi
    done
    sort -n "$work/times" | awk -v label="$label" -v goal="$goal" -v failed="$failed" -v n="$runs" '
        { v[NR] = $1 }
        END {
            if (NR == 0) { printf "%-22s the preview never showed (%d runs)\n", label, n; exit }
            median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%-22s first frame: median %6.2f s  slowest %6.2f s  (goal <= %.1f s: %s); %d of %d runs showed none\n",
                   label, median / 1000, v[NR] / 1000, goal / 1000, median <= goal ? "met" : "NOT MET", failed, n
        }' >> "$work/summary"
}

: > "$work/summary"
echo "preview of $(basename "$doc"), $runs runs each, on $(nproc) processors"
echo "quiet (load: $(cut -d' ' -f1-3 /proc/loadavg))"
previews "quiet" 2000
if command -v stress-ng > /dev/null; then
    stress-ng --cpu $(($(nproc) * 2)) --quiet > /dev/null 2>&1 &
    stress=$!
    sleep 5 # until the load has built up
    echo "every processor busy (stress-ng --cpu $(($(nproc) * 2)); load: $(cut -d' ' -f1-3 /proc/loadavg))"
    previews "every processor busy" 6000
else
    echo "stress-ng is not installed: no run under load" >&2
fi
cat "$work/summary"
