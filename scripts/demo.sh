#!/usr/bin/env bash
# The main job, shown on Linux: builds tessellor.exe and msghook.dll for Windows, then runs the same
# program over the simulated desktop, tiling sample windows with the Border Layout and the Grid
# Layout, and writes pictures of both to demo/out/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake make g++ file g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 librsvg2-bin

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs" >/dev/null
scripts/check-windows-build.sh build/mingw/bin

cmake --preset dev -DTESSELLOR_BUILD_BENCH=OFF >/dev/null
cmake --build --preset dev --target tessellor-sim -j "$jobs" >/dev/null

mkdir -p demo/out
build/dev/tools/sim/tessellor-sim --svg "$PWD/demo/out" "$PWD/demo/demo.scn" | tee demo/out/demo.txt
for name in border grid; do
  rsvg-convert -o "demo/out/$name.png" "demo/out/$name.svg"
done
echo "Windows program: build/mingw/bin/tessellor.exe and build/mingw/bin/msghook.dll"
echo "Pictures: demo/out/border.png and demo/out/grid.png (and their .svg)"
