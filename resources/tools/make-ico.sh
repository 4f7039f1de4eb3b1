#!/bin/sh
# Builds resources/icons/kalvero.ico (16, 32, 48 and 256 px) from resources/icons/kalvero.svg.
# Needs rsvg-convert (Debian: librsvg2-bin) and ImageMagick's convert (Debian: imagemagick).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
icons="$here/../icons"
svg="$icons/kalvero.svg"
ico="$icons/kalvero.ico"

for tool in rsvg-convert convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-ico.sh: $tool is missing (apt-get install librsvg2-bin imagemagick)" >&2
    exit 1
  fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

for size in 16 32 48 256; do
  rsvg-convert --width "$size" --height "$size" --format png "$svg" --output "$tmp/$size.png"
done

# Keep the alpha channel; ImageMagick stores the 256 px image PNG-compressed.
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/256.png" -background none "$ico"
echo "wrote $ico"
