#!/usr/bin/env bash
# Builds the PNG decoder's libFuzzer target with clang and runs it for a fixed number of inputs,
# starting from a small corpus of valid images plus every input that once found a fault
# (tests/lice/fuzz-regressions, add new finds there). Exits non-zero when the fuzzer finds a crash,
# a leak or undefined behaviour; the failing input is left in the artifacts folder.
#
# Usage: tools/fuzz/run_fuzz.sh [runs]      (default 200000)
# Environment: SORVEL_FUZZ_BUILD  build folder (default build/fuzz in the repository)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
runs=${1:-200000}
build=${SORVEL_FUZZ_BUILD:-$root/build/fuzz}

cmake -S "$root" -B "$build" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORVEL_FUZZ=ON -DSORVEL_BUILD_BENCH=OFF -DSORVEL_WERROR=ON >/dev/null
cmake --build "$build" --target fuzz_decode_png png_seed_writer -j2

corpus=$build/fuzz-corpus/decode_png
artifacts=$build/fuzz-artifacts/
mkdir -p "$corpus" "$artifacts"
"$build/tests/lice/png_seed_writer" "$corpus"

echo "fuzz_decode_png: $runs runs"
"$build/tests/lice/fuzz_decode_png" \
  -runs="$runs" \
  -dict="$root/tools/fuzz/png.dict" \
  -max_len=8192 \
  -rss_limit_mb=2048 \
  -print_final_stats=1 \
  -artifact_prefix="$artifacts" \
  "$corpus" "$root/tests/lice/fuzz-regressions"
echo "fuzz_decode_png: no crash in $runs runs"
