#!/usr/bin/env bash
# Runs a program on a display: the one DISPLAY or WAYLAND_DISPLAY names, else a private Xvfb
# that goes away with the program. Exits 77 (a skipped test for CTest) when there is neither.
#   tools/under-display.sh [--wm] program [args...]
#   --wm             on a private Xvfb, a window manager (openbox) too, as a desktop has: tool
#                    windows, focus and placement then behave as a user sees them
#   VANTOREL_XVFB=1  use a private Xvfb even when a display is set
set -u
wm=""
if [ "${1:-}" = "--wm" ]; then
  wm=1
  shift
fi
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
manager=""
if [ -n "$wm" ]; then
  if ! command -v openbox >/dev/null 2>&1; then
    kill "$xvfb" 2>/dev/null
    echo "skipped: no window manager (tools/setup.sh --tests installs openbox)"
    exit 77
  fi
  # openbox runs its start-up command once it manages the screen: a busy machine may take
  # seconds, and a test started before would see windows nobody places or focuses.
  ready=$(mktemp -u)
  openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
  manager=$!
  for _ in $(seq 1200); do
    [ -e "$ready" ] && break
    sleep 0.05
  done
  rm -f "$ready"
fi
# The C library writes its fatal messages (a heap found corrupt, ...) to the log, not a terminal.
export LIBC_FATAL_STDERR_=1
"$@"
status=$?
[ -n "$manager" ] && kill "$manager" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
