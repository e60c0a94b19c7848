#!/usr/bin/env bash
# Usage: tools/libpng-source.sh DEST
# Unpacks Debian's own libpng1.6 source package (with Debian's patches applied) below DEST and
# prints the unpacked source folder. Uses a private source-package list and APT state in
# DEST/apt, derived from this machine's Debian package sources, so the system's lists stay
# untouched. When the newest source version cannot be downloaded (a security update's files
# can be missing on a mirror), the previous versions are tried in turn. A source already
# unpacked in DEST is reused.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 DEST" >&2; exit 2; }
mkdir -p "$1"
dest=$(cd "$1" && pwd)

existing=$(find "$dest" -mindepth 2 -maxdepth 2 -path "$dest/libpng1.6-*/png.h" 2>/dev/null | sort | tail -1)
if [ -n "$existing" ]; then
  dirname "$existing"
  exit 0
fi

apt_dir=$dest/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
rm -f "$apt_dir"/sources.list.d/*

# Only Debian's own archives carry the source package; other configured archives are left out.
n=0
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  n=$((n + 1))
  awk -v RS= -v ORS='\n\n' '/URIs:[^\n]*\/debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
    "$f" >"$apt_dir/sources.list.d/src$n.sources"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  n=$((n + 1))
  sed -n -E 's/^[[:space:]]*deb([[:space:]]+\[[^]]*\])?([[:space:]]+[^[:space:]]*\/debian[^[:space:]]*[[:space:]].*)$/deb-src\1\2/p' \
    "$f" >"$apt_dir/src$n.list.tmp"
  mv "$apt_dir/src$n.list.tmp" "$apt_dir/sources.list.d/src$n.list"
done
find "$apt_dir/sources.list.d" -type f -empty -delete
if [ -z "$(ls -A "$apt_dir/sources.list.d")" ]; then
  echo "libpng-source: this machine's APT sources name no Debian archive" >&2
  exit 1
fi

apt_options=(
  -o Dir::Etc::SourceList=/dev/null
  -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
  -o Dir::State::Lists="$apt_dir/lists"
  -o Dir::Cache="$apt_dir/cache"
  -o APT::Sandbox::User=root
)
[ "$(id -u)" -eq 0 ] || apt_options+=(-o Debug::NoLocking=1)

apt-get "${apt_options[@]}" -q update >&2
versions=$(apt-cache "${apt_options[@]}" showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -u |
  sort -r -V)
[ -n "$versions" ] || { echo "libpng-source: no libpng1.6 source package found" >&2; exit 1; }

work=$dest/download
for version in $versions; do
  rm -rf "$work" && mkdir -p "$work"
  if (cd "$work" && apt-get "${apt_options[@]}" -q source libpng1.6="$version" >&2); then
    unpacked=$(find "$work" -mindepth 2 -maxdepth 2 -path "$work/libpng1.6-*/png.h" | head -1)
    if [ -n "$unpacked" ]; then
      folder=$(basename "$(dirname "$unpacked")")
      rm -rf "${dest:?}/$folder"
      mv "$work/$folder" "$dest/$folder"
      rm -rf "$work"
      echo "$dest/$folder"
      exit 0
    fi
  fi
  echo "libpng-source: libpng1.6 $version could not be fetched; trying the previous version" >&2
done
echo "libpng-source: no libpng1.6 source version could be fetched" >&2
exit 1
