#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# ratios.sh BUILD_DIR [RUNS]
#
# The reading-speed goals as ratios, measured in one run so that the machine's load touches
# every figure alike:
#   1. vellora-dump / `xmllint --noout` on the 10,000-line invoice (wall time, goal <= 2)
#   2. vellora-dump on 10,000 lines / on 1,000 lines (wall time, goal <= 11: linear)
#   3. peak memory of vellora-dump / of `xmllint --noout` on the 10,000-line invoice (<= 1.5)
#   4. vellora-dump / `xmllint --noout --huge` on a ten-line invoice embedding a 50 MB PDF
#      (<= 2; without --huge xmllint stops at the 10 MB text node, as vellora-dump would
#      without XML_PARSE_HUGE)
# Each time is the median of RUNS runs (default 7), the commands taking turns. Peak memory
# is the maximum resident set size reported by GNU time. Prints the load average too.
set -eu
source "$(dirname "$0")/common.sh"

build=${1:?usage: ratios.sh BUILD_DIR [RUNS]}
runs=${2:-7}

requireDumpTools "$build"
[[ -x /usr/bin/time ]] || { echo "GNU time is not installed (package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$writer" 1000 > "$work/lines-1000.xml"
"$writer" 10000 > "$work/lines-10000.xml"
"$writer" 10 50000000 > "$work/pdf-50mb.xml"

# Both must succeed on every file, or the figures mean nothing.
for file in "$work"/*.xml; do
    "$dump" "$file" > /dev/null
    xmllint --noout --huge "$file"
done

peakKiB() { # command... : maximum resident set size in KiB
    /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
dump1k=() dump10k=() lint10k=() dumpPdf=() lintPdf=()
for ((i = 0; i < runs; i++)); do
    dump1k+=("$(seconds "$dump" "$work/lines-1000.xml")")
    dump10k+=("$(seconds "$dump" "$work/lines-10000.xml")")
    lint10k+=("$(seconds xmllint --noout "$work/lines-10000.xml")")
    dumpPdf+=("$(seconds "$dump" "$work/pdf-50mb.xml")")
    lintPdf+=("$(seconds xmllint --noout --huge "$work/pdf-50mb.xml")")
done
d1k=$(median "${dump1k[@]}")
d10k=$(median "${dump10k[@]}")
l10k=$(median "${lint10k[@]}")
dPdf=$(median "${dumpPdf[@]}")
lPdf=$(median "${lintPdf[@]}")
memDump=$(peakKiB "$dump" "$work/lines-10000.xml")
memLint=$(peakKiB xmllint --noout "$work/lines-10000.xml")
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"

printf "medians of %d runs: dump 1,000 lines %.3f s; 10,000 lines %.3f s; xmllint %.3f s\n" \
    "$runs" "$d1k" "$d10k" "$l10k"
printf "                    dump 50 MB PDF %.3f s; xmllint %.3f s\n" "$dPdf" "$lPdf"
printf "peak memory, 10,000 lines: dump %d KiB; xmllint %d KiB\n" "$memDump" "$memLint"
ratio() { echo "scale=2; $1 / $2" | bc; }
echo "1. dump / xmllint, 10,000 lines:      $(ratio "$d10k" "$l10k") (goal <= 2)"
echo "2. dump 10,000 / 1,000 lines:         $(ratio "$d10k" "$d1k") (goal <= 11)"
echo "3. peak memory dump / xmllint:        $(ratio "$memDump" "$memLint") (goal <= 1.5)"
echo "4. dump / xmllint, 50 MB PDF:         $(ratio "$dPdf" "$lPdf") (goal <= 2)"
