#!/usr/bin/env bash
# lv2apply, running the built Sorvel.lv2 one frame at a time, renders exactly what plughost
# renders through Sorvel.vst3 in blocks of 512 with the same settings; with the host's
# "enabled" port at 0 the input passes unchanged (but for the single-precision host path).
# usage: render_matches_vst3.sh PLUGHOST WAVCOMPARE VST3_BUNDLE LV2_FOLDER WORK_DIR
set -euo pipefail
plughost=$1 wavcompare=$2 vst3=$3 lv2=$4 work=$5
command -v lv2apply >/dev/null || { echo "lv2apply (lilv-utils) is not installed"; exit 77; }
if readelf -d "$lv2"/Sorvel.lv2/Sorvel.so | grep -Eq 'NEEDED.*lib(a|t|ub)san'; then
  echo "the bundle carries a sanitizer runtime that lv2apply cannot load"; exit 77
fi
uri=https://www.velmora.audio/plugins/sorvel
mkdir -p "$work"
"$wavcompare" noise "$work/noise.wav"

settings=(HGAINL=3.5 MGAIN2R=-2.25 DRIVE=-30 LINK=1 MS=0 HFREQR=2 LCUTL=0 OUTR=-1.5 OVERSAMPLING=1)
vst3_args=() lv2_args=()
for s in "${settings[@]}"; do
  vst3_args+=(--set "$s")
  lv2_args+=(-c "$(tr 'A-Z' 'a-z' <<<"${s%%=*}")" "${s#*=}")
done
"$plughost" render "$vst3" "$work/noise.wav" "$work/vst3.wav" "${vst3_args[@]}" >/dev/null
LV2_PATH=$lv2 lv2apply -i "$work/noise.wav" -o "$work/lv2.wav" "${lv2_args[@]}" "$uri"
echo "processed:"; "$wavcompare" diff "$work/vst3.wav" "$work/lv2.wav" 0

LV2_PATH=$lv2 lv2apply -i "$work/noise.wav" -o "$work/bypassed.wav" -c enabled 0 -c drive -20 "$uri"
echo "bypassed by the host:"; "$wavcompare" diff "$work/noise.wav" "$work/bypassed.wav" 6e-8
