#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the game, its tools, its tests and its Debian package need, in one
# apt-get call, and only when something is missing. Works as root or, for a normal user, through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri libgles-dev
  libfreetype-dev fonts-dejavu-core libpng-dev zlib1g-dev
  xvfb xauth xdotool x11-utils openbox libx11-dev libxdamage-dev strace
  googletest libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libpqxx-dev libcpp-httplib-dev libcurl4-openssl-dev postgresql postgresql-common
  clang-14 libclang-rt-14-dev
  dpkg-dev debhelper lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
