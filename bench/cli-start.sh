#!/usr/bin/env bash
# Times whole kalvero-cli runs on one file side by side with cp of the same
# input, from process start to exit:
#   bench/cli-start.sh CLI FOLDER [RUNS]
# Makes a tall two-colour bitmap and its EPA logo in FOLDER, then times with
# hyperfine (no shell in between) cp and each command, RUNS runs each (default
# 30) in 5 rounds, and prints for each the median wall time and its ratio to
# cp's (cp of the same input), and the mean processor time (user + system),
# which a busy machine disturbs less.
set -euo pipefail

cli=$(realpath "$1")
folder=$2
runs=${3:-30}

mkdir -p "$folder"
cd "$folder"
# A tall two-colour bitmap whose header agrees with its layout: 'BM', 2582
# bytes, pixels from 62; 40-byte header, 136 x 126, 1 plane, 1 bit a pixel.
{
    printf 'BM\026\012\0\0\0\0\0\0\076\0\0\0\050\0\0\0\210\0\0\0\176\0\0\0\001\0\001\0'
    head -c 24 /dev/zero
    printf '\0\0\0\0\377\377\377\0'
    head -c 2520 /dev/zero | tr '\0' '\146'
} >logo.bmp
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

# Rounds of all commands in turn, so that a busy spell of the machine falls
# on every command alike; each command's times of all rounds are pooled.
rounds=5
for ((round = 1; round <= rounds; ++round)); do
    for name in "${order[@]}"; do
        hyperfine -N --warmup 3 --runs $((runs / rounds)) --export-json "$name-$round.json" \
            --output=null "${commands[$name]}" >/dev/null 2>&1
    done
done
python3 - "${order[@]}" <<'PYTHON'
import json, statistics, sys

def pooled(name):
    wall, processor = [], []
    for round in range(1, 6):
        result = json.load(open(f"{name}-{round}.json"))["results"][0]
        wall += result["times"]
        # hyperfine gives the mean processor time of a round's runs.
        processor += [result["user"] + result["system"]] * len(result["times"])
    return statistics.median(wall) * 1000, statistics.mean(processor) * 1000

names = sys.argv[1:]
numbers = {name: pooled(name) for name in names}
for name in names:
    base = "cp-epa" if name in ("info", "epa2bmp", "render", "cp-epa") else "cp"
    wall, processor = numbers[name]
    print(f"{name:8} median {wall:6.2f} ms  {wall / numbers[base][0]:4.2f} x cp   "
          f"processor {processor:5.2f} ms  {processor / numbers[base][1]:4.2f} x cp")
PYTHON
rm -f ./*.json copy.* out.* logo.*
