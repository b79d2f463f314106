#!/usr/bin/env bash
# The main job: publish a shipped sample document (or the document named) as a movie, say where
# it is, and write a PNG of the movie as the player draws it after its first frames and one of
# the designer showing the document. The player (Ruffle, which the installation folder ships)
# and the browser that draws the movie's PNG come with the test packages, installed here too.
#   tools/run.sh [document.vtd | description.json]
#   VANTOREL_JOBS=N  build with N jobs (default: every core)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" --tests
build="$root/build"
jobs=${VANTOREL_JOBS:-$(nproc)}
echo "building the publish command and the installation folder in $build ($jobs jobs)..."
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The build's own progress lines ("[ 42%] Building ..."), so a first build of a few minutes
# is not silent.
set +e
cmake --build "$build" -j "$jobs" --target vantorel-publish install_folder shipped_documents vantorel 2>&1 |
  grep --line-buffered -E '^\[ *[0-9]+%\]|error|warning'
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 0 ] || { echo "the build failed" >&2; exit 1; }
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
# The designer showing the document, on the display or under Xvfb when there is none.
designer="$build/install/vantorel"
if [ -x "$designer" ]; then
  shot="$out/$(basename "${document%.*}")-designer.png"
  "$root/tools/under-display.sh" "$designer" --screenshot "$shot" "$document" \
    && echo "designer: $shot" || echo "designer: no screenshot"
fi
