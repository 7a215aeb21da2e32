#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the program with its demo test, and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIZZARD_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DQUIZZARD_TESTS=OFF
demo="$build/demo"
mkdir -p "$demo/tests" "$demo/results"
if [ -x "$build/tools/qzt/qzt" ] && [ -f "$root/resources/demo/geography.json" ]; then
  "$build/tools/qzt/qzt" write "$root/resources/demo/geography.json" "$demo/tests/География.qzt"
fi
printf '[params]\nResultsFilePath=%s/results/\nTestPath=%s/tests/\n' "$demo" "$demo" >"$build/app/param.ini"
exec "$build/app/quizzard" "$@"
