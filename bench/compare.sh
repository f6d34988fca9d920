#!/usr/bin/env bash
# Our table figures beside the sqlite3 command-line tool's, measured in the same run on
# the same 100,000-record game table: loading to the first record in title order against
# "SELECT * FROM records ORDER BY TITEL" into /dev/null; then the engine's re-sort.
set -euo pipefail
runs=${RUNS:-11}
source "$(dirname "$0")/lib.sh"
echo "Table: 100000 games, $(du -k "$table" | cut -f1) KiB"

# Median wall time in milliseconds of a command run $runs times.
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(now_ns)
    "$@" >/dev/null
    end=$(now_ns)
    times+=($(( (end - start) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | median
}

peak_mb() {
  /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{printf "%.1f", $1/1024}'
}

sqlite_query() { sqlite3 "$table" 'SELECT * FROM records ORDER BY TITEL'; }
ours() { "$build/bin/load_once" "$table"; }

ours >/dev/null; sqlite_query >/dev/null # warm the page cache for both
ours_ms=$(median_ms ours)
peer_ms=$(median_ms sqlite_query)
ours_mb=$(peak_mb "$build/bin/load_once" "$table")
peer_mb=$(peak_mb sqlite3 "$table" 'SELECT * FROM records ORDER BY TITEL')

printf '\n%-52s %12s %14s\n' "whole process, median of $runs" "wall (ms)" "peak RSS (MB)"
printf '%-52s %12s %14s\n' "Spieldex: load to first record in title order" "$ours_ms" "$ours_mb"
printf '%-52s %12s %14s\n' "sqlite3: SELECT * ... ORDER BY TITEL > /dev/null" "$peer_ms" "$peer_mb"

echo
echo "In-process (Google Benchmark, median of 5 repetitions):"
SPIELDEX_BENCH_TABLE="$table" "$build/bin/bench_tables" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '^(Benchmark|-|.*_median)'

echo
echo "A cursor move with the whole review page redrawn, on the demo CD (median of 5):"
"$build/bin/bench_browsing" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null \
  | grep -E '_median'
