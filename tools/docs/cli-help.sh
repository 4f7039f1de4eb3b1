#!/usr/bin/env bash
# Keeps the help texts in docs/cli.md those of the program itself:
#   tools/docs/cli-help.sh KALVERO_CLI [--check]
# Each block that follows a line "<!-- help: ARGUMENTS -->" (up to the line
# "<!-- end help -->") is replaced by a fenced block of what
# "kalvero-cli ARGUMENTS" prints. With --check nothing is written: the exit
# status is 1, with the differences, when the file is not up to date.
set -euo pipefail
cli=$1
check=${2:-}
doc="$(dirname "$0")/../../docs/cli.md"

generated=$(mktemp)
trap 'rm -f "$generated"' EXIT
inside=0
while IFS= read -r line; do
    if [ "$inside" -eq 1 ]; then
        [ "$line" = "<!-- end help -->" ] || continue
        inside=0
    fi
    printf '%s\n' "$line"
    if [[ $line =~ ^\<!--\ help:\ (.*)\ --\>$ ]]; then
        read -r -a arguments <<<"${BASH_REMATCH[1]}"
        echo '```'
        "$cli" "${arguments[@]}"
        echo '```'
        inside=1
    fi
done <"$doc" >"$generated"

if [ "$check" = "--check" ]; then
    if ! diff -u "$doc" "$generated"; then
        echo "docs/cli.md differs from kalvero-cli's help: run tools/docs/cli-help.sh $cli" >&2
        exit 1
    fi
else
    cp "$generated" "$doc"
fi
