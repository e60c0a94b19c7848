#!/usr/bin/env bash
# Usage: tools/fuzz/libpng-instrumented.sh DIR
# Builds Debian's libpng1.6 source (tools/libpng-source.sh) with clang and the fuzzer's
# instrumentation (plus AddressSanitizer and UndefinedBehaviorSanitizer) as a static library in
# DIR/sysroot, so that a fuzz target linked with it is guided by the decoder's own branches and
# its faults are caught where they happen. A finished build in DIR is reused.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
exec "$root/tools/libpng-static.sh" libpng-instrumented "$1" \
  -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
