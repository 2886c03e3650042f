#!/usr/bin/env bash
# Fails when an exe imports a function its list does not allow (one import a
# line, "DLL function", # comments), or when its PE header asks for a
# subsystem newer than Windows 7 (6.1), which the loader would refuse.
#
# Usage: check_imports.sh <objdump> <exe> <allowed-list>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 <objdump> <exe> <allowed-list>" >&2; exit 2; }
objdump=$1 exe=$2 list=$3
header=$("$objdump" -p "$exe")

# "DLL function" for each import by name, "DLL #ordinal" for one by number.
imports=$(awk '
  /^\tDLL Name: / { dll = tolower($3); next }
  /^$/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, (NF >= 3 ? $3 : "#" $2) }
' <<<"$header" | sort -u)
[ -n "$imports" ] || { echo "no imports read from $exe" >&2; exit 1; }
allowed=$(sed 's/#.*//' "$list" | awk 'NF == 2 { print tolower($1), $2 }' | sort -u)

status=0
refused=$(comm -23 <(echo "$imports") <(echo "$allowed"))
if [ -n "$refused" ]; then
  echo "$exe imports what $list does not allow (not in Windows 7 SP1, or not checked yet):"
  sed 's/^/  /' <<<"$refused"
  status=1
fi

version() { awk -v k="$1" '$1 == k { print $2 }' <<<"$header"; }
major=$(version MajorSubsystemVersion) minor=$(version MinorSubsystemVersion)
if [ -z "$major" ] || ((major > 6 || (major == 6 && minor > 1))); then
  echo "$exe asks for subsystem version ${major:-?}.${minor:-?}; Windows 7 is 6.1"
  status=1
fi
exit $status
