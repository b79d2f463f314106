#!/usr/bin/env bash
# Runs a program on a display: the one DISPLAY or WAYLAND_DISPLAY names, else a private Xvfb
# that goes away with the program. Exits 77 (a skipped test for CTest) when there is neither.
#   tools/under-display.sh program [args...]
#   VANTOREL_XVFB=1  use a private Xvfb even when a display is set
set -u
if [ -z "${VANTOREL_XVFB:-}" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$@"
fi
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "skipped: no display, and Xvfb is not installed (tools/setup.sh installs xvfb)"
  exit 77
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r -t 20 number <"$fifo"
rm -f "$fifo"
if [ -z "${number:-}" ]; then
  kill "$xvfb" 2>/dev/null
  echo "skipped: Xvfb did not start"
  exit 77
fi
unset WAYLAND_DISPLAY
export DISPLAY=":$number" GDK_BACKEND=x11
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
