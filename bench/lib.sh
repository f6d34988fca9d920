# Shared pieces of the comparison scripts: the build folder, a scratch folder, the
# 100,000-record game table generated like the demo data, and medians.
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/mkdemo" "$work" --games 100000 --tables-only >/dev/null
table="$work/spdex_d.cds"

now_ns() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
