#!/bin/sh
# SPDX-License-Identifier: MIT
# validate_installed.sh desktop|metainfo FILE: the freedesktop validators on an installed
# file. Any remark but AppStream's pedantic notes fails; a missing validator fails too.
set -u
kind=$1
file=$2
[ -f "$file" ] || { echo "$file is not installed"; exit 1; }
case $kind in
desktop)
    command -v desktop-file-validate >/dev/null ||
        { echo "desktop-file-validate is missing: scripts/install-deps.sh installs it"; exit 1; }
    out=$(desktop-file-validate "$file" 2>&1)
    status=$?
    ;;
metainfo)
    command -v appstreamcli >/dev/null ||
        { echo "appstreamcli is missing: scripts/install-deps.sh installs it"; exit 1; }
    out=$(appstreamcli validate --no-net "$file" 2>&1)
    status=$?
    # Pedantic notes and the summary line are not findings.
    out=$(printf '%s\n' "$out" | grep -Ev '^(P: |$|✔ Validation was successful)')
    ;;
*)
    echo "usage: validate_installed.sh desktop|metainfo FILE"
    exit 64
    ;;
esac
if [ "$status" -ne 0 ] || [ -n "$out" ]; then
    printf '%s\n' "$out"
    exit 1
fi
echo "$file: valid"
