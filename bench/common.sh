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
