#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# native unit tests, adapter and end-to-end tests under Wine, and a bounded
# run of each fuzz target (FUZZ_SECONDS each, 30 by default), then the check
# that the C++ is formatted. Ends with one line counting them all, from
# ctest's JUnit results.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export FUZZ_SECONDS=${FUZZ_SECONDS:-30}
results="$root/build/results"
rm -rf "$results"
mkdir -p "$results"
status=0

# A step that fails counts as one failed test, whatever results it left.
step() { "$@" || { status=1; failed_steps=$((failed_steps + 1)); }; }
failed_steps=0

echo "== Packages and builds"
step "$root/scripts/install-deps.sh"
[ "$status" -eq 0 ] && step "$root/scripts/build.sh"
[ "$status" -eq 0 ] && step "$root/scripts/build.sh" fuzz

if [ "$status" -eq 0 ]; then
  echo "== Unit tests (native, ASan/UBSan)"
  step ctest --test-dir "$root/build/native" --output-on-failure -j"$(nproc)" --output-junit "$results/native.xml"

  echo "== Adapter and end-to-end tests (kestrow.exe under Wine)"
  step "$root/tests/win32/run_wine_tests.sh" "$root/build/win" --output-junit "$results/win.xml"

  echo "== The same for kestrow-x86.exe, and the unit tests once more, as 32-bit Windows programs under Wine"
  # install-deps.sh leaves Wine's 32-bit half out where no 32-bit program runs.
  if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    step "$root/tests/win32/run_wine_tests.sh" "$root/build/win-x86" --output-junit "$results/win-x86.xml"
  else
    echo "Not run: this machine runs no 32-bit programs. Only kestrow-x86.exe's file is checked."
    step ctest --test-dir "$root/build/win-x86" -L exe-file --output-on-failure --output-junit "$results/win-x86.xml"
  fi

  echo "== Fuzz targets (FUZZ_SECONDS=$FUZZ_SECONDS each)"
  step ctest --test-dir "$root/build/fuzz" --output-on-failure --output-junit "$results/fuzz.xml"
fi

echo "== Formatting (clang-format-19)"
step "$root/scripts/format.sh" --check

# Each results file has one <testsuite tests=".." failures=".." skipped="..">.
attribute() { grep -o "\b$1=\"[0-9]*\"" "$2" | head -1 | tr -dc 0-9; }
passed=0
failed=0
for file in "$results"/*.xml; do
  [ -f "$file" ] || continue
  tests=$(attribute tests "$file") failures=$(attribute failures "$file") skipped=$(attribute skipped "$file")
  passed=$((passed + ${tests:-0} - ${failures:-0} - ${skipped:-0}))
  failed=$((failed + ${failures:-0}))
done
# A failed step whose failure no results file counts (a build, a crash of ctest).
((failed >= failed_steps)) || failed=$failed_steps
echo "Total: $passed passed, $failed failed"
exit "$status"
