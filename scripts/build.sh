#!/usr/bin/env bash
# Configures and builds, each configuration in build/<name>:
#   native  unit tests with the sanitizers (and the bench's X11 watcher)
#   win     kestrow.exe, adapter and end-to-end tests, the bench's Windows tools (mingw-w64)
#   win-x86 the same for 32-bit Windows, kestrow-x86.exe, and the unit tests once more
#   fuzz    the libFuzzer targets (clang)
#
#   scripts/build.sh                         native, win and win-x86
#   scripts/build.sh fuzz                    one configuration
#   scripts/build.sh win kestrow floor       some targets of one configuration
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
configurations=(native win win-x86)
targets=()
if [ $# -gt 0 ]; then configurations=("$1"); shift; targets=("$@"); fi

for name in "${configurations[@]}"; do
  options=(-DKESTROW_WERROR=ON)
  case $name in
    native) options+=(-DCMAKE_BUILD_TYPE=Debug) ;;
    win) options+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake") ;;
    win-x86) options+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake") ;;
    fuzz) options+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKESTROW_FUZZ=ON) ;;
    *) echo "unknown configuration: $name (native, win, win-x86 or fuzz)" >&2; exit 2 ;;
  esac
  cmake -S "$root" -B "$root/build/$name" "${options[@]}" >/dev/null
  cmake --build "$root/build/$name" -j"$(nproc)" ${targets[@]+--target "${targets[@]}"}
done
