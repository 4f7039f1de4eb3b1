#!/usr/bin/env bash
# Installs what is missing, builds the editor, kalvero-cli and their manual
# pages, and starts the editor; see usage below.
set -euo pipefail

usage() {
    cat <<'TEXT'
Usage: ./run.sh [FILE]
       ./run.sh -- FILE
       ./run.sh --web
       ./run.sh --help

Installs the Debian packages Kalvero needs when they are missing, builds the
editor and kalvero-cli into build/bin/ (with the manual pages that
cmake --install puts in place), and starts the editor with FILE, or with the
sample logo samples/kalvero.epa. Use -- before a FILE whose name begins
with "-". --web builds the page into build/web/ and serves it on 127.0.0.1
until interrupted.
TEXT
}

web=0
logo=""
case "${1:-}" in
--help | -h)
    usage
    exit 0
    ;;
--web) web=1 ;;
--)
    [ $# -eq 2 ] || { usage >&2; exit 2; }
    logo="$(realpath -m -- "$2")"
    ;;
-*)
    echo "run.sh: unknown option '$1'" >&2
    usage >&2
    exit 2
    ;;
"") ;;
*)
    [ $# -eq 1 ] || { usage >&2; exit 2; }
    logo="$(realpath -m -- "$1")"
    ;;
esac
cd "$(dirname "$0")"
source tools/packages.sh

if [ "$web" -eq 1 ]; then
    tools/install-deps.sh "${WEB_BUILD_PACKAGES[@]}"
    tools/build-web.sh
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    echo "Kalvero's page: http://127.0.0.1:$port/"
    echo "(any static server can serve build/web; Ctrl+C stops this one)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build/web "$port"
fi

tools/install-deps.sh "${BUILD_PACKAGES[@]}"

cmake --preset default >/dev/null
cmake --build --preset default --target kalvero kalvero-cli kalvero_man_pages

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    exit 1
fi
exec build/bin/kalvero "${logo:-$PWD/samples/kalvero.epa}"
