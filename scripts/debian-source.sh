#!/usr/bin/env bash
# Fetches and unpacks a Debian source package into a folder, from the Debian archive this
# machine already installs from: a deb-src entry for the same archives is added once
# (/etc/apt/sources.list.d/spieldex-src.sources), then `apt-get source`.
# Usage: debian-source.sh PACKAGE[=VERSION] TARGET-FOLDER
# Prints the unpacked source folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
package=$1
target=$2

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null 2>&1; then sudo "$@"
  else echo "Not root and no sudo: cannot run $*" >&2; exit 1
  fi
}

list=/etc/apt/sources.list.d/spieldex-src.sources
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  # The deb entries of the deb822 files and of sources.list, as deb-src entries.
  entries=$(
    for file in /etc/apt/sources.list.d/*.sources; do
      [ -f "$file" ] || continue
      awk 'BEGIN { RS = ""; ORS = "\n\n" } /(^|\n)Types:[^\n]*deb([ \n]|$)/ && !/Enabled: *no/ {
             sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
    done
    if [ -f /etc/apt/sources.list ]; then
      sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list
    fi)
  [ -n "$entries" ] || { echo "no Debian archive found in /etc/apt to take sources from" >&2; exit 1; }
  if grep -q '^Types:' <<<"$entries"; then
    printf '%s\n' "$entries" | as_root tee "$list" >/dev/null
  else
    printf '%s\n' "$entries" | as_root tee "${list%.sources}.list" >/dev/null
  fi
  as_root apt-get update -qq
fi
command -v dpkg-source >/dev/null || "$here/install-deps.sh" dpkg-dev >&2

mkdir -p "$target"
cd "$target"
name=${package%%=*}
# apt-get source unpacks into NAME-UPSTREAMVERSION; an earlier, complete fetch is reused.
existing=$(find . -maxdepth 1 -type d -name "$name-*" | head -n 1)
if [ -z "$existing" ] || [ ! -f "$existing/.spieldex-complete" ]; then
  rm -rf ./"$name"-* ./"$name"_*
  if ! apt-get source -q "$package" >&2; then
    # A revision the archive no longer serves (the machine's package came from a security
    # update since replaced): the same upstream version in another Debian revision.
    [ "$name" != "$package" ] || exit 1
    wanted=${package#*=}
    upstream=${wanted#*:}
    upstream=${upstream%-*}
    other=$(apt-cache showsrc "$name" | sed -n 's/^Version: //p' | while read -r v; do
              u=${v#*:}; [ "${u%-*}" = "$upstream" ] && echo "$v"; done | sort -V | tail -n 1)
    [ -n "$other" ] || exit 1
    echo "debian-source.sh: $package is gone from the archive, taking $name=$other" >&2
    apt-get source -q "$name=$other" >&2
  fi
  existing=$(find . -maxdepth 1 -type d -name "$name-*" | head -n 1)
  [ -n "$existing" ] || { echo "apt-get source $package unpacked nothing" >&2; exit 1; }
  touch "$existing/.spieldex-complete"
fi
echo "$(pwd)/${existing#./}"
