#!/usr/bin/env bash
# Checks the bash completion of kalvero-cli against the built program:
#   completion-test.sh KALVERO_CLI COMPLETION_SCRIPT
# Each case is a command line in the words bash makes of it (it splits at an
# equals sign too), the cursor at its end, and the words the completion must
# offer, sorted.
set -uo pipefail
cli=$(realpath "$1")
source "$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir logos out
touch logo.epa logo.bmp notes.txt

failures=0
expect() {
    local line=$1 expected=$2
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_WORDS[0]=$cli
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kalvero_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
    if [[ $got != "$expected" ]]; then
        echo "FAILED: '$line': expected '$expected', got '$got'" >&2
        failures=$((failures + 1))
    fi
}

expect "kalvero-cli " "bios bmp2epa epa2bmp import info render"
expect "kalvero-cli re" "render"
expect "kalvero-cli bios " "extract list replace try verify"
expect "kalvero-cli bios try --" "--help --quiet --screenshot --timeout"
expect "kalvero-cli bios replace --" "--all-16-colors --dither --dry-run --fill --fit --full-screen --help --invert --no-shrink --quiet --stretch"
expect "kalvero-cli bios list lo" "logo.bmp logo.epa logos"
expect "kalvero-cli -" "--help --version -V -h"
expect "kalvero-cli render --" "--boot --boot-screen --full-screen --grid --help --output-dir --quiet --scale"
expect "kalvero-cli bmp2epa --ne" "--negative"
expect "kalvero-cli -q info lo" "logo.bmp logo.epa logos"
expect "kalvero-cli render --output-dir " "logos out"
expect "kalvero-cli render --output-dir = o" "out"
expect "kalvero-cli render --scale " ""
expect "kalvero-cli import --dither n" ""
expect "kalvero-cli import --fu" "--full-screen"
expect "kalvero-cli import --size " ""
expect "kalvero-cli epa2bmp logo.epa n" "notes.txt"
expect "kalvero-cli info -- --" ""

if [ "$failures" -eq 0 ]; then
    echo "bash completion: all cases passed"
fi
exit "$failures"
