#!/usr/bin/env bash
# Builds the Debian package quizzard_<version>_<arch>.deb into build/ (or $QUIZZARD_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIZZARD_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DQUIZZARD_TESTS=OFF
cd "$build" && cpack -G DEB
