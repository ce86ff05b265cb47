#!/usr/bin/env bash
# Builds everything and runs every test: source checks, the Windows cross build with its installer
# and package manifests, the real program
# end to end under Wine, unit and scenario tests (plain and under AddressSanitizer +
# UndefinedBehaviorSanitizer, the random-event fuzzer among them), clang-tidy, the optimised build
# of the benchmarks with a short run, and the libFuzzer targets.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake make g++ file libgtest-dev libgmock-dev googletest libbenchmark-dev \
  clang-format clang-tidy g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 librsvg2-bin wixl msitools python3-yaml python3-pefile

jobs=$(nproc 2>/dev/null || echo 2)

echo "== source checks"
scripts/check-sources.sh

echo "== Windows build (MinGW-w64)"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
scripts/check-windows-build.sh build/mingw/bin

echo "== the installer and the package managers' manifests"
/usr/bin/python3 tests/packages/check_packages.py build/mingw
/usr/bin/python3 tests/packages/check_packages.py --self-test build/mingw

echo "== the real program end to end under Wine"
tests/e2e/run.sh
scripts/bench-e2e.sh --quick
scripts/bench-e2e.sh --own 1

echo "== Linux build and tests"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

echo "== clang-tidy"
scripts/check-tidy.sh build/dev

echo "== optimised build of the benchmarks, run briefly"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target tessellor-bench
# A short run keeps the documented command working; its figures are not judged here.
build/release/bench/tessellor-bench --benchmark_min_time=0.01

echo "== sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== random events through the sanitized program, both kinds of desktop"
scripts/fuzz.sh events 20000
scripts/fuzz.sh events 20000 --windows10

echo "== libFuzzer targets (clang)"
scripts/fuzz.sh libfuzzer
