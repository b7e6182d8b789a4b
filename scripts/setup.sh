#!/usr/bin/env bash
# Installs every Debian package that Tarnwick's build, tests and benchmarks need.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgsf-1-dev libglib2.0-dev libxml2-dev
  libshp-dev
  libcli11-dev
  desktop-file-utils appstream help2man librsvg2-bin dpkg-dev file man-db
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  python3 python3-xlrd python3-xlwt python3-dbfread python3-openpyxl python3-odf
  xvfb xauth x11-apps imagemagick
  hyperfine locales-all
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
