#!/usr/bin/env bash
# Builds Sorvel and the command-line host, then renders audio through the plug-in:
#   ./tools/render.sh [IN] [OUT] [--set NAME=VALUE ...] [other plughost render options]
# Without IN a built-in test signal is rendered; OUT defaults to sorvel-out.wav. A single file
# name is the input when that file exists, the output otherwise.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"

# Options of `plughost render` that take a separate value.
takes_value() {
  case "$1" in
    --set|--rate|--block|--precision|--state|--save-state|--format) return 0 ;;
    *) return 1 ;;
  esac
}

positional=()
options=()
while [ $# -gt 0 ]; do
  case "$1" in
    --help|-h)
      sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'
      exit 0 ;;
    -*)
      options+=("$1")
      if takes_value "$1"; then
        [ $# -ge 2 ] || { echo "render.sh: $1 needs a value" >&2; exit 2; }
        options+=("$2")
        shift
      fi ;;
    *) positional+=("$1") ;;
  esac
  shift
done

case ${#positional[@]} in
  0) input=""; output="sorvel-out.wav" ;;
  1) if [ -f "${positional[0]}" ]; then input="${positional[0]}"; output="sorvel-out.wav"
     else input=""; output="${positional[0]}"; fi ;;
  2) input="${positional[0]}"; output="${positional[1]}" ;;
  *) echo "render.sh: at most IN and OUT may be given" >&2; exit 2 ;;
esac

(
  cd "$root"
  ./tools/setup.sh
  cmake --preset ci >/dev/null
  cmake --build --preset ci --target plughost Sorvel
)

plughost="$root/build/ci/tools/plughost/plughost"
args=(render "$root/build/ci/Sorvel.vst3")
[ -n "$input" ] && args+=("$input")
args+=("$output")
[ ${#options[@]} -gt 0 ] && args+=("${options[@]}")

summary="$("$plughost" "${args[@]}")"
peak="$(printf '%s\n' "$summary" | sed -n 's/.*peak \([^ ]* dBFS\).*/\1/p' | tail -n 1)"
echo "Rendered ${input:-the built-in test signal} through Sorvel"
echo "Output: $(realpath -m "$output")"
echo "Peak:   ${peak:-unknown}"
