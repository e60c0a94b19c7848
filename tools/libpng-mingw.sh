#!/usr/bin/env bash
# Usage: tools/libpng-mingw.sh DIR
# Cross-builds Debian's libpng1.6 source as a static library for 64-bit Windows (mingw-w64,
# linked against the mingw zlib) and installs it into DIR/sysroot: DIR/sysroot/include/png.h
# and DIR/sysroot/lib/libpng16.a. Debian packages zlib for mingw but not libpng. A finished
# build in DIR is reused.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
mingw_zlib=/usr/x86_64-w64-mingw32
exec "$root/tools/libpng-static.sh" libpng-mingw "$1" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DZLIB_LIBRARY="$mingw_zlib/lib/libz.a" -DZLIB_INCLUDE_DIR="$mingw_zlib/include"
