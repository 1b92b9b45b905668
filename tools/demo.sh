#!/usr/bin/env bash
# Converts every sample document with every available reader/writer pair into
# a scratch folder (build/demo/) and prints a table: source, target, result, size.
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)  # absolute: the conversions run inside their folders
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$bin/lettrix-convert"
out="$top/build/demo"
rm -rf "$out"
mkdir -p "$out"

"$cli" --list-formats
echo
printf '%-34s %-20s %-8s %s\n' "SOURCE" "TARGET" "RESULT" "OUTPUT"
failures=0
# Available rows: the lines of --list-formats without "(not available yet)".
mapfile -t sources < <("$cli" --list-formats | sed -n '/^Source/,/^Target/p' | grep '^  ' | grep -v 'not available' | awk -F'  +' '{print $2"|"$3}')
mapfile -t targets < <("$cli" --list-formats | sed -n '/^Target/,$p' | grep '^  ' | grep -v 'not available' | awk -F'  +' '{print $2"|"$3}')
for s in "${sources[@]}"; do
  src_name=${s%%|*}
  alias=${s#*|}; alias=${alias%%,*}
  [ -d "$top/samples/$alias" ] || continue
  for t in "${targets[@]}"; do
    dst_name=${t%%|*}
    dst_alias=${t#*|}; dst_alias=${dst_alias%%,*}
    work="$out/$alias-to-$dst_alias"
    mkdir -p "$work"
    for sample in "$top/samples/$alias"/*; do
      cp "$sample" "$work/"
      name=$(basename "$sample")
      if line=$(cd "$work" && "$cli" -f "$src_name" -t "$dst_name" "$name" 2>&1); then
        target=${line##* -> }
        size=$(stat -c %s "$work/$target")
        printf '%-34s %-20s %-8s %s (%s bytes)\n' "$alias/$name" "$dst_name" "ok" "$target" "$size"
      else
        printf '%-34s %-20s %-8s %s\n' "$alias/$name" "$dst_name" "FAILED" "$line"
        failures=$((failures + 1))
      fi
    done
  done
done
# A floppy image holding some of the samples: converted as a folder, in
# parallel, with a report of each file.
for image in "$top"/samples/disk-images/*; do
  [ -f "$image" ] || continue
  echo
  name=$(basename "$image")
  if (cd "$out" && "$cli" -t odt -r -o disk-images --report disk-images.jsonl "$image" >/dev/null 2>&1); then
    printf '%-34s %-20s %-8s %s\n' "disk-images/$name" "OpenDocument Text" "ok" \
      "$(find "$out/disk-images" -type f | wc -l) files in disk-images/, report disk-images.jsonl"
  else
    printf '%-34s %-20s %-8s %s\n' "disk-images/$name" "OpenDocument Text" "FAILED" "see disk-images.jsonl"
    failures=$((failures + 1))
  fi
done
echo
echo "Outputs are in $out"
[ "$failures" -eq 0 ]
