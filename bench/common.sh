# SPDX-License-Identifier: MIT
# Shared by the timing scripts: source it, then call the helpers.

seconds() { # command... : wall time of one run in seconds
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo "scale=4; ($end - $start) / 1000000000" | bc
}

median() { # numbers...
    printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}

# Sets `dump` and `writer` from the build folder $1 and ends the script when either, or
# xmllint, is missing.
requireDumpTools() {
    dump="$1/vellora-dump"
    writer="$1/bench/write-bench-invoice"
    local tool
    for tool in "$dump" "$writer"; do
        [[ -x "$tool" ]] || { echo "missing $tool: build the project first" >&2; exit 1; }
    done
    command -v xmllint >/dev/null || { echo "xmllint is not installed (libxml2-utils)" >&2; exit 1; }
}
