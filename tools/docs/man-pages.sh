#!/usr/bin/env bash
# Writes the manual pages kalvero.1 and kalvero-cli.1 with help2man:
#   tools/docs/man-pages.sh KALVERO_CLI VERSION OUTPUT_FOLDER
# kalvero-cli.1 is made of kalvero-cli --help, with each command's own help
# in a section of its own; kalvero.1 of the editor's help text,
# docs/man/kalvero-help.txt.
set -euo pipefail
cli=$(realpath "$1")
version=$2
out=$3
docs=$(cd "$(dirname "$0")/../../docs" && pwd)
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
{
    echo "[COMMANDS IN DETAIL]"
    for command in "${commands[@]}"; do
        read -r -a words <<<"$command"
        echo ".SS $command"
        echo ".nf"
        "$cli" "${words[@]}" --help | roff
        echo ".fi"
    done
    echo "[SEE ALSO]"
    echo ".BR kalvero (1)"
} >"$work/kalvero-cli.h2m"
help2man --no-info --section 1 --name "convert Award BIOS boot logos (EPA files) and bitmaps" \
    --include "$work/kalvero-cli.h2m" --output "$out/kalvero-cli.1" "$cli"

# help2man asks a program; this one answers with the editor's help text.
cat >"$work/kalvero" <<SCRIPT
#!/bin/sh
case "\$1" in
--version) echo "kalvero $version" ;;
*) cat "$docs/man/kalvero-help.txt" ;;
esac
SCRIPT
chmod +x "$work/kalvero"
printf '[SEE ALSO]\n.BR kalvero-cli (1)\n' >"$work/kalvero.h2m"
help2man --no-info --section 1 --name "editor for Award BIOS boot logos (EPA files)" \
    --include "$work/kalvero.h2m" --output "$out/kalvero.1" "$work/kalvero"
