#!/usr/bin/env bash
# The main job: builds tessellor.exe and msghook.dll for Windows, runs them under Wine on a private
# virtual display with six sample windows, tiles them with the Border Layout (Ctrl+Alt+B) and then
# the Grid Layout (Ctrl+Alt+G), and writes screenshots of both: demo/border.png and demo/grid.png;
# then opens the "Windows" dialog over them and four more, and writes demo/windows-dialog.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake make g++ file g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j 2 >/dev/null
scripts/check-windows-build.sh build/mingw/bin

tests/e2e/run.sh --demo

echo "Windows program: build/mingw/bin/tessellor.exe and build/mingw/bin/msghook.dll"
echo "Release zip: $(ls build/mingw/tessellor-*-win64.zip)"
echo "Screenshots: demo/border.png (Border Layout), demo/grid.png (Grid Layout) and demo/windows-dialog.png (the Windows dialog)"
