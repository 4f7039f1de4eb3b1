#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor, opening FILE if given.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target kalvero-cli
exec build/bin/kalvero-cli --help "$@"
