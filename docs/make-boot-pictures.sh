#!/usr/bin/env bash
# Draws the pictures in docs/boot/ with kalvero-cli itself: the sample logo as
# the editor shows it and as the PC shows it, alone and on the power-on
# screen, and a full-screen logo. Run after a build (./test.sh or ./run.sh).
#
# With --check CLI it draws them with that kalvero-cli into a temporary folder
# and fails when any differs from the one in docs/boot/.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ ${1:-} == --check ]]; then
    cli=$2
    out=$work/boot
else
    cmake --build --preset default --target kalvero-cli >/dev/null
    cli=build/bin/kalvero-cli
    out=docs/boot
fi
mkdir -p "$out"

# The sample logo, version 1.
"$cli" render --scale 2 samples/kalvero.epa "$out/sample-editor.png"
"$cli" render --boot --scale 2 samples/kalvero.epa "$out/sample-pc.png"
"$cli" render --boot-screen samples/kalvero.epa "$out/sample-screen.png"

# The same logo with attribute 0x1E (yellow on blue) in its two bottom cell
# rows, the 34 attribute bytes from offset 2 + 7 x 17 = 121.
cp samples/kalvero.epa "$work/banner.epa"
printf '\x1e%.0s' {1..34} | dd of="$work/banner.epa" bs=1 seek=121 conv=notrunc status=none
"$cli" render --scale 2 "$work/banner.epa" "$out/banner-editor.png"
"$cli" render --boot --scale 2 "$work/banner.epa" "$out/banner-pc.png"

# The sample's 16-colour bitmap as an EPA 2.0 image.
"$cli" bmp2epa samples/kalvero-16.bmp "$work/kalvero-2.epa"
"$cli" render --boot-screen "$work/kalvero-2.epa" "$out/epa2-screen.png"

# Our sample design as a full-screen logo.
"$cli" import --full-screen resources/samples/sample-logo.png "$work/full-screen.epa"
"$cli" render --boot-screen "$work/full-screen.epa" "$out/full-screen.png"

if [[ ${1:-} == --check ]]; then
    status=0
    for picture in "$out"/*.png; do
        if ! cmp -s "$picture" "docs/boot/${picture##*/}"; then
            echo "docs/boot/${picture##*/} is not what kalvero-cli draws now: run docs/make-boot-pictures.sh" >&2
            status=1
        fi
    done
    exit "$status"
fi
