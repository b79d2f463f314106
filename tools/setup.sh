#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, only what is missing.
#   tools/setup.sh          build dependencies
#   tools/setup.sh --tests  also the player checks (node, chromium, the pinned npm packages)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
          libjpeg62-turbo-dev libssl-dev libcrypt-dev libpugixml-dev libzip-dev)
if [ "${1:-}" = "--tests" ]; then
  packages+=(nodejs npm chromium python3)
  [ -n "${VANTOREL_FUZZ:-}" ] && packages+=(clang libclang-rt-dev)
  [ -n "${VANTOREL_SANITIZE:-}" ] && packages+=(clang)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ "${1:-}" = "--tests" ]; then
  player="$root/tests/player"
  if [ ! -d "$player/node_modules/@ruffle-rs/ruffle" ] || [ "$player/package-lock.json" -nt "$player/node_modules/.package-lock.json" ]; then
    (cd "$player" && npm ci --no-audit --no-fund --loglevel=error)
  fi
fi
