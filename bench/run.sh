#!/usr/bin/env bash
# The conversion benchmark (make bench): generates large source documents of
# 2 and 20 MB (1 MB = 2^20 bytes), converts each to "RTF Ansi (Windows)" and
# "Ansi (Windows)" with the release build's lettrix-convert, and prints per
# pair the input size, the wall-clock time of the whole conversion (reader,
# intermediate stream, writer) and the throughput it gives, the processor time
# and its throughput (what the figures would be on an idle machine), and the
# peak resident memory.
# Goals: at least 50 MB/s, peak memory under 16 MB and the same for 2 and 20 MB.
#   bench/run.sh [BINARY-FOLDER]     (default build/bin)
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
work="$top/build/bench"
mkdir -p "$work"

cli="$bin/lettrix-convert"
make_input="$bin/make_bench_input"
measure="$bin/measure_command"
for program in "$cli" "$make_input" "$measure"; do
  [ -x "$program" ] || { echo "bench: $program is missing; build the release first (make demo)" >&2; exit 1; }
done

# Source formats: generator alias | shown name | file extension.
sources=(
  "mac-text|Mac Text Only|txt"
  # MacWrite II (runs, paragraphs, footnotes): at most 12 MB, under the format's limit.
  "macwrite-ii|MacWrite II|mw2"
)
targets=("RTF Ansi (Windows)|rtf" "Ansi (Windows)|asc")
sizes=(2 20)

printf '%-12s %-20s %8s %8s %7s %8s %9s %8s\n' "SOURCE" "TARGET" "INPUT MB" "SECONDS" "MB/s" "CPU s" "CPU MB/s" "PEAK MB"
for source in "${sources[@]}"; do
  IFS='|' read -r alias source_name extension <<<"$source"
  for mb in "${sizes[@]}"; do
    input="$work/$alias-$mb.$extension"
    if [ ! -s "$input" ]; then
      set +e
      "$make_input" "$alias" "$mb" "$input" 2>/dev/null
      made=$?
      set -e
      if [ "$made" -eq 3 ]; then
        rm -f "$input"
        printf '%-12s %-20s %8s %s\n' "$alias" "-" "$mb" "no generator yet"
        continue
      fi
      [ "$made" -eq 0 ] || { echo "bench: cannot generate $input" >&2; exit 1; }
    fi
    input_mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1048576 }')
    for target in "${targets[@]}"; do
      IFS='|' read -r target_name target_extension <<<"$target"
      output="${input%.*}.$target_extension"
      rm -f "$output"
      read -r seconds cpu peak_kb status < <(cd "$work" && "$measure" "$cli" -f "$source_name" -t "$target_name" "$(basename "$input")")
      if [ "$status" -ne 0 ] || [ ! -s "$output" ]; then
        printf '%-12s %-20s %8s %s\n' "$alias" "$target_name" "$input_mb" "FAILED (status $status)"
        continue
      fi
      awk -v a="$alias" -v t="$target_name" -v mb="$input_mb" -v s="$seconds" -v c="$cpu" -v kb="$peak_kb" \
        'BEGIN { printf "%-12s %-20s %8s %8.3f %7.1f %8.3f %9.1f %8.1f\n", a, t, mb, s, (s > 0 ? mb / s : 0),
                 c, (c > 0 ? mb / c : 0), kb / 1024 }'
      rm -f "$output"
    done
  done
done
echo
echo "Inputs are kept in $work (delete them to regenerate)."
