#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, only what is missing.
#   tools/setup.sh          build dependencies
#   tools/setup.sh --tests  also the player checks (node, chromium, the pinned npm packages)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
          libjpeg62-turbo-dev libssl-dev libcrypt-dev libpugixml-dev libzip-dev
          # the screen: the toolkit, the web view the stage plays in, a font for real text,
          # and the virtual display the screen tests and screenshots run on
          libgtk-3-dev libwebkit2gtk-4.1-dev fonts-dejavu-core xvfb libxtst-dev
          # the movies' device fonts drawn in faces of the common families' metrics (Arial,
          # Times New Roman, Courier New), with bold and italic
          fonts-liberation2
          # the outline reader that turns those faces into the designer's player fonts
          libfreetype-dev
          # the desktop's standard icons (read as PNG files when drawing headless) and the image
          # loader that renders the program's own SVG icons at build time
          adwaita-icon-theme libgdk-pixbuf2.0-bin librsvg2-common)
# Programs are looked up on PATH (node and npm may come from elsewhere than Debian).
declare -A programs=()
if [ "${1:-}" = "--tests" ]; then
  programs=([node]=nodejs [npm]=npm [chromium]=chromium [python3]=python3)
  # the exported presentations are opened by a reader of their own
  packages+=(libreoffice-impress-nogui)
  # the spreadsheet that computes the function tests' reference workbooks again
  # (tests/player/workbooks/make_workbooks.py)
  packages+=(libreoffice-calc-nogui)
  # the screen tests' window manager (tool windows, focus and placement as on a desktop)
  packages+=(openbox)
  # a busy machine beside the tests (tools/test-under-load.sh)
  packages+=(stress-ng)
  if [ -n "${VANTOREL_SANITIZE:-}${VANTOREL_FUZZ:-}" ]; then
    programs[clang++]=clang
    packages+=(libclang-rt-dev)
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
for program in "${!programs[@]}"; do
  command -v "$program" >/dev/null 2>&1 || missing+=("${programs[$program]}")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  apt=($sudo apt-get -o DPkg::Lock::Timeout=900 -qq)
  "${apt[@]}" update
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ "${1:-}" = "--tests" ]; then
  player="$root/tests/player"
  if [ ! -d "$player/node_modules/@ruffle-rs/ruffle" ] || [ "$player/package-lock.json" -nt "$player/node_modules/.package-lock.json" ]; then
    (cd "$player" && npm ci --no-audit --no-fund --loglevel=error)
  fi
fi
