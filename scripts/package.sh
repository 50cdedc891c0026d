#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package: a release build without tests in build-package/, packed by CPack
# with the library dependencies that dpkg-shlibdeps finds in the binaries. Prints the
# package's metadata and contents, checks that the desktop files are in it, and ends with
# the path of the .deb.
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_dir="${1:-$repo_root/build-package}"
"$repo_root/scripts/install-deps.sh"
cmake -S "$repo_root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELLORA_BUILD_TESTS=OFF -DVELLORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
rm -rf "$build_dir/package"
(cd "$build_dir" && cpack -G DEB --config CPackConfig.cmake >/dev/null)

debs=("$build_dir"/package/vellora_*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package.sh: expected one vellora_*.deb in $build_dir/package" >&2
    exit 1
fi
deb="${debs[0]}"
dpkg-deb -I "$deb"
contents=$(dpkg-deb -c "$deb")
printf '%s\n' "$contents"

app_id=io.github.vellora.Vellora
expected=(
    ./usr/bin/vellora
    ./usr/bin/vellora-dump
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    ./usr/share/mime/packages/vellora-ubl.xml
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    "./usr/share/icons/hicolor/48x48/apps/$app_id.png"
    "./usr/share/icons/hicolor/256x256/apps/$app_id.png"
)
missing=0
for path in "${expected[@]}"; do
    if ! awk '{ print $6 }' <<<"$contents" | grep -qxF "$path"; then
        echo "package.sh: $path is not in the package" >&2
        missing=1
    fi
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libxml2 libicu[0-9]*; do
    if ! grep -q "\b$library\b" <<<"$depends"; then
        echo "package.sh: Depends lacks $library: $depends" >&2
        missing=1
    fi
done
[ "$missing" -eq 0 ] || exit 1
echo "$deb"
