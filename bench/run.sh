#!/usr/bin/env bash
# The conversion benchmark (make bench): for every source format a generated
# document of about 20 MB (12 MB for MacWrite II and MacWrite 4.6, whose
# files cannot hold much more; 1 MB = 2^20 bytes) converted to every target
# format (a 6 MB one to the two Word formats: their 16-bit page numbers reach
# 8 MB of Word DOS file, and Word Windows 2 also counts its property pages
# there), the same source at 2 MB to "RTF Ansi (Windows)" to show that memory
# does not grow with the document, then a batch of 1,000 small MacWrite II
# documents in nested folders converted with -r. Each row is one whole run of
# the release build's lettrix-convert: wall-clock seconds and the throughput
# they give, processor seconds (what the time would be on an idle machine) and
# the peak resident memory.
# Goals: 150 MB/s for Mac text and 100 MB/s for the other sources to every
# target, peak memory under 16 MB and the same at 2 and 20 MB, the batch in
# under 0.25 s. Then a MacWrite 4.6 document full of pictures to the targets
# that draw them.
#   bench/run.sh [BINARY-FOLDER]     (default build/bin)
#   BENCH_SOURCES="ALIAS ..." BENCH_TARGETS="ALIAS ..." bench/run.sh   (a subset, by main aliases)
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

# Source aliases and target aliases with their output extensions: every
# format of the list (core/formats.def), as make_bench_input prints them.
mapfile -t all_sources < <("$make_input" --sources)
declare -A extension=()
all_targets=()
while read -r alias ext; do
  extension[$alias]=$ext
  all_targets+=("$alias")
done < <("$make_input" --targets)
read -r -a sources <<<"${BENCH_SOURCES:-${all_sources[*]}}"
read -r -a targets <<<"${BENCH_TARGETS:-${all_targets[*]}}"
batch_format=$("$make_input" --batch-format)

# The input of a source at a size, generated once and kept until the
# generator is rebuilt (a changed document builder makes other documents).
input_for() {
  local alias=$1 mb=$2 input="$work/$1-$2.src"
  if [ ! -s "$input" ] || [ "$make_input" -nt "$input" ]; then
    "$make_input" "$alias" "$mb" "$input" >/dev/null 2>&1 || { rm -f "$input"; echo "bench: cannot generate $input" >&2; exit 1; }
  fi
  echo "$input"
}

# One row: converts input with the source and target aliases.
row() {
  local alias=$1 target=$2 input=$3 name output seconds cpu peak_kb status input_mb
  name=$(basename "$input")
  output="$work/${name%.*}.${extension[$target]}"
  rm -f "$output"
  input_mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1048576 }')
  read -r seconds cpu peak_kb status < <(cd "$work" && "$measure" "$cli" -f "$alias" -t "$target" "$name")
  if [ "$status" -ne 0 ] || [ ! -s "$output" ]; then
    printf '%-26s %8s %s\n' "$alias > $target" "$input_mb" "FAILED (status $status)"
  else
    awk -v p="$alias > $target" -v mb="$input_mb" -v s="$seconds" -v c="$cpu" -v kb="$peak_kb" \
      'BEGIN { printf "%-26s %8s %8.3f %7.1f %8.3f %9.1f %8.1f\n", p, mb, s, (s > 0 ? mb / s : 0),
               c, (c > 0 ? mb / c : 0), kb / 1024 }'
  fi
  rm -f "$output"
}

printf '%-26s %8s %8s %7s %8s %9s %8s\n' "PAIR" "INPUT MB" "SECONDS" "MB/s" "CPU s" "CPU MB/s" "PEAK MB"
for alias in "${sources[@]}"; do
  for target in "${targets[@]}"; do
    case $target in
      word-dos | winword-2) row "$alias" "$target" "$(input_for "$alias" 6)" ;;
      *) row "$alias" "$target" "$(input_for "$alias" 20)" ;;
    esac
  done
  row "$alias" rtf-ansi "$(input_for "$alias" 2)"
done

# Pictures drawn: a MacWrite 4.6 document of 12 MB (the most its offsets
# reach comfortably) with a screen shot after every fourth paragraph, to each
# target that shows pictures as PNG. BENCH_PICTURES=0 leaves it out.
if [ "${BENCH_PICTURES:-1}" != 0 ]; then
  pictures="$work/pictures-12.src"
  if [ ! -s "$pictures" ] || [ "$make_input" -nt "$pictures" ]; then
    "$make_input" --pictures 12 "$pictures" || { rm -f "$pictures"; echo "bench: cannot generate $pictures" >&2; exit 1; }
  fi
  for target in rtf-ansi odt docx html; do
    [ -n "${extension[$target]:-}" ] && row macwrite-4.6 "$target" "$pictures"
  done
fi

# The batch: 1,000 small documents in nested folders, converted with -r.
batch="$work/batch"
if [ ! -d "$batch" ] || [ "$make_input" -nt "$batch" ]; then
  rm -rf "$batch"
  "$make_input" --batch 1000 "$batch" || { rm -rf "$batch"; echo "bench: cannot generate $batch" >&2; exit 1; }
fi
# Once with one file at a time, once with a worker process per core.
cores=$(nproc 2>/dev/null || echo 2)
for jobs in 1 "$cores"; do
  find "$batch" -name '*.rtf' -delete
  read -r seconds cpu peak_kb status < <(cd "$batch" && "$measure" "$cli" -j "$jobs" -f "$batch_format" -t rtf-ansi -r '*.mw2')
  files=$(find "$batch" -name '*.rtf' | wc -l)
  find "$batch" -name '*.rtf' -delete
  echo
  awk -v s="$seconds" -v c="$cpu" -v kb="$peak_kb" -v n="$files" -v st="$status" -v j="$jobs" \
    'BEGIN { printf "batch: %d of 1000 MacWrite II files to RTF with -r -j %d in %.3f s (%.0f files/s), CPU %.3f s, peak %.1f MB, status %d\n",
             n, j, s, (s > 0 ? n / s : 0), c, kb / 1024, st }'
done
echo "Inputs are kept in $work (delete them to regenerate)."
