#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Exits non-zero when
# anything fails.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/install-deps.sh "${TEST_PACKAGES[@]}"

export QT_QPA_PLATFORM=offscreen

echo "== Lines of tests against lines of code, and the planted faults still in place"
tools/count-test-lines.py --check
tools/planted-faults/run.sh --list

echo "== Build and tests"
cmake --preset default
cmake --build --preset default
ctest --preset default --output-on-failure

echo "== Windows registry backend and kalvero-cli.exe under Wine"
tools/wine-tests.sh

echo "== The core in WebAssembly under Node"
tools/web-tests.sh

echo "== The page in headless Chromium"
tools/web-page-tests.sh

echo "== Build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize --output-on-failure

echo "== Fuzz targets, a short run each"
fuzz/run.sh all 5
