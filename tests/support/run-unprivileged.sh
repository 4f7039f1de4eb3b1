#!/usr/bin/env bash
# Runs a test program as the unprivileged user nobody, for the cases root
# would pass straight through: files without read permission and folders
# without write permission. Without root it runs the program as it is; as
# root without setpriv it reports the case as skipped (exit status 77).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
if ! command -v setpriv >/dev/null; then
    echo "skipped: running as root and setpriv (util-linux) is missing"
    exit 77
fi
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
if ! "${as_nobody[@]}" test -x "$1"; then
    echo "skipped: nobody cannot run $1 (a folder on its path is closed to other users)"
    exit 77
fi
exec "${as_nobody[@]}" env HOME=/tmp "$@"
