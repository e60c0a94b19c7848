#!/usr/bin/env bash
# Usage: tools/libpng-mingw.sh DIR
# Cross-builds Debian's libpng1.6 source as a static library for 64-bit Windows (mingw-w64,
# linked against the mingw zlib) and installs it into DIR/sysroot: DIR/sysroot/include/png.h
# and DIR/sysroot/lib/libpng16.a. Debian packages zlib for mingw but not libpng. A finished
# build in DIR is reused.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
dir=$(cd "$1" && pwd)
sysroot=$dir/sysroot
if [ -f "$sysroot/lib/libpng16.a" ] && [ -f "$sysroot/include/png.h" ]; then
  exit 0
fi

source_dir=$("$root/tools/libpng-source.sh" "$dir/source" | tail -1)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
mingw_zlib=/usr/x86_64-w64-mingw32
rm -rf "$dir/build" "$sysroot"
cmake -S "$source_dir" -B "$dir/build" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$sysroot" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY="$mingw_zlib/lib/libz.a" -DZLIB_INCLUDE_DIR="$mingw_zlib/include" >&2
cmake --build "$dir/build" -j"$(nproc)" >&2
cmake --install "$dir/build" >&2
[ -f "$sysroot/lib/libpng16.a" ] || { echo "libpng-mingw: no libpng16.a was built" >&2; exit 1; }
