#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Vellora builds, runs and tests with, when any is missing.
# A no-op (about a second) when everything is already there. --fuzz adds clang and its
# libFuzzer runtime, which only scripts/fuzz.sh needs.
set -euo pipefail

packages=(
    # build and run
    qt6-base-dev qt6-pdf-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-translations-l10n libqt6svg6 libxml2-dev libicu-dev libqrencode-dev libzxing-dev
    libgtest-dev libgmock-dev libbenchmark-dev cmake ninja-build pkg-config g++
    fonts-dejavu-core breeze-icon-theme
    # tests: screenshots, QR decoding, the conformance checker
    xvfb xauth xdotool imagemagick zbar-tools poppler-utils python3-lxml libxml2-utils
    # the foreign locales (de_DE, tr_TR) the formatting tests switch to
    locales
    # vellora-dump JSON output
    nlohmann-json3-dev
    # tests of the installed tree: the MIME cache and the freedesktop validators
    shared-mime-info desktop-file-utils appstream
    # scripts/package.sh: CPack's library dependencies (dpkg-shlibdeps, file)
    dpkg-dev file
)

# scripts/fuzz.sh asks for the fuzzing compiler as well: clang with libFuzzer.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi

# One dpkg-query for the whole list; packages dpkg has never heard of are not printed.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null \
                | awk '$2 == "ii" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        sudo_cmd=(sudo)
    else
        echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
