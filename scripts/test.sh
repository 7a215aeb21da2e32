#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
if [ -f "$root/tests/mdbreader/package.json" ]; then
  (cd "$root/tests/mdbreader" && npm install --no-audit --no-fund)
fi
"$root/scripts/build.sh" -DQUIZZARD_TESTS=ON
export QT_QPA_PLATFORM=offscreen
cd "${QUIZZARD_BUILD_DIR:-$root/build}"
ctest --output-on-failure --parallel "$(nproc)"
