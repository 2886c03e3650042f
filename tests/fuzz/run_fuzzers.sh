#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each for FUZZ_SECONDS (default 30) from its seed corpus.
#
#   tests/fuzz/run_fuzzers.sh [build-folder]        (default: build/fuzz)
#
# New corpus entries go to a temporary copy, so the committed seeds stay as
# they are; crash inputs land in <build-folder>/artifacts. Exits non-zero if
# any target fails to build or finds a crash. The last line reads
# "<n> passed, <m> failed".
set -u

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build/fuzz}"
seconds="${FUZZ_SECONDS:-30}"
cxx="${FUZZ_CXX:-clang++}"
mkdir -p "$build/obj" "$build/artifacts"
build="$(cd "$build" && pwd)"

flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -fno-sanitize-recover=all
       -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -I"$root")

cd "$root" || exit 1
shopt -s nullglob
shared=(tests/support/fake_platform.cpp platform/*.cpp timer_window/*.cpp about_window/*.cpp follow_window/*.cpp)
shopt -u nullglob

passed=0
failed=0

# The product code is compiled once, instrumented but without the fuzzer's main.
objects=()
build_ok=1
for src in "${shared[@]}"; do
    obj="$build/obj/${src//\//_}.o"
    if ! "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$src" -o "$obj"; then
        echo "build failed: $src" >&2
        build_ok=0
    fi
    objects+=("$obj")
done

for target in numbers_fuzz timer_window_fuzz; do
    bin="$build/$target"
    log="$build/$target.log"
    if [[ $build_ok -ne 1 ]] ||
        ! "$cxx" "${flags[@]}" -fsanitize=fuzzer,address,undefined "tests/fuzz/$target.cpp" "${objects[@]}" -o "$bin"; then
        echo "$target: build failed" >&2
        failed=$((failed + 1))
        continue
    fi
    corpus="$(mktemp -d)"
    cp tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null
    echo "$target: fuzzing for ${seconds}s"
    if "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$target-" "$corpus" >"$log" 2>&1; then
        echo "$target: passed ($(grep -Eo 'Done [0-9]+ runs' "$log" | tail -1))"
        passed=$((passed + 1))
    else
        echo "$target: FAILED (full log: $log)" >&2
        grep -E 'invariant broken|numbers_fuzz:|runtime error|ERROR|Test unit written' "$log" | head -20 >&2
        failed=$((failed + 1))
    fi
    rm -rf "$corpus"
done

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
