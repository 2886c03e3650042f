#!/usr/bin/env bash
# Builds the release a Windows user downloads, from the checked-out tree:
# dist/kestrow-<version>-win-x64-x86.zip holding kestrow.exe (64-bit),
# kestrow-x86.exe (32-bit), the user's guide 使用说明.txt (the README's
# 使用说明, UTF-8 with a BOM and CRLF line ends, as Notepad reads it) and
# SHA256SUMS of the three; the zip's own SHA-256 goes beside it.
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
name="kestrow-$version-win-x64-x86"
exes=(release/platform/win32/kestrow.exe release-x86/platform/win32/kestrow-x86.exe)

if [ "${1:-}" = --check ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  commit=$(git -C "$root" rev-parse HEAD)
  for clone in "$work/one" "$work/another/folder/two"; do
    git clone -q --no-checkout "$root" "$clone"
    git -C "$clone" checkout -q "$commit"
    "$clone/scripts/package.sh" >/dev/null
  done
  for file in "${exes[@]/#/build/}" "dist/$name.zip"; do
    sha256sum "$work"/{one,another/folder/two}/"$file"
    cmp "$work/one/$file" "$work/another/folder/two/$file"
  done
  echo "Reproducible: commit $commit gives the same kestrow.exe, kestrow-x86.exe and zip in both clones"
  exit 0
fi

git -C "$root" diff --quiet HEAD -- 2>/dev/null || echo "note: the tree differs from its commit; this zip is not the commit's" >&2
# The commit's time, not the build's, for everything that records a time.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

for build in release:mingw-w64 release-x86:mingw-w64-i686; do
  folder="$root/build/${build%%:*}"
  cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release -DKESTROW_TESTS=OFF -DKESTROW_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/${build#*:}.cmake" >/dev/null
  cmake --build "$folder" -j"$(nproc)" --target kestrow >/dev/null
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dir="$stage/$name"
mkdir "$dir"
cp "${exes[@]/#/$root/build/}" "$dir/"
guide="使用说明.txt"
{
  printf '\xef\xbb\xbf'
  printf 'Kestrow %s 使用说明\n\n' "$version"
  # The README's section, without its Markdown marks.
  awk '/^## 使用说明$/ { on = 1; next } on && /^## / { exit } on' "$root/README.md" |
    sed -e '/./,$!d' -e 's/\*\*//g' -e 's/`//g'
} | sed 's/$/\r/' >"$dir/$guide"
(cd "$dir" && sha256sum kestrow.exe kestrow-x86.exe "$guide" >SHA256SUMS)

mkdir -p "$root/dist"
zip="$root/dist/$name.zip"
# Entries in a fixed order with the commit's time, fixed permissions, no
# extra fields, and names flagged as UTF-8 so Windows shows 使用说明 right
# (Info-ZIP's zip does not set that flag).
python3 - "$zip" "$SOURCE_DATE_EPOCH" "$stage" "$name/kestrow.exe" "$name/kestrow-x86.exe" "$name/$guide" \
  "$name/SHA256SUMS" <<'PYTHON'
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
