#!/usr/bin/env bash
# Times `plughost render` of a 30-second 48 kHz stereo float file end to end, through the
# plug-in with the fast chain (Sorvel) and with the reference chain (SorvelReference), best of
# five each (CPU time), and of a 1-second file, which shows what a render costs besides its
# audio; then the largest resident memory of renders of a 5-minute and a 60-minute file:
#   bench/engine/render-timing.sh [BUILD_DIR]        (default: build/ci)
# Build first: cmake --build BUILD_DIR --target plughost Sorvel SorvelReference
# PLUGHOST=path times another plughost with the same bundles; RENDER_LONG=0 skips the long
# files (they take 1.4 GB in the temporary folder while they exist).
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/ci}"
plughost="${PLUGHOST:-$build/tools/plughost/plughost}"
for needed in "$plughost" "$build/Sorvel.vst3" "$build/SorvelReference.vst3"; do
  [ -e "$needed" ] || { echo "render-timing.sh: $needed is missing; build it first" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# SECONDS of 48 kHz stereo 32-bit float noise at -12 dBFS: ten seconds of noise, repeated.
make_input() {
  python3 - "$1" "$2" <<'PY'
import array, random, struct, sys
path, seconds = sys.argv[1], int(sys.argv[2])
rate, channels = 48000, 2
random.seed(13)
piece = array.array("f", (random.uniform(-0.25, 0.25) for _ in range(10 * rate * channels)))
if sys.byteorder != "little":
    piece.byteswap()
piece = piece.tobytes()
data_bytes = seconds * rate * channels * 4
with open(path, "wb") as out:
    out.write(b"RIFF" + struct.pack("<I", 4 + 26 + 12 + 8 + data_bytes) + b"WAVE")
    out.write(b"fmt " + struct.pack("<IHHIIHHH", 18, 3, channels, rate, rate * channels * 4,
                                    channels * 4, 32, 0))
    out.write(b"fact" + struct.pack("<II", 4, seconds * rate))
    out.write(b"data" + struct.pack("<I", data_bytes))
    left = data_bytes
    while left > 0:
        out.write(piece[:left])
        left -= min(left, len(piece))
PY
}

# "user+system CPU seconds, largest resident kilobytes" of one render, as the kernel accounts
# them to that process alone (finer than time(1), which rounds to ten milliseconds).
measure() {
  python3 - "$plughost" "$1" "$2" "$3" "$work/out.wav" <<'PY'
import os, subprocess, sys
plughost, bundle, oversampling, source, out = sys.argv[1:6]
render = subprocess.Popen([plughost, "render", bundle, source, out, "--quiet",
                           "--set", "OVERSAMPLING=@" + oversampling], stdout=subprocess.DEVNULL)
_, status, usage = os.wait4(render.pid, 0)
if status != 0:
    sys.exit("plughost render failed")
os.remove(out)
print("%.4f %d" % (usage.ru_utime + usage.ru_stime, usage.ru_maxrss))
PY
}

best_of_five() {
  local best=""
  for _ in 1 2 3 4 5; do
    local t
    t="$(measure "$@" | cut -d' ' -f1)"
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$t"; fi
  done
  echo "$best"
}

make_input "$work/in.wav" 30
make_input "$work/short.wav" 1
printf "%-22s %12s %12s %8s\n" "30 s file" "reference s" "fast s" "ratio"
for oversampling in 0 1; do
  reference="$(best_of_five "$build/SorvelReference.vst3" "$oversampling" "$work/in.wav")"
  fast="$(best_of_five "$build/Sorvel.vst3" "$oversampling" "$work/in.wav")"
  ratio="$(awk -v r="$reference" -v f="$fast" 'BEGIN { printf "%.2f", r / f }')"
  printf "%-22s %12s %12s %8s\n" "oversampling $oversampling" "$reference" "$fast" "$ratio"
done
# What a render costs before its first second of audio: loading, instance creation, files.
reference="$(best_of_five "$build/SorvelReference.vst3" 0 "$work/short.wav")"
fast="$(best_of_five "$build/Sorvel.vst3" 0 "$work/short.wav")"
printf "%-22s %12s %12s\n" "1 s file" "$reference" "$fast"

[ "${RENDER_LONG:-1}" = 0 ] && exit 0
printf "\n%-14s %12s %14s\n" "input" "CPU s" "max resident"
for minutes in 5 60; do
  make_input "$work/long.wav" $((minutes * 60))
  read -r cpu kilobytes < <(measure "$build/Sorvel.vst3" 0 "$work/long.wav")
  rm -f "$work/long.wav"
  printf "%-14s %12s %11.1f MB\n" "$minutes min" "$cpu" "$(awk -v k="$kilobytes" 'BEGIN { print k / 1024 }')"
done
