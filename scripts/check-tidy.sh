#!/usr/bin/env bash
# clang-tidy over the program's own sources (what the program and its tools compile, not the tests),
# with the compile commands of a configured build (default build/dev). Any warning fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
root=$(pwd)

[ -f "$build/compile_commands.json" ] || { echo "FAIL: no $build/compile_commands.json (configure the build first)"; exit 1; }
jobs=$(nproc 2>/dev/null || echo 2)
pattern="^$root/(app|settings|layout|platform|tools)/"
log=$build/clang-tidy.log

if command -v run-clang-tidy >/dev/null; then
  run-clang-tidy -quiet -p "$build" -j "$jobs" "$pattern" >"$log" 2>&1 || true
else
  sed -n 's/^ *"file": "\(.*\)",\?$/\1/p' "$build/compile_commands.json" | grep -E "$pattern" | sort -u |
    xargs -r -P "$jobs" -n 4 clang-tidy --quiet -p "$build" >"$log" 2>&1 || true
fi

# Exit codes say little (run-clang-tidy passes warnings), so the output decides. A header's finding
# comes once for every file that includes it: each is shown once.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^[^ ].*: (warning|error): ' | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "FAIL: clang-tidy found the above ($(echo "$findings" | wc -l) findings; whole output in $log)"
  exit 1
fi
echo "clang-tidy: $(grep -cE '"file": "'"$root"'/(app|settings|layout|platform|tools)/' "$build/compile_commands.json") files clean"
