#!/usr/bin/env bash
# Runs kalvero-cli import on each picture of hostile-pictures.py and prints
# its peak memory (maximum resident set), time and answer, as a Markdown table.
# Usage: measure-peaks.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
cli=${1:-build}/bin/kalvero-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 tests/picture/hostile-pictures.py "$work/in"
echo "| file | bytes | peak memory | time | kalvero-cli says |"
echo "|---|---|---|---|---|"
for file in "$work"/in/*; do
    name=$(basename "$file")
    /usr/bin/time -f "%M %e" -o "$work/time" "$cli" import "$file" "$work/out.epa" \
        2>"$work/err" >/dev/null || true
    read -r kilobytes seconds < <(tail -n 1 "$work/time")
    said=$(tail -n 1 "$work/err" | sed "s|$work/in/||")
    printf '| %s | %s | %s MB | %s s | %s |\n' "$name" "$(stat -c %s "$file")" \
        "$((kilobytes / 1000))" "$seconds" "${said:-imported}"
done
