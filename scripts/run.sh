#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Vellora and opens the viewer: on the files named, or on the bundled sample invoice.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vellora_build "$repo_root/build"
if [ "$#" -eq 0 ]; then
    set -- "$repo_root/examples/sample-invoice.xml"
fi
exec "$repo_root/build/vellora" "$@"
