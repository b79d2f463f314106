#!/usr/bin/env bash
# The main job: publish a shipped sample document (or the document named) as a movie and say
# where it is. With the player test packages installed (tools/setup.sh --tests) it also writes
# a PNG of the movie as the player draws it after its first frames.
#   tools/run.sh [document.vtd | description.json]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target vantorel-publish install_folder shipped_documents >/dev/null
# The installation folder the build laid out from assets/ (asset movies, components, styles,
# and the sample documents written from their descriptions).
export VANTOREL_INSTALL_DIR="$build/install"
document="${1:-$build/install/samples/Dashboards/regional-sales.vtd}"
out="$build/published"
mkdir -p "$out"
movie="$out/$(basename "${document%.*}").swf"
"$build/tools/vantorel-publish/vantorel-publish" "$document" "$movie"
echo "movie: $movie"
player="$root/tests/player"
if [ -d "$player/node_modules/@ruffle-rs/ruffle" ] && command -v node >/dev/null && command -v chromium >/dev/null; then
  node "$player/lib/screenshot.mjs" "$movie" "${movie%.swf}.png" && echo "picture: ${movie%.swf}.png"
fi
