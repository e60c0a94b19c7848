#!/bin/sh
# Runs the Windows build's window tests (CTest label "wine-gui") under Wine inside a virtual X
# display, then those of label "wine-dpi" with the prefix's DPI at 192. Wine must start inside
# that display: a Wine session started without one draws only part of the windows, so the
# session is ended before and after.
# Usage: tools/wine-gui-tests.sh [BUILD_DIR]   (default build/windows)
set -u
root=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
build=$(CDPATH= cd -- "${1:-$root/build/windows}" && pwd) || exit 1
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
mkdir -p "$WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export SORVEL_WINE_GUI=1
server=/usr/lib/wine/wineserver
[ -x "$server" ] || server=$(command -v wineserver)

"$server" -k 2>/dev/null
# Wine's services are started before CTest so they do not hold its output pipe open.
xvfb-run -a -s "-screen 0 2560x1440x24" sh -c '
  "$1" wineboot </dev/null >/dev/null 2>&1
  ctest --test-dir "$2" -L wine-gui --no-tests=error --timeout 300 --output-on-failure
  rc=$?
  # Once more at 192 dpi (twice the standard 96), set in the prefix only for this run.
  key="HKCU\\Control Panel\\Desktop"
  "$1" reg add "$key" /v LogPixels /t REG_DWORD /d 192 /f </dev/null >/dev/null 2>&1
  SORVEL_WINE_DPI=192 ctest --test-dir "$2" -L wine-dpi --no-tests=error --timeout 300 \
    --output-on-failure || rc=1
  "$1" reg delete "$key" /v LogPixels /f </dev/null >/dev/null 2>&1
  exit $rc' \
  gui-tests "$root/tools/wine-run.sh" "$build"
rc=$?
"$server" -k 2>/dev/null
exit $rc
