#!/usr/bin/env bash
# Times a program's start until its window is on the screen, from outside:
#   bench/startup.sh RUNS TITLE PROGRAM [ARGUMENT]...
# Starts an Xvfb display of its own, then RUNS times (after one run that is
# not counted) starts the program and polls the X server until a window
# named TITLE is mapped; prints the median and the spread in milliseconds.
# With STARTUP_READS=FILE a run ends only once FILE has also been read (the
# logo named on the editor's command line): its access time is set back
# before each run, and the first read sets it anew (relatime does that for
# an access time older than the file's change time).
# The program gets a fresh home folder that is kept across the runs, as a
# user's would be.
set -euo pipefail

runs=$1
title=$2
shift 2

home=$(mktemp -d)
# Xvfb picks a free display and writes its number once it accepts clients;
# -noreset keeps it from restarting (and refusing clients) whenever the last
# client leaves.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$home/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 200); do
    [ -s "$home/display" ] && break
    sleep 0.05
done
export DISPLAY=:$(cat "$home/display") HOME=$home/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
mkdir -p "$HOME"
unset QT_QPA_PLATFORM
for _ in $(seq 200); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.05
done

reads=${STARTUP_READS:-}

shown() {
    if [ -n "$reads" ] && [ "$(stat -c %X "$reads")" -eq 0 ]; then
        return 1
    fi
    xwininfo -name "$title" 2>/dev/null | grep -q 'Map State: IsViewable'
}

times=()
for ((run = 0; run <= runs; ++run)); do
    [ -z "$reads" ] || touch -a -d @0 "$reads"
    start=$(date +%s%N)
    "$@" >/dev/null 2>"$home/stderr" &
    program=$!
    until shown; do
        kill -0 "$program" 2>/dev/null || { cat "$home/stderr" >&2; echo "$1 ended before its window was shown" >&2; exit 1; }
    done
    end=$(date +%s%N)
    kill "$program"
    wait "$program" 2>/dev/null || true
    if [ "$run" -gt 0 ]; then
        times+=("$(( (end - start) / 1000000 ))")
    fi
done
printf '%s\n' "${times[@]}" | sort -n | awk '
    { t[NR] = $1 }
    END {
        printf "runs: %d, median: %d ms, min: %d ms, max: %d ms\n", NR, t[int((NR + 1) / 2)], t[1], t[NR]
    }'
