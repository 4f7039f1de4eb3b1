#!/bin/sh
# Makes the sample files in samples/ from our sample design,
# resources/samples/sample-logo.png, with kalvero-cli, and checks them with
# `kalvero-cli info`. Build kalvero-cli first (cmake --preset default &&
# cmake --build --preset default); KALVERO_CLI names another build of it.
set -eu
cd "$(dirname "$0")/.."
cli=${KALVERO_CLI:-build/bin/kalvero-cli}

# The design keeps to one palette colour per cell, so the logo is the design
# pixel for pixel (tests/cli/ImportTest.cpp checks this).
"$cli" import resources/samples/sample-logo.png samples/kalvero.epa
# Threshold 1: every pixel that is not black becomes white, so the teal and
# blue parts, darker than middle grey, stay in the picture.
"$cli" import --mono --threshold 1 resources/samples/sample-logo.png samples/kalvero.bmp
"$cli" import --colors16 resources/samples/sample-logo.png samples/kalvero-16.bmp

"$cli" info samples/kalvero.epa samples/kalvero.bmp samples/kalvero-16.bmp
