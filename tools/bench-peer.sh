# Shared by the speed scripts (sourced): the peer they compare with, Gnumeric's conversion of
# a workbook to CSV, and the best time of one of our Google Benchmark programs.

# Installs ssconvert when it is missing.
need_ssconvert() {
    if ! command -v ssconvert >/dev/null 2>&1; then
        echo "installing gnumeric for ssconvert" >&2
        apt-get install -y --no-install-recommends gnumeric >/dev/null
    fi
}

# best_ssconvert <workbook> <scratch.csv>: the best of three whole-process conversions, in ns.
best_ssconvert() {
    best=
    for run in 1 2 3; do
        start=$(date +%s%N)
        ssconvert "$1" "$2" 2>/dev/null
        elapsed=$(( $(date +%s%N) - start ))
        if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    done
    echo "$best"
}

# best_benchmark <results.json> <counter>: the best real time of the runs in ns, then the
# counter of the first run.
best_benchmark() {
    python3 -c '
import json, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("run_type") == "iteration"]
print(min(b["real_time"] for b in runs) * {"ms": 1e6, "us": 1e3, "ns": 1}[runs[0]["time_unit"]], int(runs[0].get(sys.argv[2], 0)))
' "$1" "$2"
}

# compare_with_ssconvert <work folder> <benchmark program> <counter>: converts
# <work>/generated.csv to <work>/generated.xlsx, times ssconvert converting that back to CSV
# and the benchmark reading it, and sets theirs_ns, ours_ns and count (the benchmark's
# counter).
compare_with_ssconvert() {
    ssconvert "$1/generated.csv" "$1/generated.xlsx" 2>/dev/null
    theirs_ns=$(best_ssconvert "$1/generated.xlsx" "$1/out.csv")
    VANTOREL_BENCH_WORKBOOK="$1/generated.xlsx" "$2" --benchmark_format=json > "$1/ours.json"
    ours=$(best_benchmark "$1/ours.json" "$3")
    ours_ns=${ours% *}
    count=${ours#* }
}
