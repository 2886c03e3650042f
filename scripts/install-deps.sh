#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (run as root).
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev googletest          # native build and unit tests
  mingw-w64 g++-mingw-w64-x86-64-posix             # kestrow.exe
  wine wine64 xvfb xauth x11-utils                 # adapter and end-to-end tests
  imagemagick fonts-noto-cjk fonts-wqy-microhei    # screenshots and Chinese text under Wine
  zbar-tools                                       # reads the QR pictures back in the unit tests
  clang libclang-rt-14-dev                         # libFuzzer targets
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
