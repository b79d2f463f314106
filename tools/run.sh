#!/usr/bin/env bash
# The main job, as far as it is built: import a workbook (the shipped sample unless one is
# named) into the spreadsheet model and show its formulas compiled into movie variables, in
# the order in which a published movie recalculates them.
#   tools/run.sh [workbook.xlsx]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target vantorel-model install_folder >/dev/null
# The installation folder the build laid out from assets/ (asset movies, components, styles).
export VANTOREL_INSTALL_DIR="$build/install"
"$build/tools/vantorel-model/vantorel-model" "${1:-$root/assets/samples/regional-sales.xlsx}"
