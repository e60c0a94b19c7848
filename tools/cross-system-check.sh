#!/usr/bin/env bash
# Same audio, same state, both systems: renders through the Linux build's plughost and bundle
# and through the Windows build's plughost.exe and bundle under Wine, for the built-in signal and
# two files (64-bit float and 24-bit PCM), several parameter settings and both sample sizes, and
# compares them; then compares the states both save and loads each system's state on the other.
#   tools/cross-system-check.sh [LINUX_BUILD] [WINDOWS_BUILD]    (default build/ci build/windows)
# Fails when a render differs by more than 1e-6, a state differs by one byte, or a state saved
# on one system does not give the same render on the other.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "${1:-$root/build/ci}" && pwd)
windows=$(cd "${2:-$root/build/windows}" && pwd)
tolerance=1e-6

lhost=$linux/tools/plughost/plughost
whost=$windows/tools/plughost/plughost.exe
wavcompare=$linux/tools/crosscheck/wavcompare
for f in "$lhost" "$whost" "$wavcompare" "$linux/Sorvel.vst3" "$windows/Sorvel.vst3"; do
  [ -e "$f" ] || { echo "cross-system check: $f is missing (build both presets first)"; exit 1; }
done

# The Windows build's prefix; its server and services start here with their output kept away
# from ours, or a later command substitution would wait for them.
export SORVEL_WINDOWS_BUILD=$windows
export WINEPREFIX=${WINEPREFIX:-$windows/wineprefix}
export WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
"$root/tools/wine-run.sh" wineboot </dev/null >/dev/null 2>&1 || true
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

run_linux() { "$lhost" "$@" --quiet >"$work/log" 2>&1 || { cat "$work/log"; return 1; }; }
run_windows() {
  "$root/tools/wine-run.sh" "$whost" "$@" --quiet </dev/null >"$work/log" 2>&1 \
    || { cat "$work/log"; return 1; }
}

"$wavcompare" noise "$work/noise.wav"
"$wavcompare" noise "$work/noise24.wav" pcm24

settings=(
  "defaults|"
  "equaliser unlinked|LINK=1 HGAINL=4.5 HGAINR=-6 MGAIN2L=-3 MGAIN3R=3 LGAINL=2 HFREQL=1 MFREQ2R=2 LCUTL=0 OUTR=-2.5"
  "drive oversampled|DRIVE=-25 OVERSAMPLING=1 MGAIN1L=4 MGAIN4R=-4"
  "mid-side|MS=0 HGAINL=9 LGAINL=-6 DRIVE=-20"
  "bypassed|BY=1 HGAINL=12"
  # mingw's pow(10, 4.43 / 20) is one unit in the last place off glibc's.
  "output gain 4.43 dB|OUTL=4.43 LINK=1"
)
failures=0
printf '%-20s %-9s %-4s %s\n' setting input bits "Linux against Windows"
for entry in "${settings[@]}"; do
  name=${entry%%|*}
  sets=()
  for s in ${entry#*|}; do sets+=(--set "$s"); done
  tag=${name// /-}
  # A 24-bit input is written back as 24-bit PCM: both builds must round alike.
  for input in built-in file pcm24; do
    in=()
    [ "$input" = file ] && in=("$work/noise.wav")
    [ "$input" = pcm24 ] && in=("$work/noise24.wav")
    for bits in 32 64; do
      out=$tag-$input-$bits.wav
      extra=(--precision "$bits" ${sets[@]+"${sets[@]}"})
      run_linux render "$linux/Sorvel.vst3" ${in[@]+"${in[@]}"} "$work/linux-$out" "${extra[@]}" \
        --save-state "$work/linux-$tag.state"
      run_windows render "$windows/Sorvel.vst3" ${in[@]+"${in[@]}"} "$work/windows-$out" \
        "${extra[@]}" --save-state "$work/windows-$tag.state"
      result=$("$wavcompare" diff "$work/linux-$out" "$work/windows-$out" $tolerance) \
        || failures=$((failures + 1))
      printf '%-20s %-9s %-4s %s\n' "$name" "$input" "$bits" "$result"
    done
  done
  if ! cmp -s "$work/linux-$tag.state" "$work/windows-$tag.state"; then
    echo "$name: the two systems save different states"
    failures=$((failures + 1))
  fi
  # Each system's state loaded on the other gives that system's own render.
  run_linux render "$linux/Sorvel.vst3" "$work/noise.wav" "$work/linux-from-windows.wav" \
    --precision 64 --state "$work/windows-$tag.state"
  run_windows render "$windows/Sorvel.vst3" "$work/noise.wav" "$work/windows-from-linux.wav" \
    --precision 64 --state "$work/linux-$tag.state"
  for sys in linux windows; do
    [ $sys = linux ] && loaded=linux-from-windows || loaded=windows-from-linux
    if ! "$wavcompare" diff "$work/$sys-$tag-file-64.wav" "$work/$loaded.wav" 0 >/dev/null; then
      echo "$name: the other system's state renders differently on $sys"
      failures=$((failures + 1))
    fi
  done
done
if [ $failures -ne 0 ]; then
  echo "cross-system check: $failures failures"
  exit 1
fi
echo "cross-system check: renders within $tolerance, states byte-identical and interchangeable"
