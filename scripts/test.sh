#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs the whole test suite, then the tests
# of the reading code again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUIZZARD_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
for reader in mdbreader xlsxreader; do
  if [ -f "$root/tests/$reader/package.json" ]; then
    (cd "$root/tests/$reader" && npm install --no-audit --no-fund)
  fi
done
export QT_QPA_PLATFORM=offscreen

start=$SECONDS
"$root/scripts/build.sh" -DQUIZZARD_TESTS=ON
(cd "$build" && ctest --output-on-failure --parallel "$(nproc)")
echo "normal suite: $((SECONDS - start)) s"

start=$SECONDS
sanitized=$build-sanitized
cmake -S "$root" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIZZARD_TESTS=ON \
  -DQUIZZARD_SANITIZE=ON
cmake --build "$sanitized" --parallel "$(nproc)" --target sanitized_tests
# Qt and fontconfig keep caches for the life of the process; leaks are not what this run looks for.
(cd "$sanitized" && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure --parallel "$(nproc)" -L sanitized)
echo "sanitizer suite: $((SECONDS - start)) s"

# On CI, which runs as root on a machine of its own, the package is installed for real.
if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ]; then
  (cd "$build" && rm -f quizzard_*.deb && cpack -G DEB >/dev/null)
  bash "$root/tests/package/check-install.sh" "$build"/quizzard_*.deb
fi
