#!/usr/bin/env bash
# The Windows build must yield a 64-bit GUI tessellor.exe and a msghook.dll exporting the hook calls.
set -euo pipefail
dir=${1:-build/mingw/bin}
exe=$dir/tessellor.exe
dll=$dir/msghook.dll
file "$exe" | grep -q 'PE32+ executable (GUI) x86-64' || { echo "FAIL: $exe is not a 64-bit GUI program"; exit 1; }
file "$dll" | grep -q 'PE32+ executable (DLL)' || { echo "FAIL: $dll is not a 64-bit DLL"; exit 1; }
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p')
for name in setMyHook clearMyHook; do
  echo "$exports" | grep -qw "$name" || { echo "FAIL: msghook.dll does not export $name"; exit 1; }
done
# Statically linked: nothing beyond what every Windows has.
if x86_64-w64-mingw32-objdump -p "$exe" | grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)'; then
  echo "FAIL: tessellor.exe needs MinGW runtime DLLs"
  exit 1
fi
# What ships carries no debug information: together the two files stay under 400 KB.
exe_bytes=$(stat -c %s "$exe")
dll_bytes=$(stat -c %s "$dll")
limit=$((400 * 1024))
if [ $((exe_bytes + dll_bytes)) -ge "$limit" ]; then
  echo "FAIL: tessellor.exe ($exe_bytes bytes) and msghook.dll ($dll_bytes bytes) together reach 400 KB"
  exit 1
fi
if x86_64-w64-mingw32-objdump -h "$exe" "$dll" | grep -qE '[[:space:]]\.debug_'; then
  echo "FAIL: tessellor.exe or msghook.dll carries debug sections"
  exit 1
fi
echo "windows build: $(file -b "$exe" | cut -d, -f1) tessellor.exe ($((exe_bytes / 1024)) KB), $(file -b "$dll" | cut -d, -f1) msghook.dll ($((dll_bytes / 1024)) KB) exporting setMyHook and clearMyHook"
