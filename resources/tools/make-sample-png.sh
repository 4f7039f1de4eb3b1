#!/bin/sh
# Renders resources/samples/sample-logo.svg to resources/samples/sample-logo.png
# (136 x 126, opaque RGB, no anti-aliasing) and checks the EPA v1 cell rule.
# Needs rsvg-convert (Debian: librsvg2-bin), ImageMagick's convert and python3.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
samples="$here/../samples"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
rsvg-convert "$samples/sample-logo.svg" --output "$tmp/logo.png"
convert "$tmp/logo.png" -background black -alpha remove -alpha off -type TrueColor \
  -define png:color-type=2 -strip "$samples/sample-logo.png"
python3 "$here/check-sample-logo.py" "$samples/sample-logo.png"
