# SPDX-License-Identifier: MIT
# Shared by run.sh and test.sh: installs what is missing, configures once, builds.
# Usage: source scripts/common.sh; vellora_build BUILD_DIR [cmake options...]

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

vellora_build() {
    local build_dir="$1"
    shift
    "$repo_root/scripts/install-deps.sh"
    if [ ! -f "$build_dir/build.ninja" ]; then
        cmake -S "$repo_root" -B "$build_dir" -G Ninja "$@"
    fi
    cmake --build "$build_dir" --parallel "$(nproc)"
}
