#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Vellora and runs every test.
#   scripts/test.sh              build in build/ and run the tests
#   scripts/test.sh --sanitize   the same with AddressSanitizer and UBSan, in build-sanitize/
# Further arguments go to ctest (for example -R parser).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_dir="$repo_root/build"
cmake_options=()
if [ "${1:-}" = "--sanitize" ]; then
    shift
    build_dir="$repo_root/build-sanitize"
    cmake_options=(-DVELLORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DVELLORA_BUILD_BENCHMARKS=OFF)
fi

vellora_build "$build_dir" "${cmake_options[@]}"
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" "$@"
