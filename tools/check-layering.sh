#!/usr/bin/env bash
# Fails when a folder includes a header of a layer above it. The engine (base to publish) comes
# first and links no window code; the user-interface layer (platform) and the designer follow.
# The ActionScript compiler (tools/actionscript) sits on swf: it uses base and swf only.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
layers=(base swf model sheet publish platform propui pages app)
status=0
# check <folder> <forbidden include prefix>...
check() {
  local folder=$1
  shift
  [ -d "$folder" ] || return 0
  local higher hits
  for higher in "$@"; do
    hits=$(grep -rnE "^\s*#\s*include\s*[<\"]$higher/" "$folder" --include='*.h' --include='*.cpp' 2>/dev/null)
    if [ -n "$hits" ]; then
      echo "$folder must not include $higher:"
      echo "$hits"
      status=1
    fi
  done
}
for ((i = 0; i < ${#layers[@]}; i++)); do
  check "${layers[$i]}" "${layers[@]:i+1}" tools
done
check tools/actionscript model sheet publish platform propui pages app
# The designer's own parts, lowest first: the context and settings, the stage, the workbook
# window, the files of the exports, the plain dialogs, the tool windows and panels, the canvas,
# the model dialogs, the commands, the frame and shell, and the program.
parts=(core stage workbook delivery dialogs panels canvas modeldialogs commands shell vantorel)
for ((i = 0; i < ${#parts[@]}; i++)); do
  check "app/${parts[$i]}" $(printf 'app/%s ' "${parts[@]:i+1}")
done
# The toolkit (GTK, GDK, Pango, cairo, GLib, WebKit) is the screen host's alone, but for the
# layer's text: fonts are shaped and drawn through Pango and cairo in one file, headless and on a
# screen alike, so a picture drawn without a screen shows the text the screen shows.
hits=$(grep -rnE "^\s*#\s*include\s*<(gtk|gdk|pango|cairo|glib|gio|webkit2|jsc)/" \
  --include='*.h' --include='*.cpp' --exclude-dir='build*' --exclude-dir=node_modules . 2>/dev/null |
  grep -v "^\./platform/gtk/" | grep -vE "^\./platform/drawing/SystemText\.cpp:[0-9]+:#include <pango/pangocairo\.h>$")
if [ -n "$hits" ]; then
  echo "only platform/gtk may include the toolkit:"
  echo "$hits"
  status=1
fi
[ $status -eq 0 ] && echo "layering: ok"
exit $status
