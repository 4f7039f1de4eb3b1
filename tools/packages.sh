# The Debian packages each script needs; sourced by run.sh and test.sh.
# shellcheck shell=bash
# zlib unpacks .svgz drawings; the picture tests read TIFF and WebP with Qt's
# extra image plugins; SVG text is drawn on Qt's offscreen platform. Qt's own
# translations make its buttons and dialogs speak German too.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev
                zlib1g-dev help2man libgtest-dev libbenchmark-dev fonts-liberation2
                qt6-image-formats-plugins qt6-qpa-plugins qt6-translations-l10n)
# The Windows registry backend and kalvero-cli are cross-built and tested under Wine.
WINE_PACKAGES=(googletest g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64
               shared-mime-info)
# cpack's Debian package needs dpkg-shlibdeps.
PACKAGING_PACKAGES=(dpkg-dev file)
# The fuzz targets build with clang and its libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# lhasa decodes our "-lh5-" data in the codec tests.
CODEC_PACKAGES=(lhasa)
# python3 measures import again for the check of docs/import.md.
DOCS_PACKAGES=(python3)
# The core in WebAssembly: Emscripten (which runs on Node with acorn) builds
# it, its tests run under Node, and the page runs in Chromium.
WEB_PACKAGES=(emscripten node-acorn nodejs chromium)
# ./run.sh --web: what builds and serves the page.
WEB_BUILD_PACKAGES=(cmake ninja-build python3 emscripten node-acorn nodejs)
# kalvero-cli bios try, and the tests that boot real BIOS images, run QEMU's PC
# with SeaBIOS's VGA BIOS (seabios comes with it).
QEMU_PACKAGES=(qemu-system-x86 seabios)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" "${PACKAGING_PACKAGES[@]}"
               "${FUZZ_PACKAGES[@]}" "${CODEC_PACKAGES[@]}" "${DOCS_PACKAGES[@]}"
               "${WEB_PACKAGES[@]}" "${QEMU_PACKAGES[@]}")
# bench/run-all.sh: a display for the start-up times, hyperfine for kalvero-cli's,
# and the profilers.
BENCH_PACKAGES=("${BUILD_PACKAGES[@]}" "${QEMU_PACKAGES[@]}" xvfb x11-utils linux-perf valgrind
                hyperfine)
