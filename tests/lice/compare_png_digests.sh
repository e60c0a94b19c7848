#!/bin/sh
# Usage: compare_png_digests.sh LINUX_PNG_DIGEST WINDOWS_PNG_DIGEST_EXE [file.png ...]
# The Linux and Windows builds must decode every PNG to the same pixels. Skipped (77) when the
# Linux build's program is not there.
set -u
linux=$1
windows=$2
shift 2
[ -x "$linux" ] || { echo "SKIP: no Linux build at $linux"; exit 77; }
here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
out=${TMPDIR:-/tmp}/png-digests.$$
"$linux" "$@" >"$out.linux" || { echo "FAIL: $linux"; rm -f "$out".*; exit 1; }
"$here/../../tools/wine-run.sh" "$windows" "$@" | tr -d '\r' >"$out.windows" ||
  { echo "FAIL: $windows"; rm -f "$out".*; exit 1; }
if diff "$out.linux" "$out.windows"; then
  echo "PASS: $(wc -l <"$out.linux") PNGs decode to the same pixels on Linux and Windows"
  rm -f "$out".*
  exit 0
fi
rm -f "$out".*
echo "FAIL: the decoded pixels differ (< Linux, > Windows)"
exit 1
