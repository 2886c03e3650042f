#!/usr/bin/env bash
# Formats the project's C++ in place with clang-format-19 and .clang-format,
# or, with --check, changes nothing and fails if any file is not formatted
# (naming the lines).
#
#   scripts/format.sh           format every C++ file git tracks
#   scripts/format.sh --check   the check scripts/test.sh runs
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
formatter=clang-format-19
command -v "$formatter" >/dev/null || { echo "$formatter is missing (scripts/install-deps.sh)" >&2; exit 1; }

mapfile -t files < <(git -C "$root" ls-files 2>/dev/null -- '*.cpp' '*.h' '*.c')
# Without git (or outside a clone): the same files, found below the project.
((${#files[@]})) || mapfile -t files < <(cd "$root" && find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -type f -print | sed 's|^\./||' | sort)
((${#files[@]})) || { echo "no C++ files found under $root" >&2; exit 1; }
cd "$root"
if [ "${1:-}" = --check ]; then
  "$formatter" --dry-run -Werror "${files[@]}"
else
  "$formatter" -i "${files[@]}"
fi
