#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor. With FILE, the editor
# opens that logo; without, it opens the sample logo.
set -euo pipefail

logo=""
if [ $# -gt 0 ]; then
    logo="$(realpath -m -- "$1")"
fi
cd "$(dirname "$0")"
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target kalvero

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    exit 1
fi
exec build/bin/kalvero "${logo:-$PWD/samples/kalvero.epa}"
