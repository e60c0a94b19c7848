#!/usr/bin/env bash
# Usage: tools/fuzz/libpng-instrumented.sh DIR
# Builds Debian's libpng1.6 source (tools/libpng-source.sh) with clang and the fuzzer's
# instrumentation (plus AddressSanitizer and UndefinedBehaviorSanitizer) as a static library in
# DIR/sysroot, so that a fuzz target linked with it is guided by the decoder's own branches and
# its faults are caught where they happen. A finished build in DIR is reused.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$1"
dir=$(cd "$1" && pwd)
sysroot=$dir/sysroot
if [ -f "$sysroot/lib/libpng16.a" ] && [ -f "$sysroot/include/png.h" ]; then
  exit 0
fi

source_dir=$("$root/tools/libpng-source.sh" "$dir/source" | tail -1)
rm -rf "$dir/build" "$sysroot"
cmake -S "$source_dir" -B "$dir/build" \
  -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_INSTALL_PREFIX="$sysroot" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF >&2
cmake --build "$dir/build" -j"$(nproc)" >&2
cmake --install "$dir/build" >&2
[ -f "$sysroot/lib/libpng16.a" ] || { echo "libpng-instrumented: no libpng16.a" >&2; exit 1; }
