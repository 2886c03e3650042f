#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test:
# native unit tests, adapter and end-to-end tests under Wine, and a bounded
# run of each fuzz target. Ends with one line counting them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0

echo "== Unit tests (native, ASan/UBSan)"
ctest --test-dir "$root/build/native" --output-on-failure -j"$(nproc)" | tee -a "$log" || status=1

echo "== Adapter and end-to-end tests (kestrow.exe under Wine)"
"$root/tests/win32/run_wine_tests.sh" "$root/build/win" | tee -a "$log" || status=1

echo "== Fuzz targets (FUZZ_SECONDS=${FUZZ_SECONDS:=30} each)"
FUZZ_SECONDS=$FUZZ_SECONDS "$root/tests/fuzz/run_fuzzers.sh" "$root/build/fuzz" | tee -a "$log" || status=1

# ctest says "... tests failed out of N"; the fuzz runner "N passed, M failed".
read -r passed failed < <(awk '
  /tests failed out of/ { for (i = 1; i <= NF; i++) if ($i == "failed") n = $(i - 2); f += n; p += $NF - n }
  /^[0-9]+ passed, [0-9]+ failed$/ { p += $1; f += $3 }
  END { print p + 0, f + 0 }' "$log")
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
echo "Total: $passed passed, $failed failed"
exit "$status"
