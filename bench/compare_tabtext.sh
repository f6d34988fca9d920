#!/usr/bin/env bash
# TAB text export and import of the 100,000-record game table beside the sqlite3
# command-line tool doing the same with ".mode tabs", measured in the same run.
set -euo pipefail
runs=${RUNS:-5}
source "$(dirname "$0")/lib.sh"
schema=$(sqlite3 "$table" '.schema records')
sqlite3 "$work/empty.db" "$schema"
echo "Table: 100000 games, $(du -k "$table" | cut -f1) KiB; load before: $(cut -d' ' -f1-3 /proc/loadavg)"

sqlite_export() { printf '.mode tabs\n.once %s\nSELECT * FROM records;\n' "$work/sqlite.tab" | sqlite3 "$table"; }
sqlite_import() { printf '.mode tabs\n.import %s records\n' "$work/sqlite.tab" | sqlite3 "$work/fresh.db"; }

sqlite_export # warms the page cache and makes the file to import
export_ms=()
import_ms=()
for _ in $(seq "$runs"); do
  start=$(now_ns); sqlite_export; end=$(now_ns)
  export_ms+=($(( (end - start) / 1000000 )))
  cp "$work/empty.db" "$work/fresh.db" # a fresh database with the empty table, not timed
  start=$(now_ns); sqlite_import; end=$(now_ns)
  import_ms+=($(( (end - start) / 1000000 )))
done
imported=$(sqlite3 "$work/fresh.db" 'SELECT count(*) FROM records')
[ "$imported" -eq 100000 ] || { echo "sqlite3 imported $imported rows, not 100000" >&2; exit 1; }
peer_export=$(printf '%s\n' "${export_ms[@]}" | median)
peer_import=$(printf '%s\n' "${import_ms[@]}" | median)

# Google Benchmark's CSV: name,iterations,real_time,cpu_time,time_unit,...
ours=$(SPIELDEX_BENCH_TABLE="$table" "$build/bin/bench_tabtext" --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)
ours_ms() { printf '%s\n' "$ours" | awk -F, -v name="\"$1/real_time_median\"" '$1 == name {printf "%.0f", $3}'; }
ours_export=$(ours_ms ExportGameTable)
ours_import=$(ours_ms ImportGameTable)

echo "Load after: $(cut -d' ' -f1-3 /proc/loadavg); TAB file $(du -k "$work/sqlite.tab" | cut -f1) KiB as sqlite3 writes it"
printf '\n%-44s %12s %12s\n' "median of $runs, wall time" "export (ms)" "import (ms)"
printf '%-44s %12s %12s\n' "Spieldex: TAB text, in-process" "$ours_export" "$ours_import"
printf '%-44s %12s %12s\n' "sqlite3: .mode tabs, .once / .import" "$peer_export" "$peer_import"
