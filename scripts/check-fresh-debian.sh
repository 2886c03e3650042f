#!/usr/bin/env bash
# Runs the README's two commands (scripts/run.sh, then scripts/test.sh) as
# root in a freshly made Debian root, on a clean clone of the commit checked
# out here: what a newcomer on that release meets, with nothing installed by
# hand. Run as root; exits with the status of the commands inside.
#
#   scripts/check-fresh-debian.sh bookworm|trixie
#
# The root is made with debootstrap from the package mirror this machine's
# apt uses (its deb822 sources), and its apt points at the same mirror. It
# is made anew each run and removed afterwards, so no step of the README
# leans on something an earlier run left. FUZZ_SECONDS, if set, is passed in.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <debian release, e.g. bookworm or trixie>" >&2; exit 2; }
release=$1
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap, mount, chroot)" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
fresh="$root/build/fresh-debian/$release"

# Every line carries the minutes and seconds since the start, so the log
# shows what each phase took.
stamp() { printf -v stamp '[%02d:%02d]' $((SECONDS / 60)) $((SECONDS % 60)); }
say() { stamp; echo "$stamp == $*"; }

# One line per enabled deb stanza of the machine's sources: "URI SUITES...|COMPONENTS".
read_sources() {
  awk 'BEGIN { RS = ""; FS = "\n" }
    {
      uri = ""; suites = ""; components = ""; types = ""; enabled = "yes"
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^#/) continue
        split($i, kv, ":"); key = tolower(kv[1]); value = substr($i, length(kv[1]) + 2)
        gsub(/^[ \t]+|[ \t]+$/, "", value)
        if (key == "uris") { split(value, u, /[ \t]+/); uri = u[1] }
        else if (key == "suites") suites = value
        else if (key == "components") components = value
        else if (key == "types") types = value
        else if (key == "enabled") enabled = tolower(value)
      }
      if (uri != "" && enabled != "no" && types ~ /(^|[ \t])deb([ \t]|$)/) print uri " " suites "|" components
    }' /etc/apt/sources.list.d/*.sources 2>/dev/null
}
mirror="" security="" components=""
while IFS='|' read -r uri_and_suites stanza_components; do
  read -r uri suites <<<"$uri_and_suites"
  if [[ " $suites" == *-security* ]]; then
    security=${security:-$uri}
  elif [ -z "$mirror" ]; then
    mirror=$uri components=$stanza_components
  fi
done < <(read_sources)
[ -n "$mirror" ] || { echo "$0: no deb822 source (URIs:) in /etc/apt/sources.list.d/*.sources" >&2; exit 2; }

command -v debootstrap >/dev/null || {
  say "installing debootstrap"
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
}

# Processes left running inside the root (a wineserver, an Xvfb) would keep
# its mounts busy: they were started here, so they are ended here.
end_processes_inside() {
  local link pid
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" = "$fresh" ] || continue
    pid=${link#/proc/}; pid=${pid%/root}
    kill -KILL "$pid" 2>/dev/null || true
  done
}
# /dev is bound recursively but as a slave, so unmounting its copy inside
# the root never reaches the machine's own /dev. Nothing is deleted while
# anything is still mounted under the root, and never across file systems.
clean_up() {
  local mount_point
  [ -d "$fresh" ] || return 0
  end_processes_inside
  for mount_point in tmp sys proc dev; do
    mountpoint -q "$fresh/$mount_point" || continue
    umount -R "$fresh/$mount_point" 2>/dev/null || umount -R -l "$fresh/$mount_point"
  done
  if findmnt -rn -o TARGET | grep -q "^$fresh/"; then
    echo "$0: still mounted under $fresh; left in place" >&2
    return 1
  fi
  rm -rf --one-file-system "$fresh"
}
clean_up
trap 'clean_up' EXIT
trap 'exit 130' INT TERM
mkdir -p "$fresh"

say "Debian $release: debootstrap (default variant) from the machine's mirror"
debootstrap "$release" "$fresh" "$mirror" >"$fresh.debootstrap.log" 2>&1 ||
  { tail -20 "$fresh.debootstrap.log" >&2; exit 1; }
rm -f "$fresh.debootstrap.log"

# The root's apt reads the same mirror the way this machine does: the
# release, its updates and its security suite, as deb822 sources.
rm -f "$fresh/etc/apt/sources.list"
{
  printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: %s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$mirror" "$release" "$release" "${components:-main}"
  [ -z "$security" ] ||
    printf '\nTypes: deb\nURIs: %s\nSuites: %s-security\nComponents: %s\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$security" "$release" "${components:-main}"
} >"$fresh/etc/apt/sources.list.d/debian.sources"
# A mirror kept at a fixed date serves Release files past their Valid-Until:
# where this machine's apt accepts that, so does the root's.
valid_until=true
eval "$(apt-config shell valid_until Acquire::Check-Valid-Until/b)"
[ "$valid_until" != false ] ||
  echo 'Acquire::Check-Valid-Until "false";' >"$fresh/etc/apt/apt.conf.d/50same-mirror-as-host"
cp /etc/resolv.conf "$fresh/etc/resolv.conf"
# The root is thrown away after the run: dpkg need not wait for each file to
# reach the disk, which saves minutes on a loaded machine and changes nothing
# of what gets installed.
echo force-unsafe-io >"$fresh/etc/dpkg/dpkg.cfg.d/throwaway-root"

mount -t proc proc "$fresh/proc"
mount --rbind /sys "$fresh/sys" && mount --make-rslave "$fresh/sys"
mount --rbind /dev "$fresh/dev" && mount --make-rslave "$fresh/dev"
mount -t tmpfs -o size=8g,mode=1777 tmpfs "$fresh/tmp"

say "clean clone of $commit, with ../shared beside it"
git clone -q --no-checkout "$root" "$fresh/root/kestrow"
git -C "$fresh/root/kestrow" checkout -q --detach "$commit"
[ ! -d "$root/../shared" ] || cp -r "$root/../shared" "$fresh/root/shared"

say "inside: scripts/run.sh, then scripts/test.sh (as root, a login shell's environment)"
environment=(HOME=/root USER=root LOGNAME=root SHELL=/bin/bash LANG=C.UTF-8
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
[ -z "${FUZZ_SECONDS:-}" ] || environment+=(FUZZ_SECONDS="$FUZZ_SECONDS")
# In the background, so that an interrupt ends the run at once (bash runs
# a trap only once the foreground command is over, but interrupts a wait).
chroot "$fresh" /usr/bin/env -i "${environment[@]}" /bin/bash -c \
  'cd /root/kestrow && scripts/run.sh && scripts/test.sh' 2>&1 |
  while IFS= read -r line; do stamp; echo "$stamp $line"; done &
status=0
wait $! || status=$?
[ "$status" -eq 0 ] || say "Debian $release: failed (exit status $status)"
exit "$status"
