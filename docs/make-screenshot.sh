#!/usr/bin/env bash
# Draws docs/screenshot.png: the real main window with the sample logo opened
# from its command line. Run after a build (./test.sh or ./run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default --target kalvero-screenshot >/dev/null
QT_QPA_PLATFORM=offscreen build/bin/kalvero-screenshot samples/kalvero.epa docs/screenshot.png
