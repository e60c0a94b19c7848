#!/usr/bin/env bash
# Redraws the response gallery in docs/response/ with `plughost response` on the built bundle.
# usage: tools/response-gallery.sh [BUILD_DIR]      (default: build/ci)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
plughost=$build/tools/plughost/plughost
bundle=$build/Sorvel.vst3
out=docs/response
mkdir -p "$out"

# With LINK=1 the two channels are set apart: the left curve shows one setting, the right
# another.
plot() {
  local name=$1
  shift
  "$plughost" response "$bundle" "$@" --plot "$out/$name.png"
}
plot high-12k-15k  --set LINK=1 --set HGAINL=18 --set HGAINR=18 --set HFREQR=1
plot high-20k      --set LINK=1 --set HFREQL=2 --set HFREQR=2 --set HGAINL=18 --set HGAINR=-18
plot mid1-80-120   --set LINK=1 --set MGAIN1L=9 --set MGAIN1R=9 --set MFREQ1R=1
plot mid2-400-800  --set LINK=1 --set MGAIN2L=4.5 --set MGAIN2R=4.5 --set MFREQ2R=1
plot mid2-630      --set LINK=1 --set MFREQ2L=2 --set MFREQ2R=2 --set MGAIN2L=4.5 --set MGAIN2R=-4.5
plot mid3-1k-3k    --set LINK=1 --set MGAIN3L=4.5 --set MGAIN3R=4.5 --set MFREQ3R=1
plot mid3-2k       --set LINK=1 --set MFREQ3L=2 --set MFREQ3R=2 --set MGAIN3L=4.5 --set MGAIN3R=-4.5
plot mid4-5k-8k    --set LINK=1 --set MGAIN4L=9 --set MGAIN4R=9 --set MFREQ4R=1
plot low-20-60     --set LINK=1 --set LGAINL=18 --set LGAINR=18 --set LFREQR=1
plot low-40        --set LINK=1 --set LFREQL=2 --set LFREQR=2 --set LGAINL=18 --set LGAINR=-18
plot low-cut       --set LINK=1 --set LCUTL=0 --set LCUTR=1
plot drive-oversampled --set DRIVE=-20 --set OVERSAMPLING=1
