#!/bin/sh
# Runs a Windows program under 64-bit Wine and passes its exit code through. The prefix is
# $WINEPREFIX when set, else one inside the Windows build tree (created on first use, which
# takes several seconds). Wine's crash debugger is disabled: with it, a crashing program may
# exit with 0 and a crashing test would count as passed.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  root=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
  WINEPREFIX="${SORVEL_WINDOWS_BUILD:-$root/build/windows}/wineprefix"
fi
export WINEPREFIX
mkdir -p "$WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
exec "$wine" "$@"
