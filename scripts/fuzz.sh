#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, ASan, UBSan) in build-fuzz/ and runs one.
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer option...]
#   scripts/fuzz.sh --list
# TARGET is one of fuzz_document, fuzz_xmltree, fuzz_textchunks, fuzz_attachment,
# fuzz_pseudoattributes. The run is seeded from ../shared/corpus (when there) and
# tests/data, grows its corpus in build-fuzz/corpus/TARGET, uses fuzz/xml.dict, and writes
# crash inputs to build-fuzz/findings/TARGET/. Its last line reports the executions.
set -euo pipefail
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
targets=(fuzz_document fuzz_xmltree fuzz_textchunks fuzz_attachment fuzz_pseudoattributes)

if [ "${1:-}" = "--list" ]; then
    printf '%s\n' "${targets[@]}"
    exit 0
fi
target=${1:?usage: fuzz.sh TARGET SECONDS [libFuzzer option...]}
seconds=${2:?usage: fuzz.sh TARGET SECONDS [libFuzzer option...]}
shift 2
if [[ " ${targets[*]} " != *" $target "* ]]; then
    echo "fuzz.sh: unknown target $target (one of: ${targets[*]})" >&2
    exit 64
fi

"$repo_root/scripts/install-deps.sh" --fuzz
build_dir="$repo_root/build-fuzz"
if [ ! -f "$build_dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$repo_root" -B "$build_dir" -G Ninja \
        -DVELLORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELLORA_BUILD_TESTS=OFF -DVELLORA_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build_dir" --target "$target" --parallel "$(nproc)"

corpus="$build_dir/corpus/$target"
findings="$build_dir/findings/$target"
mkdir -p "$corpus" "$findings"
seeds=("$repo_root/tests/data")
[ -d "$repo_root/../shared/corpus" ] && seeds+=("$repo_root/../shared/corpus")
# libFuzzer reads seed folders flat: collect the seed files once into a folder of their own.
seed_dir="$build_dir/seeds"
if [ ! -d "$seed_dir" ]; then
    mkdir -p "$seed_dir"
    find "${seeds[@]}" -type f -size -2M \( -name '*.xml' -o -name '*.ubl' -o -name '*.txt' \) \
        -print0 | while IFS= read -r -d '' file; do
        cp "$file" "$seed_dir/$(sha1sum "$file" | cut -c1-16)"
    done
fi

cd "$findings"
# -max_len: large enough for a small invoice; -rss_limit_mb: a leak or a blow-up is a finding.
"$build_dir/fuzz/$target" -max_total_time="$seconds" -dict="$repo_root/fuzz/xml.dict" \
    -max_len=65536 -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$@" "$corpus" "$seed_dir"
