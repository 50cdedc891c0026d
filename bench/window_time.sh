#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# window_time.sh BUILD_DIR [RUNS]
#
# How much later the window of the 10,000-line invoice is shown than the window of the small
# sample invoice (examples/sample-invoice.xml), both from process start, the two taking
# turns in one run (goal: at most 0.5 s). Uses the offscreen platform unless a display is
# set. Each figure is the median of RUNS runs (default 5).
set -eu
source "$(dirname "$0")/common.sh"

build=${1:?usage: window_time.sh BUILD_DIR [RUNS]}
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
window="$build/bench/bench-window-time"
writer="$build/bench/write-bench-invoice"
for tool in "$window" "$writer"; do
    [[ -x "$tool" ]] || { echo "missing $tool: build the project with the UI first" >&2; exit 1; }
done
[[ -n "${DISPLAY:-}" ]] || export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$writer" 10000 > "$work/lines-10000.xml"
sample="$here/../examples/sample-invoice.xml"


echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
small=() large=()
for ((i = 0; i < runs; i++)); do
    small+=("$(seconds "$window" "$sample")")
    large+=("$(seconds "$window" "$work/lines-10000.xml")")
done
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
s=$(median "${small[@]}")
l=$(median "${large[@]}")
printf "window shown, from process start (median of %d): sample %.3f s, 10,000 lines %.3f s\n" \
    "$runs" "$s" "$l"
echo "later by: $(echo "scale=3; $l - $s" | bc) s (goal <= 0.5)"
