#!/usr/bin/env bash
# Fuzzes a reader of outside bytes with libFuzzer: scripts/fuzz.sh [seconds] [target] [runs]
# (seconds: default 300, 0 runs until stopped; target: tabtext, the TAB text import, by
# default, or tablefile, the table file reader; runs: stop after this many executions).
# FUZZ_JOBS fuzzers run side by side on one corpus (default: one per core). FUZZ_SANITIZERS picks the sanitizers (default address,undefined; plain
# undefined runs many times faster). The build dir is build-fuzz (build-fuzz-<sanitizers>
# for other sanitizers); the growing corpus stays in its corpus/, and an input that breaks
# a check lands in its artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
target=${2:-tabtext}
runs=${3:--1}
jobs=${FUZZ_JOBS:-$(nproc)}
case "$target" in
  tabtext) seeds="$root/fuzz/corpus"; dict=(-dict="$root/fuzz/tabtext.dict") ;;
  tablefile) seeds="$root/fuzz/corpus-tablefile"; dict=() ;;
  *) echo "unknown target $target: tabtext or tablefile" >&2; exit 2 ;;
esac
sanitizers=${FUZZ_SANITIZERS:-address,undefined}
if [ "$sanitizers" = address,undefined ]; then
  build=${FUZZ_BUILD:-$root/build-fuzz}
else
  build=${FUZZ_BUILD:-$root/build-fuzz-${sanitizers//,/-}}
fi

# The project's own build needs plus clang and its sanitizer and libFuzzer runtimes.
"$root/scripts/install-deps.sh" cmake make clang libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools libgl-dev \
  libsqlite3-dev libpng-dev zlib1g-dev

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSPIELDEX_FUZZ=ON -DSPIELDEX_FUZZ_SANITIZERS="$sanitizers" -DSPIELDEX_TESTS=OFF -DSPIELDEX_BENCH=OFF >/dev/null
cmake --build "$build" --target "${target}_fuzz" -j"$(nproc)"

mkdir -p "$build/corpus-$target" "$build/artifacts"
# Every input is written to a file and some are copied again: in memory, not on a disk,
# whose truncates and flushes would cost more than the read itself.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# AddressSanitizer keeps freed memory in a quarantine to catch a late use; one input frees
# far less than 32 MB, where the default 256 MB makes the allocations land in memory gone
# cold once it has filled.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
# The first folder receives what the fuzzer finds; the committed seeds are only read.
# With more than one job, each is a fuzzer of its own sharing that folder (each with its
# share of the runs), and the totals are summed up at the end.
cd "$build"
rm -f fuzz-*.log
per_job=$runs
[ "$runs" -lt 0 ] || per_job=$(( (runs + jobs - 1) / jobs ))
start=$(date +%s)
"$build/bin/${target}_fuzz" "$build/corpus-$target" "$seeds" \
  "${dict[@]}" -max_total_time="$seconds" -runs="$per_job" -timeout=10 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 \
  $([ "$jobs" -gt 1 ] && echo "-jobs=$jobs -workers=$jobs")
end=$(date +%s)
if [ "$jobs" -gt 1 ]; then
  tail -n 6 fuzz-*.log
  total=$(cat fuzz-*.log | awk '/stat::number_of_executed_units/ {n += $2} END {print n + 0}')
  echo "$target: $total executions in $((end - start)) s by $jobs jobs, $((total / (end - start > 0 ? end - start : 1))) a second"
fi
