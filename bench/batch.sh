#!/usr/bin/env bash
# Times kalvero-cli bmp2epa --output-dir over many bitmaps in one process:
#   bench/batch.sh CLI FOLDER [COUNT] [RUNS]
# Makes COUNT bitmaps (the four accepted kinds in turn) in FOLDER/in, then runs
# the batch RUNS times, each into a new empty folder, and prints one line per
# run: wall, user and system seconds and files per second, then the median
# run and the spread. The outputs stay in FOLDER/out-* for the caller to
# remove: ext4 is slow to make new files for a minute or more after many were
# deleted, which would measure the last cleanup rather than the batch.
set -euo pipefail

cli=$(realpath "$1")
folder=$2
count=${3:-10000}
runs=${4:-5}

mkdir -p "$folder/in"
lengths=(1742 2582 5830 8686)
for ((i = 0; i < count; ++i)); do
    file=$folder/in/logo$i.bmp
    [ -f "$file" ] || head -c "${lengths[i % 4]}" /dev/zero | tr '\0' '\125' >"$file"
done

results=()
for ((run = 1; run <= runs; ++run)); do
    out=out-$$-$run
    mkdir "$folder/$out"
    sync
    line=$(cd "$folder" && /usr/bin/time -f '%e %U %S' "$cli" bmp2epa -q --output-dir "$out" in/*.bmp 2>&1 >/dev/null | tail -1)
    read -r wall user system <<<"$line"
    made=$(find "$folder/$out" -name '*.epa' | wc -l)
    [ "$made" -eq "$count" ] || { echo "only $made of $count files were made" >&2; exit 1; }
    rate=$(awk -v n="$count" -v t="$wall" 'BEGIN { printf "%d", n / (t > 0 ? t : 0.001) }')
    echo "run $run: ${wall}s wall, ${user}s user, ${system}s system, $rate files/s"
    results+=("$wall $user $system $rate")
done
printf '%s\n' "${results[@]}" | sort -n | awk -v n="$runs" \
    'NR == int((n + 1) / 2) { printf "median: %ss wall, %ss user, %ss system, %s files/s\n", $1, $2, $3, $4 }'
printf '%s\n' "${results[@]}" | sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "spread: %s to %ss wall\n", lo, hi }'
