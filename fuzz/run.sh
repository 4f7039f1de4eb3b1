#!/usr/bin/env bash
# Runs a fuzz target for a number of seconds: fuzz/run.sh TARGET|all SECONDS.
# "all" runs every target (one seed folder each in fuzz/corpus/, and
# fuzz_award_image) in turn. A run starts from the committed seeds in
# fuzz/corpus/TARGET (for fuzz_award_image: synthetic images that
# make_award_seeds writes into fuzz/corpus-work/seeds/) and keeps what
# it finds in fuzz/corpus-work/TARGET (not committed); an input that crashes is
# saved in fuzz/corpus-work/artifacts/TARGET/ and the script fails.
# FUZZ_BUILD_DIR names a build folder to use instead of the "fuzz" preset's.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 2 ]; then
    echo "usage: fuzz/run.sh TARGET|all SECONDS" >&2
    exit 2
fi
seconds=$2
if [ "$1" = all ]; then
    targets="$(ls fuzz/corpus) fuzz_award_image"
else
    targets=$1
fi
build=${FUZZ_BUILD_DIR:-build/fuzz}

if [ -z "${FUZZ_BUILD_DIR:-}" ]; then
    [ -f build/fuzz/CMakeCache.txt ] || cmake --preset fuzz >/dev/null
    # shellcheck disable=SC2086
    cmake --build --preset fuzz --target $targets make_award_seeds >/dev/null
fi

for target in $targets; do
    work=fuzz/corpus-work/$target
    artifacts=fuzz/corpus-work/artifacts/$target
    log=fuzz/corpus-work/$target.log
    seeds=fuzz/corpus/$target
    mkdir -p "$work" "$artifacts"
    if [ "$target" = fuzz_award_image ]; then
        seeds=fuzz/corpus-work/seeds/$target
        "$build/bin/make_award_seeds" "$seeds"
    fi
    status=0
    "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$seeds" \
        >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-0} inputs in $seconds s"
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log" >&2
        echo "$target failed; the input is in $artifacts/, the whole output in $log" >&2
        exit "$status"
    fi
done
