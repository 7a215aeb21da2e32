#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
for reader in mdbreader xlsxreader; do
  if [ -f "$root/tests/$reader/package.json" ]; then
    (cd "$root/tests/$reader" && npm install --no-audit --no-fund)
  fi
done
"$root/scripts/build.sh" -DQUIZZARD_TESTS=ON
export QT_QPA_PLATFORM=offscreen
cd "${QUIZZARD_BUILD_DIR:-$root/build}"
ctest --output-on-failure --parallel "$(nproc)"
