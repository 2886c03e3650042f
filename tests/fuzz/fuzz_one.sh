#!/bin/sh
# One bounded run of a libFuzzer target from a throwaway copy of its seeds,
# so the committed corpus does not grow. A crash input is kept in the
# artifacts folder. The exit code is libFuzzer's: 0 when nothing was found.
#
# Usage: fuzz_one.sh <target> <seed folder> <artifacts folder>
set -eu
target=$1 seeds=$2 artifacts=$3
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$seeds"/* "$corpus"/
mkdir -p "$artifacts"
"$target" -max_total_time="${FUZZ_SECONDS:-30}" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/$(basename "$target")-" "$corpus"
