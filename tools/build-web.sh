#!/usr/bin/env bash
# Builds the page into build/web: the editor's core in WebAssembly (cmake
# --preset web, in build/web-build) and the page's own files beside it. With
# targets (all: also the core's tests for Node), builds those instead.
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian's Emscripten runs on Node with Debian's acorn, and on Debian's Python
# (a python3 found first on the PATH, such as a pyenv shim, slows every call).
export NODE_PATH=/usr/share/nodejs
if [ -x /usr/bin/python3 ]; then
    export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset web "${launcher[@]}" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(kalvero_web kalvero_web_page)
fi
cmake --build --preset web --target "${targets[@]}"
