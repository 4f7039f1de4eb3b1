#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that a Linux desktop
# finds the program, the tool, the icon, the desktop entry and the MIME type;
# then builds the Debian package and checks its contents.
# Usage: check-install.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null

failures=0
expect() {
    if [ ! -s "$work/prefix/$1" ]; then
        echo "missing after install: $1" >&2
        failures=$((failures + 1))
    fi
}
expect bin/kalvero
expect bin/kalvero-cli
expect share/icons/hicolor/scalable/apps/kalvero.svg
expect share/applications/kalvero.desktop
expect share/mime/packages/kalvero-epa.xml
expect share/doc/kalvero/README.md
expect share/doc/kalvero/LICENSE
expect share/man/man1/kalvero.1.gz
expect share/man/man1/kalvero-cli.1.gz
expect share/bash-completion/completions/kalvero-cli

desktop=$work/prefix/share/applications/kalvero.desktop
grep -qx 'Exec=kalvero %f' "$desktop" || { echo "desktop entry: wrong Exec" >&2; failures=$((failures + 1)); }
grep -qx 'Icon=kalvero' "$desktop" || { echo "desktop entry: wrong Icon" >&2; failures=$((failures + 1)); }
grep -qx 'MimeType=application/x-award-epa;' "$desktop" || { echo "desktop entry: no MIME type" >&2; failures=$((failures + 1)); }
grep -q 'pattern="\*.epa"' "$work/prefix/share/mime/packages/kalvero-epa.xml" || { echo "MIME package: no *.epa" >&2; failures=$((failures + 1)); }
"$work/prefix/bin/kalvero-cli" --version | grep -q '^kalvero-cli ' || { echo "installed kalvero-cli does not run" >&2; failures=$((failures + 1)); }
# The editor answers --help and --version on a terminal without any display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/prefix/bin/kalvero" --help | grep -q '^Usage: kalvero \[FILE\]$' \
    && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/prefix/bin/kalvero" --version | grep -q '^kalvero ' \
    || { echo "kalvero --help or --version needs a display" >&2; failures=$((failures + 1)); }
zcat "$work/prefix/share/man/man1/kalvero-cli.1.gz" | grep -q '^\.SS render' || { echo "kalvero-cli.1: no section for render" >&2; failures=$((failures + 1)); }
zcat "$work/prefix/share/man/man1/kalvero.1.gz" | grep -qx '\.B kalvero' || { echo "kalvero.1: no synopsis" >&2; failures=$((failures + 1)); }
grep -q '^complete -F _kalvero_cli kalvero-cli$' "$work/prefix/share/bash-completion/completions/kalvero-cli" || { echo "completion: not for kalvero-cli" >&2; failures=$((failures + 1)); }
# import finds the picture module where it was installed, relative to itself.
"$work/prefix/bin/kalvero-cli" import "$(dirname "$0")/../../resources/samples/sample-logo.png" "$work/logo.epa" \
    || { echo "installed kalvero-cli cannot import a picture" >&2; failures=$((failures + 1)); }

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/*.deb)
contents=$(dpkg-deb --contents "$deb")
module=$(cd "$work/prefix" && find . -name 'kalvero-picture.so' | sed 's|^\./|./usr/|')
[ -n "$module" ] || { echo "missing after install: the picture module" >&2; failures=$((failures + 1)); }
for file in ./usr/bin/kalvero ./usr/bin/kalvero-cli "$module" ./usr/share/applications/kalvero.desktop \
            ./usr/share/mime/packages/kalvero-epa.xml ./usr/share/icons/hicolor/scalable/apps/kalvero.svg \
            ./usr/share/man/man1/kalvero.1.gz ./usr/share/man/man1/kalvero-cli.1.gz \
            ./usr/share/bash-completion/completions/kalvero-cli; do
    grep -q " $file\$" <<<"$contents" || { echo "package lacks $file" >&2; failures=$((failures + 1)); }
done
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || { echo "package does not depend on Qt" >&2; failures=$((failures + 1)); }
dpkg-deb --field "$deb" Depends | grep -q 'qt6-qpa-plugins' || { echo "package lacks the offscreen platform for SVG text" >&2; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "install and package: all files in place"
exit "$failures"
