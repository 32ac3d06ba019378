#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, where they are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libsqlite3-dev libqt6sql6-psql libgl-dev libx11-dev
  libxlsxwriter-dev fonts-noto-cjk adwaita-icon-theme
  libgtest-dev libbenchmark-dev postgresql postgresql-common unzip
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
