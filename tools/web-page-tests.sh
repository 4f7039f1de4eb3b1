#!/usr/bin/env bash
# Builds the page (build/web), installs puppeteer-core into build/web-test
# and runs tests/web/page-test.mjs: the page in headless Chromium,
# checked against the native kalvero-cli. Needs build/bin/kalvero-cli and
# build/bin/make_award_seeds (cmake --build --preset default). Exits
# non-zero when anything fails.
#
# Needs the Debian packages of tools/build-web.sh, and npm and chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

# A Node.js from elsewhere than Debian brings its own npm, which Debian's npm
# package cannot be installed beside.
if ! command -v npm >/dev/null; then
    tools/install-deps.sh npm
fi

for tool in build/bin/kalvero-cli build/bin/make_award_seeds; do
    if [ ! -x "$tool" ]; then
        echo "Missing $tool: build it first (cmake --preset default && cmake --build --preset default)" >&2
        exit 1
    fi
done

tools/build-web.sh

# puppeteer-core drives the Chromium installed; it downloads no browser.
# 24.x is the last line that runs on Node 18 and 20.
puppeteer=24.43.1
dir=build/web-test
if [ "$(node -p "require('./$dir/node_modules/puppeteer-core/package.json').version" 2>/dev/null)" != "$puppeteer" ]; then
    mkdir -p "$dir"
    npm install --prefix "$dir" --no-audit --no-fund --no-save "puppeteer-core@$puppeteer"
fi

timeout 300 node tests/web/page-test.mjs "$@"
