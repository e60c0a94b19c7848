#!/bin/sh
# Runs a Windows program under 64-bit Wine and passes its exit code through. The prefix is
# $WINEPREFIX when set, else one inside the build tree the program runs in (ctest runs tests
# inside it), else build/windows; it is created on first use, which takes several seconds.
# Wine's crash debugger is disabled: with it, a crashing program may exit with 0 and a crashing
# test would count as passed.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  tree=$PWD
  while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do tree=$(dirname "$tree"); done
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    tree="$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)/build/windows"
  fi
  WINEPREFIX="$tree/wineprefix"
fi
export WINEPREFIX
mkdir -p "$WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
exec "$wine" "$@"
