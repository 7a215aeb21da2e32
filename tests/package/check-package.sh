#!/usr/bin/env bash
# Builds the package in a scratch folder and checks it; a missing checker is skipped with a message.
set -euo pipefail
build=$1 cpack=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; return 1; }; }

(cd "$work" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >cpack.log 2>&1) \
  || { cat "$work/cpack.log"; fail "cpack"; exit 1; }
deb=$(ls "$work"/quizzard_*.deb)
echo "package: $(basename "$deb")"

if have lintian; then
  lintian --no-tag-display-limit "$deb" 2>/dev/null | tee "$work/lintian.log"
  ! grep -q '^E:' "$work/lintian.log" || fail "lintian reports errors"
fi

root=$work/root
dpkg-deb -x "$deb" "$root"
for program in quizzard qzt qzr; do
  [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program missing"
done
if have desktop-file-validate; then
  desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entries"
fi
if have appstreamcli; then
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml || fail "metainfo"
fi
[ -f "$root/usr/share/quizzard/demo/География.qzt" ] || fail "demo test missing"
[ -f "$root/etc/quizzard/param.ini" ] || fail "settings missing"
dpkg-deb -I "$deb" conffiles | grep -qx /etc/quizzard/param.ini || fail "param.ini is not a conffile"

"$root/usr/bin/qzt" --version | grep -q '[0-9]\.[0-9]' || fail "qzt --version"
"$root/usr/bin/qzr" --help >/dev/null || fail "qzr --help"

# The student program of the unpacked root reads the settings of that root's /etc.
if have strace; then
  QUIZZARD_TEST_ROOT=$root QT_QPA_PLATFORM=offscreen \
    timeout 8 strace -f -e trace=openat -o "$work/trace" "$root/usr/bin/quizzard" || true
  grep -q "$root/etc/quizzard/param.ini" "$work/trace" || fail "quizzard did not read $root/etc/quizzard/param.ini"
fi

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
