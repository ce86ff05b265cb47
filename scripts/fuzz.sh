#!/usr/bin/env bash
# Fuzzing beyond the random events that the test command plays.
#   scripts/fuzz.sh libfuzzer [K]     the libFuzzer targets (clang, address and undefined-behaviour
#                                     sanitizers) from their corpus, K times the short run (default 1)
#   scripts/fuzz.sh events [N] [--windows10] [--faults]
#                                     N random events (default 1000000) through the program in the
#                                     sanitizer build, 5000 a seed, timed; --windows10 adds the
#                                     desktops of Windows 10 and 11 (work areas, monitors, frames,
#                                     cloaked, tool and owned windows...); --faults makes every call
#                                     that can fail fail once in a hundred
# A finding leaves its input (crash-*, or a fuzz-seed-*.scn that tessellor-sim replays) in build/fuzz-libfuzzer or build/asan/fuzz-events.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=2
mode=${1:-libfuzzer}

case "$mode" in
  libfuzzer)
    # A fixed number of runs from a fixed seed: the same inputs every time.
    scale=${2:-1}
    scripts/install-deps.sh cmake make clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest
    flags="-fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S . -B build/fuzz-libfuzzer -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
      -DTESSELLOR_BUILD_BENCH=OFF -DTESSELLOR_LIBFUZZER=ON -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined,float-cast-overflow" >/dev/null
    cmake --build build/fuzz-libfuzzer -j "$jobs" --target fuzz_settings_words fuzz_keys_file fuzz_restore_file fuzz_scenario_text >/dev/null
    # target         runs (a scenario runs the whole program in a fresh directory: far slower)
    for entry in "settings_words 20000" "keys_file 20000" "restore_file 20000" "scenario_text 1500"; do
      read -r target runs <<<"$entry"
      runs=$((runs * scale))
      # New inputs go to a scratch corpus, emptied first so that every run plays the same inputs;
      # the one in the repository is only read.
      rm -rf "build/fuzz-libfuzzer/corpus/$target"
      mkdir -p "build/fuzz-libfuzzer/corpus/$target"
      log=build/fuzz-libfuzzer/$target.log
      echo "== libFuzzer $target: $runs runs"
      if ! (cd build/fuzz-libfuzzer && "./tests/fuzz/fuzz_$target" -runs="$runs" -seed=1 -max_len=4096 -timeout=20 \
        "corpus/$target" "../../tests/fuzz/corpus/$target") >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "libFuzzer $target found a fault; its input is in build/fuzz-libfuzzer (crash-*, timeout-*)" >&2
        exit 1
      fi
      grep -E "^Done" "$log"
    done
    ;;
  events)
    events=${2:-1000000}
    desktops=()
    for option in "${@:3}"; do
      case "$option" in
        --windows10 | --faults) desktops+=("$option") ;;
        *)
          echo "usage: scripts/fuzz.sh events [N] [--windows10] [--faults]" >&2
          exit 2
          ;;
      esac
    done
    scripts/install-deps.sh cmake make g++ libgtest-dev libgmock-dev googletest
    # The asan preset's build, which the test command has made already.
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs" --target tessellor-fuzz tessellor-sim >/dev/null
    seeds=$(((events + 4999) / 5000))
    mkdir -p build/asan/fuzz-events
    echo "== $seeds seeds of 5000 random events, sanitized ${desktops[*]}"
    time build/asan/tools/fuzz/tessellor-fuzz --seeds "$seeds" --events 5000 --first-seed 100000 \
      --out build/asan/fuzz-events "${desktops[@]}"
    ;;
  *)
    echo "usage: scripts/fuzz.sh libfuzzer [K] | events [N] [--windows10] [--faults]" >&2
    exit 2
    ;;
esac
