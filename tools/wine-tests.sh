#!/usr/bin/env bash
# Cross-builds everything without Qt for 64-bit Windows with mingw-w64 (the
# registry backends with their tests, and kalvero-cli.exe) and runs the tests
# under Wine, headless, in a Wine prefix of their own (created on the first
# run, reused later): the registry tests as Windows programs, and the native
# end-to-end tests of kalvero-cli (build/bin/kalvero_cli_tests, built first
# when missing) against kalvero-cli.exe, every command but import. Exits
# non-zero when anything fails.
#
# Needs the Debian packages cmake, ninja-build, googletest,
# g++-mingw-w64-x86-64-posix, libz-mingw-w64-dev, wine and wine64.
# KALVERO_WINE_BUILD chooses another build folder than build/wine,
# KALVERO_NATIVE_BUILD another native one than build.
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

# One server for the whole run: a server started by a program under test
# would hold on to that program's output pipes.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT

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
native=${KALVERO_NATIVE_BUILD:-build}
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake --preset default >/dev/null
fi
cmake --build "$native" --target kalvero_cli_tests
echo "Running kalvero_cli_tests against kalvero-cli.exe under Wine"
if ! KALVERO_CLI="$build/bin/kalvero-cli.exe" KALVERO_CLI_RUNNER="$wine" \
    timeout 900 "$native/bin/kalvero_cli_tests" --gtest_brief=1 \
    --gtest_filter='-CliImport.*'; then
    echo "FAILED: kalvero_cli_tests under Wine" >&2
    status=1
fi
exit $status
