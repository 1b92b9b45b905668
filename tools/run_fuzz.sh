#!/usr/bin/env bash
# Runs every libFuzzer target for the given number of seconds, each on a
# working copy of its seed corpus, and prints how many inputs each executed.
set -euo pipefail
dir=${1:?fuzz binary folder}
seconds=${2:-60}
status=0
for bin in "$dir"/fuzz_*; do
  [ -x "$bin" ] && [ -f "$bin.seeds" ] || continue
  name=$(basename "$bin")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  seeds=$(cat "$bin.seeds")
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  log="$dir/$name.log"
  if "$bin" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
       -artifact_prefix="$dir/$name-" "$corpus" >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "$name: no fault in ${runs:-?} executions (${seconds}s)"
  else
    echo "$name: FAULT, see $log"
    status=1
  fi
done
exit $status
