#!/usr/bin/env bash
# Cross-builds the registry backends and their tests for 64-bit Windows with
# mingw-w64 and runs the tests under Wine, headless, in a Wine prefix of their
# own (created on the first run, reused later). Exits non-zero when anything
# fails.
#
# Needs the Debian packages cmake, ninja-build, googletest,
# g++-mingw-w64-x86-64-posix, wine and wine64. KALVERO_WINE_BUILD chooses
# another build folder than build/wine.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${KALVERO_WINE_BUILD:-build/wine}
case $build in
/*) ;;
*) build=$PWD/$build ;;
esac

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKALVERO_REGISTRY_ONLY=ON \
    -DKALVERO_BUILD_GUI=OFF \
    -DKALVERO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build"

# wine64 runs 64-bit programs also where the 32-bit loader is not installed.
wine=$(command -v wine64 || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
fi
wine=${wine:-$(command -v wine)}
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

export WINEPREFIX=$build/prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer, and no window: the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    timeout 300 "$wine" wineboot --init >/dev/null 2>&1
    "$wineserver" -w
fi

status=0
shopt -s nullglob
tests=("$build"/bin/*_tests.exe)
if [ ${#tests[@]} -eq 0 ]; then
    echo "No test programs in $build/bin" >&2
    status=1
fi
for test in "${tests[@]}"; do
    echo "Running $(basename "$test") under Wine"
    if ! timeout 600 "$wine" "$test" --gtest_brief=1; then
        echo "FAILED: $(basename "$test")" >&2
        status=1
    fi
done
# Let the prefix's server write the registry and end before the next run.
"$wineserver" -w
exit $status
