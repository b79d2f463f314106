#!/bin/bash
# Remakes the pictures of the first tutorial movie (assets/tutorial1/*.jpg) from the designer as
# it looks now: runs the walk-through of a person's first dashboard on a private screen, with the
# canvas's shots waiting for the stage's drawing, and cuts, shrinks and compresses the shots it
# saves into the pictures the movie shows behind its captions (at most 550 by 312
# pixels; the movie centres a narrower one).
#
#   tools/tutorial-pictures.sh [BUILD_DIR]     (default: build; its screen tests must be built)
#
# Not part of the tests: run it by hand after the designer's looks change, look at the pictures
# and commit them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shots=$build/artefacts/screen-user
out=$root/assets/tutorial1
rm -rf "$shots"
VANTOREL_DRAWN_SHOTS=1 VANTOREL_BINARY_DIR=$build VANTOREL_INSTALL_DIR=$build/install \
  "$root/tools/under-display.sh" --wm "$build/tests/screen_user_tests" \
  --gtest_filter='WalkThroughTest.StartNewDocument*:WalkThroughTest.BindInTheWorkbook*:WalkThroughTest.InThePreviewTheChart*'

# picture shot x y width height: the part of the shot (screen pixels) that becomes the picture.
picture() {
  "$build/tools/vantorel-shot/vantorel-shot" "$shots/$2.png" "$out/$1.jpg" 550 312 85 "$3" "$4" "$5" "$6"
  echo "$1.jpg: $(stat -c %s "$out/$1.jpg") bytes"
}
picture designer walk-03-new 0 0 1600 1000
picture imported walk-05-imported 0 0 1600 1000
picture categories walk-06-categories 0 0 880 500
picture placed build-01-placed 0 20 1056 600
picture slider-sheet build-02-slider-sheet 420 60 1160 659
picture slider-limit build-04-slider-limit 420 60 1160 659
picture cells build-03-slider-cells 0 0 909 597
picture chart-sheet build-06-chart-sheet 420 60 1160 659
picture bound build-07-bound 0 20 1056 600
picture preview build-08-preview-dragged 0 0 1056 600
picture file-menu build-11-export-menu 0 0 1056 600
picture played build-12-exported-played 110 50 1056 600
