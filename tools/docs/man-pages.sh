#!/usr/bin/env bash
# Writes the manual pages kalvero.1 and kalvero-cli.1 with help2man:
#   tools/docs/man-pages.sh KALVERO_CLI KALVERO OUTPUT_FOLDER
# kalvero-cli.1 is made of kalvero-cli --help, with each command's own help
# in a section of its own; kalvero.1 of kalvero --help, which the editor
# answers without a display.
set -euo pipefail
cli=$(realpath "$1")
editor=$(realpath "$2")
out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Text as it is, in roff: backslashes escaped, no line taken for a request.
roff() {
    sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
}

# The names in the help's command table: a name of two words ("bios list")
# stands two blanks or more before its summary.
mapfile -t commands < <("$cli" --help | awk -F '  +' '/^Commands:/ { on = 1; next }
    on && NF == 0 { exit } on { print $2 }')
# One command's help as a section of its own.
section() {
    echo ".SS $*"
    echo ".nf"
    "$cli" "$@" --help | roff
    echo ".fi"
}
{
    echo "[COMMANDS IN DETAIL]"
    group=""
    for command in "${commands[@]}"; do
        read -r -a words <<<"$command"
        # A group's own help ("bios": what to do before flashing) comes
        # before its first command.
        if [ ${#words[@]} -gt 1 ] && [ "${words[0]}" != "$group" ]; then
            group=${words[0]}
            section "$group"
        fi
        section "${words[@]}"
    done
    echo "[SEE ALSO]"
    echo ".BR kalvero (1)"
} >"$work/kalvero-cli.h2m"
help2man --no-info --section 1 --name "convert Award BIOS boot logos (EPA files) and bitmaps" \
    --include "$work/kalvero-cli.h2m" --output "$out/kalvero-cli.1" "$cli"

printf '[SEE ALSO]\n.BR kalvero-cli (1)\n' >"$work/kalvero.h2m"
env -u DISPLAY -u WAYLAND_DISPLAY help2man --no-info --section 1 \
    --name "editor for Award BIOS boot logos (EPA files)" \
    --include "$work/kalvero.h2m" --output "$out/kalvero.1" "$editor"
