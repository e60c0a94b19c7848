#!/bin/sh
# Usage: check_windows_exports.sh OBJDUMP MODULE
# A Windows plug-in module exports exactly GetPluginFactory, InitDll and ExitDll as ordinals 1,
# 2 and 3, and imports only system DLLs (no mingw runtime DLL that a user would lack).
set -u
objdump=$1
module=$2
table=$("$objdump" -p "$module") || { echo "FAIL: $objdump cannot read $module"; exit 1; }

exports=$(printf '%s\n' "$table" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\([A-Za-z_0-9]*\)$/\1 \2/p' | sort)
want="0 GetPluginFactory
1 InitDll
2 ExitDll"
base=$(printf '%s\n' "$table" | sed -n 's/^Ordinal Base[[:space:]]*//p')
status=0
if [ "$exports" != "$(printf '%s\n' "$want" | sort)" ] || [ "$base" != 1 ]; then
  echo "FAIL: exports (index from ordinal base $base):"
  printf '%s\n' "$exports"
  status=1
fi

runtime=$(printf '%s\n' "$table" | sed -n 's/^[[:space:]]*DLL Name: //p' |
  grep -i -E 'libstdc|libgcc|libwinpthread|zlib|libpng|mingw' || true)
if [ -n "$runtime" ]; then
  echo "FAIL: depends on $runtime"
  status=1
fi
[ $status = 0 ] && echo "PASS: $module exports GetPluginFactory @1, InitDll @2, ExitDll @3 and needs no mingw DLL"
exit $status
