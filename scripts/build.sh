#!/usr/bin/env bash
# Builds both configurations: native (unit tests, sanitizers) and Windows
# (kestrow.exe and the adapter tests, cross-compiled with mingw-w64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DKESTROW_WERROR=ON >/dev/null
cmake --build "$root/build/native" -j"$jobs"

cmake -S "$root" -B "$root/build/win" -DCMAKE_BUILD_TYPE=Release -DKESTROW_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$jobs"
