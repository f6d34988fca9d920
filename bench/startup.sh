#!/usr/bin/env bash
# The start-up as a reader sees it, as a whole process: from starting the program to its
# main window shown with the first page drawn, on the demo CD and on a CD of 100,000 games,
# beside a bare Qt program that shows an empty frameless 640 x 480 window. The three are
# started in turn, $RUNS times (11), and the median of each is printed with its peak memory.
# Usage: startup.sh <build folder>; without a display it runs itself under Xvfb.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
runs=${RUNS:-11}
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The CD of 100,000 games: the demo CD's program and files with tables of that size.
cp -r "$build/cd" "$work/cd100k"
rm -f "$work/cd100k/spdex_d.cds" "$work/cd100k/spdex_t.cds"
"$build/bin/mkdemo" "$work/cd100k" --games 100000 --tables-only >/dev/null

timer="$build/bin/startup_timer"
declare -A ms kib
measure() { # name, program...
  local name=$1
  shift
  read -r t k < <("$timer" "$@")
  ms[$name]+="$t "
  kib[$name]+="$k "
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -A program=([bare]="$build/bin/bare_window" [demo]="$build/cd/spieldex" [big]="$work/cd100k/spieldex")
for name in bare demo big; do # once each to warm the page cache
  "$timer" "${program[$name]}" >/dev/null
done
for _ in $(seq "$runs"); do
  for name in bare demo big; do
    measure "$name" "${program[$name]}"
  done
done

for name in bare demo big; do
  echo "$name $(echo "${ms[$name]}" | median) $(echo "${kib[$name]}" | median)"
done
