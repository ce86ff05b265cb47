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
echo "windows build: $(file -b "$exe" | cut -d, -f1) tessellor.exe, $(file -b "$dll" | cut -d, -f1) msghook.dll exporting setMyHook and clearMyHook"
