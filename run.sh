#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor. With FILE, the editor
# opens that logo; without, it opens the sample logo. With --web, builds the
# page into build/web and serves it on 127.0.0.1 until interrupted.
set -euo pipefail

logo=""
if [ $# -gt 0 ] && [ "$1" != "--web" ]; then
    logo="$(realpath -m -- "$1")"
fi
cd "$(dirname "$0")"
source tools/packages.sh

if [ "${1:-}" = "--web" ]; then
    tools/install-deps.sh "${WEB_BUILD_PACKAGES[@]}"
    tools/build-web.sh
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    echo "Kalvero's page: http://127.0.0.1:$port/"
    echo "(any static server can serve build/web; Ctrl+C stops this one)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build/web "$port"
fi

tools/install-deps.sh "${BUILD_PACKAGES[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target kalvero

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    exit 1
fi
exec build/bin/kalvero "${logo:-$PWD/samples/kalvero.epa}"
