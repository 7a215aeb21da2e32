#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n libxlsxwriter-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libjpeg-dev mdbtools mdbtools-dev
  xvfb xauth imagemagick unrtf clang libclang-rt-14-dev
  lintian desktop-file-utils appstream strace xdotool openbox
)
# A Node.js that brings its own npm must not be replaced by Debian's split packages.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "${packages[@]}"
