#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test: the Linux build's suites, then
# the Windows build's suites under Wine, the comparison of the two builds' audio and state, and
# the Windows editor in real windows under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
stamp() { echo "== $1 ($(( $(date +%s) - start ))s)"; }
./tools/setup.sh

stamp "linux build and tests"
cmake --preset ci >/dev/null
cmake --build --preset ci -j"$(nproc)"
ctest --preset ci -j"$(nproc)"

stamp "windows cross build and tests under Wine"
./tools/windows-test.sh

stamp "same audio and state on Linux and Windows"
./tools/cross-system-check.sh build/ci build/windows

stamp "windows editor in real windows under Wine on Xvfb"
./tools/wine-gui-tests.sh build/windows
stamp "all tests passed"
