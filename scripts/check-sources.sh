#!/usr/bin/env bash
# Source rules no compiler checks: formatting, and the one door to the OS.
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror $sources; then
  echo "FAIL: formatting drift (run clang-format -i on the files above)"
  exit 1
fi

# Only the Windows platform, the hook library and the end-to-end harness's Windows programs may see
# the real Windows headers.
offenders=$(git grep -lE '#[[:space:]]*include[[:space:]]*<(windows|winuser|psapi|shellapi)\.h>' -- '*.cpp' '*.h' |
  grep -vE '^(platform/win32|hook|tests/e2e)/' || true)
if [ -n "$offenders" ]; then
  echo "FAIL: Windows headers included outside platform/win32/, hook/ and tests/e2e/:"
  echo "$offenders"
  exit 1
fi
# The settings answer questions about windows and files; acting on the answers is the shell's part.
offenders=$(git grep -lE '#[[:space:]]*include[[:space:]]*"app/' -- 'settings/*.cpp' 'settings/*.h' || true)
if [ -n "$offenders" ]; then
  echo "FAIL: settings/ includes the shell (app/):"
  echo "$offenders"
  exit 1
fi
echo "sources: format, platform-door and layering checks passed"
