#!/usr/bin/env bash
# Cross-builds the Windows plug-in and its tests (preset `windows`) and runs the tests under
# Wine through ctest. The Wine prefix is $WINEPREFIX, else build/windows/wineprefix (created on
# first use). The GUI tests (label wine-gui) need Wine inside an X display and run elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)"
built=$(date +%s)

export WINEPREFIX="${WINEPREFIX:-$PWD/build/windows/wineprefix}"
mkdir -p "$WINEPREFIX"
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
# Wine's services must start before ctest and away from its output pipe: a service that
# inherits the pipe keeps ctest waiting for it.
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -p </dev/null >/dev/null 2>&1
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
./tools/wine-run.sh wineboot </dev/null >/dev/null 2>&1 || true
booted=$(date +%s)

status=0
ctest --preset windows -j"$(nproc)" -LE wine-gui || status=$?
echo "windows: build $((built - start))s, Wine start $((booted - built))s, tests $(($(date +%s) - booted))s"
exit $status
