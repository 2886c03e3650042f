#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (run as root).
# Every name here is a package of Debian 12 (bookworm) and of Debian 13
# (trixie) alike; scripts/check-fresh-debian.sh tries both.
#
#   scripts/install-deps.sh [--refresh] [extra packages...]
#
# --refresh reads the package index again even when nothing is missing.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev googletest          # native build and unit tests
  mingw-w64 g++-mingw-w64-x86-64-posix             # kestrow.exe
  g++-mingw-w64-i686-posix                         # kestrow-x86.exe
  wine wine64 xvfb xauth x11-utils                 # adapter and end-to-end tests
  libc6:i386                                       # tells whether this machine runs 32-bit programs
  imagemagick fonts-noto-cjk fonts-wqy-microhei    # screenshots and Chinese text under Wine
  zbar-tools                                       # reads the QR pictures back in the unit tests
  clang libclang-rt-dev                            # libFuzzer targets (the runtime of Debian's default clang)
  clang-format-19                                  # the format check, one version on every release
  python3 python3-pefile                           # the release zip; reading kestrow.exe's PE headers
)
refresh=0
if [ "${1:-}" = --refresh ]; then refresh=1; shift; fi
packages+=("$@")

# A mirror in the middle of a sync serves index files that do not match
# ("File has unexpected size ... Mirror sync in progress?"): try again a
# little later, a few times, before giving up.
retrying() {
  local attempt
  for attempt in 1 2 3 4; do
    "$@" && return 0
    ((attempt < 4)) || break
    echo "failed: $* (attempt $attempt); again in $((attempt * 20)) s" >&2
    sleep $((attempt * 20))
  done
  return 1
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
install_packages() {
  echo "Installing: $*"
  export DEBIAN_FRONTEND=noninteractive
  # A failed package download may be the same sync: read the index again.
  retrying sh -c 'apt-get install -y -qq "$@" >/dev/null || { apt-get update -qq; exit 1; }' _ "$@"
}

# Wine's 32-bit half, and what tells whether it can run, are Debian's i386 packages.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  refresh=1
fi

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if ((refresh || ${#missing[@]})); then
  retrying apt-get update -qq
fi
if ((${#missing[@]})); then
  install_packages "${missing[@]}"
fi

# Wine's 32-bit half runs kestrow-x86.exe and its tests, where this machine
# runs 32-bit programs. Some virtual machines' kernels run none; there
# Debian's wine command, which starts the 32-bit loader first whenever it is
# installed, would fail for every program, 64-bit ones too. There the
# 32-bit exes are built and their files checked, but not run.
if ! installed wine32:i386; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    install_packages wine32:i386
  else
    echo "note: this machine runs no 32-bit programs: Wine's 32-bit half is not installed," \
      "and kestrow-x86.exe's tests under Wine will not run" >&2
  fi
fi
