#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its benchmarks need. Does nothing
# when they are all present already, so it is cheap to call before every build.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-5compat-dev qt6-svg-dev
  libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n
  mdbtools mdbtools-dev libfreexl-dev
  libharfbuzz-dev zlib1g-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation fonts-arphic-gbsn00lp fonts-noto-cjk fonts-hanazono poppler-utils
  dpkg-dev desktop-file-utils shared-mime-info
  postgresql clang
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
