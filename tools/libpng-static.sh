#!/usr/bin/env bash
# Usage: tools/libpng-static.sh NAME DIR [CMAKE_ARGUMENT...]
# Builds Debian's libpng1.6 source (tools/libpng-source.sh) as a static library, configured with
# the given CMake arguments (compiler, flags, toolchain), and installs it into DIR/sysroot:
# DIR/sysroot/include/png.h and DIR/sysroot/lib/libpng16.a. A finished build in DIR is reused.
# NAME starts the error message. The common half of tools/libpng-mingw.sh and
# tools/fuzz/libpng-instrumented.sh.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 NAME DIR [CMAKE_ARGUMENT...]" >&2; exit 2; }
name=$1
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$2"
dir=$(cd "$2" && pwd)
shift 2
sysroot=$dir/sysroot
if [ -f "$sysroot/lib/libpng16.a" ] && [ -f "$sysroot/include/png.h" ]; then
  exit 0
fi

source_dir=$("$root/tools/libpng-source.sh" "$dir/source" | tail -1)
rm -rf "$dir/build" "$sysroot"
cmake -S "$source_dir" -B "$dir/build" "$@" \
  -DCMAKE_INSTALL_PREFIX="$sysroot" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF >&2
cmake --build "$dir/build" -j"$(nproc)" >&2
cmake --install "$dir/build" >&2
[ -f "$sysroot/lib/libpng16.a" ] || { echo "$name: no libpng16.a was built" >&2; exit 1; }
