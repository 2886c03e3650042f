#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test:
# native unit tests, adapter tests under Wine, end-to-end tests of the real
# exe, and a bounded run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

echo "== Unit tests (native, ASan/UBSan)"
ctest --test-dir "$root/build/native" --output-on-failure -j"$(nproc)"

echo "== Adapter tests (kestrow.exe's Win32 layer under Wine)"
"$root/tests/win32/run_wine_tests.sh" "$root/build/win"

echo "== Fuzz targets (FUZZ_SECONDS=${FUZZ_SECONDS:=30} each)"
FUZZ_SECONDS=$FUZZ_SECONDS "$root/tests/fuzz/run_fuzzers.sh" "$root/build/fuzz"
