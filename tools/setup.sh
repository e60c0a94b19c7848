#!/usr/bin/env bash
# Installs the Debian packages Sorvel builds, tests and runs with. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config g++ binutils
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev libsndfile1-dev
  libx11-dev libxext-dev libxtst-dev xvfb xauth x11-utils
  libcairo2-dev libfreetype-dev fonts-dejavu-core
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 googletest dpkg-dev ninja-build
  xdotool imagemagick libkissfft-dev
  ardour
  lv2-dev liblilv-dev lilv-utils jalv jackd2
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
