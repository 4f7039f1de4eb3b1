# The Debian packages each script needs; sourced by run.sh and test.sh.
# shellcheck shell=bash
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev
                libgtest-dev libbenchmark-dev)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}")
