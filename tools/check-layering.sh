#!/usr/bin/env bash
# Fails when a folder includes a header of a layer above it.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
layers=(platform swf model sheet publish app propui pages)
status=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  lower=${layers[$i]}
  [ -d "$lower" ] || continue
  for ((j = i + 1; j < ${#layers[@]}; j++)); do
    higher=${layers[$j]}
    hits=$(grep -rnE "^\s*#\s*include\s*[<\"]$higher/" "$lower" --include='*.h' --include='*.cpp' 2>/dev/null)
    if [ -n "$hits" ]; then
      echo "$lower must not include $higher:"
      echo "$hits"
      status=1
    fi
  done
done
[ $status -eq 0 ] && echo "layering: ok"
exit $status
