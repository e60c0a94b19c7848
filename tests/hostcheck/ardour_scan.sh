#!/usr/bin/env bash
# Loads a VST 3 bundle with Ardour's plug-in scanner, a loader we did not write, and checks
# what it read from the module: the class it lists and the attributes it caches for it.
#
#   ardour_scan.sh BUNDLE KEY=VALUE...
#
# Each KEY=VALUE must appear as an attribute of the one class the scanner caches. Exits 77
# (skipped) when no scanner is installed (Debian package `ardour`) or when the module is
# built with a sanitizer runtime, which an uninstrumented host cannot load.
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 BUNDLE KEY=VALUE..." >&2
  exit 2
fi
bundle=$(realpath -m "$1")
shift
name=$(basename "$bundle" .vst3)
module="$bundle/Contents/$(uname -m)-linux/$name.so"

scanner=${ARDOUR_VST3_SCANNER:-}
if [ -z "$scanner" ]; then
  for candidate in /usr/lib/ardour*/ardour*-vst3-scan*; do
    [ -x "$candidate" ] && scanner=$candidate && break
  done
fi
if [ ! -x "$scanner" ]; then
  echo "SKIP: no Ardour VST 3 scanner ${scanner:-under /usr/lib/ardour*/} (Debian package ardour)"
  exit 77
fi
if [ ! -f "$module" ]; then
  echo "FAIL: $module is missing: build the bundle first"
  exit 1
fi
if command -v readelf >/dev/null &&
  readelf -d "$module" 2>/dev/null | grep -Eq 'NEEDED.*lib(a|t|ub)san'; then
  echo "SKIP: $module links a sanitizer runtime that $scanner does not carry"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The scanner's libraries live beside it, outside the system's library path. Its cache goes to a private folder so that the file read back is this
# run's and nothing is left in the home folder.
status=0
LD_LIBRARY_PATH="$(dirname "$scanner")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
  XDG_CACHE_HOME="$work/cache" \
  timeout 60 "$scanner" --verbose --force "$bundle" >"$work/out" 2>"$work/err" </dev/null ||
  status=$?

echo "== $scanner $bundle (exit $status)"
cat "$work/out"
if [ -s "$work/err" ]; then
  echo "== standard error"
  cat "$work/err"
fi
echo "=="

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

case $status in
  0) ;;
  124) fail "the scanner did not finish within 60 s" ;;
  *) fail "the scanner exited with status $status" ;;
esac
# The scanner exits 0 even when it cannot load a module or find its factory, and says so
# on standard error or in [ERROR] lines only.
complaints=$(grep -E '^\[(ERROR|WARNING)\]' "$work/out")
[ -n "$complaints" ] && fail "the scanner complained: $complaints"
[ -s "$work/err" ] && fail "the scanner wrote to standard error"
grep -q '^\[Info\]: Class count: 1$' "$work/out" || fail "the factory does not list exactly one class"
grep -q "^\[Info\]: Class: 0 '.*' 'Audio Module Class'$" "$work/out" ||
  fail "class 0 is not in the category 'Audio Module Class'"

mapfile -t caches < <(find "$work/cache" -name '*.v3i' 2>/dev/null)
if [ ${#caches[@]} -ne 1 ]; then
  fail "expected one cache file, found ${#caches[@]}"
else
  infos=$(grep -c '<VST3Info ' "${caches[0]}")
  [ "$infos" -eq 1 ] || fail "the cache lists $infos classes, expected 1"
  info=$(grep '<VST3Info ' "${caches[0]}")
  for expected in "$@"; do
    key=${expected%%=*}
    value=${expected#*=}
    if ! grep -qF " $key=\"$value\"" <<<"$info"; then
      found=$(grep -oE " $key=\"[^\"]*\"" <<<"$info")
      fail "the cache has${found:- no $key}, expected $key=\"$value\""
    fi
  done
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "PASS: $scanner accepted $name with $*"
