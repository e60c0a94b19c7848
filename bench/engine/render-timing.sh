#!/usr/bin/env bash
# Times `plughost render` of a 60-second stereo file end to end, through the plug-in with the
# fast chain (Sorvel) and with the reference chain (SorvelReference), best of three each:
#   bench/engine/render-timing.sh [BUILD_DIR]        (default: build/ci)
# Build first: cmake --build BUILD_DIR --target plughost Sorvel SorvelReference
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/ci}"
plughost="$build/tools/plughost/plughost"
for needed in "$plughost" "$build/Sorvel.vst3" "$build/SorvelReference.vst3"; do
  [ -e "$needed" ] || { echo "render-timing.sh: $needed is missing; build it first" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 60 s of 48 kHz stereo noise, 24-bit.
python3 - "$work/in.wav" <<'PY'
import random, struct, sys, wave
random.seed(13)
frames = 60 * 48000
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(2)
    out.setsampwidth(3)
    out.setframerate(48000)
    data = bytearray()
    for _ in range(frames * 2):
        data += struct.pack("<i", int(random.uniform(-0.25, 0.25) * 8388607))[:3]
    out.writeframes(bytes(data))
PY

# User plus system CPU seconds of one render (the machine may be shared, so wall time is not).
cpu_seconds() {
  local bundle="$1" oversampling="$2"
  /usr/bin/env time -f "%U %S" -o "$work/time" \
    "$plughost" render "$bundle" "$work/in.wav" "$work/out.wav" --quiet \
    --set "OVERSAMPLING=@$oversampling" >/dev/null
  awk '{ printf "%.3f", $1 + $2 }' "$work/time"
}

best_of_three() {
  local best=""
  for _ in 1 2 3; do
    local t
    t="$(cpu_seconds "$@")"
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$t"; fi
  done
  echo "$best"
}

printf "%-14s %12s %12s %8s\n" "oversampling" "reference s" "fast s" "ratio"
for oversampling in 0 1; do
  reference="$(best_of_three "$build/SorvelReference.vst3" "$oversampling")"
  fast="$(best_of_three "$build/Sorvel.vst3" "$oversampling")"
  ratio="$(awk -v r="$reference" -v f="$fast" 'BEGIN { printf "%.2f", r / f }')"
  printf "%-14s %12s %12s %8s\n" "$oversampling" "$reference" "$fast" "$ratio"
done
