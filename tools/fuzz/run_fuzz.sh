#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed number of inputs:
#  - fuzz_decode_png: the PNG decoder over the system's libpng (coverage of our wrapper only);
#  - fuzz_decode_png_libpng: the same over Debian's libpng source built with the fuzzer's
#    instrumentation (tools/fuzz/libpng-instrumented.sh), guided by the decoder's own branches;
#  - fuzz_set_state: the state a host hands back to the plug-in (tests/conformance);
#  - fuzz_preset_file: the .vstpreset reader of plughost (tests/tools);
#  - fuzz_wav_file: the WAV reader of plughost's builds without libsndfile (tests/tools).
# Every library is built instrumented (but for the coverage feedback of drawing and signal
# processing, tools/fuzz/coverage-ignore.txt). Each run starts from its seeds plus every input
# that once found a fault (tests/lice/fuzz-regressions, tests/conformance/fuzz-seeds: add new
# finds there). Exits non-zero when a fuzzer finds a crash, a leak or undefined behaviour; the
# failing input is left in the artifacts folder.
#
# Usage: tools/fuzz/run_fuzz.sh [runs]      (default 200000 for each target)
# Environment: SORVEL_FUZZ_BUILD  build folder (default build/fuzz in the repository)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
runs=${1:-200000}
build=${SORVEL_FUZZ_BUILD:-$root/build/fuzz}

bash "$root/tools/fuzz/libpng-instrumented.sh" "$build/libpng-instrumented"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
flags="$flags -fsanitize-coverage-ignorelist=$root/tools/fuzz/coverage-ignore.txt"
cmake -S "$root" -B "$build" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DSORVEL_FUZZ_LIBPNG_DIR="$build/libpng-instrumented" \
  -DSORVEL_FUZZ=ON -DSORVEL_BUILD_BENCH=OFF -DSORVEL_WERROR=ON >/dev/null
cmake --build "$build" -j2 \
  --target fuzz_decode_png fuzz_decode_png_libpng png_seed_writer fuzz_set_state fuzz_preset_file \
  fuzz_wav_file

artifacts=$build/fuzz-artifacts/
mkdir -p "$artifacts"

# run NAME BINARY MAX_LEN SEED_FOLDERS... : fuzzes into the corpus folder of NAME (the first
# folder given to libFuzzer, where it keeps what it finds), starting from the seed folders.
run() {
  local name=$1 binary=$2 max_len=$3
  shift 3
  local corpus=$build/fuzz-corpus/$name
  mkdir -p "$corpus"
  local dict=()
  [[ $name == decode_png* ]] && dict=(-dict="$root/tools/fuzz/png.dict")
  echo "$name: $runs runs"
  "$binary" -runs="$runs" -max_len="$max_len" "${dict[@]}" -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" "$@"
  echo "$name: no crash in $runs runs"
}

png_seeds=$build/fuzz-corpus/png-seeds
mkdir -p "$png_seeds"
"$build/tests/lice/png_seed_writer" "$png_seeds"
run decode_png "$build/tests/lice/fuzz_decode_png" 8192 \
  "$png_seeds" "$root/tests/lice/fuzz-regressions"
run decode_png_libpng "$build/tests/conformance/fuzz_decode_png_libpng" 8192 \
  "$png_seeds" "$root/tests/lice/fuzz-regressions"
run set_state "$build/tests/conformance/fuzz_set_state" 1024 "$root/tests/conformance/fuzz-seeds"
run preset_file "$build/tests/tools/fuzz_preset_file" 4096 "$root/tests/tools/fuzz-seeds"
run wav_file "$build/tests/tools/fuzz_wav_file" 4096 "$root/tests/tools/wav-seeds"
