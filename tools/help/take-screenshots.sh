#!/bin/sh
# Pictures of the designer for the help pages, taken by the program itself under a private
# display: a shipped sample open with a component's property pages beside it.
# Run from the repository's root after a build: tools/help/take-screenshots.sh
set -e
root=$(pwd)
install="$root/build/install"
"$root/tools/under-display.sh" "$install/vantorel" --screenshot "$root/assets/help/designer.png" \
    "$install/samples/Dashboards/sales-dashboard.vtd"
"$root/tools/under-display.sh" "$install/vantorel" --screenshot "$root/assets/help/designer-map.png" \
    "$install/samples/Dashboards/europe-regions.vtd"
