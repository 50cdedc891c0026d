#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# time_dump.sh BUILD_DIR [LINES] [RUNS]
#
# Times vellora-dump against `xmllint --noout` on the same generated invoice of LINES lines
# (default 10000), RUNS times each (default 11), the two commands taking turns so that a
# change in the machine's load touches both. Prints the minimum and median wall time of
# each and the ratio of the medians. Uses hyperfine instead when it is installed.
set -eu
source "$(dirname "$0")/common.sh"

build=${1:?usage: time_dump.sh BUILD_DIR [LINES] [RUNS]}
lines=${2:-10000}
runs=${3:-11}

requireDumpTools "$build"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file="$work/invoice-$lines.xml"
"$writer" "$lines" > "$file"
echo "file: $lines lines, $(stat -c %s "$file") bytes"

# Both must succeed on the file, or the figures mean nothing.
"$dump" "$file" > "$work/dump.json"
xmllint --noout "$file"

if command -v hyperfine >/dev/null; then
    hyperfine --warmup 2 --runs "$runs" \
        "$(printf '%q' "$dump") $(printf '%q' "$file") > /dev/null" \
        "xmllint --noout $(printf '%q' "$file")"
    exit 0
fi


dumpTimes=()
lintTimes=()
for ((i = 0; i < runs; i++)); do
    dumpTimes+=("$(seconds "$dump" "$file")")
    lintTimes+=("$(seconds xmllint --noout "$file")")
done

stats() { # times... : "min median"
    printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { printf "%s %s\n", t[1], t[int((NR + 1) / 2)] }'
}
read -r dumpMin dumpMedian <<< "$(stats "${dumpTimes[@]}")"
read -r lintMin lintMedian <<< "$(stats "${lintTimes[@]}")"
printf "vellora-dump:    min %.3f s, median %.3f s (%d runs)\n" "$dumpMin" "$dumpMedian" "$runs"
printf "xmllint --noout: min %.3f s, median %.3f s (%d runs)\n" "$lintMin" "$lintMedian" "$runs"
echo "ratio of the medians: $(echo "scale=1; $dumpMedian / $lintMedian" | bc)"
