#!/usr/bin/env bash
# The README's test command run while every processor is busy: a CPU load of twice the
# processors (stress-ng) runs beside it for as long as the tests do. A test that passes only on
# a quiet machine fails here. Prints how long each slow test took.
#   tools/test-under-load.sh [-R regex] [-E regex]   only the tests the regular expressions pick
#                                                    (CTest's -R and -E), built as tools/test.sh
#   VANTOREL_LOAD=N    N workers of load instead of twice the processors
#   VANTOREL_SLOW=S    report the tests that took over S seconds (default 60)
#   VANTOREL_JOBS=N    as for tools/test.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
filters=()
while [ $# -gt 0 ]; do
  case "$1" in
    -R|-E) [ $# -ge 2 ] || { echo "usage: $0 [-R regex] [-E regex]" >&2; exit 2; }
           filters+=("$1" "$2"); shift 2 ;;
    *) echo "usage: $0 [-R regex] [-E regex]" >&2; exit 2 ;;
  esac
done
"$root/tools/setup.sh" --tests
if ! command -v stress-ng >/dev/null 2>&1; then
  echo "stress-ng is missing: tools/setup.sh --tests installs it" >&2
  exit 1
fi
workers=${VANTOREL_LOAD:-$(( 2 * $(nproc) ))}
slow=${VANTOREL_SLOW:-60}
log=$(mktemp)
stress=""
finish() {
  [ -n "$stress" ] && kill "$stress" 2>/dev/null && wait "$stress" 2>/dev/null
  rm -f "$log"
}
trap finish EXIT
stress-ng --cpu "$workers" --timeout 0 --quiet &
stress=$!
echo "load: $workers CPU workers of stress-ng beside the tests, on $(nproc) processors"

status=0
"$root/tools/test.sh" "${filters[@]}" 2>&1 | tee "$log" || status=$?
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "tests that took over $slow s under the load:"
# CTest's lines: "  12/345 Test  #67: name ....   Passed  123.45 sec"
sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .*[^0-9]\([0-9][0-9]*\.[0-9]*\) sec$/\2 \1/p' "$log" |
  awk -v slow="$slow" '$1 > slow { printf "  %8.1f s  %s\n", $1, $2 }' | sort -rn
exit "$status"
