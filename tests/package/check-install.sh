#!/usr/bin/env bash
# Installs the package for real (as root, on a machine that may be changed), starts the student
# program from it, and removes it again.
set -euo pipefail
deb=$(realpath "$1")
apt-get install -y "$deb" >/dev/null
QT_QPA_PLATFORM=offscreen timeout 8 strace -f -e trace=openat -o /tmp/quizzard-install.trace quizzard || true
status=0
grep -q '"/etc/quizzard/param.ini"' /tmp/quizzard-install.trace || { echo "FAIL: /etc/quizzard/param.ini not read"; status=1; }
grep -q '/usr/share/quizzard/demo' /tmp/quizzard-install.trace || { echo "FAIL: demo folder not searched"; status=1; }
[ "$(stat -c %a /var/lib/quizzard/results)" = 1777 ] || { echo "FAIL: results folder is not sticky and writable"; status=1; }
dpkg -r quizzard >/dev/null
[ ! -e /usr/bin/quizzard ] || { echo "FAIL: dpkg -r left /usr/bin/quizzard"; status=1; }
dpkg --purge quizzard >/dev/null
echo "installed package: $((status == 0 ? 1 : 0)) passed, $status failed"
exit "$status"
