#!/usr/bin/env bash
# Builds the release a Windows user downloads, from the checked-out tree:
# dist/kestrow-<version>-win64.zip holding kestrow.exe, the user's guide
# 使用说明.txt (the README's 使用说明, UTF-8 with a BOM and CRLF line ends, as
# Notepad reads it) and SHA256SUMS of both; the zip's own SHA-256 goes beside it.
# Two builds of one commit give the same bytes wherever they run: the exe
# keeps no time or folder of its build (cmake/reproducible.cmake), and the
# zip's times are the commit's.
#
#   scripts/package.sh           build the zip
#   scripts/package.sh --check   build it in two fresh clones of HEAD, in two
#                                folders, and compare the results byte for byte
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(awk '/#define KESTROW_VERSION_(MAJOR|MINOR|REVISION)/ { printf "%s%s", sep, $3; sep = "." }' \
  "$root/platform/version.h")
name="kestrow-$version-win64"

if [ "${1:-}" = --check ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  commit=$(git -C "$root" rev-parse HEAD)
  for clone in "$work/one" "$work/another/folder/two"; do
    git clone -q --no-checkout "$root" "$clone"
    git -C "$clone" checkout -q "$commit"
    "$clone/scripts/package.sh" >/dev/null
  done
  sha256sum "$work"/{one,another/folder/two}/{build/release/platform/win32/kestrow.exe,dist/$name.zip}
  cmp "$work/one/build/release/platform/win32/kestrow.exe" "$work/another/folder/two/build/release/platform/win32/kestrow.exe"
  cmp "$work/one/dist/$name.zip" "$work/another/folder/two/dist/$name.zip"
  echo "Reproducible: commit $commit gives the same kestrow.exe and zip in both clones"
  exit 0
fi

git -C "$root" diff --quiet HEAD -- 2>/dev/null || echo "note: the tree differs from its commit; this zip is not the commit's" >&2
# The commit's time, not the build's, for everything that records a time.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTROW_TESTS=OFF -DKESTROW_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target kestrow >/dev/null

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dir="$stage/$name"
mkdir "$dir"
cp "$build/platform/win32/kestrow.exe" "$dir/"
guide="使用说明.txt"
{
  printf '\xef\xbb\xbf'
  printf 'Kestrow %s 使用说明\n\n' "$version"
  # The README's section, without its Markdown marks.
  awk '/^## 使用说明$/ { on = 1; next } on && /^## / { exit } on' "$root/README.md" |
    sed -e '/./,$!d' -e 's/\*\*//g' -e 's/`//g'
} | sed 's/$/\r/' >"$dir/$guide"
(cd "$dir" && sha256sum kestrow.exe "$guide" >SHA256SUMS)

mkdir -p "$root/dist"
zip="$root/dist/$name.zip"
# Entries in a fixed order with the commit's time, fixed permissions, no
# extra fields, and names flagged as UTF-8 so Windows shows 使用说明 right
# (Info-ZIP's zip does not set that flag).
python3 - "$zip" "$SOURCE_DATE_EPOCH" "$stage" "$name/kestrow.exe" "$name/$guide" "$name/SHA256SUMS" <<'PYTHON'
import sys, time, zipfile
out, epoch, stage, *names = sys.argv[1:]
with zipfile.ZipFile(out, "w") as archive:
    for name in names:
        entry = zipfile.ZipInfo(name, time.gmtime(int(epoch))[:6])
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        with open(f"{stage}/{name}", "rb") as data:
            archive.writestr(entry, data.read())
PYTHON
(cd "$root/dist" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "$zip"
cat "$root/dist/$name.zip.sha256"
