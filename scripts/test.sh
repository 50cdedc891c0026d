#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Vellora and runs every test.
#   scripts/test.sh              build in build/ and run the tests
#   scripts/test.sh --sanitize   the same with AddressSanitizer and UBSan, in build-sanitize/
#   scripts/test.sh --core-only  the core, vellora-dump and their tests without Qt, in
#                                build-core/; fails if any compile or link step touches Qt
# Further arguments go to ctest (for example -R parser).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_dir="$repo_root/build"
cmake_options=()
core_only=false
case "${1:-}" in
--sanitize)
    shift
    build_dir="$repo_root/build-sanitize"
    cmake_options=(-DVELLORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DVELLORA_BUILD_BENCHMARKS=OFF)
    ;;
--core-only)
    shift
    core_only=true
    build_dir="$repo_root/build-core"
    # A find_package(Qt6) anywhere would now fail the configuration.
    cmake_options=(-DVELLORA_BUILD_UI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
                   -DVELLORA_BUILD_BENCHMARKS=OFF)
    ;;
esac

vellora_build "$build_dir" "${cmake_options[@]}"
if $core_only; then
    if grep -qi 'qt6\|libQt' "$build_dir/compile_commands.json" "$build_dir/build.ninja"; then
        echo "test.sh: the core-only build refers to Qt:" >&2
        grep -io '[^ ]*\(qt6\|libQt\)[^ ]*' "$build_dir/compile_commands.json" "$build_dir/build.ninja" \
            | sort -u | head >&2
        exit 1
    fi
    echo "test.sh: core-only build: no compile or link step refers to Qt"
fi
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" "$@"
