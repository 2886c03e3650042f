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
  imagemagick fonts-noto-cjk fonts-wqy-microhei    # screenshots and Chinese text under Wine
  zbar-tools                                       # reads the QR pictures back in the unit tests
  clang libclang-rt-dev                            # libFuzzer targets (the runtime of Debian's default clang)
  clang-format-19                                  # the format check, one version on every release
  python3 python3-pefile                           # the release zip; reading kestrow.exe's PE headers
  git                                              # the format check lists the files git tracks
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

# Whether this machine runs 32-bit x86 programs at all: some virtual
# machines' kernels run none. The probe is the smallest static i386 program
# (an ELF header, one program header, and exit(0) through int 0x80), so it
# needs no i386 package to answer.
runs_32bit_programs() {
  local probe rc
  probe=$(mktemp)
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0''\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0''\061\333\270\1\0\0\0\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  return "$rc"
}

# Wine's 32-bit half runs kestrow-x86.exe and its tests. Only where 32-bit
# programs run: elsewhere Debian's wine command, which starts the 32-bit
# loader first whenever it is installed, would fail for every program, 64-bit
# ones too, and apt installs wine32:i386 with wine (a recommendation) as soon
# as the i386 architecture is there. There the 32-bit exes are built and
# their files checked, but not run.
if runs_32bit_programs; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    refresh=1
  fi
else
  echo "note: this machine runs no 32-bit programs: Wine's 32-bit half is not installed," \
    "and kestrow-x86.exe's tests under Wine will not run" >&2
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
