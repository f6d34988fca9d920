#!/usr/bin/env bash
# Every figure of Spieldex beside its peer or floor, measured in this run, as one table:
# what was measured, Spieldex's figure, the peer's or floor's, their ratio, and the goal.
# Usage: report.sh <build folder>; RUNS sets the repetitions (default 11 for whole
# processes, 5 in-process).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runs=${RUNS:-11}
reps=${REPS:-5}
source "$here/lib.sh"

rows=()
row() { rows+=("$1|$2|$3|$4|$5|$6"); } # figure, Spieldex, peer or floor, its value, unit, goal

# Google Benchmark medians from CSV: name,iterations,real_time,cpu_time,time_unit,...
gbench() {
  local program=$1
  shift
  SPIELDEX_BENCH_TABLE="$table" "$build/bin/$program" --benchmark_repetitions="$reps" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv "$@" 2>/dev/null
}
median_of() { printf '%s\n' "$1" | awk -F, -v name="\"$2/real_time_median\"" '$1 == name {printf "%.1f", $3}'; }
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(now_ns)
    "$@" >/dev/null
    end=$(now_ns)
    times+=($(( (end - start) / 100000 )))
  done
  printf '%s\n' "${times[@]}" | median | awk '{printf "%.1f", $1 / 10}'
}
peak_mb() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{printf "%.1f", $1 / 1024}'; }

echo "Measuring; the machine's load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# Start-up, whole process, under Xvfb.
while read -r name ms kib; do
  declare "start_${name}_ms=$ms" "start_${name}_mb=$(awk -v k="$kib" 'BEGIN {printf "%.1f", k / 1024}')"
done < <(RUNS=$runs "$here/startup.sh" "$build")

# Loading 100,000 games, whole process, beside sqlite3.
load() { "$build/bin/load_once" "$table"; }
sqlite_query() { sqlite3 "$table" 'SELECT * FROM records ORDER BY TITEL'; }
load >/dev/null; sqlite_query >/dev/null
load_ms=$(median_ms load)
sqlite_ms=$(median_ms sqlite_query)
load_mb=$(peak_mb "$build/bin/load_once" "$table")
sqlite_mb=$(peak_mb sqlite3 "$table" 'SELECT * FROM records ORDER BY TITEL')

row "Start-up to the first page, demo CD (ms)" "$start_demo_ms" "bare Qt window" "$start_bare_ms" ms "≤ 1.2×"
floor=$(awk -v a="$start_bare_ms" -v b="$load_ms" 'BEGIN {printf "%.1f", a + b}')
row "Start-up to the first page, 100,000 games (ms)" "$start_big_ms" "bare window + load" "$floor" ms "≤ 1.2×"
row "Peak memory at the first page, demo CD (MB)" "$start_demo_mb" "bare Qt window" "$start_bare_mb" MB ""
row "Peak memory at the first page, 100,000 games (MB)" "$start_big_mb" "bare Qt window" "$start_bare_mb" MB ""
row "Load 100,000 games to the first in title order (ms)" "$load_ms" "sqlite3 ORDER BY TITEL" "$sqlite_ms" ms ""
row "Peak memory of that load (MB)" "$load_mb" "sqlite3 ORDER BY TITEL" "$sqlite_mb" MB ""

# Sorting the loaded table, in-process, beside a plain sort of as many 64-bit keys.
tables=$(gbench bench_tables --benchmark_filter='Resort|SortPlainKeys|LoadWithHugeValue')
plain=$(median_of "$tables" SortPlainKeys)
for sort in first_GENRE_TITEL repeated_GENRE_TITEL first_HERSTELLER repeated_HERSTELLER; do
  label=$(echo "$sort" | sed 's/_GENRE_TITEL/ by GENRE; TITEL/; s/_HERSTELLER/ by HERSTELLER/; s/^first/First sort/; s/^repeated/Repeated sort/')
  row "$label, 100,000 games (ms)" "$(median_of "$tables" "Resort/$sort")" "plain sort of 64-bit keys" "$plain" ms "≤ 50 ms"
done
plain_load=$(median_of "$tables" "LoadWithHugeValue/MB:0/column:0")
row "Load with a 16 MB text in a number column, refused (ms)" \
  "$(median_of "$tables" "LoadWithHugeValue/MB:16/column:2")" "the table without it" "$plain_load" ms ""

# The table view of 100,000 games and the page redraw, in-process (offscreen).
browsing=$(gbench bench_browsing)
for step in TableViewFirstOpened TableViewOpened TableViewPageDown TableViewToLastRow; do
  label=$(echo "$step" | sed 's/TableViewFirstOpened/Table view opened the first time/; s/TableViewOpened/Table view opened again/;
    s/TableViewPageDown/Table view, one page down/; s/TableViewToLastRow/Table view, to the last row/')
  name=$step
  [ "$step" != TableViewFirstOpened ] || name="$step/iterations:5" # a new window each time: five of them
  row "$label, 100,000 games (ms)" "$(median_of "$browsing" "$name")" "one frame at 60 Hz" 16.7 ms "≤ 1×"
done
row "Cursor move with the page redrawn, demo CD (µs)" "$(median_of "$browsing" CursorMoveWithRedraw)" \
  "libpng alone, same files" "$(median_of "$browsing" BareDecodeOfTheSameScreenshots)" µs "≤ 1.3×"

# TAB text, in-process, beside sqlite3's own export and import.
schema=$(sqlite3 "$table" '.schema records')
sqlite3 "$work/empty.db" "$schema"
sqlite_export() { printf '.mode tabs\n.once %s\nSELECT * FROM records;\n' "$work/sqlite.tab" | sqlite3 "$table"; }
sqlite_import() { cp "$work/empty.db" "$work/fresh.db"; printf '.mode tabs\n.import %s records\n' "$work/sqlite.tab" | sqlite3 "$work/fresh.db"; }
sqlite_export
tabtext=$(gbench bench_tabtext)
row "Export of 100,000 games as TAB text (ms)" "$(median_of "$tabtext" ExportGameTable)" "sqlite3 .mode tabs .once" \
  "$(RUNS=$reps median_ms sqlite_export)" ms ""
row "Import of 100,000 games from TAB text (ms)" "$(median_of "$tabtext" ImportGameTable)" "sqlite3 .import (with a copy)" \
  "$(RUNS=$reps median_ms sqlite_import)" ms ""

# The CD check, one run each.
cdcheck=$("$build/bin/bench_cdcheck" --benchmark_format=csv 2>/dev/null)
one() { printf '%s\n' "$cdcheck" | awk -F, -v name="\"$1" 'index($1, name) == 1 {printf "%.0f", $3; exit}'; }
row "CD check, 20,000 games and screenshots (ms)" "$(one 'BM_CheckCd/threads (0')" "sequential decode, same files" \
  "$(one BM_SequentialDecode)" ms ""

printf '\n%-58s %12s   %-30s %12s %8s  %s\n' "Figure" "Spieldex" "Peer or floor" "" "Ratio" "Goal"
for r in "${rows[@]}"; do
  IFS='|' read -r figure ours peer value unit goal <<<"$r"
  ratio=$(awk -v a="$ours" -v b="$value" 'BEGIN {if (b > 0) printf "%.2f×", a / b; else print "-"}')
  printf '%-58s %12s   %-30s %12s %8s  %s\n' "$figure" "$ours" "$peer" "$value" "$ratio" "$goal"
done
