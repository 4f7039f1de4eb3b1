#!/usr/bin/env bash
# Draws docs/screenshot.png: the real main window with a BIOS image opened
# from its command line. The image is a synthetic one (make_award_seeds)
# that kalvero-cli bios replace gives the sample logo. Run after a build
# (./test.sh or ./run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default --target kalvero-screenshot kalvero-cli make_award_seeds >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/bin/make_award_seeds "$work"
build/bin/kalvero-cli bios replace "$work/layout-c.bin" samples/kalvero.epa "$work/board.bin"
QT_QPA_PLATFORM=offscreen build/bin/kalvero-screenshot "$work/board.bin" docs/screenshot.png
