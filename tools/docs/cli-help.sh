#!/usr/bin/env bash
# Keeps the help texts in docs/cli.md those of the program itself:
#   tools/docs/cli-help.sh KALVERO_CLI [--check]
# Each block that follows a line "<!-- help: ARGUMENTS -->" (up to the line
# "<!-- end help -->") is replaced by a fenced block of what
# "kalvero-cli ARGUMENTS" prints. A fenced block of "$ COMMAND" lines after
# "<!-- session: NAME=FILE... -->" (up to "<!-- end session -->") is run again
# in an empty folder that holds each repository FILE as NAME (FILE "@SEED": the
# synthetic Award image SEED that make_award_seeds, beside KALVERO_CLI, writes),
# and each command is followed by what it prints. With --check nothing is written: the exit
# status is 1, with the differences, when the file is not up to date.
set -euo pipefail
cli=$(realpath "$1")
check=${2:-}
root=$(realpath "$(dirname "$0")/../..")
doc=$root/docs/cli.md

generated=$(mktemp)
session=$(mktemp -d)
trap 'rm -rf "$generated" "$session"' EXIT

# Runs the commands of a session in a folder of its own; $? is that of the
# command before, as in a shell.
run_session() {
    local folder seeds
    folder=$(mktemp -d -p "$session")
    seeds=$(mktemp -d -p "$session")
    for pair in "$@"; do
        local file=${pair#*=}
        if [[ $file == @* ]]; then
            [ -f "$seeds/${file#@}" ] || "$(dirname "$cli")/make_award_seeds" "$seeds"
            cp "$seeds/${file#@}" "$folder/${pair%%=*}"
        else
            cp "$root/$file" "$folder/${pair%%=*}"
        fi
    done
    (
        cd "$folder"
        set +e
        kalvero-cli() { "$cli" "$@"; }
        status=0
        while IFS= read -r command; do
            printf '$ %s\n' "$command"
            (exit "$status")
            eval "$command" </dev/null 2>&1
            status=$?
        done
    )
}

inside=0
commands=()
while IFS= read -r line; do
    if [ "$inside" -eq 1 ]; then
        [ "$line" = "<!-- end help -->" ] || continue
        inside=0
    elif [ "$inside" -eq 2 ]; then
        if [ "$line" = "<!-- end session -->" ]; then
            echo '```'
            printf '%s\n' "${commands[@]}" | run_session "${files[@]}"
            echo '```'
            inside=0
            commands=()
        elif [[ $line == '$ '* ]]; then
            commands+=("${line#\$ }")
            continue
        else
            continue
        fi
    fi
    printf '%s\n' "$line"
    if [[ $line =~ ^\<!--\ session:\ (.*)\ --\>$ ]]; then
        read -r -a files <<<"${BASH_REMATCH[1]}"
        inside=2
    fi
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
