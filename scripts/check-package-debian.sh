#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a Vellora .deb into a clean Debian 12 root and runs it there: the proof that the
# package's dependencies are complete. Needs root, debootstrap and the Debian mirror; it is
# slow (a few minutes) and so not part of the test suite.
#   scripts/check-package-debian.sh VELLORA.deb [ROOT_DIR]
# MIRROR overrides the Debian mirror (default: the one apt on this machine uses).
set -euo pipefail

deb="$(realpath "$1")"
root="${2:-/tmp/vellora-debian-root}"
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ -z "${MIRROR:-}" ]; then
    MIRROR=$(grep -hoE '^(URIs:|deb) +https?://[^ ]+/debian/?( |$)' \
                 /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null \
             | grep -oE 'https?://[^ ]+' | head -n 1 || true)
    MIRROR="${MIRROR:-http://deb.debian.org/debian}"
fi

if [ ! -x "$root/usr/bin/apt-get" ]; then
    echo "== debootstrap bookworm from $MIRROR into $root"
    debootstrap --variant=minbase bookworm "$root" "$MIRROR" >"$root.debootstrap.log" 2>&1 ||
        { tail -n 20 "$root.debootstrap.log"; exit 1; }
fi

mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" || true; done
}
trap cleanup EXIT
for fs in proc sys dev dev/pts; do
    mount --bind "/$fs" "$root/$fs"
    mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "== apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/vellora.deb"
cp "$repo_root/examples/sample-invoice.xml" "$root/tmp/sample-invoice.xml"
in_root apt-get update -qq
# Every desktop has the launcher database's tool; a bare root has not.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq desktop-file-utils >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/vellora.deb

echo "== run"
in_root vellora-dump --version
in_root vellora --version
# sed reads to the end, so the program never writes into a closed pipe.
in_root vellora-dump /tmp/sample-invoice.xml | sed -n '1,5p'
# The desktop's triggers ran: the MIME database knows the type, the launcher is registered.
in_root test -f /usr/share/mime/application/x-vellora-ubl.xml
grep -q 'application/x-vellora-ubl=io.github.vellora.Vellora.desktop' \
    "$root/usr/share/applications/mimeinfo.cache" ||
    { echo "the launcher is not in the desktop database" >&2; exit 1; }

echo "== apt remove --purge vellora"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq vellora
left=$(in_root sh -c 'ls -d /usr/bin/vellora /usr/bin/vellora-dump \
    /usr/share/applications/io.github.vellora.Vellora.desktop \
    /usr/share/mime/packages/vellora-ubl.xml /usr/share/mime/application/x-vellora-ubl.xml \
    /usr/share/icons/hicolor/*/apps/io.github.vellora.Vellora.* 2>/dev/null' || true)
left+=$(grep -h 'vellora' "$root/usr/share/applications/mimeinfo.cache" 2>/dev/null || true)
if [ -n "$left" ]; then
    echo "left behind after removal: $left" >&2
    exit 1
fi
echo "== the package installs, runs and removes cleanly in Debian 12"
