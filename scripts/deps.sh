#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need (only what is missing).
set -euo pipefail
PACKAGES=(build-essential cmake pkg-config libsdl2-dev libpng-dev libcairo2-dev
  libespeak-ng-dev espeak-ng-data fonts-dejavu-core libgtest-dev libbenchmark-dev
  libpixman-1-dev clang libclang-rt-14-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
