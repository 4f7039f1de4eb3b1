#!/usr/bin/env bash
# Times whole kalvero-cli runs on one file side by side with cp of the same
# input, from process start to exit:
#   bench/cli-start.sh CLI FOLDER [RUNS]
# Makes a tall two-colour bitmap and its EPA logo in FOLDER, then times with
# hyperfine (no shell in between, 3 warm-up runs, RUNS runs, default 30) cp and
# each command, and prints for each the median wall time and its ratio to
# cp's (cp of the same input), and the mean processor time (user + system),
# which a busy machine disturbs less.
set -euo pipefail

cli=$(realpath "$1")
folder=$2
runs=${3:-30}

mkdir -p "$folder"
cd "$folder"
head -c 2582 /dev/zero | tr '\0' '\146' >logo.bmp
"$cli" bmp2epa logo.bmp logo.epa

declare -A commands=(
    [cp]="cp logo.bmp copy.bmp"
    [info]="$cli info logo.epa"
    [bmp2epa]="$cli bmp2epa logo.bmp out.epa"
    [epa2bmp]="$cli epa2bmp logo.epa out.bmp"
    [render]="$cli render logo.epa out.png"
)
order=(cp info bmp2epa epa2bmp render)
# cp of the EPA logo: the input of info, epa2bmp and render.
commands[cp-epa]="cp logo.epa copy.epa"
order+=(cp-epa)

declare -A median cpu
for name in "${order[@]}"; do
    hyperfine -N --warmup 3 --runs "$runs" --export-json "$name.json" \
        --output=null "${commands[$name]}" >/dev/null
    read -r median[$name] cpu[$name] < <(python3 -c '
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print(r["median"] * 1000, (r["user"] + r["system"]) * 1000)' "$name.json")
done
for name in "${order[@]}"; do
    base=cp
    case $name in info | epa2bmp | render | cp-epa) base=cp-epa ;; esac
    awk -v n="$name" -v m="${median[$name]}" -v b="${median[$base]}" -v c="${cpu[$name]}" \
        -v cb="${cpu[$base]}" 'BEGIN {
            printf "%-8s median %6.2f ms  %4.2f x cp   processor %5.2f ms  %4.2f x cp\n", n, m, m / b, c, c / cb }'
done
rm -f ./*.json copy.* out.* logo.*
